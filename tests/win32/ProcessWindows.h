// For the tests that drive real windows from a thread of their own process:
// finding those windows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The first visible top-level window of this process that `match` accepts.
inline HWND FindProcessWindow(const std::function<bool(HWND)>& match) {
  struct Search {
    const std::function<bool(HWND)>* match;
    HWND found;
  } search{&match, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) CALLBACK -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
            (*s->match)(window)) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline std::wstring ClassNameOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}
