// The check of one enumerated common parameter (units, transfer function,
// probe type, ...): how the map file provides it, and for a device parameter
// every enumeration element, its translation into a common code and the
// comparison of the device's text with the common name. The checkers of
// Checkers.h only fill the descriptor fields; all logic is here.
#pragma once

#include <cstdint>
#include <string>

#include "checks/CheckLines.h"
#include "outside/desc/ParameterInfo.h"

namespace ravelin {

class CVelkToolkit;

class CParamInfo : public CParameterInfo {
 public:
  explicit CParamInfo(CLumendescBase* device) : CParameterInfo(device) {}

  // Appends the lines the level selects to `out`. `viewKind` is the view of
  // the device (104 or 111; a physical device is always read at 104),
  // `mapFileKind` 2 for a generic map file; a nonzero `suppressNonExact`
  // keeps non-exact name comparisons out of the warnings.
  void CheckParameter(ReportLines& out, int32_t viewKind, int32_t mapFileKind,
                      std::wstring level, int32_t suppressNonExact);

 private:
  struct Row;
  void CheckDefault(CheckLines& lines, int32_t mapFileKind,
                    const std::wstring& conventionalPath);
  void CheckFormula(CheckLines& lines);
  void CheckEnumeration(CheckLines& lines, int32_t viewKind,
                        int32_t suppressNonExact);
  // Fills `row` from the enumeration element at hand: its code, mapped
  // through the map file (English names from `mapSection`), and the device's
  // text. False, and `errorText` says why, when the code cannot be read or
  // has no valid mapping.
  bool ReadEnumerationRow(CVelkToolkit& element, bool dualMode, const std::wstring& mapSection,
                          Row& row, std::wstring& errorText);
  bool MapEnumerationCode(const CVelkResult& value, bool dualMode,
                          const std::wstring& mapSection, Row& row, std::wstring& errorText);
  bool IsDualModeBlockType() const;
};

}  // namespace ravelin
