// Where the device keys of a batch run come from: a device list file or the
// host database's templates.
#pragma once

#include <string>
#include <vector>

namespace ravelin {

// The keys of a device list file: one key per line, in file order. The
// file is text as the system's editor writes it (FromUserText: a byte order
// mark decides; without one, UTF-8 on Linux unless the bytes are not valid
// UTF-8, then Windows-1252; on Windows the system code page). Lines end in
// LF or CR LF; empty lines are skipped and nothing else is interpreted.
// False when the file cannot be read.
bool ReadDeviceList(const std::wstring& path, std::vector<std::wstring>& keys);

// "!NamedConfig!" and the name of every device template, in the template
// join's order. False, and `problem` is "the host database could not be
// read: <reason>", when the host database cannot be opened or read.
bool ListTemplateKeys(std::vector<std::wstring>& keys, std::wstring& problem);

// A key as the progress window shows it: every "!NamedConfig!" removed.
std::wstring DisplayKey(std::wstring key);

}  // namespace ravelin
