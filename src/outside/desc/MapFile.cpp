#include "outside/desc/MapFile.h"

#include <charconv>
#include <optional>

#include "base/Text.h"
#include "outside/CommonConversions.h"
#include "outside/comm/VelkToolkit.h"
#include "outside/desc/MapFileLocation.h"
#include "platform/Platform.h"
#include "platform/Profile.h"

namespace ravelin {
namespace {

constexpr wchar_t kIdentification[] = L"IDENTIFICATION";
constexpr wchar_t kParameterMap[] = L"PARAMETER MAP";
constexpr wchar_t kSpecialInfo[] = L"PARAMETER SPECIAL INFO";
constexpr wchar_t kDefaults[] = L"DEFAULT PARAMETER VALUES";
constexpr wchar_t kInputBlockType[] = L"INPUT BLOCK TYPE";
constexpr wchar_t kFormulas[] = L"FORMULAS";
constexpr uint32_t kMultivariable = 99;

std::wstring ReadValue(const ProfileFile& file, const wchar_t* section,
                       const std::wstring& key) {
  wchar_t buffer[260];
  const size_t n = file.GetString(section, key.c_str(), L"", buffer, 260);
  return std::wstring(buffer, n);
}

// The map file is used only when it is meant for the caller's purpose.
std::shared_ptr<const ProfileFile> OpenForUsage(const std::wstring& path,
                                                const std::wstring& usage) {
  if (!CheckedFileStamp(path)) return nullptr;
  auto file = LoadProfile(path);
  if (!file || !EqualsNoCase(ReadValue(*file, kIdentification, usage), L"Yes")) {
    return nullptr;
  }
  return file;
}

// A whole decimal number with an optional sign; blanks around it allowed.
std::optional<int64_t> ParseInteger(std::wstring_view text) {
  const std::string narrow = ToUtf8(text);
  size_t begin = narrow.find_first_not_of(" \t");
  size_t end = narrow.find_last_not_of(" \t");
  if (begin == std::string::npos) return std::nullopt;
  if (narrow[begin] == '+') ++begin;
  int64_t value = 0;
  const auto result = std::from_chars(narrow.data() + begin, narrow.data() + end + 1, value);
  if (result.ec != std::errc() || result.ptr != narrow.data() + end + 1) return std::nullopt;
  return value;
}

std::optional<double> ParseReal(std::wstring_view text) {
  const std::string narrow = ToUtf8(text);
  size_t begin = narrow.find_first_not_of(" \t");
  size_t end = narrow.find_last_not_of(" \t");
  if (begin == std::string::npos) return std::nullopt;
  if (narrow[begin] == '+') ++begin;
  double value = 0;
  const auto result = std::from_chars(narrow.data() + begin, narrow.data() + end + 1, value);
  if (result.ec != std::errc() || result.ptr != narrow.data() + end + 1) return std::nullopt;
  return value;
}

}  // namespace

CMapFile::CMapFile(DeviceIdentification identification, IVelkToolkit* toolkit,
                   const std::wstring& usage, int32_t* mapFileKind,
                   bool /*readParameters*/, bool /*readMaps*/)
    : m_pToolkit(toolkit) {
  const bool fieldbus = identification.protocol == kIdentProtocolFieldbus;
  int32_t kind = kNoMapFile;
  std::wstring path = MapFilePath(identification.manufacturer, identification.deviceType,
                                  identification.deviceRevision, fieldbus);
  m_file = OpenForUsage(path, usage);
  if (m_file) {
    kind = kDeviceMapFile;
  } else {
    const std::wstring root = ProfileString(
        L"velk.ini", L"INSTALLATION", fieldbus ? L"DevicePathFF" : L"DevicePath", L"");
    path = JoinPath(JoinPath(root, L"Generic"), L"Generic.map");
    m_file = OpenForUsage(path, usage);
    if (m_file) kind = kGenericMapFile;
  }
  if (m_file) {
    m_strMapFilePath = path;
    m_bMapFileExists = 1;
    m_nBlockIndex = int32_t(m_file->GetInt(kIdentification, L"Block Index", 0));
  }
  if (mapFileKind) *mapFileKind = kind;
}

CMapFile::~CMapFile() = default;

std::wstring CMapFile::Value(const wchar_t* section, const std::wstring& key) const {
  return m_file ? ReadValue(*m_file, section, key) : std::wstring();
}

int32_t CMapFile::GetParamName(const std::wstring& commonName, std::wstring& ddName,
                               int32_t& specialInfo) const {
  specialInfo = kOrdinaryParameter;
  const std::wstring special = Value(kSpecialInfo, commonName);
  if (EqualsNoCase(special, L"No Associated Parameter")) {
    specialInfo = kNoAssociatedParameter;
  } else if (EqualsNoCase(special, L"Formula")) {
    specialInfo = kFormulaParameter;
  }
  const std::wstring name = Value(kParameterMap, commonName);
  if (name.empty()) return kDescNotFound;
  ddName = name;
  return 0;
}

int32_t CMapFile::GetDefaultParamValue(const std::wstring& commonName, int32_t varType,
                                       void* value, int32_t /*reserved*/) const {
  const std::wstring text = Value(kDefaults, commonName);
  if (varType == kVtI4) {
    const auto number = ParseInteger(text);
    if (!number) return kDescNotFound;
    *static_cast<int32_t*>(value) = static_cast<int32_t>(*number);
    return 0;
  }
  if (varType == kVtR4) {
    const auto number = ParseReal(text);
    if (!number) return kDescNotFound;
    *static_cast<double*>(value) = *number;
    return 0;
  }
  return kDescNotFound;
}

int32_t CMapFile::GetDdToCommonEnumMap(const std::wstring& commonName,
                                       const CCommonConversions* conversion,
                                       uint16_t ddCode, uint16_t* commonCode) const {
  const std::wstring section = commonName + L" DD to Common Map";
  const std::wstring name = Value(section.c_str(), Format(L"%u", unsigned(ddCode)));
  if (name.empty()) return kDescNotFound;
  uint16_t code = 0;
  if (conversion && conversion->GetCode(code, name) == 0) {
    *commonCode = code;
    return 0;
  }
  // The dual-mode sections map to block type codes, written as numbers.
  if (const auto number = ParseInteger(name)) {
    *commonCode = static_cast<uint16_t>(*number);
    return 0;
  }
  return kDescNotFound;
}

int32_t CMapFile::GetInputBlockType(uint32_t* type) const {
  if (!m_file) return kDescNotFound;
  const std::wstring text = Value(kInputBlockType, L"Input block");
  const uint32_t declared = text.empty() ? 1 : uint32_t(WtoI(text));
  if (declared != kMultivariable) {
    *type = declared;
    return 0;
  }
  *type = kMultivariable;
  const std::wstring parameter = Value(kInputBlockType, L"Parameter for current PV");
  if (parameter.empty() || !m_pToolkit) return kDescNotFound;
  CVelkResult current;
  if (m_pToolkit->Get(L"Param!" + parameter + L"!value", current) < 0) return kDescNotFound;
  const std::wstring blockType =
      Value(L"DUAL MODE INPUT BLOCK TYPE DD TO COMMON MAP",
            Format(L"%u", unsigned(current.m_var.GetVT_I4() & 0xFFFF)));
  const auto number = ParseInteger(blockType);
  if (!number) return kDescNotFound;
  *type = uint32_t(*number);
  return 0;
}

int32_t CMapFile::GetFormula(const std::wstring& commonName, std::wstring& formula) const {
  formula = Value(kFormulas, commonName);
  return formula.empty() ? kDescNotFound : 0;
}

}  // namespace ravelin
