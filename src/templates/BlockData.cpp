// The parameter data of one block of a test device: an event, the template's
// stored data, and a default value for every simple parameter of the block's
// device description.
#include <cstdint>
#include <string>

#include "base/Text.h"
#include "outside/comm/Recording.h"
#include "outside/comm/VelkToolkit.h"
#include "outside/db/DbwSession.h"
#include "outside/db/EventLog.h"
#include "outside/db/Odbc.h"
#include "templates/BlockDataTable.h"
#include "templates/CreateTestDevices.h"

namespace ravelin {

namespace {

constexpr int32_t kKindSimple = 107;
constexpr int32_t kKindRecord = 109;
constexpr int32_t kClassExcluded = 2;
constexpr int32_t kTypeEnumerated = 6;
constexpr int32_t kTypeBitString = 18;

// Value texts: "01", the value kind, the four value bytes least significant first.
constexpr char kIntegerOne[] = "014601000000";
constexpr char kFloatHundred[] = "01470000C842";
constexpr char kFloatZero[] = "014700000000";
constexpr char kFloatOne[] = "01470000803F";
constexpr char kBitString[] = "0144FFFEFF00";

constexpr int32_t kValueTextType = 3;

struct Attributes {
  std::wstring name;
  int32_t itemId = 0;
  int32_t kind = 0;
  int32_t klass = 0;
  int32_t type = 0;
  int32_t index = 0;
};

Attributes ReadAttributes(IVelkToolkit& item) {
  for (const wchar_t* attribute : {L"Name", L"ItemId", L"Kind", L"Class", L"Type", L"Index"}) {
    item.Read(attribute);
  }
  CVelkResult results[6];
  item.Wait(results);
  Attributes a;
  if (results[0].m_var.GetVT() == kVtBstr) a.name = results[0].m_var.GetVT_BSTRW();
  a.itemId = results[1].m_var.GetVT_I4();
  a.kind = results[2].m_var.GetVT_I4();
  a.klass = results[3].m_var.GetVT_I4();
  a.type = results[4].m_var.GetVT_I4();
  a.index = results[5].m_var.GetVT_I4();
  return a;
}

bool Qualifies(const Attributes& a) {
  if (a.kind != kKindSimple || (a.klass & kClassExcluded) != 0) return false;
  switch (a.type) {
    case 2: case 3: case 4: case 5: case 6: case 8: case 18:
      return true;
    default:
      return false;
  }
}

bool Contains(const std::wstring& text, const wchar_t* piece) {
  return text.find(piece) != std::wstring::npos;
}

// A floating value named for its range end: hi gets 100, lo gets 0. Record
// members also go by "100" and "0" in their names.
std::string FloatText(const std::wstring& name, bool member) {
  const std::wstring lower = FoldCase(name);
  if (Contains(lower, L"hi") || (member && Contains(lower, L"100"))) return kFloatHundred;
  if (Contains(lower, L"lo") || (member && Contains(lower, L"0"))) return kFloatZero;
  return kFloatOne;
}

// The first value of the item's enumeration, or integer 1 when it cannot be read.
std::string FirstEnumerationText(const std::wstring& root, const std::wstring& itemMoniker) {
  CVelkToolkit enumeration;
  CVelkResult value[1];
  if (enumeration.NewRoot(root, kProtocolFieldbus) != 0 ||
      enumeration.SetView(kViewCurrent) != 0 ||
      enumeration.Item(&enumeration, itemMoniker + L"!Enum") != 0 ||
      enumeration.Enum(&enumeration) != 0 || enumeration.NextEnum() != 0 ||
      enumeration.Read(L"Value") != 0 || enumeration.Wait(value) != 0 ||
      value[0].m_status < 0) {
    return kIntegerOne;
  }
  const uint32_t v = static_cast<uint32_t>(value[0].m_var.GetVT_I4());
  return ToUtf8(Format(L"0146%02X%02X%02X%02X", v & 0xFF, (v >> 8) & 0xFF,
                       (v >> 16) & 0xFF, (v >> 24) & 0xFF));
}

std::string DefaultText(const Attributes& a, const IVelkToolkit& item,
                        const std::wstring& root, bool member) {
  switch (a.type) {
    case 4:
    case 5:
      return FloatText(a.name, member);
    case kTypeEnumerated:
      return FirstEnumerationText(root, item.GetMoniker());
    case kTypeBitString:
      return kBitString;
    default:
      return kIntegerOne;
  }
}

class GeneratedRows {
 public:
  GeneratedRows(CBlockDataTable& destination, int32_t blockKey, int32_t day, int32_t fraction)
      : destination_(destination), blockKey_(blockKey), day_(day), fraction_(fraction) {}

  void Add(const std::wstring& name, const std::string& text) {
    destination_.AddNew();
    destination_.m_BlockKey = blockKey_;
    destination_.m_EventIdDay = day_;
    destination_.m_EventIdFraction = fraction_;
    destination_.m_ParamKind = L"P";
    destination_.m_ParamName = name;
    destination_.m_ValueMode = L"o";
    destination_.m_ParamDataType = kValueTextType;
    destination_.m_ParamDataSize = static_cast<int32_t>(text.size());
    destination_.m_ParamData.assign(text.begin(), text.end());
    destination_.Update();
    ++count_;
  }
  int32_t Count() const { return count_; }

 private:
  CBlockDataTable& destination_;
  int32_t blockKey_, day_, fraction_;
  int32_t count_ = 0;
};

// Members of a record get names from the record's item id and their index;
// they are not descended further.
void GenerateMembers(const CVelkToolkit& record, const Attributes& recordAttributes,
                     const std::wstring& root, GeneratedRows& rows) {
  CVelkToolkit member;
  member.Item(&record, record.GetMoniker() + L"!Member");
  member.SetView(kViewCurrent);
  if (member.Enum(&member) != 0 || member.NextEnum() != 0) return;
  do {
    const Attributes a = ReadAttributes(member);
    if (Qualifies(a)) {
      rows.Add(Format(L"%08x:%02x", recordAttributes.itemId, a.index),
               DefaultText(a, member, root, true));
    }
  } while (member.NextEnum() == 0);
}

void GenerateParameters(const std::wstring& serverName, const std::wstring& identifier,
                        int32_t blockIndex, GeneratedRows& rows) {
  const std::wstring root = L"\\\\" + serverName;
  CVelkToolkit element;
  if (element.NewRoot(root, kProtocolFieldbus) != 0) return;
  element.SetView(kViewCurrent);
  element.Item(&element,
               Format(L"!PhysicalDevice!%s!BlkId!%d!Param", identifier.c_str(), blockIndex));
  if (element.Enum(&element) != 0 || element.NextEnum() != 0) return;
  do {
    const Attributes a = ReadAttributes(element);
    if (Qualifies(a)) {
      rows.Add(Format(L"%08x:00", a.itemId), DefaultText(a, element, root, false));
    }
    if (a.kind == kKindRecord) GenerateMembers(element, a, root, rows);
  } while (element.NextEnum() == 0);
}

}  // namespace

int32_t CreateBlockData(CDbwDbSession& session, const std::wstring& serverName,
                        const std::wstring& identifier, int32_t blockKey,
                        int32_t blockIndex, int32_t configKey) {
  // An event log or template data that cannot be read is a database error
  // like a failed insert: the device goes back instead of staying without
  // its data.
  CEventLog event(&session);
  if (!event.Open(L"EventIdDay = -1")) throw session.GetLastError();
  event.AddNew();
  event.FillDefaults();
  event.m_BlockKey = blockKey;
  event.m_EventText = L"Create Default Data";
  event.m_EventCategory = 6;
  event.m_EventStatus = 1;
  event.m_EventCode = 28;
  const int32_t day = event.m_EventIdDay;
  const int32_t fraction = event.m_EventIdFraction;
  // Without an id the event would be stored under day -1.
  if (day == -1) throw session.GetLastError();
  event.Update();

  CBlockDataTable destination(&session);
  destination.m_strFilter = L"EventIdDay = -1";
  if (!destination.Open(CBlockDataTable::kDynaset)) {
    throw odbc::OdbcError(destination.GetLastError(), L"");
  }
  int32_t copied = 0;
  CBlockDataTable source(&session);
  if (!source.Open(CBlockDataTable::kUseDefaultType, kTemplateDataSql, {configKey, blockIndex})) {
    throw odbc::OdbcError(source.GetLastError(), L"");
  }
  for (; !source.IsEOF(); source.MoveNext()) {
    destination.AddNew();
    destination.m_BlockKey = blockKey;
    destination.m_EventIdDay = day;
    destination.m_EventIdFraction = fraction;
    destination.m_ParamKind = source.m_ParamKind;
    destination.m_ParamName = source.m_ParamName;
    destination.m_ValueMode = L"h";
    destination.m_ParamDataType = source.m_ParamDataType;
    destination.m_ParamDataSize = source.m_ParamDataSize;
    destination.m_ParamData = source.m_ParamData;
    destination.Update();
    ++copied;
  }

  GeneratedRows generated(destination, blockKey, day, fraction);
  GenerateParameters(serverName, identifier, blockIndex, generated);
  return copied + generated.Count();
}

void CreateBlockData(std::wstring serverName, std::wstring identifier, int32_t blockKey,
                     int32_t blockIndex, int32_t configKey) {
  CDbwDbSession session;
  // A failed open was logged; the block gets no data.
  if (!session.OpenDb()) return;
  odbc::Transaction transaction(session.GetConnection());
  CreateBlockData(session, serverName, identifier, blockKey, blockIndex, configKey);
  transaction.Commit();
}

}  // namespace ravelin
