// lumenutil's two reads of one attribute of a cursor's current item. The
// progress dialog would let a user cancel a slow read; reads here are
// synchronous and the plug-in passes none, so it is ignored.
#pragma once

#include <cstdint>
#include <string>

#include "outside/comm/VelkToolkit.h"

namespace ravelin {

class CVelkProgressDialog;

// 0 and the value when the attribute reads as an integer (string); otherwise
// a negative status and `value` untouched, also for a value of another type.
int32_t CancelableIntRead(IVelkToolkit& toolkit, const std::wstring& attribute, int32_t& value,
                          CVelkProgressDialog* dialog);
int32_t CancelableStringRead(IVelkToolkit& toolkit, const std::wstring& attribute,
                             std::wstring& value, CVelkProgressDialog* dialog);

}  // namespace ravelin
