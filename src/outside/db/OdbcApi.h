// The ODBC headers, included in one place. mingw's sql.h expects the Windows
// types to be declared first, so only here does a Windows header come in; on
// POSIX unixODBC's headers stand alone. The narrow calls are used everywhere
// (the SQLite driver is ANSI-only), so the wide mapping of UNICODE builds is
// switched off.
#pragma once

#define SQL_NOUNICODEMAP
#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>
