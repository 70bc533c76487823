// The common code tables of the device description library: each code has a
// display name and an English name. The English name is what map files store;
// this library carries no translations, so both names are the same text.
// Names match exactly (case matters: "mPa" and "MPa" are different units).
//
// Every operation returns 0 on success and kConversionNotFound otherwise; a
// failed lookup empties its out string and leaves an out code unchanged.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "outside/CodeTable.h"

namespace ravelin {

constexpr int32_t kConversionNotFound = 1;

class CCommonConversions {
 public:
  CCommonConversions();
  // Not virtual: the tables derived from this class add no members.
  ~CCommonConversions();
  CCommonConversions(const CCommonConversions&) = delete;
  CCommonConversions& operator=(const CCommonConversions&) = delete;

  virtual int32_t GetCode(uint16_t& code, const std::wstring& englishName) const;
  virtual int32_t GetName(uint16_t code, std::wstring& name) const;
  virtual int32_t GetEnglishName(uint16_t code, std::wstring& englishName) const;
  virtual int32_t GetNameFromEnglishName(std::wstring& name,
                                         const std::wstring& englishName) const;

 protected:
  // The built-in tables share one table, built once per process.
  explicit CCommonConversions(const CodeTable& builtIn);

  // Adds an item to this object's table. `nameId` would pick a translated
  // name in a localised library; here the given name is used as it is.
  void AddAnItemToList(uint16_t code, int32_t nameId, const std::wstring& name);

 private:
  const CodeTable* table_;
  std::unique_ptr<CodeTable> own_;  // made on the first AddAnItemToList
};

}  // namespace ravelin
