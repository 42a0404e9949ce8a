// Where a conversion takes the local date and time from; tests put a fixed one in its place.
#pragma once

#include <ctime>

namespace orbisk {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::tm LocalNow() const = 0;
};

class SystemClock final : public Clock {
 public:
  std::tm LocalNow() const override;
};

}  // namespace orbisk
