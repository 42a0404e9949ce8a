// Turns a filter text of "description|pattern" pairs into Qt's name filters.
#pragma once

#include <QStringList>

namespace orbisk {

// "Fichier TI92+ (*.9xt)|*.9xt|Tous les fichiers (*.*)|*.*" gives "Fichier TI92+ (*.9xt)"
// and "Tous les fichiers (*.*)". A description that does not already end with its pattern
// in parentheses gets it appended, since Qt reads the patterns from there.
QStringList QtNameFilters(const QString& pairs);

}  // namespace orbisk
