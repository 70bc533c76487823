#include <gtest/gtest.h>

#include "MapFileTestSupport.h"

namespace ravelin::testing {
namespace {

class MapFileReaderTest : public ::testing::Test {
 protected:
  // Writes the text (LF line ends become CR LF) as the map file of a device
  // of its own and builds a fresh model over it. A device per call keeps two
  // files of one size written in one clock tick apart.
  CMapFileInformation Read(const std::string& text, bool fieldbus = false) {
    std::string bytes;
    for (char c : text) bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const uint32_t type = nextType_++;
    const auto model = [&] { return fieldbus ? FieldbusModel(1, type) : HartModel(1, type); };
    host_.WriteMapFile(model(), bytes);
    return model();
  }

  MapFileHost host_;
  uint32_t nextType_ = 1;
};

TEST_F(MapFileReaderTest, MissingFileKeepsTheDefaults) {
  CMapFileInformation model = HartModel(1, 999);
  EXPECT_FALSE(model.ReadMapFile());
  EXPECT_EQ(model.m_strTagParam, L"Param!tag");
  EXPECT_FALSE(model.m_bWirelessHart);
}

TEST_F(MapFileReaderTest, EmptyFileTakesTheReadersDefaults) {
  const CMapFileInformation hart = Read("");
  EXPECT_TRUE(hart.m_bWirelessHart) << "no output units marker";
  EXPECT_TRUE(hart.m_strTagParam.empty()) << "the constructor's paths are replaced";
  EXPECT_TRUE(hart.m_bUrvDefault && hart.m_bLrvDefault && hart.m_bUnitsDefault);
  EXPECT_TRUE(hart.m_strUrvParam.empty() && hart.m_strUrvDefault.empty());
  EXPECT_EQ(hart.m_nUnitsDefault, 0);
  EXPECT_EQ(hart.m_nInputBlockType, 1);
  EXPECT_TRUE(hart.m_bDampingDefault);
  EXPECT_TRUE(hart.m_strDampingDefault.empty());
  EXPECT_EQ(hart.m_nTransferFuncDefault, 0);
  EXPECT_FALSE(hart.m_bTotalizer);

  const CMapFileInformation fieldbus = Read("", true);
  EXPECT_EQ(fieldbus.m_nBlockIndex, -1);
  EXPECT_FALSE(fieldbus.m_bWirelessHart);
}

TEST_F(MapFileReaderTest, LoopOutputAndWirelessDetection) {
  const std::string loop =
      "[PARAMETER SPECIAL INFO]\noutput block Units Code=No Associated Parameter\n"
      "[DEFAULT PARAMETER VALUES]\noutput block Units Code=39\n";
  EXPECT_FALSE(Read(loop).m_bWirelessHart);
  EXPECT_TRUE(Read(loop + "[OUTPUT BLOCK TYPE]\nOutput block=8\n").m_bWirelessHart)
      << "a HART output block is wireless even with mA default units";
  EXPECT_TRUE(Read("[PARAMETER SPECIAL INFO]\noutput block Units Code=no associated parameter\n"
                   "[DEFAULT PARAMETER VALUES]\noutput block Units Code=39\n")
                  .m_bWirelessHart)
      << "the marker compares case-sensitively";
  EXPECT_TRUE(Read("[PARAMETER SPECIAL INFO]\noutput block Units Code=No Associated Parameter\n"
                   "[DEFAULT PARAMETER VALUES]\noutput block Units Code=32\n")
                  .m_bWirelessHart);
}

TEST_F(MapFileReaderTest, NamesMatchWithoutCaseAndValuesComeFromTheirSections) {
  const CMapFileInformation model = Read(
      "[identification]\nBlock Index=7\n"
      "[parameter map]\nINPUT BLOCK UPPER RANGE VALUE=Param!urv\n"
      "Transfer Function Code=Param!xfer\nTotalizer Units=Param!tu\n"
      "Totalizer Value=Param!tv\nNumber of Wires=Param!ignored\n"
      "[DEFAULT PARAMETER VALUES]\ninput block Upper Range Value=99.0\n"
      "input block Lower Range Value=-5\ninput block Units Code=12abc\n"
      "Damping Value=2.5\nTransfer Function Code=3\nPressure Measurement Type=2\n"
      "[INPUT BLOCK TYPE]\nInput block=5\n"
      "[Transfer Function Code DD to Common Map]\n1=Square Root\n"
      "[Totalizer Units DD to Common Map]\n7=gal\n"
      "[Pressure Measurement Type DD to Common Map]\n3=Absolute\n");
  EXPECT_EQ(model.m_nBlockIndex, -1) << "HART devices have no block index";
  EXPECT_FALSE(model.m_bUrvDefault);
  EXPECT_EQ(model.m_strUrvParam, L"Param!urv");
  EXPECT_TRUE(model.m_strUrvDefault.empty());
  EXPECT_TRUE(model.m_bLrvDefault);
  EXPECT_EQ(model.m_strLrvDefault, L"-5");
  EXPECT_EQ(model.m_nUnitsDefault, 12);
  EXPECT_EQ(model.m_strDampingDefault, L"2.5");
  EXPECT_FALSE(model.m_bTransferFuncDefault);
  EXPECT_EQ(model.m_nTransferFuncDefault, 0) << "unchanged when a parameter is named";
  EXPECT_EQ(model.m_TransferFuncMap, (CEnumerationList{{1, 1}}));
  EXPECT_TRUE(model.m_bTotalizer);
  EXPECT_EQ(model.m_strTotalizerValueParam, L"Param!tv");
  EXPECT_EQ(model.m_TotalizerUnitsMap, (CEnumerationList{{7, 40}}));
  EXPECT_TRUE(model.m_bPressMeasDefault);
  EXPECT_EQ(model.m_nPressMeasDefault, 2);
  EXPECT_EQ(model.m_PressMeasMap, (CEnumerationList{{3, 1}}))
      << "read even though the quantity is defaulted";
  EXPECT_TRUE(model.m_bNumWiresDefault) << "only read for input block type 99";

  EXPECT_EQ(Read("[IDENTIFICATION]\nBlock Index=7\n", true).m_nBlockIndex, 7);
}

TEST_F(MapFileReaderTest, TemperatureProbeParameterAndWires) {
  CMapFileInformation model = Read(
      "[INPUT BLOCK TYPE]\nInput block=99\nParameter for current PV=SENSOR\n"
      "[DEFAULT PARAMETER VALUES]\nNumber of Wires=4\n");
  EXPECT_EQ(model.m_strProbeTypeParam, L"Param!SENSOR");
  EXPECT_TRUE(model.m_bNumWiresDefault);
  EXPECT_EQ(model.m_nNumWiresDefault, 4);

  model = Read(
      "[PARAMETER MAP]\nProbe Type=ItemArray!x!SENSOR_TYPE\nNumber of Wires=Param!wires\n"
      "[INPUT BLOCK TYPE]\nInput block=99\nParameter for current PV=SENSOR_TYPE\n"
      "[Number of Wires DD to Common Map]\n1=3 wires\n2=None\n");
  EXPECT_EQ(model.m_strProbeTypeParam, L"ItemArray!x!SENSOR_TYPE");
  EXPECT_FALSE(model.m_bNumWiresDefault);
  EXPECT_EQ(model.m_strNumWiresParam, L"Param!wires");
  EXPECT_EQ(model.m_nNumWiresDefault, 2);
  EXPECT_EQ(model.m_NumWiresMap, (CEnumerationList{{1, 3}, {2, 251}}));
}

TEST_F(MapFileReaderTest, MapSectionsKeepFileOrderDuplicatesAndKnownNamesOnly) {
  const CMapFileInformation model = Read(
      "[PARAMETER MAP]\ninput block Units Code=Param!units\n"
      "[input block units code dd to common map]\n"
      "9=degF\n3=degC\n3=mA\nx=%\n5=no such unit\n6=DEGC\n 7 = kPa \n; comment\n"
      "noequals\n-2=m\n70000=ft\n");
  EXPECT_EQ(model.m_nUnitsDefault, -1);
  // "3" twice: the key's value is looked up by name, so both read degC.
  EXPECT_EQ(model.m_UnitsMap, (CEnumerationList{
                                  {9, 33}, {3, 32}, {3, 32}, {0, 57}, {7, 12}, {-2, 45},
                                  {70000, 44}}));
}

// Values are read into 260 characters; those that were cut are named, one
// that just fits is not. Quotes are dropped, and a quoted value that just
// fits loses its last character too.
TEST_F(MapFileReaderTest, ValuesLongerThanTheBufferAreCutAndNamed) {
  const std::string fits(259, 'f'), over(260, 'o'), long_(400, 'l');
  const CMapFileInformation model = Read(
      "[PARAMETER MAP]\nTag=" + fits + "\nMessage=\"" + over + "\"\nDescriptor=" + long_ +
      "\ninput block Upper Range Value=\"" + fits + "\"\n[DEFAULT PARAMETER VALUES]\n"
      "Damping Value=" + over + "\n");
  EXPECT_EQ(ToUtf8(model.m_strTagParam), fits);
  EXPECT_EQ(ToUtf8(model.m_strMessageParam), over.substr(0, 259));
  EXPECT_EQ(ToUtf8(model.m_strDescriptorParam), long_.substr(0, 259));
  EXPECT_EQ(ToUtf8(model.m_strUrvParam), fits.substr(0, 258));
  EXPECT_EQ(ToUtf8(model.m_strDampingDefault), over.substr(0, 259));
  EXPECT_EQ(model.m_CutValueKeys,
            (std::vector<std::wstring>{L"Message", L"Descriptor",
                                       L"input block Upper Range Value", L"Damping Value"}));
}

TEST_F(MapFileReaderTest, KeyListIsCutAtTenThousandCharacters) {
  // Keys of 99 digits plus the NUL: 100 characters each, so 99 whole keys
  // fit the list and the 100th is cut.
  std::string text = "[PARAMETER MAP]\ninput block Units Code=Param!units\n"
                     "[input block Units Code DD to Common Map]\n";
  for (int i = 0; i < 150; ++i) {
    const std::string number = std::to_string(i);
    text += std::string(99 - number.size(), '0') + number + "=degC\n";
  }
  const CMapFileInformation model = Read(text);
  EXPECT_EQ(model.m_UnitsMap.size(), 99u);
  EXPECT_EQ(model.m_UnitsMap.back().m_nDDCode, 98);
}

}  // namespace
}  // namespace ravelin::testing
