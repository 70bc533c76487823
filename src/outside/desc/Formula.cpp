#include "outside/desc/Formula.h"

#include <cwctype>

namespace ravelin {
namespace {

constexpr size_t kMaxLength = 1000;
constexpr int kMaxDepth = 100;

class Parser {
 public:
  Parser(const std::wstring& text, const FormulaParameterReader& read)
      : text_(text), read_(read) {}

  std::optional<int64_t> Run() {
    auto value = Expression();
    Skip();
    if (!value || pos_ != text_.size()) return std::nullopt;
    return value;
  }

 private:
  void Skip() {
    while (pos_ < text_.size() && (text_[pos_] == L' ' || text_[pos_] == L'\t')) ++pos_;
  }
  bool Take(wchar_t c) {
    Skip();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  std::optional<int64_t> Expression() {
    auto value = Term();
    while (value) {
      if (Take(L'+')) {
        auto right = Term();
        if (!right) return std::nullopt;
        value = int64_t(uint64_t(*value) + uint64_t(*right));
      } else if (Take(L'-')) {
        auto right = Term();
        if (!right) return std::nullopt;
        value = int64_t(uint64_t(*value) - uint64_t(*right));
      } else {
        break;
      }
    }
    return value;
  }

  std::optional<int64_t> Term() {
    auto value = Factor();
    while (value) {
      const bool multiply = Take(L'*');
      const bool divide = !multiply && Take(L'/');
      const bool remainder = !multiply && !divide && Take(L'%');
      if (!multiply && !divide && !remainder) break;
      auto right = Factor();
      if (!right) return std::nullopt;
      if (multiply) {
        value = int64_t(uint64_t(*value) * uint64_t(*right));
      } else if (*right == 0 || (*value == INT64_MIN && *right == -1)) {
        return std::nullopt;
      } else {
        value = divide ? *value / *right : *value % *right;
      }
    }
    return value;
  }

  std::optional<int64_t> Factor() {
    if (Take(L'-')) {
      auto value = Factor();
      if (!value) return std::nullopt;
      return int64_t(0 - uint64_t(*value));
    }
    if (Take(L'(')) {
      if (++depth_ > kMaxDepth) return std::nullopt;
      auto value = Expression();
      --depth_;
      if (!value || !Take(L')')) return std::nullopt;
      return value;
    }
    if (Take(L'{')) {
      const size_t close = text_.find(L'}', pos_);
      if (close == std::wstring::npos || close == pos_) return std::nullopt;
      const std::wstring path = text_.substr(pos_, close - pos_);
      pos_ = close + 1;
      return read_(path);
    }
    return Number();
  }

  std::optional<int64_t> Number() {
    Skip();
    int base = 10;
    if (text_.compare(pos_, 2, L"0x") == 0 || text_.compare(pos_, 2, L"0X") == 0) {
      base = 16;
      pos_ += 2;
    }
    const size_t start = pos_;
    uint64_t value = 0;
    while (pos_ < text_.size()) {
      const wchar_t c = text_[pos_];
      int digit;
      if (c >= L'0' && c <= L'9') digit = c - L'0';
      else if (base == 16 && c >= L'a' && c <= L'f') digit = c - L'a' + 10;
      else if (base == 16 && c >= L'A' && c <= L'F') digit = c - L'A' + 10;
      else break;
      value = value * uint64_t(base) + uint64_t(digit);
      ++pos_;
    }
    if (pos_ == start) return std::nullopt;
    return int64_t(value);
  }

  const std::wstring& text_;
  const FormulaParameterReader& read_;
  size_t pos_ = 0;
  int depth_ = 0;
};

}  // namespace

std::optional<int32_t> EvaluateFormula(const std::wstring& expression,
                                       const FormulaParameterReader& readParameter) {
  if (expression.size() > kMaxLength) return std::nullopt;
  const auto value = Parser(expression, readParameter).Run();
  if (!value) return std::nullopt;
  return static_cast<int32_t>(static_cast<uint32_t>(*value));
}

}  // namespace ravelin
