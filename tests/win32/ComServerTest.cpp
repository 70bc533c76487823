// ravelin.dll loaded as a plain library: the exports, the class factory, the
// object's interfaces, aggregation, dispatch and the identities in the
// type library and resources that the host binds to.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "Ravelin_h.h"

namespace {

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

std::wstring DllPath() {
  std::string path = RAVELIN_DLL_PATH;
  std::wstring wide(path.begin(), path.end());
  if (!wide.empty() && wide[0] == L'/') wide = L"Z:" + wide;  // Wine's root drive
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  return wide;
}

// A sentinel that a refused call must overwrite with null.
void* const kSentinel = reinterpret_cast<void*>(0x5a5a5a5a);

class ComServer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
  static void TearDownTestSuite() { CoUninitialize(); }

  void SetUp() override {
    module_ = LoadLibraryW(DllPath().c_str());
    ASSERT_NE(module_, nullptr) << "cannot load ravelin.dll, error " << GetLastError();
    getClassObject_ = reinterpret_cast<GetClassObjectFn>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    canUnloadNow_ = reinterpret_cast<CanUnloadNowFn>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow")));
    ASSERT_NE(getClassObject_, nullptr);
    ASSERT_NE(canUnloadNow_, nullptr);
    void* factory = kSentinel;
    ASSERT_EQ(getClassObject_(CLSID_FenletLaunchInterface, IID_IClassFactory, &factory), S_OK);
    factory_ = static_cast<IClassFactory*>(factory);
  }

  void TearDown() override {
    if (factory_) factory_->Release();
    if (module_) FreeLibrary(module_);
  }

  IFenletLaunchInterface* Create() {
    void* object = nullptr;
    EXPECT_EQ(factory_->CreateInstance(nullptr, IID_IFenletLaunchInterface, &object), S_OK);
    return static_cast<IFenletLaunchInterface*>(object);
  }

  HMODULE module_ = nullptr;
  GetClassObjectFn getClassObject_ = nullptr;
  CanUnloadNowFn canUnloadNow_ = nullptr;
  IClassFactory* factory_ = nullptr;
};

// The file the plug-in's tools append their launch lines to.
class LaunchTrace {
 public:
  LaunchTrace() {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    path_ = std::wstring(dir) + L"ravelin-com-test-trace.txt";
    DeleteFileW(path_.c_str());
    SetEnvironmentVariableW(L"RAVELIN_LAUNCH_TRACE", path_.c_str());
  }
  ~LaunchTrace() {
    SetEnvironmentVariableW(L"RAVELIN_LAUNCH_TRACE", nullptr);
    DeleteFileW(path_.c_str());
  }
  std::string Read() const {
    std::string text;
    if (FILE* file = _wfopen(path_.c_str(), L"rb")) {
      char buffer[512];
      size_t got;
      while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
      fclose(file);
    }
    return text;
  }

 private:
  std::wstring path_;
};

// An outer object that counts its references and answers only IUnknown.
class Outer final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, IID_IUnknown)) {
      *ppv = this;
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }

  ULONG references = 1;
};

BSTR Bstr(const wchar_t* text) { return SysAllocString(text); }

TEST_F(ComServer, ClassObjectOnlyForOurClass) {
  const CLSID other = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
  void* object = kSentinel;
  EXPECT_EQ(getClassObject_(other, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
  // IID and CLSID swapped: still another class.
  object = kSentinel;
  EXPECT_EQ(getClassObject_(IID_IFenletLaunchInterface, IID_IClassFactory, &object),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
  object = kSentinel;
  EXPECT_EQ(getClassObject_(CLSID_FenletLaunchInterface, IID_IDispatch, &object),
            E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(getClassObject_(CLSID_FenletLaunchInterface, IID_IClassFactory, nullptr),
            E_POINTER);
}

TEST_F(ComServer, CanUnloadOnlyWithoutObjectsAndLocks) {
  EXPECT_EQ(canUnloadNow_(), S_OK);
  IFenletLaunchInterface* first = Create();
  ASSERT_NE(first, nullptr);
  IFenletLaunchInterface* second = Create();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(canUnloadNow_(), S_FALSE);
  first->Release();
  EXPECT_EQ(canUnloadNow_(), S_FALSE);
  // A reference taken through another interface keeps the object alive.
  void* errorInfo = nullptr;
  ASSERT_EQ(second->QueryInterface(IID_ISupportErrorInfo, &errorInfo), S_OK);
  second->Release();
  EXPECT_EQ(canUnloadNow_(), S_FALSE);
  static_cast<ISupportErrorInfo*>(errorInfo)->Release();
  EXPECT_EQ(canUnloadNow_(), S_OK);

  EXPECT_EQ(factory_->LockServer(TRUE), S_OK);
  EXPECT_EQ(canUnloadNow_(), S_FALSE);
  EXPECT_EQ(factory_->LockServer(FALSE), S_OK);
  EXPECT_EQ(canUnloadNow_(), S_OK);
}

TEST_F(ComServer, InterfacesOfThePlainObject) {
  IFenletLaunchInterface* object = Create();
  ASSERT_NE(object, nullptr);
  void* dispatch = nullptr;
  void* unknown = nullptr;
  ASSERT_EQ(object->QueryInterface(IID_IDispatch, &dispatch), S_OK);
  ASSERT_EQ(object->QueryInterface(IID_IUnknown, &unknown), S_OK);
  EXPECT_EQ(dispatch, static_cast<void*>(object));
  static_cast<IUnknown*>(dispatch)->Release();

  void* other = kSentinel;
  EXPECT_EQ(object->QueryInterface(IID_IPersist, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  other = kSentinel;
  EXPECT_EQ(object->QueryInterface(IID_IClassFactory, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);

  void* errorInfo = nullptr;
  ASSERT_EQ(object->QueryInterface(IID_ISupportErrorInfo, &errorInfo), S_OK);
  auto* support = static_cast<ISupportErrorInfo*>(errorInfo);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IFenletLaunchInterface), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IUnknown), S_FALSE);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ISupportErrorInfo), S_FALSE);
  // Every interface leads back to the same identity.
  void* again = nullptr;
  ASSERT_EQ(support->QueryInterface(IID_IUnknown, &again), S_OK);
  EXPECT_EQ(again, unknown);
  static_cast<IUnknown*>(again)->Release();
  support->Release();
  static_cast<IUnknown*>(unknown)->Release();
  EXPECT_EQ(object->Release(), 0u);
}

TEST_F(ComServer, Aggregation) {
  Outer outer;
  void* refused = kSentinel;
  EXPECT_EQ(factory_->CreateInstance(&outer, IID_IFenletLaunchInterface, &refused),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(refused, nullptr);
  EXPECT_EQ(canUnloadNow_(), S_OK);

  void* innerPointer = nullptr;
  ASSERT_EQ(factory_->CreateInstance(&outer, IID_IUnknown, &innerPointer), S_OK);
  auto* inner = static_cast<IUnknown*>(innerPointer);
  EXPECT_EQ(outer.references, 1u);

  // The inner unknown answers for the object without involving the outer,
  // and IUnknown from it is the inner unknown itself.
  void* self = nullptr;
  ASSERT_EQ(inner->QueryInterface(IID_IUnknown, &self), S_OK);
  EXPECT_EQ(self, innerPointer);
  inner->Release();
  void* launch = nullptr;
  ASSERT_EQ(inner->QueryInterface(IID_IFenletLaunchInterface, &launch), S_OK);
  auto* plugin = static_cast<IFenletLaunchInterface*>(launch);
  EXPECT_EQ(outer.references, 2u) << "the handed-out interface must count on the outer";

  // The object's own interfaces delegate to the outer object.
  void* identity = nullptr;
  ASSERT_EQ(plugin->QueryInterface(IID_IUnknown, &identity), S_OK);
  EXPECT_EQ(identity, static_cast<void*>(&outer));
  EXPECT_EQ(outer.references, 3u);
  outer.Release();
  plugin->AddRef();
  EXPECT_EQ(outer.references, 3u);
  plugin->Release();
  plugin->Release();
  EXPECT_EQ(outer.references, 1u);
  EXPECT_EQ(canUnloadNow_(), S_FALSE);

  EXPECT_EQ(inner->Release(), 0u);
  EXPECT_EQ(canUnloadNow_(), S_OK);
}

TEST_F(ComServer, DispatchThroughTheTypeLibrary) {
  IFenletLaunchInterface* object = Create();
  ASSERT_NE(object, nullptr);
  UINT count = 0;
  EXPECT_EQ(object->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);
  ITypeInfo* info = reinterpret_cast<ITypeInfo*>(kSentinel);
  EXPECT_EQ(object->GetTypeInfo(1, 0, &info), DISP_E_BADINDEX);
  EXPECT_EQ(info, nullptr);

  struct NameCase {
    const wchar_t* name;
    HRESULT result;
    DISPID id;
  };
  const NameCase names[] = {
      {L"launchFenlet", S_OK, 1},
      {L"LAUNCHFENLET", S_OK, 1},
      {L"launch", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},
  };
  for (const NameCase& c : names) {
    LPOLESTR name = const_cast<LPOLESTR>(c.name);
    DISPID id = 12345;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, &name, 1, 0x0409, &id), c.result) << c.name;
    EXPECT_EQ(id, c.id) << c.name;
  }

  LaunchTrace trace;
  // Arguments go in reverse order: rgvarg[1] is the operation.
  VARIANT args[2];
  VariantInit(&args[0]);
  VariantInit(&args[1]);
  args[0].vt = VT_BSTR;
  args[0].bstrVal = Bstr(L"<PLANTSERVERNAME>S9</PLANTSERVERNAME>");
  args[1].vt = VT_BSTR;
  args[1].bstrVal = Bstr(L"3");
  DISPPARAMS params = {args, nullptr, 2, 0};
  VARIANT result;
  VariantInit(&result);
  EXPECT_EQ(object->Invoke(1, IID_NULL, 0x0409, DISPATCH_METHOD, &params, &result, nullptr,
                           nullptr),
            S_OK);
  // A script passes numbers; the type information turns them into text.
  VariantClear(&args[1]);
  args[1].vt = VT_I4;
  args[1].lVal = 0;
  EXPECT_EQ(object->Invoke(1, IID_NULL, 0x0409, DISPATCH_METHOD, &params, &result, nullptr,
                           nullptr),
            S_OK);
  params.cArgs = 1;
  params.rgvarg = &args[0];
  UINT argError = 0;
  EXPECT_EQ(object->Invoke(1, IID_NULL, 0x0409, DISPATCH_METHOD, &params, &result, nullptr,
                           &argError),
            DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(object->Invoke(2, IID_NULL, 0x0409, DISPATCH_METHOD, &params, &result, nullptr,
                           nullptr),
            DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(object->Invoke(1, IID_IDispatch, 0x0409, DISPATCH_METHOD, &params, &result,
                           nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
  VariantClear(&args[0]);

  // Through the vtable: a null operation is empty text, which is operation 0;
  // null launch data is empty.
  BSTR data = Bstr(L"<TARNTAG>PT-1</TARNTAG><PLANTSERVERNAME>S9</PLANTSERVERNAME>");
  BSTR seven = Bstr(L"7");
  EXPECT_EQ(object->launchFenlet(nullptr, data), S_OK);
  EXPECT_EQ(object->launchFenlet(seven, nullptr), S_OK);
  SysFreeString(data);
  SysFreeString(seven);

  EXPECT_EQ(trace.Read(), "op=3 server=S9\nop=0 server=S9 tag=\nop=0 server=S9 tag=PT-1\n");
  object->Release();
}

// The identities the host registers against, as the DLL carries them.
TEST_F(ComServer, TypeLibraryAndResources) {
  ITypeLib* lib = nullptr;
  ASSERT_EQ(LoadTypeLibEx(DllPath().c_str(), REGKIND_NONE, &lib), S_OK);
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
  EXPECT_TRUE(IsEqualGUID(attr->guid, LIBID_RavelinLib));
  EXPECT_EQ(attr->wMajorVerNum, 1);
  EXPECT_EQ(attr->wMinorVerNum, 0);
  EXPECT_EQ(attr->lcid, 0x0409u);
  lib->ReleaseTLibAttr(attr);

  struct DocCase {
    const GUID* guid;  // null: the library
    const wchar_t* name;
    const wchar_t* help;
  };
  const DocCase docs[] = {
      {nullptr, L"RavelinLib", L"Ravelin 1.0 Type Library"},
      {&IID_IFenletLaunchInterface, L"IFenletLaunchInterface",
       L"IFenletLaunchInterface Interface"},
      {&CLSID_FenletLaunchInterface, L"FenletLaunchInterface", L"FenletLaunchInterface Class"},
  };
  for (const DocCase& c : docs) {
    BSTR name = nullptr;
    BSTR help = nullptr;
    if (!c.guid) {
      ASSERT_EQ(lib->GetDocumentation(-1, &name, &help, nullptr, nullptr), S_OK);
    } else {
      ITypeInfo* info = nullptr;
      ASSERT_EQ(lib->GetTypeInfoOfGuid(*c.guid, &info), S_OK) << c.name;
      ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, &name, &help, nullptr, nullptr), S_OK);
      info->Release();
    }
    EXPECT_STREQ(name, c.name);
    EXPECT_STREQ(help, c.help);
    SysFreeString(name);
    SysFreeString(help);
  }

  ITypeInfo* info = nullptr;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(IID_IFenletLaunchInterface, &info), S_OK);
  TYPEATTR* type = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&type), S_OK);
  EXPECT_EQ(type->typekind, TKIND_DISPATCH);
  EXPECT_EQ(type->wTypeFlags & TYPEFLAG_FDUAL, TYPEFLAG_FDUAL);
  info->ReleaseTypeAttr(type);
  // The dual interface's vtable half: what a client binds to directly.
  HREFTYPE vtableRef = 0;
  ITypeInfo* vtable = nullptr;
  ASSERT_EQ(info->GetRefTypeOfImplType(-1, &vtableRef), S_OK);
  ASSERT_EQ(info->GetRefTypeInfo(vtableRef, &vtable), S_OK);
  ASSERT_EQ(vtable->GetTypeAttr(&type), S_OK);
  EXPECT_EQ(type->typekind, TKIND_INTERFACE);
  EXPECT_EQ(type->wTypeFlags & (TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION),
            TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION) << type->wTypeFlags;
  EXPECT_EQ(type->cFuncs, 1);  // launchFenlet after the inherited seven
  EXPECT_EQ(type->cbSizeVft, 8 * sizeof(void*));
  vtable->ReleaseTypeAttr(type);
  vtable->Release();
  BSTR help = nullptr;
  ASSERT_EQ(info->GetDocumentation(1, nullptr, &help, nullptr, nullptr), S_OK);
  EXPECT_STREQ(help, L"method launchFenlet");
  SysFreeString(help);
  info->Release();
  lib->Release();

  wchar_t text[64];
  ASSERT_GT(LoadStringW(module_, 100, text, 64), 0);
  EXPECT_STREQ(text, L"Ravelin");
  ASSERT_GT(LoadStringW(module_, 102, text, 64), 0);
  EXPECT_STREQ(text, L"FenletLaunchInterface Class");

  // The registration script names the class the type library describes.
  HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(103), L"REGISTRY");
  ASSERT_NE(found, nullptr);
  std::string script(static_cast<const char*>(LockResource(LoadResource(module_, found))),
                     SizeofResource(module_, found));
  wchar_t clsid[40];
  ASSERT_GT(StringFromGUID2(CLSID_FenletLaunchInterface, clsid, 40), 0);
  std::string narrow(clsid, clsid + wcslen(clsid));
  size_t uses = 0;
  for (size_t at = script.find(narrow); at != std::string::npos;
       at = script.find(narrow, at + 1))
    ++uses;
  EXPECT_EQ(uses, 3u) << script;
}

}  // namespace
