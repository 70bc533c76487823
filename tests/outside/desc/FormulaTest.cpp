#include "outside/desc/Formula.h"

#include <gtest/gtest.h>

namespace ravelin {
namespace {

std::optional<int64_t> Read(const std::wstring& path) {
  if (path == L"Param!A") return 40;
  if (path == L"Param!NEG") return -7;
  return std::nullopt;
}

TEST(FormulaTest, EvaluatesIntegerArithmeticOverParameters) {
  struct Case {
    const wchar_t* text;
    std::optional<int32_t> expected;
  } cases[] = {
      {L"42", 42},
      {L"0x1F + 1", 32},
      {L"{Param!A} + 2", 42},
      {L"{Param!A} * 2 - 10 / 3", 77},
      {L"({Param!A} + 2) * 2", 84},
      {L"-{Param!NEG} % 4", 3},
      {L"- - 5", 5},
      {L"  7  ", 7},
      {L"4294967297", 1},  // cut to 32 bits
      {L"1 / 0", std::nullopt},
      {L"5 % 0", std::nullopt},
      {L"{Param!MISSING}", std::nullopt},
      {L"{}", std::nullopt},
      {L"{Param!A", std::nullopt},
      {L"(1 + 2", std::nullopt},
      {L"1 +", std::nullopt},
      {L"1 2", std::nullopt},
      {L"", std::nullopt},
      {L"abc", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EvaluateFormula(c.text, Read), c.expected) << ::testing::PrintToString(std::wstring(c.text));
  }
  EXPECT_EQ(EvaluateFormula(std::wstring(101, L'(') + L"1" + std::wstring(101, L')'), Read),
            std::nullopt);
  EXPECT_EQ(EvaluateFormula(std::wstring(50, L'(') + L"1" + std::wstring(50, L')'), Read), 1);
  EXPECT_EQ(EvaluateFormula(std::wstring(1001, L'1'), Read), std::nullopt);
}

}  // namespace
}  // namespace ravelin
