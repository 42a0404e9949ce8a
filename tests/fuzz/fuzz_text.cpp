// Fuzzes the reading of calculator files, programs, 7-bit exports and UTF-8 texts: no crash
// and no read out of bounds on any bytes, every file that reads without a problem writes
// back as the same variables, every file the check accepts as a text (or a program in text form) is
// written back the same, and every text survives UTF-8 and back.
#include <cstdlib>
#include <string>

#include "file_check.hpp"
#include "fuzz_properties.hpp"
#include "link_export.hpp"
#include "program_variable.hpp"
#include "text_notation.hpp"
#include "variable_file.hpp"

namespace {

void Check(bool property) {
  if (!property) std::abort();
}

// The cursor is no part of the UTF-8 text.
void TextSurvivesUtf8(const orbisk::CalculatorText& text,
                      orbisk::Notation notation = orbisk::Notation::Text) {
  const orbisk::TextImport back =
      orbisk::TextFromUtf8(orbisk::TextToUtf8(text, notation), notation);
  Check(back.valid && back.unknown.empty() && back.text.lines == text.lines);
}

bool IsProgram(unsigned char type) { return type == 0x12 || type == 0x13; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const char* names[] = {"f.9xt", "f.v2t", "f.89t", "f"};
  const char* name = names[size % 4];

  // As a file of variables: whatever reads without a problem writes back byte for byte,
  // and so does the text of every TEXT variable in it.
  const orbisk::ParsedFile parsed = orbisk::ParseVariableFile(bytes, size);
  if (parsed.problems.empty()) {
    fuzzing::WritesBackTheSame(parsed, size);
    for (const orbisk::VariableEntry& entry : parsed.file.entries) {
      orbisk::CalculatorText text;
      if (entry.type != orbisk::types::kText) continue;
      Check(orbisk::ReadTextVariableData(entry.data, text));
      Check(orbisk::TextVariableData(text) == entry.data);
    }
  }

  // As a calculator file: a text variable with nothing wrong but perhaps its name is read
  // as a text; a damaged one is read as far as its text can be found, and writes a sound
  // file.
  const orbisk::FileReport report = orbisk::CheckVariableFile(bytes, size, name);
  bool misnamedOnly = true;
  for (const orbisk::Problem& problem : report.problems) {
    misnamedOnly = misnamedOnly && problem.kind == orbisk::Problem::Kind::SignatureNotOfName;
  }
  Check(report.text.has_value() ==
        (misnamedOnly && (report.type == orbisk::types::kText || IsProgram(report.type))));
  if (const auto recovered = orbisk::RecoverText(bytes, report, name)) {
    Check(!report.text && !recovered->damage.empty());
    // A 00 inside a text whose sizes agree is kept, and said: a repair refuses such a text.
    const bool holdsNul = recovered->variable.text.Codes().find('\0') != std::string::npos;
    Check(holdsNul == recovered->holdsNul);
    // Otherwise the repair round trip: the file written reads back sound, holding every code
    // of the text read, unless the text is more than a variable holds (which a repair refuses).
    const bool fits = recovered->variable.text.CodeCount() + 4 <= orbisk::layout::kMaxVariableSize;
    if (!holdsNul && fits) {
      const std::string repaired = orbisk::WriteTextFile(recovered->variable, "23/02/03, 14:09");
      const std::string path = std::string("r.") + orbisk::ExtensionOf(recovered->variable.model);
      const orbisk::FileReport again = orbisk::CheckVariableFile(repaired, repaired.size(), path);
      Check(again.problems.empty() && again.text &&
            again.text->text.Codes() == recovered->variable.text.Codes());
    }
  }
  if (report.text) {
    const orbisk::TextVariable& variable = *report.text;
    const std::string written = orbisk::WriteTextFile(variable, "23/02/03, 14:09");
    const std::string path = std::string("g.") + orbisk::ExtensionOf(variable.model);
    const orbisk::FileReport again = orbisk::CheckVariableFile(written, written.size(), path);
    Check(again.problems.empty() && again.text.has_value());
    Check(again.text->text == variable.text && again.text->name == variable.name &&
          again.text->folder == variable.folder && again.text->type == variable.type);
    TextSurvivesUtf8(variable.text, orbisk::NotationOf(variable.type));
  }

  // As a program's data: one read in text form writes back as the same text, and reads so.
  for (const unsigned char type : {orbisk::types::kProgram, orbisk::types::kFunction}) {
    const orbisk::ProgramReading program = orbisk::ReadProgramData(type, bytes);
    Check(program.text.has_value() + program.tokenized.has_value() + !program.problems.empty() >=
          1);
    if (!program.text) continue;
    const orbisk::ProgramReading again =
        orbisk::ReadProgramData(type, orbisk::VariableDataOfText(type, *program.text));
    Check(again.problems.empty() && again.text && *again.text == *program.text);
  }

  // As a 7-bit export: one read whole writes back as the same variable, when its codes hold
  // no line feed and no backslash, which the format cannot write unambiguously.
  if (orbisk::LooksLikeLinkExport(bytes)) {
    const orbisk::LinkExportReading reading = orbisk::ReadLinkExport(bytes);
    if (reading.fault == orbisk::LinkExportReading::Fault::None &&
        reading.file.codes.find_first_of("\n\\") == std::string::npos) {
      const orbisk::LinkExportReading again =
          orbisk::ReadLinkExport(orbisk::WriteLinkExport(reading.file));
      Check(again.fault == orbisk::LinkExportReading::Fault::None &&
            again.file.codes == reading.file.codes && again.file.name == reading.file.name);
    }
  }

  // As UTF-8 text to import: what comes out of a valid one is a text like any other.
  const orbisk::TextImport imported = orbisk::TextFromUtf8(bytes);
  const orbisk::TextImport program = orbisk::TextFromUtf8(bytes, orbisk::Notation::Program);
  Check(program.valid == imported.valid);
  if (program.valid) TextSurvivesUtf8(program.text, orbisk::Notation::Program);
  if (imported.valid) {
    TextSurvivesUtf8(imported.text);
  } else {
    Check(imported.text == orbisk::CalculatorText{} && imported.invalidLine >= 1 &&
          imported.invalidColumn >= 1);
  }
  return 0;
}
