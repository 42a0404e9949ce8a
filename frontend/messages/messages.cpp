// Every text a person reads about what the engine did, in French.
#include "messages.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "charset.hpp"
#include "header.hpp"
#include "program_variable.hpp"
#include "quoting.hpp"
#include "target_names.hpp"
#include "variable_types.hpp"

namespace orbisk::messages {
namespace {

// The reasons a file operation of Orbisk can meet, in French whatever the locale.
const char* FrenchReason(int error) {
  switch (error) {
    case ENOENT: return "Aucun fichier ou dossier de ce nom";
    case EACCES: return "Permission refusée";
    case EPERM: return "Opération non permise";
    case EROFS: return "Système de fichiers en lecture seule";
    case ENOSPC: return "Plus de place sur le périphérique";
    case EDQUOT: return "Quota d'espace disque dépassé";
    case EFBIG: return "Fichier trop gros";
    case EISDIR: return "C'est un dossier";
    case ENOTDIR: return "Ce n'est pas un dossier";
    case ENAMETOOLONG: return "Nom de fichier trop long";
    case ELOOP: return "Trop de niveaux de liens symboliques";
    case EIO: return "Erreur d'entrée-sortie";
    case EXDEV: return "Lien impossible entre deux systèmes de fichiers";
    case EBUSY: return "Périphérique ou ressource occupé";
    case ETXTBSY: return "Fichier exécutable en cours d'utilisation";
    case EMFILE: return "Trop de fichiers ouverts";
    case ENFILE: return "Trop de fichiers ouverts dans le système";
    case ENOMEM: return "Mémoire insuffisante";
    case EEXIST: return "Le fichier existe déjà";
    case EINVAL: return "Argument invalide";
    case EOPNOTSUPP: return "Opération non prise en charge";
    case ESTALE: return "Descripteur de fichier réseau périmé";
    case ENXIO: return "Aucun périphérique ou adresse de ce nom";
    case ENODEV: return "Aucun périphérique de ce type";
    case EAGAIN: return "Ressource temporairement indisponible";
    case EBADF: return "Mauvais descripteur de fichier";
    case EPIPE: return "Relais brisé (tube)";
    default: return nullptr;
  }
}

std::string Hex(std::uint64_t value, int digits) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "0x%0*llX", digits, static_cast<unsigned long long>(value));
  return buffer;
}

// Two bytes as they lie in the file, "A5 5A".
std::string TwoBytes(std::uint64_t first, std::uint64_t second) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02X %02X", static_cast<unsigned>(first & 0xFF),
                static_cast<unsigned>(second & 0xFF));
  return buffer;
}

// Bytes read from a file, shown as they are when printable ASCII, "\xNN" otherwise.
std::string Shown(const std::string& bytes) {
  std::string shown;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      shown += c;
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      shown += escape;
    }
  }
  return shown;
}

// Bytes as they lie in the file, "00 19 E4".
std::string HexBytes(const std::string& bytes) {
  std::string shown;
  for (const char c : bytes) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(c));
    shown += (shown.empty() ? "" : " ") + std::string(hex);
  }
  return shown;
}

std::string Place(std::size_t line, std::size_t column) {
  return "ligne " + std::to_string(line) + ", colonne " + std::to_string(column);
}

std::string ModelOfSignature(Signature signature, const FileReport& report) {
  switch (signature) {
    case Signature::Ti89: return "TI-89";
    case Signature::Ti92: return "TI-92";
    case Signature::V200: return "Voyager 200";
    case Signature::Ti92Plus:
      // Shared by the TI-92 Plus and the Voyager 200, and given to TI-89 files by the old
      // link software: the file's name and comment tell which.
      return report.model == Model::Voyager200 ? "Voyager 200"
             : report.model == Model::Ti89     ? "TI-89"
                                               : "TI92+";
    case Signature::Unknown: break;
  }
  return "?";
}

// A file's name as a message shows it, and as a word of a command to type.
std::string Q(const std::string& path) { return QuoteName(path); }
std::string W(const std::string& path) { return ShellWord(path); }

// What a damaged file's problems amount to, as short clauses, each once.
std::string DamageClauses(const std::vector<Problem>& problems, bool cutShort) {
  using Kind = Problem::Kind;
  std::vector<std::string> clauses;
  const auto add = [&clauses](const std::string& clause) {
    if (std::find(clauses.begin(), clauses.end(), clause) == clauses.end()) {
      clauses.push_back(clause);
    }
  };
  for (const Problem& problem : problems) {
    switch (problem.kind) {
      case Kind::Checksum: add("la somme de contrôle est fausse"); break;
      case Kind::FileSizeField: add("la taille du fichier inscrite est fausse"); break;
      case Kind::VariableSizeDoesNotFit:
        add(cutShort ? "il est coupé avant la fin de son texte"
                     : "la taille de la variable inscrite est fausse");
        break;
      case Kind::TextWithoutEnd: add("le texte ne se termine pas par 00 E0"); break;
      case Kind::TextHoldsNul: add(ProblemText(problem)); break;
      case Kind::SignatureNotOfName: add("sa signature n'est pas celle de son nom"); break;
      default: add("son en-tête est abîmé"); break;
    }
  }
  std::string text;
  for (std::size_t i = 0; i < clauses.size(); ++i) text += (i == 0 ? "" : ", ") + clauses[i];
  return text;
}

// What a repair changed, as the parts of the file it wrote anew, each once.
std::string MendedParts(const std::vector<Problem>& problems) {
  using Kind = Problem::Kind;
  std::vector<std::string> parts;
  for (const Problem& problem : problems) {
    std::string part;
    switch (problem.kind) {
      case Kind::Checksum: part = "la somme de contrôle"; break;
      case Kind::FileSizeField: part = "la taille du fichier"; break;
      case Kind::VariableSizeDoesNotFit: part = "la taille de la variable"; break;
      case Kind::TextWithoutEnd: part = "la fin 00 E0 du texte"; break;
      case Kind::SignatureNotOfName:
      case Kind::OldLinkSignature: part = "la signature"; break;
      default: part = "l'en-tête"; break;
    }
    if (std::find(parts.begin(), parts.end(), part) == parts.end()) parts.push_back(part);
  }
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i) text += (i == 0 ? "" : ", ") + parts[i];
  return text;
}

std::string RepairHint(const std::string& path) {
  return "Pour le réparer : orbisk --repair " + W(path) + ".";
}

// The advice a damaged file gets: a repair, unless a 00 inside its text would make a repair
// cut it, which it then refuses.
std::string RepairHint(const std::string& path, const std::vector<Problem>& problems) {
  for (const Problem& problem : problems) {
    if (problem.kind == Problem::Kind::TextHoldsNul) {
      return "Une réparation le couperait : corrigez son texte (orbisk --to-text " + W(path) +
             ", puis --from-text).";
    }
  }
  return RepairHint(path);
}

// The model a conversion from `model` usually goes to, for a command to suggest.
Model OtherModel(Model model) {
  return model == Model::Voyager200 ? Model::Ti92Plus : Model::Voyager200;
}

std::string Summary(std::size_t done, const char* one, const char* several,
                    const std::vector<std::string>& failures) {
  std::string text = std::to_string(done) + " " + (done < 2 ? one : several);
  if (!failures.empty()) {
    text +=
        ", " + std::to_string(failures.size()) + (failures.size() == 1 ? " échec :" : " échecs :");
    for (const std::string& failure : failures) text += "\n" + failure;
  }
  return text;
}

std::string WithReason(const std::string& start, const std::string& path, int error) {
  return start + Q(path) + " : " + Reason(error) + ".";
}

std::string TemporaryLeftBehind(const std::string& temporary, int error) {
  return "Le fichier temporaire " + Q(temporary) + " n'a pas pu être supprimé : " + Reason(error) +
         ".";
}

std::string NotAFile(const std::string& verb, const std::string& path) {
  return "Impossible " + verb + " " + Q(path) +
         " : ce n'est pas un fichier (dossier, tube ou périphérique).";
}

std::string NotAValidFile(const std::string& path, const std::vector<Problem>& problems) {
  std::string text = "Impossible de lire " + Q(path) + " : ";
  for (std::size_t i = 0; i < problems.size(); ++i) {
    text += (i == 0 ? "" : " ; ") + ProblemText(problems[i]);
  }
  return text + ".";
}

// The arguments of a tokenized program as the calculator shows them: "(x,y)".
std::string ArgumentList(const std::vector<std::string>& arguments) {
  std::string list = "(";
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) list += ",";
    AppendUtf8(list, arguments[i]);
  }
  return list + ")";
}

// What a variable bound to its model or its calculator is, and why it stays there.
std::string WhyItCannotMove(unsigned char type) {
  switch (type) {
    case types::kAssembly:
      return "un programme en assembleur, écrit pour un seul modèle, qui ne fonctionnerait pas "
             "sur un autre";
    case types::kBackup:
      return "une sauvegarde, l'image de la mémoire d'une calculatrice liée à la version de son "
             "système";
    case types::kOperatingSystem: return "un système d'exploitation, signé pour un seul modèle";
    case types::kApplication: return "une application Flash, signée pour un seul modèle";
    case types::kCertificate: return "un certificat, propre à une seule calculatrice";
    case types::kClock: return "l'horloge d'une calculatrice, propre à chacune";
    case types::kIdentityList: return "la liste d'identité d'une calculatrice, propre à chacune";
    default: break;
  }
  return "une variable de type " + Hex(type, 2) + ", propre à un seul modèle";
}

// A variable the engine names as its folder, "\\" and its name, in codes.
std::string ShownVariable(const std::string& variable) {
  const std::size_t slash = variable.find('\\');
  return VariablePath(variable.substr(0, slash), variable.substr(slash + 1));
}

// The text of the error itself, without what a failed clean-up adds.
std::string Sentence(const Error& e) {
  const std::string& path = e.path;
  switch (e.kind) {
    case ErrorKind::Declined: return {};
    case ErrorKind::MissingSource: return "Le fichier " + Q(path) + " n'existe pas";
    case ErrorKind::CannotAccess: return WithReason("Impossible d'accéder à ", path, e.code);
    case ErrorKind::CannotOpen: return WithReason("Impossible d'ouvrir le fichier ", path, e.code);
    case ErrorKind::CannotRead: return WithReason("Impossible de lire le fichier ", path, e.code);
    case ErrorKind::CannotWrite: return WithReason("Impossible d'écrire le fichier ", path, e.code);
    case ErrorKind::CannotReplace:
      return WithReason("Impossible de remplacer le fichier ", path, e.code);
    case ErrorKind::NotAFileToConvert: return NotAFile("de convertir", path);
    case ErrorKind::NotAFileToRead: return NotAFile("de lire", path);
    case ErrorKind::TooShort:
      return "Impossible de convertir " + Q(path) + " : il ne fait que " + Bytes(e.size) +
             ", moins que les " + Bytes(kHeaderSpan) + " d'un en-tête.";
    case ErrorKind::TargetIsAFolder:
      return "Impossible d'écrire " + Q(path) + " : c'est un dossier.";
    case ErrorKind::TargetNotAFile:
      return "Impossible d'écrire " + Q(path) + " : ce n'est pas un fichier ordinaire.";
    case ErrorKind::TargetIsADanglingLink:
      return "Impossible d'écrire " + Q(path) +
             " : c'est un lien symbolique vers un fichier qui n'existe pas.";
    case ErrorKind::FolderNotWritable:
      return "Impossible d'écrire le fichier " + Q(path) +
             " : vous n'avez pas le droit d'écrire dans le dossier " + Q(e.other) + ".";
    case ErrorKind::SameFile: return Q(e.other) + " et " + Q(path) + " sont le même fichier.";
    case ErrorKind::JustCreated:
      return "Ne remplace pas " + Q(path) + " qui vient d'être créé, par le résultat de " +
             Q(e.other) + ".";
    case ErrorKind::NotAValidFile: return NotAValidFile(path, e.problems);
    case ErrorKind::NotAText:
      if (e.type == types::kBackup) {
        return "Impossible de lire le texte de " + Q(path) + " : c'est " + WhyItCannotMove(e.type) +
               " ; orbisk --list " + W(path) + " la décrit.";
      }
      return "Impossible de lire le texte de " + Q(path) + " : " +
             ProblemText({Problem::Kind::NotAText, e.type}) + ".";
    case ErrorKind::TextFileTooLarge:
      return "Impossible d'importer " + Q(path) + " : il fait " + Bytes(e.size) +
             ", bien trop pour une variable, qui contient au plus " +
             Bytes(layout::kMaxVariableSize) + ".";
    case ErrorKind::NotUtf8:
      return "Impossible d'importer " + Q(path) + " : " + Place(e.line, e.column) +
             ", un octet n'est pas du texte UTF-8 ; enregistrez-le en UTF-8, ou lisez-le avec "
             "--encoding latin1 ou --encoding cp1252.";
    case ErrorKind::TextTooLarge:
      return "Impossible d'importer " + Q(path) + " : la variable ferait " + Bytes(e.size) +
             ", plus que les " + Bytes(layout::kMaxVariableSize) +
             " qu'une variable peut contenir.";
    case ErrorKind::FolderMissing:
      return "Impossible d'écrire le fichier " + Q(path) + " : " +
             (e.code == ENOTDIR ? Q(e.other) + " n'est pas un dossier."
                                : "le dossier " + Q(e.other) + " n'existe pas.");
    case ErrorKind::NotACalculatorFile: return NotACalculatorFile(path);
    case ErrorKind::AlreadyACalculatorFile:
      return "Impossible d'importer " + Q(path) + " : c'est déjà un fichier de calculatrice (" +
             ModelName(e.model) + ") ; pour en lire le texte : orbisk --show " + W(path) +
             ", pour le convertir : orbisk --to " + ExtensionOf(OtherModel(e.model)) + " " +
             W(path) + ".";
    case ErrorKind::CannotRepair: {
      if (e.inGroup) {
        // A group is no text: what is wrong with it is said, not its type.
        std::string wrong;
        for (const Problem& problem : e.problems) {
          wrong += (wrong.empty() ? "" : " ; ") + ProblemText(problem);
        }
        return "Impossible de réparer " + Q(path) +
               " : c'est un groupe, et --repair ne récrit "
               "que les textes. Ce qui ne va pas : " +
               wrong + ".";
      }
      std::string why;
      for (const Problem& problem : e.problems) {
        if (problem.kind == Problem::Kind::TooShort ||
            problem.kind == Problem::Kind::UnknownSignature ||
            problem.kind == Problem::Kind::EntryTable) {
          why += (why.empty() ? "" : " ; ") + ProblemText(problem);
        }
      }
      if (why.empty()) why = ProblemText({Problem::Kind::NotAText, e.type});
      return "Impossible de réparer " + Q(path) + " : " + why +
             " ; aucun texte n'y est à retrouver.";
    }
    case ErrorKind::RepairWouldCut: {
      std::string where;
      for (const Problem& problem : e.problems) {
        if (problem.kind == Problem::Kind::TextHoldsNul) where = ProblemText(problem);
      }
      return "Impossible de réparer " + Q(path) + " : " + where +
             " ; réparé, il perdrait tout ce qui suit. Le fichier est laissé tel quel ; "
             "orbisk --to-text " +
             W(path) + " en écrit le texte entier.";
    }
    case ErrorKind::RepairTooLarge:
      return "Impossible de réparer " + Q(path) + " : son texte ferait " + Bytes(e.size) +
             ", plus que les 65 535 qu'une variable peut contenir. Le fichier est laissé tel "
             "quel.";
    case ErrorKind::GroupTooLarge:
      return e.inGroup
                 ? "Impossible de faire le groupe " + Q(path) + " : il ferait " + Bytes(e.size) +
                       ", plus que les 16 Mo qu'un groupe peut faire pour être relu. Rien n'a été "
                       "écrit."
                 : "Impossible de faire le groupe " + Q(path) + " : sa table aurait " +
                       std::to_string(e.size) +
                       " lignes (variables et dossiers), plus que les "
                       "65 535 qu'un groupe peut compter. Rien n'a été écrit.";
    case ErrorKind::RecoveryFolderUnsafe:
      if (path.empty()) return "aucun dossier personnel où garder les copies de secours";
      if (e.code == EACCES) {
        return "le dossier des copies de secours " + Q(path) +
               " n'est pas le vôtre seul (il doit vous appartenir, fermé aux autres : chmod 700) ; "
               "aucune copie n'y est écrite";
      }
      return WithReason("Impossible d'ouvrir le dossier des copies de secours ", path, e.code);
    case ErrorKind::CannotKeepBackup:
      return WithReason("Impossible de garder l'ancien fichier sous ", path, e.code);
    case ErrorKind::LinkExportField:
      return "Impossible d'importer " + Q(path) + " : ligne " + std::to_string(e.line) +
             ", la ligne « " + e.other + "… » d'un fichier exporté en 7 bits manque.";
    case ErrorKind::LinkExportWithoutStop:
      return "Impossible d'importer " + Q(path) +
             " : aucune ligne « \\STOP92\\ » ne termine le "
             "texte commencé ligne " +
             std::to_string(e.line) + " ; le fichier est sans doute coupé.";
    case ErrorKind::CannotExtract:
      if (e.type == types::kBackup) {
        return "Impossible d'extraire des variables de " + Q(path) + " : c'est " +
               WhyItCannotMove(e.type) + " ; elle n'en contient aucune à extraire.";
      }
      return "Impossible d'extraire la variable " + ShownVariable(e.other) + " de " + Q(path) +
             " pour " + ModelName(e.model) + " : c'est " + WhyItCannotMove(e.type) + ".";
    case ErrorKind::CannotGroup:
      if (e.type == types::kBackup) {
        return "Impossible de mettre " + Q(path) + " dans un groupe : c'est " +
               WhyItCannotMove(e.type) + ".";
      }
      return "Impossible de mettre " + Q(path) + " dans un groupe pour " + ModelName(e.model) +
             " : sa variable " + ShownVariable(e.other) + " est " + WhyItCannotMove(e.type) + ".";
    case ErrorKind::DuplicateVariable:
      return "Impossible de mettre " + Q(path) + " dans le groupe : sa variable " +
             ShownVariable(e.other) + " y est déjà, venue de " + Q(e.text) + ".";
    case ErrorKind::IsAGroup:
      return Q(path) + " est un groupe de " + std::to_string(e.size) +
             " variables : pour en lire les textes : orbisk --show " + W(path) +
             ", pour les extraire : orbisk --extract " + W(path) + ".";
    case ErrorKind::NoTextInGroup:
      return "Le groupe " + Q(path) +
             " ne contient aucun texte, programme ni fonction ; pour "
             "voir ses variables : orbisk --list " +
             W(path) + ".";
    case ErrorKind::NoTextOfVariable:
      return "Impossible de montrer " + e.other + " de " + Q(path) +
             " : ce n'est ni un texte ni un programme (" + TypeName(e.type) + ").";
    case ErrorKind::CannotMove:
      return "Impossible de convertir " + Q(path) +
             (e.inGroup ? " : le groupe contient " : " : c'est ") + WhyItCannotMove(e.type) + ".";
  }
  return {};
}

}  // namespace

std::string Describe(const Error& error) {
  std::string text = Sentence(error);
  if (!error.leftBehind.empty()) {
    text +=
        (text.empty() ? "" : "\n") + TemporaryLeftBehind(error.leftBehind, error.leftBehindCode);
  }
  return text;
}

bool IsNotice(const Error& error) { return error.kind == ErrorKind::MissingSource; }

std::string OverwriteQuestion(const std::string& target) {
  return Q(target) + " existe déjà. Voulez-vous l'écraser ?";
}

std::string ChangedOnDiskQuestion(const std::string& target) {
  return Q(target) + " a changé sur le disque depuis qu'il a été lu. Voulez-vous l'écraser ?";
}

// The tags of a tokenized program that could not be read, as two bytes each (the prefix
// E3, E4 or 1C, or 0), and whether its data ended early: "la balise E3 7E est inconnue".
std::string UnreadTokensClause(const std::string& tags, bool cutShort) {
  std::string list;
  for (std::size_t i = 0; i + 1 < tags.size(); i += 2) {
    if (!list.empty()) list += ", ";
    if (tags[i] != 0) list += Hex(static_cast<unsigned char>(tags[i]), 2).substr(2) + " ";
    list += Hex(static_cast<unsigned char>(tags[i + 1]), 2).substr(2);
  }
  std::string clause;
  if (!list.empty()) {
    clause =
        tags.size() > 2
            ? "les balises " + list + " sont inconnues ; elles sont marquées « ◆ » dans le texte"
            : "la balise " + list + " est inconnue ; elle est marquée « ◆ » dans le texte";
  }
  if (cutShort)
    clause += std::string(clause.empty() ? "" : " ; ") + "ses données s'arrêtent avant son début";
  return clause;
}

std::string WarningText(const Warning& warning) {
  const std::string& path = warning.path;
  switch (warning.kind) {
    case Warning::Kind::DamagedText:
      return "Avertissement : " + Q(path) + " : " +
             DamageClauses(warning.problems, warning.cutShort) +
             (warning.cutShort ? " ; le texte est lu jusqu'à la fin du fichier. "
                               : " ; le texte est lu tel quel. ") +
             RepairHint(path, warning.problems);
    case Warning::Kind::MisnamedFile:
      return "Note : " + Q(path) + " est un fichier " + ModelName(warning.model) +
             " ; son nom devrait être " + Q(TargetName(path, warning.model, Purpose::Conversion)) +
             ".";
    case Warning::Kind::DamagedSource:
      return "Avertissement : " + Q(path) + " est abîmé (" +
             DamageClauses(warning.problems, false) + ") ; il est converti tel quel. " +
             RepairHint(path, warning.problems);
    case Warning::Kind::KeyboardBar: {
      const std::string code(1, static_cast<char>(warning.character));
      return "Avertissement : " + Q(path) + ", ligne " + std::to_string(warning.line) + " : « " +
             code + "| » laisse la ligne ordinaire ; une ligne " +
             (code == "C" ? "de commande" : "PrintObj") + " commence par « " + code +
             "│ » (U+2502), pas par la barre « | » du clavier.";
    }
    case Warning::Kind::UnknownEscape:
      return "Avertissement : " + Q(path) + ", " + Place(warning.line, warning.column) + " : « " +
             Shown(warning.text) +
             " » n'est l'échappement d'aucun caractère du format 7 bits ; il est gardé tel quel.";
    case Warning::Kind::UnreadTokens:
      return "Avertissement : " + Q(path) + " : " +
             UnreadTokensClause(warning.text, warning.cutShort) +
             " ; le reste du programme est lu.";
    case Warning::Kind::UnknownCharacter: break;
  }
  char code[16];
  const char32_t character = warning.character;
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
  std::string shown;
  if (character >= 0x20 && character != 0x7F && !(character >= 0x80 && character < 0xA0)) {
    AppendCodePoint(shown, character);
    shown = "« " + shown + " » (" + code + ")";
  } else {
    shown = std::string("le caractère ") + code;
  }
  return "Avertissement : " + Q(warning.path) + ", " + Place(warning.line, warning.column) + " : " +
         shown + " n'existe pas sur les calculatrices ; il est remplacé par « ? ».";
}

std::string CompletedCaption() { return "Conversion terminée"; }

std::string Completed(const std::string& source, const std::string& target) {
  return "Conversion de " + Q(source) + " vers " + Q(target) + " terminé avec succès";
}

std::string ExportedCaption() { return "Texte enregistré"; }

std::string Exported(const std::string& source, const std::string& target) {
  return "Texte de " + Q(source) + " enregistré dans " + Q(target);
}

std::string ConvertedSummary(std::size_t done, const std::vector<std::string>& failures) {
  return Summary(done, "fichier converti", "fichiers convertis", failures);
}

std::string ExportedSummary(std::size_t done, const std::vector<std::string>& failures) {
  return Summary(done, "texte enregistré", "textes enregistrés", failures);
}

std::string NotACalculatorFile(const std::string& path) {
  return Q(path) +
         " n'est pas un fichier de calculatrice ; pour en faire un : orbisk "
         "--from-text " +
         W(path);
}

std::string RepairReport(const std::string& path, const Repaired& repaired) {
  if (repaired.mended.empty()) {
    std::string text = Q(path) + " : correct, rien à réparer\n";
    if (repaired.misnamed) {
      text = Q(path) + " : rien à réparer, mais c'est un fichier " + ModelName(*repaired.misnamed) +
             " ; renommez-le en " + Q(TargetName(path, *repaired.misnamed, Purpose::Conversion)) +
             ", ou donnez-lui la signature de son nom avec --fix-signature\n";
    }
    return text;
  }
  return Q(path) + " : réparé ; refait : " + MendedParts(repaired.mended) +
         (repaired.cutShort ? " ; le texte coupé est gardé jusqu'à la fin du fichier" : "") +
         (repaired.backup.empty() ? "" : " ; l'ancien est gardé dans " + Q(repaired.backup)) + "\n";
}

std::string TypeName(unsigned char type) {
  switch (type) {
    case 0x00: return "expression";
    case 0x04: return "liste";
    case 0x06: return "matrice";
    case 0x0A: return "données";
    case types::kText: return "texte";
    case 0x0C: return "chaîne";
    case 0x0D: return "base graphique";
    case 0x0E: return "figure";
    case 0x10: return "image";
    case types::kProgram: return "programme";
    case types::kFunction: return "fonction";
    case 0x14: return "macro";
    case types::kClock: return "horloge";
    case types::kOther: return "autres données";
    case types::kBackup: return "sauvegarde";
    case types::kAssembly: return "programme en assembleur";
    case types::kIdentityList: return "liste d'identité";
    case types::kOperatingSystem: return "système d'exploitation";
    case types::kApplication: return "application Flash";
    case types::kCertificate: return "certificat";
    default: break;
  }
  return "type " + Hex(type, 2);
}

std::string TokenizedDescription(const TokenizedProgram& program) {
  const bool function = program.kind == ProgramKind::Function;
  return std::string(function ? "fonction tokenisée" : "programme tokenisé") + " : " +
         Bytes(program.size) + ", arguments " +
         (program.arguments ? ArgumentList(*program.arguments) : std::string("inconnus"));
}

std::string Bytes(std::uint64_t count) {
  // French counts 0 and 1 in the singular.
  return std::to_string(count) + (count < 2 ? " octet" : " octets");
}

std::string Reason(int error) {
  if (const char* french = FrenchReason(error)) return french;
  char buffer[256];
  // The GNU strerror_r may return a static string instead of filling the buffer.
  return ::strerror_r(error, buffer, sizeof buffer);
}

namespace {

std::string EntryFaultText(EntryFault fault) {
  switch (fault) {
    case EntryFault::Offset: return "ses données ne suivent pas celles de l'entrée d'avant";
    case EntryFault::PastTheEnd: return "ses données seraient après la fin du fichier";
    case EntryFault::WithoutFolder: return "c'est une variable qu'aucun dossier ne précède";
    case EntryFault::FolderCount:
      return "c'est un dossier qui annonce aucune variable, ou plus qu'il n'en suit";
    case EntryFault::FolderHoldsData: return "c'est un dossier, mais des données le suivent";
    case EntryFault::FolderRepeated:
      return "c'est le dossier des variables qui la précèdent, nommé à nouveau";
  }
  return {};
}

// What a problem is, without the variable of a group it is about.
std::string ProblemItself(const Problem& p);

}  // namespace

std::string VariablePath(const std::string& folder, const std::string& name) {
  std::string shown;
  AppendUtf8(shown, folder);
  shown += '\\';
  AppendUtf8(shown, name);
  return shown;
}

std::string ProblemText(const Problem& p) {
  if (p.variable.empty()) return ProblemItself(p);
  return "variable " + ShownVariable(p.variable) + " : " + ProblemItself(p);
}

namespace {

std::string ProblemItself(const Problem& p) {
  using Kind = Problem::Kind;
  switch (p.kind) {
    case Kind::TooShort:
      return "il ne fait que " + Bytes(p.found) + ", trop peu pour l'en-tête d'une variable (" +
             Bytes(layout::kVariableData) + " au moins)";
    case Kind::UnknownSignature:
      return "sa signature « " + Shown(p.text) +
             " » n'est celle d'aucun fichier de TI-89, de TI-92 Plus ou de Voyager 200";
    case Kind::SignatureNotOfName: {
      // The name the file should have: its model's extension for the type it holds.
      const auto model = static_cast<Model>(p.expected);
      const FileContent content =
          p.found == types::kFolder
              ? FileContent{FileContent::Kind::Group, types::kText}
              : FileContent{FileContent::Kind::Variable, static_cast<unsigned char>(p.found)};
      return "sa signature « " + p.text + " » n'est pas celle d'un fichier " + ModelName(model) +
             " (." + ExtensionFor(model, content) + "), « " + SignatureBytes(SignatureFor(model)) +
             " »";
    }
    case Kind::TrailingBytes:
      return p.found == 1 ? "1 octet suit la fin que son en-tête indique ; il est gardé tel quel"
                          : std::to_string(p.found) +
                                " octets suivent la fin que son en-tête indique ; ils sont gardés "
                                "tels quels";
    case Kind::OldLinkSignature:
      return "sa signature « " + p.text +
             " » est celle que l'ancien logiciel de liaison donnait aussi aux fichiers TI-89";
    case Kind::FirstMarker:
      return "les octets 8 et 9 valent " + TwoBytes(p.found, p.found >> 8) + " au lieu de 01 00";
    case Kind::EntryCount:
      return "il annonce " + std::to_string(p.found) + " variables au lieu d'une";
    case Kind::DataOffset:
      return "il annonce ses données à l'octet " + Hex(p.found, 2) + " au lieu de " +
             Hex(p.expected, 2);
    case Kind::SecondMarker:
      return "les octets 80 et 81 valent " + TwoBytes(p.found >> 8, p.found) + " au lieu de A5 5A";
    case Kind::FileSizeField:
      return "la taille inscrite est de " + Bytes(p.found) + ", mais il en fait " +
             std::to_string(p.expected);
    case Kind::VariableSizeDoesNotFit:
      return "la variable annonce " + Bytes(p.found) + ", mais le fichier a la place pour " +
             std::to_string(p.expected);
    case Kind::TextWithoutEnd: return "le texte ne se termine pas par 00 E0";
    case Kind::Checksum:
      return "la somme de contrôle inscrite est " + Hex(p.found, 4) + ", mais le contenu donne " +
             Hex(p.expected, 4);
    case Kind::NotAText: return "ce n'est pas une variable texte (type " + Hex(p.found, 2) + ")";
    case Kind::ProgramEnd:
      return "il ne se termine ni comme un programme enregistré en texte (00, curseur, 19 ou "
             "17, E4 E5, indicateurs, DC) ni comme un programme tokenisé (…, DC) : " +
             HexBytes(p.text);
    case Kind::ProgramKindTag:
      return "son type dit " +
             std::string(p.expected == program_tags::kProgram ? "programme" : "fonction") +
             ", mais sa fin dit " +
             (p.found == program_tags::kProgram    ? "programme (19)"
              : p.found == program_tags::kFunction ? "fonction (17)"
                                                   : "autre chose (" + Hex(p.found, 2) + ")");
    case Kind::ProgramNotToParse:
      return "il est enregistré en texte, mais son indicateur " + Hex(p.found, 2) +
             " ne demande pas à la calculatrice de l'analyser (0x08)";
    case Kind::TextHoldsNul:
    case Kind::ProgramTextHoldsNul:
      return "son texte contient un octet 00, " + Place(p.found, p.expected) +
             " : la calculatrice le couperait là";
    case Kind::EntryTable:
      return "l'entrée " + std::to_string(p.found) + " de sa table des variables est fausse : " +
             EntryFaultText(static_cast<EntryFault>(p.expected));
    case Kind::EntryName:
      return "l'entrée " + std::to_string(p.found) + " de sa table des variables porte le nom « " +
             Shown(p.text) + " », qu'aucun fichier ne peut prendre";
    case Kind::GroupTooLarge:
      return "il fait " + Bytes(p.found) + ", bien plus que la mémoire d'une calculatrice ; " +
             "seuls ses " + std::to_string(p.expected) + " premiers octets sont lus";
    case Kind::DuplicateName:
      return "l'entrée " + std::to_string(p.found) + " porte le nom de l'entrée " +
             std::to_string(p.expected);
  }
  return {};
}

}  // namespace

std::string GroupSummary(const FileReport& report) {
  std::size_t variables = 0;
  std::vector<std::string> folders;
  if (report.file) {
    variables = report.file->entries.size();
    for (const VariableEntry& entry : report.file->entries) {
      if (std::find(folders.begin(), folders.end(), entry.folder) == folders.end()) {
        folders.push_back(entry.folder);
      }
    }
  }
  return std::string("groupe ") + ModelName(report.model) + ", " + std::to_string(variables) +
         (variables < 2 ? " variable" : " variables") + " dans " + std::to_string(folders.size()) +
         (folders.size() < 2 ? " dossier, " : " dossiers, ") + Bytes(report.size);
}

std::string BackupSummary(Model model, const VariableEntry& backup) {
  std::string version;
  AppendUtf8(version, backup.name);
  return std::string("sauvegarde ") + ModelName(model) + ", système " + version + ", " +
         Bytes(backup.data.size()) + " de mémoire";
}

std::string Extracted(const std::string& group, const VariableEntry& entry,
                      const std::string& target) {
  return "Variable " + VariablePath(entry.folder, entry.name) + " de " + Q(group) +
         " extraite dans " + Q(target);
}

std::string ListLine(const VariableEntry& entry) {
  // Columns as tar -tv has them: what may be done to it, its kind, its size, its path.
  const auto padded = [](std::string text, std::size_t width) {
    std::size_t shown = 0;  // characters, not bytes
    for (const char c : text) shown += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (shown < width) text.append(width - shown, ' ');
    return text;
  };
  const char* attribute = entry.attribute >= 2   ? "archivé"
                          : entry.attribute == 1 ? "verrouillé"
                                                 : "-";
  std::string size = std::to_string(entry.data.size());
  size.insert(0, size.size() < 6 ? 6 - size.size() : 0, ' ');
  return padded(attribute, 10) + " " + padded(TypeName(entry.type), 24) + " " + size + "  " +
         VariablePath(entry.folder, entry.name) + "\n";
}

std::string CheckReport(const std::string& path, const FileReport& report) {
  if (report.looksLikeText) {
    std::string text = NotACalculatorFile(path) + "\n";
    for (const Problem& problem : report.problems) text += "  - " + ProblemText(problem) + "\n";
    return text;
  }
  if (report.problems.empty() && report.group)
    return Q(path) + " : correct (" + GroupSummary(report) + ")\n";
  if (report.problems.empty() && report.type == types::kBackup && report.file) {
    return Q(path) + " : correct (" + BackupSummary(report.model, report.file->entries[0]) + ")\n";
  }
  if (report.problems.empty()) {
    std::string kind = report.tokenized ? TokenizedDescription(*report.tokenized)
                       : report.text && report.type != types::kText
                           ? TypeName(report.type) + " enregistré" +
                                 (report.type == types::kFunction ? "e" : "") + " en texte"
                           : TypeName(report.type);
    // As the calculator keeps it: archived (in Flash) or locked.
    const unsigned attribute =
        report.file && !report.file->entries.empty() ? report.file->entries[0].attribute : 0;
    if (attribute >= 2) kind += ", archivé";
    if (attribute == 1) kind += ", verrouillé";
    std::string folder;
    std::string name;
    AppendUtf8(folder, report.folder);
    AppendUtf8(name, report.name);
    std::string text = Q(path) + " : correct (" + ModelOfSignature(report.signature, report) +
                       ", dossier " + folder + ", variable " + name + ", " + kind + ", " +
                       Bytes(report.size) + ")\n";
    for (const Problem& note : report.notes) text += "  note : " + ProblemText(note) + "\n";
    return text;
  }
  const std::size_t count = report.problems.size();
  std::string text =
      Q(path) + " : " + std::to_string(count) + (count == 1 ? " problème" : " problèmes") + "\n";
  for (const Problem& problem : report.problems) text += "  - " + ProblemText(problem) + "\n";
  return text;
}

}  // namespace orbisk::messages
