// Every host location (the "Windows directory" with velk.ini, the DD tree,
// the database, the recordings) comes from one host root directory: the
// command-line option --host-root, else the environment variable
// RAVELIN_HOST_ROOT. Without either, POSIX uses the sample plant that the
// set-up command generates, and Windows the real Windows directory.
#pragma once

#include <string>

namespace ravelin {

// Sets the host root for this process (the --host-root option).
void SetHostRoot(const std::wstring& directory);

// The host root in effect; empty on Windows when none was given.
std::wstring HostRoot();

}  // namespace ravelin
