// Writes the model as a map file. The file is written beside its final name
// and moved over it only when complete, so a failed write leaves the old file
// as it was.

#include "mapfile/MapFileInformation.h"
#include "mapfile/MapFileKeys.h"
#include "mapfile/MapFileText.h"
#include "outside/Conversions.h"
#include "platform/Platform.h"

namespace ravelin {
namespace {

using namespace mapkeys;

std::wstring In(const wchar_t* quantity) { return kInput + std::wstring(quantity); }
std::wstring Out(const wchar_t* quantity) { return kOutput + std::wstring(quantity); }
std::wstring MapSection(const std::wstring& quantity) { return quantity + kMapSuffix; }

void BeginSection(MapFileText& text, const std::wstring& name) {
  text.Line(L"");
  text.Section(name);
}

void WriteMap(MapFileText& text, const std::wstring& section,
              const CEnumerationList& list, const CCommonConversions& conversion) {
  BeginSection(text, section);
  for (const CEnumeration& entry : list) {
    std::wstring name;
    conversion.GetEnglishName(static_cast<uint16_t>(entry.m_nCommonCode), name);
    text.CodeEntry(entry.m_nDDCode, name);
  }
}

std::wstring AfterLastBang(const std::wstring& path) {
  const size_t bang = path.rfind(L'!');
  return bang == std::wstring::npos ? path : path.substr(bang + 1);
}

class Writer {
 public:
  explicit Writer(const CMapFileInformation& model)
      : m_(model),
        loopOutput_(!model.m_bFieldbus && !model.m_bWirelessHart),
        pressure_(model.m_nInputBlockType == kPressureBlock),
        multivariable_(model.m_nInputBlockType == kMultivariableBlock) {}

  const MapFileText& Text() {
    text_.Line(L";Map File");
    Identification();
    ParameterMap();
    SpecialInfo();
    Defaults();
    BlockTypes();
    Maps();
    return text_;
  }

 private:
  void Identification() {
    text_.Section(kIdentification);
    text_.HexEntry(L"Manufacturer", m_.m_nManufacturer);
    text_.HexEntry(L"Model", m_.m_nDeviceType);
    text_.HexEntry(L"Device Revision", m_.m_nDeviceRevision);
    text_.HexEntry(L"DD Revision", static_cast<uint32_t>(m_.GetDDRevision()));
    text_.Line(L"Map File Format Version=1");
    text_.Entry(L"Use for CalMgmt", m_.m_strUseForCalMgmt);
    text_.Entry(L"Use for Export", m_.m_strUseForExport);
    if (m_.m_bFieldbus) text_.DecimalEntry(kBlockIndex, m_.m_nBlockIndex);
  }

  void ParameterMap() {
    BeginSection(text_, kParameterMap);
    if (!m_.m_bUrvDefault) text_.Entry(In(kUrv), m_.m_strUrvParam);
    if (!m_.m_bLrvDefault) text_.Entry(In(kLrv), m_.m_strLrvParam);
    if (!m_.m_bUnitsDefault) text_.Entry(In(kUnits), m_.m_strUnitsParam);
    if (pressure_ && !m_.m_bPressMeasDefault) text_.Entry(kPressMeas, m_.m_strPressMeasParam);
    if (multivariable_) text_.Entry(kProbeType, m_.m_strProbeTypeParam);
    if (multivariable_ && !m_.m_bNumWiresDefault) text_.Entry(kNumWires, m_.m_strNumWiresParam);
    if (!loopOutput_) {
      if (!m_.m_bUrvDefault) text_.Entry(Out(kUrv), m_.m_strUrvParam);
      if (!m_.m_bLrvDefault) text_.Entry(Out(kLrv), m_.m_strLrvParam);
      if (!m_.m_bUnitsDefault) text_.Entry(Out(kUnits), m_.m_strUnitsParam);
    }
    if (m_.m_bWirelessHart) {
      text_.Entry(kUpperSensorLimit, m_.m_strUrvParam);
      text_.Entry(kLowerSensorLimit, m_.m_strLrvParam);
    }
    if (!m_.m_bDampingDefault) text_.Entry(kDamping, m_.m_strDampingParam);
    if (!m_.m_bTransferFuncDefault) text_.Entry(kTransferFunc, m_.m_strTransferFuncParam);
    if (m_.m_bTotalizer) {
      EntryIfSet(kTotalizerUnits, m_.m_strTotalizerUnitsParam);
      EntryIfSet(kTotalizerValue, m_.m_strTotalizerValueParam);
    }
    EntryIfSet(kTag, m_.m_strTagParam);
    EntryIfSet(kMessage, m_.m_strMessageParam);
    EntryIfSet(kDescriptor, m_.m_strDescriptorParam);
  }

  void SpecialInfo() {
    BeginSection(text_, kSpecialInfo);
    NoParameterIf(m_.m_bUrvDefault, In(kUrv));
    NoParameterIf(m_.m_bLrvDefault, In(kLrv));
    NoParameterIf(m_.m_bUnitsDefault, In(kUnits));
    NoParameterIf(loopOutput_ || m_.m_bUrvDefault, Out(kUrv));
    NoParameterIf(loopOutput_ || m_.m_bLrvDefault, Out(kLrv));
    NoParameterIf(loopOutput_ || m_.m_bUnitsDefault, Out(kUnits));
    NoParameterIf(m_.m_bDampingDefault, kDamping);
    NoParameterIf(m_.m_bTransferFuncDefault, kTransferFunc);
    NoParameterIf(pressure_ && m_.m_bPressMeasDefault, kPressMeas);
    NoParameterIf(multivariable_, kProbeConnect);
    NoParameterIf(multivariable_, kCjc);
    NoParameterIf(multivariable_ && m_.m_bNumWiresDefault, kNumWires);
    NoParameterIf(m_.m_bWirelessHart, kPollingAddress);
  }

  void Defaults() {
    BeginSection(text_, kDefaults);
    if (m_.m_bUrvDefault) text_.Entry(In(kUrv), m_.m_strUrvDefault);
    if (m_.m_bLrvDefault) text_.Entry(In(kLrv), m_.m_strLrvDefault);
    if (m_.m_bUnitsDefault) text_.DecimalEntry(In(kUnits), m_.m_nUnitsDefault);
    if (loopOutput_) {
      text_.Entry(Out(kUrv), L"20.0");
      text_.Entry(Out(kLrv), L"4.0");
      text_.DecimalEntry(Out(kUnits), kLoopCurrentUnits);
    } else {
      if (m_.m_bUrvDefault) text_.Entry(Out(kUrv), m_.m_strUrvDefault);
      if (m_.m_bLrvDefault) text_.Entry(Out(kLrv), m_.m_strLrvDefault);
      if (m_.m_bUnitsDefault) text_.DecimalEntry(Out(kUnits), m_.m_nUnitsDefault);
    }
    if (m_.m_bDampingDefault) text_.Entry(kDamping, m_.m_strDampingDefault);
    if (m_.m_bTransferFuncDefault) text_.DecimalEntry(kTransferFunc, m_.m_nTransferFuncDefault);
    if (pressure_ && m_.m_bPressMeasDefault) text_.DecimalEntry(kPressMeas, m_.m_nPressMeasDefault);
    if (multivariable_) {
      text_.Entry(kProbeConnect, L"1");
      text_.Entry(kCjc, L"1");
      if (m_.m_bNumWiresDefault) text_.DecimalEntry(kNumWires, m_.m_nNumWiresDefault);
    }
    if (m_.m_bWirelessHart) text_.Entry(kPollingAddress, L"0");
  }

  void BlockTypes() {
    BeginSection(text_, kInputBlockType);
    text_.Line(L";Generic=1,TempRtd=2,TempTC=3,Frequency=4,Pressure=5,Multivariable=99");
    text_.DecimalEntry(kInputBlock, m_.m_nInputBlockType);
    if (multivariable_) text_.Entry(kCurrentPv, AfterLastBang(m_.m_strProbeTypeParam));
    BeginSection(text_, kOutputBlockType);
    text_.Line(L";Generic=1,TempRtd=2,TempTC=3,Frequency=4,Pressure=5,HART=8,Multivariable=99");
    text_.DecimalEntry(kOutputBlock, m_.m_bWirelessHart ? kHartOutputBlock : 1);
  }

  void Maps() {
    const CUnitsConversion units;
    if (!m_.m_bUnitsDefault) {
      WriteMap(text_, MapSection(In(kUnits)), m_.m_UnitsMap, units);
      if (!loopOutput_) WriteMap(text_, MapSection(Out(kUnits)), m_.m_UnitsMap, units);
    }
    if (pressure_ && !m_.m_bPressMeasDefault) {
      WriteMap(text_, MapSection(kPressMeas), m_.m_PressMeasMap, CPressMeasTypeConversion());
    }
    if (!m_.m_bTransferFuncDefault) {
      WriteMap(text_, MapSection(kTransferFunc), m_.m_TransferFuncMap,
               CTransferFuncConversion());
    }
    if (multivariable_) {
      BeginSection(text_, kDualMode);
      for (const CEnumeration& entry : m_.m_ProbeTypeMap) {
        text_.CodeEntry(entry.m_nDDCode,
                        std::to_wstring(CMapFileInformation::ProbeTypeToBlockType(
                            entry.m_nCommonCode)));
      }
      WriteMap(text_, MapSection(kProbeType), m_.m_ProbeTypeMap, CProbeTypeConversion());
      WriteMap(text_, MapSection(kNumWires), m_.m_NumWiresMap, CNumWiresConversion());
    }
    if (m_.m_bTotalizer && !m_.m_strTotalizerUnitsParam.empty()) {
      WriteMap(text_, MapSection(kTotalizerUnits), m_.m_TotalizerUnitsMap, units);
    }
  }

  void EntryIfSet(const std::wstring& key, const std::wstring& param) {
    if (!param.empty()) text_.Entry(key, param);
  }

  void NoParameterIf(bool condition, const std::wstring& key) {
    if (condition) text_.Entry(key, kNoParameter);
  }

  const CMapFileInformation& m_;
  const bool loopOutput_;  // a HART device with a 4-20 mA output
  const bool pressure_;
  const bool multivariable_;
  MapFileText text_;
};

}  // namespace

std::string CMapFileInformation::MapFileBytes() const { return Writer(*this).Text().Bytes(); }

std::wstring CMapFileInformation::WriteProblem() const { return Writer(*this).Text().Problem(); }

bool CMapFileInformation::WriteMapFile() const {
  Writer writer(*this);
  const MapFileText& text = writer.Text();
  return text.Problem().empty() && WriteFileReplacing(GetMapFilePath(), text.Bytes());
}

}  // namespace ravelin
