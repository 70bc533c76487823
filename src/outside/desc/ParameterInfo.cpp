#include "outside/desc/ParameterInfo.h"

#include <algorithm>
#include <cstring>

#include "base/Text.h"
#include "outside/comm/VelkToolkit.h"
#include "outside/desc/Formula.h"
#include "outside/desc/LumendescBase.h"
#include "outside/desc/MapFile.h"

namespace ravelin {

CParameterInfo::CParameterInfo(CLumendescBase* device)
    : m_pMapFile(device ? device->m_pMapFile : nullptr),
      m_pToolkit(device ? device->m_pToolkit : nullptr) {}

int32_t CParameterInfo::GetDefaultParameterValue(wchar_t* buffer, size_t size) {
  if (!m_pMapFile || !buffer || size == 0) return kDescNotFound;
  std::wstring text;
  if (m_nVarType == kVtR4) {
    double value = 0;
    if (m_pMapFile->GetDefaultParamValue(m_strCommonName, kVtR4, &value, 0) != 0) {
      return kDescNotFound;
    }
    text = Format(L"%f", value);
  } else {
    int32_t value = 0;
    if (m_pMapFile->GetDefaultParamValue(m_strCommonName, kVtI4, &value, 0) != 0) {
      return kDescNotFound;
    }
    text = Format(L"%d", value);
  }
  const size_t n = std::min(text.size(), size - 1);
  std::copy_n(text.data(), n, buffer);
  buffer[n] = L'\0';
  return 0;
}

int32_t CParameterInfo::GetFormulaResults(int32_t* result) {
  std::wstring formula;
  if (!m_pMapFile || m_pMapFile->GetFormula(m_strCommonName, formula) != 0) {
    return kDescNotFound;
  }
  const auto value = EvaluateFormula(formula, [this](const std::wstring& path)
                                                  -> std::optional<int64_t> {
    CVelkResult read;
    if (!m_pToolkit || m_pToolkit->Get(path + L"!value", read) < 0) return std::nullopt;
    const uint16_t vt = read.m_var.GetVT();
    if (vt != kVtI4 && vt != kVtR4 && vt != kVtR8) return std::nullopt;
    return read.m_var.GetVT_I4();
  });
  if (!value) return kDescNotFound;
  *result = *value;
  return 0;
}

int32_t CParameterInfo::GetValueFromResult2(const CVelkResult& result, int32_t varType,
                                            void* buffer, size_t size) {
  if (result.m_status < 0 || !buffer) return kDescNotFound;
  const uint16_t vt = result.m_var.GetVT();
  const bool number = vt == kVtI4 || vt == kVtR4 || vt == kVtR8;
  switch (varType) {
    case kVtI4: {
      if (!number || size < sizeof(int32_t)) return kDescNotFound;
      const int32_t value = result.m_var.GetVT_I4();
      std::memcpy(buffer, &value, sizeof value);
      return 0;
    }
    case kVtR4: {
      if (!number || size < sizeof(float)) return kDescNotFound;
      const float value = result.m_var.GetVT_R4();
      std::memcpy(buffer, &value, sizeof value);
      return 0;
    }
    case kVtBstr: {
      if (vt != kVtBstr || size == 0) return kDescNotFound;
      const std::wstring& text = result.m_var.GetVT_BSTRW();
      wchar_t* out = static_cast<wchar_t*>(buffer);
      const size_t n = std::min(text.size(), size - 1);
      std::copy_n(text.data(), n, out);
      out[n] = L'\0';
      return 0;
    }
    default:
      return kDescNotFound;
  }
}

}  // namespace ravelin
