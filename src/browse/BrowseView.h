// What the device browsing dialogs need of their windows. The dialog classes
// decide everything; a view moves values between them and the controls.
#pragma once

#include <string>
#include <vector>

#include "platform/DialogControls.h"

namespace ravelin {

class CSelectEnumeration;

// The message of an OK or Enum with no row selected.
inline constexpr wchar_t kMakeASelection[] = L"Make a selection or click cancel";

class BrowseView : public DialogControls {
 public:
  // The dialog's list: a list view's columns and rows, or a list box whose
  // entries are rows of one column.
  virtual void AddColumn(int column, const std::wstring& title, int width) = 0;
  virtual void DeleteAllRows() = 0;
  virtual void AppendRow(const std::vector<std::wstring>& columns) = 0;
  virtual int RowCount() = 0;
  virtual std::wstring RowText(int row, int column) = 0;
  // The selected rows, top to bottom.
  virtual std::vector<int> SelectedRows() = 0;

  // Shows the first popup of menu `menuId` at the mouse position; a chosen
  // command comes back as a command of the dialog.
  virtual void ShowContextMenu(int menuId) = 0;
  // Runs the enumeration dialog modally over this one.
  virtual void RunEnumeration(CSelectEnumeration& dialog) = 0;
  // A message box with an OK button, owned by the dialog: OK cannot be
  // pressed again behind it.
  virtual void Tell(const std::wstring& text) = 0;
  virtual void End(int result) = 0;
};

// The part every browsing dialog shares: its view and the two events a
// view forwards.
class CBrowseDialog {
 public:
  virtual ~CBrowseDialog() = default;

  // The view must outlive every call below.
  void Attach(BrowseView* view) { m_view = view; }

  virtual void OnInitDialog() = 0;
  // A button or menu command of the dialog.
  virtual void OnCommand(int controlId) = 0;
  // A right click on the list.
  virtual void OnListRightClick() {}

 protected:
  void AskForSelection() { m_view->Tell(kMakeASelection); }

  BrowseView* m_view = nullptr;
};

}  // namespace ravelin
