#include "wizard/ParameterPages.h"

#include "base/Text.h"
#include "browse/SelectBlock.h"
#include "browse/SelectParameter.h"
#include "mapfile/MapFileInformation.h"
#include "mapfile/MapFileKeys.h"
#include "mapfile/PickLists.h"
#include "outside/db/DbwTarnBlock.h"
#include "outside/db/DbwTime.h"
#include "platform/Platform.h"
#include "tester/ExecuteMapFileTest.h"
#include "wizard/WizardIds.h"

namespace ravelin {
namespace {

using Model = CMapFileInformation;

constexpr int32_t kEnumerations = 1;
constexpr int32_t kFloats = 2;

const CParameterPage::BrowseButton kInputParameterBrowse[] = {
    {IDC_URV_BROWSE, kFloats, &Model::m_strUrvParam, IDC_URV_DEFAULT_BOX, &Model::m_bUrvDefault},
    {IDC_LRV_BROWSE, kFloats, &Model::m_strLrvParam, IDC_LRV_DEFAULT_BOX, &Model::m_bLrvDefault},
    {IDC_UNITS_BROWSE, kEnumerations, &Model::m_strUnitsParam, IDC_UNITS_DEFAULT_BOX,
     &Model::m_bUnitsDefault},
};
const CParameterPage::BrowseButton kBlockTypeBrowse[] = {
    {IDC_PRESS_MEAS_BROWSE, kEnumerations, &Model::m_strPressMeasParam, IDC_USE_DEFAULT_BOX,
     nullptr},
    {IDC_PROBE_TYPE_BROWSE, kEnumerations, &Model::m_strProbeTypeParam, 0, nullptr},
};
const CParameterPage::BrowseButton kNumWiresBrowse[] = {
    {IDC_NUM_WIRES_BROWSE, kEnumerations, &Model::m_strNumWiresParam,
     IDC_NUM_WIRES_DEFAULT_BOX, &Model::m_bNumWiresDefault},
};
const CParameterPage::BrowseButton kTotalizerBrowse[] = {
    {IDC_TOTALIZER_UNITS_BROWSE, kEnumerations, &Model::m_strTotalizerUnitsParam, 0, nullptr},
    {IDC_TOTALIZER_VALUE_BROWSE, kFloats, &Model::m_strTotalizerValueParam, 0, nullptr},
};
const CParameterPage::BrowseButton kRelationBrowse[] = {
    {IDC_RELATION_BROWSE, kEnumerations, &Model::m_strTransferFuncParam,
     IDC_RELATION_DEFAULT_BOX, &Model::m_bTransferFuncDefault},
    {IDC_DAMPING_BROWSE, kFloats, &Model::m_strDampingParam, IDC_DAMPING_DEFAULT_BOX,
     &Model::m_bDampingDefault},
};

// The leading decimal number of `text`, 0 when it starts with none.
int32_t LeadingNumber(const std::wstring& text) { return WtoI(text); }

void FillNumWiresCombo(CodeListControl* combo) {
  if (!combo) return;
  combo->ResetContent();
  for (int32_t wires : {2, 3, 4}) combo->AddItem(std::to_wstring(wires), wires);
}

}  // namespace

const wchar_t kNoBlockIndexMessage[] = L"You must enter a blockIndex ";
const wchar_t kNegativeBlockIndexMessage[] =
    L"The transducer block index cannot be negative: enter the block's index, or choose the "
    L"block with Browse.";
const wchar_t kNoUnitsParamMessage[] = L"You must enter units parameter";
const wchar_t kNoUnitsDefaultMessage[] =
    L"You must choose the default units beside \"Default To:\", or uncheck it and enter the "
    L"units parameter.";
const wchar_t kNoPressMeasDefaultMessage[] =
    L"You must choose the default pressure type beside \"Use Default:\", or uncheck it to map "
    L"the pressure type parameter.";
const wchar_t kNoNumWiresParamMessage[] =
    L"You must enter the number of wires parameter, or check \"Default To:\" and choose a "
    L"number of wires.";
const wchar_t kNoNumWiresDefaultMessage[] =
    L"You must choose the default number of wires beside \"Default To:\", or uncheck it and "
    L"enter the number of wires parameter.";

std::wstring StoredParameterName(const std::wstring& browsed) {
  if (browsed.find(L"ItemArray") != std::wstring::npos) return browsed;
  return L"Param!" + browsed;
}

// ---------------------------------------------------------------------------

void CParameterPage::ReadFields() {
  for (const TextBinding& binding : Texts()) *binding.text = m_view->GetText(binding.controlId);
  if (auto box = BoundBox()) *box->second = m_view->IsChecked(box->first);
}

void CParameterPage::ShowFields() {
  for (const TextBinding& binding : Texts()) m_view->SetText(binding.controlId, *binding.text);
  if (auto box = BoundBox()) m_view->SetChecked(box->first, *box->second);
}

void CParameterPage::OnCommand(int controlId) {
  for (const BrowseButton& button : BrowseButtons()) {
    if (button.button == controlId) Browse(button);
  }
}

void CParameterPage::WarnOfCutValues() {
  std::vector<std::wstring>& keys = m_pMapInfo->m_CutValueKeys;
  if (keys.empty()) return;
  std::wstring names;
  for (const std::wstring& key : keys) names += (names.empty() ? L"\"" : L", \"") + key + L"\"";
  keys.clear();  // told once
  m_view->Tell(Format(L"The map file %s holds values longer than the %zu characters that are "
                      L"read back: %s. They are shown cut, and Write stores them as shown.",
                      m_pMapInfo->GetMapFilePath().c_str(), mapkeys::kMaxValueLength,
                      names.c_str()));
}

void CParameterPage::Browse(const BrowseButton& button) {
  // What was typed since the last exchange would be lost to the redisplay.
  ReadFields();
  CSelectParameter browser(m_pMapInfo->GetBlockMoniker(), m_pMapInfo->m_strPlantServer,
                           m_pMapInfo->IsFieldbus(), button.filter);
  if (m_view->RunSelectParameter(browser) == kIdOk) {
    m_pMapInfo->*button.field = StoredParameterName(browser.m_strParameter);
    if (button.box != 0) m_view->SetChecked(button.box, false);
    if (button.flag) m_pMapInfo->*button.flag = false;
  }
  ShowFields();
}

void CParameterPage::ShowCode(int combo, int32_t code) {
  m_view->SelectCode(combo, code);
  if (code == kNoCode || m_view->SelectedCode(combo) == code) return;
  if (CodeListControl* list = m_view->CodeList(combo)) {
    list->AddItem(std::to_wstring(code), code);
    m_view->SelectCode(combo, code);
  }
}

bool CParameterPage::CodeChosen(int combo, const wchar_t* message) {
  if (m_view->SelectedCode(combo)) return true;
  m_view->Tell(message);
  return false;
}

// ---------------------------------------------------------------------------

CTransducerBlockPage::CTransducerBlockPage(Model* model)
    : CParameterPage(IDD_TRANSDUCER_BLOCK, model) {}

std::vector<CParameterPage::TextBinding> CTransducerBlockPage::Texts() {
  return {{IDC_BLOCK_INDEX, &m_strBlockIndex}};
}

void CTransducerBlockPage::OnInitDialog() {
  if (m_pMapInfo->m_nBlockIndex > -1) m_strBlockIndex = Format(L"%d", m_pMapInfo->m_nBlockIndex);
  ShowFields();
}

void CTransducerBlockPage::OnSetActive() {
  m_view->SetWizardButtons(kWizNext);
  WarnOfCutValues();
}

void CTransducerBlockPage::ReadControls() {
  ReadFields();
  if (m_strBlockIndex.empty()) return;
  const int32_t index = LeadingNumber(m_strBlockIndex);
  if (index >= 0) m_pMapInfo->m_nBlockIndex = index;
}

bool CTransducerBlockPage::LeaveNext() {
  ReadControls();
  if (m_strBlockIndex.empty()) {
    m_view->Tell(kNoBlockIndexMessage);
    return false;
  }
  if (LeadingNumber(m_strBlockIndex) < 0) {
    m_view->Tell(kNegativeBlockIndexMessage);
    return false;
  }
  return true;
}

void CTransducerBlockPage::OnCommand(int controlId) {
  if (controlId != IDC_BLOCK_BROWSE) return;
  ReadFields();
  CSelectBlock browser(m_pMapInfo->m_strMoniker, m_pMapInfo->m_strPlantServer);
  if (m_view->RunSelectBlock(browser) == kIdOk) {
    m_pMapInfo->m_nBlockIndex = browser.m_nBlockIndex;
    m_strBlockIndex = Format(L"%d", browser.m_nBlockIndex);
  }
  ShowFields();
}

// ---------------------------------------------------------------------------

CInputParameterPage::CInputParameterPage(Model* model)
    : CParameterPage(IDD_INPUT_PARAMETER, model) {}

std::vector<CParameterPage::TextBinding> CInputParameterPage::Texts() {
  return {{IDC_URV_PARAM, &m_pMapInfo->m_strUrvParam},
          {IDC_URV_DEFAULT, &m_pMapInfo->m_strUrvDefault},
          {IDC_LRV_PARAM, &m_pMapInfo->m_strLrvParam},
          {IDC_LRV_DEFAULT, &m_pMapInfo->m_strLrvDefault},
          {IDC_UNITS_PARAM, &m_pMapInfo->m_strUnitsParam}};
}

std::span<const CParameterPage::BrowseButton> CInputParameterPage::BrowseButtons() const {
  return kInputParameterBrowse;
}

void CInputParameterPage::OnInitDialog() {
  FillUnitsCombo(m_view->CodeList(IDC_DEFAULT_COMBO));
  ShowCode(IDC_DEFAULT_COMBO, m_pMapInfo->m_nUnitsDefault);
}

void CInputParameterPage::OnSetActive() {
  m_view->SetWizardButtons(kWizBack | kWizNext);
  m_view->SetChecked(IDC_URV_DEFAULT_BOX, m_pMapInfo->m_bUrvDefault);
  m_view->SetChecked(IDC_LRV_DEFAULT_BOX, m_pMapInfo->m_bLrvDefault);
  m_view->SetChecked(IDC_UNITS_DEFAULT_BOX, m_pMapInfo->m_bUnitsDefault);
  ShowFields();
  WarnOfCutValues();
}

void CInputParameterPage::ReadControls() {
  ReadFields();
  if (auto code = m_view->SelectedCode(IDC_DEFAULT_COMBO)) m_pMapInfo->m_nUnitsDefault = *code;
  m_pMapInfo->m_bUnitsDefault = m_view->IsChecked(IDC_UNITS_DEFAULT_BOX);
  m_pMapInfo->m_bUrvDefault = m_view->IsChecked(IDC_URV_DEFAULT_BOX);
  m_pMapInfo->m_bLrvDefault = m_view->IsChecked(IDC_LRV_DEFAULT_BOX);
}

bool CInputParameterPage::LeaveNext() {
  ReadControls();
  if (m_pMapInfo->m_bUnitsDefault) return CodeChosen(IDC_DEFAULT_COMBO, kNoUnitsDefaultMessage);
  if (m_pMapInfo->m_strUnitsParam.empty()) {
    m_view->Tell(kNoUnitsParamMessage);
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------

CInputBlockTypePage::CInputBlockTypePage(Model* model)
    : CParameterPage(IDD_INPUT_BLOCK_TYPE, model) {}

std::vector<CParameterPage::TextBinding> CInputBlockTypePage::Texts() {
  return {{IDC_CATEGORY, &m_strCategory},
          {IDC_PRESS_MEAS_PARAM, &m_pMapInfo->m_strPressMeasParam},
          {IDC_PROBE_TYPE_PARAM, &m_pMapInfo->m_strProbeTypeParam}};
}

std::span<const CParameterPage::BrowseButton> CInputBlockTypePage::BrowseButtons() const {
  return kBlockTypeBrowse;
}

std::wstring CInputBlockTypePage::ReadCategory(const std::wstring& tag) {
  CDbwTarnBlock block;
  CDbwTime now = GetCurrentGMTTime();
  block.Identify(std::wstring(tag), CDbwTime(now));
  block.Access(nullptr);
  std::wstring category;
  static_cast<CDbwTarnMajorDeviceCategory&>(block).GetMajorCategoryName(category);
  return category;
}

void CInputBlockTypePage::OnInitDialog() {
  m_strCategory = ReadCategory(m_pMapInfo->m_strTag);
  FillPressMeasCombo(m_view->CodeList(IDC_DEFAULT_COMBO));
  ShowFields();
}

void CInputBlockTypePage::ShowBlockType(int32_t type) {
  const bool pressure = type == kPressureBlock;
  const bool temperature = type == kTemperatureBlock;
  m_view->SetChecked(IDC_GENERIC, type == kGenericBlock);
  m_view->SetChecked(IDC_PRESSURE, pressure);
  m_view->SetChecked(IDC_TEMPERATURE, temperature);
  for (int id : {IDC_PRESS_MEAS_PARAM, IDC_PRESS_MEAS_BROWSE, IDC_USE_DEFAULT_BOX,
                 IDC_DEFAULT_COMBO}) {
    m_view->Enable(id, pressure);
  }
  for (int id : {IDC_PROBE_TYPE_PARAM, IDC_PROBE_TYPE_BROWSE}) m_view->Enable(id, temperature);
}

void CInputBlockTypePage::OnCommand(int controlId) {
  const int32_t type = controlId == IDC_GENERIC       ? kGenericBlock
                       : controlId == IDC_PRESSURE    ? kPressureBlock
                       : controlId == IDC_TEMPERATURE ? kTemperatureBlock
                                                      : 0;
  if (type == 0) {
    CParameterPage::OnCommand(controlId);
    return;
  }
  ReadFields();
  m_pMapInfo->m_nInputBlockType = type;
  ShowBlockType(type);
  ShowFields();
}

void CInputBlockTypePage::OnSetActive() {
  m_view->SetWizardButtons(kWizBack | kWizNext);
  const int32_t type = m_pMapInfo->m_nInputBlockType;
  if (type == kGenericBlock || type == kPressureBlock || type == kTemperatureBlock) {
    ShowBlockType(type);
  }
  m_view->SetChecked(IDC_USE_DEFAULT_BOX, m_pMapInfo->m_bPressMeasDefault);
  ShowCode(IDC_DEFAULT_COMBO, m_pMapInfo->m_nPressMeasDefault);
  ShowFields();
}

void CInputBlockTypePage::LeaveBack() { ReadFields(); }

// The pressure default counts only for a pressure block; the other types
// leave it as it was.
void CInputBlockTypePage::ReadControls() {
  ReadFields();
  if (m_pMapInfo->m_nInputBlockType != kPressureBlock) return;
  m_pMapInfo->m_bPressMeasDefault = m_view->IsChecked(IDC_USE_DEFAULT_BOX);
  if (auto code = m_view->SelectedCode(IDC_DEFAULT_COMBO)) m_pMapInfo->m_nPressMeasDefault = *code;
}

bool CInputBlockTypePage::LeaveNext() {
  ReadControls();
  const Model& m = *m_pMapInfo;
  if (m.m_nInputBlockType != kPressureBlock || !m.m_bPressMeasDefault) return true;
  return CodeChosen(IDC_DEFAULT_COMBO, kNoPressMeasDefaultMessage);
}

// ---------------------------------------------------------------------------

CNumWiresParameterPage::CNumWiresParameterPage(Model* model)
    : CParameterPage(IDD_NUM_WIRES_PARAMETER, model) {}

std::vector<CParameterPage::TextBinding> CNumWiresParameterPage::Texts() {
  return {{IDC_NUM_WIRES_PARAM, &m_pMapInfo->m_strNumWiresParam}};
}

std::span<const CParameterPage::BrowseButton> CNumWiresParameterPage::BrowseButtons() const {
  return kNumWiresBrowse;
}

void CNumWiresParameterPage::OnInitDialog() {
  FillNumWiresCombo(m_view->CodeList(IDC_NUM_WIRES_COMBO));
  ShowCode(IDC_NUM_WIRES_COMBO, m_pMapInfo->m_nNumWiresDefault);
}

void CNumWiresParameterPage::OnSetActive() {
  m_view->SetWizardButtons(kWizBack | kWizNext);
  m_view->SetChecked(IDC_NUM_WIRES_DEFAULT_BOX, m_pMapInfo->m_bNumWiresDefault);
  ShowFields();
}

void CNumWiresParameterPage::LeaveBack() { ReadFields(); }

void CNumWiresParameterPage::ReadControls() {
  ReadFields();
  if (auto code = m_view->SelectedCode(IDC_NUM_WIRES_COMBO)) {
    m_pMapInfo->m_nNumWiresDefault = *code;
  }
  m_pMapInfo->m_bNumWiresDefault = m_view->IsChecked(IDC_NUM_WIRES_DEFAULT_BOX);
}

bool CNumWiresParameterPage::LeaveNext() {
  ReadControls();
  if (m_pMapInfo->m_bNumWiresDefault) {
    return CodeChosen(IDC_NUM_WIRES_COMBO, kNoNumWiresDefaultMessage);
  }
  if (m_pMapInfo->m_strNumWiresParam.empty()) {
    m_view->Tell(kNoNumWiresParamMessage);
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------

CTotalizerParamsPage::CTotalizerParamsPage(Model* model)
    : CParameterPage(IDD_TOTALIZER_PARAMS, model) {}

std::vector<CParameterPage::TextBinding> CTotalizerParamsPage::Texts() {
  return {{IDC_TOTALIZER_UNITS_PARAM, &m_pMapInfo->m_strTotalizerUnitsParam},
          {IDC_TOTALIZER_VALUE_PARAM, &m_pMapInfo->m_strTotalizerValueParam}};
}

std::span<const CParameterPage::BrowseButton> CTotalizerParamsPage::BrowseButtons() const {
  return kTotalizerBrowse;
}

std::optional<std::pair<int, bool*>> CTotalizerParamsPage::BoundBox() {
  return std::pair<int, bool*>{IDC_TOTALIZER_BOX, &m_pMapInfo->m_bTotalizer};
}

void CTotalizerParamsPage::EnableFields() {
  ReadFields();
  for (int id : {IDC_TOTALIZER_UNITS_PARAM, IDC_TOTALIZER_VALUE_PARAM,
                 IDC_TOTALIZER_UNITS_BROWSE, IDC_TOTALIZER_VALUE_BROWSE}) {
    m_view->Enable(id, m_pMapInfo->m_bTotalizer);
  }
}

void CTotalizerParamsPage::OnInitDialog() {
  // The controls hold the model before the first read.
  ShowFields();
  EnableFields();
}

void CTotalizerParamsPage::OnCommand(int controlId) {
  if (controlId == IDC_TOTALIZER_BOX) {
    EnableFields();
    return;
  }
  CParameterPage::OnCommand(controlId);
}

void CTotalizerParamsPage::LeaveBack() { ReadFields(); }

bool CTotalizerParamsPage::LeaveNext() {
  ReadFields();
  return true;
}

// ---------------------------------------------------------------------------

CInputOutputRelationPage::CInputOutputRelationPage(Model* model)
    : CParameterPage(IDD_INPUT_OUTPUT_RELATION, model) {}

std::vector<CParameterPage::TextBinding> CInputOutputRelationPage::Texts() {
  return {{IDC_RELATION_PARAM, &m_pMapInfo->m_strTransferFuncParam},
          {IDC_DAMPING_PARAM, &m_pMapInfo->m_strDampingParam},
          {IDC_DAMPING_DEFAULT, &m_pMapInfo->m_strDampingDefault}};
}

std::span<const CParameterPage::BrowseButton> CInputOutputRelationPage::BrowseButtons() const {
  return kRelationBrowse;
}

void CInputOutputRelationPage::OnInitDialog() {
  FillTransferFuncCombo(m_view->CodeList(IDC_RELATION_COMBO));
  m_view->SelectCode(IDC_RELATION_COMBO, m_pMapInfo->m_nTransferFuncDefault);
}

void CInputOutputRelationPage::OnSetActive() {
  m_view->SetWizardButtons(kWizBack | kWizNext);
  m_view->SetChecked(IDC_DAMPING_DEFAULT_BOX, m_pMapInfo->m_bDampingDefault);
  m_view->SetChecked(IDC_RELATION_DEFAULT_BOX, m_pMapInfo->m_bTransferFuncDefault);
  ShowFields();
}

void CInputOutputRelationPage::LeaveBack() { ReadFields(); }

void CInputOutputRelationPage::ReadControls() {
  ReadFields();
  m_pMapInfo->m_bDampingDefault = m_view->IsChecked(IDC_DAMPING_DEFAULT_BOX);
  m_pMapInfo->m_bTransferFuncDefault = m_view->IsChecked(IDC_RELATION_DEFAULT_BOX);
}

bool CInputOutputRelationPage::LeaveNext() {
  ReadControls();
  return true;
}

// ---------------------------------------------------------------------------

CWizardFinishedPage::CWizardFinishedPage(Model* model)
    : CParameterPage(IDD_WIZARD_FINISHED, model), m_written(model->MapFileBytes()) {}

void CWizardFinishedPage::OnSetActive() {
  if (m_pMapInfo->IsFieldbus()) {
    m_view->Show(IDC_WIRELESS_BOX, false);
  } else {
    m_view->SetChecked(IDC_WIRELESS_BOX, m_pMapInfo->m_bWirelessHart);
  }
  m_view->SetWizardButtons(kWizBack | kWizFinish);
}

void CWizardFinishedPage::OnCommand(int controlId) {
  if (controlId == IDC_WRITE) OnWrite();
  if (controlId == IDC_TEST) OnTest();
}

void CWizardFinishedPage::ReadControls() {
  if (!m_pMapInfo->IsFieldbus()) {
    m_pMapInfo->m_bWirelessHart = m_view->IsChecked(IDC_WIRELESS_BOX);
  }
}

bool CWizardFinishedPage::OnWrite() {
  ReadControls();
  const std::string bytes = m_pMapInfo->MapFileBytes();
  const std::wstring problem = m_pMapInfo->WriteProblem();
  if (!problem.empty() || !m_pMapInfo->WriteMapFile()) {
    const std::wstring path = m_pMapInfo->GetMapFilePath();
    m_view->Tell(Format(L"The map file %s could not be written: %s.", path.c_str(),
                        (problem.empty() ? WhyUnwritable(path) : problem).c_str()));
    return false;
  }
  m_written = bytes;
  return true;
}

bool CWizardFinishedPage::HasUnwrittenChanges() const {
  return m_pMapInfo->MapFileBytes() != m_written;
}

void CWizardFinishedPage::OnTest() { TestBlock(); }

void CWizardFinishedPage::TestBlock() {
  CExecuteMapFileTest test;
  const Model& m = *m_pMapInfo;
  test.TestBlock(m.m_strPlantServer, m.m_strTag, m.m_strMoniker,
                 static_cast<int32_t>(m.m_nManufacturer), static_cast<int32_t>(m.m_nDeviceType),
                 static_cast<int32_t>(m.m_nDeviceRevision), m.IsFieldbus());
}

}  // namespace ravelin
