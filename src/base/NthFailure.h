// A failure that tests place on the nth of one kind of outside call (a
// database call, a step of a file write) to see that each is handled. Off
// until a test arms it; one thread only.
#pragma once

#include <cstdint>

namespace ravelin {

class NthFailure {
 public:
  // The `nth` call from now fails; 0 turns it off.
  void Arm(uint64_t nth) {
    nth_ = nth;
    counted_ = 0;
  }
  // Counts a call about to be made: true when it is the one to fail.
  bool Strikes() { return nth_ != 0 && ++counted_ == nth_; }
  // The calls counted since Arm, the failed one included.
  uint64_t Counted() const { return counted_; }

 private:
  uint64_t nth_ = 0;
  uint64_t counted_ = 0;
};

}  // namespace ravelin
