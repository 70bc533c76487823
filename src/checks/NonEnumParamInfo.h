// The check of a floating-point common parameter (range values, damping):
// only that its value can be had, from the map file's default or from the
// device. The value itself is not compared.
#pragma once

#include <cstdint>
#include <string>

#include "checks/CheckLines.h"
#include "outside/desc/ParameterInfo.h"

namespace ravelin {

class CNonEnumParamInfo : public CParameterInfo {
 public:
  explicit CNonEnumParamInfo(CLumendescBase* device);

  // Appends the lines the level selects to `out`; `mapFileKind` 2 is a
  // generic map file.
  void CheckParameter(ReportLines& out, int32_t mapFileKind, std::wstring level);

 private:
  void CheckDefault(CheckLines& lines, int32_t mapFileKind,
                    const std::wstring& conventionalPath);
};

// The upper or lower range value of the input block (`output` 0) or of the
// output block.
class CUpperRangeValueInfo : public CNonEnumParamInfo {
 public:
  CUpperRangeValueInfo(CLumendescBase* device, int32_t output);
};

class CLowerRangeValueInfo : public CNonEnumParamInfo {
 public:
  CLowerRangeValueInfo(CLumendescBase* device, int32_t output);
};

class CDampingValueInfo : public CNonEnumParamInfo {
 public:
  explicit CDampingValueInfo(CLumendescBase* device);
};

}  // namespace ravelin
