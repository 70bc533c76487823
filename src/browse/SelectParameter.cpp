#include "browse/SelectParameter.h"

#include <iterator>
#include <utility>

#include "browse/BrowseIds.h"
#include "browse/DeviceWalk.h"
#include "browse/SelectEnumeration.h"
#include "platform/Platform.h"

namespace ravelin {

namespace {

constexpr int kTypeButtons = IDC_TYPE_STRING - IDC_TYPE_ALL + 1;

}  // namespace

bool TypeMatches(int filter, int32_t type) {
  switch (filter) {
    case 0: return true;
    case 1: return type == 6;
    case 2: return type == 4 || type == 5;
    case 3: return type == 9 || type == 10 || type == 11;
    default: return false;
  }
}

CSelectParameter::CSelectParameter(std::wstring blockMoniker, std::wstring server,
                                   bool fieldbus, int32_t typeFilter)
    : m_strBlockMoniker(std::move(blockMoniker)),
      m_strServer(std::move(server)),
      m_bFieldbus(fieldbus),
      m_nTypeFilter(typeFilter) {}

void CSelectParameter::OnInitDialog() {
  m_view->AddColumn(0, L"Name", 100);
  m_view->AddColumn(1, L"Label", 100);
  m_view->AddColumn(2, L"Help", 300);
  m_view->AddColumn(3, L"Unit", 60);
  if (m_nTypeFilter >= 0 && m_nTypeFilter < kTypeButtons) {
    m_view->CheckRadio(IDC_TYPE_ALL, IDC_TYPE_STRING, IDC_TYPE_ALL + m_nTypeFilter);
  }
  FillParameterList();
}

void CSelectParameter::OnCommand(int controlId) {
  switch (controlId) {
    case IDC_TYPE_ALL:
    case IDC_TYPE_ENUMERATION:
    case IDC_TYPE_FLOAT:
    case IDC_TYPE_STRING:
      FillParameterList();
      break;
    case IDC_SHOW_ENUM:
      ShowEnumeration();
      break;
    case ID_COPY_TO_CLIPBOARD:
      CopyParameterList();
      break;
    case kIdOk:
      OnOK();
      break;
    case kIdCancel:
      m_view->End(kIdCancel);
      break;
    default:
      break;
  }
}

void CSelectParameter::OnListRightClick() { m_view->ShowContextMenu(IDR_PARAMETER_MENU); }

void CSelectParameter::FillParameterList() {
  m_filter = -1;
  for (int button = 0; button < kTypeButtons && m_filter < 0; ++button) {
    if (m_view->IsChecked(IDC_TYPE_ALL + button)) m_filter = button;
  }
  m_view->DeleteAllRows();

  CVelkToolkit cursor;
  if (!OpenCursor(cursor, m_strServer, m_bFieldbus ? kProtocolFieldbus : kProtocolHart,
                  m_strBlockMoniker + L"!Param")) {
    return;
  }
  const auto read = [](const CVelkResult* r) {
    return Row{StringOf(r[0]), StringOf(r[2]), StringOf(r[3]), StringOf(r[4]),
               r[1].m_var.GetVT_I4()};
  };
  ForEachChild(cursor, {L"Name", L"Type", L"Label", L"Help", L"Units", L"Kind"},
               [&](IVelkToolkit& child, const CVelkResult* results) {
                 const Row parameter = read(results);
                 if (results[5].m_var.GetVT_I4() != kKindRecord) {
                   Offer(parameter);
                   return;
                 }
                 // A record is offered as its members, never as a whole.
                 CVelkToolkit members;
                 if (members.Item(&child, child.GetMoniker() + L"!Member") != 0) return;
                 ForEachChild(members, {L"Name", L"Type", L"Label", L"Help", L"Units", L"Kind"},
                              [&](IVelkToolkit&, const CVelkResult* member) {
                                Row row = read(member);
                                row.name = parameter.name + L"!Member!" + row.name;
                                Offer(row);
                              });
               });

  if (m_bFieldbus) return;
  if (cursor.Item(&cursor, m_strBlockMoniker + L"!ItemArray!dynamic_variables!Element") == 0) {
    AddDynamicVariables(cursor);
  }
}

void CSelectParameter::AddDynamicVariables(const IVelkToolkit& from) {
  CVelkToolkit cursor;
  if (cursor.Item(&from, from.GetMoniker()) != 0) return;
  CVelkResult kind[1];
  cursor.Read(L"Kind");
  cursor.Wait(kind);
  if (kind[0].m_var.GetVT_I4() != kKindValue) {
    if (cursor.Enum(&cursor) != 0) return;
    while (cursor.NextEnum() == 0) AddDynamicVariables(cursor);
    return;
  }
  CVelkResult read[5];
  for (const wchar_t* attribute : {L"ItemName", L"Type", L"Label", L"Help", L"Units"}) {
    cursor.Read(attribute);
  }
  cursor.Wait(read);
  // The row is the leaf's path from "ItemArray!", named by its item name.
  const std::wstring moniker = cursor.GetMoniker();
  const size_t start = moniker.find(L"ItemArray!");
  if (start == std::wstring::npos) return;
  const std::wstring path = moniker.substr(start);
  const size_t last = path.rfind(L'!');
  if (last < std::size(L"ItemArray!") - 1) return;
  Offer({path.substr(0, last + 1) + StringOf(read[0]), StringOf(read[2]), StringOf(read[3]),
         StringOf(read[4]), read[1].m_var.GetVT_I4()});
}

void CSelectParameter::Offer(const Row& row) {
  if (row.name.empty() || !TypeMatches(m_filter, row.type)) return;
  m_view->AppendRow({row.name, row.label, row.help, row.units});
}

std::wstring CSelectParameter::SelectedName() {
  const std::vector<int> selected = m_view->SelectedRows();
  return selected.empty() ? std::wstring() : m_view->RowText(selected.back(), 0);
}

void CSelectParameter::ShowEnumeration() {
  const std::wstring name = SelectedName();
  if (name.empty()) {
    AskForSelection();
    return;
  }
  const bool dynamic = name.find(L"ItemArray!") != std::wstring::npos;
  CSelectEnumeration enumeration(m_strBlockMoniker + (dynamic ? L"!" : L"!Param!") + name,
                                 m_strServer, m_bFieldbus);
  m_view->RunEnumeration(enumeration);
}

void CSelectParameter::CopyParameterList() {
  std::wstring text = L"ParamName;Label;HelpText\r\n";
  const int rows = m_view->RowCount();
  for (int row = 0; row < rows; ++row) {
    text += m_view->RowText(row, 0) + L";" + m_view->RowText(row, 1) + L";" +
            m_view->RowText(row, 2) + L"\r\n";
  }
  // A clipboard that cannot be opened leaves nothing to do.
  ThePlatform().SetClipboardText(text);
}

void CSelectParameter::OnOK() {
  std::wstring name = SelectedName();
  if (name.empty()) {
    // The output keeps its value: Cancel may follow.
    AskForSelection();
    return;
  }
  m_strParameter = std::move(name);
  m_view->End(kIdOk);
}

}  // namespace ravelin
