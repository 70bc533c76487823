#include "outside/db/ConnectString.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/Text.h"
#include "outside/db/Environment.h"
#include "platform/Platform.h"
#include "platform/Profile.h"

namespace ravelin::odbc {

namespace {

std::wstring Trim(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return L"";
  return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

// A key of the data source's section in one odbc.ini. unixODBC writes and
// reads the file as bytes, which the SQLite driver takes as UTF-8.
std::wstring IniValue(const std::wstring& file, const std::wstring& section,
                      const std::wstring& key) {
  std::ifstream in(FsPath(file), std::ios::binary);
  if (!in) return L"";
  const std::string bytes = "\xEF\xBB\xBF" + std::string(std::istreambuf_iterator<char>(in), {});
  wchar_t value[1024];
  ProfileFile(bytes).GetString(section.c_str(), key.c_str(), L"", value, std::size(value));
  return value;
}

}  // namespace

std::vector<std::pair<std::wstring, std::wstring>> ConnectAttributes(
    const std::wstring& connectString) {
  std::vector<std::pair<std::wstring, std::wstring>> attributes;
  size_t at = 0;
  while (at < connectString.size()) {
    if (connectString[at] == L';') {  // an empty piece
      ++at;
      continue;
    }
    const size_t equals = connectString.find(L'=', at);
    if (equals == std::wstring::npos) break;
    std::wstring name = Trim(connectString.substr(at, equals - at));
    size_t end;
    std::wstring value;
    if (equals + 1 < connectString.size() && connectString[equals + 1] == L'{') {
      const size_t close = connectString.find(L'}', equals + 2);
      value = connectString.substr(
          equals + 2, close == std::wstring::npos ? close : close - equals - 2);
      end = close == std::wstring::npos ? close : connectString.find(L';', close);
    } else {
      end = connectString.find(L';', equals + 1);
      value = Trim(connectString.substr(
          equals + 1, end == std::wstring::npos ? end : end - equals - 1));
    }
    attributes.emplace_back(std::move(name), std::move(value));
    if (end == std::wstring::npos) break;
    at = end + 1;
  }
  return attributes;
}

std::wstring ConnectAttribute(const std::wstring& connectString, const std::wstring& key) {
  for (const auto& [name, value] : ConnectAttributes(connectString)) {
    if (EqualsNoCase(name, key)) return value;
  }
  return L"";
}

std::wstring DataSourceAttribute(const std::wstring& connectString, const std::wstring& key) {
  std::wstring value = ConnectAttribute(connectString, key);
  const std::wstring dataSource = ConnectAttribute(connectString, L"DSN");
  if (!value.empty() || dataSource.empty()) return value;
  const std::wstring userIni = EnvironmentValue(L"ODBCINI");
  if (!userIni.empty()) value = IniValue(userIni, dataSource, key);
  const std::wstring systemDir = EnvironmentValue(L"ODBCSYSINI");
  if (value.empty() && !systemDir.empty()) {
    value = IniValue(JoinPath(systemDir, L"odbc.ini"), dataSource, key);
  }
  return value;
}

std::wstring WithLockWait(const std::wstring& connectString) {
  if (!DataSourceAttribute(connectString, L"Timeout").empty()) return connectString;
  const bool separated = connectString.empty() || connectString.back() == L';';
  return connectString + (separated ? L"" : L";") +
         Format(L"Timeout=%d", kLockWaitMilliseconds);
}

int ConnectWaitSeconds(const std::wstring& connectString) {
  const std::wstring options = DataSourceAttribute(connectString, L"pqopt");
  return FoldCase(options).find(L"connect_timeout") == std::wstring::npos ? kConnectWaitSeconds
                                                                          : 0;
}

std::vector<std::wstring> PostgreSqlBounds(const std::wstring& connectString) {
  const std::wstring settings = FoldCase(DataSourceAttribute(connectString, L"ConnSettings"));
  std::vector<std::wstring> bounds;
  for (const auto& [setting, milliseconds] :
       {std::pair{L"lock_timeout", kLockWaitMilliseconds},
        std::pair{L"statement_timeout", kStatementWaitMilliseconds}}) {
    if (settings.find(setting) == std::wstring::npos) {
      bounds.push_back(Format(L"SET %s = %d", setting, milliseconds));
    }
  }
  return bounds;
}

std::wstring DescribeDatabaseFile(const std::wstring& connectString) {
  const std::wstring driver = DataSourceAttribute(connectString, L"Driver");
  if (!driver.empty() && FoldCase(driver).find(L"sqlite") == std::wstring::npos) return L"";
  const std::wstring file = DataSourceAttribute(connectString, L"Database");
  if (file.empty()) return L"";
  std::error_code error;
  const auto status = std::filesystem::status(FsPath(file), error);
  if (std::filesystem::is_directory(status)) {
    return Format(L"; the database file \"%s\" is a directory", file.c_str());
  }
  if (status.type() == std::filesystem::file_type::not_found) {
    return Format(L"; the database file \"%s\" does not exist", file.c_str());
  }
  return L"";
}

}  // namespace ravelin::odbc
