#include "base/Text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <utility>
#include <vector>

namespace ravelin {
namespace {

struct Spec {
  bool left = false, plus = false, space = false, alt = false, zero = false;
  int width = 0;
  int precision = -1;
  enum Length { kNone, kChar, kShort, kLong, kLongLong, kSize } length = kNone;
  wchar_t conversion = 0;
};

void Pad(std::wstring& out, const Spec& spec, std::wstring_view body,
         std::wstring_view prefix = {}) {
  const size_t length = prefix.size() + body.size();
  const size_t fill = spec.width > 0 && size_t(spec.width) > length
                          ? size_t(spec.width) - length
                          : 0;
  if (spec.left) {
    out.append(prefix).append(body).append(fill, L' ');
  } else if (spec.zero) {
    out.append(prefix).append(fill, L'0').append(body);
  } else {
    out.append(fill, L' ').append(prefix).append(body);
  }
}

std::wstring Widen(const char* begin, const char* end) {
  return std::wstring(begin, end);
}

void FormatInteger(std::wstring& out, Spec spec, unsigned long long magnitude,
                   bool negative) {
  int base = 10;
  if (spec.conversion == L'x' || spec.conversion == L'X') base = 16;
  if (spec.conversion == L'o') base = 8;
  char digits[72];
  auto result = std::to_chars(digits, digits + sizeof digits, magnitude, base);
  std::wstring body = Widen(digits, result.ptr);
  if (spec.conversion == L'X') {
    for (auto& c : body) c = wchar_t(std::toupper(int(c)));
  }
  if (spec.precision >= 0) {
    spec.zero = false;
    if (spec.precision == 0 && magnitude == 0) body.clear();
    if (body.size() < size_t(spec.precision)) {
      body.insert(0, size_t(spec.precision) - body.size(), L'0');
    }
  }
  std::wstring prefix;
  if (negative) {
    prefix = L"-";
  } else if (spec.conversion == L'd' || spec.conversion == L'i') {
    if (spec.plus) prefix = L"+";
    else if (spec.space) prefix = L" ";
  }
  if (spec.alt && magnitude != 0) {
    if (spec.conversion == L'x') prefix = L"0x";
    if (spec.conversion == L'X') prefix = L"0X";
    if (spec.conversion == L'o' && body[0] != L'0') body.insert(0, 1, L'0');
  }
  Pad(out, spec, body, prefix);
}

void FormatFloat(std::wstring& out, Spec spec, double value) {
  std::wstring prefix;
  if (std::signbit(value)) {
    prefix = L"-";
    value = -value;
  } else if (spec.plus) {
    prefix = L"+";
  } else if (spec.space) {
    prefix = L" ";
  }
  const bool upper = spec.conversion == L'F' || spec.conversion == L'E' ||
                     spec.conversion == L'G';
  if (!std::isfinite(value)) {
    spec.zero = false;
    const wchar_t* text = std::isnan(value) ? (upper ? L"NAN" : L"nan")
                                            : (upper ? L"INF" : L"inf");
    Pad(out, spec, text, prefix);
    return;
  }
  const int precision = spec.precision < 0 ? 6 : spec.precision;
  std::chars_format format = std::chars_format::fixed;
  wchar_t lower = wchar_t(std::tolower(int(spec.conversion)));
  if (lower == L'e') format = std::chars_format::scientific;
  if (lower == L'g') format = std::chars_format::general;
  char digits[400];
  int effective = precision;
  if (lower == L'g' && effective == 0) effective = 1;
  auto result =
      std::to_chars(digits, digits + sizeof digits, value, format, effective);
  if (result.ec != std::errc()) {
    result.ptr = digits;
  }
  std::string text(digits, result.ptr);
  if (lower == L'e' || (lower == L'g' && text.find('e') != std::string::npos)) {
    // C prints at least two exponent digits.
    const size_t e = text.find('e');
    size_t digitsStart = e + 2;
    if (text.size() - digitsStart < 2) text.insert(digitsStart, 1, '0');
  }
  if (spec.alt && precision == 0 && lower != L'g' &&
      text.find('.') == std::string::npos) {
    const size_t e = text.find('e');
    text.insert(e == std::string::npos ? text.size() : e, 1, '.');
  }
  std::wstring body(text.begin(), text.end());
  if (upper) {
    for (auto& c : body) c = wchar_t(std::toupper(int(c)));
  }
  Pad(out, spec, body, prefix);
}

}  // namespace

std::wstring Format(const wchar_t* format, ...) {
  std::wstring out;
  va_list args;
  va_start(args, format);
  for (const wchar_t* p = format; *p; ++p) {
    if (*p != L'%') {
      out.push_back(*p);
      continue;
    }
    Spec spec;
    ++p;
    for (;; ++p) {
      if (*p == L'-') spec.left = true;
      else if (*p == L'+') spec.plus = true;
      else if (*p == L' ') spec.space = true;
      else if (*p == L'#') spec.alt = true;
      else if (*p == L'0') spec.zero = true;
      else break;
    }
    if (*p == L'*') {
      spec.width = va_arg(args, int);
      if (spec.width < 0) {
        spec.left = true;
        spec.width = -spec.width;
      }
      ++p;
    } else {
      while (*p >= L'0' && *p <= L'9') spec.width = spec.width * 10 + (*p++ - L'0');
    }
    if (*p == L'.') {
      ++p;
      spec.precision = 0;
      if (*p == L'*') {
        spec.precision = va_arg(args, int);
        ++p;
      } else {
        while (*p >= L'0' && *p <= L'9') {
          spec.precision = spec.precision * 10 + (*p++ - L'0');
        }
      }
    }
    if (spec.left) spec.zero = false;
    if (*p == L'h') {
      spec.length = Spec::kShort;
      if (*++p == L'h') {
        spec.length = Spec::kChar;
        ++p;
      }
    } else if (*p == L'l') {
      spec.length = Spec::kLong;
      if (*++p == L'l') {
        spec.length = Spec::kLongLong;
        ++p;
      }
    } else if (*p == L'z') {
      spec.length = Spec::kSize;
      ++p;
    }
    spec.conversion = *p;
    switch (*p) {
      case L'%':
        out.push_back(L'%');
        break;
      case L'd':
      case L'i': {
        long long value;
        switch (spec.length) {
          case Spec::kChar: value = static_cast<signed char>(va_arg(args, int)); break;
          case Spec::kShort: value = static_cast<short>(va_arg(args, int)); break;
          case Spec::kLong: value = va_arg(args, long); break;
          case Spec::kLongLong: value = va_arg(args, long long); break;
          case Spec::kSize: value = static_cast<long long>(va_arg(args, ptrdiff_t)); break;
          default: value = va_arg(args, int); break;
        }
        const bool negative = value < 0;
        const unsigned long long magnitude =
            negative ? 0ull - static_cast<unsigned long long>(value)
                     : static_cast<unsigned long long>(value);
        FormatInteger(out, spec, magnitude, negative);
        break;
      }
      case L'u':
      case L'x':
      case L'X':
      case L'o': {
        unsigned long long value;
        switch (spec.length) {
          case Spec::kChar: value = static_cast<unsigned char>(va_arg(args, unsigned)); break;
          case Spec::kShort: value = static_cast<unsigned short>(va_arg(args, unsigned)); break;
          case Spec::kLong: value = va_arg(args, unsigned long); break;
          case Spec::kLongLong: value = va_arg(args, unsigned long long); break;
          case Spec::kSize: value = va_arg(args, size_t); break;
          default: value = va_arg(args, unsigned); break;
        }
        FormatInteger(out, spec, value, false);
        break;
      }
      case L'c': {
        spec.zero = false;
        const wchar_t c = static_cast<wchar_t>(va_arg(args, int));
        Pad(out, spec, std::wstring_view(&c, 1));
        break;
      }
      case L's': {
        spec.zero = false;
        const wchar_t* text = va_arg(args, const wchar_t*);
        std::wstring_view view = text ? text : L"(null)";
        if (spec.precision >= 0 && view.size() > size_t(spec.precision)) {
          view = view.substr(0, size_t(spec.precision));
        }
        Pad(out, spec, view);
        break;
      }
      case L'f':
      case L'F':
      case L'e':
      case L'E':
      case L'g':
      case L'G':
        FormatFloat(out, spec, va_arg(args, double));
        break;
      case 0:
        --p;  // a lone '%' at the end is dropped
        break;
      default:
        // Unknown conversions are copied as they stand.
        out.push_back(L'%');
        out.push_back(*p);
        break;
    }
  }
  va_end(args);
  return out;
}

int32_t WtoI(std::wstring_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
    negative = text[i] == L'-';
    ++i;
  }
  // Past the range the value stays at its end, as the C runtime's does.
  const int64_t limit = negative ? int64_t{INT32_MAX} + 1 : INT32_MAX;
  int64_t value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    value = std::min(limit, value * 10 + (text[i] - L'0'));
  }
  return static_cast<int32_t>(negative ? -value : value);
}

namespace {

// Windows-1252 bytes 0x80-0x9F; 0 marks the five unassigned bytes, which
// Windows maps to the C1 control of the same value.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::string ToCp1252(std::wstring_view text) {
  // One byte a character: reports of megabytes go through here.
  std::string out(text.size(), '?');
  for (size_t at = 0; at < text.size(); ++at) {
    const wchar_t c = text[at];
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out[at] = static_cast<char>(c);
      continue;
    }
    for (int i = 0; i < 32; ++i) {
      const char16_t mapped = kCp1252High[i] ? kCp1252High[i] : char16_t(0x80 + i);
      if (mapped == c) {
        out[at] = static_cast<char>(0x80 + i);
        break;
      }
    }
  }
  return out;
}

std::wstring FromCp1252(std::string_view bytes) {
  std::wstring out(bytes.size(), L'\0');
  for (size_t at = 0; at < bytes.size(); ++at) {
    const unsigned char b = static_cast<unsigned char>(bytes[at]);
    out[at] = b >= 0x80 && b < 0xA0 && kCp1252High[b - 0x80] ? wchar_t(kCp1252High[b - 0x80])
                                                              : wchar_t(b);
  }
  return out;
}

std::wstring WithoutAnsiForm(std::wstring_view text) {
  if (FromAnsi(ToAnsi(text)) == text) return {};
  std::wstring lost;
  for (size_t at = 0; at < text.size(); ++at) {
    const std::wstring_view c = text.substr(at, 1);
    if (lost.find(c[0]) == std::wstring::npos && FromAnsi(ToAnsi(c)) != c) lost += c[0];
  }
  return lost;
}

namespace {

void AppendCodePoint(std::wstring& out, char32_t cp) {
  if constexpr (sizeof(wchar_t) == 2) {
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(wchar_t(0xD800 + (cp >> 10)));
      out.push_back(wchar_t(0xDC00 + (cp & 0x3FF)));
      return;
    }
  }
  out.push_back(wchar_t(cp));
}

}  // namespace

std::string ToUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = char32_t(text[i]);
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() &&
        char32_t(text[i + 1]) >= 0xDC00 && char32_t(text[i + 1]) <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (char32_t(text[++i]) - 0xDC00);
    } else if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(char(cp));
    } else if (cp < 0x800) {
      out.push_back(char(0xC0 | (cp >> 6)));
      out.push_back(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(char(0xE0 | (cp >> 12)));
      out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(char(0xF0 | (cp >> 18)));
      out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(char(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

namespace {

std::wstring DecodeUtf8(std::string_view bytes, bool& valid) {
  std::wstring out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    const unsigned char lead = static_cast<unsigned char>(bytes[i]);
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
      cp = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1; cp = lead & 0x1F; minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2; cp = lead & 0x0F; minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3; cp = lead & 0x07; minimum = 0x10000;
    } else {
      out.push_back(wchar_t(0xFFFD));
      valid = false;
      ++i;
      continue;
    }
    size_t j = 1;
    for (; j <= size_t(extra); ++j) {
      if (i + j >= bytes.size()) break;
      const unsigned char next = static_cast<unsigned char>(bytes[i + j]);
      if ((next & 0xC0) != 0x80) break;
      cp = (cp << 6) | (next & 0x3F);
    }
    if (j <= size_t(extra) || cp < minimum || cp > 0x10FFFF ||
        (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(wchar_t(0xFFFD));
      valid = false;
      i += j;
      continue;
    }
    AppendCodePoint(out, cp);
    i += j;
  }
  return out;
}

}  // namespace

std::wstring FromUtf8(std::string_view bytes) {
  bool valid = true;
  return DecodeUtf8(bytes, valid);
}

std::wstring FromUtf16Le(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t unit = char32_t(static_cast<unsigned char>(bytes[i])) |
                    (char32_t(static_cast<unsigned char>(bytes[i + 1])) << 8);
    if constexpr (sizeof(wchar_t) == 4) {
      if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
        char32_t low = char32_t(static_cast<unsigned char>(bytes[i + 2])) |
                       (char32_t(static_cast<unsigned char>(bytes[i + 3])) << 8);
        if (low >= 0xDC00 && low <= 0xDFFF) {
          unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
          i += 2;
        }
      }
    }
    out.push_back(wchar_t(unit));
  }
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  bool valid = true;
  DecodeUtf8(bytes, valid);
  return valid;
}

std::optional<std::wstring> FromMarkedText(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return FromUtf8(bytes.substr(3));
  if (bytes.starts_with("\xFF\xFE")) return FromUtf16Le(bytes.substr(2));
  if (bytes.starts_with("\xFE\xFF")) {
    std::string swapped(bytes.substr(2));
    for (size_t i = 0; i + 1 < swapped.size(); i += 2) {
      std::swap(swapped[i], swapped[i + 1]);
    }
    return FromUtf16Le(swapped);
  }
  return std::nullopt;
}

namespace {

// Runs of case pairs: lower-case characters first..last at `step`, each
// with its upper-case partner at lower + offset.
struct CaseRun {
  char32_t first, last;
  int step, offset;
};

constexpr CaseRun kCaseRuns[] = {
#include "base/CasePairs.inc"
};

// Upper-case partner -> lower-case partner, sorted by the upper case.
const std::vector<std::pair<char32_t, char32_t>>& UpperToLower() {
  static const auto table = [] {
    std::vector<std::pair<char32_t, char32_t>> pairs;
    for (const CaseRun& run : kCaseRuns) {
      for (char32_t c = run.first; c <= run.last; c += char32_t(run.step)) {
        pairs.emplace_back(char32_t(int32_t(c) + run.offset), c);
      }
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
  }();
  return table;
}

}  // namespace

wchar_t FoldCaseFromTable(wchar_t c) {
  const char32_t u = char32_t(c);
  const auto& table = UpperToLower();
  const auto found = std::lower_bound(table.begin(), table.end(),
                                      std::pair<char32_t, char32_t>(u, 0));
  return found != table.end() && found->first == u ? wchar_t(found->second) : c;
}

std::wstring FoldCase(std::wstring_view text) {
  std::wstring out(text);
  for (auto& c : out) c = FoldCase(c);
  return out;
}

size_t NoCaseHash::operator()(std::wstring_view text) const {
  uint64_t hash = 14695981039346656037u;  // FNV-1a
  for (wchar_t c : text) {
    hash = (hash ^ static_cast<uint32_t>(FoldCase(c))) * 1099511628211u;
  }
  return static_cast<size_t>(hash);
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

}  // namespace ravelin
