// How long the browsing dialogs take to fill over the sample plant's
// recording: Select Parameter for a block of 1,000 parameters and Select
// Enumeration for an enumeration of 500 entries, into a list held in
// memory; on Windows also the real dialogs, opened and closed again.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "browse/SelectEnumeration.h"
#include "browse/SelectParameter.h"
#include "plant/PlantContent.h"
#include "plant/RecordingText.h"
#include "platform/HostRoot.h"
#include "support/FakeControls.h"

#ifdef _WIN32
#include <windows.h>

#include "browse/win32/BrowseDialogs.h"
#endif

using namespace ravelin;

namespace {

constexpr wchar_t kDiagnostics[] = L"!PhysicalDevice!00A1B20103-PT-501!BlkId!4";

class MemoryView : public testing::FakeControls<BrowseView> {
 public:
  void AddColumn(int, const std::wstring&, int) override {}
  void DeleteAllRows() override { rows.clear(); }
  void AppendRow(const std::vector<std::wstring>& columns) override { rows.push_back(columns); }
  int RowCount() override { return static_cast<int>(rows.size()); }
  std::wstring RowText(int row, int column) override { return rows[row][column]; }
  std::vector<int> SelectedRows() override { return {}; }
  void ShowContextMenu(int) override {}
  void RunEnumeration(CSelectEnumeration&) override {}
  void Tell(const std::wstring&) override {}
  void End(int) override {}

  std::vector<std::vector<std::wstring>> rows;
};

// Runs `fill` `times` times; prints the fastest and the mean in ms.
void Measure(const char* what, int times, const std::function<size_t()>& fill) {
  std::vector<double> took;
  size_t rows = 0;
  for (int i = 0; i < times; ++i) {
    const auto start = std::chrono::steady_clock::now();
    rows = fill();
    took.push_back(std::chrono::duration<double, std::milli>(
                       std::chrono::steady_clock::now() - start).count());
  }
  double sum = 0;
  for (double t : took) sum += t;
  std::printf("  %-52s %5zu rows  min %8.2f ms  mean %8.2f ms\n", what, rows,
              *std::min_element(took.begin(), took.end()), sum / times);
}

size_t FillParameters() {
  CSelectParameter dialog(kDiagnostics, L"PLANT1", true, 0);
  MemoryView view;
  dialog.Attach(&view);
  dialog.OnInitDialog();
  return view.rows.size();
}

size_t FillEnumeration() {
  CSelectEnumeration dialog(std::wstring(kDiagnostics) + L"!Param!ACTIVE_CONDITION", L"PLANT1",
                            true);
  MemoryView view;
  dialog.Attach(&view);
  dialog.OnInitDialog();
  return view.rows.size();
}

#ifdef _WIN32
std::chrono::steady_clock::time_point g_idle;

// Ends whichever dialog of this thread is up once it is shown and idle.
void CALLBACK CloseWhenIdle(HWND, UINT, UINT_PTR timer, DWORD) {
  g_idle = std::chrono::steady_clock::now();
  KillTimer(nullptr, timer);
  if (HWND active = GetActiveWindow()) PostMessageW(active, WM_COMMAND, IDCANCEL, 0);
}

// Opens the real dialog, which fills itself, and closes it once it is idle;
// prints the fastest and the mean time from the call to that moment (Wine's
// close of a window waits on the X server and is left out).
template <typename Dialog>
void MeasureDialog(const char* what, INT_PTR (*run)(HINSTANCE, Dialog&, HWND),
                   const std::function<Dialog()>& make) {
  constexpr int kTimes = 10;
  std::vector<double> took;
  for (int i = 0; i < kTimes; ++i) {
    Dialog dialog = make();
    SetTimer(nullptr, 0, 0, CloseWhenIdle);
    const auto start = std::chrono::steady_clock::now();
    if (run(GetModuleHandleW(nullptr), dialog, nullptr) != IDCANCEL) {
      std::printf("  %-52s could not be shown (no display?)\n", what);
      return;
    }
    took.push_back(std::chrono::duration<double, std::milli>(g_idle - start).count());
  }
  double sum = 0;
  for (double t : took) sum += t;
  std::printf("  %-52s open to idle min %8.2f ms  mean %8.2f ms\n", what,
              *std::min_element(took.begin(), took.end()), sum / kTimes);
}
#endif

}  // namespace

int main() {
  const auto root = std::filesystem::temp_directory_path() / "ravelin-bench-browse";
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root / "recordings");
  {
    std::ofstream(root / "recordings" / "PLANT1.rec", std::ios::binary)
        << plant::RecordingText(plant::BuildPlant(plant::kDefaultTemplates));
  }
  SetHostRoot(root.wstring());
  std::printf("sample plant recording, %ju bytes\n",
              static_cast<uintmax_t>(std::filesystem::file_size(root / "recordings" / "PLANT1.rec")));

  Measure("first fill (parses the recording)", 1, FillParameters);
  Measure("Select Parameter, block of 1,000 parameters", 50, FillParameters);
  Measure("Select Enumeration, 500 entries", 50, FillEnumeration);
#ifdef _WIN32
  MeasureDialog<CSelectParameter>("Select Parameter dialog, 1,000 parameters",
                                  win32::RunSelectParameter,
                                  [] { return CSelectParameter(kDiagnostics, L"PLANT1", true, 0); });
  MeasureDialog<CSelectEnumeration>(
      "Select Enumeration dialog, 500 entries", win32::RunSelectEnumeration, [] {
        return CSelectEnumeration(std::wstring(kDiagnostics) + L"!Param!ACTIVE_CONDITION",
                                  L"PLANT1", true);
      });
#endif
  std::filesystem::remove_all(root);
  return 0;
}
