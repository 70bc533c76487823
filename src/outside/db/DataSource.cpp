#include "outside/db/DataSource.h"

#include <optional>
#include <string_view>

#include "base/Text.h"
#include "outside/db/ConnectString.h"
#include "outside/db/HostSchema.h"
#include "outside/db/Odbc.h"
#include "platform/Environment.h"
#include "platform/Platform.h"

namespace ravelin {

namespace {

constexpr wchar_t kDriver[] = L"" RAVELIN_SQLITE_ODBC_DRIVER;
constexpr wchar_t kDriver32[] = L"" RAVELIN_SQLITE_ODBC_DRIVER32;
constexpr wchar_t kServerDriver[] = L"" RAVELIN_POSTGRESQL_ODBC_DRIVER;
constexpr wchar_t kServerDriver32[] = L"" RAVELIN_POSTGRESQL_ODBC_DRIVER32;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The password's bytes as the PostgreSQL driver takes them from a connect
// string: a braced value as it stands ("}}" one '}'), a plain one with its
// blanks and URL-decoded ('+' a blank, "%XX" a byte). None when the driver
// would read past a '%' or cut the password at a NUL.
std::optional<std::string> DriverPassword(const odbc::WrittenAttribute& written) {
  if (written.braced) return ToUtf8(odbc::Unbraced(written));
  const std::string value = ToUtf8(written.value);
  std::string password;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '+') {
      password += ' ';
    } else if (value[i] != '%') {
      password += value[i];
    } else {
      const int high = i + 2 < value.size() ? HexDigit(value[i + 1]) : -1;
      const int low = high < 0 ? -1 : HexDigit(value[i + 2]);
      if (low < 0 || high + low == 0) return std::nullopt;
      password += static_cast<char>(high * 16 + low);
      i += 2;
    }
  }
  return password;
}

// The driver URL-decodes a password it reads from odbc.ini, whose reader
// trims blanks and stops at a line end: every byte that either would change
// is written as "%XX", and the characters of ini syntax with it.
std::wstring IniPassword(const std::string& password) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  constexpr std::string_view kIniSyntax = "%+;#[]{}\"";
  std::wstring written;
  for (const char c : password) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte < 0x7F && kIniSyntax.find(c) == std::string_view::npos) {
      written += static_cast<wchar_t>(byte);
    } else {
      written += L'%';
      written += static_cast<wchar_t>(kDigits[byte >> 4]);
      written += static_cast<wchar_t>(kDigits[byte & 15]);
    }
  }
  return written;
}

// Both drivers, so that either kind of data source can be written beside;
// each for the 32-bit programs ("Driver") and the 64-bit ones ("Driver64").
bool WriteDrivers(const std::wstring& hostRoot) {
  return WriteFileReplacing(
      JoinPath(hostRoot, L"odbcinst.ini"),
      ToUtf8(Format(L"[SQLite3]\nDescription=SQLite3 ODBC Driver\nDriver=%s\nDriver64=%s\n\n"
                    L"[PostgreSQL]\nDescription=PostgreSQL ODBC Driver\nDriver=%s\n"
                    L"Driver64=%s\n",
                    kDriver32, kDriver, kServerDriver32, kServerDriver)));
}

}  // namespace

std::wstring SqliteConnectString(const std::wstring& databaseFile, bool create) {
  // The driver takes the value up to the next ';' and knows no quoting.
  if (databaseFile.find(L';') != std::wstring::npos) {
    throw odbc::OdbcError(
        Format(L"The database path \"%s\" holds a ';', which ODBC cannot pass.",
               databaseFile.c_str()),
        L"");
  }
  return Format(L"DRIVER={%s};Database=%s;NoCreat=%d", kDriver,
                databaseFile.c_str(), create ? 0 : 1);
}

void CreateHostDatabase(const std::wstring& databaseFile) {
  if (FileExists(databaseFile)) {
    throw odbc::OdbcError(
        Format(L"The database \"%s\" exists already.", databaseFile.c_str()), L"");
  }
  odbc::Connection connection;
  connection.Open(SqliteConnectString(databaseFile, true));
  odbc::Transaction transaction(connection);
  CreateHostSchema(connection);
  transaction.Commit();
}

bool WriteVelkDataSource(const std::wstring& hostRoot,
                         const std::wstring& databaseFile) {
  const std::wstring sources = Format(
      L"[VELK]\nDescription=Host database\nDriver=SQLite3\nDatabase=%s\n"
      L"NoCreat=1\nJournalMode=WAL\nSyncPragma=NORMAL\n",
      databaseFile.c_str());
  if (!WriteDrivers(hostRoot) ||
      !WriteFileReplacing(JoinPath(hostRoot, L"odbc.ini"), ToUtf8(sources))) {
    return false;
  }
  UseHostDataSources(hostRoot);
  return true;
}

std::wstring PostgreSqlConnectString(const std::wstring& attributes) {
  const std::wstring shown = odbc::MaskPassword(attributes);
  for (const wchar_t* refused : {L"DSN", L"FILEDSN", L"DRIVER"}) {
    if (!odbc::ConnectAttribute(attributes, refused).empty()) {
      throw odbc::OdbcError(
          Format(L"The server connection \"%s\" names %s; give the server's own attributes"
                 L" (Servername, Port, Database, Username, ...).",
                 shown.c_str(), refused),
          L"");
    }
  }
  if (attributes.find_first_of(L"\r\n") != std::wstring::npos) {
    throw odbc::OdbcError(
        Format(L"The server connection \"%s\" holds a line break.", shown.c_str()), L"");
  }
  if (odbc::ConnectAttribute(attributes, L"Database").empty()) {
    throw odbc::OdbcError(
        Format(L"The server connection \"%s\" names no Database.", shown.c_str()), L"");
  }
  int passwords = 0;
  for (const odbc::WrittenAttribute& written : odbc::WrittenAttributes(attributes)) {
    if (!written.closed) {
      throw odbc::OdbcError(
          Format(L"The server connection \"%s\" leaves the brace of its %s open; a '}'"
                 L" inside braces is written '}}'.",
                 shown.c_str(), written.name.c_str()),
          L"");
    }
    if (!odbc::IsPasswordName(written.name)) continue;
    if (!written.tight) {
      throw odbc::OdbcError(
          Format(L"The server connection \"%s\" has blanks around the name %s or before its"
                 L" brace, which the PostgreSQL driver does not read as a password; write"
                 L" %s=... without them.",
                 shown.c_str(), written.name.c_str(), written.name.c_str()),
          L"");
    }
    if (++passwords > 1) {
      throw odbc::OdbcError(
          Format(L"The server connection \"%s\" gives the password twice.", shown.c_str()),
          L"");
    }
    if (!DriverPassword(written)) {
      throw odbc::OdbcError(
          Format(L"The server connection \"%s\" holds a password the PostgreSQL driver"
                 L" cannot read: outside braces a '%%' must be followed by two hexadecimal"
                 L" digits, not 00; write the password in braces, {...}, to pass it as it"
                 L" stands.",
                 shown.c_str()),
          L"");
    }
  }
  return Format(L"DRIVER={%s};%s", kServerDriver, attributes.c_str());
}

bool WriteVelkServerDataSource(const std::wstring& hostRoot,
                               const std::wstring& attributes) {
  std::wstring sources = L"[VELK]\nDescription=Host database\nDriver=PostgreSQL\n";
  bool secret = false;
  const std::vector<odbc::WrittenAttribute> written = odbc::WrittenAttributes(attributes);
  const auto values = odbc::ConnectAttributes(attributes);
  // odbc.ini takes a value to the end of its line, braces and all.
  for (size_t i = 0; i < values.size(); ++i) {
    const auto& [name, value] = values[i];
    if (!odbc::IsPasswordName(name)) {
      sources += name + L"=" + value + L"\n";
      continue;
    }
    // The driver reads the password from odbc.ini as "Password" only.
    const std::optional<std::string> password = DriverPassword(written[i]);
    if (!password) return false;
    sources += L"Password=" + IniPassword(*password) + L"\n";
    secret = true;
  }
  if (!WriteDrivers(hostRoot) ||
      !WriteFileReplacing(JoinPath(hostRoot, L"odbc.ini"), ToUtf8(sources), secret)) {
    return false;
  }
  UseHostDataSources(hostRoot);
  return true;
}

void UseHostDataSources(const std::wstring& hostRoot) {
  SetEnvironmentValue(L"ODBCSYSINI", hostRoot);
  SetEnvironmentValue(L"ODBCINI", JoinPath(hostRoot, L"odbc.ini"));
}

}  // namespace ravelin
