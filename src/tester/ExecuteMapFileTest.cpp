#include "tester/ExecuteMapFileTest.h"

#include <cwchar>
#include <limits>
#include <utility>

#include "base/Text.h"
#include "checks/Checkers.h"
#include "checks/NonEnumParamInfo.h"
#include "outside/comm/CancelableRead.h"
#include "outside/comm/VelkToolkit.h"
#include "outside/db/DbwSession.h"
#include "outside/db/DbwTarnBlock.h"
#include "outside/db/ProgLog.h"
#include "outside/db/VelkDatabase.h"
#include "outside/db/VelkProfile.h"
#include "outside/desc/LumendescBase.h"
#include "outside/desc/MapFile.h"
#include "platform/Platform.h"
#include "platform/Profile.h"
#include "tester/DeviceLookup.h"
#include "tester/ReportFile.h"

namespace ravelin {

namespace {

constexpr wchar_t kSource[] = L"ExecuteMapFileTest";
constexpr uint16_t kMultivariable = 99;

// Hexadecimal digits of a template's DD identifier; non-hex text gives 0.
int32_t HexField(const std::wstring& text, size_t start, size_t length) {
  if (start >= text.size()) return 0;
  const std::wstring field = text.substr(start, length);
  return static_cast<int32_t>(std::wcstoul(field.c_str(), nullptr, 16));
}

// A block type value as the host reads it: a decimal number of at most 32
// bits (out-of-range values stick at the limit), of which 16 bits count.
uint16_t BlockTypeValue(const std::wstring& text) {
  long long value = std::wcstoll(text.c_str(), nullptr, 10);
  if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) value = std::numeric_limits<int32_t>::min();
  return static_cast<uint16_t>(value);
}

std::wstring ServerRoot(const std::wstring& server) { return L"\\\\" + server; }

std::wstring ServerUnreachable(const std::wstring& server, const CVelkToolkit& toolkit) {
  return L"server " + server + L" cannot be reached: " + toolkit.GetLastErrorText();
}

}  // namespace

CExecuteMapFileTest::CExecuteMapFileTest() = default;

CExecuteMapFileTest::~CExecuteMapFileTest() = default;

void CExecuteMapFileTest::AddReportLine(const std::wstring& line) {
  m_reportLines.push_back(line);
}

void CExecuteMapFileTest::Title(const wchar_t* title, bool first) {
  if (!first) AddReportLine(Separator());
  if (m_keepOutcome) m_outcome.titles.emplace_back(m_reportLines.size(), title);
  AddReportLine(title);
}

void CExecuteMapFileTest::TestDevice(std::wstring server, std::wstring deviceKey) {
  // Profile files and the recording are checked for changes once per device.
  const StampScope stamps;
  CVelkDatabase database;
  CVelkToolkit toolkit;
  int32_t blockKey = -1;
  int32_t manufacturerId = 0;
  int32_t deviceType = 1;
  int32_t deviceRevision = -1;
  int32_t protocol = -1;
  bool fieldbus = false;
  std::wstring name;
  std::wstring moniker;
  // Found before the block test, which then only sees an empty identity.
  std::wstring unreached;
  int32_t lookup = kDbwOk;
  if (IsNamedConfigMoniker(deviceKey)) {
    moniker = deviceKey;
    if (toolkit.NewRoot(ServerRoot(server), kProtocolHart) != 0) {
      unreached = ServerUnreachable(server, toolkit);
    }
    toolkit.SetView(kViewNamedConfig);
    if (toolkit.Item(&toolkit, moniker) != 0 && unreached.empty()) {
      unreached = L"no such device template on server " + server;
    }
    std::wstring ddl;
    CancelableStringRead(toolkit, L"Name", name, nullptr);
    CancelableStringRead(toolkit, L"DDL", ddl, nullptr);
    if (!ddl.empty()) {
      manufacturerId = HexField(ddl, 0, 6);
      deviceType = HexField(ddl, 6, 4);
      deviceRevision = HexField(ddl, 10, 2);
    }
  } else {
    name = deviceKey;
    if (!FindBlockKeyForTag(name, blockKey, &lookup)) {
      unreached = lookup == kDbwDatabaseError
                      ? HostDatabaseUnreadable(CDbwDbSession::GetGlobalSessionPtr())
                      : L"no device carries this tag in the host database";
    }
    CDbwTarnBlock block;
    block.Identify(blockKey);
    // A database that refused the tag is not asked again for the block.
    if (lookup == kDbwDatabaseError ||
        (lookup = block.Access(CDbwDbSession::GetGlobalSessionPtr())) != kDbwOk) {
      if (unreached.empty()) {
        unreached = lookup == kDbwDatabaseError
                        ? HostDatabaseUnreadable(CDbwDbSession::GetGlobalSessionPtr())
                        : L"the tag's block cannot be read from the host database";
      }
    } else {
      manufacturerId = block.GetMfrId();
      deviceType = block.GetDeviceTypeCode();
      deviceRevision = block.GetDeviceRevisionCode();
      protocol = block.GetProtocolId();
      switch (protocol) {
        case 1:
          moniker = Format(L"!ID!%s!Hart", block.GetTarnDeviceId().c_str());
          break;
        case 2:
          moniker = Format(L"!ID!%s!BlockIndCol!0", block.GetTarnDeviceId().c_str());
          break;
        case 3:
          moniker = L"!PhysicalDevice!" + block.GetDeviceSerialIdentifier();
          fieldbus = true;
          break;
        default:
          BssProgLog(kSource, __LINE__, 1, 0x2000000C,
                     L"ProtocolId is incorrect in the database.");
          break;
      }
    }
  }
  TestBlock(server, name, moniker, manufacturerId, deviceType, deviceRevision, fieldbus);
  if (!unreached.empty()) m_unreachedReason = unreached;
  m_databaseUnreadable = m_databaseUnreadable || lookup == kDbwDatabaseError;
}

struct CExecuteMapFileTest::Block {
  std::wstring server;
  std::wstring name;
  std::wstring moniker;
  int32_t manufacturerId;
  int32_t deviceType;
  int32_t deviceRevision;
  bool isFieldbus;
};

void CExecuteMapFileTest::TestBlock(std::wstring server, std::wstring name,
                                    std::wstring moniker, int32_t manufacturerId,
                                    int32_t deviceType, int32_t deviceRevision,
                                    bool isFieldbus) {
  const StampScope stamps;
  m_unreachedReason.clear();
  m_databaseUnreadable = false;
  if (m_reportFilePath.empty()) {
    std::wstring devicePath;
    GetVelkProfileValue(L"INSTALLATION", L"DevicePath", devicePath);
    m_reportFilePath = JoinPath(devicePath, kReportFileName);
  }
  Block block{std::move(server), std::move(name), std::move(moniker), manufacturerId,
              deviceType, deviceRevision, isFieldbus};
  DeviceIdentification identification;
  identification.manufacturer = static_cast<uint32_t>(manufacturerId);
  identification.deviceType = static_cast<uint16_t>(deviceType);
  identification.deviceRevision = static_cast<uint8_t>(deviceRevision);
  identification.protocol = isFieldbus ? kIdentProtocolFieldbus : kIdentProtocolHart;
  CVelkToolkit toolkit;
  int32_t mapFileKind = kNoMapFile;
  CMapFile mapFile(identification, &toolkit, m_mapFileUsage, &mapFileKind, true, true);
  if (m_keepOutcome) {
    m_outcome = BlockOutcome{};
    m_outcome.name = block.name;
    m_outcome.manufacturerId = manufacturerId;
    m_outcome.deviceType = deviceType;
    m_outcome.deviceRevision = deviceRevision;
    m_outcome.fieldbus = isFieldbus;
    if (mapFile.m_bMapFileExists) {
      if (isFieldbus) m_outcome.blockIndex = mapFile.m_nBlockIndex;
      m_outcome.mapFilePath = mapFile.m_strMapFilePath;
      m_outcome.genericMapFile = mapFileKind == kGenericMapFile;
    }
  }

  if (!mapFile.m_bMapFileExists) {
    AddReportLine(L"Map file does not exist.");
  } else {
    if (isFieldbus) {
      block.moniker = Format(L"%s!Blkid!%d", block.moniker.c_str(), mapFile.m_nBlockIndex);
    }
    if (ReachDevice(toolkit, block)) {
      TestReachedBlock(block, toolkit, mapFile, mapFileKind);
    } else {
      AddReportLine(L"Error: Can't create server object.");
    }
    AddReportLine(EndBanner());
  }
  if (m_openReportAfterTest == 1) {
    WriteReportAndOpen();
  } else {
    AppendReportToFile();
  }
  if (m_keepOutcome) m_outcome.lines = std::move(m_reportLines);
  m_reportLines.clear();
}

bool CExecuteMapFileTest::ReachDevice(CVelkToolkit& toolkit, const Block& block) {
  const wchar_t* failure = nullptr;
  if (toolkit.NewRoot(ServerRoot(block.server),
                      block.isFieldbus ? kProtocolFieldbus : kProtocolHart) != 0) {
    failure = L"Server NewRoot failed.";
    m_unreachedReason = ServerUnreachable(block.server, toolkit);
  } else if (toolkit.Item(&toolkit, block.moniker) != 0) {
    failure = L"Server Item failed.";
    m_unreachedReason =
        L"server " + block.server + L" does not know the device " + block.moniker;
  }
  if (failure == nullptr) return true;
  BssProgLog(kSource, __LINE__, 2, 0x20000001, failure);
  return false;
}

void CExecuteMapFileTest::TestReachedBlock(const Block& block, CVelkToolkit& toolkit,
                                           CMapFile& mapFile, int32_t mapFileKind) {
  const int32_t viewKind = IsNamedConfigMoniker(block.moniker) ? kViewNamedConfig : kViewCurrent;
  toolkit.SetView(viewKind);
  int32_t blockKey = -1;
  if (block.isFieldbus) {
    int32_t lookup = kDbwOk;
    FindBlockKeyForTag(block.name, blockKey, &lookup);
    NoteLookup(lookup);
  } else {
    CancelableIntRead(toolkit, L"BlockKey", blockKey, nullptr);
  }
  CLumendescBase deviceInfo(blockKey, 0.0, &mapFile, &toolkit);
  AddReportLine(StartBanner());
  AddBlockHeader(block, blockKey);
  if (mapFileKind == kGenericMapFile) {
    if (!m_allowGenericMapFile) {
      AddReportLine(
          L"Generic map file would be used but tester chose to prevent this. "
          L"No test performed.");
      return;
    }
    AddReportLine(L"A Generic map file is being used.");
  }
  AddReportLine(Format(L"Map file is %s", mapFile.m_strMapFilePath.c_str()));
  AddReportLine(TestResultsBanner());
  RunChecks(mapFile, deviceInfo, viewKind, mapFileKind, block.manufacturerId, block.deviceType);
  TestTotalizer(mapFile, deviceInfo, block.server, block.moniker);
}

void CExecuteMapFileTest::NoteLookup(int32_t result) {
  if (result != kDbwDatabaseError || m_databaseUnreadable) return;
  m_databaseUnreadable = true;
  m_unreachedReason = HostDatabaseUnreadable(CDbwDbSession::GetGlobalSessionPtr());
}

void CExecuteMapFileTest::AddBlockHeader(const Block& block, int32_t blockKey) {
  const std::wstring ids =
      Format(L"(%x  %x  %x)", block.manufacturerId, block.deviceType, block.deviceRevision);
  if (blockKey >= 0) {
    std::wstring manufacturerName, deviceTypeName;
    NoteLookup(GetBlockNames(blockKey, manufacturerName, deviceTypeName));
    AddReportLine(Format(L"%s %s  Rev. %d    %s", manufacturerName.c_str(),
                         deviceTypeName.c_str(), block.deviceRevision, ids.c_str()));
  } else if (block.name.empty()) {
    AddReportLine(ids);
  } else {
    AddReportLine(Format(L"%s    %s", block.name.c_str(), ids.c_str()));
  }
  const LocalTime now = ThePlatform().GetLocalTime();
  AddReportLine(Format(L"The test was conducted at %hu:%hu:%hu on %hu-%hu-%hu",
                       unsigned{now.hour}, unsigned{now.minute}, unsigned{now.second},
                       unsigned{now.month}, unsigned{now.day}, unsigned{now.year}));
}

void CExecuteMapFileTest::RunChecks(CMapFile& mapFile, CLumendescBase& deviceInfo,
                                    int32_t viewKind, int32_t mapFileKind,
                                    int32_t manufacturerId, int32_t deviceType) {
  Title(L"Input block unit", true);
  CUnitInfo(&deviceInfo, 0).CheckParameter(m_reportLines, viewKind, mapFileKind,
                                           m_outputLevel, 0);
  Title(L"Input Block Upper Range Value");
  CUpperRangeValueInfo(&deviceInfo, 0).CheckParameter(m_reportLines, mapFileKind,
                                                      m_outputLevel);
  Title(L"Input Block Lower Range Value");
  CLowerRangeValueInfo(&deviceInfo, 0).CheckParameter(m_reportLines, mapFileKind,
                                                      m_outputLevel);
  // These two device types of manufacturer 0x7D have no output block and
  // no damping.
  const bool noOutputBlock =
      manufacturerId == 0x7D && (deviceType == 0x109 || deviceType == 0x10A);
  if (!noOutputBlock) {
    Title(L"Output block unit");
    CUnitInfo(&deviceInfo, 1).CheckParameter(m_reportLines, viewKind, mapFileKind,
                                             m_outputLevel, 0);
    Title(L"Output Block Upper Range Value");
    CUpperRangeValueInfo(&deviceInfo, 1).CheckParameter(m_reportLines, mapFileKind,
                                                        m_outputLevel);
    Title(L"Output Block Lower Range Value");
    CLowerRangeValueInfo(&deviceInfo, 1).CheckParameter(m_reportLines, mapFileKind,
                                                        m_outputLevel);
    Title(L"Damping Value");
    CDampingValueInfo(&deviceInfo).CheckParameter(m_reportLines, mapFileKind,
                                                  m_outputLevel);
  }
  Title(L"Transfer function");
  CTransferFInfo(&deviceInfo).CheckParameter(m_reportLines, viewKind, mapFileKind,
                                             m_outputLevel, 0);
  CheckMultipleBlock(deviceInfo, mapFile.m_strMapFilePath, 0, viewKind, mapFileKind);
  CheckMultipleBlock(deviceInfo, mapFile.m_strMapFilePath, 1, viewKind, mapFileKind);
  CheckInputBlockType(mapFile, deviceInfo, viewKind, mapFileKind);
}

void CExecuteMapFileTest::CheckMultipleBlock(CLumendescBase& deviceInfo,
                                             const std::wstring& mapFilePath,
                                             int32_t direction, int32_t viewKind,
                                             int32_t mapFileKind) {
  const bool output = direction == 1;
  const wchar_t* section = output ? L"OUTPUT BLOCK TYPE" : L"INPUT BLOCK TYPE";
  const std::wstring type =
      ProfileString(mapFilePath, section, output ? L"Output block" : L"Input block", L"", 256);
  if (type.empty() || BlockTypeValue(type) != kMultivariable) return;
  Title(output ? L"Multiple output block" : L"Multiple input block");
  const std::wstring parameter = ProfileString(
      mapFilePath, section,
      output ? L"Parameter to determine output block type" : L"Parameter for current PV",
      L"", 256);
  if (parameter.empty()) {
    AddReportLine(L"ERROR: Cannot get the moniker to do mappings.");
    return;
  }
  // An output block may name a dynamic variable directly.
  const bool itemArray = output && EqualsNoCase(parameter.substr(0, 10), L"ItemArray!");
  const std::wstring moniker = itemArray ? parameter : L"Param!" + parameter;
  CDualBlckTypeInfo(&deviceInfo, direction, moniker)
      .CheckParameter(m_reportLines, viewKind, mapFileKind, m_outputLevel, 0);
}

void CExecuteMapFileTest::CheckInputBlockType(CMapFile& mapFile,
                                              CLumendescBase& deviceInfo,
                                              int32_t viewKind, int32_t mapFileKind) {
  uint32_t type = kMultivariable;
  mapFile.GetInputBlockType(&type);
  AddReportLine(Separator());
  auto sensorCheck = [&](auto&& checker) {
    checker.CheckParameter(m_reportLines, viewKind, mapFileKind, m_outputLevel, 1);
  };
  switch (type) {
    case 1:
      AddReportLine(L"Input block type is Generic");
      break;
    case 2:
      AddReportLine(L"Input block type is TempRtd");
      Title(L"Probe type", true);
      sensorCheck(CPrbTypeInfo(&deviceInfo));
      Title(L"Number of wires");
      sensorCheck(CNumberWiresInfo(&deviceInfo));
      break;
    case 3:
      AddReportLine(L"Input block type is TempTC");
      Title(L"Probe type", true);
      sensorCheck(CPrbTypeInfo(&deviceInfo));
      Title(L"Cold junction compensation");
      sensorCheck(CColdCJInfo(&deviceInfo));
      Title(L"Probe connect");
      sensorCheck(CPrbConnectInfo(&deviceInfo));
      break;
    case 4:
      AddReportLine(L"Input block type is Frequency");
      Title(L"Wave form", true);
      sensorCheck(CWaveFInfo(&deviceInfo));
      break;
    case 5:
      AddReportLine(L"Input block type is Pressure");
      Title(L"Pressure measurement type", true);
      sensorCheck(CPressMTInfo(&deviceInfo));
      break;
    default:
      AddReportLine(L"ERROR: Unsupported or unable to read input block type.");
      break;
  }
}

void CExecuteMapFileTest::TestTotalizer(CMapFile& mapFile, CLumendescBase& deviceInfo,
                                        const std::wstring& server,
                                        std::wstring moniker) {
  const int32_t viewKind = deviceInfo.m_pToolkit->GetView() == kViewNamedConfig
                               ? kViewNamedConfig
                               : kViewCurrent;
  std::wstring parameter;
  int32_t specialInfo = kOrdinaryParameter;
  if (mapFile.GetParamName(L"Totalizer Units", parameter, specialInfo) == 0) {
    Title(L"Totalizer units");
    CTotalizerUnitInfo(&deviceInfo)
        .CheckParameter(m_reportLines, viewKind, kDeviceMapFile, m_outputLevel, 1);
  }
  if (mapFile.GetParamName(L"Totalizer Value", parameter, specialInfo) != 0) return;
  Title(L"Totalizer value - Note: this must be read from a LIVE (Connected) device");
  CVelkToolkit live;
  live.NewRoot(ServerRoot(server), deviceInfo.m_pToolkit->GetProtocol());
  live.Item(&live, moniker);
  CVelkResult value;
  CVelkResult units;
  live.Get(parameter + L"!value", value);
  live.Get(parameter + L"!Units", units);
  if (value.m_status < 0) {
    AddReportLine(L"Unable to read totalizer value");
  } else if (value.m_var.GetVT() != kVtR4) {
    AddReportLine(L"Totalizer is not a floating point value");
  } else if (IsFilteredLevel(m_outputLevel)) {
    AddReportLine(L"No errors or warning detected");
  } else {
    AddReportLine(L"Totalizer");
    AddReportLine(Format(L"Value: %f", static_cast<double>(value.m_var.GetVT_R4())));
    if (units.m_status >= 0 && units.m_var.GetVT() == kVtBstr) {
      AddReportLine(Format(L"unit: %s", units.m_var.GetVT_BSTRW().c_str()));
    }
  }
}

void CExecuteMapFileTest::AppendReportToFile() {
  if (AppendLinesToReport(m_reportFilePath, m_reportLines)) return;
  ++m_lostReportSections;
  ThePlatform().ShowMessageBox(m_reportFilePath + L" can't be opened.",
                               L"Open Mapfile Test Ouput File Error", kMbOk);
}

void CExecuteMapFileTest::WriteReportAndOpen() {
  DeleteFileIfExists(m_reportFilePath);
  AppendReportToFile();
  OpenInNotepad(m_reportFilePath);
}

}  // namespace ravelin
