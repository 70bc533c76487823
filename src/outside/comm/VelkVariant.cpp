#include "outside/comm/VelkVariant.h"

#include <cmath>
#include <limits>

namespace ravelin {

int32_t CVelkVariant::GetVT_I4() const {
  if (vt_ == kVtI4) return i4_;
  if (vt_ != kVtR4 && vt_ != kVtR8) return 0;
  // Out-of-range and NaN floats would be undefined behaviour in a plain cast.
  const double truncated = std::trunc(r8_);
  if (!(truncated >= std::numeric_limits<int32_t>::min() &&
        truncated <= std::numeric_limits<int32_t>::max())) {
    return 0;
  }
  return static_cast<int32_t>(truncated);
}

double CVelkVariant::GetVT_R8() const {
  if (vt_ == kVtI4) return i4_;
  if (vt_ == kVtR4 || vt_ == kVtR8) return r8_;
  return 0.0;
}

}  // namespace ravelin
