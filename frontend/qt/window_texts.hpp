// Every text the Qt front end shows of its own, in French.
#pragma once

#include <QLocale>
#include <QString>

#include "character_search.hpp"
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
  return folder + QStringLiteral(
                      "\nDossier introuvable.\nVeuillez vérifier que le nom du "
                      "dossier est correct.");
}

// The viewer.
// With access keys: Alt+C, Alt+T, Alt+8, Alt+X and Alt+M (Alt+F opens the Fichier menu); no
// two of what a window shows at once share one.
inline QString ConvertToV200Button() { return QStringLiteral("&Convertir vers Voyager 200"); }
inline QString ConvertToTi92PlusButton() { return QStringLiteral("Convertir vers &TI92+"); }
inline QString SaveAsTextButton() { return QStringLiteral("Enregistrer en te&xte…"); }
inline QString CloseButton() { return QStringLiteral("Fer&mer"); }
// Shown for a damaged file, whose text was read as far as it went: Alt+R.
inline QString RepairButton() { return QStringLiteral("&Réparer"); }
// Shown for a group, when Réparer never is: Alt+R.
inline QString ExtractButton() { return QStringLiteral("Extrai&re…"); }
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

// The editor's menus and their actions, with access keys.
inline QString FileMenu() { return QStringLiteral("&Fichier"); }
inline QString NewMenu() { return QStringLiteral("&Nouveau"); }
inline QString NewAction() { return QStringLiteral("&Texte"); }
inline QString NewProgramAction() { return QStringLiteral("&Programme"); }
inline QString NewFunctionAction() { return QStringLiteral("&Fonction"); }
inline QString OpenAction() { return QStringLiteral("&Ouvrir…"); }
inline QString SaveAction() { return QStringLiteral("&Enregistrer"); }
inline QString SaveAsAction() { return QStringLiteral("Enregistrer &sous…"); }
inline QString SaveAsTextAction() { return QStringLiteral("Enregistrer en &texte…"); }
inline QString CloseAction() { return QStringLiteral("&Fermer"); }
inline QString QuitAction() { return QStringLiteral("&Quitter"); }
inline QString EditMenu() { return QStringLiteral("É&dition"); }
inline QString UndoAction() { return QStringLiteral("&Annuler"); }
inline QString RedoAction() { return QStringLiteral("&Rétablir"); }
inline QString CutAction() { return QStringLiteral("Co&uper"); }
inline QString CopyAction() { return QStringLiteral("&Copier"); }
inline QString PasteAction() { return QStringLiteral("C&oller"); }
inline QString FindAction() { return QStringLiteral("Rec&hercher…"); }
inline QString ReplaceAction() { return QStringLiteral("Rem&placer…"); }
inline QString GoToLineAction() { return QStringLiteral("Aller à la &ligne…"); }
inline QString CharactersAction() { return QStringLiteral("Insérer un ca&ractère…"); }
inline QString LineMenu() { return QStringLiteral("&Ligne"); }
inline QString OrdinaryLineAction() { return QStringLiteral("Ligne &ordinaire"); }
inline QString CommandLineAction() { return QStringLiteral("Ligne de &commande (C)"); }
inline QString PrintObjLineAction() { return QStringLiteral("Ligne &PrintObj (P)"); }
inline QString PageBreakAction() { return QStringLiteral("&Saut de page"); }
inline QString ViewMenu() { return QStringLiteral("&Affichage"); }
inline QString ZoomInAction() { return QStringLiteral("Zoom a&vant"); }
inline QString ZoomOutAction() { return QStringLiteral("Zoom a&rrière"); }
inline QString ZoomResetAction() { return QStringLiteral("&Taille normale"); }
inline QString ConvertToAction(const char* model) {
  return QStringLiteral("Convertir vers ") + QString::fromUtf8(model);
}
inline QString ConvertToTi89Button() { return QStringLiteral("Convertir vers TI-&89"); }

// The mark on each continuation of a line that wraps.
inline QString ContinuationMark() { return QStringLiteral("↪"); }
inline QString UnknownCharacterTip(const QString& character) {
  return QStringLiteral(
             "Les calculatrices n'ont pas le caractère « %1 » : il sera "
             "enregistré comme « ? ».")
      .arg(character);
}
// The title of a new text that has no file yet.
// What a new text of `type` is called until it is saved.
inline QString NewTextName(unsigned char type = 0x0B) {
  return type == 0x12   ? QStringLiteral("Nouveau programme")
         : type == 0x13 ? QStringLiteral("Nouvelle fonction")
                        : QStringLiteral("Nouveau texte");
}
// A window's title: the file's name, with a mark while there are unsaved changes.
inline QString EditorCaption(const QString& fileName, bool modified) {
  return (modified ? QStringLiteral("*") : QString()) + fileName + QStringLiteral(" – Orbisk");
}
inline QString SaveChangesCaption() { return QStringLiteral("Modifications non enregistrées"); }
inline QString SaveChangesQuestion(const QString& fileName) {
  return QStringLiteral("Enregistrer les modifications de « %1 » avant de fermer ?").arg(fileName);
}
inline QString SaveChangesButton() { return QStringLiteral("&Enregistrer"); }
inline QString DiscardChangesButton() { return QStringLiteral("&Ne pas enregistrer"); }
inline QString CancelButton() { return QStringLiteral("&Annuler"); }
inline QString ReloadCaption() { return QStringLiteral("Fichier modifié"); }
// Whether the changes not saved would be lost is said only when there are some.
inline QString ReloadQuestion(const QString& path, bool modified) {
  const QString question =
      QStringLiteral("« %1 » a changé sur le disque. Voulez-vous le relire ?").arg(path);
  return modified ? question + QStringLiteral(" Vos modifications seraient perdues.") : question;
}
inline QString RecoveryCaption() { return QStringLiteral("Modifications retrouvées"); }
// `name` is the file's, or empty for a new text.
inline QString RecoveryQuestion(const QString& name) {
  return QStringLiteral(
             "Orbisk s'est arrêté sans enregistrer les modifications %1. Voulez-vous "
             "les récupérer ?")
      .arg(name.isEmpty() ? QStringLiteral("d'un nouveau texte")
                          : QStringLiteral("de « %1 »").arg(name));
}
inline QString RecoveryNotKept(const QString& reason) {
  return QStringLiteral("Aucune copie de secours des modifications n'a pu être gardée : ") + reason;
}
// The file dialog's Type column: "Dossier", "Fichier 89p", or "Fichier" without a suffix.
inline QString FolderType() { return QStringLiteral("Dossier"); }
inline QString FileType(const QString& suffix) {
  return suffix.isEmpty() ? QStringLiteral("Fichier") : QStringLiteral("Fichier ") + suffix;
}
inline QString FolderLabel() { return QStringLiteral("D&ossier :"); }
inline QString NameLabel() { return QStringLiteral("&Nom :"); }
inline QString TypeLabel() { return QStringLiteral("T&ype :"); }
inline QString TypeName(unsigned char type) {
  return type == 0x12   ? QStringLiteral("Programme")
         : type == 0x13 ? QStringLiteral("Fonction")
                        : QStringLiteral("Texte");
}
// Why the text shown cannot become a variable of type `wanted` (a program 0x12, a function
// 0x13); `current` is its type now.
inline QString CannotRetype(unsigned char current, unsigned char wanted) {
  const bool program = wanted == 0x12;
  if (current != 0x0B) {
    return QStringLiteral(
               "%1 ne devient pas %2 d'un coup : choisissez d'abord Texte, changez %3 en %4, "
               "puis choisissez %5.")
        .arg(program ? QStringLiteral("Une fonction") : QStringLiteral("Un programme"),
             program ? QStringLiteral("un programme") : QStringLiteral("une fonction"),
             program ? QStringLiteral("Func") : QStringLiteral("Prgm"),
             program ? QStringLiteral("Prgm") : QStringLiteral("Func"), TypeName(wanted));
  }
  return QStringLiteral(
             "Ce texte ne peut pas devenir %1 : sa première ligne doit donner ses arguments "
             "entre parenthèses, la deuxième être %2, et aucune ligne ne doit avoir de code de "
             "commande.")
      .arg(program ? QStringLiteral("un programme") : QStringLiteral("une fonction"),
           program ? QStringLiteral("Prgm") : QStringLiteral("Func"));
}
inline QString InvalidNameTip(const QString& name) {
  return QStringLiteral(
             "« %1 » ne peut pas nommer une variable ni un dossier : au plus 8 "
             "caractères, une lettre d'abord, puis des lettres, des chiffres ou "
             "« _ ».")
      .arg(name);
}
// "Voyager 200 · 343 octets sur 65 535 · 2 caractères absents des calculatrices"
inline QString EditorStatus(const char* model, qint64 size, qint64 largest, int unknown) {
  QString status = QString::fromUtf8(model) + QStringLiteral(" · ") + QString::number(size) +
                   (size < 2 ? QStringLiteral(" octet sur ") : QStringLiteral(" octets sur ")) +
                   QLocale(QLocale::French).toString(largest);
  if (unknown > 0) {
    status +=
        QStringLiteral(" · ") + QString::number(unknown) +
        (unknown < 2 ? QStringLiteral(" caractère absent des calculatrices (enregistré « ? »)")
                     : QStringLiteral(" caractères absents des calculatrices (enregistrés « ? »)"));
  }
  return status;
}
inline QString TokenizedNote() {
  // The calculator tokenizes it again when it next runs it.
  return QStringLiteral(" · tokenisé : sera enregistré en texte");
}
inline QString SaveTooLarge(const QString& fileName, qint64 size, qint64 largest) {
  return QStringLiteral(
             "Impossible d'enregistrer « %1 » : le texte ferait %2 octets, plus que "
             "les %3 octets qu'une variable peut contenir. Rien n'a été écrit.")
      .arg(fileName, QLocale(QLocale::French).toString(size),
           QLocale(QLocale::French).toString(largest));
}
inline QString SavedNotCaption() { return QStringLiteral("Enregistrement impossible"); }
inline QString OpenFilter() {
  return QStringLiteral(
      "Textes des calculatrices (*.v2t *.9xt *.89t *.v2p *.9xp *.89p *.v2f "
      "*.9xf *.89f *.txt)|*.v2t;*.9xt;*.89t;*.v2p;*.9xp;*.89p;*.v2f;*.9xf;"
      "*.89f;*.txt|Groupes (*.v2g *.9xg *.89g)|*.v2g;*.9xg;*.89g|Tous les fichiers (*.*)|*.*");
}
inline QString ExtractTitle() { return QStringLiteral("Extraire la variable"); }
inline QString RecentMenu() { return QStringLiteral("Ré&cents"); }
// The calculator at the end of its link cable, reached through orbisk-link.
inline QString SendAction() { return QStringLiteral("Envo&yer à la calculatrice"); }
inline QString ReceiveAction() { return QStringLiteral("Recevoir &de la calculatrice…"); }
inline QString SendCaption() { return QStringLiteral("Envoyer à la calculatrice"); }
inline QString ReceiveCaption() { return QStringLiteral("Recevoir de la calculatrice"); }
inline QString SaveBeforeSending(const QString& name) {
  return QStringLiteral(
             "« %1 » a des modifications qui ne sont pas enregistrées.\n"
             "Voulez-vous l'enregistrer avant de l'envoyer ? (Sinon, il est "
             "envoyé tel qu'il est affiché.)")
      .arg(name);
}
inline QString SentStatus(const QString& name) {
  return QStringLiteral("« %1 » envoyé à la calculatrice").arg(name);
}
inline QString ReceiveLabel() {
  return QStringLiteral("Les variables à recevoir (Ctrl ou Maj pour en choisir plusieurs) :");
}
inline QString ReceiveIntoCaption() { return QStringLiteral("Recevoir dans le dossier"); }
inline QString NothingToReceive() {
  return QStringLiteral("La calculatrice n'a aucune variable à recevoir.");
}
inline QString ReceivedStatus(qsizetype count, const QString& folder) {
  if (count == 1) return QStringLiteral("1 variable reçue dans « %1 »").arg(folder);
  return QStringLiteral("%1 variables reçues dans « %2 »").arg(count).arg(folder);
}
inline QString LinkNotInstalled() {
  return QStringLiteral(
      "L'échange avec la calculatrice n'est pas installé : il lui faut le "
      "programme orbisk-link, fourni avec le paquet d'Orbisk.");
}
inline QString LinkFailed() {
  return QStringLiteral("L'échange avec la calculatrice s'est arrêté sans dire pourquoi.");
}
inline QString NoRecentFiles() { return QStringLiteral("Aucun fichier récent"); }
// "&1 notes.89t — /home/léa/cours": the number, a key for the first nine.
inline QString RecentFileAction(int number, const QString& name, const QString& folder) {
  QString shown = name;
  shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
  QString in = folder;
  in.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return (number < 10 ? QStringLiteral("&%1 ").arg(number) : QStringLiteral("%1 ").arg(number)) +
         shown + QStringLiteral(" — ") + in;
}
inline QString ConverterAction() { return QStringLiteral("Fenêtre de con&version…"); }
inline QString FindNextAction() { return QStringLiteral("Rechercher le &suivant"); }
inline QString FindPreviousAction() { return QStringLiteral("Rechercher le &précédent"); }
inline QString HelpMenu() { return QStringLiteral("A&ide"); }
inline QString AboutAction() { return QStringLiteral("À &propos d'Orbisk"); }
inline QString AboutCaption() { return QStringLiteral("À propos d'Orbisk"); }
inline QString About(const QString& version) {
  return QStringLiteral(
             "Orbisk %1\n\nÉcrire, lire, convertir et enregistrer en texte les textes et "
             "programmes des calculatrices TI-89, TI-92 Plus et Voyager 200.\n\nLogiciel "
             "libre, sous licence MIT.")
      .arg(version);
}
// "Ligne 3, colonne 12"
inline QString CursorPosition(int line, int column) {
  return QStringLiteral("Ligne %1, colonne %2").arg(line).arg(column);
}
// A name whose extension is a program's or a function's, for a text that cannot be one.
inline QString TypeMismatch(const QString& path, unsigned char wanted) {
  const bool program = wanted == 0x12;
  return QStringLiteral(
             "Impossible d'enregistrer « %1 » : c'est le nom d'%2, et ce texte n'en est pas "
             "%3 (sa première ligne doit donner ses arguments entre parenthèses, la deuxième "
             "être %4, et aucune ligne ne doit avoir de code de commande).")
      .arg(path, program ? QStringLiteral("un programme") : QStringLiteral("une fonction"),
           program ? QStringLiteral("un") : QStringLiteral("une"),
           program ? QStringLiteral("Prgm") : QStringLiteral("Func"));
}
// Said by the cursor when "->" typed in a program became "→".
inline QString SignOffered(const QString& typed, const QString& sign) {
  return QStringLiteral("« %1 » devient « %2 », le signe de la calculatrice ; Ctrl+Z garde « %1 ».")
      .arg(typed, sign);
}
inline QString FindLabel() { return QStringLiteral("Rec&hercher :"); }
inline QString ReplaceLabel() { return QStringLiteral("Remplacer &par :"); }
inline QString FindNextButton() { return QStringLiteral("&Suivant"); }
inline QString ReplaceButton() { return QStringLiteral("Remplacer"); }
inline QString ReplaceAllButton() { return QStringLiteral("To&ut remplacer"); }
inline QString LineNumberLabel() { return QStringLiteral("Li&gne :"); }
inline QString NotFound(const QString& what) {
  return QStringLiteral("« %1 » est introuvable.").arg(what);
}
inline QString Replaced(int count) {
  return count < 2 ? QStringLiteral("%1 remplacement.").arg(count)
                   : QStringLiteral("%1 remplacements.").arg(count);
}

// The palette of characters.
inline QString CharacterSearchLabel() { return QStringLiteral("Caractère à &insérer :"); }
inline QString CharacterSearchHint() { return QStringLiteral("thêta, intégrale, <=, ->…"); }
inline QString RecentCharacters() { return QStringLiteral("Récents"); }
inline QString CharacterGroupName(CharacterGroup group) {
  switch (group) {
    case CharacterGroup::Greek: return QStringLiteral("Grec");
    case CharacterGroup::Mathematics: return QStringLiteral("Mathématiques");
    case CharacterGroup::Arrows: return QStringLiteral("Flèches");
    case CharacterGroup::AccentedLetters: return QStringLiteral("Lettres accentuées");
    case CharacterGroup::Symbols: return QStringLiteral("Symboles");
    case CharacterGroup::Others: break;
  }
  return QStringLiteral("Autres");
}
inline QString PaletteAction() { return QStringLiteral("&Palette de caractères"); }

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
