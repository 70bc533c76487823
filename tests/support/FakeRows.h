// The rows of a fake mapping page view, kept in memory for tests and
// benchmarks to read: what the page appended, as text, code and name.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace ravelin::testing {

template <class View>
class FakeRows : public View {
 public:
  using Row = std::array<std::wstring, 3>;

  void DeleteAllRows() override { rows.clear(); }
  void AppendRow(const std::wstring& text, const std::wstring& code,
                 const std::wstring& name) override {
    rows.push_back({text, code, name});
  }
  int RowCount() override { return static_cast<int>(rows.size()); }
  std::wstring RowText(int row, int column) override { return rows.at(row).at(column); }

  std::vector<Row> rows;
};

}  // namespace ravelin::testing
