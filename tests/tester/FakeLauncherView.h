// The launcher's window for tests: controls as maps, and a record of what
// the launcher did with it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "support/FakeControls.h"
#include "tester/MapFileTestLauncherDlg.h"
#include "tester/TestCompleteDlg.h"

namespace ravelin::testing {

class FakeView : public FakeControls<LauncherView> {
 public:
  void ShowDialog(bool shown) override { events.push_back(shown ? L"show" : L"hide"); }
  void PostClose() override { events.push_back(L"close"); }
  void End(int result) override { events.push_back(L"end " + std::to_wstring(result)); }
  std::optional<std::wstring> BrowseFile(const FileDialogRequest& request) override {
    requests.push_back(request);
    std::optional<std::wstring> answer = browseAnswer;
    return answer;
  }
  void OpenProgress() override { events.push_back(L"progress"); }
  void SetProgressText(const std::wstring& text) override { progress.push_back(text); }
  void CloseProgress() override { events.push_back(L"progress closed"); }
  int RunCompletion(CTestCompleteDlg& dialog) override {
    completions.push_back(dialog.m_message);
    return completionResult;
  }

  std::vector<std::wstring> events;
  std::vector<std::wstring> progress;
  std::vector<FileDialogRequest> requests;
  std::optional<std::wstring> browseAnswer;
  std::vector<std::wstring> completions;
  int completionResult = CTestCompleteDlg::kClose;
};

}  // namespace ravelin::testing
