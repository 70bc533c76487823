#include "entry/win32/FenletLaunchInterface.h"

#include <exception>
#include <new>
#include <string>

#include "entry/LaunchDispatch.h"
#include "entry/win32/Module.h"
#include "entry/win32/PluginTools.h"

namespace ravelin::win32 {
namespace {

// The type information of IFenletLaunchInterface from the DLL's own TYPELIB
// resource, so that dispatch works whether or not the library is registered.
HRESULT LoadTypeInfo(ITypeInfo** info) {
  *info = nullptr;
  ITypeLib* lib = nullptr;
  HRESULT hr = LoadTypeLibEx(ThisModulePath().c_str(), REGKIND_NONE, &lib);
  if (FAILED(hr)) return hr;
  hr = lib->GetTypeInfoOfGuid(IID_IFenletLaunchInterface, info);
  lib->Release();
  return hr;
}

std::wstring FromBstr(BSTR text) {
  return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

}  // namespace

HRESULT CFenletLaunchInterface::Create(IUnknown* outer, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (outer && !IsEqualIID(riid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  try {
    ITypeInfo* typeInfo = nullptr;
    HRESULT hr = LoadTypeInfo(&typeInfo);
    if (FAILED(hr)) return hr;
    auto* object = new (std::nothrow) CFenletLaunchInterface(outer, typeInfo);
    if (!object) {
      typeInfo->Release();
      return E_OUTOFMEMORY;
    }
    // The object starts with one reference; the query adds the caller's.
    hr = object->inner_.QueryInterface(riid, ppv);
    object->inner_.Release();
    return hr;
  } catch (...) {
    return E_OUTOFMEMORY;  // ThisModulePath's string
  }
}

CFenletLaunchInterface::CFenletLaunchInterface(IUnknown* outer, ITypeInfo* typeInfo)
    : inner_(*this), controlling_(outer ? outer : &inner_), typeInfo_(typeInfo) {
  LockModule();
}

CFenletLaunchInterface::~CFenletLaunchInterface() {
  typeInfo_->Release();
  UnlockModule();
}

HRESULT CFenletLaunchInterface::Inner::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown)) {
    *ppv = static_cast<IUnknown*>(this);
  } else if (IsEqualIID(riid, IID_IDispatch) ||
             IsEqualIID(riid, IID_IFenletLaunchInterface)) {
    *ppv = static_cast<IFenletLaunchInterface*>(&object_);
  } else if (IsEqualIID(riid, IID_ISupportErrorInfo)) {
    *ppv = static_cast<ISupportErrorInfo*>(&object_);
  } else {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  static_cast<IUnknown*>(*ppv)->AddRef();
  return S_OK;
}

ULONG CFenletLaunchInterface::Inner::AddRef() {
  return InterlockedIncrement(&object_.references_);
}

ULONG CFenletLaunchInterface::Inner::Release() {
  LONG left = InterlockedDecrement(&object_.references_);
  if (left == 0) delete &object_;
  return left;
}

HRESULT CFenletLaunchInterface::QueryInterface(REFIID riid, void** ppv) {
  return controlling_->QueryInterface(riid, ppv);
}

ULONG CFenletLaunchInterface::AddRef() {
  return controlling_->AddRef();
}

ULONG CFenletLaunchInterface::Release() {
  return controlling_->Release();
}

HRESULT CFenletLaunchInterface::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT CFenletLaunchInterface::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  typeInfo_->AddRef();
  *info = typeInfo_;
  return S_OK;
}

HRESULT CFenletLaunchInterface::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count,
                                              LCID, DISPID* ids) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  return DispGetIDsOfNames(typeInfo_, names, count, ids);
}

HRESULT CFenletLaunchInterface::Invoke(DISPID id, REFIID riid, LCID, WORD flags,
                                       DISPPARAMS* params, VARIANT* result,
                                       EXCEPINFO* exception, UINT* argError) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  return DispInvoke(static_cast<IFenletLaunchInterface*>(this), typeInfo_, id, flags,
                    params, result, exception, argError);
}

HRESULT CFenletLaunchInterface::launchFenlet(BSTR operation, BSTR tarndata) {
  // No C++ exception may reach the host.
  try {
    PluginTools tools;
    LaunchFenlet(FromBstr(operation), FromBstr(tarndata), tools);
  } catch (const std::exception& e) {
    OutputDebugStringA("ravelin: launchFenlet failed: ");
    OutputDebugStringA(e.what());
    OutputDebugStringA("\n");
  } catch (...) {
    OutputDebugStringA("ravelin: launchFenlet failed\n");
  }
  return S_OK;
}

HRESULT CFenletLaunchInterface::InterfaceSupportsErrorInfo(REFIID riid) {
  return IsEqualIID(riid, IID_IFenletLaunchInterface) ? S_OK : S_FALSE;
}

}  // namespace ravelin::win32
