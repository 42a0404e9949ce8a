// Turns a filter text of "description|pattern" pairs into Qt's name filters.
#include "name_filters.hpp"

namespace orbisk {

QStringList QtNameFilters(const QString& pairs) {
  const QStringList parts = pairs.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'));
    // "*.*" means every file where the filter texts come from; here it would miss names
    // without a dot.
    for (QString& pattern : patterns) {
      if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
    }
    filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filters;
}

}  // namespace orbisk
