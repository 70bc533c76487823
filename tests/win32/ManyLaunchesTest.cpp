// A host keeps the plug-in loaded for weeks: one object, created by its
// ProgID, and many launchFenlet calls in one process. Every call opens a
// tool that a driver thread works and closes as a user would: the
// launcher run to its end (operations 0 and 3), the wizard walked and
// cancelled or written (1), the question of operation 2 answered No and a
// few times Yes, and launch data that makes no sense. After a warm-up the
// process's private bytes, GDI and USER objects, handles and open files
// are printed every 50 calls (ProcessCounts.h says how each is counted);
// none may grow with the calls, private bytes by less than 1 MB. Then the
// object goes, the DLL is unloaded, loaded afresh and used again, and
// nothing it started may be left.
//
// Arguments: CALLS DEVICE_LIST
#include <windows.h>
#include <prsht.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ProcessCounts.h"
#include "Ravelin_h.h"
#include "UiDriver.h"
#include "support/SampleLaunchData.h"
#include "tester/TesterIds.h"
#include "wizard/WizardIds.h"

namespace {

int g_calls = 1000;
std::wstring g_deviceList;
constexpr int kWarmUp = 50, kEvery = 50;
constexpr wchar_t kProgId[] = L"Ravelin.FenletLaunchInterface";
using ravelin::testing::kPlant;
using ravelin::testing::kPt101;

HWND WaitForDialog(int controlId) {
  return WaitForWindow([controlId](HWND window) { return GetDlgItem(window, controlId); });
}
HWND SheetPage(HWND sheet) {
  DWORD_PTR page = 0;
  SendMessageTimeoutW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_NORMAL, 2000, &page);
  return reinterpret_cast<HWND>(page);
}
// A property sheet holds its tab control, hidden in a wizard.
bool IsSheet(HWND window) { return GetDlgItem(window, 0x3020) != nullptr; }
HWND FindSheet() { return FindProcessWindow(IsSheet); }
// A message box: its text and a button, and none of our dialogs' controls.
bool IsMessageBox(HWND window) {
  return GetDlgItem(window, 0xFFFF) && (GetDlgItem(window, IDOK) || GetDlgItem(window, IDNO)) &&
         !IsSheet(window) && !GetDlgItem(window, IDC_RUN_TEST) &&
         !GetDlgItem(window, IDC_COMPLETE_MESSAGE);
}

// Closes whatever the call left open, the way a user gets rid of it;
// returns how many windows it had to close.
int CloseWhatIsOpen(const std::atomic<bool>& returned) {
  int closed = 0;
  const ULONGLONG start = GetTickCount64();
  while (!returned && GetTickCount64() - start < kUiWaitMs) {
    // The progress window goes by itself.
    HWND window = FindProcessWindow([](HWND w) { return !GetDlgItem(w, IDC_PROGRESS_DEVICE); });
    if (!window) {
      Sleep(20);
      continue;
    }
    if (IsSheet(window)) {
      PostMessageW(window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    } else if (IsMessageBox(window)) {
      const bool question = GetDlgItem(window, IDNO) != nullptr;
      const bool closeWizard =
          ItemText(window, 0xFFFF).find(L"Close the wizard anyway?") != std::wstring::npos;
      PostMessageW(window, WM_COMMAND, closeWizard ? IDYES : question ? IDNO : IDOK, 0);
    } else if (GetDlgItem(window, IDC_COMPLETE_MESSAGE)) {
      PostCommand(window, IDOK);
    } else if (GetDlgItem(window, IDC_RUN_TEST)) {
      PostCommand(window, IDCANCEL);
    } else {
      PostMessageW(window, WM_CLOSE, 0, 0);
    }
    ++closed;
    WaitFor([&] { return returned || !IsWindow(window) || !IsWindowVisible(window); }, 5000);
  }
  return closed;
}

// --- what a user does with each tool ---

void RunLauncher(bool templates, bool view) {
  HWND launcher = WaitForDialog(IDC_RUN_TEST);
  ASSERT_NE(launcher, nullptr) << "the launcher did not open";
  Select(launcher, templates ? IDC_ALL_TEMPLATES : IDC_DEVICES_FROM_FILE);
  if (!templates) SetItemText(launcher, IDC_INPUT_FILE, g_deviceList);
  Press(launcher, IDC_RUN_TEST);
  HWND done = WaitForDialog(IDC_COMPLETE_MESSAGE);
  ASSERT_NE(done, nullptr) << "no completion dialog";
  EXPECT_NE(ItemText(done, IDC_COMPLETE_MESSAGE).find(L"completed successfully"), std::wstring::npos);
  Press(done, view ? IDC_VIEW_FILE : IDOK);
  ASSERT_TRUE(WaitUntilGone(done));
  launcher = WaitForDialog(IDC_RUN_TEST);
  ASSERT_NE(launcher, nullptr) << "the launcher did not come back";
  Press(launcher, IDCANCEL);
  WaitUntilGone(launcher);
}

// Operation 0: Run Test opens the report and closes the launcher; an
// unknown tag is told about first (the closer answers).
void RunDevice(bool known) {
  HWND launcher = WaitForDialog(IDC_RUN_TEST);
  ASSERT_NE(launcher, nullptr) << "the launcher did not open";
  Press(launcher, IDC_RUN_TEST);
  if (known) {
    EXPECT_TRUE(WaitUntilGone(launcher));
  }
}

void WalkWizard(int nexts, bool write) {
  HWND sheet = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (sheet = FindSheet()) != nullptr; })) << "no wizard";
  for (int n = 0; n < nexts || (write && !GetDlgItem(SheetPage(sheet), IDC_WRITE)); ++n) {
    ASSERT_LT(n, 15) << "no finished page";
    HWND before = SheetPage(sheet);
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    ASSERT_TRUE(WaitFor([&] { return SheetPage(sheet) != before; })) << "Next did nothing";
  }
  if (write) {
    SendCommand(SheetPage(sheet), IDC_WRITE);
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
  } else {
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  }
  EXPECT_TRUE(WaitUntilGone(sheet)) << "the wizard stayed";
}

void Answer(int button) {
  HWND box = WaitForWindow(IsMessageBox);
  ASSERT_NE(box, nullptr) << "no question";
  EXPECT_NE(ItemText(box, 0xFFFF).find(L"create new FF Devices"), std::wstring::npos);
  PostMessageW(box, WM_COMMAND, button, 0);
  EXPECT_TRUE(WaitUntilGone(box));
}

struct Launch {
  const char* kind;
  const wchar_t* operation;
  const wchar_t* data;
  std::function<void()> drive;  // none: launch data that makes no sense
};

// One cycle of calls; the schedule repeats it.
const std::vector<Launch>& Cycle() {
  static const std::wstring garbage(5000, L'<');
  static const std::vector<Launch> cycle = {
      {"batch, device list", L"3", kPlant, [] { RunLauncher(false, false); }},
      {"wizard, cancelled", L"1", kPt101, [] { WalkWizard(2, false); }},
      {"create, No", L"2", kPlant, [] { Answer(IDNO); }},
      {"device", L"0", kPt101, [] { RunDevice(true); }},
      {"bad data", L"9", kPlant, nullptr},
      {"wizard, written", L"1", kPt101, [] { WalkWizard(0, true); }},
      {"batch, templates, viewed", L"3", kPlant, [] { RunLauncher(true, true); }},
      {"bad data", L"1", L"<TARNTAG>PT-101", nullptr},
      {"wizard, cancelled",
       L"1",
       L"<FFDevice>1</FFDevice><TARNTAG>PT-501</TARNTAG><MONIKER>!PhysicalDevice!00A1B20103-PT-501"
       L"</MONIKER><MANUFACTURER_ID>41394</MANUFACTURER_ID><DEVICE_TYPE_ID>259</DEVICE_TYPE_ID>"
       L"<DEVICE_REVISION>2</DEVICE_REVISION><PLANTSERVERNAME>PLANT1</PLANTSERVERNAME>",
       [] { WalkWizard(1, false); }},
      {"bad data", L"3", L"<PLANTSERVERNAME>..\\x</PLANTSERVERNAME>", [] { RunDevice(false); }},
      {"device, unknown tag", L"0", L"<TARNTAG>NO-SUCH</TARNTAG><PLANTSERVERNAME>PLANT1</PLANTSERVERNAME>",
       [] { RunDevice(false); }},
      {"create, No", L"2", kPlant, [] { Answer(IDNO); }},
      {"bad data", nullptr, nullptr, nullptr},
      {"bad data", L"1", L"<FFDevice>1</FFDevice><PLANTSERVERNAME>NOSERVER</PLANTSERVERNAME>",
       nullptr},
      {"bad data", L"0", garbage.c_str(), nullptr},
      {"batch, device list", L"3", kPlant, [] { RunLauncher(false, false); }},
      {"wizard, cancelled", L"1", kPt101, [] { WalkWizard(3, false); }},
      {"device", L"0", kPt101, [] { RunDevice(true); }},
      {"bad data", L"0", L"<PLANTSERVERNAME>NOSERVER</PLANTSERVERNAME>", [] { RunDevice(false); }},
      {"create, No", L"2", kPlant, [] { Answer(IDNO); }},
      {"create, No, no server", L"2", L"", [] { Answer(IDNO); }},
  };
  return cycle;
}

const Launch& Scheduled(int call) {
  static const Launch yes{"create, Yes", L"2", kPlant, [] { Answer(IDYES); }};
  // Yes a few times: each adds a test device per template.
  if (call % 250 == 102) return yes;
  return Cycle()[size_t(call) % Cycle().size()];
}

struct Timing {
  int calls = 0;
  double ms = 0;
};

// Calls launchFenlet on this thread while a driver thread works the tool.
void Call(IFenletLaunchInterface* plugin, const Launch& launch, Timing& timing) {
  std::atomic<bool> returned{false};
  int leftOpen = 0;
  std::thread driver([&] {
    if (launch.drive) launch.drive();
    leftOpen = CloseWhatIsOpen(returned);
  });
  BSTR op = launch.operation ? SysAllocString(launch.operation) : nullptr;
  BSTR data = launch.data ? SysAllocString(launch.data) : nullptr;
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(plugin->launchFenlet(op, data), S_OK) << launch.kind;
  returned = true;
  timing.ms += double(GetTickCount64() - start);
  ++timing.calls;
  SysFreeString(op);
  SysFreeString(data);
  driver.join();
  // Only nonsense may leave a message for the closer to answer.
  if (launch.drive && std::string(launch.kind).rfind("device, unknown", 0) != 0 &&
      std::string(launch.kind) != "bad data") {
    EXPECT_EQ(leftOpen, 0) << launch.kind << ": windows left open";
  }
}

IFenletLaunchInterface* CreateByProgId() {
  CLSID clsid;
  EXPECT_EQ(CLSIDFromProgID(kProgId, &clsid), S_OK) << "the class is not registered";
  IFenletLaunchInterface* plugin = nullptr;
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IFenletLaunchInterface,
                             reinterpret_cast<void**>(&plugin)),
            S_OK);
  return plugin;
}

void Print(int call, const ProcessCounts& c) {
  std::printf("%6d %12.1f %6d %6d %8d %6d\n", call, double(c.privateBytes) / 1024.0, c.gdi,
              c.user, c.handles, c.files);
  std::fflush(stdout);
}

class ManyLaunches : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
  static void TearDownTestSuite() { CoUninitialize(); }
};

TEST_F(ManyLaunches, NothingAccumulates) {
  IFenletLaunchInterface* plugin = CreateByProgId();
  ASSERT_NE(plugin, nullptr);
  std::map<std::string, Timing> timings;
  std::vector<ProcessCounts> samples;
  std::printf("%6s %12s %6s %6s %8s %6s\n", "calls", "private KB", "GDI", "USER", "handles",
              "files");
  FillDcStore();
  LoadThemePictures();
  Print(0, CountProcess());
  for (int call = 0; call < g_calls; ++call) {
    const Launch& launch = Scheduled(call);
    Call(plugin, launch, timings[launch.kind]);
    if (HasFatalFailure()) break;
    if (call + 1 >= kWarmUp && (call + 1) % kEvery == 0) {
      samples.push_back(CountProcess());
      Print(call + 1, samples.back());
    }
  }
  EXPECT_EQ(plugin->Release(), 0u);
  for (const auto& [kind, timing] : timings) {
    std::printf("%-26s %4d calls, %7.1f ms each\n", kind.c_str(), timing.calls,
                timing.ms / timing.calls);
  }
  ASSERT_GE(samples.size(), 3u);
  // A count that grows with the calls is a leak. Wine makes a few objects
  // of its own once, the first time a control is drawn some way (bitmaps
  // of the theme), and one handle of its own at a call of its choosing (seen
  // at call 150 in one run, after call 950 in another): the counts may rise
  // by those few, and over the second half of the calls, where every kind of
  // call comes again, by that one at most. A leak on any kind of call, the
  // rarest (creation answered Yes, twice in that half) included, grows more.
  constexpr int kOnce = 3;
  constexpr int kLateOnce = 1;
  const ProcessCounts& first = samples.front();
  const ProcessCounts& middle = samples[samples.size() / 2];
  const ProcessCounts& last = samples.back();
  EXPECT_LT(int64_t(last.privateBytes) - int64_t(first.privateBytes), 1 << 20);
  const struct {
    const char* name;
    int ProcessCounts::*count;
  } kinds[] = {{"GDI objects", &ProcessCounts::gdi},
               {"USER objects", &ProcessCounts::user},
               {"handles", &ProcessCounts::handles},
               {"open files", &ProcessCounts::files}};
  for (const auto& kind : kinds) {
    if (first.*kind.count < 0) {
      // The same code runs in the other bitness, whose run counts them.
      std::printf("%s: not countable in this process\n", kind.name);
      continue;
    }
    EXPECT_LE(last.*kind.count, middle.*kind.count + kLateOnce)
        << kind.name << " grew in the second half";
    EXPECT_LE(last.*kind.count, first.*kind.count + kOnce) << kind.name;
  }
}

// The image of the DLL while it is loaded.
struct Image {
  HMODULE module = nullptr;
  uintptr_t begin = 0, end = 0;
  bool Holds(uintptr_t address) const { return address >= begin && address < end; }
};

Image LoadedImage() {
  Image image;
  image.module = GetModuleHandleW(L"ravelin.dll");
  MODULEINFO info{};
  if (image.module && GetModuleInformation(GetCurrentProcess(), image.module, &info, sizeof info)) {
    image.begin = reinterpret_cast<uintptr_t>(info.lpBaseOfDll);
    image.end = image.begin + info.SizeOfImage;
  }
  return image;
}

// Threads of this process that started in the image.
int ThreadsStartedIn(const Image& image) {
  using QueryThread = NTSTATUS(NTAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<QueryThread>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread")));
  constexpr int kThreadStartAddress = 9;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int started = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID != GetCurrentProcessId()) continue;
    HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
    void* start = nullptr;
    if (thread && query(thread, kThreadStartAddress, &start, sizeof start, nullptr) == 0) {
      started += image.Holds(reinterpret_cast<uintptr_t>(start));
    }
    if (thread) CloseHandle(thread);
  }
  CloseHandle(snapshot);
  return started;
}

// Windows of this process made from the image's resources or served by
// its code.
int WindowsOf(const Image& image) {
  struct Search {
    const Image* image;
    int found;
  } search{&image, 0};
  EnumWindows(
      [](HWND window, LPARAM data) CALLBACK -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != GetCurrentProcessId()) return TRUE;
        const auto instance = uintptr_t(GetWindowLongPtrW(window, GWLP_HINSTANCE));
        const auto procedure = uintptr_t(GetWindowLongPtrW(window, GWLP_WNDPROC));
        s->found += s->image->Holds(instance) || s->image->Holds(procedure);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A launcher opened and cancelled: proof that the object works; the names
// of the window classes the process showed meanwhile go to `classes`.
void OpenLauncher(IFenletLaunchInterface* plugin, std::set<std::wstring>& classes) {
  Timing timing;
  Call(plugin,
       {"launcher", L"3", kPlant,
        [&] {
          HWND launcher = WaitForDialog(IDC_RUN_TEST);
          ASSERT_NE(launcher, nullptr) << "the launcher did not open";
          process_counts::UserObjects(&classes);
          Press(launcher, IDCANCEL);
          EXPECT_TRUE(WaitUntilGone(launcher));
        }},
       timing);
}

TEST_F(ManyLaunches, UnloadsAndLoadsAfresh) {
  std::set<std::wstring> classes;
  for (int load = 0; load < 2; ++load) {
    SCOPED_TRACE(load);
    IFenletLaunchInterface* plugin = CreateByProgId();
    ASSERT_NE(plugin, nullptr);
    const Image image = LoadedImage();
    ASSERT_NE(image.module, nullptr);
    const auto canUnloadNow = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(image.module, "DllCanUnloadNow")));
    ASSERT_NE(canUnloadNow, nullptr);
    OpenLauncher(plugin, classes);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    EXPECT_EQ(plugin->Release(), 0u);
    EXPECT_EQ(canUnloadNow(), S_OK);
    EXPECT_EQ(ThreadsStartedIn(image), 0);
    EXPECT_EQ(WindowsOf(image), 0);

    // Wine keeps a DLL whose class may live in any apartment ten minutes
    // after the call that could free it: the test asks without the wait.
    CoFreeUnusedLibrariesEx(0, 0);
    EXPECT_EQ(GetModuleHandleW(L"ravelin.dll"), nullptr) << "the DLL stayed loaded";
    // A timer of the DLL's would now call into nothing.
    const ULONGLONG start = GetTickCount64();
    for (MSG message; GetTickCount64() - start < 300; Sleep(10)) {
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    // A class of the DLL's own would be found only for its instance, or
    // served by its code; the system's and the common controls' are
    // found for any instance.
    for (const std::wstring& name : classes) {
      WNDCLASSEXW own{}, any{};
      own.cbSize = any.cbSize = sizeof own;
      if (!GetClassInfoExW(image.module, name.c_str(), &own)) continue;
      EXPECT_TRUE(GetClassInfoExW(nullptr, name.c_str(), &any) &&
                  !image.Holds(reinterpret_cast<uintptr_t>(own.lpfnWndProc)))
          << "window class left registered: " << std::string(name.begin(), name.end());
    }
  }
  EXPECT_FALSE(classes.empty());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: CALLS DEVICE_LIST\n");
    return 2;
  }
  g_calls = _wtoi(argv[1]);
  g_deviceList = argv[2];
  return RUN_ALL_TESTS();
}
