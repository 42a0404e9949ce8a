// Pieces the French texts of this folder share.
#include "message_parts.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "charset.hpp"
#include "header.hpp"
#include "messages.hpp"
#include "program_variable.hpp"
#include "quoting.hpp"
#include "target_names.hpp"
#include "variable_types.hpp"

namespace orbisk::messages::parts {

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
std::string RepairHint(const std::string& path, const std::vector<Problem>& problems,
                       Audience audience) {
  const bool window = audience == Audience::Window;
  for (const Problem& problem : problems) {
    if (problem.kind == Problem::Kind::TextHoldsNul) {
      return window ? "Une réparation le couperait : corrigez son texte, puis enregistrez-le."
                    : "Une réparation le couperait : corrigez son texte (orbisk --to-text " +
                          W(path) + ", puis --from-text).";
    }
  }
  return window ? "« Réparer », dans l'éditeur, le remet en état." : RepairHint(path);
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

}  // namespace orbisk::messages::parts
