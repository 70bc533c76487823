#include "entry/LaunchData.h"

#include <gtest/gtest.h>

namespace ravelin {
namespace {

std::wstring Value(const std::wstring& data, const std::wstring& key) {
  std::wstring value = L"sentinel";
  GetTagValue(data, key, value);
  return value;
}

TEST(GetTagValueTest, TakesTheTextBetweenTheFirstTags) {
  struct Case {
    const wchar_t* data;
    const wchar_t* key;
    const wchar_t* expected;
  } cases[] = {
      {L"<TARNTAG>PT-101</TARNTAG>", L"TARNTAG", L"PT-101"},
      {L"<TARNTAG></TARNTAG>", L"TARNTAG", L""},
      {L"</TARNTAG><TARNTAG>x</TARNTAG>", L"TARNTAG", L""},
      {L"<tarntag>x</tarntag>", L"TARNTAG", L""},
      {L"<TARNTAG> PT-101 </TARNTAG>", L"TARNTAG", L" PT-101 "},
      {L"<TARNBLOCKTAG>B</TARNBLOCKTAG>", L"TARNTAG", L""},
      {L"<TARNTAG>open only", L"TARNTAG", L""},
      {L"close only</TARNTAG>", L"TARNTAG", L""},
      {L"", L"TARNTAG", L""},
      {L"pre<A>1<B>2</B></A>post", L"A", L"1<B>2</B>"},
      {L"<A>&lt;x&gt;</A>", L"A", L"&lt;x&gt;"},
      {L"<A>first</A><A>second</A>", L"A", L"first"},
      {L"<>empty key</>", L"", L"empty key"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Value(c.data, c.key), c.expected) << "data: " << ::testing::PrintToString(std::wstring(c.data));
  }
}

TEST(ReadDeviceIdentityTest, HartSideReadsTheHartKeysAndFallsBackToTheDeviceTag) {
  const std::wstring data =
      L"<TARNBLOCKTAG></TARNBLOCKTAG><TARNTAG>PT-101</TARNTAG>"
      L"<MONIKER>!ID!PT-101!Hart</MONIKER>"
      L"<HART_MANUFACTURER_ID_CODE>38</HART_MANUFACTURER_ID_CODE>"
      L"<HART_DEVICE_TYPE>38abc</HART_DEVICE_TYPE>"
      L"<HART_DEVICE_REVISION>x</HART_DEVICE_REVISION>"
      L"<MANUFACTURER_ID>99</MANUFACTURER_ID>";
  const DeviceIdentity id = ReadDeviceIdentity(data);
  EXPECT_FALSE(id.fieldbus);
  EXPECT_EQ(id.deviceTag, L"PT-101");
  EXPECT_EQ(id.moniker, L"!ID!PT-101!Hart");
  EXPECT_EQ(id.manufacturer, 38);
  EXPECT_EQ(id.deviceType, 38);
  EXPECT_EQ(id.deviceRevision, 0);

  const DeviceIdentity block =
      ReadDeviceIdentity(L"<TARNBLOCKTAG>AI-1</TARNBLOCKTAG><TARNTAG>PT-101</TARNTAG>");
  EXPECT_EQ(block.deviceTag, L"AI-1");
}

TEST(ReadDeviceIdentityTest, AnyFFDeviceTextSelectsTheFieldbusKeys) {
  const std::wstring data =
      L"<FFDevice>0</FFDevice><TARNBLOCKTAG>AI-1</TARNBLOCKTAG>"
      L"<TARNTAG>FT-7</TARNTAG><MONIKER>!PhysicalDevice!FT-7</MONIKER>"
      L"<MANUFACTURER_ID>4874</MANUFACTURER_ID><DEVICE_TYPE_ID>-2</DEVICE_TYPE_ID>"
      L"<DEVICE_REVISION> 3</DEVICE_REVISION>"
      L"<HART_MANUFACTURER_ID_CODE>38</HART_MANUFACTURER_ID_CODE>";
  const DeviceIdentity id = ReadDeviceIdentity(data);
  EXPECT_TRUE(id.fieldbus);
  EXPECT_EQ(id.deviceTag, L"FT-7");  // the block tag is not read
  EXPECT_EQ(id.moniker, L"!PhysicalDevice!FT-7");
  EXPECT_EQ(id.manufacturer, 4874);
  EXPECT_EQ(id.deviceType, -2);
  EXPECT_EQ(id.deviceRevision, 3);

  EXPECT_FALSE(ReadDeviceIdentity(L"<FFDevice></FFDevice>").fieldbus);
}

}  // namespace
}  // namespace ravelin
