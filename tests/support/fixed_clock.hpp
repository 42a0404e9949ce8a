// A clock that always tells the same local date and time.
#pragma once

#include "clock.hpp"

namespace orbisk::testing {

class FixedClock final : public Clock {
 public:
  FixedClock(int year, int month, int day, int hour, int minute) {
    moment_.tm_year = year - 1900;
    moment_.tm_mon = month - 1;
    moment_.tm_mday = day;
    moment_.tm_hour = hour;
    moment_.tm_min = minute;
  }
  std::tm LocalNow() const override { return moment_; }

 private:
  std::tm moment_{};
};

}  // namespace orbisk::testing
