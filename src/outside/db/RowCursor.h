// The rows of a record set, read whole when it opens so the connection is
// free while they are walked, and the cursor over them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace ravelin {

template <typename Row>
class RowCursor {
 public:
  // Stands on the first of `rows` (at the end when there is none).
  void Reset(std::vector<Row> rows = {}) {
    rows_ = std::move(rows);
    current_ = 0;
  }
  bool IsEOF() const { return current_ >= rows_.size(); }
  // False, and nothing moves, at the end.
  bool MoveNext() {
    if (IsEOF()) return false;
    ++current_;
    return true;
  }
  // The current row's number from 0, and a move back (or on) to such a row.
  size_t Position() const { return current_; }
  void SetPosition(size_t row) { current_ = std::min(row, rows_.size()); }
  // Only before the end.
  const Row& Current() const { return rows_[current_]; }

 private:
  std::vector<Row> rows_;
  size_t current_ = 0;
};

}  // namespace ravelin
