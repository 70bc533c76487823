// CFenletLaunchInterface, the plug-in's one COM class: IFenletLaunchInterface
// dispatched through the type library, ISupportErrorInfo, aggregatable.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "Ravelin_h.h"

namespace ravelin::win32 {

class CFenletLaunchInterface final : public IFenletLaunchInterface,
                                     public ISupportErrorInfo {
 public:
  // The class factory's CreateInstance. With `outer`, the object is
  // aggregated and `riid` must be IID_IUnknown (the inner unknown).
  static HRESULT Create(IUnknown* outer, REFIID riid, void** ppv);

  // IUnknown, delegating to the outer object when aggregated.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch over the type information of RavelinLib.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count,
                                          LCID lcid, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                   DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argError) override;

  // Always S_OK: the tools report their own failures.
  HRESULT STDMETHODCALLTYPE launchFenlet(BSTR operation, BSTR tarndata) override;

  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

 private:
  // The non-delegating unknown: owns the reference count and answers
  // QueryInterface for the object itself.
  class Inner final : public IUnknown {
   public:
    explicit Inner(CFenletLaunchInterface& object) : object_(object) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

   private:
    CFenletLaunchInterface& object_;
  };

  CFenletLaunchInterface(IUnknown* outer, ITypeInfo* typeInfo);
  ~CFenletLaunchInterface();
  CFenletLaunchInterface(const CFenletLaunchInterface&) = delete;
  CFenletLaunchInterface& operator=(const CFenletLaunchInterface&) = delete;

  Inner inner_;
  IUnknown* controlling_;  // the outer object, or inner_
  LONG references_ = 1;
  ITypeInfo* typeInfo_;
};

}  // namespace ravelin::win32
