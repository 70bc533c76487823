// The dialog that starts a map file test run, in single-device mode (one
// device tag, the input choices disabled, the report opened and the dialog
// closed afterwards) or batch mode (every device template or a device list
// file, then the completion dialog). It decides everything; the view only
// moves values between controls and this class.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/DialogControls.h"
#include "tester/BatchRun.h"
#include "tester/TestCompleteDlg.h"

namespace ravelin {

class CExecuteMapFileTest;

// What a common file dialog is asked for. Flags have the Windows values.
struct FileDialogRequest {
  static constexpr unsigned kOverwritePrompt = 0x2;
  static constexpr unsigned kHideReadOnly = 0x4;
  static constexpr unsigned kFileMustExist = 0x1000;

  bool open = true;
  std::wstring defaultExtension;
  std::wstring fileName;
  // Pairs of description and pattern joined by '|', ending in "||".
  std::wstring filter;
  unsigned flags = 0;
};

// The launcher's window as the logic needs it.
class LauncherView : public DialogControls {
 public:
  // The dialog itself.
  virtual void ShowDialog(bool shown) = 0;
  virtual void PostClose() = 0;
  virtual void End(int result) = 0;

  // The chosen path, or nothing when the user cancelled.
  virtual std::optional<std::wstring> BrowseFile(const FileDialogRequest& request) = 0;

  // The modeless progress window of a run.
  virtual void OpenProgress() = 0;
  virtual void SetProgressText(const std::wstring& text) = 0;
  virtual void CloseProgress() = 0;

  // Runs the completion dialog modally and returns its result.
  virtual int RunCompletion(CTestCompleteDlg& dialog) = 0;
};

class CMapFileTestLauncherDlg {
 public:
  // Single-device mode.
  CMapFileTestLauncherDlg(std::wstring serverName, std::wstring deviceTag);
  // Batch mode.
  explicit CMapFileTestLauncherDlg(std::wstring serverName);
  virtual ~CMapFileTestLauncherDlg();
  CMapFileTestLauncherDlg(const CMapFileTestLauncherDlg&) = delete;
  CMapFileTestLauncherDlg& operator=(const CMapFileTestLauncherDlg&) = delete;

  // The view must outlive every call below.
  void Attach(LauncherView* view) { m_view = view; }

  void OnInitDialog();
  // A button of the dialog was pressed.
  void OnCommand(int controlId);
  void OnRunTest();

  // Data exchange: true takes the controls' values, false shows the members.
  void UpdateData(bool save);

  bool IsSingleDevice() const { return m_singleDevice; }

  std::wstring m_inputFile;
  std::wstring m_outputFile;
  // 0: all device templates; 1: devices from a file; -1: neither checked.
  int32_t m_inputSource = 1;
  int32_t m_useGenericMapFiles = 1;
  std::wstring m_outputLevel;
  std::wstring m_mapFileUsage;
  std::wstring m_serverName;
  std::wstring m_deviceTag;

 protected:
  // Tests one device key with the run's driver.
  virtual void TestDevice(CExecuteMapFileTest& test, const std::wstring& deviceKey);

 private:
  // The device keys of the run about to start, into m_keys; false, and
  // `problem` says why, when the run cannot start.
  bool CollectKeys(std::wstring& problem);
  void Browse(bool input);
  // Tests the device keys that OnRunTest collected, in the progress window.
  BatchResult RunTests();

  bool m_singleDevice;
  std::vector<std::wstring> m_keys;
  LauncherView* m_view = nullptr;
};

// The completion dialog's text for a batch run.
std::wstring CompletionMessage(int errors, int warnings, const std::wstring& reportPath);

// The message shown before the run's end when some of its devices could not
// be tested: the count and the first few "key: reason" lines; the devices a
// database failure left untried count too.
std::wstring UnreachedMessage(const BatchResult& run);

}  // namespace ravelin
