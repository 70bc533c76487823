// A thin Win32 property page: one page procedure for every page, which
// finds the object through the window's user data, forwards the messages
// and the sheet's notifications to virtuals and stops C++ exceptions at the
// Win32 boundary (a failed handler never lets the sheet move on).
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

namespace ravelin::win32 {

class PropertyPage {
 public:
  virtual ~PropertyPage() = default;
  PropertyPage() = default;
  PropertyPage(const PropertyPage&) = delete;
  PropertyPage& operator=(const PropertyPage&) = delete;

  // The page of dialog template `id` of `resources`, for PropertySheet or
  // PSM_ADDPAGE; its caption is the template's. The object must outlive it.
  HPROPSHEETPAGE CreatePage(HINSTANCE resources, int id);

  HWND Handle() const { return hwnd_; }
  HWND Sheet() const { return hwnd_ ? GetParent(hwnd_) : nullptr; }

 protected:
  // WM_INITDIALOG; true lets the system set the focus.
  virtual bool OnInit() { return true; }
  virtual void OnCommand(int /*id*/, int /*code*/) {}
  // PSN_SETACTIVE; false refuses the page.
  virtual bool OnSetActive() { return true; }
  // PSN_KILLACTIVE; false keeps the page.
  virtual bool OnKillActive() { return true; }
  // PSN_WIZBACK, PSN_WIZNEXT: 0 moves to the neighbour in sheet order, -1
  // stays, anything else is the template id of the page to go to.
  virtual LRESULT OnWizardBack() { return 0; }
  virtual LRESULT OnWizardNext() { return 0; }
  // PSN_WIZFINISH; false keeps the sheet open.
  virtual bool OnWizardFinish() { return true; }
  // PSN_QUERYCANCEL; false keeps the sheet open.
  virtual bool OnQueryCancel() { return true; }
  // PSN_RESET: the sheet was cancelled.
  virtual void OnReset() {}
  // Any other message (other notifications arrive as WM_NOTIFY); true when
  // handled, with its result in `result`.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

 private:
  static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  // A sheet notification: true, with its result in `result`.
  bool Notify(const NMHDR& header, LRESULT& result);

  HWND hwnd_ = nullptr;
};

}  // namespace ravelin::win32
