// The host's program log. Entries are appended to ProgLog.txt in the Windows
// directory (the host root on POSIX), one line each, UTF-8, CR LF:
//   2026-12-08 09:05:07 ExecuteMapFileTest(212) 2 0x20000001 Server NewRoot failed.
// (local time, source and line, category, code, message). Line breaks inside
// a message become blanks so that an entry stays one line.
#pragma once

#include <cstdint>
#include <string>

namespace ravelin {

void BssProgLog(const std::wstring& source, int32_t line, int32_t category,
                uint32_t code, const std::wstring& message);

// Where BssProgLog writes.
std::wstring ProgLogPath();

}  // namespace ravelin
