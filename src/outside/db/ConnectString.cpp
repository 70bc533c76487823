#include "outside/db/ConnectString.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/Text.h"
#include "platform/Environment.h"
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

std::vector<WrittenAttribute> WrittenAttributes(const std::wstring& connectString) {
  std::vector<WrittenAttribute> attributes;
  size_t at = 0;
  while (at < connectString.size()) {
    if (connectString[at] == L';') {  // an empty piece
      ++at;
      continue;
    }
    const size_t equals = connectString.find(L'=', at);
    if (equals == std::wstring::npos) break;
    WrittenAttribute attribute;
    const std::wstring name = connectString.substr(at, equals - at);
    attribute.name = Trim(name);
    attribute.tight = attribute.name == name;
    attribute.at = equals + 1;
    const size_t first = connectString.find_first_not_of(L" \t", attribute.at);
    size_t end;
    if (first != std::wstring::npos && connectString[first] == L'{') {
      attribute.braced = true;
      attribute.tight = attribute.tight && first == attribute.at;
      attribute.at = first;
      size_t close = attribute.at + 1;
      // "}}" stands for one '}' inside the braces.
      while ((close = connectString.find(L'}', close)) != std::wstring::npos &&
             close + 1 < connectString.size() && connectString[close + 1] == L'}') {
        close += 2;
      }
      attribute.closed = close != std::wstring::npos;
      attribute.value = connectString.substr(
          attribute.at, attribute.closed ? close + 1 - attribute.at : std::wstring::npos);
      end = attribute.closed ? connectString.find(L';', close) : close;
    } else {
      end = connectString.find(L';', attribute.at);
      attribute.value = connectString.substr(
          attribute.at, end == std::wstring::npos ? end : end - attribute.at);
    }
    attributes.push_back(std::move(attribute));
    if (end == std::wstring::npos) break;
    at = end + 1;
  }
  return attributes;
}

std::wstring Unbraced(const WrittenAttribute& attribute) {
  std::wstring value;
  const size_t inner = attribute.value.size() - (attribute.closed ? 2 : 1);
  for (size_t i = 1; i <= inner; ++i) {
    value += attribute.value[i];
    if (attribute.value[i] == L'}') ++i;
  }
  return value;
}

std::vector<std::pair<std::wstring, std::wstring>> ConnectAttributes(
    const std::wstring& connectString) {
  std::vector<std::pair<std::wstring, std::wstring>> attributes;
  for (const WrittenAttribute& written : WrittenAttributes(connectString)) {
    attributes.emplace_back(written.name,
                            written.braced ? Unbraced(written) : Trim(written.value));
  }
  return attributes;
}

bool IsPasswordName(const std::wstring& name) {
  return EqualsNoCase(name, L"Password") || EqualsNoCase(name, L"PWD");
}

std::wstring MaskPassword(const std::wstring& connectString) {
  std::wstring masked = connectString;
  const std::vector<WrittenAttribute> attributes = WrittenAttributes(connectString);
  // From the back, so that the earlier values keep their places.
  for (auto it = attributes.rbegin(); it != attributes.rend(); ++it) {
    if (IsPasswordName(it->name)) masked.replace(it->at, it->value.size(), L"***");
  }
  return masked;
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
