#include "wizard/SelectMappingDialogs.h"

#include "browse/BrowseView.h"
#include "platform/Platform.h"

namespace ravelin {

void CSelectUnitDialog::OnInitDialog() {
  m_view->ResetContent();
  FillList(*m_view);
  m_view->ShowMappingFor(m_strMappingFor);
}

void CSelectUnitDialog::OnOK() {
  const std::optional<int32_t> code = m_view->CurrentCode();
  if (!code) {
    m_view->Tell(kMakeASelection);
    return;
  }
  m_nSelectedCode = *code;
  m_view->End(kIdOk);
}

void CSelectUnitDialog::OnCancel() { m_view->End(kIdCancel); }

void CSelectUnitDialog::FillList(CodeListControl& list) { FillUnitsList(&list); }

void CSelectTempProbeDialog::FillList(CodeListControl& list) { FillProbeTypeList(&list); }

void CSelectPressMeasDialog::FillList(CodeListControl& list) { FillPressMeasList(&list); }

void CSelectRelationshipDialog::FillList(CodeListControl& list) {
  FillTransferFuncList(&list);
}

void CSelectNumWiresDialog::FillList(CodeListControl& list) {
  list.ResetContent();
  list.AddItem(L"2 wires", 2);
  list.AddItem(L"3 wires", 3);
  list.AddItem(L"4 wires", 4);
  list.AddItem(L"None", 251);
}

}  // namespace ravelin
