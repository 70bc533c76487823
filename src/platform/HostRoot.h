// Every host location (the "Windows directory" with velk.ini, the DD tree,
// the database, the recordings) comes from one host root directory: the
// command-line option --host-root, else the environment variable
// RAVELIN_HOST_ROOT. Without either, Windows uses the real Windows
// directory and POSIX has none: a path compiled into the program would
// point every copy of it at one build tree's plant.
#pragma once

#include <string>

namespace ravelin {

// Sets the host root for this process (the --host-root option).
void SetHostRoot(const std::wstring& directory);

// The host root in effect; empty when none was given.
std::wstring HostRoot();

}  // namespace ravelin
