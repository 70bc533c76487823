// The formulas of map files: integer arithmetic over constants and device
// parameters.
//
//   expression := term { ("+" | "-") term }
//   term       := factor { ("*" | "/" | "%") factor }
//   factor     := ["-"] ( number | "{" parameter path "}" | "(" expression ")" )
//   number     := decimal digits, or "0x" and hexadecimal digits
//
// A parameter path ("Param!SENSOR_TYPE") is read from the device as an
// integer. Blanks are allowed between tokens. Arithmetic is 64-bit; the
// result is cut to 32 bits. Division by zero, an unreadable parameter and
// any syntax error make the evaluation fail. Expressions are limited to
// 1000 characters and 100 levels of parentheses.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace ravelin {

using FormulaParameterReader =
    std::function<std::optional<int64_t>(const std::wstring& path)>;

std::optional<int32_t> EvaluateFormula(const std::wstring& expression,
                                       const FormulaParameterReader& readParameter);

}  // namespace ravelin
