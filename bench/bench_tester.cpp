// The batch tester over scaled plants: every template of a plant of 1,000
// and of 10,000 templates, as `ravelin-test --all-templates` runs it.
// Prints devices per second, the peak memory of each run and the ratio of
// the two times (linear growth gives 10). Each plant is generated and then
// tested in child processes of their own, so a peak is the test run's alone.
// With `--database-server ATTRIBUTES` (ravelin-plant's) the host database is
// that server database. With `--windows RAVELIN_TEST_EXE` each plant is also
// tested by the Windows build under Wine (tools/bench-windows.sh sets up its
// prefix), in the same run, and the two times are compared. With
// `--result-files` the 10,000-template plant is tested with and without
// --junit and --json, twice each, and the cost of those files is printed.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "BenchServer.h"
#include "PeakMemory.h"
#include "cli/TestCommand.h"
#include "plant/PlantGenerator.h"

namespace {

// Runs in a child process; writes the seconds the test run took to `pipe`.
void RunTemplates(const std::filesystem::path& root, size_t templates, bool resultFiles,
                  int pipe) {
  std::ostringstream out, err;
  std::vector<std::wstring> args{L"--host-root", root.wstring(), L"--all-templates", L"--level",
                                 L"all"};
  if (resultFiles) {
    for (const wchar_t* file : {L"--junit", L"results.xml", L"--json", L"results.json"}) {
      args.push_back(file[0] == L'-' ? std::wstring(file) : (root / file).wstring());
    }
  }
  const auto start = std::chrono::steady_clock::now();
  const int status = ravelin::RunTestCommand(args, out, err);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%6zu templates: %5.2f s, %6.0f devices/s, peak memory %5.1f MiB, exit %d\n  %s",
              templates, took.count(), templates / took.count(), PeakMemoryMiB(), status,
              out.str().c_str());
  std::fflush(stdout);
  const double seconds = took.count();
  if (write(pipe, &seconds, sizeof seconds) != sizeof seconds) _exit(1);
}

// The plant is generated in a process of its own (unless `generate` is
// false: the plant is there), so the test run's peak is the tester's alone.
double InChild(const std::filesystem::path& root, size_t templates, const std::wstring& server,
               bool generate = true, bool resultFiles = false) {
  if (generate) {
    const pid_t generator = fork();
    if (generator == 0) {
      ravelin::plant::GeneratePlant(root.wstring(), templates, server);
      _exit(0);
    }
    waitpid(generator, nullptr, 0);
  }
  int fds[2];
  if (pipe(fds) != 0) return 0;
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    RunTemplates(root, templates, resultFiles, fds[1]);
    _exit(0);
  }
  close(fds[1]);
  double seconds = 0;
  if (read(fds[0], &seconds, sizeof seconds) != sizeof seconds) seconds = 0;
  close(fds[0]);
  waitpid(child, nullptr, 0);
  return seconds;
}

// A Windows host's profiles name its folders by drive letter; the plant's
// are Unix paths, which Wine would resolve by a walk of its own up every
// folder. They become Z: paths for the Windows run.
void UseDrivePaths(const std::filesystem::path& root) {
  for (const char* name : {"velk.ini", "VelkProfile.ini"}) {
    const std::filesystem::path file = root / name;
    std::ifstream in(file);
    std::string text, line;
    while (std::getline(in, line)) {
      const size_t equals = line.find("=/");
      if (equals != std::string::npos) {
        std::string value = line.substr(equals + 1);
        for (char& c : value) c = c == '/' ? '\\' : c;
        line = line.substr(0, equals + 1) + "Z:" + value;
      }
      text += line + '\n';
    }
    in.close();
    std::ofstream(file, std::ios::trunc) << text;
  }
}

// The Windows build under Wine over the plant: its seconds, or 0 on failure.
double UnderWine(const std::filesystem::path& root, size_t templates, const char* exe) {
  const char* wine = std::getenv("RAVELIN_WINE");
  if (!wine) wine = "/usr/lib/wine/wine64";
  const std::string rootText = "Z:" + root.string();
  const std::string report = rootText + "/reports/wine.txt";
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    setenv("ODBCINI", (root / "odbc.ini").c_str(), 1);
    setenv("ODBCSYSINI", root.c_str(), 1);
    freopen("/dev/null", "w", stdout);
    freopen("/dev/null", "w", stderr);
    execl(wine, wine, exe, "--host-root", rootText.c_str(), "--all-templates", "--level", "all",
          "--report", report.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  const int exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::printf("%6zu templates under Wine: %5.2f s, %6.0f devices/s, peak memory %5.1f MiB, exit %d\n",
              templates, took.count(), templates / took.count(), usage.ru_maxrss / 1024.0, exit);
  std::fflush(stdout);
  return exit == 0 || exit == 1 ? took.count() : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const char* windowsExe = nullptr;
  bool resultFiles = false;
  if (argc == 3 && std::strcmp(argv[1], "--windows") == 0) {
    windowsExe = argv[2];
    argc = 1;
  } else if (argc == 2 && std::strcmp(argv[1], "--result-files") == 0) {
    resultFiles = true;
    argc = 1;
  }
  const std::wstring server = BenchServer(argc, argv);
  // A folder of this run's own: other runs may share the machine.
  const auto root = std::filesystem::temp_directory_path() /
                    ("ravelin-bench-tester-" + std::to_string(getpid()));
  std::filesystem::remove_all(root);
  double seconds[2] = {0, 0};
  double wine[2] = {0, 0};
  const size_t sizes[2] = {1000, 10000};
  for (int i = 0; i < 2; ++i) {
    seconds[i] = InChild(root, sizes[i], server);
    if (windowsExe) {
      UseDrivePaths(root);
      wine[i] = UnderWine(root, sizes[i], windowsExe);
      std::printf("  Windows build / native: %.1f\n", wine[i] / seconds[i]);
      std::fflush(stdout);  // before the next child inherits the buffer
    }
  }
  std::printf("time ratio 10,000 / 1,000 templates: %.1f\n", seconds[1] / seconds[0]);
  if (windowsExe) std::printf("  under Wine: %.1f\n", wine[1] / wine[0]);
  if (resultFiles) {
    double without = 0, with = 0;
    for (int round = 0; round < 2; ++round) {
      std::printf("without result files:\n");
      std::fflush(stdout);
      without += InChild(root, sizes[1], server, false, false);
      std::printf("with --junit and --json:\n");
      std::fflush(stdout);
      with += InChild(root, sizes[1], server, false, true);
    }
    std::printf("result files cost %+.1f%% of the time\n", 100.0 * (with - without) / without);
  }
  std::filesystem::remove_all(root);
  return 0;
}
