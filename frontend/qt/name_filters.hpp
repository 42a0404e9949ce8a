// Turns a filter text of "description|pattern" pairs into Qt's name filters.
#pragma once

#include <QStringList>

namespace orbisk {

// "Fichier TI92+ (*.9xt)|*.9xt|Tous les fichiers (*.*)|*.*" gives
// "Fichier TI92+ (*.9xt) (*.9xt)" and "Tous les fichiers (*.*) (*)": the label as written,
// then the patterns Qt reads from the last parentheses, "*.*" standing for every file. The
// dialog shows the labels only (QFileDialog::HideNameFilterDetails).
QStringList QtNameFilters(const QString& pairs);

}  // namespace orbisk
