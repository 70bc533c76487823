// A mapping page over a 500-entry enumeration: the refill on arrival (the
// whole enumeration read entry by entry), and Auto-Map of every entry with
// its one refill. On Windows also through the page's own view, in a
// modeless wizard sheet (this needs a display).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "mapfile/MapFileInformation.h"
#include "platform/HostRoot.h"
#include "support/FakeRows.h"
#include "wizard/MappingPages.h"

#ifdef _WIN32
#include <windows.h>

#include <prsht.h>

#include "wizard/win32/WizardPageWindow.h"
#endif

using namespace ravelin;

namespace {

constexpr int kEntries = 500;

// A fieldbus block whose units parameter enumerates 500 unit codes, half of
// them inside the fieldbus units table.
std::string MakeRecording() {
  std::string text =
      "ravelin-recording 1\nrevision 26 200 1 fieldbus\n  block 1 name=TRANSDUCER\n"
      "    param UNITS type=6\n";
  for (int e = 0; e < kEntries; ++e) {
    text += "      enum " + std::to_string(1000 + e) + " \"Unit " + std::to_string(e) + "\"\n";
  }
  return text + "device 26 200 1 fieldbus serial=SN1 tag=FT-1\n";
}

// The rows kept in memory: the page's own cost.
class MemoryView : public testing::FakeRows<MappingPageView> {
 public:
  void AddColumn(int, const std::wstring&, int) override {}
  void Redisplay() override {}
  void RowsComplete() override {}
  bool IsRowSelected(int) override { return false; }
  void SetWizardButtons(unsigned) override {}
  int RunPickDialog(CSelectUnitDialog&) override { return 2; }
};


template <typename Step>
void Measure(const char* what, int runs, Step step) {
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    step();
    times.push_back(std::chrono::duration<double, std::milli>(
                        std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  std::printf("  %-44s %4d runs  median %8.2f ms  max %8.2f ms\n", what, runs,
              times[times.size() / 2], times.back());
}

CMapFileInformation BenchModel() {
  CMapFileInformation model(L"FT-1", L"!PhysicalDevice!SN1", L"BENCH", 0x26, 0x200, 1, 1);
  model.m_nBlockIndex = 1;
  model.m_strUnitsParam = L"Param!UNITS";
  return model;
}

void Bench(CEnumMappingPage& page, const CMapFileInformation& model) {
  Measure("first fill (parses the recording)", 1, [&] { page.FillMappingList(); });
  Measure("refill, nothing mapped", 50, [&] { page.FillMappingList(); });
  Measure("Auto-Map of every entry, one refill", 20, [&] { page.OnAutoMap(); });
  Measure("refill, every entry mapped", 50, [&] { page.FillMappingList(); });
  std::printf("  mappings %zu\n", model.m_UnitsMap.size());
}

}  // namespace

int main() {
  const auto root = std::filesystem::temp_directory_path() / "ravelin-bench-pages";
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root / "recordings");
  std::ofstream(root / "recordings" / "BENCH.rec", std::ios::binary) << MakeRecording();
  SetHostRoot(root.wstring());

  std::printf("a mapping page over a %d-entry enumeration\nrows in memory\n", kEntries);
  CMapFileInformation model = BenchModel();
  CMapInputUnitsPage page(&model);
  MemoryView memory;
  page.Attach(&memory);
  Bench(page, model);
  const bool listed = memory.rows.size() == kEntries;
#ifdef _WIN32
  std::printf("rows in the page's list view\n");
  CMapFileInformation shownModel = BenchModel();
  CMapInputUnitsPage shown(&shownModel);
  win32::WizardPageWindow view(GetModuleHandleW(nullptr), shown);
  HPROPSHEETPAGE sheetPage = view.CreatePage();
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_WIZARD | PSH_MODELESS;
  header.hInstance = GetModuleHandleW(nullptr);
  header.nPages = 1;
  header.phpage = &sheetPage;
  const HWND sheet = reinterpret_cast<HWND>(PropertySheetW(&header));
  if (!sheet || !view.Handle()) {
    std::printf("  no sheet: is there a display?\n");
    return 1;
  }
  Bench(shown, shownModel);
  std::printf("  rows %d\n", view.RowCount());
  DestroyWindow(sheet);
#endif
  std::filesystem::remove_all(root);
  return listed ? 0 : 1;
}
