// The toolkit walk the browsing dialogs share: a cursor on a plant server's
// current data, and the children of its item with their attributes read in
// one batch per child.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "outside/comm/VelkToolkit.h"

namespace ravelin {

// Puts `cursor` on `moniker` of the server's current data; false when the
// server cannot be reached.
bool OpenCursor(CVelkToolkit& cursor, const std::wstring& server, int32_t protocol,
                const std::wstring& moniker);

// Calls `child` for each child of the cursor's item, with the results of
// `attributes` in their order; nothing when the item has no children.
using ChildVisitor = std::function<void(IVelkToolkit& cursor, const CVelkResult* results)>;
void ForEachChild(IVelkToolkit& cursor, std::initializer_list<const wchar_t*> attributes,
                  const ChildVisitor& child);

// A result's text when it is a string, else empty.
std::wstring StringOf(const CVelkResult& result);

}  // namespace ravelin
