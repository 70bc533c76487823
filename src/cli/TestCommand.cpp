#include "cli/TestCommand.h"

#include <filesystem>
#include <optional>

#include "base/Text.h"
#include "cli/ConsolePlatform.h"
#include "cli/TestOptions.h"
#include "outside/db/DataSource.h"
#include "outside/db/DbwSession.h"
#include "outside/db/Odbc.h"
#include "outside/db/VelkDatabase.h"
#include "outside/db/VelkProfile.h"
#include "platform/HostRoot.h"
#include "platform/Platform.h"
#include "platform/Profile.h"
#include "templates/CreateTestDevices.h"
#include "tester/DeviceKeys.h"
#include "tester/DeviceLookup.h"
#include "tester/ExecuteMapFileTest.h"
#include "tester/ReportFile.h"

namespace ravelin {

namespace {

constexpr int kClean = 0;
constexpr int kErrorsFound = 1;
constexpr int kFailure = 2;

class Command {
 public:
  Command(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
  int Run(const TestOptions& options);

 private:
  int Fail(const std::wstring& message) {
    err_ << "ravelin-test: " << ToUtf8(message) << '\n';
    return kFailure;
  }
  bool CollectKeys(const TestOptions& options, std::vector<std::wstring>& keys,
                   std::wstring& problem);
  std::wstring DataSourceProblem() const;
  int CreateDevices(const std::wstring& server);

  std::ostream& out_;
  std::ostream& err_;
};

// Why the host's data source cannot be used, or empty when it can.
std::wstring Command::DataSourceProblem() const {
  try {
    odbc::Connection connection;
    connection.Open(CDbwTarnEnv::GetDataSourceConnectString());
    connection.Execute(L"SELECT ConfigKey FROM NamedConfigs WHERE 1 = 0");
    return L"";
  } catch (const odbc::OdbcError& error) {
    return error.Text();
  }
}

bool Command::CollectKeys(const TestOptions& options, std::vector<std::wstring>& keys,
                          std::wstring& problem) {
  switch (options.source) {
    case TestOptions::Source::kDevice:
      keys.push_back(options.device);
      return true;
    case TestOptions::Source::kDeviceList:
      if (!ReadDeviceList(options.device, keys)) {
        problem = L"device list " + options.device + L": " + WhyUnreadable(options.device);
        return false;
      }
      if (keys.empty()) problem = L"device list " + options.device + L": no device keys";
      return !keys.empty();
    default:
      if (!ListTemplateKeys(keys, problem)) return false;
      if (keys.empty()) {
        problem = Format(L"data source \"%s\": no device templates", kHostDataSource);
      }
      return !keys.empty();
  }
}

int Command::CreateDevices(const std::wstring& server) {
  const std::wstring problem = DataSourceProblem();
  if (!problem.empty()) {
    return Fail(Format(L"data source \"%s\": %s", kHostDataSource, problem.c_str()));
  }
  const TestDeviceCounts counts = CreateTestDevicesCounted(server);
  out_ << counts.devices << " test devices, " << counts.blocks << " blocks, "
       << counts.dataRows << " data rows created\n";
  if (!counts.error.empty()) return Fail(counts.error);
  return kClean;
}

int Command::Run(const TestOptions& options) {
  if (!options.hostRoot.empty()) SetHostRoot(options.hostRoot);
  // Windows falls back on its own Windows directory; Linux has none.
  const std::wstring root = NativePlatform().WindowsDirectory();
  if (root.empty()) {
    return Fail(L"no host root: give --host-root DIR or set RAVELIN_HOST_ROOT"
                L" (tools/run-sample.sh makes the sample plant in build/plant)");
  }
  std::error_code error;
  if (!std::filesystem::is_directory(FsPath(root), error)) {
    return Fail(L"host root \"" + root + L"\": no such directory");
  }
  UseHostDataSources(root);
  ConsolePlatform console(err_);

  std::wstring server = options.server;
  if (server.empty()) {
    server = ProfileString(L"velk.ini", L"Tarn Server 1", L"Computer Name", L"");
  }
  if (server.empty()) {
    return Fail(JoinPath(root, L"velk.ini") +
                L": no [Tarn Server 1] Computer Name; give --server");
  }
  if (options.source == TestOptions::Source::kCreateTestDevices) {
    return CreateDevices(server);
  }

  std::wstring report = options.report;
  if (report.empty()) {
    std::wstring folder;
    GetVelkProfileValue(L"INSTALLATION", L"DevicesFolder", folder);
    if (folder.empty()) {
      return Fail(VelkProfilePath() + L": no [INSTALLATION] DevicesFolder; give --report");
    }
    report = JoinPath(folder, kReportFileName);
  }

  std::vector<std::wstring> keys;
  std::wstring problem;
  if (!CollectKeys(options, keys, problem)) return Fail(problem);
  keys.shrink_to_fit();  // held for the whole run
  // One connection for the whole run, as the host keeps one.
  CVelkDatabase database;
  bool needsDatabase = options.source == TestOptions::Source::kAllTemplates;
  for (const std::wstring& key : keys) needsDatabase |= !IsNamedConfigMoniker(key);
  if (needsDatabase && !database.IsOpen()) {
    return Fail(CDbwDbSession::GetGlobalSessionPtr()->DescribeLastError());
  }
  if (options.source == TestOptions::Source::kDeviceList &&
      IsSameExistingFile(options.device, report)) {
    return Fail(L"the device list " + options.device + L" and the report " + report +
                L" are the same file; give another --report");
  }
  if (const std::wstring problem = StartReport(report); !problem.empty()) return Fail(problem);

  CExecuteMapFileTest test;
  test.m_reportFilePath = report;
  test.m_openReportAfterTest = 0;
  test.m_mapFileUsage = options.mapFileUsage;
  test.m_outputLevel = options.level;
  test.m_allowGenericMapFile = options.allowGeneric ? 1 : 0;
  size_t unreached = 0;
  size_t tried = 0;
  for (size_t i = 0; i < keys.size() && !test.DatabaseUnreadable(); ++i) {
    ++tried;
    // One piece, so an unbuffered stream writes the line in one call.
    err_ << "device " + std::to_string(i + 1) + " of " + std::to_string(keys.size()) + ": " +
                ToUtf8(DisplayKey(keys[i])) + '\n';
    test.TestDevice(server, keys[i]);
    if (!test.UnreachedReason().empty()) {
      ++unreached;
      err_ << "ravelin-test: " << ToUtf8(keys[i]) << " (server " << ToUtf8(server)
           << ") not tested: " << ToUtf8(test.UnreachedReason()) << '\n';
    }
  }

  const int errors = CountInReport(report, L"ERROR");
  const int warnings = CountInReport(report, L"WARNING");
  out_ << errors << " errors, " << warnings << " warnings; report: " << ToUtf8(report)
       << '\n';
  if (test.LostReportSections() > 0) {
    out_ << test.LostReportSections() << " of " << keys.size()
         << " report sections could not be written; the counts miss them\n";
    return Fail(L"report " + report + L": cannot be written");
  }
  // The devices after a database failure were not tried.
  unreached += keys.size() - tried;
  if (unreached > 0) {
    out_ << unreached << " of " << keys.size() << " devices could not be tested\n";
    if (test.DatabaseUnreadable()) {
      return Fail(Format(L"the run stopped at device %d of %d: the host database could not be read",
                         static_cast<int>(tried), static_cast<int>(keys.size())));
    }
    if (unreached == keys.size()) return kFailure;
    return kErrorsFound;
  }
  return errors > 0 ? kErrorsFound : kClean;
}

}  // namespace

int RunTestCommand(const std::vector<std::wstring>& args, std::ostream& out,
                   std::ostream& err) {
  std::wstring error;
  const std::optional<TestOptions> options = ParseTestOptions(args, error);
  if (!options) {
    err << "ravelin-test: " << ToUtf8(error) << "\nTry 'ravelin-test --help'.\n";
    return kFailure;
  }
  if (options->help) {
    out << kTestUsage;
    return kClean;
  }
  if (options->version) {
    out << "ravelin-test " << RAVELIN_VERSION << '\n';
    return kClean;
  }
  return Command(out, err).Run(*options);
}

}  // namespace ravelin
