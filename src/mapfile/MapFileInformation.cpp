#include "mapfile/MapFileInformation.h"

#include <algorithm>

#include "base/Text.h"
#include "outside/Conversions.h"
#include "outside/desc/MapFileLocation.h"

namespace ravelin {
namespace {

const wchar_t kDynamicVariable[] = L"ItemArray!dynamic_variables!Element!1!Member!";

void SetMapping(CEnumerationList& list, int32_t ddCode, int32_t commonCode) {
  const auto found = std::find_if(list.begin(), list.end(), [&](const CEnumeration& e) {
    return e.m_nDDCode == ddCode;
  });
  if (found != list.end()) {
    found->m_nCommonCode = commonCode;
  } else {
    list.push_back({ddCode, commonCode});
  }
}

bool MappingName(const CEnumerationList& list, const CCommonConversions& conversion,
                 int32_t ddCode, std::wstring& name) {
  const auto found = std::find_if(list.begin(), list.end(), [&](const CEnumeration& e) {
    return e.m_nDDCode == ddCode;
  });
  if (found == list.end()) return false;
  conversion.GetName(static_cast<uint16_t>(found->m_nCommonCode), name);
  return true;
}

}  // namespace

CMapFileInformation::CMapFileInformation(
    const std::wstring& tag, const std::wstring& moniker,
    const std::wstring& plantServer, uint32_t manufacturer, uint32_t deviceType,
    uint32_t deviceRevision, uint8_t isFieldbus)
    : m_strTag(tag),
      m_strMoniker(moniker),
      m_strPlantServer(plantServer),
      m_nManufacturer(manufacturer),
      m_nDeviceType(deviceType),
      m_nDeviceRevision(deviceRevision),
      m_bFieldbus(isFieldbus != 0) {
  if (m_bFieldbus) {
    m_bUrvDefault = true;
    m_strUrvDefault = L"100.0";
    m_bLrvDefault = true;
    m_strLrvDefault = L"0.0";
    m_bUnitsDefault = true;
    m_nUnitsDefault = 57;
  } else {
    m_strUrvParam = std::wstring(kDynamicVariable) + L"UPPER_RANGE_VALUE";
    m_strLrvParam = std::wstring(kDynamicVariable) + L"LOWER_RANGE_VALUE";
    m_strUnitsParam = std::wstring(kDynamicVariable) + L"DIGITAL_UNITS";
    m_strTagParam = L"Param!tag";
    m_strMessageParam = L"Param!message";
    m_strDescriptorParam = L"Param!descriptor";
  }
  ReadMapFile();
}

std::wstring CMapFileInformation::GetBlockMoniker() const {
  if (!m_bFieldbus) return m_strMoniker;
  return Format(L"%s!BlkId!%d", m_strMoniker.c_str(), m_nBlockIndex);
}

void CMapFileInformation::SetUnitsMapping(int32_t ddCode, int32_t commonCode) {
  SetMapping(m_UnitsMap, ddCode, commonCode);
}
void CMapFileInformation::SetPressMeasMapping(int32_t ddCode, int32_t commonCode) {
  SetMapping(m_PressMeasMap, ddCode, commonCode);
}
void CMapFileInformation::SetProbeTypeMapping(int32_t ddCode, int32_t commonCode) {
  SetMapping(m_ProbeTypeMap, ddCode, commonCode);
}
void CMapFileInformation::SetNumWiresMapping(int32_t ddCode, int32_t commonCode) {
  SetMapping(m_NumWiresMap, ddCode, commonCode);
}
void CMapFileInformation::SetTransferFuncMapping(int32_t ddCode, int32_t commonCode) {
  SetMapping(m_TransferFuncMap, ddCode, commonCode);
}
void CMapFileInformation::SetTotalizerUnitsMapping(int32_t ddCode, int32_t commonCode) {
  SetMapping(m_TotalizerUnitsMap, ddCode, commonCode);
}

bool CMapFileInformation::GetUnitsMappingName(int32_t ddCode, std::wstring& name) const {
  return MappingName(m_UnitsMap, CUnitsConversion(), ddCode, name);
}
bool CMapFileInformation::GetPressMeasMappingName(int32_t ddCode, std::wstring& name) const {
  return MappingName(m_PressMeasMap, CPressMeasTypeConversion(), ddCode, name);
}
bool CMapFileInformation::GetProbeTypeMappingName(int32_t ddCode, std::wstring& name) const {
  return MappingName(m_ProbeTypeMap, CProbeTypeConversion(), ddCode, name);
}
bool CMapFileInformation::GetNumWiresMappingName(int32_t ddCode, std::wstring& name) const {
  return MappingName(m_NumWiresMap, CNumWiresConversion(), ddCode, name);
}
bool CMapFileInformation::GetTransferFuncMappingName(int32_t ddCode, std::wstring& name) const {
  return MappingName(m_TransferFuncMap, CTransferFuncConversion(), ddCode, name);
}
bool CMapFileInformation::GetTotalizerUnitsMappingName(int32_t ddCode,
                                                       std::wstring& name) const {
  return MappingName(m_TotalizerUnitsMap, CUnitsConversion(), ddCode, name);
}

std::wstring CMapFileInformation::GetDeviceDirectory() const {
  return MapFileDeviceDirectory(m_nManufacturer, m_nDeviceType, m_bFieldbus);
}

int CMapFileInformation::GetDDRevision() const {
  return MapFileDDRevision(GetDeviceDirectory(), m_nDeviceRevision);
}

std::wstring CMapFileInformation::GetMapFilePath() const {
  return MapFilePath(m_nManufacturer, m_nDeviceType, m_nDeviceRevision, m_bFieldbus);
}

}  // namespace ravelin
