// What this process holds: private bytes, GDI and USER objects, kernel
// handles and open files. Windows answers each through its own call; Wine
// 8 answers none of them (GetGuiResources and GetProcessHandleCount give 0,
// PrivateUsage stays 0), so each count falls back to a way that works
// under Wine and means the same.
#pragma once

#include <windows.h>
#include <psapi.h>
#include <winternl.h>
#include <uxtheme.h>

#include <cstdint>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

struct ProcessCounts {
  uint64_t privateBytes = 0;
  int gdi = 0, user = 0, handles = 0, files = 0;
};

namespace process_counts {

// Private bytes; Wine reports the process's resident anonymous memory
// (RssAnon and VmSwap of the Unix process) as its page file use instead.
inline uint64_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (!GetProcessMemoryInfo(GetCurrentProcess(),
                            reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
    return 0;
  return memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
}

// GDI objects: the entries of the process's GDI handle table (the PEB's
// GdiSharedHandleTable) that hold an object other than a stock one; -1
// where there is no table to read (a 32-bit process under Wine 8).
inline int GdiObjects() {
  if (DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return int(count);
  struct Entry {
    UINT64 object;
    ULONG owner;
    UCHAR extType : 7;
    UCHAR stock : 1;
    UCHAR generation;
    UCHAR type;
    UCHAR flags;
    UINT64 user;
  };
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic,
                                sizeof basic, nullptr) != 0)
    return -1;
  const auto* peb = reinterpret_cast<const char*>(basic.PebBaseAddress);
  const auto* table =
      *reinterpret_cast<const Entry* const*>(peb + (sizeof(void*) == 8 ? 0xf8 : 0x94));
  if (!table) return -1;
  int count = 0;
  for (int i = 0; i < 0x10000; ++i) count += table[i].type != 0 && !table[i].stock;
  return count;
}

// USER objects: windows, menus, icons and cursors. Wine names a USER
// object by its table index in the low word of the handle and accepts the
// low word alone, so every index is asked what it holds. `classes`
// collects the class names of this process's windows.
inline int UserObjects(std::set<std::wstring>* classes = nullptr) {
  if (!classes) {
    if (DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return int(count);
  }
  int count = 0;
  for (UINT_PTR index = 0; index < 0x7fe8; ++index) {
    const UINT_PTR value = 0x20 + 2 * index;
    if (IsWindow(reinterpret_cast<HWND>(value))) {
      DWORD process = 0;
      GetWindowThreadProcessId(reinterpret_cast<HWND>(value), &process);
      if (process != GetCurrentProcessId()) continue;
      ++count;
      if (classes) {
        wchar_t name[256] = {};
        GetClassNameW(reinterpret_cast<HWND>(value), name, 256);
        classes->insert(name);
      }
    } else if (IsMenu(reinterpret_cast<HMENU>(value))) {
      ++count;
    } else {
      ICONINFO icon{};
      if (GetIconInfo(reinterpret_cast<HICON>(value), &icon)) {
        ++count;
        if (icon.hbmMask) DeleteObject(icon.hbmMask);
        if (icon.hbmColor) DeleteObject(icon.hbmColor);
      }
    }
  }
  return count;
}

// Kernel handles: this process's entries of the system's handle list.
inline int Handles() {
  DWORD count = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &count) && count) return int(count);
  struct Entry {
    ULONG process;
    BYTE type, flags;
    USHORT handle;
    void* object;
    ULONG access;
  };
  struct List {
    ULONG count;
    Entry entries[1];
  };
  constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
  constexpr NTSTATUS kLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
  std::vector<char> buffer(1 << 16);
  ULONG needed = 0;
  NTSTATUS status;
  while ((status = NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                            ULONG(buffer.size()), &needed)) == kLengthMismatch)
    buffer.resize(buffer.size() * 2);
  if (status != 0) return -1;
  const auto* list = reinterpret_cast<const List*>(buffer.data());
  int mine = 0;
  for (ULONG i = 0; i < list->count; ++i) mine += list->entries[i].process == GetCurrentProcessId();
  return mine;
}

// Open files: the file descriptors of the Unix process under Wine, which
// holds one for every file it reads or writes (the host database that the
// ODBC driver opens included); a descriptor's name under /proc/self/fd
// exists while it is open. Wine looks such a name up in the process itself.
// -1 where there is no /proc.
inline int OpenFiles() {
  if (GetFileAttributesW(L"Z:\\proc\\self\\fd") == INVALID_FILE_ATTRIBUTES) return -1;
  int count = 0;
  for (int fd = 0; fd < 1024; ++fd) {
    wchar_t name[40];
    std::swprintf(name, 40, L"Z:\\proc\\self\\fd\\%d", fd);
    count += GetFileAttributesW(name) != INVALID_FILE_ATTRIBUTES;
  }
  return count;
}

}  // namespace process_counts

// Wine keeps every window DC it made for reuse and makes another only
// when all are in use at once, so its count of DCs climbs with the most
// ever used together. Filling that store first leaves a count that grows
// only with DCs that are kept.
inline void FillDcStore() {
  constexpr int kDcs = 128;
  HWND windows[kDcs];
  HDC dcs[kDcs];
  for (int i = 0; i < kDcs; ++i) {
    windows[i] = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                               nullptr);
    dcs[i] = GetDC(windows[i]);
  }
  for (int i = 0; i < kDcs; ++i) {
    ReleaseDC(windows[i], dcs[i]);
    DestroyWindow(windows[i]);
  }
}

// The theme loads a part's picture the first time a control is drawn in
// that state and keeps it, so a count rises whenever a control is first
// seen pressed or focused. Every part of the controls the dialogs hold,
// drawn once, loads them all.
inline void LoadThemePictures() {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 64, 64);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const RECT rect{0, 0, 64, 64};
  for (const wchar_t* name : {L"BUTTON", L"EDIT", L"COMBOBOX", L"LISTBOX", L"LISTVIEW", L"HEADER",
                              L"SCROLLBAR", L"TAB", L"WINDOW", L"PROGRESS", L"STATIC"}) {
    HTHEME theme = OpenThemeData(nullptr, name);
    if (!theme) continue;
    for (int part = 0; part < 40; ++part) {
      for (int state = 0; state < 16; ++state) DrawThemeBackground(theme, dc, part, state, &rect, nullptr);
    }
    CloseThemeData(theme);
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

inline ProcessCounts CountProcess() {
  ProcessCounts counts;
  counts.privateBytes = process_counts::PrivateBytes();
  counts.gdi = process_counts::GdiObjects();
  counts.user = process_counts::UserObjects();
  counts.handles = process_counts::Handles();
  counts.files = process_counts::OpenFiles();
  return counts;
}
