// Off Windows, 8-bit text is Windows-1252 and a user's text file is UTF-8
// when it can be.
#include "base/Text.h"

#include <utility>

namespace ravelin {

std::string ToAnsi(std::wstring_view text) { return ToCp1252(text); }

std::wstring FromAnsi(std::string_view bytes) { return FromCp1252(bytes); }

unsigned AnsiCodePage() { return 1252; }

std::wstring FromUserText(std::string_view bytes) {
  if (auto marked = FromMarkedText(bytes)) return *std::move(marked);
  return IsValidUtf8(bytes) ? FromUtf8(bytes) : FromCp1252(bytes);
}

}  // namespace ravelin
