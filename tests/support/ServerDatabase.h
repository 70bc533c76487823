// The PostgreSQL server of a test run (tools/postgres-fixture.sh). CTest runs
// some database test programs a second time with RAVELIN_TEST_POSTGRESQL
// naming the fixture's connection file; they then keep their host database
// on that server.
#pragma once

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>

#include "base/Text.h"
#include "outside/db/DataSource.h"
#include "outside/db/Odbc.h"

namespace ravelin::testing {

// The server's attributes (no database), or empty when this run keeps its
// host database in a SQLite file.
inline std::wstring TestServer() {
  const char* file = std::getenv("RAVELIN_TEST_POSTGRESQL");
  if (file == nullptr || *file == '\0') return L"";
  std::ifstream in(file);
  std::string line;
  if (!std::getline(in, line) || line.empty()) {
    throw std::runtime_error(std::string("no server connection in ") + file +
                             ": did the postgres_start fixture run?");
  }
  return FromUtf8(line);
}

// A fresh, empty UTF8 database on `server` for this program (`suffix` tells
// several of one program apart); its attributes.
inline std::wstring FreshServerDatabase(const std::wstring& server,
                                        const std::wstring& suffix = L"") {
  const std::wstring name = FromUtf8(program_invocation_short_name) + suffix;
  odbc::Connection admin;
  admin.Open(PostgreSqlConnectString(server + L";Database=postgres"));
  admin.Execute(L"DROP DATABASE IF EXISTS " + name + L" WITH (FORCE)");
  admin.Execute(L"CREATE DATABASE " + name + L" ENCODING 'UTF8' TEMPLATE template0");
  return server + L";Database=" + name;
}

}  // namespace ravelin::testing
