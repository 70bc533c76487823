#include "tester/MapFileTestLauncherDlg.h"

#include <utility>
#include <vector>

#include "base/Text.h"
#include "outside/db/VelkProfile.h"
#include "platform/Platform.h"
#include "tester/BatchRun.h"
#include "tester/DeviceKeys.h"
#include "tester/ExecuteMapFileTest.h"
#include "tester/ReportFile.h"
#include "tester/TesterIds.h"

namespace ravelin {

namespace {

constexpr wchar_t kCaption[] = L"Ravelin";
constexpr wchar_t kTextFilter[] = L"Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";

void Tell(const std::wstring& text) {
  ThePlatform().ShowMessageBox(text, kCaption, kMbOk);
}

}  // namespace

std::wstring CompletionMessage(int errors, int warnings, const std::wstring& reportPath) {
  return Format(
      L"The map file test completed successfully.\r\n\r\nThere were %d errors and %d "
      L"warnings encountered during the test.\r\n\r\nSee %s for the test results. You may "
      L"also click the \"View File...\" button below to see them now.",
      errors, warnings, reportPath.c_str());
}

CMapFileTestLauncherDlg::CMapFileTestLauncherDlg(std::wstring serverName,
                                                 std::wstring deviceTag)
    : m_serverName(std::move(serverName)),
      m_deviceTag(std::move(deviceTag)),
      m_singleDevice(true) {}

CMapFileTestLauncherDlg::CMapFileTestLauncherDlg(std::wstring serverName)
    : m_serverName(std::move(serverName)), m_singleDevice(false) {}

CMapFileTestLauncherDlg::~CMapFileTestLauncherDlg() = default;

void CMapFileTestLauncherDlg::UpdateData(bool save) {
  if (save) {
    m_inputFile = m_view->GetText(IDC_INPUT_FILE);
    m_outputFile = m_view->GetText(IDC_OUTPUT_FILE);
    m_inputSource = m_view->IsChecked(IDC_ALL_TEMPLATES)       ? 0
                    : m_view->IsChecked(IDC_DEVICES_FROM_FILE) ? 1
                                                               : -1;
    m_useGenericMapFiles = m_view->IsChecked(IDC_USE_GENERIC) ? 1 : 0;
    return;
  }
  m_view->SetText(IDC_INPUT_FILE, m_inputFile);
  m_view->SetText(IDC_OUTPUT_FILE, m_outputFile);
  if (m_inputSource == 0 || m_inputSource == 1) {
    m_view->CheckRadio(IDC_ALL_TEMPLATES, IDC_DEVICES_FROM_FILE,
                       IDC_ALL_TEMPLATES + m_inputSource);
  }
  m_view->SetChecked(IDC_USE_GENERIC, m_useGenericMapFiles != 0);
}

void CMapFileTestLauncherDlg::OnInitDialog() {
  UpdateData(false);
  const bool batch = !m_singleDevice;
  if (batch) m_view->CheckRadio(IDC_ALL_TEMPLATES, IDC_DEVICES_FROM_FILE, IDC_DEVICES_FROM_FILE);
  m_view->Enable(IDC_ALL_TEMPLATES, batch);
  m_view->Enable(IDC_DEVICES_FROM_FILE, batch);
  m_view->Enable(IDC_INPUT_FILE, batch);
  m_view->Enable(IDC_BROWSE_INPUT, batch);

  m_view->CheckRadio(IDC_CALIBRATION_ONLY, IDC_ALL_MAP_FILES, IDC_CALIBRATION_ONLY);
  m_mapFileUsage = L"Use for CalMgmt";
  m_view->CheckRadio(IDC_ERRORS_ONLY, IDC_EVERYTHING, IDC_WARNINGS_AND_ERRORS);
  m_outputLevel = L"WARNINGS";

  std::wstring folder;
  GetVelkProfileValue(L"INSTALLATION", L"DevicesFolder", folder);
  m_outputFile = JoinPath(folder, kReportFileName);
  m_view->SetText(IDC_OUTPUT_FILE, m_outputFile);
}

void CMapFileTestLauncherDlg::OnCommand(int controlId) {
  switch (controlId) {
    case IDC_ALL_TEMPLATES:
      m_view->Enable(IDC_INPUT_FILE, false);
      m_view->Enable(IDC_BROWSE_INPUT, false);
      break;
    case IDC_DEVICES_FROM_FILE:
      m_view->Enable(IDC_INPUT_FILE, true);
      m_view->Enable(IDC_BROWSE_INPUT, true);
      break;
    case IDC_CALIBRATION_ONLY:
      m_mapFileUsage = L"Use for CalMgmt";
      break;
    case IDC_ALL_MAP_FILES:
      m_mapFileUsage = L"Use for Export";
      break;
    case IDC_ERRORS_ONLY:
      m_outputLevel = L"ERRORS";
      break;
    case IDC_WARNINGS_AND_ERRORS:
      m_outputLevel = L"WARNINGS";
      break;
    case IDC_EVERYTHING:
      m_outputLevel = L"ALL";
      break;
    case IDC_BROWSE_INPUT:
      Browse(true);
      break;
    case IDC_BROWSE_OUTPUT:
      Browse(false);
      break;
    case IDC_RUN_TEST:
      OnRunTest();
      break;
    case kIdCancel:
      m_view->End(kIdCancel);
      break;
    default:
      break;
  }
}

void CMapFileTestLauncherDlg::Browse(bool input) {
  UpdateData(true);
  FileDialogRequest request;
  request.open = input;
  request.defaultExtension = L"txt";
  request.fileName = L"*.txt";
  request.filter = kTextFilter;
  request.flags = input ? FileDialogRequest::kFileMustExist
                        : FileDialogRequest::kHideReadOnly | FileDialogRequest::kOverwritePrompt;
  const std::optional<std::wstring> path = m_view->BrowseFile(request);
  if (!path) return;
  (input ? m_inputFile : m_outputFile) = *path;
  // Shown at once: Run Test takes the controls' values, not the members.
  UpdateData(false);
}

bool CMapFileTestLauncherDlg::CollectKeys(std::wstring& problem) {
  m_keys.clear();
  if (m_singleDevice) {
    m_keys.push_back(m_deviceTag);
  } else if (m_inputSource != 0) {
    if (!ReadDeviceList(m_inputFile, m_keys)) {
      problem = L"The device list file " + m_inputFile + L" can't be read: " +
                WhyUnreadable(m_inputFile) + L".";
    } else if (m_keys.empty()) {
      problem = L"The device list file " + m_inputFile + L" names no device.";
    } else if (IsSameExistingFile(m_inputFile, m_outputFile)) {
      problem = L"The device list file " + m_inputFile + L" and the report file " +
                m_outputFile + L" are the same file. Choose another report file.";
    }
  } else if (!ListTemplateKeys(m_keys, problem)) {
    problem = L"No device template was tested: " + problem + L".";
  }
  return problem.empty();
}

void CMapFileTestLauncherDlg::OnRunTest() {
  UpdateData(true);
  if (m_outputFile.empty()) {
    Tell(L"Please specify a file to save the test results to.");
    return;
  }
  if (m_inputSource == 1 && m_inputFile.empty() && !m_singleDevice) {
    Tell(L"Please specify the input file to read the devices from.");
    return;
  }
  // The old report goes only once the run can start: an old report left in
  // place would be counted as this run's, one deleted for a refused run is
  // lost for nothing.
  std::wstring problem;
  if (!CollectKeys(problem) || !(problem = StartReport(m_outputFile)).empty()) {
    Tell(problem);
    return;
  }
  m_view->ShowDialog(false);
  const BatchResult result = RunTests();
  if (result.NotTested() > 0) Tell(UnreachedMessage(result));
  if (m_singleDevice) {
    OpenInNotepad(m_outputFile);
    m_view->PostClose();
    return;
  }
  // A run the database stopped did not complete: the message said why.
  if (result.databaseUnreadable) {
    m_view->ShowDialog(true);
    return;
  }
  CTestCompleteDlg complete;
  complete.m_message = CompletionMessage(result.errors, result.warnings, m_outputFile);
  if (m_view->RunCompletion(complete) == CTestCompleteDlg::kViewFile) {
    OpenInNotepad(m_outputFile);
  }
  m_view->ShowDialog(true);
}

void CMapFileTestLauncherDlg::TestDevice(CExecuteMapFileTest& test,
                                         const std::wstring& deviceKey) {
  test.TestDevice(m_serverName, deviceKey);
}

BatchResult CMapFileTestLauncherDlg::RunTests() {
  BatchOptions options;
  options.server = m_serverName;
  options.reportPath = m_outputFile;
  options.mapFileUsage = m_mapFileUsage;
  options.outputLevel = m_outputLevel;
  options.allowGenericMapFile = m_useGenericMapFiles != 0;

  // A template's progress text is its name alone.
  const bool templates = !m_singleDevice && m_inputSource == 0;
  BatchHooks hooks;
  hooks.starting = [&](size_t, const std::wstring& key) {
    m_view->SetProgressText(templates ? DisplayKey(key)
                                      : Format(L"Testing map file for %s",
                                               DisplayKey(key).c_str()));
  };
  hooks.testDevice = [this](CExecuteMapFileTest& test, const std::wstring& key) {
    TestDevice(test, key);
  };
  m_view->OpenProgress();
  BatchResult result = RunBatch(options, m_keys, hooks);
  m_view->CloseProgress();
  return result;
}

std::wstring UnreachedMessage(const BatchResult& run) {
  constexpr size_t kShown = 10;
  std::wstring text = Format(L"%d of %d devices could not be tested:\r\n",
                             static_cast<int>(run.NotTested()), static_cast<int>(run.devices));
  for (size_t i = 0; i < run.unreached.size() && i < kShown; ++i) {
    text += L"\r\n" + DisplayKey(run.unreached[i].first) + L": " + run.unreached[i].second;
  }
  if (run.unreached.size() > kShown) {
    text += Format(L"\r\n... and %d more", static_cast<int>(run.unreached.size() - kShown));
  }
  if (run.Untried() > 0 && run.databaseUnreadable) {
    text += Format(L"\r\n\r\nThe run stopped there; %d more devices were not tried.",
                   static_cast<int>(run.Untried()));
  } else if (run.Untried() > 0) {
    text += run.unreached.empty() ? L"\r\n" : L"\r\n\r\n";
    text += Format(L"The run stopped after device %d: %s; %d more devices were not tried.",
                   static_cast<int>(run.tried), run.StopReason().c_str(),
                   static_cast<int>(run.Untried()));
  }
  return text;
}

}  // namespace ravelin
