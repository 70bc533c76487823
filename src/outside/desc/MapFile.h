// The map file of one device as the device description library opens it:
// found by identity beside the installed DDs, or a generic map file of the
// protocol when the device has none, and answering what it says about each
// common quantity. The file is parsed once, when the object is made.
//
// Generic map files live in the DD root of their protocol ("DevicePath" or
// "DevicePathFF" of velk.ini) as Generic\Generic.map. A map file counts
// only when its IDENTIFICATION section says "Yes" for the usage key the
// caller asks for ("Use for CalMgmt" or "Use for Export").
//
// Formulas: a quantity whose PARAMETER SPECIAL INFO entry is "Formula" takes
// its value from the entry of the same name in section FORMULAS (see
// Formula.h for the expression form).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "outside/desc/DeviceIdentification.h"

namespace ravelin {

class CCommonConversions;
class IVelkToolkit;
class ProfileFile;

// e_mapFileKind: what the lookup found.
enum e_mapFileKind : int32_t {
  kNoMapFile = 0,
  kDeviceMapFile = 1,
  kGenericMapFile = 2,
};

// ParamSpecialInfo: how a map file provides a common quantity.
enum ParamSpecialInfo : int32_t {
  kOrdinaryParameter = 0,
  kNoAssociatedParameter = 1,
  kFormulaParameter = 3,
};

// Results of the library's calls other than 0 (success).
constexpr int32_t kDescNotFound = 1;

class CMapFile {
 public:
  // `toolkit` is the device's cursor, used later to read the parameter
  // that selects a multivariable block's current type. The two flags are
  // accepted for the host's interface; this library always reads the
  // whole file at once.
  CMapFile(DeviceIdentification identification, IVelkToolkit* toolkit,
           const std::wstring& usage, int32_t* mapFileKind, bool readParameters,
           bool readMaps);
  virtual ~CMapFile();
  CMapFile(const CMapFile&) = delete;
  CMapFile& operator=(const CMapFile&) = delete;

  // The DD parameter of a common quantity (PARAMETER MAP). `specialInfo`
  // is always set: 1 when PARAMETER SPECIAL INFO says "No Associated
  // Parameter", 3 for "Formula", else 0. Succeeds only when a parameter is
  // named.
  int32_t GetParamName(const std::wstring& commonName, std::wstring& ddName,
                       int32_t& specialInfo) const;

  // The default of a quantity (DEFAULT PARAMETER VALUES): variant type 3
  // (VT_I4) into an int32_t, 4 (VT_R4) into a double. Fails when there is
  // no default or it is not a number.
  int32_t GetDefaultParamValue(const std::wstring& commonName, int32_t varType,
                               void* value, int32_t reserved) const;

  // The common code of a DD code in section "<commonName> DD to Common
  // Map": the entry's English name through the conversion table, or, for
  // the dual-mode block type sections, the decimal code itself.
  int32_t GetDdToCommonEnumMap(const std::wstring& commonName,
                               const CCommonConversions* conversion,
                               uint16_t ddCode, uint16_t* commonCode) const;

  // The input block type (INPUT BLOCK TYPE, "Input block"; 1 when the key
  // is missing). For a multivariable block (99) the current type follows
  // from the device's value of "Parameter for current PV" through the
  // dual-mode section; when that cannot be read the type stays 99 and the
  // call fails.
  int32_t GetInputBlockType(uint32_t* type) const;

  // The expression of a formula quantity (section FORMULAS).
  int32_t GetFormula(const std::wstring& commonName, std::wstring& formula) const;

  IVelkToolkit* GetToolkit() const { return m_pToolkit; }

  std::wstring m_strMapFilePath;  // empty when no map file was found
  int32_t m_bMapFileExists = 0;
  int32_t m_nBlockIndex = 0;      // "Block Index" of a fieldbus map file

 private:
  std::wstring Value(const wchar_t* section, const std::wstring& key) const;

  IVelkToolkit* m_pToolkit;
  std::shared_ptr<const ProfileFile> m_file;
};

}  // namespace ravelin
