#include "entry/win32/Registrar.h"

#include <oleauto.h>

#include <exception>
#include <new>
#include <string>
#include <vector>

#include "base/Text.h"
#include "entry/RegistryScript.h"
#include "entry/win32/Module.h"
#include "entry/win32/resource.h"

namespace ravelin::win32 {
namespace {

HKEY RootKey(const std::wstring& name) {
  if (name == L"HKCR") return HKEY_CLASSES_ROOT;
  if (name == L"HKCU") return HKEY_CURRENT_USER;
  if (name == L"HKLM") return HKEY_LOCAL_MACHINE;
  if (name == L"HKU") return HKEY_USERS;
  return HKEY_CURRENT_CONFIG;
}

// Removing what is already gone succeeds.
bool IsDone(const RegistryStep& step, LSTATUS status) {
  if (status == ERROR_SUCCESS) return true;
  bool absent = status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
  return absent && step.kind != RegistryStep::Kind::CreateKey &&
         step.kind != RegistryStep::Kind::SetString;
}

LSTATUS DeleteKeyIfEmpty(HKEY root, const std::wstring& path) {
  HKEY key;
  LSTATUS status = RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key);
  if (status != ERROR_SUCCESS) return status;
  DWORD subkeys = 0;
  status = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                            nullptr, nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || subkeys != 0) return status;
  return RegDeleteKeyW(root, path.c_str());
}

LSTATUS Apply(const RegistryStep& step) {
  HKEY root = RootKey(step.root);
  const wchar_t* path = step.path.c_str();
  switch (step.kind) {
    case RegistryStep::Kind::DeleteTree:
      return RegDeleteTreeW(root, path);
    case RegistryStep::Kind::CreateKey: {
      HKEY key;
      LSTATUS status = RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_WRITE, nullptr,
                                       &key, nullptr);
      if (status == ERROR_SUCCESS) RegCloseKey(key);
      return status;
    }
    case RegistryStep::Kind::SetString: {
      DWORD bytes = static_cast<DWORD>((step.data.size() + 1) * sizeof(wchar_t));
      return RegSetKeyValueW(root, path, step.valueName.c_str(), REG_SZ,
                             step.data.c_str(), bytes);
    }
    case RegistryStep::Kind::DeleteValue:
      return RegDeleteKeyValueW(root, path, step.valueName.c_str());
    case RegistryStep::Kind::DeleteKeyIfEmpty:
      return DeleteKeyIfEmpty(root, step.path);
  }
  return ERROR_INVALID_FUNCTION;
}

// Carries out every step. With `stopAtFailure` the first failure ends the run.
HRESULT ApplyAll(const std::vector<RegistryStep>& steps, bool stopAtFailure) {
  HRESULT first = S_OK;
  for (const RegistryStep& step : steps) {
    LSTATUS status = Apply(step);
    if (IsDone(step, status)) continue;
    if (first == S_OK) first = HRESULT_FROM_WIN32(status);
    if (stopAtFailure) break;
  }
  return first;
}

HRESULT LoadScript(RegistryScript& script) {
  HMODULE module = ThisModule();
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_FENLETLAUNCHINTERFACE),
                              L"REGISTRY");
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (!bytes) return HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND);
  std::string_view text(bytes, SizeofResource(module, found));
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::wstring error = ParseRegistryScript(
      FromUtf8(text), {{L"MODULE", ThisModulePath()}}, script);
  if (error.empty()) return S_OK;
  OutputDebugStringW((L"ravelin: registration script, " + error + L"\n").c_str());
  return HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
}

HRESULT LoadOwnTypeLib(ITypeLib** lib) {
  return LoadTypeLibEx(ThisModulePath().c_str(), REGKIND_NONE, lib);
}

HRESULT RegisterTypeLibrary() {
  ITypeLib* lib = nullptr;
  HRESULT hr = LoadOwnTypeLib(&lib);
  if (FAILED(hr)) return hr;
  std::wstring path = ThisModulePath();
  // The help folder is named, with its final backslash, as an installer's
  // folder properties give it, so that the installer writes the same value.
  std::wstring folder = path.substr(0, path.find_last_of(L'\\') + 1);
  hr = RegisterTypeLib(lib, path.data(), folder.data());
  lib->Release();
  return hr;
}

HRESULT UnregisterTypeLibrary() {
  ITypeLib* lib = nullptr;
  HRESULT hr = LoadOwnTypeLib(&lib);
  if (FAILED(hr)) return hr;
  TLIBATTR* attr = nullptr;
  hr = lib->GetLibAttr(&attr);
  if (SUCCEEDED(hr)) {
    // Not registered is what unregistering wants; Windows and Wine disagree
    // on the error UnRegisterTypeLib gives then, so ask first.
    BSTR registered = nullptr;
    if (SUCCEEDED(QueryPathOfRegTypeLib(attr->guid, attr->wMajorVerNum,
                                        attr->wMinorVerNum, attr->lcid, &registered))) {
      SysFreeString(registered);
      hr = UnRegisterTypeLib(attr->guid, attr->wMajorVerNum, attr->wMinorVerNum,
                             attr->lcid, attr->syskind);
    }
    lib->ReleaseTLibAttr(attr);
  }
  lib->Release();
  return hr;
}

HRESULT FromException() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace

HRESULT RegisterServer() {
  try {
    RegistryScript script;
    HRESULT hr = LoadScript(script);
    if (FAILED(hr)) return hr;
    hr = ApplyAll(PlanRegistration(script), true);
    if (SUCCEEDED(hr)) hr = RegisterTypeLibrary();
    if (FAILED(hr)) ApplyAll(PlanUnregistration(script), false);
    return hr;
  } catch (...) {
    return FromException();
  }
}

HRESULT UnregisterServer() {
  try {
    RegistryScript script;
    HRESULT hr = LoadScript(script);
    if (FAILED(hr)) return hr;
    hr = ApplyAll(PlanUnregistration(script), false);
    HRESULT typeLib = UnregisterTypeLibrary();
    return FAILED(hr) ? hr : typeLib;
  } catch (...) {
    return FromException();
  }
}

}  // namespace ravelin::win32
