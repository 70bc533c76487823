#include "outside/CommonConversions.h"

namespace ravelin {
namespace {

const CodeTable& EmptyTable() {
  static const CodeTable table;
  return table;
}

}  // namespace

CCommonConversions::CCommonConversions() : table_(&EmptyTable()) {}

CCommonConversions::CCommonConversions(const CodeTable& builtIn)
    : table_(&builtIn) {}

CCommonConversions::~CCommonConversions() = default;

void CCommonConversions::AddAnItemToList(uint16_t code, int32_t /*nameId*/,
                                         const std::wstring& name) {
  if (!own_) {
    own_ = std::make_unique<CodeTable>(*table_);
    table_ = own_.get();
  }
  own_->Add(code, name);
}

int32_t CCommonConversions::GetCode(uint16_t& code,
                                    const std::wstring& englishName) const {
  const uint16_t* found = table_->CodeOf(englishName);
  if (!found) return kConversionNotFound;
  code = *found;
  return 0;
}

int32_t CCommonConversions::GetName(uint16_t code, std::wstring& name) const {
  const std::wstring* found = table_->NameOf(code);
  name = found ? *found : std::wstring();
  return found ? 0 : kConversionNotFound;
}

int32_t CCommonConversions::GetEnglishName(uint16_t code,
                                           std::wstring& englishName) const {
  return GetName(code, englishName);
}

int32_t CCommonConversions::GetNameFromEnglishName(
    std::wstring& name, const std::wstring& englishName) const {
  uint16_t code = 0;
  if (GetCode(code, englishName) != 0) {
    name.clear();
    return kConversionNotFound;
  }
  return GetName(code, name);
}

}  // namespace ravelin
