// The pick dialogs that ask which common value one DD enumeration entry
// stands for: they show the entry's DD text and a sorted list of common
// names, and return the chosen name's common code. One class per list; the
// view (dialog "Select Mapping") only moves values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "mapfile/PickLists.h"

namespace ravelin {

class CMapFileInformation;

// The dialog's window as the logic needs it. The list it fills keeps every
// item's code as the item's data.
class SelectMappingView : public CodeListControl {
 public:
  virtual void ShowMappingFor(const std::wstring& text) = 0;
  // The code of the list's current item; nothing when none is current.
  virtual std::optional<int32_t> CurrentCode() = 0;
  // A message box owned by the dialog.
  virtual void Tell(const std::wstring& text) = 0;
  virtual void End(int result) = 0;
};

class CSelectUnitDialog {
 public:
  // The view owns the dialog by the active window, as the pages want none
  // of their own.
  explicit CSelectUnitDialog(CMapFileInformation* model) : m_pMapInfo(model) {}
  virtual ~CSelectUnitDialog() = default;

  // The view must outlive every call below.
  void Attach(SelectMappingView* view) { m_view = view; }

  void OnInitDialog();
  // OK is refused while no item is chosen: a code of -1 would become a
  // mapping that no reader understands.
  void OnOK();
  void OnCancel();

  std::wstring m_strMappingFor;
  int32_t m_nSelectedCode = -1;

 protected:
  virtual void FillList(CodeListControl& list);

  CMapFileInformation* m_pMapInfo;
  SelectMappingView* m_view = nullptr;
};

class CSelectTempProbeDialog : public CSelectUnitDialog {
 public:
  using CSelectUnitDialog::CSelectUnitDialog;

 protected:
  void FillList(CodeListControl& list) override;
};

class CSelectPressMeasDialog : public CSelectUnitDialog {
 public:
  using CSelectUnitDialog::CSelectUnitDialog;

 protected:
  void FillList(CodeListControl& list) override;
};

class CSelectRelationshipDialog : public CSelectUnitDialog {
 public:
  using CSelectUnitDialog::CSelectUnitDialog;

 protected:
  void FillList(CodeListControl& list) override;
};

class CSelectNumWiresDialog : public CSelectUnitDialog {
 public:
  using CSelectUnitDialog::CSelectUnitDialog;

 protected:
  void FillList(CodeListControl& list) override;
};

}  // namespace ravelin
