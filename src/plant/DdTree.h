// The DD tree: symbol files of the installed device descriptions, the map
// files of the revisions that have one, and a generic map file per protocol
// (<DD root>/Generic/Generic.map). Runs with velk.ini of the new plant in
// effect, so that every path comes from the map file location itself.
#pragma once

#include <string>

#include "plant/PlantContent.h"

namespace ravelin::plant {

void WriteDdTree(const Plant& plant, const std::wstring& hartRoot,
                 const std::wstring& fieldbusRoot);

}  // namespace ravelin::plant
