// A link session's cable wired to a fake calculator in the same process: the null cable's
// hooks hand the fake every byte the library sends, and give it the fake's answers.
#pragma once

#include "fake_calculator.hpp"
#include "link_session.hpp"

namespace orbisk::testing {

inline int Wire(CableHandle*, uint32_t, const CableEventData* event, void* user) {
  auto* calculator = static_cast<FakeCalculator*>(user);
  if (event->retval != 0) return event->retval;
  if (event->type == CABLE_EVENT_TYPE_AFTER_SEND) {
    calculator->Hear(event->data.data.data, event->data.data.len);
  } else if (event->type == CABLE_EVENT_TYPE_AFTER_RECV) {
    return calculator->Say(event->data.data.data, event->data.data.len) ? 0 : ERROR_READ_TIMEOUT;
  }
  return 0;
}

// Options for a session on the null cable, wired to `calculator`.
inline link::LinkOptions WiredTo(FakeCalculator& calculator, CalcModel model = CALC_TI89) {
  link::LinkOptions options;
  options.cable = CABLE_NUL;
  options.model = model;
  options.hook = Wire;
  options.hookData = &calculator;
  return options;
}

}  // namespace orbisk::testing
