#include "entry/win32/Module.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace ravelin::win32 {

HMODULE ThisModule() {
  return reinterpret_cast<HMODULE>(&__ImageBase);
}

std::wstring ThisModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD size = static_cast<DWORD>(path.size());
    DWORD length = GetModuleFileNameW(ThisModule(), path.data(), size);
    if (length == 0) return {};
    // A full buffer may mean a cut path: try again with more room.
    if (length < size) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace ravelin::win32
