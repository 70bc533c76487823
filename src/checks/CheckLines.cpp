#include "checks/CheckLines.h"

#include "base/Text.h"
#include "outside/db/ProgLog.h"
#include "outside/db/VelkProfile.h"
#include "outside/desc/MapFile.h"
#include "outside/desc/ParameterInfo.h"
#include "platform/Platform.h"

namespace ravelin {

void CheckLines::Error(const std::wstring& line) {
  errors.push_back(line);
  warnings.push_back(line);
  full.push_back(line);
}

void CheckLines::Warning(const std::wstring& line) {
  warnings.push_back(line);
  full.push_back(line);
}

void CheckLines::AppendSelection(ReportLines& out, const std::wstring& level,
                                 const wchar_t* noErrors,
                                 const wchar_t* noWarnings) const {
  const ReportLines* chosen = &full;
  const wchar_t* nothing = nullptr;
  if (EqualsNoCase(level, L"ERRORS")) {
    chosen = &errors;
    nothing = noErrors;
  } else if (EqualsNoCase(level, L"WARNINGS")) {
    chosen = &warnings;
    nothing = noWarnings;
  }
  if (chosen->empty() && nothing != nullptr) {
    out.emplace_back(nothing);
    return;
  }
  out.insert(out.end(), chosen->begin(), chosen->end());
}

bool IsFilteredLevel(const std::wstring& level) {
  return EqualsNoCase(level, L"ERRORS") || EqualsNoCase(level, L"WARNINGS");
}

std::wstring ConventionalDevicePath() {
  std::wstring devicePath;
  GetVelkProfileValue(L"INSTALLATION", L"DevicePath", devicePath);
  return JoinPath(devicePath, L"00007d");
}

int32_t LookUpMapFileParameter(CParameterInfo& info) {
  std::wstring ddName;
  int32_t specialInfo = kOrdinaryParameter;
  if (info.m_pMapFile->GetParamName(info.m_strCommonName, ddName, specialInfo) == 0) {
    info.m_strMoniker = ddName;
    info.m_bNeedsMoniker = 0;
  }
  return specialInfo;
}

void LogMissingDefault(const wchar_t* source, int line, const std::wstring& commonName) {
  BssProgLog(source, line, 2, 0x20000001,
             Format(L"The map file for this device indicates that there is no "
                    L"associated parameter for \"%s\" but the map file does not "
                    L"specify a default value.",
                    commonName.c_str()));
}

}  // namespace ravelin
