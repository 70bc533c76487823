// For the tests that call the plug-in through its COM entry point.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "Ravelin_h.h"

// Loads the plug-in DLL named by `DllPath()` and creates its class through
// the class factory, as the host does.
class PluginTest : public ::testing::Test {
 protected:
  virtual const std::wstring& DllPath() const = 0;

  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    module_ = LoadLibraryW(DllPath().c_str());
    ASSERT_NE(module_, nullptr);
    auto getClassObject = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    ASSERT_NE(getClassObject, nullptr);
    IClassFactory* factory = nullptr;
    ASSERT_EQ(getClassObject(CLSID_FenletLaunchInterface, IID_IClassFactory,
                             reinterpret_cast<void**>(&factory)), S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IFenletLaunchInterface,
                                      reinterpret_cast<void**>(&plugin_)), S_OK);
    factory->Release();
  }
  void TearDown() override {
    if (plugin_) plugin_->Release();
    CoUninitialize();
  }

  HMODULE module_ = nullptr;
  IFenletLaunchInterface* plugin_ = nullptr;
};
