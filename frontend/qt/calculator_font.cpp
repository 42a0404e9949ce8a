// The face the calculators' texts are shown in.
#include "calculator_font.hpp"

namespace orbisk {

QFont CalculatorFont(int points) {
  QFont font;
  // FreeMono has the Control Pictures the others lack; any other missing character comes
  // from whichever installed face has it.
  font.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("FreeMono"),
                    QStringLiteral("Noto Sans Mono"), QStringLiteral("Liberation Mono"),
                    QStringLiteral("monospace")});
  font.setStyleHint(QFont::Monospace);
  font.setPointSize(points);
  return font;
}

}  // namespace orbisk
