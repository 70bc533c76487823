// The command line of ravelin-test.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ravelin {

struct TestOptions {
  enum class Source { kNone, kDevice, kDeviceList, kAllTemplates, kCreateTestDevices };

  std::wstring hostRoot;     // empty: RAVELIN_HOST_ROOT
  Source source = Source::kNone;
  std::wstring device;       // --device KEY, or the --device-list FILE
  std::wstring server;       // empty: velk.ini
  std::wstring report;       // empty: the host's devices folder
  std::wstring level = L"WARNINGS";
  std::wstring mapFileUsage = L"Use for CalMgmt";
  bool allowGeneric = true;
  std::wstring junit;        // --junit FILE: the results as JUnit XML
  std::wstring json;         // --json FILE: the results as JSON
  bool warningsFail = false; // a device with warnings fails in those files
  bool help = false;
  bool version = false;
};

// Parses the arguments after the program name. On a usage error: nullopt
// and `error` says what is wrong.
std::optional<TestOptions> ParseTestOptions(const std::vector<std::wstring>& args,
                                            std::wstring& error);

extern const char kTestUsage[];

}  // namespace ravelin
