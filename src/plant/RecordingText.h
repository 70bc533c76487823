// The plant server's recording (docs/recording-format.md) of a plant.
#pragma once

#include <string>

#include "plant/PlantContent.h"

namespace ravelin::plant {

std::string RecordingText(const Plant& plant);

}  // namespace ravelin::plant
