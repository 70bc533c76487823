#include "outside/db/VelkPDevicesJoin.h"

#include <vector>

#include "outside/db/DbwSession.h"

namespace ravelin {

CVelkPDevicesJoin::CVelkPDevicesJoin(CDbwDbSession* session) : session_(session) {}

int32_t CVelkPDevicesJoin::GetAllTemplates() {
  names_.Reset();
  std::vector<std::wstring> names;
  const int32_t result = RunLookup(session_, [&names](odbc::Connection& connection) {
    odbc::Statement query = connection.Prepare(
        L"SELECT ConfigName FROM NamedConfigs ORDER BY ConfigName, ConfigKey");
    query.Execute();
    while (query.Fetch()) names.push_back(query.GetText(1));
    return kDbwOk;
  });
  // All or nothing: a read that fails half way lists no template.
  if (result == kDbwOk) names_.Reset(std::move(names));
  return result;
}

std::wstring CVelkPDevicesJoin::GetTemplateName() const {
  return IsEOF() ? std::wstring() : names_.Current();
}

}  // namespace ravelin
