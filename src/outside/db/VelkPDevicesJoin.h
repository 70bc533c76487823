// The template join: the device templates (named configurations) of the host
// database as a record set of their names, sorted by name (templates of the
// same name by their key), so a batch run always visits them in one order.
#pragma once

#include <cstdint>
#include <string>

#include "outside/db/RowCursor.h"

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
  bool IsEOF() const { return names_.IsEOF(); }
  void MoveNext() { names_.MoveNext(); }
  // The current row's template name; empty at the end.
  std::wstring GetTemplateName() const;

 private:
  CDbwDbSession* session_;
  RowCursor<std::wstring> names_;
};

}  // namespace ravelin
