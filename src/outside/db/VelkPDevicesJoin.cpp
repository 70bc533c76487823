#include "outside/db/VelkPDevicesJoin.h"

#include "outside/db/DbwSession.h"

namespace ravelin {

CVelkPDevicesJoin::CVelkPDevicesJoin(CDbwDbSession* session) : session_(session) {}

int32_t CVelkPDevicesJoin::GetAllTemplates() {
  names_.clear();
  row_ = 0;
  std::vector<std::wstring> names;
  const int32_t result = RunLookup(session_, [&names](odbc::Connection& connection) {
    odbc::Statement query = connection.Prepare(
        L"SELECT ConfigName FROM NamedConfigs ORDER BY ConfigName, ConfigKey");
    query.Execute();
    while (query.Fetch()) names.push_back(query.GetText(1));
    return kDbwOk;
  });
  // All or nothing: a read that fails half way lists no template.
  if (result == kDbwOk) names_ = std::move(names);
  return result;
}

void CVelkPDevicesJoin::MoveNext() {
  if (!IsEOF()) ++row_;
}

std::wstring CVelkPDevicesJoin::GetTemplateName() const {
  return IsEOF() ? std::wstring() : names_[row_];
}

}  // namespace ravelin
