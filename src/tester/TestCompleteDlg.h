// The dialog that ends a batch run: the launcher's message and a button
// that asks for the report. It never opens the report itself; its result
// tells the launcher what the user chose.
#pragma once

#include <string>

namespace ravelin {

class CTestCompleteDlg {
 public:
  // Results of the modal run.
  static constexpr int kClose = 1;      // "Close"
  static constexpr int kCancel = 2;     // Escape or the close box
  static constexpr int kViewFile = 1017;  // "View file..."

  virtual ~CTestCompleteDlg() = default;

  // The code a button ends the dialog with; 0 for a control that does not.
  static int ResultOf(int controlId);

  // Shown in the read-only edit; set before the dialog runs.
  std::wstring m_message;
};

}  // namespace ravelin
