#include "browse/SelectBlock.h"

#include <utility>

#include "base/Text.h"
#include "browse/BrowseIds.h"
#include "browse/DeviceWalk.h"
#include "platform/Platform.h"

namespace ravelin {

CSelectBlock::CSelectBlock(std::wstring moniker, std::wstring server)
    : m_strMoniker(std::move(moniker)), m_strServer(std::move(server)) {}

void CSelectBlock::OnInitDialog() {
  m_view->AddColumn(0, L"BlockIndex", 100);
  m_view->AddColumn(1, L"Name", 100);
  m_view->AddColumn(2, L"Label", 300);

  // Only fieldbus devices have blocks.
  CVelkToolkit cursor;
  if (!OpenCursor(cursor, m_strServer, kProtocolFieldbus, m_strMoniker + L"!BlkId")) return;
  ForEachChild(cursor, {L"Name", L"Label", L"ObjectIndex"},
               [this](IVelkToolkit&, const CVelkResult* read) {
                 if (read[0].m_var.GetVT() != kVtBstr) return;
                 m_view->AppendRow({Format(L"%d", read[2].m_var.GetVT_I4()),
                                    read[0].m_var.GetVT_BSTRW(), StringOf(read[1])});
               });
}

void CSelectBlock::OnCommand(int controlId) {
  if (controlId == kIdOk) OnOK();
  if (controlId == kIdCancel) m_view->End(kIdCancel);
}

void CSelectBlock::OnOK() {
  const std::vector<int> selected = m_view->SelectedRows();
  if (selected.empty()) {
    // The output keeps its value: Cancel may follow.
    AskForSelection();
    return;
  }
  m_nBlockIndex = WtoI(m_view->RowText(selected.front(), 0));
  m_view->End(kIdOk);
}

}  // namespace ravelin
