// What each error says, and the questions asked before a file is replaced.
#include <locale.h>
#include <string.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "charset.hpp"
#include "header.hpp"
#include "message_parts.hpp"
#include "messages.hpp"
#include "program_variable.hpp"
#include "quoting.hpp"
#include "target_names.hpp"
#include "variable_types.hpp"

namespace orbisk::messages {

using namespace parts;

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

// Why a repair would cut the text, up to what writes the whole text.
std::string RepairWouldCut(const Error& e) {
  std::string where;
  for (const Problem& problem : e.problems) {
    if (problem.kind == Problem::Kind::TextHoldsNul) where = ProblemText(problem);
  }
  return "Impossible de réparer " + Q(e.path) + " : " + where +
         " ; réparé, il perdrait tout ce qui suit. Le fichier est laissé tel quel ; ";
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
    case ErrorKind::RepairWouldCut:
      return RepairWouldCut(e) + "orbisk --to-text " + W(path) + " en écrit le texte entier.";
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
    case ErrorKind::NoSuchVariable:
      return path.empty()
                 ? "Aucun des groupes donnés ne contient la variable " + e.other + "."
                 : "Le groupe " + Q(path) + " ne contient pas la variable " + e.other + ".";
    case ErrorKind::CannotMove:
      return "Impossible de convertir " + Q(path) +
             (e.inGroup ? " : le groupe contient " : " : c'est ") + WhyItCannotMove(e.type) + ".";
  }
  return {};
}

// In a window, the kinds whose words give a command say what the window offers instead.
std::optional<std::string> WindowSentence(const Error& e) {
  const std::string& path = e.path;
  switch (e.kind) {
    case ErrorKind::NotACalculatorFile:
      return Q(path) +
             " est un fichier texte ordinaire, pas un fichier de calculatrice ; ouvert dans "
             "l'éditeur, il en devient un.";
    case ErrorKind::NoTextInGroup:
      return "Le groupe " + Q(path) + " ne contient aucun texte, programme ni fonction.";
    case ErrorKind::NotUtf8:
      return "Impossible d'importer " + Q(path) + " : " + Place(e.line, e.column) +
             ", un octet n'est pas du texte UTF-8 ; enregistrez-le en UTF-8.";
    case ErrorKind::IsAGroup:
      return Q(path) + " est un groupe de " + std::to_string(e.size) + " variables.";
    case ErrorKind::NotAText:
      if (e.type != types::kBackup) return std::nullopt;
      return "Impossible de lire le texte de " + Q(path) + " : c'est " + WhyItCannotMove(e.type) +
             ".";
    case ErrorKind::RepairWouldCut:
      return RepairWouldCut(e) + "« Enregistrer en texte » en écrit le texte entier.";
    default: return std::nullopt;
  }
}

}  // namespace

std::string Describe(const Error& error, Audience audience) {
  const std::optional<std::string> forWindow =
      audience == Audience::Window ? WindowSentence(error) : std::nullopt;
  std::string text = forWindow ? *forWindow : Sentence(error);
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

std::string Reason(int error) {
  if (const char* french = FrenchReason(error)) return french;
  // The C library's own text, in the user's language when it has it: the program's locale
  // is never set, so the user's is looked up, once, when first needed.
  static const locale_t user = ::newlocale(LC_ALL_MASK, "", static_cast<locale_t>(0));
  if (user != static_cast<locale_t>(0)) return ::strerror_l(error, user);
  char buffer[256];
  // The GNU strerror_r may return a static string instead of filling the buffer.
  return ::strerror_r(error, buffer, sizeof buffer);
}

}  // namespace orbisk::messages
