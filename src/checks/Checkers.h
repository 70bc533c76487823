// One checker per enumerated common parameter. A checker only fills the
// descriptor: the common name (the parameter's key in the map file, spelled
// exactly), the default moniker, the library's code of the parameter and
// its conversion table, which it owns by its concrete type.
#pragma once

#include <cstdint>
#include <string>

#include "checks/BlockTypeDescriptions.h"
#include "checks/ParamInfo.h"
#include "outside/Conversions.h"

namespace ravelin {

template <class Conversion>
class CConvertingParamInfo : public CParamInfo {
 protected:
  explicit CConvertingParamInfo(CLumendescBase* device) : CParamInfo(device) {
    m_pConversion = &conversion_;
    m_nExpectedType = 6;  // an enumeration
    m_nVarType = 3;       // VT_I4
    m_strValueSuffix = L"!value";
  }
  ~CConvertingParamInfo() override { m_pConversion = nullptr; }

  // Sets the fields every checker sets; a needs-moniker of -1 leaves the
  // library's value.
  void Describe(const wchar_t* commonName, int32_t paramCode, int32_t needsMoniker) {
    m_strCommonName = commonName;
    m_nParamCode = paramCode;
    if (needsMoniker >= 0) m_bNeedsMoniker = needsMoniker;
  }

 private:
  Conversion conversion_;
};

// The units of the input block (`output` 0) or of the output block.
class CUnitInfo : public CConvertingParamInfo<CUnitsConversion> {
 public:
  CUnitInfo(CLumendescBase* device, int32_t output);
};

class CTotalizerUnitInfo : public CConvertingParamInfo<CUnitsConversion> {
 public:
  explicit CTotalizerUnitInfo(CLumendescBase* device);
};

class CTransferFInfo : public CConvertingParamInfo<CTransferFuncConversion> {
 public:
  explicit CTransferFInfo(CLumendescBase* device);
};

class CPrbTypeInfo : public CConvertingParamInfo<CProbeTypeConversion> {
 public:
  explicit CPrbTypeInfo(CLumendescBase* device);
};

class CNumberWiresInfo : public CConvertingParamInfo<CNumWiresConversion> {
 public:
  explicit CNumberWiresInfo(CLumendescBase* device);
};

class CColdCJInfo : public CConvertingParamInfo<CCJCConversion> {
 public:
  explicit CColdCJInfo(CLumendescBase* device);
};

class CPrbConnectInfo : public CConvertingParamInfo<CProbeConnectConversion> {
 public:
  explicit CPrbConnectInfo(CLumendescBase* device);
};

class CWaveFInfo : public CConvertingParamInfo<CWaveFormConversion> {
 public:
  explicit CWaveFInfo(CLumendescBase* device);
};

class CPressMTInfo : public CConvertingParamInfo<CPressMeasTypeConversion> {
 public:
  explicit CPressMTInfo(CLumendescBase* device);
};

// The parameter that selects the current kind of a multivariable block:
// `direction` 1 for the output block, any other value for the input block.
class CDualBlckTypeInfo : public CConvertingParamInfo<CBlockTypeDescriptions> {
 public:
  CDualBlckTypeInfo(CLumendescBase* device, int32_t direction, std::wstring moniker);
};

}  // namespace ravelin
