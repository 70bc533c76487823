// Finds and parses the recording of a plant server: the file
// <host root>/recordings/<server>.rec (the Windows directory stands for the
// host root), its name matched without regard to case. A file is indexed once
// and again only when it changes on disk; a malformed one stays refused.
#pragma once

#include <memory>
#include <string>

#include "outside/comm/Recording.h"

namespace ravelin {

struct ServerRecording {
  std::shared_ptr<const Recording> recording;  // null when there is none
  int32_t status = kVelkOk;
  std::wstring error;  // why there is none
};

ServerRecording OpenServerRecording(const std::wstring& server);

}  // namespace ravelin
