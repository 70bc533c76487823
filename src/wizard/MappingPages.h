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

#include "wizard/PageViews.h"
#include "wizard/WizardPage.h"

namespace ravelin {

class CMapFileInformation;
class IVelkToolkit;

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
};

class CEnumMappingPage : public CWizardPage {
 public:
  CEnumMappingPage(const MappingPageKind& kind, CMapFileInformation* model)
      : CWizardPage(kind.dialogId, model), m_kind(kind) {}

  // The view must outlive every call below.
  void Attach(MappingPageView* view) { m_view = view; }
  void AttachWindow(WizardPageView* window) override { Attach(window); }

  bool HasAutoMap() const { return m_kind.autoMap != nullptr; }

  void OnInitDialog() override;
  void OnSetActive() override;
  void OnCommand(int controlId) override;
  void OnSingleMap();
  void OnAutoMap();
  void FillMappingList();

 protected:
  // The toolkit a fill talks to the device through.
  virtual std::unique_ptr<IVelkToolkit> MakeToolkit() const;

 private:
  void SetMapping(int32_t ddCode, int32_t commonCode);

  const MappingPageKind& m_kind;
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
