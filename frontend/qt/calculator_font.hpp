// The face the calculators' texts are shown in, wherever they are drawn.
#pragma once

#include <QFont>

namespace orbisk {

// The calculators' monospaced text, in a face that has their characters, at `points`.
QFont CalculatorFont(int points = 11);

}  // namespace orbisk
