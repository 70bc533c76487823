// The device under test as the checks see it: its block, map file and
// toolkit cursor (none of them owned).
#pragma once

#include <cstdint>

namespace ravelin {

class CMapFile;
class IVelkToolkit;

class CLumendescBase {
 public:
  // `blockKey` is -1 when the device's block was not found; `scale` is
  // accepted for the host's interface and unused.
  CLumendescBase(int32_t blockKey, double scale, CMapFile* mapFile,
                 IVelkToolkit* toolkit)
      : m_nBlockKey(blockKey), m_pMapFile(mapFile), m_pToolkit(toolkit) {
    (void)scale;
  }
  virtual ~CLumendescBase() = default;

  int32_t m_nBlockKey;
  CMapFile* m_pMapFile;
  IVelkToolkit* m_pToolkit;
};

}  // namespace ravelin
