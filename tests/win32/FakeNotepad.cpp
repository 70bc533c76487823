// Stands in for notepad.exe in a test host root: records the file it was
// asked to open in viewer.log beside itself, then exits.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
  wchar_t self[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring log(self, length);
  log = log.substr(0, log.find_last_of(L"\\/") + 1) + L"viewer.log";
  const std::wstring opened = argc > 1 ? argv[1] : L"";
  std::string line(opened.size() * 4 + 1, '\0');
  line.resize(WideCharToMultiByte(CP_UTF8, 0, opened.c_str(), int(opened.size()), line.data(),
                                  int(line.size()), nullptr, nullptr));
  line += '\n';
  FILE* file = _wfopen(log.c_str(), L"ab");
  if (!file) return 1;
  fwrite(line.data(), 1, line.size(), file);
  fclose(file);
  return 0;
}
