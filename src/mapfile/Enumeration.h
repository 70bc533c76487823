// One translation of a device's enumeration value into a common code.
#pragma once

#include <cstdint>
#include <vector>

namespace ravelin {

struct CEnumeration {
  int32_t m_nDDCode = 0;
  int32_t m_nCommonCode = 0;

  bool operator==(const CEnumeration&) const = default;
};

// A translation list in insertion order; it owns its elements.
using CEnumerationList = std::vector<CEnumeration>;

}  // namespace ravelin
