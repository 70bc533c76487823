#include "tester/win32/TesterDialogs.h"

#include <commdlg.h>

#include <vector>

#include "platform/win32/Controls.h"
#include "platform/win32/Dialog.h"
#include "tester/MapFileTestLauncherDlg.h"
#include "tester/TestCompleteDlg.h"
#include "tester/TesterIds.h"

namespace ravelin::win32 {
namespace {

class CompleteView final : public Dialog {
 public:
  explicit CompleteView(CTestCompleteDlg& logic) : logic_(logic) {}

 protected:
  bool OnInit() override {
    SetControlText(Handle(), IDC_COMPLETE_MESSAGE, logic_.m_message);
    // Focus on the edit would select the whole message.
    SetFocus(GetDlgItem(Handle(), IDOK));
    return false;
  }
  void OnCommand(int id, int code) override {
    if (code != BN_CLICKED) return;
    if (const int result = CTestCompleteDlg::ResultOf(id)) End(result);
  }

 private:
  CTestCompleteDlg& logic_;
};

class ProgressView final : public Dialog {};

class LauncherWindow final : public Dialog,
                             public DialogControlsOf<LauncherWindow, LauncherView> {
 public:
  LauncherWindow(HINSTANCE resources, CMapFileTestLauncherDlg& logic)
      : resources_(resources), logic_(logic) {}
  ~LauncherWindow() override {
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
  }

  void ShowDialog(bool shown) override { ShowWindow(Handle(), shown ? SW_SHOW : SW_HIDE); }
  void PostClose() override { PostMessageW(Handle(), WM_CLOSE, 0, 0); }
  void End(int result) override { Dialog::End(result); }

  std::optional<std::wstring> BrowseFile(const FileDialogRequest& request) override {
    std::wstring filter = request.filter;
    for (wchar_t& c : filter) {
      if (c == L'|') c = L'\0';
    }
    std::vector<wchar_t> name(32768, L'\0');
    request.fileName.copy(name.data(), name.size() - 1);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Handle();
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrDefExt = request.defaultExtension.c_str();
    dialog.Flags = request.flags | OFN_EXPLORER;
    const BOOL chosen = request.open ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
    if (!chosen) return std::nullopt;
    return std::wstring(name.data());
  }

  void OpenProgress() override {
    const HWND window = progress_.Create(resources_, IDD_TEST_PROGRESS, Handle());
    if (!window) return;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
  }
  void SetProgressText(const std::wstring& text) override {
    if (!progress_.Handle()) return;
    SetControlText(progress_.Handle(), IDC_PROGRESS_DEVICE, text);
    // No messages are pumped during a run: paint now.
    UpdateWindow(progress_.Handle());
  }
  void CloseProgress() override { progress_.Destroy(); }

  int RunCompletion(CTestCompleteDlg& logic) override {
    CompleteView view(logic);
    return static_cast<int>(view.DoModal(resources_, IDD_TEST_COMPLETE, nullptr));
  }

 protected:
  bool OnInit() override {
    bigIcon_ = LoadIcon(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    smallIcon_ = LoadIcon(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    logic_.Attach(this);
    logic_.OnInitDialog();
    return true;
  }
  void OnCommand(int id, int code) override {
    if (code == BN_CLICKED) logic_.OnCommand(id);
  }
  bool OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) override {
    if (message == WM_QUERYDRAGICON) {
      result = reinterpret_cast<INT_PTR>(bigIcon_);
      return true;
    }
    if (message == WM_PAINT && IsIconic(Handle())) {
      PaintIcon();
      return true;
    }
    return false;
  }

 private:
  HICON LoadIcon(int width, int height) {
    return static_cast<HICON>(
        LoadImageW(resources_, MAKEINTRESOURCEW(IDI_TESTER), IMAGE_ICON, width, height, 0));
  }
  void PaintIcon() {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(Handle(), &paint);
    SendMessageW(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(Handle(), &client);
    const int width = GetSystemMetrics(SM_CXICON), height = GetSystemMetrics(SM_CYICON);
    DrawIcon(dc, (client.right - client.left - width + 1) / 2,
             (client.bottom - client.top - height + 1) / 2, bigIcon_);
    EndPaint(Handle(), &paint);
  }

  HINSTANCE resources_;
  CMapFileTestLauncherDlg& logic_;
  ProgressView progress_;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
};

}  // namespace

INT_PTR RunTestLauncher(HINSTANCE resources, CMapFileTestLauncherDlg& launcher) {
  LauncherWindow window(resources, launcher);
  const INT_PTR result = window.DoModal(resources, IDD_MAPFILE_TEST_LAUNCHER, nullptr);
  launcher.Attach(nullptr);
  return result;
}

}  // namespace ravelin::win32
