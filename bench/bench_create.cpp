// Test device creation over scaled plants of 1,000 and 10,000 templates, as
// `ravelin-test --create-test-devices` runs it. Prints devices per second,
// the peak memory after each run and the ratio of the two times (linear
// growth gives 10). With `--database-server ATTRIBUTES` (ravelin-plant's)
// the host database is that server database.
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

double CreateDevices(const std::filesystem::path& root, size_t templates,
                     const std::wstring& server) {
  ravelin::plant::GeneratePlant(root.wstring(), templates, server);
  std::ostringstream out, err;
  const auto start = std::chrono::steady_clock::now();
  const int status = ravelin::RunTestCommand(
      {L"--host-root", root.wstring(), L"--create-test-devices"}, out, err);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%6zu templates: %7.2f s, %8.0f devices/s, peak memory %6.1f MiB, exit %d\n  %s%s",
              templates, took.count(), templates / took.count(), PeakMemoryMiB(), status,
              out.str().c_str(), err.str().c_str());
  return took.count();
}

}  // namespace

int main(int argc, char** argv) {
  const std::wstring server = BenchServer(argc, argv);
  // A folder of this run's own: other runs may share the machine.
  const auto root =
      std::filesystem::temp_directory_path() /
      ("ravelin-bench-create-" +
       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  std::filesystem::remove_all(root);
  const double small = CreateDevices(root, 1000, server);
  const double large = CreateDevices(root, 10000, server);
  std::printf("time ratio 10,000 / 1,000 templates: %.1f\n", large / small);
  std::filesystem::remove_all(root);
  return 0;
}
