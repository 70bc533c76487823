// For the tests that drive real windows from a thread of their own process,
// as a user would: finding the windows, waiting for them, working their
// controls and keeping pictures of them. One wait bound for every driver: a
// wait that runs out fails its test, it never hangs the suite.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

inline constexpr int kUiWaitMs = 60000;

// Polls `done` until it holds or `milliseconds` have passed: every
// millisecond at first (a page answers within milliseconds, and the
// wizard's walks time it), then every 20, so that a long wait does not load
// the window thread.
inline bool WaitFor(const std::function<bool()>& done, int milliseconds = kUiWaitMs) {
  const ULONGLONG start = GetTickCount64();
  for (ULONGLONG waited = 0; waited < static_cast<ULONGLONG>(milliseconds);
       waited = GetTickCount64() - start) {
    if (done()) return true;
    Sleep(waited < 200 ? 1 : 20);
  }
  return done();
}

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

// FindProcessWindow once `match` accepts a window; null when none came.
inline HWND WaitForWindow(const std::function<bool(HWND)>& match, int milliseconds = kUiWaitMs) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindProcessWindow(match)) != nullptr; }, milliseconds);
  return found;
}

// Whether the window was destroyed in time.
inline bool WaitUntilGone(HWND window, int milliseconds = kUiWaitMs) {
  return WaitFor([window] { return !IsWindow(window); }, milliseconds);
}

inline std::wstring ClassNameOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

inline std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), int(text.size()))));
  return text;
}
inline std::wstring ItemText(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }
inline void SetItemText(HWND dialog, int id, const std::wstring& text) {
  SetDlgItemTextW(dialog, id, text.c_str());
}

// The texts of the window's children (a message box's text is one of them).
inline std::vector<std::wstring> ChildTexts(HWND window) {
  std::vector<std::wstring> texts;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM data) CALLBACK -> BOOL {
        reinterpret_cast<std::vector<std::wstring>*>(data)->push_back(TextOf(child));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  return texts;
}

// A user's click: radio buttons and check boxes are worked synchronously
// (they toggle and tell the dialog); a button that opens or ends a dialog
// is posted, or the driver would wait on the dialog it opens.
inline void Select(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
inline void Press(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
// The command a button sends, sent or posted without the button, which
// reaches the dialog whatever state the button shows.
inline void SendCommand(HWND dialog, int id) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
inline void PostCommand(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// What a window shows on the screen, kept as a 24-bit BMP file.
inline void KeepPicture(HWND window, const std::filesystem::path& file) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(300);
  RECT rect;
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const DWORD stride = ((width * 3 + 3) / 4) * 4;
  std::string pixels(stride * height, '\0');
  GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
            DIB_RGB_COLORS);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info;
  header.bfSize = header.bfOffBits + DWORD(pixels.size());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(pixels.data(), std::streamsize(pixels.size()));
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}
