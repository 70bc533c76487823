#include "checks/BlockTypeDescriptions.h"

namespace ravelin {

CBlockTypeDescriptions::CBlockTypeDescriptions() {
  // 502 names the library's string table of block kinds; the names given
  // are what an untranslated library shows.
  constexpr int32_t kNameTable = 502;
  AddAnItemToList(1, kNameTable, L"Generic");
  AddAnItemToList(2, kNameTable, L"Temperature: RTD");
  AddAnItemToList(3, kNameTable, L"Temperature: TC");
  AddAnItemToList(4, kNameTable, L"Frequency");
  AddAnItemToList(5, kNameTable, L"Pressure");
  AddAnItemToList(99, kNameTable, L"Multivariable");
}

}  // namespace ravelin
