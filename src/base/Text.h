// Text helpers shared by every layer: printf-style formatting with identical
// output on every platform, the 8-bit code page of map files and reports
// (posix/ and win32/ hold the system's part), UTF-8 for POSIX paths and
// consoles, and the C library's _wtoi rules.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ravelin {

// A printf-style formatter over wide text. Supports flags "-+ #0", width and
// precision (also "*"), the length modifiers h, hh, l, ll, z, and the
// conversions d i u x X o c s f F e E g G %. "%s" and "%c" take wide text
// (const wchar_t*, wchar_t), as the wide printf of Windows does. Output is the
// same on Linux and Windows; floating point goes through std::to_chars.
std::wstring Format(const wchar_t* format, ...);

// The C library's _wtoi: leading blanks, an optional sign, decimal digits up
// to the first non-digit; no digits give 0. A number beyond the 32-bit range
// gives the nearest end of it.
int32_t WtoI(std::wstring_view text);

// 8-bit text: profile files, map files, device lists, the report and the
// clipboard. On Windows the system ANSI code page, as the Windows API reads
// and writes such text (1250 on a Polish system); Windows-1252 elsewhere. A
// character without a form in that code page becomes '?'.
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);
// The number of that code page (GetACP on Windows, 1252 elsewhere).
unsigned AnsiCodePage();
// The characters of `text` that ToAnsi turns into something else, each once,
// in the order they first appear; empty when the text survives as it is.
std::wstring WithoutAnsiForm(std::wstring_view text);

// Windows-1252 itself: what ToAnsi and FromAnsi are off Windows. The five
// unassigned bytes map to the C1 control of the same value.
std::string ToCp1252(std::wstring_view text);
std::wstring FromCp1252(std::string_view bytes);

// Text whose first bytes are a byte order mark (UTF-8, UTF-16 LE or BE),
// decoded as the mark says, without it; nullopt when there is no mark.
std::optional<std::wstring> FromMarkedText(std::string_view bytes);

// A text file the user wrote with the system's editor (a device list): as a
// byte order mark says; without one, on Windows FromAnsi, elsewhere UTF-8
// when the bytes are valid UTF-8, else Windows-1252.
std::wstring FromUserText(std::string_view bytes);

// UTF-8, for POSIX file names and console output. Invalid input bytes become
// U+FFFD; wide characters outside Unicode become U+FFFD.
std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);

// UTF-16 little-endian bytes (the profile reader's BOM-marked files).
std::wstring FromUtf16Le(std::string_view bytes);

// Case folding for names that match without regard to case, through the
// one-to-one case table that Windows compares names with: a character and
// its simple upper case match when each is the other's simple case mapping
// (E and e, U+00C9 and U+00E9, U+0141 and U+0142, U+03A3 and U+03C3).
// Mappings that are not one-to-one give no match: U+0131 (dotless i) and
// U+0130 (I with dot) match only themselves, U+017F (long s) is no s, U+03C2
// (final sigma) no sigma. The table covers the Basic Multilingual Plane
// (CasePairs.inc). FoldCase gives the lower-case partner.
wchar_t FoldCaseFromTable(wchar_t c);
// Inline for ASCII: names are folded character by character in hot loops.
inline wchar_t FoldCase(wchar_t c) {
  const char32_t u = char32_t(c);
  if (u < 0x80) return (u >= 'A' && u <= 'Z') ? wchar_t(u + 32) : c;
  return FoldCaseFromTable(c);
}
std::wstring FoldCase(std::wstring_view text);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
// Hash and equality without regard to case, for maps keyed by views of
// stored names: a lookup then folds no copy of the name it looks for.
struct NoCaseHash {
  size_t operator()(std::wstring_view text) const;
};
struct NoCaseEqual {
  bool operator()(std::wstring_view a, std::wstring_view b) const { return EqualsNoCase(a, b); }
};

}  // namespace ravelin
