// Turns a filter text of "description|pattern" pairs into Qt's name filters.
#include "name_filters.hpp"

namespace orbisk {

QStringList QtNameFilters(const QString& pairs) {
  const QStringList parts = pairs.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    // Qt separates several patterns with spaces where the filter text uses ";".
    const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString suffix = QStringLiteral("(") + pattern + QStringLiteral(")");
    filters << (description.endsWith(suffix) ? description
                                             : description + QLatin1Char(' ') + suffix);
  }
  return filters;
}

}  // namespace orbisk
