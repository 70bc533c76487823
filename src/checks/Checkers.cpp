#include "checks/Checkers.h"

#include <utility>

namespace ravelin {

namespace {
constexpr int32_t kLeave = -1;
constexpr wchar_t kDynamicVariable[] = L"ItemArray!dynamic_variables!Element!1!Member!";
}  // namespace

CUnitInfo::CUnitInfo(CLumendescBase* device, int32_t output)
    : CConvertingParamInfo(device) {
  if (output == 0) {
    m_strMoniker = std::wstring(kDynamicVariable) + L"DIGITAL_UNITS";
    Describe(L"input block Units Code", 6, kLeave);
  } else {
    m_strMoniker = std::wstring(kDynamicVariable) + L"ANALOG_UNITS";
    Describe(L"output block Units Code", 9, kLeave);
  }
}

CTotalizerUnitInfo::CTotalizerUnitInfo(CLumendescBase* device)
    : CConvertingParamInfo(device) {
  m_strMoniker.clear();
  Describe(L"Totalizer Units", 6, kLeave);
}

CTransferFInfo::CTransferFInfo(CLumendescBase* device) : CConvertingParamInfo(device) {
  m_strMoniker = std::wstring(kDynamicVariable) + L"TRANSFER_FUNCTION";
  Describe(L"Transfer Function Code", 5, kLeave);
}

CPrbTypeInfo::CPrbTypeInfo(CLumendescBase* device) : CConvertingParamInfo(device) {
  Describe(L"Probe Type", 4, 1);
}

CNumberWiresInfo::CNumberWiresInfo(CLumendescBase* device)
    : CConvertingParamInfo(device) {
  Describe(L"Number of Wires", 1, 1);
}

CColdCJInfo::CColdCJInfo(CLumendescBase* device) : CConvertingParamInfo(device) {
  Describe(L"Cold Junction Compensation", 0, 1);
}

CPrbConnectInfo::CPrbConnectInfo(CLumendescBase* device) : CConvertingParamInfo(device) {
  Describe(L"Probe Connect", 3, 1);
}

CWaveFInfo::CWaveFInfo(CLumendescBase* device) : CConvertingParamInfo(device) {
  m_strMoniker.clear();
  Describe(L"Wave Form", 12, 1);
}

CPressMTInfo::CPressMTInfo(CLumendescBase* device) : CConvertingParamInfo(device) {
  Describe(L"Pressure Measurement Type", 2, 1);
}

CDualBlckTypeInfo::CDualBlckTypeInfo(CLumendescBase* device, int32_t direction,
                                     std::wstring moniker)
    : CConvertingParamInfo(device) {
  m_strMoniker = std::move(moniker);
  if (direction == 1) {
    Describe(L"DUAL MODE OUTPUT BLOCK TYPE", 39, kLeave);
  } else {
    Describe(L"DUAL MODE INPUT BLOCK TYPE", 40, kLeave);
  }
}

}  // namespace ravelin
