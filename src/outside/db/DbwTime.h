// Times of the host database. An event id is a GMT day counted from
// 1899-12-30 (day 25569 is 1970-01-01) and the milliseconds of that day; it
// names an event of the event log and serves as a point in time.
#pragma once

#include <compare>
#include <cstdint>

namespace ravelin {

constexpr int32_t kUnixEpochDay = 25569;
// An assignment with no end is closed on the last day 32-bit seconds reach
// (2^32 s is 49710 whole days), and the host looks a tag up on the day
// before, which every such assignment takes in.
constexpr int32_t kOpenEndDay = 49710;
constexpr int32_t kTagLookupDay = kOpenEndDay - 1;
constexpr int32_t kMillisecondsPerDay = 86400000;

class CDbwEventId {
 public:
  CDbwEventId() = default;
  CDbwEventId(int32_t day, int32_t fraction) : day_(day), fraction_(fraction) {}
  int32_t GetDay() const { return day_; }
  int32_t GetFraction() const { return fraction_; }
  // The next event id, one millisecond later.
  CDbwEventId Next() const;
  auto operator<=>(const CDbwEventId&) const = default;

 private:
  int32_t day_ = 0;
  int32_t fraction_ = 0;
};

class CDbwTime {
 public:
  CDbwTime() = default;
  // An event id stands for the moment of its event.
  CDbwTime(const CDbwEventId& eventId) : eventId_(eventId) {}  // NOLINT
  const CDbwEventId& GetEventId() const { return eventId_; }

 private:
  CDbwEventId eventId_;
};

// Now, to the millisecond.
CDbwTime GetCurrentGMTTime();

}  // namespace ravelin
