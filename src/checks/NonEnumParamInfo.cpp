#include "checks/NonEnumParamInfo.h"

#include "base/Text.h"
#include "outside/comm/VelkToolkit.h"
#include "outside/desc/MapFile.h"

namespace ravelin {

namespace {

constexpr wchar_t kNoErrors[] = L"No errors or warnings detected.";
constexpr wchar_t kDynamicVariable[] = L"ItemArray!dynamic_variables!Element!1!Member!";

// The common name of a range value: block prefix, then the quantity.
std::wstring BlockName(int32_t output, const wchar_t* quantity) {
  std::wstring name;
  name += output == 0 ? L"input block " : L"output block ";
  name += quantity;
  return name;
}

}  // namespace

CNonEnumParamInfo::CNonEnumParamInfo(CLumendescBase* device) : CParameterInfo(device) {
  m_nExpectedType = 4;  // a floating value
  m_nVarType = 4;       // VT_R4
  m_strValueSuffix = L"!value";
}

void CNonEnumParamInfo::CheckParameter(ReportLines& out, int32_t mapFileKind,
                                       std::wstring level) {
  CheckLines lines;
  if (m_pMapFile->m_strMapFilePath.empty()) {
    lines.Error(L"ERROR: There is no map file.");
  } else {
    const std::wstring conventionalPath = ConventionalDevicePath();
    const int32_t specialInfo = LookUpMapFileParameter(*this);
    if (specialInfo == kNoAssociatedParameter) {
      CheckDefault(lines, mapFileKind, conventionalPath);
    } else {
      CVelkResult result;
      m_pToolkit->Read(m_strMoniker + m_strValueSuffix);
      m_pToolkit->Wait(&result, 1);
      float value = 0;
      if (GetValueFromResult2(result, kVtR4, &value, sizeof value) != 0) {
        lines.Error(L"ERROR: Unable to read the value using the moniker in the map file.");
      }
    }
  }
  lines.AppendSelection(out, level, kNoErrors, kNoErrors);
}

void CNonEnumParamInfo::CheckDefault(CheckLines& lines, int32_t mapFileKind,
                                     const std::wstring& conventionalPath) {
  double value = 0.0;
  if (m_pMapFile->GetDefaultParamValue(m_strCommonName, m_nVarType, &value, 0) != 0) {
    LogMissingDefault(L"NonEnumParamInfo", __LINE__, m_strCommonName);
    lines.Error(
        L"ERROR: No Associated Parameter is defined, but unable to read the value "
        L"from the map file.");
    return;
  }
  lines.Note(L"No Associated Parameter is defined. Reading value directly from map file.");
  if (mapFileKind != kGenericMapFile &&
      m_pMapFile->m_strMapFilePath.find(conventionalPath) == std::wstring::npos) {
    lines.Note(Format(L"Value: %f", value));
  } else {
    lines.Note(
        L"Map file is either generic, or for a conventional device. No value was read.");
  }
}

CUpperRangeValueInfo::CUpperRangeValueInfo(CLumendescBase* device, int32_t output)
    : CNonEnumParamInfo(device) {
  m_strCommonName = BlockName(output, L"Upper Range Value");
  m_strMoniker = output == 0 ? std::wstring(kDynamicVariable) + L"UPPER_RANGE_VALUE"
                             : std::wstring();
  m_nParamCode = 28;
}

CLowerRangeValueInfo::CLowerRangeValueInfo(CLumendescBase* device, int32_t output)
    : CNonEnumParamInfo(device) {
  m_strCommonName = BlockName(output, L"Lower Range Value");
  m_strMoniker = output == 0 ? std::wstring(kDynamicVariable) + L"LOWER_RANGE_VALUE"
                             : std::wstring();
  m_nParamCode = 28;
}

CDampingValueInfo::CDampingValueInfo(CLumendescBase* device) : CNonEnumParamInfo(device) {
  m_strCommonName = L"Damping Value";
  m_strMoniker = std::wstring(kDynamicVariable) + L"DAMPING_VALUE";
  m_nParamCode = 24;
}

}  // namespace ravelin
