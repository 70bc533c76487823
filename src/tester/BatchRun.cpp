#include "tester/BatchRun.h"

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
  for (size_t i = 0; i < keys.size() && !test.DatabaseUnreadable(); ++i) {
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
  const std::vector<int> counts =
      CountWordsInReport(options.reportPath, {L"ERROR", L"WARNING"});
  result.errors = counts[0];
  result.warnings = counts[1];
  return result;
}

}  // namespace ravelin
