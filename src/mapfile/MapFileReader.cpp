// Reads an existing map file into the model. Lookups go through the profile
// reader, so section and key names match without regard to case and a
// missing key gives the default.
#include <iterator>
#include <memory>
#include <string_view>
#include <vector>

#include "base/Text.h"
#include "mapfile/MapFileInformation.h"
#include "mapfile/MapFileKeys.h"
#include "outside/Conversions.h"
#include "platform/Platform.h"
#include "platform/Profile.h"

namespace ravelin {
namespace {

using namespace mapkeys;

constexpr size_t kValueBuffer = kMaxValueLength + 1;
constexpr size_t kKeyListBuffer = 10000;

// Lookups on the file parsed once, with the results the platform's profile
// functions give for the same file.
class Reader {
 public:
  explicit Reader(const std::wstring& path) : profile_(LoadProfile(path)) {
    // An unreadable file answers every lookup with its default.
    if (!profile_) profile_ = std::make_shared<const ProfileFile>("");
  }

  // A value as the buffer takes it.
  std::wstring Raw(const std::wstring& section, const std::wstring& key) const {
    wchar_t buffer[kValueBuffer];
    return std::wstring(buffer, profile_->GetString(section.c_str(), key.c_str(), L"",
                                                    buffer, kValueBuffer));
  }
  // A value the model keeps. When a larger buffer reads more, the value was
  // cut and its key goes to Cut() (a quoted value that just fits loses its
  // last character, so the length alone does not tell).
  std::wstring String(const std::wstring& section, const std::wstring& key) const {
    std::wstring value = Raw(section, key);
    wchar_t larger[4 * kValueBuffer];
    if (std::wstring_view(larger, profile_->GetString(section.c_str(), key.c_str(), L"", larger,
                                                      std::size(larger))) != value) {
      cut_.push_back(key);
    }
    return value;
  }
  const std::vector<std::wstring>& Cut() const { return cut_; }
  int32_t Int(const wchar_t* section, const std::wstring& key, int32_t def) const {
    return static_cast<int32_t>(profile_->GetInt(section, key.c_str(), def));
  }

  // A quantity with a parameter or a default: true when the file names a
  // parameter (then `param` holds it), false when the default applies.
  bool Param(const std::wstring& key, std::wstring& param) const {
    param = String(kParameterMap, key);
    return !param.empty();
  }

  // A textual default: the parameter if present, else the default's text.
  void TextQuantity(const std::wstring& key, std::wstring& param, bool& isDefault,
                    std::wstring& defaultText) const {
    isDefault = !Param(key, param);
    defaultText = isDefault ? String(kDefaults, key) : std::wstring();
  }

  // Appends the entries of a "DD to Common Map" section whose names the
  // conversion knows, in file order, duplicates included. The key list is
  // cut to its buffer; keys beyond the cut are not read.
  void Map(const std::wstring& quantity, CEnumerationList& list,
           const CCommonConversions& conversion) const {
    const std::wstring section = quantity + kMapSuffix;
    std::wstring keys(kKeyListBuffer, L'\0');
    keys.resize(profile_->GetString(section.c_str(), nullptr, L"", keys.data(), keys.size()));
    for (size_t pos = 0; pos < keys.size();) {
      const size_t end = keys.find(L'\0', pos);
      const std::wstring key = keys.substr(pos, end - pos);
      if (key.empty()) break;
      uint16_t common = 0;
      if (conversion.GetCode(common, Raw(section, key)) == 0) {
        list.push_back({WtoI(key), common});
      }
      if (end == std::wstring::npos) break;
      pos = end + 1;
    }
  }

 private:
  std::shared_ptr<const ProfileFile> profile_;
  mutable std::vector<std::wstring> cut_;
};

// A missing value is not "Yes", which is all the map file lookup asks.
std::wstring Usage(const Reader& file, const wchar_t* key) {
  const std::wstring value = file.String(kIdentification, key);
  return value.empty() ? L"No" : value;
}

std::wstring In(const wchar_t* quantity) { return kInput + std::wstring(quantity); }
std::wstring Out(const wchar_t* quantity) { return kOutput + std::wstring(quantity); }

}  // namespace

bool CMapFileInformation::ReadMapFile() {
  const std::wstring path = GetMapFilePath();
  if (!CheckedFileStamp(path)) return false;
  const Reader file(path);

  m_strUseForCalMgmt = Usage(file, L"Use for CalMgmt");
  m_strUseForExport = Usage(file, L"Use for Export");
  if (m_bFieldbus) {
    m_nBlockIndex = file.Int(kIdentification, kBlockIndex, -1);
  } else {
    // A 4-20 mA device has no output parameters and defaults to mA output.
    // The HART output block type marks a wireless device even when its
    // default units happen to be mA.
    const bool loopOutput =
        file.Raw(kSpecialInfo, Out(kUnits)) == kNoParameter &&
        file.Int(kDefaults, Out(kUnits), 0) == kLoopCurrentUnits &&
        file.Int(kOutputBlockType, kOutputBlock, 1) != kHartOutputBlock;
    m_bWirelessHart = !loopOutput;
  }

  m_strTagParam = file.String(kParameterMap, kTag);
  m_strMessageParam = file.String(kParameterMap, kMessage);
  m_strDescriptorParam = file.String(kParameterMap, kDescriptor);

  file.TextQuantity(In(kUrv), m_strUrvParam, m_bUrvDefault, m_strUrvDefault);
  file.TextQuantity(In(kLrv), m_strLrvParam, m_bLrvDefault, m_strLrvDefault);

  const CUnitsConversion units;
  m_bUnitsDefault = !file.Param(In(kUnits), m_strUnitsParam);
  if (m_bUnitsDefault) {
    m_nUnitsDefault = WtoI(file.Raw(kDefaults, In(kUnits)));
  } else {
    m_nUnitsDefault = -1;
    file.Map(In(kUnits), m_UnitsMap, units);
  }

  m_nInputBlockType = file.Int(kInputBlockType, kInputBlock, 1);
  if (m_nInputBlockType == kMultivariableBlock) {
    m_strProbeTypeParam = L"Param!" + file.String(kInputBlockType, kCurrentPv);
  }

  file.TextQuantity(kDamping, m_strDampingParam, m_bDampingDefault, m_strDampingDefault);

  m_bTransferFuncDefault = !file.Param(kTransferFunc, m_strTransferFuncParam);
  if (m_bTransferFuncDefault) {
    m_nTransferFuncDefault = file.Int(kDefaults, kTransferFunc, 0);
  } else {
    file.Map(kTransferFunc, m_TransferFuncMap, CTransferFuncConversion());
  }

  if (m_nInputBlockType == kMultivariableBlock) {
    std::wstring probeType;
    if (file.Param(kProbeType, probeType)) m_strProbeTypeParam = probeType;
    file.Map(kProbeType, m_ProbeTypeMap, CProbeTypeConversion());
    m_bNumWiresDefault = !file.Param(kNumWires, m_strNumWiresParam);
    if (m_bNumWiresDefault) m_nNumWiresDefault = file.Int(kDefaults, kNumWires, 2);
    file.Map(kNumWires, m_NumWiresMap, CNumWiresConversion());
  }

  if (m_nInputBlockType == kPressureBlock) {
    m_bPressMeasDefault = !file.Param(kPressMeas, m_strPressMeasParam);
    if (m_bPressMeasDefault) m_nPressMeasDefault = file.Int(kDefaults, kPressMeas, 1);
    file.Map(kPressMeas, m_PressMeasMap, CPressMeasTypeConversion());
  }

  // Either parameter marks a totalizer: the writer leaves out an empty one.
  std::wstring totalizerUnits, totalizerValue;
  const bool hasUnits = file.Param(kTotalizerUnits, totalizerUnits);
  if (file.Param(kTotalizerValue, totalizerValue) || hasUnits) {
    m_bTotalizer = true;
    m_strTotalizerUnitsParam = totalizerUnits;
    m_strTotalizerValueParam = totalizerValue;
    if (hasUnits) file.Map(kTotalizerUnits, m_TotalizerUnitsMap, units);
  }
  m_CutValueKeys = file.Cut();
  return true;
}

}  // namespace ravelin
