#include "wizard/MapFileWizard.h"

#include "wizard/MappingPages.h"
#include "wizard/ParameterPages.h"

namespace ravelin {

const wchar_t kMapFileWizardCaption[] = L"Map File Wizard";
const wchar_t kCloseUnwrittenQuestion[] =
    L"The map file has not been written. Close the wizard anyway?";

CMapFileWizard::CMapFileWizard(WizardSheetView& sheet, const std::wstring& tag,
                               const std::wstring& moniker, const std::wstring& plantServer,
                               int32_t manufacturer, int32_t deviceType,
                               int32_t deviceRevision, bool fieldbus)
    : m_mapInfo(tag, moniker, plantServer, static_cast<uint32_t>(manufacturer),
                static_cast<uint32_t>(deviceType), static_cast<uint32_t>(deviceRevision),
                fieldbus ? 1 : 0),
      m_sheet(sheet) {
  if (m_mapInfo.IsFieldbus()) Add<CTransducerBlockPage>(sheet);
  Add<CInputParameterPage>(sheet, kInputParameter);
  Add<CMapInputUnitsPage>(sheet);
  Add<CInputBlockTypePage>(sheet, kInputBlockType);
  Add<CMapTempProbeTypePage>(sheet, kMapTempProbeType);
  Add<CNumWiresParameterPage>(sheet, kNumWiresParameter);
  Add<CMapNumWiresPage>(sheet, kMapNumWires);
  Add<CMapPressMeasTypePage>(sheet, kMapPressMeasType);
  Add<CTotalizerParamsPage>(sheet, kTotalizerParams);
  Add<CMapTotalizerUnitsPage>(sheet, kMapTotalizerUnits);
  Add<CInputOutputRelationPage>(sheet, kInputOutputRelation);
  Add<CTransferFunctionCodePage>(sheet, kTransferFunctionCode);
  m_finished = &Add<CWizardFinishedPage>(sheet, kWizardFinished);
}

CMapFileWizard::~CMapFileWizard() = default;

template <typename Page>
Page& CMapFileWizard::Add(WizardSheetView& sheet, int selector) {
  auto page = std::make_unique<Page>(&m_mapInfo);
  Page& added = *page;
  const int position = sheet.AddPage(added);
  if (selector >= 0) m_pageIndex[selector] = position;
  m_pageList.push_back(std::move(page));
  return added;
}

void CMapFileWizard::OnGotoWizardPage(uint32_t selector) {
  if (selector > kWizardFinished) return;
  m_sheet.SetActivePage(m_pageIndex[selector]);
}

bool CMapFileWizard::QueryClose() {
  if (!m_finished->HasUnwrittenChanges()) return true;
  return m_sheet.Confirm(kCloseUnwrittenQuestion);
}

}  // namespace ravelin
