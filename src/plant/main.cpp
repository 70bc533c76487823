// ravelin-plant DIR [--templates N] [--database-server CONNECTION [--replace]]:
// generates the sample plant.
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>

#include "base/Text.h"
#include "outside/db/ConnectString.h"
#include "outside/db/DataSource.h"
#include "outside/db/Odbc.h"
#include "plant/PlantContent.h"
#include "plant/PlantFiles.h"
#include "plant/PlantGenerator.h"

namespace {

using namespace ravelin;

constexpr char kUsage[] =
    "Usage: ravelin-plant DIR [--templates N] [--database-server CONNECTION [--replace]]\n"
    "\n"
    "Generates a sample host installation into DIR: velk.ini and the host\n"
    "profile values, the DD tree with map files, the host database (data\n"
    "source VELK) and the recording of plant server PLANT1.\n"
    "\n"
    "  --templates N  N device templates and N tagged devices, cycling through\n"
    "                 the plant's kinds (1 to 16384; default 30)\n"
    "  --database-server CONNECTION\n"
    "                 put the host database on a PostgreSQL server instead of\n"
    "                 DIR/velk.db: CONNECTION is the PostgreSQL ODBC driver's\n"
    "                 attributes, e.g. \"Servername=/run/postgresql;Port=5432;\n"
    "                 Database=velk;Username=me;Password={secret}\". A value\n"
    "                 holding ';' or '}' goes in braces, each '}' in it doubled:\n"
    "                 Password={a;b}}c} is a;b}c. The database must exist and be\n"
    "                 UTF8; the host tables an earlier plant made in it are\n"
    "                 replaced, others stay. VELK in DIR/odbc.ini then names that\n"
    "                 database, the password included (the file is readable by\n"
    "                 its owner only).\n"
    "  --replace      drop host tables in that database that ravelin-plant did\n"
    "                 not make, too (without it they are refused)\n"
    "  --help         show this text\n"
    "\n"
    "DIR must be missing, empty, or a plant made by ravelin-plant, which is\n"
    "replaced once the new one is complete: a run that fails leaves DIR as it\n"
    "was. See docs/plant.md.\n";

int UsageError(const std::wstring& message) {
  std::fprintf(stderr, "ravelin-plant: %s\nTry 'ravelin-plant --help'.\n",
               ToUtf8(message).c_str());
  return 2;
}

bool ParseCount(const std::string& text, size_t& count) {
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  count = std::stoul(text);
  return count >= 1 && count <= plant::kMaxTemplates;
}

}  // namespace

int main(int argc, char** argv) {
  std::string directory;
  size_t templates = plant::kDefaultTemplates;
  std::wstring server;
  bool replace = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--templates") {
      if (i + 1 == argc) return UsageError(L"--templates needs a number");
      if (!ParseCount(argv[++i], templates)) {
        return UsageError(Format(L"--templates takes a number from 1 to %d, not \"%s\"",
                                 static_cast<int>(plant::kMaxTemplates),
                                 FromUtf8(argv[i]).c_str()));
      }
    } else if (arg == "--replace") {
      replace = true;
    } else if (arg == "--database-server") {
      if (i + 1 == argc || argv[i + 1][0] == '\0') {
        return UsageError(L"--database-server needs the server's connection attributes");
      }
      server = FromUtf8(argv[++i]);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return UsageError(Format(L"unknown option \"%s\"", FromUtf8(arg).c_str()));
    } else if (!directory.empty()) {
      return UsageError(L"give one directory");
    } else {
      directory = arg;
    }
  }
  if (directory.empty()) return UsageError(L"no directory given");
  if (replace && server.empty()) return UsageError(L"--replace goes with --database-server");
  if (!server.empty()) {
    try {
      PostgreSqlConnectString(server);
    } catch (const odbc::OdbcError& error) {
      return UsageError(error.Text());
    }
  }

  const auto start = std::chrono::steady_clock::now();
  try {
    plant::GeneratePlant(FromUtf8(directory), templates, server, replace);
  } catch (const plant::PlantError& error) {
    std::fprintf(stderr, "ravelin-plant: %s\n", ToUtf8(error.Message()).c_str());
    return 1;
  } catch (const odbc::OdbcError& error) {
    if (server.empty()) {
      std::fprintf(stderr, "ravelin-plant: the host database in \"%s\": %s\n",
                   directory.c_str(), ToUtf8(error.Text()).c_str());
    } else {
      std::fprintf(stderr, "ravelin-plant: the host database on the server \"%s\": %s\n",
                   ToUtf8(odbc::MaskPassword(server)).c_str(), ToUtf8(error.Text()).c_str());
    }
    return 1;
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("ravelin-plant: %s: %zu templates, %zu tagged devices (%.2f s)\n",
              directory.c_str(), templates, templates, took.count());
  return 0;
}
