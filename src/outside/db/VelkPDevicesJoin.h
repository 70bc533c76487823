// The template join: the device templates (named configurations) of the host
// database as a record set of their names, sorted by name (templates of the
// same name by their key), so a batch run always visits them in one order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ravelin {

class CDbwDbSession;

class CVelkPDevicesJoin {
 public:
  // Works on `session`; null means the global session.
  explicit CVelkPDevicesJoin(CDbwDbSession* session);
  virtual ~CVelkPDevicesJoin() = default;

  // Reads the templates and stands on the first (or at the end when there
  // is none). 0 on success; otherwise the set is empty and the failure logged.
  int32_t GetAllTemplates();
  bool IsEOF() const { return row_ >= names_.size(); }
  void MoveNext();
  // The current row's template name; empty at the end.
  std::wstring GetTemplateName() const;

 private:
  CDbwDbSession* session_;
  std::vector<std::wstring> names_;
  size_t row_ = 0;
};

}  // namespace ravelin
