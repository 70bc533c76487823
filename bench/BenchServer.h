// The optional "--database-server ATTRIBUTES" of the database benchmarks:
// the PostgreSQL ODBC driver's attributes of a server database that takes
// the plant's host database (empty: a SQLite file in the plant).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/Text.h"

inline std::wstring BenchServer(int argc, char** argv) {
  if (argc == 1) return L"";
  if (argc == 3 && std::strcmp(argv[1], "--database-server") == 0) {
    return ravelin::FromUtf8(argv[2]);
  }
  std::fprintf(stderr, "usage: %s [--database-server ATTRIBUTES | --windows RAVELIN_TEST_EXE | --result-files]\n", argv[0]);
  std::exit(2);
}
