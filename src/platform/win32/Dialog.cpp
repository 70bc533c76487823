#include "platform/win32/Dialog.h"

#include "platform/win32/ExceptionBoundary.h"

namespace ravelin::win32 {

Dialog::~Dialog() {
  if (hwnd_ && !modal_) DestroyWindow(hwnd_);
}

INT_PTR Dialog::DoModal(HINSTANCE resources, int id, HWND parent) {
  modal_ = true;
  const INT_PTR result = DialogBoxParamW(resources, MAKEINTRESOURCEW(id), parent, DialogProc,
                                         reinterpret_cast<LPARAM>(this));
  hwnd_ = nullptr;
  return result;
}

HWND Dialog::Create(HINSTANCE resources, int id, HWND parent) {
  modal_ = false;
  return CreateDialogParamW(resources, MAKEINTRESOURCEW(id), parent, DialogProc,
                            reinterpret_cast<LPARAM>(this));
}

void Dialog::Destroy() {
  if (hwnd_ && !modal_) DestroyWindow(hwnd_);
}

void Dialog::OnCommand(int id, int /*code*/) {
  if (id == IDOK || id == IDCANCEL) End(id);
}

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

void Dialog::End(INT_PTR result) {
  if (modal_) {
    EndDialog(hwnd_, result);
  } else {
    DestroyWindow(hwnd_);
  }
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInit() ? TRUE : FALSE;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    default: {
      INT_PTR result = 0;
      return OnMessage(message, wParam, lParam, result) ? result : FALSE;
    }
  }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self =
      BindWindowObject(hwnd, message, reinterpret_cast<Dialog*>(lParam), &Dialog::hwnd_);
  if (!self) return FALSE;
  // No C++ exception may unwind through the system's dialog code.
  try {
    return self->Dispatch(message, wParam, lParam);
  } catch (...) {
    ShowCurrentException(hwnd);
  }
  return TRUE;
}

}  // namespace ravelin::win32
