// A map file test run over many device keys into one report, as the
// launcher and ravelin-test both start it: every block's section is appended
// to the report, and the run stops at the first device whose test found the
// host database unreadable or lost a section of the report (which then ends
// in a line that says so, where it can still be written). Each caller keeps
// its own words: it collects the keys, starts the report, shows progress
// through the hooks and tells the result in its own way.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace ravelin {

class CExecuteMapFileTest;

struct BatchOptions {
  // The plant server every key is tested on.
  std::wstring server;
  // Started by the caller (StartReport); sections are appended to it.
  std::wstring reportPath;
  // "Use for CalMgmt" or "Use for Export".
  std::wstring mapFileUsage = L"Use for CalMgmt";
  // "ERRORS", "WARNINGS" or "ALL".
  std::wstring outputLevel = L"WARNINGS";
  bool allowGenericMapFile = false;
  // The driver keeps each block's outcome for the finished hook (result files).
  bool keepOutcomes = false;
};

struct BatchHooks {
  // Before the device at `index` of the keys is tested.
  std::function<void(size_t index, const std::wstring& key)> starting;
  // After it was tested; the driver tells what came of it.
  std::function<void(size_t index, const std::wstring& key, const CExecuteMapFileTest& test)>
      finished;
  // Tests one key; by default the driver's TestDevice on the options' server.
  std::function<void(CExecuteMapFileTest& test, const std::wstring& key)> testDevice;
};

struct BatchResult {
  size_t devices = 0;
  // Devices tested before the run ended: all of them unless the database
  // or the report stopped it.
  size_t tried = 0;
  // Key and reason of each device that could not be reached.
  std::vector<std::pair<std::wstring, std::wstring>> unreached;
  bool databaseUnreadable = false;
  int lostReportSections = 0;
  // "ERROR" and "WARNING" as counted in the report when the run ended.
  int errors = 0;
  int warnings = 0;

  size_t Untried() const { return devices - tried; }
  // Why the run ended before the last device, for a message.
  std::wstring StopReason() const {
    return databaseUnreadable ? L"the host database could not be read"
                              : L"the report could not be written";
  }
  // Unreached devices and those the run did not try.
  size_t NotTested() const { return unreached.size() + Untried(); }
};

BatchResult RunBatch(const BatchOptions& options, const std::vector<std::wstring>& keys,
                     const BatchHooks& hooks = {});

}  // namespace ravelin
