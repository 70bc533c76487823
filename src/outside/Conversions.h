// The library's common code tables, one class per quantity. Each shares one
// table built on first use; constructing an object costs nothing more.
#pragma once

#include "outside/CommonConversions.h"

namespace ravelin {

class CUnitsConversion : public CCommonConversions {
 public:
  CUnitsConversion();
};

class CTransferFuncConversion : public CCommonConversions {
 public:
  CTransferFuncConversion();
};

class CProbeTypeConversion : public CCommonConversions {
 public:
  CProbeTypeConversion();
};

class CNumWiresConversion : public CCommonConversions {
 public:
  CNumWiresConversion();
};

class CCJCConversion : public CCommonConversions {
 public:
  CCJCConversion();
};

class CProbeConnectConversion : public CCommonConversions {
 public:
  CProbeConnectConversion();
};

class CWaveFormConversion : public CCommonConversions {
 public:
  CWaveFormConversion();
};

class CPressMeasTypeConversion : public CCommonConversions {
 public:
  CPressMeasTypeConversion();
};

}  // namespace ravelin
