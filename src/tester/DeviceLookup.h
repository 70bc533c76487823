// What the tester asks the host database about a device key.
#pragma once

#include <cstdint>
#include <string>

namespace ravelin {

class CDbwDbSession;

// A device key or moniker that names a device template (named
// configuration): it holds "NAMEDCONFIG" in any letter case.
bool IsNamedConfigMoniker(const std::wstring& moniker);

// The key of the block that carries `tag` now. False, and `blockKey`
// untouched, when the tag or its assignment cannot be found; `result`, when
// given, then tells kDbwNotFound from kDbwDatabaseError (DbwSession.h).
bool FindBlockKeyForTag(const std::wstring& tag, int32_t& blockKey,
                        int32_t* result = nullptr);

// The manufacturer's and the device type's name of a block; both untouched
// when the block cannot be read. Returns kDbwOk, kDbwNotFound or
// kDbwDatabaseError (DbwSession.h).
int32_t GetBlockNames(int32_t blockKey, std::wstring& manufacturerName,
                      std::wstring& deviceTypeName);

// "the host database could not be read: " and the session's last error, the
// words every tool uses when a statement failed; `session` may be null.
std::wstring HostDatabaseUnreadable(const CDbwDbSession* session);

}  // namespace ravelin
