// Every text the Qt front end shows of its own, in French.
#pragma once

#include <QString>

#include "messages.hpp"

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

// The viewer.
inline QString ViewerCaption(const QString& fileName) {
  return QStringLiteral("Orbisk – ") + fileName;
}
// With access keys: Alt+C, Alt+T, Alt+E and Alt+F.
inline QString ConvertToV200Button() { return QStringLiteral("&Convertir vers Voyager 200"); }
inline QString ConvertToTi92PlusButton() { return QStringLiteral("Convertir vers &TI92+"); }
inline QString SaveAsTextButton() { return QStringLiteral("&Enregistrer en texte…"); }
inline QString CloseButton() { return QStringLiteral("&Fermer"); }
// Shown for a damaged file, whose text was read as far as it went: Alt+R.
inline QString RepairButton() { return QStringLiteral("&Réparer"); }
inline QString ExtractButton() { return QStringLiteral("E&xtraire…"); }
inline QString VariableLabel() { return QStringLiteral("&Variable :"); }
inline QString ExtractedCaption() { return QStringLiteral("Variable extraite"); }
inline QString Extracted(const std::string& group, const VariableEntry& entry,
                         const std::string& target) {
  return QString::fromStdString(messages::Extracted(group, entry, target));
}
inline QString RepairedCaption() { return QStringLiteral("Réparation terminée"); }
inline QString VariableFilter(const QString& extension) {
  return QStringLiteral("Variable (*.%1)|*.%1|Tous les fichiers (*.*)|*.*").arg(extension);
}
inline QString TextFilter() {
  return QStringLiteral("Texte (*.txt)|*.txt|Tous les fichiers (*.*)|*.*");
}
// "TI92+ · dossier main · variable notes · 343 octets"
inline QString ViewerDetails(const QString& model, const QString& folder, const QString& name,
                             qint64 size) {
  return model + QStringLiteral(" · dossier ") + folder + QStringLiteral(" · variable ") + name +
         QStringLiteral(" · ") + QString::number(size) +
         (size < 2 ? QStringLiteral(" octet") : QStringLiteral(" octets"));
}

inline QString CompletedCaption() { return QString::fromStdString(messages::CompletedCaption()); }
inline QString ExportedCaption() { return QString::fromStdString(messages::ExportedCaption()); }
inline QString Exported(const std::string& source, const std::string& target) {
  return QString::fromStdString(messages::Exported(source, target));
}
// Names as bytes, as the engine took them.
inline QString Completed(const std::string& source, const std::string& target) {
  return QString::fromStdString(messages::Completed(source, target));
}

}  // namespace orbisk::texts
