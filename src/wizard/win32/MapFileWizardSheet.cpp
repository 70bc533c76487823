#include "wizard/win32/MapFileWizardSheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <memory>
#include <vector>

#include "platform/win32/ExceptionBoundary.h"
#include "wizard/MapFileWizard.h"
#include "wizard/WizardPage.h"
#include "wizard/win32/WizardPageWindow.h"

namespace ravelin::win32 {
namespace {

class WizardSheet final : public WizardSheetView {
 public:
  explicit WizardSheet(HINSTANCE resources) : resources_(resources) {}

  int AddPage(CWizardPage& page) override {
    auto& window = windows_.emplace_back(std::make_unique<WizardPageWindow>(resources_, page));
    pages_.push_back(window->CreatePage());
    return static_cast<int>(pages_.size()) - 1;
  }
  void SetActivePage(int position) override {
    SendMessageW(hwnd_, PSM_SETCURSEL, static_cast<WPARAM>(position), 0);
  }
  bool Confirm(const std::wstring& question) override {
    return MessageBoxW(hwnd_, question.c_str(), kMapFileWizardCaption, MB_YESNO) == IDYES;
  }

  void Run(CMapFileWizard& wizard) {
    wizard_ = &wizard;
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_WIZARD | PSH_USECALLBACK;
    header.hwndParent = nullptr;
    header.hInstance = resources_;
    header.pszCaption = kMapFileWizardCaption;
    header.nPages = static_cast<UINT>(pages_.size());
    header.phpage = pages_.data();
    header.pfnCallback = Initialized;
    running_ = this;
    PropertySheetW(&header);
    running_ = nullptr;
    // The page windows go before the pages they show.
    windows_.clear();
  }

 private:
  // The sheet window exists: hook its messages for the page jumps.
  static int CALLBACK Initialized(HWND hwnd, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED && running_) {
      running_->hwnd_ = hwnd;
      SetWindowSubclass(hwnd, SheetProc, 1, reinterpret_cast<DWORD_PTR>(running_));
    }
    return 0;
  }

  static LRESULT CALLBACK SheetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<WizardSheet*>(data);
    try {
      // The jump shares its number with DM_SETDEFID, which the sheet sends
      // itself with a button id to move the default button: only the
      // wizard's selectors are jumps.
      if (message == kWmGotoWizardPage && wParam <= kWizardFinished) {
        self->wizard_->OnGotoWizardPage(static_cast<uint32_t>(wParam));
        return 0;
      }
      if (message == kWmQueryCloseWizard) return self->wizard_->QueryClose() ? 0 : 1;
    } catch (...) {
      ShowCurrentException(hwnd);
      return message == kWmQueryCloseWizard ? 1 : 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, SheetProc, 1);
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }

  static inline WizardSheet* running_ = nullptr;

  HINSTANCE resources_;
  HWND hwnd_ = nullptr;
  CMapFileWizard* wizard_ = nullptr;
  std::vector<HPROPSHEETPAGE> pages_;
  std::vector<std::unique_ptr<WizardPageWindow>> windows_;
};

}  // namespace

void RunMapFileWizard(HINSTANCE resources, const std::wstring& tag, const std::wstring& moniker,
                      const std::wstring& plantServer, int32_t manufacturer, int32_t deviceType,
                      int32_t deviceRevision, bool fieldbus) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  WizardSheet sheet(resources);
  CMapFileWizard wizard(sheet, tag, moniker, plantServer, manufacturer, deviceType,
                        deviceRevision, fieldbus);
  sheet.Run(wizard);
}

}  // namespace ravelin::win32
