// A test run's results for build servers: JUnit XML, which the common CI
// systems show natively, and a JSON document of the same results
// (docs/result-files.md). One test case per device key tested, named by the
// device and its identity, its class the map file's path below the DD root.
// Both files hold the same counts as the text report: a line's errors and
// warnings are its occurrences of "ERROR" and "WARNING", as the report's
// summary counts them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ravelin {

class CExecuteMapFileTest;

struct Finding {
  bool error = false;  // else a warning
  // The title of the checked item the line stands under; empty for the
  // lines before the first item (the generic map file's refusal).
  std::wstring item;
  std::wstring line;
};

struct DeviceResult {
  std::wstring key;
  std::wstring name;  // the tag or the template's name
  int32_t manufacturerId = 0;
  int32_t deviceType = 0;
  int32_t deviceRevision = 0;
  bool fieldbus = false;
  int32_t block = -1;    // the fieldbus block index, -1 for none
  std::wstring mapFile;  // below the DD root; empty without a map file
  bool genericMapFile = false;
  int errors = 0;
  int warnings = 0;
  double seconds = 0;
  std::vector<Finding> findings;
  std::wstring notTested;  // why the device was not tested; empty if it was

  // "NAME (manufacturer 0000a1, type 4008, revision 0a[, block 4])".
  std::wstring CaseName() const;
};

struct RunResults {
  std::wstring kind;    // "all-templates", "device-list" or "device"
  std::wstring source;  // the device key or the list file; empty for templates
  std::wstring server;
  std::wstring report;
  std::wstring level;
  std::wstring mapFileUsage;
  bool genericMapFiles = true;
  bool warningsFail = false;
  std::wstring started;  // local time, "YYYY-MM-DDTHH:MM:SS"
  double seconds = 0;
  std::vector<DeviceResult> devices;
  // Why the run stopped early or could not start; empty when it completed.
  std::wstring error;

  // Whether the device's case fails: errors, or warnings with warningsFail.
  bool Fails(const DeviceResult& device) const;
};

// The result of the device the driver tested last (its m_keepOutcome set);
// `ddRoots` are the HART and fieldbus DD folders the map file path is
// shortened by.
DeviceResult ResultOfLastDevice(const std::wstring& key, const CExecuteMapFileTest& test,
                                const std::wstring& hartRoot, const std::wstring& fieldbusRoot);

std::string JUnitXml(const RunResults& run);
std::string ResultsJson(const RunResults& run);

}  // namespace ravelin
