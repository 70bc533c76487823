// The map file test of one device (one block of it): resolve the device,
// open its map file and the device through the toolkit, run every parameter
// check in a fixed order and write the block's report section.
//
// The report section of a block: start banner, header (names, revision and
// identity), date, the generic-map-file note, the map file's path, the test
// results banner, each checked item under its title (separators between
// items), the input block type, the totalizer, end banner. Without a map file
// the section is the single line "Map file does not exist.".
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "checks/CheckLines.h"

namespace ravelin {

class CLumendescBase;
class CMapFile;
class CVelkToolkit;

class CExecuteMapFileTest {
 public:
  CExecuteMapFileTest();
  virtual ~CExecuteMapFileTest();
  CExecuteMapFileTest(const CExecuteMapFileTest&) = delete;
  CExecuteMapFileTest& operator=(const CExecuteMapFileTest&) = delete;

  // `deviceKey` is a device tag or "!NamedConfig!" and a template's name.
  void TestDevice(std::wstring server, std::wstring deviceKey);
  void TestBlock(std::wstring server, std::wstring name, std::wstring moniker,
                 int32_t manufacturerId, int32_t deviceType, int32_t deviceRevision,
                 bool isFieldbus);
  // `server` is the plant server the block is tested on, without the
  // backslashes: the live totalizer value is read from it.
  void TestTotalizer(CMapFile& mapFile, CLumendescBase& deviceInfo,
                     const std::wstring& server, std::wstring moniker);
  void AddReportLine(const std::wstring& line);
  // Appends the pending lines to the report file; a message box says so
  // when it cannot be written.
  void AppendReportToFile();
  // Replaces the report file with the pending lines and opens it.
  void WriteReportAndOpen();

  // How many block sections could not be written to the report file.
  int LostReportSections() const { return m_lostReportSections; }

  // Why the device of the last TestDevice or TestBlock could not be reached:
  // an unknown tag or template, a server that cannot be reached, a device
  // the server does not know. Empty when it was reached. The report's lines
  // are the same either way; this tells a caller that nothing was tested.
  const std::wstring& UnreachedReason() const { return m_unreachedReason; }
  // Whether the last TestDevice or TestBlock found the host database
  // unreadable (a failed statement, a lost connection; UnreachedReason says
  // so): a run stops there rather than report every further device as
  // unknown, or tested with what the database did not say.
  bool DatabaseUnreadable() const { return m_databaseUnreadable; }

  // What the last block test wrote and about which block, kept for result
  // files when m_keepOutcome is set.
  struct BlockOutcome {
    std::wstring name;
    int32_t manufacturerId = 0;
    int32_t deviceType = 0;
    int32_t deviceRevision = 0;
    bool fieldbus = false;
    int32_t blockIndex = -1;   // fieldbus only
    std::wstring mapFilePath;  // empty without a map file
    bool genericMapFile = false;
    // The section's lines, and where each checked item's title stands.
    ReportLines lines;
    std::vector<std::pair<size_t, const wchar_t*>> titles;
  };
  const BlockOutcome& LastOutcome() const { return m_outcome; }
  bool m_keepOutcome = false;

  // 1: each block replaces the report and opens it; 0: blocks are appended.
  int32_t m_openReportAfterTest = 1;
  int32_t m_allowGenericMapFile = 0;
  // Filled on the first block test when empty.
  std::wstring m_reportFilePath;
  // "Use for CalMgmt" or "Use for Export".
  std::wstring m_mapFileUsage = L"Use for CalMgmt";
  // "ERRORS", "WARNINGS" or "ALL", in any case.
  std::wstring m_outputLevel = L"WARNINGS";
  // The pending lines of the block under test; empty between blocks.
  ReportLines m_reportLines;

 private:
  struct Block;
  // Opens the block's device on its server; false, and the reason kept,
  // when the server or the device cannot be reached.
  bool ReachDevice(CVelkToolkit& toolkit, const Block& block);
  // The section of a reached block from its start banner to its checks.
  void TestReachedBlock(const Block& block, CVelkToolkit& toolkit, CMapFile& mapFile,
                        int32_t mapFileKind);
  // The block's names and identity, and the time of the test.
  void AddBlockHeader(const Block& block, int32_t blockKey);
  // Marks the test's database as unreadable when a lookup found it so.
  void NoteLookup(int32_t result);
  void RunChecks(CMapFile& mapFile, CLumendescBase& deviceInfo, int32_t viewKind,
                 int32_t mapFileKind, int32_t manufacturerId, int32_t deviceType);
  void CheckMultipleBlock(CLumendescBase& deviceInfo, const std::wstring& mapFilePath,
                          int32_t direction, int32_t viewKind, int32_t mapFileKind);
  void CheckInputBlockType(CMapFile& mapFile, CLumendescBase& deviceInfo,
                           int32_t viewKind, int32_t mapFileKind);
  // A separator (unless first) and a title line before an item's check.
  void Title(const wchar_t* title, bool first = false);

  BlockOutcome m_outcome;
  int m_lostReportSections = 0;
  std::wstring m_unreachedReason;
  bool m_databaseUnreadable = false;
};

}  // namespace ravelin
