// Every text the Qt front end shows of its own, in French.
#pragma once

#include <QString>

namespace orbisk::texts {

inline QString ApplicationTitle() { return QStringLiteral("Orbisk"); }

inline QString WindowCaption() { return QStringLiteral("Conversion text TI92+ / V200"); }
inline QString DirectionFrame() { return QStringLiteral("Sens"); }
inline QString ToV200Option() { return QStringLiteral("TI92+ -> Voyager 200"); }
inline QString ToTi92PlusOption() { return QStringLiteral(" Voyager 200 -> TI92+"); }
inline QString SourceLabel() { return QStringLiteral("Source :"); }
inline QString TargetLabel() { return QStringLiteral("Cible :"); }
inline QString BrowseButton() { return QStringLiteral("..."); }
inline QString ConvertButton() { return QStringLiteral("Convertir !"); }

// File dialog filters: description and pattern pairs separated by "|".
inline QString Ti92PlusFilter() {
  return QStringLiteral("Fichier TI92+ (*.9xt)|*.9xt|Tous les fichiers (*.*)|*.*");
}
inline QString V200Filter() {
  return QStringLiteral("Fichier V200 (*.v2t)|*.v2t|Tous les fichiers (*.*)|*.*");
}

// The Save dialog's refusal of a name in a folder that does not exist.
inline QString FolderNotFound(const QString& folder) {
  return folder + QStringLiteral("\nDossier introuvable.\nVeuillez vérifier que le nom du "
                                 "dossier est correct.");
}

inline QString CompletedCaption() { return QStringLiteral("Conversion terminée"); }
inline QString Completed(const QString& source, const QString& target) {
  return QStringLiteral("Conversion de ") + source + QStringLiteral(" vers ") + target +
         QStringLiteral(" terminé avec succès");
}

}  // namespace orbisk::texts
