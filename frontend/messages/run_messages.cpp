// What a run tells along the way and at its end: warnings, the word on success, repairs.
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
#include "typed_operators.hpp"
#include "variable_types.hpp"

namespace orbisk::messages {

using namespace parts;

namespace {

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

}  // namespace

std::string WarningText(const Warning& warning, Audience audience) {
  const std::string& path = warning.path;
  switch (warning.kind) {
    case Warning::Kind::DamagedText:
      return "Avertissement : " + Q(path) + " : " +
             DamageClauses(warning.problems, warning.cutShort) +
             (warning.cutShort ? " ; le texte est lu jusqu'à la fin du fichier. "
                               : " ; le texte est lu tel quel. ") +
             RepairHint(path, warning.problems, audience);
    case Warning::Kind::MisnamedFile:
      return "Note : " + Q(path) + " est un fichier " + ModelName(warning.model) +
             " ; son nom devrait être " + Q(TargetName(path, warning.model, Purpose::Conversion)) +
             ".";
    case Warning::Kind::DamagedSource:
      return "Avertissement : " + Q(path) + " est abîmé (" +
             DamageClauses(warning.problems, false) + ") ; il est converti tel quel. " +
             RepairHint(path, warning.problems, audience);
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
    case Warning::Kind::ProgramFromText: {
      const bool program = warning.type == types::kProgram;
      return "Note : " + Q(path) + " commence comme " +
             (program ? "un programme (ses arguments, puis Prgm) : il en est fait un programme."
                      : "une fonction (ses arguments, puis Func) : il en est fait une fonction.");
    }
    case Warning::Kind::TypedOperators: {
      const std::string sign =
          CharacterOf(static_cast<unsigned char>(SignOfTypedOperator(warning.text)));
      const std::string more =
          warning.count > 1 ? " (" + std::to_string(warning.count) + " en tout)" : "";
      return "Avertissement : " + Q(path) + ", " + Place(warning.line, warning.column) + " : « " +
             warning.text + " » est gardé tel quel" + more +
             " ; la calculatrice le lit en deux signes, pas comme « " + sign + " ».";
    }
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

std::string MadeCaption(Made made) {
  switch (made) {
    case Made::Conversion: return CompletedCaption();
    case Made::TextExport: return ExportedCaption();
    case Made::Extraction: return "Extraction terminée";
    case Made::Group: return "Groupe fait";
    case Made::Sending: return "Envoi terminé";
    case Made::Receiving: return "Réception terminée";
  }
  return {};
}

std::string MadeOne(Made made, const std::string& source, const std::string& target) {
  switch (made) {
    case Made::Conversion: return Completed(source, target);
    case Made::TextExport: return Exported(source, target);
    case Made::Extraction: return "Variable de " + Q(source) + " extraite dans " + Q(target);
    case Made::Group: return "Groupe " + Q(target) + " fait";
    // Sent: the file, then the variable it became on the calculator.
    case Made::Sending: return Q(source) + " envoyé à la calculatrice (" + target + ")";
    // Received: the variable, then the file it became.
    case Made::Receiving: return "Variable " + source + " reçue dans " + Q(target);
  }
  return {};
}

std::string MadeSummary(Made made, std::size_t done, const std::vector<std::string>& failures) {
  switch (made) {
    case Made::Conversion: return ConvertedSummary(done, failures);
    case Made::TextExport: return ExportedSummary(done, failures);
    case Made::Extraction:
      return Summary(done, "variable extraite", "variables extraites", failures);
    case Made::Group: return Summary(done, "groupe fait", "groupes faits", failures);
    case Made::Sending: return Summary(done, "variable envoyée", "variables envoyées", failures);
    case Made::Receiving: return Summary(done, "variable reçue", "variables reçues", failures);
  }
  return {};
}

std::string NotACalculatorFile(const std::string& path) {
  return Q(path) +
         " est un fichier texte ordinaire, pas un fichier de calculatrice ; pour en faire "
         "un : orbisk --from-text " +
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

std::string Extracted(const std::string& group, const VariableEntry& entry,
                      const std::string& target) {
  return "Variable " + VariablePath(entry.folder, entry.name) + " de " + Q(group) +
         " extraite dans " + Q(target);
}

}  // namespace orbisk::messages
