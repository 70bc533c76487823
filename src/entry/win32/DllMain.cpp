// The DLL's entry points: DllMain, the class factory, the lock count and the
// four exports (named undecorated in ravelin.def).
#include <windows.h>
#include <ole2.h>

#include <new>

#include "Ravelin_h.h"
#include "entry/win32/FenletLaunchInterface.h"
#include "entry/win32/Module.h"
#include "entry/win32/Registrar.h"

namespace ravelin::win32 {
namespace {

LONG g_locks = 0;

// One static factory; like the module's other static data it does not hold
// the DLL, a client that keeps it calls LockServer.
class ClassFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *ppv = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid,
                                           void** ppv) override {
    return CFenletLaunchInterface::Create(outer, riid, ppv);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      LockModule();
    } else {
      UnlockModule();
    }
    return S_OK;
  }
};

ClassFactory g_factory;

}  // namespace

void LockModule() { InterlockedIncrement(&g_locks); }
void UnlockModule() { InterlockedDecrement(&g_locks); }

}  // namespace ravelin::win32

using namespace ravelin::win32;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (!IsEqualCLSID(rclsid, CLSID_FenletLaunchInterface))
    return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow() {
  return InterlockedCompareExchange(&g_locks, 0, 0) == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
  return RegisterServer();
}

STDAPI DllUnregisterServer() {
  return UnregisterServer();
}
