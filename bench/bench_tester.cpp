// The batch tester over scaled plants: every template of a plant of 1,000
// and of 10,000 templates, as `ravelin-test --all-templates` runs it.
// Prints devices per second, the peak memory of each run and the ratio of
// the two times (linear growth gives 10). Each plant is generated and then
// tested in child processes of their own, so a peak is the test run's alone.
// With `--database-server ATTRIBUTES` (ravelin-plant's) the host database is
// that server database.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include "BenchServer.h"
#include "PeakMemory.h"
#include "cli/TestCommand.h"
#include "plant/PlantGenerator.h"

namespace {

// Runs in a child process; writes the seconds the test run took to `pipe`.
void RunTemplates(const std::filesystem::path& root, size_t templates, int pipe) {
  std::ostringstream out, err;
  const auto start = std::chrono::steady_clock::now();
  const int status = ravelin::RunTestCommand(
      {L"--host-root", root.wstring(), L"--all-templates", L"--level", L"all"}, out, err);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%6zu templates: %5.2f s, %6.0f devices/s, peak memory %5.1f MiB, exit %d\n  %s",
              templates, took.count(), templates / took.count(), PeakMemoryMiB(), status,
              out.str().c_str());
  std::fflush(stdout);
  const double seconds = took.count();
  if (write(pipe, &seconds, sizeof seconds) != sizeof seconds) _exit(1);
}

double InChild(const std::filesystem::path& root, size_t templates,
               const std::wstring& server) {
  // The plant is generated in a process of its own, so the test run's peak
  // is the tester's alone.
  const pid_t generator = fork();
  if (generator == 0) {
    ravelin::plant::GeneratePlant(root.wstring(), templates, server);
    _exit(0);
  }
  waitpid(generator, nullptr, 0);
  int fds[2];
  if (pipe(fds) != 0) return 0;
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    RunTemplates(root, templates, fds[1]);
    _exit(0);
  }
  close(fds[1]);
  double seconds = 0;
  if (read(fds[0], &seconds, sizeof seconds) != sizeof seconds) seconds = 0;
  close(fds[0]);
  waitpid(child, nullptr, 0);
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  const std::wstring server = BenchServer(argc, argv);
  // A folder of this run's own: other runs may share the machine.
  const auto root = std::filesystem::temp_directory_path() /
                    ("ravelin-bench-tester-" + std::to_string(getpid()));
  std::filesystem::remove_all(root);
  const double small = InChild(root, 1000, server);
  const double large = InChild(root, 10000, server);
  std::printf("time ratio 10,000 / 1,000 templates: %.1f\n", large / small);
  std::filesystem::remove_all(root);
  return 0;
}
