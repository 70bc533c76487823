#include "outside/comm/RecordingParser.h"

#include <gtest/gtest.h>

#include <string>

#include "base/Text.h"
#include "outside/comm/ItemPosition.h"
#include "support/TempDir.h"

namespace ravelin {
namespace {

constexpr char kHeader[] = "ravelin-recording 1\n";
constexpr char kRevision[] = "ravelin-recording 1\nrevision 26 1 1 hart\n";
constexpr char kDevice[] =
    "ravelin-recording 1\nrevision 26 1 1 hart\nparam a type=4\nparam r kind=109\n"
    "device 26 1 1 hart id=X\nview 104\n";

struct Malformed {
  int sourceLine;
  std::string text;
  int line;
  const wchar_t* reason;
};

// Each malformed recording is refused as a whole, naming the file, the line
// of the fault and what is wrong.
TEST(RecordingParserTest, MalformedRecordingsNameFileLineAndFault) {
  const std::string h = kHeader, r = kRevision, d = kDevice;
  const Malformed cases[] = {
      {__LINE__, "", 1, L"does not begin with \"ravelin-recording 1\""},
      {__LINE__, "# only a comment\n\n", 1, L"does not begin with"},
      {__LINE__, "revision 1 1 1 hart\n", 1, L"must begin with \"ravelin-recording 1\""},
      {__LINE__, "ravelin-recording 2\n", 1, L"version \"2\" is not known"},
      {__LINE__, h + "\nparm x\n", 3, L"unknown keyword \"parm\""},
      {__LINE__, h + "revision 1000000 1 1 hart\n", 2, L"manufacturer id \"1000000\""},
      {__LINE__, h + "revision 26 1 1g 1 hart\n", 2, L"device revision \"1g\""},
      {__LINE__, h + "revision 26 1 1 profibus\n", 2, L"protocol \"profibus\""},
      {__LINE__, h + "revision 26 1\n", 2, L"missing device revision"},
      {__LINE__, r + "revision 026 001 01 hart\n", 3, L"revision is recorded twice"},
      {__LINE__, h + "block 1\n", 2, L"\"block\" must follow a \"revision\""},
      {__LINE__, r + "block -1\n", 3, L"cannot be negative"},
      {__LINE__, r + "block 1 colour=red\n", 3, L"unknown attribute \"colour\""},
      {__LINE__, r + "param\n", 3, L"missing parameter name"},
      {__LINE__, r + "param a\nparam A\n", 4, L"parameter \"A\" is recorded twice"},
      {__LINE__, r + "param a!b\n", 3, L"\"a!b\" is empty or holds \"!\""},
      {__LINE__, r + "param a kind=x\n", 3, L"kind \"x\" is not an integer"},
      {__LINE__, r + "param a 107\n", 3, L"expected key=value, found \"107\""},
      {__LINE__, r + "param a label=\"open\n", 3, L"no closing quote"},
      {__LINE__, r + "param a itemid=0x100000000\n", 3, L"itemid \"0x100000000\""},
      {__LINE__, r + "param a\nmember b\n", 4, L"needs a record (kind 109)"},
      {__LINE__, r + "member b\n", 3, L"\"member\" must follow"},
      {__LINE__, r + "param a\nenum 1 x\nenum 1 y\n", 5, L"enumeration value \"1\" is recorded twice"},
      {__LINE__, r + "param a\nenum 1 x y\n", 4, L"unexpected \"y\""},
      {__LINE__, r + "param a\nenum 1\n", 4, L"missing enumeration description"},
      {__LINE__, r + "enum 1 x\n", 3, L"\"enum\" must follow"},
      {__LINE__, h + "device 26 1 1 hart id=X\n", 2, L"revision is not recorded above"},
      {__LINE__, r + "device 26 1 1 hart tag=T\n", 3, L"needs id= or serial="},
      {__LINE__, r + "device 26 1 1 hart id=X\ndevice 26 1 1 hart id=x\n", 4,
       L"device id \"x\" is recorded twice"},
      {__LINE__, r + "device 26 1 1 hart id=X\nparam b\n", 4, L"\"param\" must follow"},
      {__LINE__, r + "config 26 1 1 hart blockkey=3\n", 3, L"needs name="},
      {__LINE__, r + "config 26 1 1 hart name=T\nconfig 26 1 1 hart name=t\n", 4,
       L"configuration name \"t\" is recorded twice"},
      {__LINE__, h + "view 104\n", 2, L"\"view\" must follow a \"device\""},
      {__LINE__, r + "device 26 1 1 hart id=X\nvalue Param!a 1\n", 4, L"must follow a \"view\""},
      {__LINE__, r + "device 26 1 1 hart id=X\nview 105\n", 4, L"view 105 is neither"},
      {__LINE__, d + "value Param!b 1\n", 7, L"\"Param!b\" is not a parameter"},
      {__LINE__, d + "value Param 1\n", 7, L"\"Param\" is not a parameter"},
      {__LINE__, d + "value Param!r 1\n", 7, L"is a record"},
      {__LINE__, d + "value Param!a abc\n", 7, L"\"abc\" is not a number"},
      {__LINE__, d + "value Param!a 1e39\n", 7, L"too large for a float"},
      {__LINE__, d + "value Param!a 1\nvalue param!A 2\n", 8, L"already recorded in this view"},
  };
  for (const Malformed& c : cases) {
    SCOPED_TRACE(c.sourceLine);
    try {
      ParseRecording(c.text, L"plant/PLANT1.rec");
      ADD_FAILURE() << "accepted";
    } catch (const RecordingError& error) {
      EXPECT_EQ(error.Line(), c.line) << ToUtf8(error.Message());
      const std::wstring prefix = Format(L"plant/PLANT1.rec, line %d: ", c.line);
      EXPECT_EQ(error.Message().rfind(prefix, 0), 0u) << ToUtf8(error.Message());
      EXPECT_NE(error.Message().find(c.reason), std::wstring::npos) << ToUtf8(error.Message());
      EXPECT_NE(std::string(error.what()).find("PLANT1.rec"), std::string::npos);
    }
  }
}

TEST(RecordingParserTest, UnreadableFileIsNamed) {
  try {
    LoadRecordingFile(L"no-such-dir/NOPLANT.rec");
    ADD_FAILURE() << "accepted";
  } catch (const RecordingError& error) {
    EXPECT_EQ(error.Line(), 0);
    EXPECT_EQ(error.Message(), L"no-such-dir/NOPLANT.rec: the file cannot be read");
  }
}

// The lexical details that recordings written by hand or by other tools use:
// a byte order mark, CR LF, comments, quotes with escapes, keys inside
// quoted words, hexadecimal and 32-bit-wrapping integers, UTF-8 text.
TEST(RecordingParserTest, ReadsTheLexicalForms) {
  const auto recording = ParseRecording(
      "\xEF\xBB\xBFravelin-recording 1\r\n"
      "   # indented comment\r\n"
      "revision 00ABCD 0F 1 hart\r\n"
      "\tparam p type=6 itemid=0x80000001 class=-2 label=\"say \\\"hi\\\" \\\\ a=b\" "
      "help=C:\\dd\\x units=\"\xC2\xB0" "C\"\r\n"
      "    enum 70000 \"a = b\"\r\n"
      "    enum -1 \"\"\r\n"
      "device abcd f 01 hart id=\"D 1\" tag=\"x=y\"\r\n",
      L"lexical.rec");
  const auto revision = recording->FindRevision({0xABCD, 0xF, 1, kProtocolHart});
  ASSERT_NE(revision, nullptr);
  const RecordedItem* p = revision->root.Descend(L"Param!p");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->itemId, static_cast<int32_t>(0x80000001u));
  EXPECT_EQ(p->itemClass, -2);
  EXPECT_EQ(p->label, L"say \"hi\" \\ a=b");
  EXPECT_EQ(p->help, L"C:\\dd\\x");
  EXPECT_EQ(p->units, L"\u00B0C");
  const RecordedItem* entries = p->Child(L"Enum");
  ASSERT_NE(entries, nullptr);
  ASSERT_EQ(entries->listing.size(), 2u);
  EXPECT_EQ(entries->listing[0]->number, 70000);
  EXPECT_EQ(entries->listing[0]->label, L"a = b");
  EXPECT_EQ(entries->listing[1]->number, -1);
  EXPECT_EQ(entries->listing[1]->Path(), L"Param!p!Enum!-1");
  const auto device = recording->FindById(L"d 1");
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(device->name, L"x=y");
  EXPECT_EQ(device->revision, revision.get());
}

// More revisions and devices than stay parsed: each device still resolves
// to its own revision and values, a position taken first outlives the
// others being parsed, and a duplicate id far below the first is refused.
// From memory and from a file several read windows long, looked up backwards
// and forwards: every span crosses or leaves a window somewhere.
TEST(RecordingParserTest, OnlyTheLatestStayParsedAndPositionsKeepTheirItems) {
  std::string revisions = kHeader, devices;
  const std::string padding(1500, 'x');
  for (int i = 1; i <= 80; ++i) {
    revisions += "revision 26 " + std::to_string(i) + " 1 hart\nparam p type=3 help=" +
                 std::to_string(i) + padding + "\n";
    devices += "device 26 " + std::to_string(i) + " 1 hart id=D" + std::to_string(i) + " tag=" +
               padding + "\nview 104\nvalue Param!p " + std::to_string(i * 7) + "\n";
  }
  const std::string text = revisions + devices;
  testing::TempDir folder;
  for (const bool fromFile : {false, true}) {
    SCOPED_TRACE(fromFile ? "from a file" : "from memory");
    const auto recording = fromFile ? LoadRecordingFile(folder.Write(L"many.rec", text))
                                    : ParseRecording(text, L"many.rec");
    ASSERT_EQ(recording->DeviceCount(), 80u);
    const auto first = ResolveMoniker(*recording, L"!ID!d1!Hart!Param!p");
    ASSERT_TRUE(first.has_value());
    for (int round = 0; round < 2; ++round) {
      for (int step = 0; step < 80; ++step) {
        const int i = round == 0 ? 80 - step : 1 + step;
        SCOPED_TRACE(i);
        const auto position =
            ResolveMoniker(*recording, L"!ID!D" + std::to_wstring(i) + L"!Hart!Param!p");
        ASSERT_TRUE(position.has_value());
        EXPECT_EQ(position->revision->id.deviceType, std::stoul(std::to_string(i), nullptr, 16));
        EXPECT_EQ(ReadAttribute(*position, L"Value", kViewCurrent).m_var.GetVT_I4(), i * 7);
        EXPECT_EQ(ReadAttribute(*position, L"Help", kViewCurrent).m_var.GetVT_BSTRW(),
                  std::to_wstring(i) + std::wstring(padding.begin(), padding.end()));
      }
    }
    EXPECT_EQ(ReadAttribute(*first, L"Value", kViewCurrent).m_var.GetVT_I4(), 7);
    EXPECT_EQ(first->Moniker(), L"!ID!d1!Hart!Param!p");
  }

  try {
    ParseRecording(text + "device 26 1 1 hart id=d1\n", L"many.rec");
    ADD_FAILURE() << "accepted";
  } catch (const RecordingError& error) {
    EXPECT_EQ(error.Line(), 1 + 2 * 80 + 3 * 80 + 1);
    EXPECT_NE(error.Message().find(L"device id \"d1\" is recorded twice"), std::wstring::npos);
  }
}

// Devices far below their revisions are checked as closely as near ones,
// and a lookup afterwards still finds everything the revision records.
TEST(RecordingParserTest, FarDevicesAreCheckedAndTheirRevisionsStayWhole) {
  std::string revisions = kHeader, devices;
  for (int i = 1; i <= 40; ++i) {
    revisions += "revision 26 " + std::to_string(i) +
                 " 1 hart\nparam e type=6 label=Mode\n  enum 3 Three\n";
    devices += "device 26 " + std::to_string(i) + " 1 hart id=D" + std::to_string(i) +
               "\nview 104\nvalue Param!e 3\n";
  }
  const auto recording = ParseRecording(revisions + devices, L"far.rec");
  const auto entry = ResolveMoniker(*recording, L"!ID!D1!Hart!Param!e!Enum!3");
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(ReadAttribute(*entry, L"Description", kViewCurrent).m_var.GetVT_BSTRW(), L"Three");
  const auto mode = ResolveMoniker(*recording, L"!ID!D1!Hart!Param!e");
  ASSERT_TRUE(mode.has_value());
  EXPECT_EQ(ReadAttribute(*mode, L"Label", kViewCurrent).m_var.GetVT_BSTRW(), L"Mode");
  EXPECT_EQ(ReadAttribute(*mode, L"Value", kViewCurrent).m_var.GetVT_I4(), 3);

  for (const char* path : {"Param!e!Enum!3", "Param!e!Enum", "Param!x"}) {
    SCOPED_TRACE(path);
    try {
      ParseRecording(revisions + devices + "device 26 1 1 hart id=Z\nview 104\nvalue " + path +
                         " 1\n",
                     L"far.rec");
      ADD_FAILURE() << "accepted";
    } catch (const RecordingError& error) {
      EXPECT_EQ(error.Line(), 1 + 3 * 40 + 3 * 40 + 3);
      EXPECT_NE(error.Message().find(L"is not a parameter of the device's revision"),
                std::wstring::npos);
    }
  }
}

}  // namespace
}  // namespace ravelin
