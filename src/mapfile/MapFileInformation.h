// Everything one map file says about one device, held in memory: identity,
// the parameter or default of each common quantity, the block types and the
// translations of the device's enumeration values into common codes. The
// constructor reads the device's existing map file, if any.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mapfile/Enumeration.h"

namespace ravelin {

class CCommonConversions;

class CMapFileInformation {
 public:
  // `isFieldbus`: only the low 8 bits of the caller's flag count.
  CMapFileInformation(const std::wstring& tag, const std::wstring& moniker,
                      const std::wstring& plantServer, uint32_t manufacturer,
                      uint32_t deviceType, uint32_t deviceRevision,
                      uint8_t isFieldbus);

  // Location of the map file (MapFileLocation.cpp). The DD revision is looked
  // up anew on every call.
  std::wstring GetDeviceDirectory() const;
  int GetDDRevision() const;
  std::wstring GetMapFilePath() const;

  // MapFileReader.cpp, MapFileWriter.cpp.
  bool ReadMapFile();
  // False when the model cannot be written (WriteProblem) or the file could
  // not be; nothing is written then, and an existing file stays.
  bool WriteMapFile() const;
  // The bytes WriteMapFile writes for the model as it is now.
  std::string MapFileBytes() const;
  // Why the model cannot be written as a map file that reads back as it is,
  // in words for a message naming the value; empty when it can.
  std::wstring WriteProblem() const;

  bool IsFieldbus() const { return m_bFieldbus; }
  std::wstring GetBlockMoniker() const;

  // Replace the common code of an existing DD code, else append.
  void SetUnitsMapping(int32_t ddCode, int32_t commonCode);
  void SetPressMeasMapping(int32_t ddCode, int32_t commonCode);
  void SetProbeTypeMapping(int32_t ddCode, int32_t commonCode);
  void SetNumWiresMapping(int32_t ddCode, int32_t commonCode);
  void SetTransferFuncMapping(int32_t ddCode, int32_t commonCode);
  void SetTotalizerUnitsMapping(int32_t ddCode, int32_t commonCode);

  // The display name of the common code the DD code maps to; false, name
  // unchanged, when the DD code is not mapped.
  bool GetUnitsMappingName(int32_t ddCode, std::wstring& name) const;
  bool GetPressMeasMappingName(int32_t ddCode, std::wstring& name) const;
  bool GetProbeTypeMappingName(int32_t ddCode, std::wstring& name) const;
  bool GetNumWiresMappingName(int32_t ddCode, std::wstring& name) const;
  bool GetTransferFuncMappingName(int32_t ddCode, std::wstring& name) const;
  bool GetTotalizerUnitsMappingName(int32_t ddCode, std::wstring& name) const;

  // Fieldbus standard codes to common codes (FieldbusCodes.cpp); 250 for a
  // code without a translation.
  int32_t FieldbusUnitsToCommon(int32_t code) const;
  int32_t FieldbusProbeTypeToCommon(int32_t code) const;
  int32_t FieldbusPressMeasToCommon(int32_t code) const;

  // Input block type of a common probe type: 2 resistance thermometer,
  // 3 thermocouple, 1 anything else.
  static int32_t ProbeTypeToBlockType(int32_t probeType);

  std::wstring m_strTag;
  std::wstring m_strMoniker;
  std::wstring m_strPlantServer;
  uint32_t m_nManufacturer;
  uint32_t m_nDeviceType;
  uint32_t m_nDeviceRevision;
  bool m_bFieldbus;
  bool m_bWirelessHart = false;
  int32_t m_nBlockIndex = -1;
  // "Yes" in a new file; an existing file's values are kept, a missing one
  // as "No", since the map file lookup takes only "Yes".
  std::wstring m_strUseForCalMgmt = L"Yes";
  std::wstring m_strUseForExport = L"Yes";
  // The keys of the values that were longer in the file than the reader
  // takes: the model holds them cut to mapkeys::kMaxValueLength.
  std::vector<std::wstring> m_CutValueKeys;

  std::wstring m_strUrvParam;
  bool m_bUrvDefault = false;
  std::wstring m_strUrvDefault;
  std::wstring m_strLrvParam;
  bool m_bLrvDefault = false;
  std::wstring m_strLrvDefault;
  std::wstring m_strUnitsParam;
  bool m_bUnitsDefault = false;
  int32_t m_nUnitsDefault = 250;  // a HART model has no default units code
  std::wstring m_strTagParam;
  std::wstring m_strMessageParam;
  std::wstring m_strDescriptorParam;
  CEnumerationList m_UnitsMap;

  int32_t m_nInputBlockType = 1;
  std::wstring m_strPressMeasParam;
  bool m_bPressMeasDefault = true;
  int32_t m_nPressMeasDefault = 1;
  CEnumerationList m_PressMeasMap;
  std::wstring m_strProbeTypeParam;
  CEnumerationList m_ProbeTypeMap;
  std::wstring m_strNumWiresParam;
  CEnumerationList m_NumWiresMap;
  bool m_bNumWiresDefault = true;
  int32_t m_nNumWiresDefault = 2;

  std::wstring m_strDampingParam;
  bool m_bDampingDefault = true;
  std::wstring m_strDampingDefault = L"1.0";
  std::wstring m_strTransferFuncParam;
  bool m_bTransferFuncDefault = true;
  int32_t m_nTransferFuncDefault = 0;
  CEnumerationList m_TransferFuncMap;

  bool m_bTotalizer = false;
  std::wstring m_strTotalizerValueParam;
  std::wstring m_strTotalizerUnitsParam;
  CEnumerationList m_TotalizerUnitsMap;
};

}  // namespace ravelin
