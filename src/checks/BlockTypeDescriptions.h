// The conversion table of block kinds, for the parameter that selects the
// current kind of a multivariable block. Its codes are the block type codes
// of the map file.
#pragma once

#include "outside/CommonConversions.h"

namespace ravelin {

class CBlockTypeDescriptions : public CCommonConversions {
 public:
  CBlockTypeDescriptions();
};

}  // namespace ravelin
