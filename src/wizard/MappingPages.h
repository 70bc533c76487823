// The wizard pages that translate the codes of one enumerated DD parameter
// into common codes. Each lists the parameter's entries as the device
// enumerates them (DD text, DD code, the common name it maps to) and maps
// the selected entry through a pick dialog (Single-Map) or every entry
// through a fixed code translation (Auto-Map). Mappings live in the model;
// the list is read anew from the device on every arrival and change.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "wizard/WizardJumps.h"

namespace ravelin {

class CMapFileInformation;
class CSelectUnitDialog;
class IVelkToolkit;

// The page's window as the logic needs it: a report-view list of three
// columns and the sheet's buttons.
class MappingPageView {
 public:
  virtual ~MappingPageView() = default;
  virtual void AddColumn(int column, const std::wstring& title, int width) = 0;
  virtual void DeleteAllRows() = 0;
  // Paints now: the refill that follows reads the device synchronously.
  virtual void Redisplay() = 0;
  virtual void AppendRow(const std::wstring& text, const std::wstring& code,
                         const std::wstring& name) = 0;
  // The fill is over, whole or cut short: show its rows.
  virtual void RowsComplete() = 0;
  virtual int RowCount() = 0;
  virtual std::wstring RowText(int row, int column) = 0;
  virtual bool IsRowSelected(int row) = 0;
  // Flags of WizardJumps.h, posted to the sheet.
  virtual void SetWizardButtons(unsigned flags) = 0;
  // Runs the pick dialog modally; kIdOk or kIdCancel.
  virtual int RunPickDialog(CSelectUnitDialog& dialog) = 0;
};

// What tells one mapping page from another.
struct MappingPageKind {
  int dialogId;
  std::wstring CMapFileInformation::*parameter;
  const wchar_t* headers[3];
  bool (CMapFileInformation::*name)(int32_t ddCode, std::wstring& name) const;
  void (CMapFileInformation::*setter)(int32_t ddCode, int32_t commonCode);
  // Null on the pages without Auto-Map.
  int32_t (CMapFileInformation::*autoMap)(int32_t ddCode) const;
  // Whether the map file can hold a common code: it stores names, and a
  // code without one would not be read back. Null with autoMap.
  bool (*named)(int32_t commonCode);
  std::unique_ptr<CSelectUnitDialog> (*makePickDialog)(CMapFileInformation* model);
  PageMove back;
  PageMove next;
};

class CEnumMappingPage {
 public:
  CEnumMappingPage(const MappingPageKind& kind, CMapFileInformation* model)
      : m_kind(kind), m_pMapInfo(model) {}
  virtual ~CEnumMappingPage() = default;
  CEnumMappingPage(const CEnumMappingPage&) = delete;
  CEnumMappingPage& operator=(const CEnumMappingPage&) = delete;

  // The view must outlive every call below.
  void Attach(MappingPageView* view) { m_view = view; }

  int DialogId() const { return m_kind.dialogId; }
  bool HasAutoMap() const { return m_kind.autoMap != nullptr; }

  void OnInitDialog();
  void OnSetActive();
  PageMove OnWizardBack() const { return m_kind.back; }
  PageMove OnWizardNext() const { return m_kind.next; }
  // A button of the page was pressed.
  void OnCommand(int controlId);
  void OnSingleMap();
  void OnAutoMap();
  void FillMappingList();

 protected:
  // The toolkit a fill talks to the device through.
  virtual std::unique_ptr<IVelkToolkit> MakeToolkit() const;

 private:
  const MappingPageKind& m_kind;
  CMapFileInformation* m_pMapInfo;
  MappingPageView* m_view = nullptr;
};

class CMapInputUnitsPage : public CEnumMappingPage {
 public:
  explicit CMapInputUnitsPage(CMapFileInformation* model);
};

class CMapTempProbeTypePage : public CEnumMappingPage {
 public:
  explicit CMapTempProbeTypePage(CMapFileInformation* model);
};

class CMapPressMeasTypePage : public CEnumMappingPage {
 public:
  explicit CMapPressMeasTypePage(CMapFileInformation* model);
};

class CMapNumWiresPage : public CEnumMappingPage {
 public:
  explicit CMapNumWiresPage(CMapFileInformation* model);
};

class CMapTotalizerUnitsPage : public CEnumMappingPage {
 public:
  explicit CMapTotalizerUnitsPage(CMapFileInformation* model);
};

class CTransferFunctionCodePage : public CEnumMappingPage {
 public:
  explicit CTransferFunctionCodePage(CMapFileInformation* model);
};

}  // namespace ravelin
