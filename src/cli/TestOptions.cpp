#include "cli/TestOptions.h"

#include "base/Text.h"

namespace ravelin {

const char kTestUsage[] =
    "Usage: ravelin-test [--host-root DIR] (--device KEY | --device-list FILE |\n"
    "                    --all-templates) [--server NAME] [--report FILE]\n"
    "                    [--level errors|warnings|all] [--all-map-files]\n"
    "                    [--generic | --no-generic] [--junit FILE] [--json FILE]\n"
    "                    [--warnings-fail]\n"
    "       ravelin-test [--host-root DIR] --create-test-devices [--server NAME]\n"
    "\n"
    "Tests the map files of one device, of the devices of a list file, or of\n"
    "every device template, and writes the test report. Or creates a fieldbus\n"
    "test device in the host database for every device template.\n"
    "\n"
    "  --host-root DIR     the host root (default: RAVELIN_HOST_ROOT; one of\n"
    "                      the two is needed)\n"
    "  --device KEY        a device tag, or !NamedConfig! and a template name\n"
    "  --device-list FILE  one device key per line; empty lines are skipped\n"
    "  --all-templates     every device template of the host database\n"
    "  --create-test-devices  create the test devices; the server gives their\n"
    "                      generated parameter data\n"
    "  --server NAME       the plant server (default: velk.ini,\n"
    "                      [Tarn Server 1] Computer Name)\n"
    "  --report FILE       the report file (default: MapFileTestResults.txt in\n"
    "                      the host's INSTALLATION DevicesFolder); it is replaced\n"
    "  --level LEVEL       errors, warnings (default) or all\n"
    "  --all-map-files     test every map file, not only calibration map files\n"
    "  --generic           let generic map files be used (default)\n"
    "  --no-generic        refuse generic map files\n"
    "  --junit FILE        also write the results as JUnit XML, for build servers:\n"
    "                      a test case per device, failed where its report\n"
    "                      section holds an error, skipped where not tested\n"
    "  --json FILE         also write the results as a JSON document\n"
    "  --warnings-fail     in those files a device with warnings fails too\n"
    "  --help, --version   show this text, or the version\n"
    "\n"
    "Exit status: 0 no errors, 1 errors found or some devices could not be\n"
    "reached, 2 usage error, no device could be tested, or the run stopped\n"
    "because the host database could not be read or the report could not\n"
    "be written (test device creation: 0 done, 2 it ended early).\n";

namespace {

// "--name=value" or "--name value".
bool TakeValue(const std::vector<std::wstring>& args, size_t& i, const std::wstring& name,
               std::wstring& value, std::wstring& error) {
  const std::wstring& arg = args[i];
  if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
      arg[name.size()] == L'=') {
    value = arg.substr(name.size() + 1);
  } else if (i + 1 < args.size()) {
    value = args[++i];
  } else {
    error = name + L" needs a value";
    return false;
  }
  if (value.empty()) {
    error = name + L" needs a value";
    return false;
  }
  return true;
}

bool Matches(const std::wstring& arg, const std::wstring& name) {
  return arg == name || arg.rfind(name + L"=", 0) == 0;
}

}  // namespace

std::optional<TestOptions> ParseTestOptions(const std::vector<std::wstring>& args,
                                            std::wstring& error) {
  TestOptions options;
  auto setSource = [&](TestOptions::Source source) {
    if (options.source != TestOptions::Source::kNone) {
      error = L"give only one of --device, --device-list, --all-templates and"
              L" --create-test-devices";
      return false;
    }
    options.source = source;
    return true;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& arg = args[i];
    bool ok = true;
    if (arg == L"--help" || arg == L"-h") {
      options.help = true;
    } else if (arg == L"--version") {
      options.version = true;
    } else if (Matches(arg, L"--host-root")) {
      ok = TakeValue(args, i, L"--host-root", options.hostRoot, error);
    } else if (Matches(arg, L"--device-list")) {
      ok = setSource(TestOptions::Source::kDeviceList) &&
           TakeValue(args, i, L"--device-list", options.device, error);
    } else if (Matches(arg, L"--device")) {
      ok = setSource(TestOptions::Source::kDevice) &&
           TakeValue(args, i, L"--device", options.device, error);
    } else if (arg == L"--all-templates") {
      ok = setSource(TestOptions::Source::kAllTemplates);
    } else if (arg == L"--create-test-devices") {
      ok = setSource(TestOptions::Source::kCreateTestDevices);
    } else if (Matches(arg, L"--server")) {
      ok = TakeValue(args, i, L"--server", options.server, error);
    } else if (Matches(arg, L"--report")) {
      ok = TakeValue(args, i, L"--report", options.report, error);
    } else if (Matches(arg, L"--level")) {
      std::wstring level;
      ok = TakeValue(args, i, L"--level", level, error);
      if (ok && (EqualsNoCase(level, L"errors") || EqualsNoCase(level, L"warnings") ||
                 EqualsNoCase(level, L"all"))) {
        for (wchar_t& c : level) {
          if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
        }
        options.level = level;
      } else if (ok) {
        error = L"--level must be errors, warnings or all, not \"" + level + L"\"";
        ok = false;
      }
    } else if (arg == L"--all-map-files") {
      options.mapFileUsage = L"Use for Export";
    } else if (arg == L"--generic") {
      options.allowGeneric = true;
    } else if (arg == L"--no-generic") {
      options.allowGeneric = false;
    } else if (Matches(arg, L"--junit")) {
      ok = TakeValue(args, i, L"--junit", options.junit, error);
    } else if (Matches(arg, L"--json")) {
      ok = TakeValue(args, i, L"--json", options.json, error);
    } else if (arg == L"--warnings-fail") {
      options.warningsFail = true;
    } else {
      error = L"unknown argument \"" + arg + L"\"";
      ok = false;
    }
    if (!ok) return std::nullopt;
  }
  if (!options.help && !options.version &&
      options.source == TestOptions::Source::kNone) {
    error = L"give one of --device, --device-list, --all-templates or"
            L" --create-test-devices";
    return std::nullopt;
  }
  if (options.source == TestOptions::Source::kCreateTestDevices &&
      (!options.junit.empty() || !options.json.empty())) {
    error = L"--junit and --json go with a test run, not with --create-test-devices";
    return std::nullopt;
  }
  if (!options.junit.empty() && options.junit == options.json) {
    error = L"--junit and --json name the same file";
    return std::nullopt;
  }
  return options;
}

}  // namespace ravelin
