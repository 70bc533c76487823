#include "outside/db/DbwTime.h"

#include <chrono>

namespace ravelin {

CDbwEventId CDbwEventId::Next() const {
  return fraction_ + 1 < kMillisecondsPerDay ? CDbwEventId(day_, fraction_ + 1)
                                             : CDbwEventId(day_ + 1, 0);
}

CDbwTime GetCurrentGMTTime() {
  using namespace std::chrono;
  const auto now = time_point_cast<milliseconds>(system_clock::now());
  const auto day = floor<days>(now);
  return CDbwEventId(
      kUnixEpochDay + static_cast<int32_t>(day.time_since_epoch().count()),
      static_cast<int32_t>((now - day).count()));
}

}  // namespace ravelin
