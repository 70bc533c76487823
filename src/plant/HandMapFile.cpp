#include "plant/HandMapFile.h"

#include <stdexcept>

#include "base/Text.h"
#include "mapfile/MapFileKeys.h"
#include "outside/CommonConversions.h"

namespace ravelin {

using namespace mapkeys;

HandMapFile::HandMapFile(uint32_t manufacturer, uint32_t deviceType,
                         uint32_t deviceRevision, int ddRevision, int32_t blockIndex)
    : manufacturer_(manufacturer),
      deviceType_(deviceType),
      deviceRevision_(deviceRevision),
      ddRevision_(ddRevision),
      blockIndex_(blockIndex) {
  text_.Line(L";Map File");
}

void HandMapFile::Identification(bool calibration, bool exporting) {
  text_.Section(kIdentification);
  text_.HexEntry(L"Manufacturer", manufacturer_);
  text_.HexEntry(L"Model", deviceType_);
  text_.HexEntry(L"Device Revision", deviceRevision_);
  text_.HexEntry(L"DD Revision", static_cast<uint32_t>(ddRevision_));
  text_.Line(L"Map File Format Version=1");
  text_.Entry(L"Use for CalMgmt", calibration ? L"Yes" : L"No");
  text_.Entry(L"Use for Export", exporting ? L"Yes" : L"No");
  if (blockIndex_ >= 0) text_.DecimalEntry(kBlockIndex, blockIndex_);
}

void HandMapFile::Section(const std::wstring& name) {
  text_.Line(L"");
  text_.Section(name);
}

void HandMapFile::Line(const std::wstring& text) { text_.Line(text); }

void HandMapFile::Entry(const std::wstring& key, const std::wstring& value) {
  text_.Entry(key, value);
}

void HandMapFile::Map(const std::wstring& section,
                      std::initializer_list<std::pair<int32_t, uint16_t>> entries,
                      const CCommonConversions& conversion) {
  Section(section);
  for (const auto& [ddCode, commonCode] : entries) {
    std::wstring name;
    // A code missing from the table would write an entry no reader accepts.
    if (conversion.GetEnglishName(commonCode, name) != 0) {
      throw std::logic_error(ToUtf8(Format(L"no common name for code %d in [%s]",
                                           commonCode, section.c_str())));
    }
    text_.CodeEntry(ddCode, name);
  }
}

void HandMapFile::BlockTypes(int32_t input, int32_t output) {
  Section(kInputBlockType);
  Line(L";Generic=1,TempRtd=2,TempTC=3,Frequency=4,Pressure=5,Multivariable=99");
  text_.DecimalEntry(kInputBlock, input);
  Section(kOutputBlockType);
  Line(L";Generic=1,TempRtd=2,TempTC=3,Frequency=4,Pressure=5,HART=8,Multivariable=99");
  text_.DecimalEntry(kOutputBlock, output);
}

}  // namespace ravelin
