// A map file written line by line, for what the wizard's writer cannot
// produce: input block types 2 to 4, a multivariable output block,
// formulas, usage flags other than "Yes", generic map files. The layout is
// the writer's: ";Map File" first, an empty line before every section but
// the first, CR LF line ends, Windows-1252.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "mapfile/MapFileText.h"

namespace ravelin {

class CCommonConversions;

class HandMapFile {
 public:
  // `blockIndex` < 0: no "Block Index" line (HART).
  HandMapFile(uint32_t manufacturer, uint32_t deviceType, uint32_t deviceRevision,
              int ddRevision, int32_t blockIndex);

  // The IDENTIFICATION section with the two usage flags.
  void Identification(bool calibration, bool exporting);
  void Section(const std::wstring& name);
  void Line(const std::wstring& text);
  void Entry(const std::wstring& key, const std::wstring& value);
  // A "DD to Common Map" section: DD code = English name of the common code.
  void Map(const std::wstring& section,
           std::initializer_list<std::pair<int32_t, uint16_t>> entries,
           const CCommonConversions& conversion);
  // The block type sections with their comment lines.
  void BlockTypes(int32_t input, int32_t output);

  const std::string& Bytes() const { return text_.Bytes(); }

 private:
  uint32_t manufacturer_;
  uint32_t deviceType_;
  uint32_t deviceRevision_;
  int ddRevision_;
  int32_t blockIndex_;
  MapFileText text_;
};

}  // namespace ravelin
