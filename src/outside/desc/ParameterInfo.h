// The descriptor of one common parameter of a device: its common name, the
// DD parameter that carries it, its conversion table and value type, and
// the device's map file and toolkit cursor. The checks derive from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace ravelin {

class CCommonConversions;
class CLumendescBase;
class CMapFile;
class IVelkToolkit;
struct CVelkResult;

class CParameterInfo {
 public:
  explicit CParameterInfo(CLumendescBase* device);
  virtual ~CParameterInfo() = default;
  CParameterInfo(const CParameterInfo&) = delete;
  CParameterInfo& operator=(const CParameterInfo&) = delete;

  // The map file's default of this parameter as text (VT_I4 as a decimal
  // number, VT_R4 with "%f"), cut to the buffer of `size` characters.
  // Zero on success.
  virtual int32_t GetDefaultParameterValue(wchar_t* buffer, size_t size);

  int32_t m_nExpectedType = 0;
  std::wstring m_strCommonName;
  int32_t m_nParamCode = 0;
  std::wstring m_strMoniker;
  // The conversion table; created and freed by the derived checker.
  CCommonConversions* m_pConversion = nullptr;
  int32_t m_bNeedsMoniker = 0;
  std::wstring m_strValueSuffix;
  int32_t m_nVarType = 0;
  CMapFile* m_pMapFile;
  IVelkToolkit* m_pToolkit;

 protected:
  // Evaluates the map file's formula of this parameter, reading the device
  // through the toolkit; the result is cut to 32 bits.
  int32_t GetFormulaResults(int32_t* result);

  // A toolkit result as variant type 3 (VT_I4, 4 bytes: int32_t), 4 (VT_R4,
  // 4 bytes: float) or 8 (VT_BSTR into `size` wide characters with the NUL;
  // a longer string is cut). Fails for a failed read, a value of another
  // kind (a number for a string, a string for a number) or a buffer too
  // small for a number.
  int32_t GetValueFromResult2(const CVelkResult& result, int32_t varType,
                              void* buffer, size_t size);
};

}  // namespace ravelin
