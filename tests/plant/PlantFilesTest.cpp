#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/Text.h"
#include "mapfile/MapFileInformation.h"
#include "outside/comm/RecordingParser.h"
#include "outside/db/VelkProfile.h"
#include "plant/GeneratedPlant.h"
#include "plant/PlantFiles.h"
#include "platform/Profile.h"

namespace ravelin {
namespace {

namespace fs = std::filesystem;
using testing::GeneratedPlantTest;
using PlantFilesTest = GeneratedPlantTest;

std::wstring Read(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  return ProfileString(file, section, key, L"");
}

TEST_F(PlantFilesTest, InstallationPathsResolveInsideThePlant) {
  EXPECT_EQ(Read(L"velk.ini", L"INSTALLATION", L"DevicePath"), HartRoot());
  EXPECT_EQ(Read(L"velk.ini", L"INSTALLATION", L"DevicePathFF"), FieldbusRoot());
  EXPECT_EQ(Read(L"velk.ini", L"Tarn Server 1", L"Computer Name"), L"PLANT1");
  std::wstring value;
  ASSERT_EQ(GetVelkProfileValue(L"INSTALLATION", L"DevicePath", value), 0);
  EXPECT_EQ(value, HartRoot());
  ASSERT_EQ(GetVelkProfileValue(L"INSTALLATION", L"DevicesFolder", value), 0);
  EXPECT_TRUE(fs::is_directory(FsPath(value)));
  ASSERT_EQ(GetVelkProfileValue(L"Tarn Server 1", L"Computer Name", value), 0);
  EXPECT_EQ(value, L"PLANT1");
}

// Every map file is in the writer's layout and names the identity of the
// folder it lies in, so the lookup by identity finds what the file says.
TEST_F(PlantFilesTest, EveryMapFileMatchesItsFolderAndLayout) {
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(FsPath(Root()))) {
    if (entry.path().extension() != ".map") continue;
    ++files;
    const std::wstring path = entry.path().wstring();
    SCOPED_TRACE(ToUtf8(path));
    const std::string bytes = testing::ReadBytes(path);
    EXPECT_EQ(bytes.rfind(";Map File\r\n[IDENTIFICATION]\r\n", 0), 0u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos);  // every LF has its CR
    EXPECT_EQ(Read(path, L"IDENTIFICATION", L"Map File Format Version"), L"1");
    const fs::path folder = entry.path().parent_path();
    if (folder.filename() == "Generic") continue;
    EXPECT_EQ(std::stoul(Read(path, L"IDENTIFICATION", L"Manufacturer"), nullptr, 16),
              std::stoul(folder.parent_path().filename().string(), nullptr, 16));
    EXPECT_EQ(std::stoul(Read(path, L"IDENTIFICATION", L"Model"), nullptr, 16),
              std::stoul(folder.filename().string(), nullptr, 16));
    const std::string name = entry.path().stem().string();
    EXPECT_EQ(Read(path, L"IDENTIFICATION", L"Device Revision"),
              Format(L"%x", std::stoul(name.substr(0, 2), nullptr, 16)));
    EXPECT_EQ(Read(path, L"IDENTIFICATION", L"DD Revision"),
              Format(L"%x", std::stoul(name.substr(2, 2), nullptr, 16)));
  }
  EXPECT_GT(files, 40);
}

TEST_F(PlantFilesTest, WizardMapFilesReadBackIntoTheModel) {
  const CMapFileInformation pressure(L"PT-101", L"", L"PLANT1", 0x26, 0x7, 3, 0);
  EXPECT_EQ(pressure.GetDDRevision(), 2);  // the higher of two installed DDs
  EXPECT_FALSE(pressure.m_bWirelessHart);
  EXPECT_EQ(pressure.m_nInputBlockType, 5);
  EXPECT_EQ(pressure.m_UnitsMap.size(), 3u);  // 237 stays unmapped
  EXPECT_EQ(pressure.m_PressMeasMap.size(), 2u);
  EXPECT_EQ(pressure.m_TransferFuncMap.size(), 2u);
  EXPECT_EQ(pressure.m_strDampingDefault, L"1.5");

  const CMapFileInformation temperature(L"TT-201", L"", L"PLANT1", 0x26, 0x8, 1, 0);
  EXPECT_EQ(temperature.m_nInputBlockType, 99);
  EXPECT_EQ(temperature.m_strProbeTypeParam, L"Param!SENSOR_TYPE");
  EXPECT_EQ(temperature.m_ProbeTypeMap.size(), 3u);
  EXPECT_EQ(temperature.m_NumWiresMap.size(), 3u);
  const std::wstring temperatureFile = temperature.GetMapFilePath();
  EXPECT_EQ(Read(temperatureFile, L"DUAL MODE INPUT BLOCK TYPE DD TO COMMON MAP", L"1"), L"2");
  EXPECT_EQ(Read(temperatureFile, L"DUAL MODE INPUT BLOCK TYPE DD TO COMMON MAP", L"2"), L"3");

  const CMapFileInformation flow(L"FT-301", L"", L"PLANT1", 0x26, 0x9, 2, 0);
  EXPECT_TRUE(flow.m_bTotalizer);
  EXPECT_EQ(flow.m_strTotalizerValueParam, L"Param!TOTAL");
  EXPECT_EQ(flow.m_TotalizerUnitsMap.size(), 3u);

  const CMapFileInformation fieldbus(L"PT-501", L"", L"PLANT1", 0xA1B2, 0x103, 2, 1);
  EXPECT_EQ(fieldbus.m_nBlockIndex, 1);
  EXPECT_EQ(fieldbus.m_UnitsMap.size(), 3u);
  EXPECT_EQ(fieldbus.m_PressMeasMap.size(), 3u);

  for (uint32_t type : {0x0001u, 0x0109u}) {
    const CMapFileInformation conventional(L"", L"", L"PLANT1", 0x7D, type, 1, 0);
    EXPECT_NE(conventional.GetMapFilePath().find(JoinPath(HartRoot(), L"00007d")),
              std::wstring::npos);
    EXPECT_TRUE(FileExists(conventional.GetMapFilePath()));
    EXPECT_TRUE(conventional.m_bUnitsDefault);
  }
}

TEST_F(PlantFilesTest, HandWrittenMapFilesSayWhatTheWriterCannot) {
  struct Case {
    std::wstring file;
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* value;
  };
  const std::wstring hart = JoinPath(HartRoot(), L"000026");
  const std::wstring fieldbus = JoinPath(FieldbusRoot(), L"00a1b2");
  const std::wstring frequency = JoinPath(JoinPath(hart, L"000a"), L"0101.map");
  const std::wstring rtd = JoinPath(JoinPath(fieldbus, L"0101"), L"0101.map");
  const std::wstring exportOnly = JoinPath(JoinPath(hart, L"000b"), L"0101.map");
  const std::wstring hartGeneric = JoinPath(JoinPath(HartRoot(), L"Generic"), L"Generic.map");
  const std::wstring ffGeneric = JoinPath(JoinPath(FieldbusRoot(), L"Generic"), L"Generic.map");
  const Case cases[] = {
      {frequency, L"INPUT BLOCK TYPE", L"Input block", L"4"},
      {frequency, L"PARAMETER SPECIAL INFO", L"Transfer Function Code", L"Formula"},
      {frequency, L"FORMULAS", L"Transfer Function Code", L"{Param!LIN_MODE} % 2"},
      {frequency, L"DEFAULT PARAMETER VALUES", L"Damping Value", L""},
      {rtd, L"INPUT BLOCK TYPE", L"Input block", L"2"},
      {rtd, L"OUTPUT BLOCK TYPE", L"Output block", L"99"},
      {rtd, L"OUTPUT BLOCK TYPE", L"Parameter to determine output block type", L"OUTPUT_TYPE"},
      {rtd, L"IDENTIFICATION", L"Block Index", L"1"},
      {JoinPath(JoinPath(fieldbus, L"0102"), L"0101.map"), L"INPUT BLOCK TYPE", L"Input block",
       L"3"},
      {exportOnly, L"IDENTIFICATION", L"Use for CalMgmt", L"No"},
      {exportOnly, L"IDENTIFICATION", L"Use for Export", L"Yes"},
      {hartGeneric, L"IDENTIFICATION", L"Use for CalMgmt", L"Yes"},
      {hartGeneric, L"input block Units Code DD to Common Map", L"39", L"mA"},
      {ffGeneric, L"IDENTIFICATION", L"Use for CalMgmt", L"No"},
      {ffGeneric, L"IDENTIFICATION", L"Block Index", L"1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.file + L" [" + c.section + L"] " + c.key));
    EXPECT_EQ(Read(c.file, c.section, c.key), c.value);
  }
  // Devices that must have no map file of their own.
  EXPECT_TRUE(ThePlatform().FindFiles(JoinPath(JoinPath(hart, L"00f0"), L"*.map")).empty());
  EXPECT_TRUE(ThePlatform().FindFiles(JoinPath(JoinPath(fieldbus, L"01f0"), L"*.map")).empty());
}

TEST_F(PlantFilesTest, RecordingParsesAndOnlyPlant1HasOne) {
  const std::wstring recordings = JoinPath(Root(), L"recordings");
  std::shared_ptr<const Recording> recording;
  ASSERT_NO_THROW(recording = LoadRecordingFile(JoinPath(recordings, L"PLANT1.rec")));
  EXPECT_EQ(recording->DeviceCount(), 2 * plant::kDefaultTemplates - 2);  // PT-900 twice
  EXPECT_EQ(ThePlatform().FindFiles(JoinPath(recordings, L"*")).size(), 1u);
}

TEST(PlantDirectoryTest, ReplacesOnlyEmptyOrEarlierPlants) {
  testing::TempDir dir;
  const std::wstring foreign = dir.Join(L"foreign");
  dir.Write(L"foreign/keep.txt", "mine");
  try {
    plant::GeneratePlant(foreign, 1);
    FAIL() << "a foreign folder was overwritten";
  } catch (const plant::PlantError& error) {
    EXPECT_NE(error.Message().find(foreign), std::wstring::npos);
    EXPECT_NE(error.Message().find(L"not made by ravelin-plant"), std::wstring::npos);
  }
  EXPECT_EQ(testing::ReadBytes(dir.Join(L"foreign/keep.txt")), "mine");

  const std::wstring plant = dir.Join(L"plant");
  plant::GeneratePlant(plant, 50);
  dir.Write(L"plant/stale.txt", "old");
  plant::GeneratePlant(plant, 2);
  EXPECT_FALSE(FileExists(JoinPath(plant, L"stale.txt")));
  EXPECT_TRUE(FileExists(JoinPath(plant, L"velk.db")));

  const std::wstring file = dir.Write(L"file", "x");
  EXPECT_THROW(plant::GeneratePlant(file, 1), plant::PlantError);
}

}  // namespace
}  // namespace ravelin
