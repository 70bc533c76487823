#include "platform/win32/PropertyPage.h"

#include "platform/win32/ExceptionBoundary.h"

namespace ravelin::win32 {

HPROPSHEETPAGE PropertyPage::CreatePage(HINSTANCE resources, int id) {
  PROPSHEETPAGEW page{};
  page.dwSize = sizeof page;
  page.hInstance = resources;
  page.pszTemplate = MAKEINTRESOURCEW(id);
  page.pfnDlgProc = PageProc;
  page.lParam = reinterpret_cast<LPARAM>(this);
  return CreatePropertySheetPageW(&page);
}

bool PropertyPage::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

bool PropertyPage::Notify(const NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case PSN_SETACTIVE:
      result = OnSetActive() ? 0 : -1;
      return true;
    case PSN_KILLACTIVE:
      result = OnKillActive() ? FALSE : TRUE;
      return true;
    case PSN_WIZBACK:
      result = OnWizardBack();
      return true;
    case PSN_WIZNEXT:
      result = OnWizardNext();
      return true;
    case PSN_WIZFINISH:
      result = OnWizardFinish() ? FALSE : TRUE;
      return true;
    case PSN_QUERYCANCEL:
      result = OnQueryCancel() ? FALSE : TRUE;
      return true;
    case PSN_RESET:
      OnReset();
      result = 0;
      return true;
    default:
      return false;
  }
}

INT_PTR PropertyPage::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInit() ? TRUE : FALSE;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      LRESULT result = 0;
      if (header.hwndFrom == Sheet() && Notify(header, result)) {
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
      }
      break;
    }
    default:
      break;
  }
  INT_PTR result = 0;
  return OnMessage(message, wParam, lParam, result) ? result : FALSE;
}

INT_PTR CALLBACK PropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
  // The sheet hands over its copy of the page description.
  PropertyPage* created =
      message == WM_INITDIALOG
          ? reinterpret_cast<PropertyPage*>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam)
          : nullptr;
  PropertyPage* self = BindWindowObject(hwnd, message, created, &PropertyPage::hwnd_);
  if (!self) return FALSE;
  try {
    return self->Dispatch(message, wParam, lParam);
  } catch (...) {
    ShowCurrentException(hwnd);
  }
  // Nonzero refuses every sheet notification: the page stays.
  if (message == WM_NOTIFY) SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, -1);
  return TRUE;
}

}  // namespace ravelin::win32
