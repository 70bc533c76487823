#include "outside/comm/VelkToolkit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Text.h"
#include "outside/comm/CancelableRead.h"
#include "outside/comm/SampleRecording.h"

namespace ravelin {
namespace {

using testing::SamplePlant;

const std::wstring kHart = L"!ID!HART-1!Hart";
const std::wstring kFieldbus = L"!PhysicalDevice!0000260122SN1";
const std::wstring kTestDevice = L"!PhysicalDevice!0000260122TEST00100";

CVelkToolkit Open(const std::wstring& moniker, int32_t view = kViewCurrent,
                  int32_t protocol = kProtocolHart) {
  CVelkToolkit toolkit;
  EXPECT_EQ(toolkit.NewRoot(L"\\\\PLANT1", protocol), kVelkOk) << ToUtf8(toolkit.GetLastErrorText());
  EXPECT_EQ(toolkit.SetView(view), kVelkOk);
  EXPECT_EQ(toolkit.Item(&toolkit, moniker), kVelkOk) << ToUtf8(moniker);
  return toolkit;
}

CVelkResult Get(CVelkToolkit& toolkit, const std::wstring& attribute) {
  CVelkResult result;
  EXPECT_EQ(toolkit.Get(attribute, result), result.m_status);
  return result;
}

std::wstring Text(CVelkToolkit& toolkit, const std::wstring& attribute) {
  const CVelkResult result = Get(toolkit, attribute);
  EXPECT_EQ(result.m_status, kVelkOk) << ToUtf8(attribute);
  EXPECT_EQ(result.m_var.GetVT(), kVtBstr) << ToUtf8(attribute);
  return result.m_var.GetVT_BSTRW();
}

int32_t Int(CVelkToolkit& toolkit, const std::wstring& attribute) {
  const CVelkResult result = Get(toolkit, attribute);
  EXPECT_EQ(result.m_status, kVelkOk) << ToUtf8(attribute);
  EXPECT_EQ(result.m_var.GetVT(), kVtI4) << ToUtf8(attribute);
  return result.m_var.GetVT_I4();
}

// Lists the parent's children as the browsing dialogs walk them: one Enum,
// then NextEnum until it fails; each child gives `attribute` as text.
std::vector<std::wstring> Children(const CVelkToolkit& parent, const std::wstring& attribute) {
  CVelkToolkit walker;
  std::vector<std::wstring> out;
  if (walker.Enum(&parent) != kVelkOk) return out;
  while (walker.NextEnum() == kVelkOk) {
    if (attribute == L"moniker") {
      out.push_back(walker.GetMoniker());
      continue;
    }
    const CVelkResult result = Get(walker, attribute);
    out.push_back(result.m_var.GetVT() == kVtBstr ? result.m_var.GetVT_BSTRW()
                                                  : std::to_wstring(result.m_var.GetVT_I4()));
  }
  EXPECT_NE(walker.NextEnum(), kVelkOk) << "the end of the list stays the end";
  return out;
}

using Names = std::vector<std::wstring>;

TEST(VelkToolkitTest, NewRootOpensOnlyARecordedServer) {
  SamplePlant plant;
  CVelkToolkit toolkit;
  EXPECT_EQ(toolkit.Item(&toolkit, kHart), kVelkNoServer) << "no root yet";
  EXPECT_NE(toolkit.Read(L"Name"), kVelkOk);
  EXPECT_EQ(toolkit.GetMoniker(), L"");

  EXPECT_EQ(toolkit.NewRoot(L"\\\\plant1", kProtocolFieldbus), kVelkOk) << "server names ignore case";
  EXPECT_EQ(toolkit.GetProtocol(), kProtocolFieldbus);
  EXPECT_EQ(toolkit.Item(&toolkit, kHart), kVelkOk);

  EXPECT_EQ(toolkit.NewRoot(L"\\\\NOPLANT", kProtocolHart), kVelkNoServer);
  EXPECT_NE(toolkit.GetLastErrorText().find(L"\"NOPLANT\""), std::wstring::npos);
  EXPECT_NE(toolkit.Item(&toolkit, kHart), kVelkOk) << "a failed root serves nothing";
  for (const wchar_t* root : {L"PLANT1", L"\\\\", L"\\PLANT1", L"\\\\..", L"\\\\x/../PLANT1",
                              L"\\\\recordings\\PLANT1", L"\\\\PLANT*"}) {
    EXPECT_NE(toolkit.NewRoot(root, kProtocolHart), kVelkOk) << ToUtf8(root);
  }
  EXPECT_EQ(toolkit.NewRoot(L"\\\\PLANT1", 2), kVelkBadArgument);
}

TEST(VelkToolkitTest, MonikersResolveEveryFormOrFail) {
  SamplePlant plant;
  struct Case {
    std::wstring moniker;
    std::wstring canonical;  // GetMoniker afterwards; empty: Item fails
  };
  const std::wstring block = kFieldbus + L"!BlkId!1";
  const std::wstring dynamic = kHart + L"!ItemArray!dynamic_variables!Element";
  const Case cases[] = {
      {kHart, kHart},
      {L"!id!hart-1!BlockIndCol!0", L"!id!hart-1!BlockIndCol!0"},
      {kFieldbus, kFieldbus},
      {L"!NamedConfig!pt TEMPLATE", L"!NamedConfig!pt TEMPLATE"},
      {kHart + L"!param!DAMPING", kHart + L"!Param!damping"},
      {kHart + L"!Param!transfer_function!Enum", kHart + L"!Param!transfer_function!Enum"},
      {kHart + L"!Param!range!Member", kHart + L"!Param!range!Member"},
      {kHart + L"!Param!range!Member!units_code", kHart + L"!Param!range!Member!units_code"},
      {dynamic, dynamic},
      {dynamic + L"!1!Member!DIGITAL_UNITS!Enum", dynamic + L"!1!Member!DIGITAL_UNITS!Enum"},
      {kFieldbus + L"!Blkid!1!Param", block + L"!Param"},
      {kFieldbus + L"!BlkId", kFieldbus + L"!BlkId"},
      {block + L"!Param!PRIMARY_UNITS!Enum!1130", block + L"!Param!PRIMARY_UNITS!Enum!1130"},
      {block + L"!Param!SCALE!Member!EU_0", block + L"!Param!SCALE!Member!EU_0"},
      {L"!PhysicalDevice!0000260122TEST00100!BlkId!1!Param",
       L"!PhysicalDevice!0000260122TEST00100!BlkId!1!Param"},
      {L"", L""},
      {L"!", L""},
      {L"ID!HART-1!Hart", L""},
      {L"!ID!HART-1", L""},
      {L"!ID!HART-1!Other", L""},
      {L"!ID!HART-1!BlockIndCol!1", L""},
      {L"!ID!NOPE!Hart", L""},
      {L"!ID!!Hart", L""},
      {L"!PhysicalDevice!NOPE", L""},
      {L"!NamedConfig!NOPE", L""},
      {kHart + L"!", L""},
      {kHart + L"!Param!", L""},
      {kHart + L"!Param!nope", L""},
      {kHart + L"!Param!!Enum", L""},
      {kHart + L"!Param!damping!Enum", L""},
      {kHart + L"!BlkId!1", L""},
      {block + L"!Param!PRIMARY_UNITS!Enum!1131", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.moniker));
    CVelkToolkit toolkit;
    ASSERT_EQ(toolkit.NewRoot(L"\\\\PLANT1", kProtocolHart), kVelkOk);
    const int32_t status = toolkit.Item(&toolkit, c.moniker);
    EXPECT_EQ(status == kVelkOk, !c.canonical.empty()) << status;
    EXPECT_EQ(toolkit.GetMoniker(), c.canonical);
    if (c.canonical.empty()) {
      EXPECT_LT(Get(toolkit, L"Name").m_status, 0);
    }
  }
}

TEST(VelkToolkitTest, AttributesHaveTheirVariantTypes) {
  SamplePlant plant;
  CVelkToolkit damping = Open(kHart + L"!Param!damping");
  EXPECT_EQ(Text(damping, L"Name"), L"damping");
  EXPECT_EQ(Text(damping, L"ItemName"), L"damping");
  EXPECT_EQ(Text(damping, L"Label"), L"Damping");
  EXPECT_EQ(Text(damping, L"Help"), L"Damping time");
  EXPECT_EQ(Text(damping, L"Units"), L"s");
  EXPECT_EQ(Int(damping, L"Type"), 4);
  EXPECT_EQ(Int(damping, L"Kind"), kKindValue);
  EXPECT_EQ(Int(damping, L"Class"), 0);
  EXPECT_EQ(Int(damping, L"ItemId"), 0x4001);
  EXPECT_EQ(Int(damping, L"Index"), 2);
  const CVelkResult value = Get(damping, L"value");
  EXPECT_EQ(value.m_var.GetVT(), kVtR4);
  EXPECT_FLOAT_EQ(value.m_var.GetVT_R4(), 1.5f);
  const CVelkResult unknown = Get(damping, L"Colour");
  EXPECT_EQ(unknown.m_status, kVelkNoAttribute);
  EXPECT_EQ(unknown.m_var.GetVT(), kVtEmpty);

  CVelkToolkit device = Open(kHart);
  EXPECT_EQ(Text(device, L"Param!tag!value"), L"PT 101");
  EXPECT_EQ(Int(device, L"BlockKey"), 7);
  EXPECT_EQ(Int(device, L"Param!range!Kind"), kKindRecord);
  EXPECT_LT(Get(device, L"Param!range!value").m_status, 0) << "a record has no value";

  CVelkToolkit fieldbus = Open(kFieldbus + L"!BlkId!1");
  EXPECT_EQ(Text(fieldbus, L"Name"), L"TRANSDUCER");
  EXPECT_EQ(Text(fieldbus, L"Label"), L"Pressure transducer");
  EXPECT_EQ(Int(fieldbus, L"ObjectIndex"), 1);
  const CVelkResult total = Get(fieldbus, L"Param!TOTAL!value");
  EXPECT_EQ(total.m_var.GetVT(), kVtR8);
  EXPECT_DOUBLE_EQ(total.m_var.GetVT_R8(), 1234.5);
  EXPECT_EQ(Int(fieldbus, L"Param!PRIMARY_UNITS!value"), 1133);
  EXPECT_EQ(Int(fieldbus, L"Param!PRIMARY_UNITS!Enum!1130!Value"), 1130);
  EXPECT_EQ(Text(fieldbus, L"Param!PRIMARY_UNITS!Enum!1130!Description"), L"Pa");

  CVelkToolkit unnamed = Open(kFieldbus + L"!BlkId!0");
  const CVelkResult name = Get(unnamed, L"Name");
  EXPECT_LT(name.m_status, 0) << "a block recorded without a name has no Name";
  EXPECT_NE(name.m_var.GetVT(), kVtBstr);
  EXPECT_EQ(Int(unnamed, L"ObjectIndex"), 0);
}

TEST(VelkToolkitTest, ViewsServeTheirOwnValues) {
  SamplePlant plant;
  CVelkToolkit config = Open(L"!NamedConfig!PT template", kViewNamedConfig);
  EXPECT_EQ(config.GetView(), kViewNamedConfig);
  EXPECT_FLOAT_EQ(Get(config, L"Param!damping!value").m_var.GetVT_R4(), 2.5f);
  EXPECT_EQ(config.SetView(kViewCurrent), kVelkOk);
  EXPECT_FLOAT_EQ(Get(config, L"Param!damping!value").m_var.GetVT_R4(), 0.5f);
  EXPECT_EQ(config.SetView(105), kVelkBadArgument);
  EXPECT_EQ(config.GetView(), kViewCurrent);

  CVelkToolkit device = Open(kHart, kViewNamedConfig);
  EXPECT_LT(Get(device, L"Param!damping!value").m_status, 0) << "no 111 data recorded";
  device.SetView(kViewCurrent);
  EXPECT_LT(Get(device, L"Param!transfer_function!value").m_status, 0) << "no value recorded";
  EXPECT_EQ(Int(device, L"Param!transfer_function!Type"), 6) << "the revision still answers";
}

TEST(VelkToolkitTest, EnumerationListsChildrenInRecordedOrder) {
  SamplePlant plant;
  // The mapping pages' walk: Description and value of each entry, one Wait.
  CVelkToolkit units = Open(kHart + L"!ItemArray!dynamic_variables!Element!1!Member!DIGITAL_UNITS!Enum");
  ASSERT_EQ(units.Enum(&units), kVelkOk);
  Names rows;
  while (units.NextEnum() == kVelkOk) {
    CVelkResult results[3];
    ASSERT_EQ(units.Read(L"Description"), kVelkOk);
    ASSERT_EQ(units.Read(L"value"), kVelkOk);
    ASSERT_EQ(units.Wait(results), kVelkOk);
    rows.push_back(results[0].m_var.GetVT_BSTRW() + L"=" + std::to_wstring(results[1].m_var.GetVT_I4()));
  }
  EXPECT_EQ(rows, (Names{L"kPa=12", L"bar=7", L"inH2O=1"}));
  EXPECT_NE(units.NextEnum(), kVelkOk);
  EXPECT_NE(units.Read(L"Value"), kVelkOk) << "past the end there is no item";

  EXPECT_EQ(Children(Open(kHart + L"!Param"), L"Name"),
            (Names{L"tag", L"damping", L"transfer_function", L"range"}));
  EXPECT_EQ(Children(Open(kHart + L"!Param"), L"moniker")[1], kHart + L"!Param!damping");
  EXPECT_EQ(Children(Open(kFieldbus + L"!BlkId"), L"ObjectIndex"), (Names{L"0", L"1"}));
  EXPECT_EQ(Children(Open(kFieldbus + L"!BlkId!1!Param!PRIMARY_UNITS!Enum"), L"Value"),
            (Names{L"1133", L"1130"}));
  EXPECT_EQ(Children(Open(kFieldbus + L"!BlkId!0!Param"), L"Name"), Names{}) << "an empty list";

  CVelkToolkit value = Open(kHart + L"!Param!damping");
  EXPECT_EQ(value.Enum(&value), kVelkNoList) << "a value parameter has no children";
  EXPECT_NE(value.NextEnum(), kVelkOk);
  CVelkToolkit unopened;
  EXPECT_NE(unopened.Enum(&unopened), kVelkOk);
  EXPECT_NE(unopened.NextEnum(), kVelkOk);
}

TEST(VelkToolkitTest, NestedCursorsTakeTheirParentsPlace) {
  SamplePlant plant;
  // A fresh cursor with no root of its own works from a parent cursor.
  CVelkToolkit params = Open(kFieldbus + L"!BlkId!1!Param", kViewCurrent, kProtocolFieldbus);
  ASSERT_EQ(params.Enum(&params), kVelkOk);
  ASSERT_EQ(params.NextEnum(), kVelkOk);
  ASSERT_EQ(params.NextEnum(), kVelkOk);
  ASSERT_EQ(Text(params, L"Name"), L"SCALE");
  CVelkToolkit members;
  ASSERT_EQ(members.Item(&params, params.GetMoniker() + L"!Member"), kVelkOk);
  EXPECT_EQ(members.GetProtocol(), kProtocolFieldbus);
  EXPECT_EQ(Children(members, L"Name"), (Names{L"EU_100", L"EU_0"}));
  // A record lists its members directly, reached through "!Member!".
  EXPECT_EQ(Children(params, L"moniker"),
            (Names{kFieldbus + L"!BlkId!1!Param!SCALE!Member!EU_100",
                   kFieldbus + L"!BlkId!1!Param!SCALE!Member!EU_0"}));
  CVelkToolkit relative;
  EXPECT_EQ(relative.Item(&params, L"Member!EU_0"), kVelkOk);
  EXPECT_EQ(Int(relative, L"Index"), 2);
  EXPECT_EQ(Text(params, L"Name"), L"SCALE") << "the parent keeps its place";
  EXPECT_EQ(relative.Item(nullptr, kHart), kVelkBadArgument);

  // The dynamic-variable walk: Element lists elements, an element its members.
  CVelkToolkit elements = Open(kHart + L"!ItemArray!dynamic_variables!Element");
  ASSERT_EQ(elements.Enum(&elements), kVelkOk);
  ASSERT_EQ(elements.NextEnum(), kVelkOk);
  EXPECT_EQ(Int(elements, L"Kind"), kKindRecord);
  EXPECT_EQ(Text(elements, L"Label"), L"PV");
  EXPECT_EQ(Children(elements, L"ItemName"), (Names{L"DIGITAL_UNITS", L"ANALOG_VALUE"}));
  EXPECT_EQ(Children(elements, L"moniker")[0],
            kHart + L"!ItemArray!dynamic_variables!Element!1!Member!DIGITAL_UNITS");
}

TEST(VelkToolkitTest, ReadAndWaitKeepTheOrderOfTheReads) {
  SamplePlant plant;
  CVelkToolkit damping = Open(kHart + L"!Param!damping");
  for (const wchar_t* attribute : {L"Name", L"ItemId", L"Kind", L"Class", L"Type", L"Index"}) {
    ASSERT_EQ(damping.Read(attribute), kVelkOk);
  }
  CVelkResult results[7];
  ASSERT_EQ(damping.Wait(results), kVelkOk);
  EXPECT_EQ(results[0].m_var.GetVT_BSTRW(), L"damping");
  const int32_t expected[] = {0x4001, kKindValue, 0, 4, 2};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(results[i + 1].m_status, kVelkOk);
    EXPECT_EQ(results[i + 1].m_var.GetVT_I4(), expected[i]) << i;
  }
  EXPECT_EQ(results[6].m_var.GetVT(), kVtEmpty) << "slots past the reads are untouched";
  EXPECT_EQ(damping.Wait(results), kVelkNothingRead) << "Wait empties the queue";

  // Relative attribute paths, and failures that keep their place in the queue.
  CVelkToolkit device = Open(kHart);
  device.Read(L"Param!damping!Units");
  device.Read(L"Param!nope!value");
  device.Read(L"!value");
  device.Read(L"Param!damping!value");
  CVelkResult four[4];
  ASSERT_EQ(device.Wait(four), kVelkOk);
  EXPECT_EQ(four[0].m_var.GetVT_BSTRW(), L"s");
  EXPECT_EQ(four[1].m_status, kVelkNoItem);
  EXPECT_EQ(four[2].m_status, kVelkNoItem);
  EXPECT_FLOAT_EQ(four[3].m_var.GetVT_R4(), 1.5f);

  device.Read(L"Name");
  device.Read(L"BlockKey");
  CVelkResult one[1];
  EXPECT_EQ(device.Wait(one), kVelkTooFewResults);
  EXPECT_EQ(one[0].m_var.GetVT_BSTRW(), L"PT-101");

  CVelkToolkit nowhere = Open(kHart);
  EXPECT_NE(nowhere.Item(&nowhere, kHart + L"!Param!nope"), kVelkOk);
  EXPECT_NE(nowhere.Read(L"Name"), kVelkOk) << "a failed Read queues nothing";
  ASSERT_EQ(nowhere.Item(&nowhere, kHart), kVelkOk);
  ASSERT_EQ(nowhere.Read(L"Name"), kVelkOk);
  ASSERT_EQ(nowhere.Wait(one), kVelkOk);
  EXPECT_EQ(one[0].m_var.GetVT_BSTRW(), L"PT-101");
}

// A device made by test device creation is not recorded; its identifier
// names manufacturer and device type, and the highest fieldbus revision of
// them answers (here 07: not 05, and not the higher HART revision 0a).
TEST(VelkToolkitTest, CreatedTestDeviceResolvesThroughItsRevision) {
  SamplePlant plant;
  CVelkToolkit params = Open(kTestDevice + L"!BlkId!1!Param", kViewCurrent, kProtocolFieldbus);
  EXPECT_EQ(Children(params, L"Name"), (Names{L"PRIMARY_UNITS", L"SCALE", L"SERIAL", L"TOTAL"}));
  CVelkToolkit device = Open(kTestDevice);
  EXPECT_EQ(Text(device, L"BlkId!1!Name"), L"TRANSDUCER");
  EXPECT_EQ(Text(device, L"DDL"), L"000026012207");
  EXPECT_EQ(Int(device, L"BlkId!1!Param!PRIMARY_UNITS!Type"), 6);
  EXPECT_EQ(Get(device, L"BlkId!1!Param!PRIMARY_UNITS!value").m_status, kVelkNoValue);
  EXPECT_LT(Get(device, L"Name").m_status, 0);

  for (const wchar_t* identifier :
       {L"0000270122TEST00100", L"0000260123TEST00100", L"0000260122TSET00100",
        L"0000260122TEST", L"00002G0122TEST00100", L"0000260122TEST001x0"}) {
    CVelkToolkit toolkit;
    ASSERT_EQ(toolkit.NewRoot(L"\\\\PLANT1", kProtocolFieldbus), kVelkOk);
    EXPECT_NE(toolkit.Item(&toolkit, std::wstring(L"!PhysicalDevice!") + identifier), kVelkOk)
        << ToUtf8(identifier);
  }
}

TEST(VelkToolkitTest, LumenutilReadsCheckStatusAndType) {
  SamplePlant plant;
  CVelkToolkit config = Open(L"!NamedConfig!PT template", kViewNamedConfig);
  std::wstring text = L"untouched";
  EXPECT_EQ(CancelableStringRead(config, L"Name", text, nullptr), kVelkOk);
  EXPECT_EQ(text, L"PT template");
  EXPECT_EQ(CancelableStringRead(config, L"DDL", text, nullptr), kVelkOk);
  EXPECT_EQ(text, L"00002601220A");
  int32_t number = 42;
  EXPECT_EQ(CancelableIntRead(config, L"BlockKey", number, nullptr), kVelkNoValue);
  EXPECT_EQ(CancelableIntRead(config, L"Name", number, nullptr), kVelkWrongType);
  EXPECT_EQ(number, 42);
  text = L"untouched";
  EXPECT_EQ(CancelableStringRead(config, L"Param!damping!value", text, nullptr), kVelkWrongType);
  EXPECT_EQ(text, L"untouched");

  CVelkToolkit device = Open(kHart);
  EXPECT_EQ(CancelableIntRead(device, L"BlockKey", number, nullptr), kVelkOk);
  EXPECT_EQ(number, 7);
}

TEST(VelkToolkitTest, MalformedRecordingIsRefusedUntilRepaired) {
  SamplePlant plant;
  const std::string broken = "ravelin-recording 1\nrevision 26 1 1 hart\n  parm x\n";
  const std::wstring path = plant.Write(L"BROKEN", broken);
  CVelkToolkit toolkit;
  for (int attempt = 0; attempt < 2; ++attempt) {
    EXPECT_EQ(toolkit.NewRoot(L"\\\\BROKEN", kProtocolHart), kVelkBadRecording);
    EXPECT_EQ(toolkit.GetLastErrorText(), path + L", line 3: unknown keyword \"parm\"");
  }
  plant.Write(L"BROKEN", "ravelin-recording 1\nrevision 26 1 1 hart\n  param x\n"
                         "device 26 1 1 hart id=D\n");
  EXPECT_EQ(toolkit.NewRoot(L"\\\\BROKEN", kProtocolHart), kVelkOk) << "a changed file is read anew";
  EXPECT_EQ(toolkit.Item(&toolkit, L"!ID!D!Hart!Param!x"), kVelkOk);
}

}  // namespace
}  // namespace ravelin
