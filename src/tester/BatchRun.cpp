#include "tester/BatchRun.h"

#include "base/Text.h"
#include "tester/DeviceKeys.h"
#include "tester/ExecuteMapFileTest.h"
#include "tester/ReportFile.h"

namespace ravelin {

BatchResult RunBatch(const BatchOptions& options, const std::vector<std::wstring>& keys,
                     const BatchHooks& hooks) {
  CExecuteMapFileTest test;
  test.m_reportFilePath = options.reportPath;
  test.m_openReportAfterTest = 0;
  test.m_mapFileUsage = options.mapFileUsage;
  test.m_outputLevel = options.outputLevel;
  test.m_allowGenericMapFile = options.allowGenericMapFile ? 1 : 0;
  test.m_keepOutcome = options.keepOutcomes;

  BatchResult result;
  result.devices = keys.size();
  // A report that lost a section (a full disk, a file taken away) would lose
  // the devices after it too.
  for (size_t i = 0;
       i < keys.size() && !test.DatabaseUnreadable() && test.LostReportSections() == 0; ++i) {
    const std::wstring& key = keys[i];
    if (hooks.starting) hooks.starting(i, key);
    if (hooks.testDevice) {
      hooks.testDevice(test, key);
    } else {
      test.TestDevice(options.server, key);
    }
    ++result.tried;
    if (!test.UnreachedReason().empty()) result.unreached.emplace_back(key, test.UnreachedReason());
    if (hooks.finished) hooks.finished(i, key, test);
  }
  result.databaseUnreadable = test.DatabaseUnreadable();
  result.lostReportSections = test.LostReportSections();
  if (result.lostReportSections > 0) {
    // Should the file take one line more, it says itself where it breaks off.
    AppendLinesToReport(
        options.reportPath,
        {Format(L"The report is incomplete: a section of device %d of %d (%s) could not be"
                L" written, and no device after it was tested.",
                static_cast<int>(result.tried), static_cast<int>(result.devices),
                DisplayKey(keys[result.tried - 1]).c_str())});
  }
  const std::vector<int> counts =
      CountWordsInReport(options.reportPath, {L"ERROR", L"WARNING"});
  result.errors = counts[0];
  result.warnings = counts[1];
  return result;
}

}  // namespace ravelin
