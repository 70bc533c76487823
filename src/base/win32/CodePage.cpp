// On Windows, 8-bit text is the system ANSI code page, converted as the
// Windows API converts it.
#include <windows.h>

#include <algorithm>
#include <climits>

#include "base/Text.h"

#include <utility>

namespace ravelin {

// Our 8-bit files are small; text beyond what one call takes is cut.
std::string ToAnsi(std::wstring_view text) {
  const int size = int(std::min<size_t>(text.size(), INT_MAX / 4));
  if (size == 0) return {};
  // No best fit: a character without its own form becomes '?', never a
  // look-alike (U+0100 is not 'A').
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size,
                                         nullptr, 0, "?", nullptr);
  std::string out(size_t(std::max(length, 0)), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, out.data(), length,
                      "?", nullptr);
  return out;
}

std::wstring FromAnsi(std::string_view bytes) {
  const int size = int(std::min<size_t>(bytes.size(), INT_MAX / 4));
  if (size == 0) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
  std::wstring out(size_t(std::max(length, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, out.data(), length);
  return out;
}

unsigned AnsiCodePage() { return GetACP(); }

std::wstring FromUserText(std::string_view bytes) {
  if (auto marked = FromMarkedText(bytes)) return *std::move(marked);
  return FromAnsi(bytes);
}

}  // namespace ravelin
