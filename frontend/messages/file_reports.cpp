// What --check, --list and a damaged file's messages say of a file and its problems.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

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

// What a problem is, without the variable of a group it is about.
std::string ProblemItself(const Problem& p);

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
  // An ordinary text has no header to find fault with: one line says what it is.
  if (report.looksLikeText) return NotACalculatorFile(path) + "\n";
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
