#include "platform/win32/ExceptionBoundary.h"

#include <exception>
#include <string>

#include "base/Text.h"

namespace ravelin::win32 {

void ShowCurrentException(HWND owner) noexcept {
  std::wstring what;
  try {
    throw;
  } catch (const std::exception& error) {
    try {
      what = FromUtf8(error.what());
    } catch (...) {
    }
  } catch (...) {
  }
  MessageBoxW(owner, what.empty() ? L"Unexpected failure." : what.c_str(), L"Ravelin",
              MB_OK | MB_ICONERROR);
}

}  // namespace ravelin::win32
