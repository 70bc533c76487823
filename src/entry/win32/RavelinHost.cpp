// ravelin-host: a stand-in for the host application. Creates the plug-in's
// class by its ProgID through COM and calls launchFenlet once.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <string>

#include "Ravelin_h.h"
#include "base/Text.h"

namespace {

const char kUsage[] =
    "usage: ravelin-host OPERATION [LAUNCH-DATA | @FILE]\n"
    "\n"
    "Creates Ravelin.FenletLaunchInterface through COM (ravelin.dll must be\n"
    "registered with regsvr32) and calls launchFenlet(OPERATION, LAUNCH-DATA).\n"
    "@FILE reads the launch data from a UTF-8 file. Operations: 0 tests one\n"
    "device, 1 runs the map file wizard, 2 creates test devices, 3 runs the\n"
    "batch tester. Exits 0 when launchFenlet returns S_OK.\n";

void PrintFailure(const char* what, HRESULT hr, const char* hint = nullptr) {
  std::string text;
  wchar_t* message = nullptr;
  if (FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                         FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, static_cast<DWORD>(hr), 0,
                     reinterpret_cast<wchar_t*>(&message), 0, nullptr) && message) {
    text = ravelin::ToUtf8(message);
    LocalFree(message);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
      text.pop_back();
  }
  std::fprintf(stderr, "ravelin-host: %s failed: 0x%08lX%s%s\n", what,
               static_cast<unsigned long>(hr), text.empty() ? "" : " ", text.c_str());
  if (hint) std::fprintf(stderr, "ravelin-host: %s\n", hint);
}

bool ReadLaunchFile(const std::wstring& path, std::wstring& data) {
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (!file) return false;
  std::string bytes;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  bool ok = !std::ferror(file);
  std::fclose(file);
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  data = ravelin::FromUtf8(bytes);
  return ok;
}

// Creates the class and calls launchFenlet; COM is initialised around it.
int Launch(const std::wstring& operation, const std::wstring& data) {
  const char kNotRegistered[] =
      "Ravelin.FenletLaunchInterface is not registered; run regsvr32 ravelin.dll";
  CLSID clsid;
  HRESULT hr = CLSIDFromProgID(L"Ravelin.FenletLaunchInterface", &clsid);
  if (FAILED(hr)) {
    PrintFailure("looking up Ravelin.FenletLaunchInterface", hr, kNotRegistered);
    return 1;
  }
  IFenletLaunchInterface* plugin = nullptr;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IFenletLaunchInterface,
                        reinterpret_cast<void**>(&plugin));
  if (FAILED(hr)) {
    PrintFailure("creating Ravelin.FenletLaunchInterface", hr,
                 hr == REGDB_E_CLASSNOTREG ? kNotRegistered : nullptr);
    return 1;
  }
  BSTR op = SysAllocStringLen(operation.data(), static_cast<UINT>(operation.size()));
  BSTR launchData = SysAllocStringLen(data.data(), static_cast<UINT>(data.size()));
  if (!op || !launchData) {
    hr = E_OUTOFMEMORY;
  } else {
    hr = plugin->launchFenlet(op, launchData);
  }
  SysFreeString(op);
  SysFreeString(launchData);
  plugin->Release();
  std::printf("launchFenlet returned 0x%08lX\n", static_cast<unsigned long>(hr));
  return hr == S_OK ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 2 && (std::wstring(argv[1]) == L"--help" || std::wstring(argv[1]) == L"/?")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc < 2 || argc > 3) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::wstring data;
  if (argc == 3) {
    std::wstring argument = argv[2];
    if (argument.starts_with(L'@')) {
      if (!ReadLaunchFile(argument.substr(1), data)) {
        std::fprintf(stderr, "ravelin-host: cannot read launch data file %s\n",
                     ravelin::ToUtf8(argument.substr(1)).c_str());
        return 1;
      }
    } else {
      data = argument;
    }
  }
  HRESULT hr = CoInitialize(nullptr);
  if (FAILED(hr)) {
    PrintFailure("CoInitialize", hr);
    return 1;
  }
  int status = Launch(argv[1], data);
  CoUninitialize();
  return status;
}
