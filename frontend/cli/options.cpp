// The table of the orbisk command's options, and --help's lines made from it.
#include "options.hpp"

#include <iterator>

namespace orbisk {
namespace {

using Action = CommandLine::Action;
using Id = OptionId;

constexpr Action kNone = Action::OpenWindow;  // a placeholder where no mode is meant

constexpr OptionSpec Mode(Id id, const char* name, Action mode, const char* help,
                          const char* value = nullptr) {
  return {id,
          name,
          0,
          value,
          value != nullptr && mode != Action::Thumbnail,
          true,
          mode,
          {kNone, kNone, kNone},
          0,
          help};
}
constexpr OptionSpec Other(Id id, const char* name, char letter, const char* value,
                           const char* help) {
  return {id, name, letter, value, value != nullptr, false, kNone, {kNone, kNone, kNone}, 0, help};
}
constexpr OptionSpec Only(Id id, const char* name, const char* value, Action mode,
                          const char* help) {
  return {id, name, 0, value, value != nullptr, false, kNone, {mode, kNone, kNone}, 1, help};
}
// An option of the three modes that speak to a calculator.
constexpr OptionSpec Linked(Id id, const char* name, const char* value, const char* help) {
  return {id,
          name,
          0,
          value,
          value != nullptr,
          false,
          kNone,
          {Action::Send, Action::Receive, Action::ListCalculator},
          3,
          help};
}

// clang-format off
constexpr OptionSpec kOptions[] = {
    Mode(Id::Show, "--show", Action::Show,
         "afficher le texte de chaque FICHIER en UTF-8 (un programme\n"
         "tokenisé comme l'éditeur de la calculatrice le montre)"),
    Mode(Id::ToText, "--to-text", Action::ToText,
         "écrire le texte de chaque FICHIER en UTF-8 dans FICHIER.txt"),
    Mode(Id::FromText, "--from-text", Action::FromText,
         "faire un fichier de calculatrice de chaque texte UTF-8\n"
         "FICHIER.txt (Voyager 200 par défaut), ou de chaque fichier\n"
         "exporté en 7 bits (\\START92\\ … \\STOP92\\)"),
    Mode(Id::Check, "--check", Action::Check,
         "vérifier chaque FICHIER de calculatrice, sans rien changer"),
    Mode(Id::Repair, "--repair", Action::Repair,
         "récrire sain chaque FICHIER abîmé (l'ancien est gardé dans\n"
         "FICHIER~)"),
    Mode(Id::View, "--view", Action::View,
         "ouvrir chaque FICHIER dans une fenêtre d'édition (un\n"
         "fichier .txt s'y ouvre comme un nouveau texte)"),
    Mode(Id::New, "--new", Action::New,
         "ouvrir un texte vide dans une fenêtre d'édition, pour le\n"
         "modèle de --to (Voyager 200 par défaut)"),
    Mode(Id::Characters, "--characters", Action::ShowCharacters,
         "écrire la table des caractères des calculatrices"),
    Mode(Id::List, "--list", Action::List,
         "lister les variables de chaque FICHIER (groupe .89g, .9xg,\n"
         ".v2g ou variable seule) : attribut, type, taille, dossier\\nom"),
    Mode(Id::Extract, "--extract", Action::Extract,
         "écrire chaque variable de chaque groupe FICHIER dans un\n"
         "fichier à elle, à côté du groupe (ou dans --into DOSSIER),\n"
         "pour le modèle du groupe (ou celui de --to) ; un FICHIER\n"
         "DOSSIER\\NOM n'extrait que les variables ainsi nommées"),
    Mode(Id::Group, "--group", Action::MakeGroup,
         "faire le groupe GROUPE (.89g, .9xg ou .v2g, qui dit le\n"
         "modèle) des variables de chaque FICHIER", "GROUPE"),
    // Its three arguments are names, not a value of its own.
    Mode(Id::Thumbnail, "--thumbnail", Action::Thumbnail,
         "dessiner les premières lignes du texte\n"
         "(ou du premier texte d'un groupe) dans l'image PNG carrée\n"
         "IMAGE, pour les gestionnaires de fichiers ; sans affichage",
         "FICHIER IMAGE TAILLE"),
    Mode(Id::Send, "--send", Action::Send,
         "envoyer chaque FICHIER à la calculatrice branchée (converti\n"
         "en route s'il est fait pour un autre modèle)"),
    Mode(Id::Receive, "--receive", Action::Receive,
         "recevoir de la calculatrice chaque variable DOSSIER\\NOM\n"
         "(toutes avec --all), chacune dans un fichier à elle"),
    Mode(Id::Calc, "--calc", Action::ListCalculator,
         "lister les dossiers et les variables de la calculatrice\n"
         "branchée, comme --list"),
    Other(Id::To, "--to", 0, "MODÈLE",
          "v200, 92p ou 89 (ou une extension : v2t, 9xp, 89g…) : le\n"
          "modèle du fichier à faire (conversion, --from-text et\n"
          "--extract)"),
    {Id::Into, "--into", 0, "DOSSIER", true, false, kNone,
     {Action::Extract, Action::Receive, kNone}, 2,
     "avec --extract ou --receive, le dossier où écrire les\n"
     "variables"},
    Only(Id::All, "--all", nullptr, Action::Receive,
         "avec --receive, recevoir toutes les variables"),
    Linked(Id::Cable, "--cable", "CÂBLE",
           "silverlink, grey, black (ou tout câble que connaît la\n"
           "bibliothèque de liaison, comme tiemu) : le câble, quand\n"
           "ce n'est pas un SilverLink branché en USB"),
    Linked(Id::Port, "--port", "N",
           "1 à 4 : le port du câble (1 par défaut)"),
    Linked(Id::CalcModel, "--model", "MODÈLE",
           "89, 89t (Titanium), 92p ou v200 : le modèle de la\n"
           "calculatrice, quand le câble ne le dit pas"),
    Only(Id::Name, "--name", "NOM", Action::FromText,
         "le nom de la variable faite par --from-text (sinon le nom\n"
         "du fichier : au plus 8 caractères, une lettre d'abord, puis\n"
         "des lettres, des chiffres ou « _ »)"),
    {Id::Type, "--type", 0, "TYPE", true, false, kNone, {Action::FromText, Action::New, kNone}, 2,
     "prgm, func ou text : ce que fait --from-text, ou ce que --new\n"
     "ouvre (un programme ou une fonction reste en texte, que la\n"
     "calculatrice analyse à sa première exécution)"},
    {Id::Ascii, "--ascii", 0, nullptr, false, false, kNone,
     {Action::Show, Action::ToText, kNone}, 2,
     "avec --show ou --to-text, écrire au format 7 bits des\n"
     "anciens logiciels de liaison"},
    Only(Id::Encoding, "--encoding", "ENCODAGE", Action::FromText,
         "latin1 ou cp1252 : l'encodage du texte que lit\n"
         "--from-text, s'il n'est pas en UTF-8"),
    Only(Id::NoBackup, "--no-backup", nullptr, Action::Repair,
         "avec --repair, ne pas garder l'ancien fichier"),
    Only(Id::FixSignature, "--fix-signature", nullptr, Action::Repair,
         "avec --repair, donner à un fichier la signature du\n"
         "modèle de son nom"),
    Other(Id::Notify, "--notify", 0, nullptr,
          "dire quand une conversion, un --to-text ou un --from-text a\n"
          "réussi (un seul résumé pour plusieurs fichiers)"),
    Other(Id::Yes, "--yes", 'y', nullptr,
          "remplacer les fichiers existants sans poser la question"),
    Other(Id::Help, "--help", 'h', nullptr, "afficher cette aide et quitter"),
    Other(Id::Version, "--version", 'V', nullptr, "afficher la version et quitter"),
    Other(Id::EndOfOptions, "--", 0, nullptr, "tout ce qui suit est un nom de fichier"),
};
// clang-format on

// Where each option's help starts, counted from 0.
constexpr std::size_t kHelpColumn = 19;

// Columns of UTF-8 text: its bytes but the continuation ones.
std::size_t Columns(const std::string& text) {
  std::size_t columns = 0;
  for (const char c : text) columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return columns;
}

}  // namespace

const OptionSpec* OptionTable::begin() const { return std::begin(kOptions); }
const OptionSpec* OptionTable::end() const { return std::end(kOptions); }

OptionTable Options() { return {}; }

const OptionSpec* FindOption(const std::string& name) {
  for (const OptionSpec& option : Options()) {
    if (option.name == name && option.id != Id::EndOfOptions) return &option;
  }
  return nullptr;
}

const OptionSpec* FindLetter(char letter) {
  for (const OptionSpec& option : Options()) {
    if (option.letter != 0 && option.letter == letter) return &option;
  }
  return nullptr;
}

const OptionSpec* OptionFor(CommandLine::Action mode) {
  for (const OptionSpec& option : Options()) {
    if (option.isMode && option.mode == mode) return &option;
  }
  return nullptr;
}

std::string OptionHelp(bool modes) {
  std::string lines;
  for (const OptionSpec& option : Options()) {
    if (option.isMode != modes) continue;
    std::string start = option.letter != 0 ? std::string("  -") + option.letter + ", " : "      ";
    start += option.name;
    if (option.value != nullptr) start += std::string(" ") + option.value;
    const std::size_t columns = Columns(start);
    start.append(columns < kHelpColumn ? kHelpColumn - columns : 2, ' ');
    const std::string help = option.help;
    std::size_t from = 0;
    while (true) {
      const std::size_t end = help.find('\n', from);
      lines += (from == 0 ? start : std::string(kHelpColumn, ' ')) + help.substr(from, end - from);
      lines += '\n';
      if (end == std::string::npos) break;
      from = end + 1;
    }
  }
  return lines;
}

}  // namespace orbisk
