// The system's local date and time.
#include "clock.hpp"

namespace orbisk {

std::tm SystemClock::LocalNow() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

}  // namespace orbisk
