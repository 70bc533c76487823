#include "wizard/MappingPages.h"

#include "base/Text.h"
#include "mapfile/MapFileInformation.h"
#include "outside/Conversions.h"
#include "outside/comm/VelkToolkit.h"
#include "platform/Platform.h"
#include "wizard/SelectMappingDialogs.h"
#include "wizard/WizardIds.h"

namespace ravelin {
namespace {

using Model = CMapFileInformation;

constexpr int kColumnWidths[3] = {100, 100, 300};

template <typename Dialog>
std::unique_ptr<CSelectUnitDialog> Make(Model* model) {
  return std::make_unique<Dialog>(model);
}

template <typename Conversion>
bool Named(int32_t commonCode) {
  std::wstring name;
  return Conversion().GetEnglishName(static_cast<uint16_t>(commonCode), name) == 0 &&
         !name.empty();
}

const MappingPageKind kInputUnits{
    IDD_MAP_INPUT_UNITS, &Model::m_strUnitsParam,
    {L"DDL Unit Name", L"Unit Code", L"Map File Unit Name"},
    &Model::GetUnitsMappingName, &Model::SetUnitsMapping, &Model::FieldbusUnitsToCommon,
    &Named<CUnitsConversion>, &Make<CSelectUnitDialog>};

const MappingPageKind kTempProbeType{
    IDD_MAP_TEMP_PROBE_TYPE, &Model::m_strProbeTypeParam,
    {L"DDL ProbeType", L"Code", L"Map File ProbeType"},
    &Model::GetProbeTypeMappingName, &Model::SetProbeTypeMapping,
    &Model::FieldbusProbeTypeToCommon, &Named<CProbeTypeConversion>,
    &Make<CSelectTempProbeDialog>};

const MappingPageKind kPressMeasType{
    IDD_MAP_PRESS_MEAS_TYPE, &Model::m_strPressMeasParam,
    {L"DDL Pressure Type", L"Code", L"Map File Pressure Type"},
    &Model::GetPressMeasMappingName, &Model::SetPressMeasMapping,
    &Model::FieldbusPressMeasToCommon, &Named<CPressMeasTypeConversion>,
    &Make<CSelectPressMeasDialog>};

const MappingPageKind kNumWires{
    IDD_MAP_NUM_WIRES, &Model::m_strNumWiresParam,
    {L"DDL NumWires", L"Code", L"Map File NumWires"},
    &Model::GetNumWiresMappingName, &Model::SetNumWiresMapping, nullptr, nullptr,
    &Make<CSelectNumWiresDialog>};

const MappingPageKind kTotalizerUnits{
    IDD_MAP_TOTALIZER_UNITS, &Model::m_strTotalizerUnitsParam,
    {L"DDL Unit Name", L"Unit Code", L"Map File Unit Name"},
    &Model::GetTotalizerUnitsMappingName, &Model::SetTotalizerUnitsMapping,
    &Model::FieldbusUnitsToCommon, &Named<CUnitsConversion>, &Make<CSelectUnitDialog>};

const MappingPageKind kTransferFunction{
    IDD_TRANSFER_FUNCTION_CODE, &Model::m_strTransferFuncParam,
    {L"DDL Relationship", L"Trans Func Code", L"Map Relationship Name"},
    &Model::GetTransferFuncMappingName, &Model::SetTransferFuncMapping, nullptr, nullptr,
    &Make<CSelectRelationshipDialog>};

constexpr int32_t kCurrentView = 104;

}  // namespace

CMapInputUnitsPage::CMapInputUnitsPage(Model* model) : CEnumMappingPage(kInputUnits, model) {}
CMapTempProbeTypePage::CMapTempProbeTypePage(Model* model)
    : CEnumMappingPage(kTempProbeType, model) {}
CMapPressMeasTypePage::CMapPressMeasTypePage(Model* model)
    : CEnumMappingPage(kPressMeasType, model) {}
CMapNumWiresPage::CMapNumWiresPage(Model* model) : CEnumMappingPage(kNumWires, model) {}
CMapTotalizerUnitsPage::CMapTotalizerUnitsPage(Model* model)
    : CEnumMappingPage(kTotalizerUnits, model) {}
CTransferFunctionCodePage::CTransferFunctionCodePage(Model* model)
    : CEnumMappingPage(kTransferFunction, model) {}

std::unique_ptr<IVelkToolkit> CEnumMappingPage::MakeToolkit() const {
  return std::make_unique<CVelkToolkit>();
}

void CEnumMappingPage::OnInitDialog() {
  for (int column = 0; column < 3; ++column) {
    m_view->AddColumn(column, m_kind.headers[column], kColumnWidths[column]);
  }
}

void CEnumMappingPage::OnSetActive() {
  FillMappingList();
  m_view->SetWizardButtons(kWizBack | kWizNext);
}

void CEnumMappingPage::OnCommand(int controlId) {
  if (controlId == IDC_SINGLE_MAP) OnSingleMap();
  if (controlId == IDC_AUTO_MAP) OnAutoMap();
}

void CEnumMappingPage::FillMappingList() {
  m_view->DeleteAllRows();
  m_view->Redisplay();
  struct Complete {
    MappingPageView* view;
    ~Complete() { view->RowsComplete(); }
  } complete{m_view};

  const std::unique_ptr<IVelkToolkit> toolkit = MakeToolkit();
  const std::wstring root = Format(L"\\\\%s", m_pMapInfo->m_strPlantServer.c_str());
  const std::wstring path = Format(L"%s!%s!Enum", m_pMapInfo->GetBlockMoniker().c_str(),
                                   (m_pMapInfo->*m_kind.parameter).c_str());
  if (toolkit->NewRoot(root, m_pMapInfo->IsFieldbus() ? 1 : 0) != 0) return;
  toolkit->SetView(kCurrentView);
  toolkit->Item(toolkit.get(), path);
  if (toolkit->Enum(toolkit.get()) != 0) return;
  while (toolkit->NextEnum() == 0) {
    toolkit->Read(L"Description");
    toolkit->Read(L"value");
    // Fresh holders: a failed wait must not show the previous entry.
    CVelkResult results[3];
    toolkit->Wait(results);
    const CVelkVariant& description = results[0].m_var;
    const int32_t code = results[1].m_var.GetVT_I4();
    std::wstring name;
    (m_pMapInfo->*m_kind.name)(code, name);
    m_view->AppendRow(description.GetVT() == kVtBstr ? description.GetVT_BSTRW() : L"",
                      Format(L"%d", code), name);
  }
}

void CEnumMappingPage::SetMapping(int32_t ddCode, int32_t commonCode) {
  // Through a local: GCC 12's vptr check of `m_pMapInfo->*` tested the
  // address of a stack slot instead of this page (-fsanitize=undefined).
  CMapFileInformation* const model = m_pMapInfo;
  (model->*m_kind.setter)(ddCode, commonCode);
}

void CEnumMappingPage::OnSingleMap() {
  const int rows = m_view->RowCount();
  int row = 0;
  while (row < rows && !m_view->IsRowSelected(row)) ++row;
  if (row == rows) return;

  const std::unique_ptr<CSelectUnitDialog> dialog = m_kind.makePickDialog(m_pMapInfo);
  dialog->m_strMappingFor = m_view->RowText(row, 0);
  // The dialog refuses OK without a choice; -1 is never a mapping.
  if (m_view->RunPickDialog(*dialog) != kIdOk || dialog->m_nSelectedCode < 0) return;
  SetMapping(WtoI(m_view->RowText(row, 1)), dialog->m_nSelectedCode);
  FillMappingList();
}

void CEnumMappingPage::OnAutoMap() {
  if (!m_kind.autoMap) return;
  const int rows = m_view->RowCount();
  for (int row = 0; row < rows; ++row) {
    const int32_t ddCode = WtoI(m_view->RowText(row, 1));
    const int32_t common = (m_pMapInfo->*m_kind.autoMap)(ddCode);
    // Left for Single-Map (a HART code the common table does not name).
    if (!m_kind.named(common)) continue;
    SetMapping(ddCode, common);
  }
  FillMappingList();
}

}  // namespace ravelin
