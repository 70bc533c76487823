#include "checks/ParamInfo.h"

#include "base/Text.h"
#include "outside/CommonConversions.h"
#include "outside/comm/VelkToolkit.h"
#include "outside/db/ProgLog.h"
#include "outside/db/VelkProfile.h"
#include "outside/desc/MapFile.h"
#include "platform/Profile.h"

namespace ravelin {

namespace {

constexpr wchar_t kHeader[] =
    L"DD Code, DD String, Common Code, Common String in English, Common String";
constexpr int32_t kUnset = 9999;
constexpr int32_t kEnumeratedType = 6;
constexpr size_t kStringSize = 255;

std::wstring Unsigned(int32_t code) {
  return Format(L"%lu", static_cast<unsigned long>(static_cast<uint32_t>(code)));
}

// Records whether the header has been written to one filtered list.
struct HeaderOnce {
  bool written = false;
  void To(ReportLines& list) {
    if (!written) list.emplace_back(kHeader);
    written = true;
  }
};

}  // namespace

struct CParamInfo::Row {
  explicit Row(const wchar_t* start)
      : ddCode(start), ddString(start), commonCode(start), english(start),
        common(start) {}
  std::wstring Text() const {
    return Format(L"%s'    %s'    %s'    %s'    %s", ddCode.c_str(),
                  ddString.c_str(), commonCode.c_str(), english.c_str(),
                  common.c_str());
  }
  std::wstring ddCode, ddString, commonCode, english, common;
};

void CParamInfo::CheckParameter(ReportLines& out, int32_t viewKind,
                                int32_t mapFileKind, std::wstring level,
                                int32_t suppressNonExact) {
  CheckLines lines;
  if (m_pMapFile->m_strMapFilePath.empty()) {
    lines.Error(L"ERROR: There is no map file.");
  } else {
    const std::wstring conventionalPath = ConventionalDevicePath();
    const int32_t specialInfo = LookUpMapFileParameter(*this);
    if (specialInfo == kNoAssociatedParameter) {
      CheckDefault(lines, mapFileKind, conventionalPath);
    } else if (specialInfo == kFormulaParameter) {
      CheckFormula(lines);
    } else {
      CheckEnumeration(lines, viewKind, suppressNonExact);
    }
  }
  lines.AppendSelection(out, level, L"No errors detected.",
                        L"No errors or warnings detected.");
}

void CParamInfo::CheckDefault(CheckLines& lines, int32_t mapFileKind,
                              const std::wstring& conventionalPath) {
  int32_t code = kUnset;
  if (m_pMapFile->GetDefaultParamValue(m_strCommonName, m_nVarType, &code, 0) != 0) {
    BssProgLog(L"ParamInfo", __LINE__, 2, 0x20000001,
               Format(L"The map file for this device indicates that there is no "
                      L"associated parameter for \"%s\" but the map file does not "
                      L"specify a default value.",
                      m_strCommonName.c_str()));
    lines.Error(
        L"ERROR: No Associated Parameter is defined, but unable to read the value "
        L"directly from the map file.");
    return;
  }
  lines.Note(L"No Associated Parameter is defined. Reading value directly from map file.");
  Row row(L"  ");
  bool failed = false;
  row.commonCode = Unsigned(code);
  if (m_pConversion->GetName(static_cast<uint16_t>(code), row.common) != 0) {
    lines.Error(L"ERROR: Unable to get Common String from Common Code.");
    row.common = L"Error";
    failed = true;
  }
  // Only a device-specific HART output block reports its loop units; the
  // analog value's units attribute says what they are.
  if (EqualsNoCase(m_strCommonName, L"output block Units Code") &&
      mapFileKind != kGenericMapFile &&
      m_pMapFile->m_strMapFilePath.find(conventionalPath) == std::wstring::npos &&
      m_pMapFile->m_nBlockIndex == 0) {
    m_strMoniker = L"ItemArray!dynamic_variables!Element!1!Member!ANALOG_VALUE";
    m_strValueSuffix = L"!Units";
    CVelkResult result;
    m_pToolkit->Read(m_strMoniker + m_strValueSuffix);
    m_pToolkit->Wait(&result, 1);
    wchar_t units[kStringSize] = {};
    if (GetValueFromResult2(result, kVtBstr, units, kStringSize) == 0) {
      row.ddString = units;
    } else {
      row.ddString = L"Error";
      lines.Error(L"ERROR: Unable to read the units using a default moniker.");
      failed = true;
    }
  }
  lines.full.emplace_back(kHeader);
  lines.full.push_back(row.Text());
  if (failed) {
    for (ReportLines* list : {&lines.warnings, &lines.errors}) {
      list->emplace_back(kHeader);
      list->push_back(row.Text());
    }
  }
}

void CParamInfo::CheckFormula(CheckLines& lines) {
  constexpr wchar_t kFormulaNote[] = L"Determining parameter value from formula.";
  int32_t result = kUnset;
  const int32_t status = GetFormulaResults(&result);
  lines.Note(kFormulaNote);
  Row row(L"  ");
  std::wstring errorText;
  if (status != 0) {
    errorText = L"ERROR: Unable to get results from using formula defined in map file.";
    row.commonCode = L"Error";
    row.common = L"Error";
  } else {
    row.commonCode = Unsigned(result);
    if (m_pConversion->GetName(static_cast<uint16_t>(result), row.common) != 0) {
      errorText =
          L"ERROR: Unable to get Common String from Common Code generated by formula.";
      row.common = L"Error";
    }
  }
  lines.full.emplace_back(kHeader);
  if (!errorText.empty()) lines.full.push_back(errorText);
  lines.full.push_back(row.Text());
  if (errorText.empty()) return;
  for (ReportLines* list : {&lines.errors, &lines.warnings}) {
    list->emplace_back(kFormulaNote);
    list->emplace_back(kHeader);
    list->push_back(errorText);
    list->push_back(row.Text());
  }
}

bool CParamInfo::IsDualModeBlockType() const {
  return EqualsNoCase(m_strCommonName, L"DUAL MODE INPUT BLOCK TYPE") ||
         EqualsNoCase(m_strCommonName, L"DUAL MODE OUTPUT BLOCK TYPE");
}

void CParamInfo::CheckEnumeration(CheckLines& lines, int32_t viewKind,
                                  int32_t suppressNonExact) {
  if (m_strMoniker.empty()) {
    lines.Error(L"Error: No moniker for " + m_strCommonName);
    return;
  }
  CVelkToolkit item;
  CVelkToolkit element;
  std::wstring computer;
  GetVelkProfileValue(L"Tarn Server 1", L"Computer Name", computer);
  const std::wstring deviceMoniker = m_pToolkit->GetMoniker();
  const bool physical =
      EqualsNoCase(deviceMoniker.substr(0, 16), L"!PhysicalDevice!");
  item.NewRoot(L"\\\\" + computer, physical ? kProtocolFieldbus : kProtocolHart);
  item.SetView(physical ? kViewCurrent : viewKind);
  std::wstring itemMoniker =
      Format(L"%s!%s", deviceMoniker.c_str(), m_strMoniker.c_str());
  item.Item(&item, itemMoniker);

  CVelkResult type;
  item.Get(L"Type", type);
  if (type.m_status < 0) {
    lines.Error(L"ERROR: Can't read Param 'Type' by using parameter moniker " +
                m_strMoniker);
  }
  if (type.m_status < 0 || type.m_var.GetVT_I4() != kEnumeratedType) {
    lines.Warning(L"WARNING: This parameter 'Type' is not an enumeration");
    return;
  }
  itemMoniker += L"!Enum";
  item.Item(&item, itemMoniker);
  element.Enum(&item);
  if (element.NextEnum() != 0) {
    lines.Error(L"ERROR: Can't read values by using parameter moniker " + m_strMoniker);
    return;
  }
  lines.full.emplace_back(kHeader);
  HeaderOnce errorsHeader;
  HeaderOnce warningsHeader;
  const std::wstring mapSection = m_strCommonName + L" DD to Common Map";
  const bool dualMode = IsDualModeBlockType();
  do {
    Row row(L"");
    std::wstring errorText;
    bool failed = false;
    CVelkResult result;
    if (element.Read(L"Value") == 0) {
      element.Wait(&result, 1);
      int32_t ddCode = kUnset;
      if (GetValueFromResult2(result, kVtI4, &ddCode, sizeof ddCode) != 0) {
        errorText = L"ERROR: Unable to determine DD Code.";
        row.ddCode = L"Error";
        failed = true;
      } else {
        row.ddCode = Unsigned(ddCode);
        uint16_t commonCode = kUnset;
        if (m_pMapFile->GetDdToCommonEnumMap(m_strCommonName, m_pConversion,
                                             static_cast<uint16_t>(ddCode),
                                             &commonCode) != 0) {
          row.commonCode = row.common = row.english = L"Error";
          errorText = L"ERROR: Invalid DD Code mapping found.";
          failed = true;
        } else {
          row.commonCode = Format(L"%hu", static_cast<unsigned>(commonCode));
          if (dualMode) {
            m_pConversion->GetEnglishName(commonCode, row.english);
          } else {
            row.english = ProfileString(m_pMapFile->m_strMapFilePath, mapSection,
                                        row.ddCode, L"", 256);
            if (row.english.empty()) row.english = L"Error";
            if (m_pConversion->GetName(commonCode, row.common) != 0) {
              row.common = L"Error";
            }
          }
        }
      }
    }
    if (element.Read(L"Description") == 0) {
      element.Wait(&result, 1);
      wchar_t text[kStringSize] = {};
      row.ddString = GetValueFromResult2(result, kVtBstr, text, kStringSize) == 0
                         ? std::wstring(text)
                         : std::wstring(L"Error");
    }
    // A block type has no display name of its own: its English name is
    // what the device's text should read.
    const std::wstring& expected = dualMode ? row.english : row.common;
    const bool warned = !failed && !EqualsNoCase(row.ddString, expected);
    const std::wstring text = row.Text();
    if (failed) {
      errorsHeader.To(lines.errors);
      warningsHeader.To(lines.warnings);
      lines.Error(errorText);
      lines.errors.push_back(text);
      lines.warnings.push_back(text);
    }
    if (warned && suppressNonExact == 0) {
      warningsHeader.To(lines.warnings);
      lines.Warning(
          L"WARNING: Non-exact \"DD String\" <-> \"Common String\" comparison found");
      lines.warnings.push_back(text);
    }
    lines.full.push_back(text);
  } while (element.NextEnum() == 0);
}

}  // namespace ravelin
