// A thin Win32 dialog: one dialog procedure for every dialog, which finds
// the object through the window's user data, forwards messages to virtuals
// and stops C++ exceptions at the Win32 boundary.
#pragma once

#include <windows.h>

namespace ravelin::win32 {

class Dialog {
 public:
  virtual ~Dialog();
  Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Runs the dialog template `id` of `resources` modally; -1 when it could
  // not be shown.
  INT_PTR DoModal(HINSTANCE resources, int id, HWND parent);
  // Creates it modeless; null when it could not be created.
  HWND Create(HINSTANCE resources, int id, HWND parent);
  void Destroy();

  HWND Handle() const { return hwnd_; }

 protected:
  // WM_INITDIALOG; true lets the system set the focus.
  virtual bool OnInit() { return true; }
  // WM_COMMAND of a control or a menu (`code` is the notification).
  virtual void OnCommand(int id, int code);
  // Any other message; true when handled, with its result in `result`.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

  void End(INT_PTR result);

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

}  // namespace ravelin::win32
