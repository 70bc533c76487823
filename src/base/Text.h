// Text helpers shared by every layer: printf-style formatting with identical
// output on every platform, the 8-bit code page of map files and reports,
// UTF-8 for POSIX paths and consoles, and the C library's _wtoi rules.
#pragma once

#include <cstdint>
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
// to the first non-digit; no digits give 0. Overflow wraps like a 32-bit int.
int32_t WtoI(std::wstring_view text);

// Windows-1252, the 8-bit code page of map files, reports and clipboard text.
// A character without a 1252 form becomes '?'.
std::string ToCp1252(std::wstring_view text);
std::wstring FromCp1252(std::string_view bytes);

// UTF-8, for POSIX file names and console output. Invalid input bytes become
// U+FFFD; wide characters outside Unicode become U+FFFD.
std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view bytes);

// UTF-16 little-endian bytes (the profile reader's BOM-marked files).
std::wstring FromUtf16Le(std::string_view bytes);

// Simple Unicode case folding (to lower case) for names that match without
// regard to case: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic.
wchar_t FoldCase(wchar_t c);
std::wstring FoldCase(std::wstring_view text);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

}  // namespace ravelin
