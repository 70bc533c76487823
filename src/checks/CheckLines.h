// The lines one parameter check collects before it hands a selection to the
// report: every line, the lines a "WARNINGS" report keeps and the lines an
// "ERRORS" report keeps. Report lines carry no line terminators.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ravelin {

class CParameterInfo;

using ReportLines = std::vector<std::wstring>;

struct CheckLines {
  ReportLines full;
  ReportLines warnings;
  ReportLines errors;

  // An error line goes everywhere, a warning line to the warnings and the
  // full list, a note to the full list only.
  void Error(const std::wstring& line);
  void Warning(const std::wstring& line);
  void Note(const std::wstring& line) { full.push_back(line); }

  // Appends what the level selects: the errors list at "ERRORS", the
  // warnings list at "WARNINGS" (either case), else the full list. An empty
  // filtered list is replaced by the matching nothing-to-report line.
  void AppendSelection(ReportLines& out, const std::wstring& level,
                       const wchar_t* noErrors, const wchar_t* noWarnings) const;
};

// True for the two filtered levels, "ERRORS" and "WARNINGS", in any case.
bool IsFilteredLevel(const std::wstring& level);

// The folder of the map files of conventional (non-smart) devices: the
// host's device path and manufacturer 0x00007d. Their defaults describe no
// real device, so the checks read nothing through them.
std::wstring ConventionalDevicePath();

// Asks the map file for the DD parameter of the descriptor's common name; a
// parameter it names replaces the default moniker. Returns how the map file
// provides the quantity (ParamSpecialInfo).
int32_t LookUpMapFileParameter(CParameterInfo& info);

// The program-log entry of a quantity the map file marks as having no
// associated parameter but gives no default for.
void LogMissingDefault(const wchar_t* source, int line, const std::wstring& commonName);

}  // namespace ravelin
