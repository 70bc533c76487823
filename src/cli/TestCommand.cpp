#include "cli/TestCommand.h"

#include <chrono>
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
#include "tester/BatchRun.h"
#include "tester/DeviceKeys.h"
#include "tester/DeviceLookup.h"
#include "tester/ExecuteMapFileTest.h"
#include "tester/ReportFile.h"
#include "tester/ResultFiles.h"

namespace ravelin {

namespace {

constexpr int kClean = 0;
constexpr int kErrorsFound = 1;
constexpr int kFailure = 2;

class Command {
 public:
  Command(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
  // Tests, then writes the result files the options ask for.
  int Run(const TestOptions& options);

 private:
  int Fail(const std::wstring& message) {
    err_ << "ravelin-test: " << ToUtf8(message) << '\n';
    if (results_.error.empty()) results_.error = message;
    return kFailure;
  }
  int Test(const TestOptions& options);
  // Why a result file would overwrite the report or the device list.
  std::wstring ResultFileClash(const TestOptions& options, const std::wstring& report) const;
  // The keys after a database failure, as devices that were not tried.
  void AddUntried(const std::vector<std::wstring>& keys, const BatchResult& run);
  bool WriteResultFile(const wchar_t* option, const std::wstring& path, const std::string& bytes);
  bool CollectKeys(const TestOptions& options, std::vector<std::wstring>& keys,
                   std::wstring& problem);
  std::wstring DataSourceProblem() const;
  int CreateDevices(const std::wstring& server);
  std::wstring UseHost(const TestOptions& options, std::wstring& server);
  std::wstring ReportPath(const TestOptions& options, std::wstring& report);
  // The summary lines of a finished run, and its exit status.
  int Summarize(const BatchResult& run, const std::wstring& report);

  std::ostream& out_;
  std::ostream& err_;
  bool resultFiles_ = false;
  RunResults results_;
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

// The host root and the server of the run, or a message saying what is missing.
std::wstring Command::UseHost(const TestOptions& options, std::wstring& server) {
  if (!options.hostRoot.empty()) SetHostRoot(options.hostRoot);
  // Windows falls back on its own Windows directory; Linux has none.
  const std::wstring root = NativePlatform().WindowsDirectory();
  if (root.empty()) {
    return L"no host root: give --host-root DIR or set RAVELIN_HOST_ROOT"
           L" (tools/run-sample.sh makes the sample plant in build/plant)";
  }
  std::error_code error;
  if (!std::filesystem::is_directory(FsPath(root), error)) {
    return L"host root \"" + root + L"\": no such directory";
  }
  UseHostDataSources(root);
  server = options.server;
  if (server.empty()) {
    server = ProfileString(L"velk.ini", L"Tarn Server 1", L"Computer Name", L"");
  }
  if (server.empty()) {
    return JoinPath(root, L"velk.ini") + L": no [Tarn Server 1] Computer Name; give --server";
  }
  return L"";
}

// The report the run writes, or a message saying why there is none.
std::wstring Command::ReportPath(const TestOptions& options, std::wstring& report) {
  report = options.report;
  if (!report.empty()) return L"";
  std::wstring folder;
  GetVelkProfileValue(L"INSTALLATION", L"DevicesFolder", folder);
  if (folder.empty()) return VelkProfilePath() + L": no [INSTALLATION] DevicesFolder; give --report";
  report = JoinPath(folder, kReportFileName);
  return L"";
}

int Command::Run(const TestOptions& options) {
  resultFiles_ = !options.junit.empty() || !options.json.empty();
  if (!resultFiles_) return Test(options);
  const auto start = std::chrono::steady_clock::now();
  results_.kind = options.source == TestOptions::Source::kAllTemplates ? L"all-templates"
                  : options.source == TestOptions::Source::kDeviceList ? L"device-list"
                                                                        : L"device";
  results_.source = options.device;
  results_.level = options.level;
  results_.mapFileUsage = options.mapFileUsage;
  results_.genericMapFiles = options.allowGeneric;
  results_.warningsFail = options.warningsFail;
  const LocalTime now = NativePlatform().GetLocalTime();
  results_.started = Format(L"%04u-%02u-%02uT%02u:%02u:%02u", unsigned{now.year},
                            unsigned{now.month}, unsigned{now.day}, unsigned{now.hour},
                            unsigned{now.minute}, unsigned{now.second});
  int status = Test(options);
  if (!resultFiles_) return status;
  results_.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  // Both or neither are worth having; each is whole or not there.
  if (!options.junit.empty() && !WriteResultFile(L"--junit", options.junit, JUnitXml(results_))) {
    status = kFailure;
  }
  if (!options.json.empty() && !WriteResultFile(L"--json", options.json, ResultsJson(results_))) {
    status = kFailure;
  }
  return status;
}

bool Command::WriteResultFile(const wchar_t* option, const std::wstring& path,
                              const std::string& bytes) {
  if (WriteFileReplacing(path, bytes)) return true;
  err_ << "ravelin-test: " << ToUtf8(option) << ' ' << ToUtf8(path)
       << ": cannot be written: " << ToUtf8(WhyUnwritable(path)) << '\n';
  return false;
}

std::wstring Command::ResultFileClash(const TestOptions& options,
                                      const std::wstring& report) const {
  std::vector<std::pair<std::wstring, std::wstring>> taken{{L"the report", report}};
  if (options.source == TestOptions::Source::kDeviceList) {
    taken.emplace_back(L"the device list", options.device);
  }
  for (const auto& [option, path] : {std::pair(L"--junit", options.junit),
                                     std::pair(L"--json", options.json)}) {
    for (const auto& [what, other] : taken) {
      if (!path.empty() && (path == other || IsSameExistingFile(path, other))) {
        return std::wstring(option) + L" " + path + L" is " + what + L"; give another file";
      }
    }
  }
  return L"";
}

void Command::AddUntried(const std::vector<std::wstring>& keys, const BatchResult& run) {
  for (size_t i = run.tried; i < keys.size(); ++i) {
    DeviceResult device;
    device.key = keys[i];
    device.name = DisplayKey(keys[i]);
    device.notTested = Format(L"not tried: the run stopped at device %d: %s",
                              static_cast<int>(run.tried), run.StopReason().c_str());
    results_.devices.push_back(std::move(device));
  }
}

int Command::Test(const TestOptions& options) {
  std::wstring server;
  if (const std::wstring problem = UseHost(options, server); !problem.empty()) {
    return Fail(problem);
  }
  ConsolePlatform console(err_);
  if (options.source == TestOptions::Source::kCreateTestDevices) {
    return CreateDevices(server);
  }
  std::wstring report;
  if (const std::wstring problem = ReportPath(options, report); !problem.empty()) {
    return Fail(problem);
  }
  results_.server = server;
  results_.report = report;
  if (const std::wstring clash = ResultFileClash(options, report); !clash.empty()) {
    resultFiles_ = false;  // neither is written over what it would replace
    return Fail(clash);
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
    return Fail(HostDatabaseUnreadable(CDbwDbSession::GetGlobalSessionPtr()));
  }
  if (options.source == TestOptions::Source::kDeviceList &&
      IsSameExistingFile(options.device, report)) {
    return Fail(L"the device list " + options.device + L" and the report " + report +
                L" are the same file; give another --report");
  }
  if (const std::wstring problem = StartReport(report); !problem.empty()) return Fail(problem);

  BatchOptions batch;
  batch.server = server;
  batch.reportPath = report;
  batch.mapFileUsage = options.mapFileUsage;
  batch.outputLevel = options.level;
  batch.allowGenericMapFile = options.allowGeneric;
  batch.keepOutcomes = resultFiles_;
  const std::wstring hartRoot = ProfileString(L"velk.ini", L"INSTALLATION", L"DevicePath", L"");
  const std::wstring fieldbusRoot =
      ProfileString(L"velk.ini", L"INSTALLATION", L"DevicePathFF", L"");
  std::chrono::steady_clock::time_point deviceStart;
  BatchHooks hooks;
  hooks.starting = [&](size_t index, const std::wstring& key) {
    deviceStart = std::chrono::steady_clock::now();
    // One piece, so an unbuffered stream writes the line in one call.
    err_ << "device " + std::to_string(index + 1) + " of " + std::to_string(keys.size()) +
                ": " + ToUtf8(DisplayKey(key)) + '\n';
  };
  hooks.finished = [&](size_t, const std::wstring& key, const CExecuteMapFileTest& test) {
    if (resultFiles_) {
      results_.devices.push_back(ResultOfLastDevice(key, test, hartRoot, fieldbusRoot));
      results_.devices.back().seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - deviceStart).count();
    }
    if (test.UnreachedReason().empty()) return;
    err_ << "ravelin-test: " << ToUtf8(key) << " (server " << ToUtf8(server)
         << ") not tested: " << ToUtf8(test.UnreachedReason()) << '\n';
  };
  const BatchResult run = RunBatch(batch, keys, hooks);
  if (resultFiles_) AddUntried(keys, run);
  return Summarize(run, report);
}

int Command::Summarize(const BatchResult& run, const std::wstring& report) {
  out_ << run.errors << " errors, " << run.warnings << " warnings; report: " << ToUtf8(report)
       << '\n';
  if (run.lostReportSections > 0) {
    out_ << run.lostReportSections << " of " << run.devices
         << " report sections could not be written; the counts miss them\n";
  }
  if (run.NotTested() > 0) {
    out_ << run.NotTested() << " of " << run.devices << " devices could not be tested\n";
  }
  if (run.databaseUnreadable || run.lostReportSections > 0) {
    const std::wstring why = run.databaseUnreadable
                                 ? run.StopReason()
                                 : L"the report " + report + L" could not be written";
    return Fail(Format(L"the run stopped at device %d of %d: %s", static_cast<int>(run.tried),
                       static_cast<int>(run.devices), why.c_str()));
  }
  if (run.NotTested() > 0) return run.NotTested() == run.devices ? kFailure : kErrorsFound;
  return run.errors > 0 ? kErrorsFound : kClean;
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
