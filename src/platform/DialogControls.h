// A dialog's controls by id, as the portable logic of every dialog reads and
// sets them. Each view interface builds on it; the Win32 views implement it
// once (win32::DialogControlsOf), the tests with one fake.
#pragma once

#include <string>

namespace ravelin {

class DialogControls {
 public:
  virtual ~DialogControls() = default;

  virtual std::wstring GetText(int controlId) = 0;
  virtual void SetText(int controlId, const std::wstring& text) = 0;
  virtual bool IsChecked(int controlId) = 0;
  virtual void SetChecked(int controlId, bool checked) = 0;
  // Checks `controlId` and clears the other buttons of first..last.
  virtual void CheckRadio(int first, int last, int controlId) = 0;
  virtual void Enable(int controlId, bool enabled) = 0;
  virtual void Show(int controlId, bool shown) = 0;
};

}  // namespace ravelin
