// What a file of these calculators is, and what is wrong with it if anything.
#include "file_check.hpp"

#include <algorithm>

#include "link_export.hpp"
#include "text_notation.hpp"
#include "variable_names.hpp"
#include "variable_types.hpp"

namespace orbisk {
namespace {

bool ConvertedToV200(const std::string& comment) {
  return comment.compare(0, 16, "TextObject file ") == 0;
}

// The model a file is for: its signature's, and for the signature TI92+ and Voyager 200
// share, its name's, or else the comment a conversion to Voyager 200 leaves.
Model ModelOf(Signature signature, const std::string& path, const std::string& comment) {
  if (signature == Signature::Ti89) return Model::Ti89;
  if (signature == Signature::V200) return Model::Voyager200;
  // The old link software wrote the TI92+ signature on TI-89 files too: the name tells,
  // unless the comment is the one a conversion to Voyager 200 leaves.
  Model named = Model::Ti92Plus;
  if (ModelOfFileName(path, named) && !(named == Model::Ti89 && ConvertedToV200(comment))) {
    return named;
  }
  return ConvertedToV200(comment) ? Model::Voyager200 : Model::Ti92Plus;
}

// The size of a single variable's data, as its file gives it.
std::size_t VariableDataSize(std::string_view head) {
  return std::size_t{static_cast<unsigned char>(head[layout::kVariableSize])} << 8 |
         static_cast<unsigned char>(head[layout::kVariableSize + 1]);
}

std::optional<TextVariable> TextOfData(const VariableEntry& entry, std::string_view data,
                                       Model model, std::optional<TokenizedProgram>* tokenized,
                                       ProgramLines lines) {
  TextVariable text;
  text.model = model;
  text.folder = entry.folder;
  text.name = entry.name;
  text.type = entry.type;
  if (entry.type == types::kText) {
    ReadTextVariableData(data, text.text);
    return text;
  }
  if (entry.type != types::kProgram && entry.type != types::kFunction) return std::nullopt;
  ProgramReading program = ReadProgramData(entry.type, data, lines);
  const bool later = program.tokenized && program.tokenized->textLater;
  if (tokenized != nullptr) *tokenized = std::move(program.tokenized);
  if (later) return text;
  if (!program.text) return std::nullopt;
  text.text = std::move(*program.text);
  return text;
}

}  // namespace

FileReport CheckVariableFile(const std::string& head, std::uint64_t size, const std::string& path,
                             ProgramLines lines) {
  FileReport report;
  report.size = size;
  if (head.size() < size && ReadWhole(head)) {
    // Far larger than a calculator's memory: what its table says is not read.
    report.signature = SignatureOf(reinterpret_cast<const unsigned char*>(head.data()));
    report.model =
        ModelOf(report.signature, path, head.substr(layout::kComment, layout::kCommentLength));
    report.group = true;
    report.problems.push_back({Problem::Kind::GroupTooLarge, size, head.size()});
    return report;
  }
  // A text only written out reads the variable where it lies in `head`, which the caller
  // may then take for its data rather than copy it (TakeVariableData).
  const bool keepData = lines != ProgramLines::TextFormOnly;
  ParsedFile parsed = ParseVariableFile(head, size, keepData);
  report.problems = std::move(parsed.problems);
  report.notes = std::move(parsed.notes);
  if (!report.problems.empty() && report.problems[0].kind == Problem::Kind::TooShort) {
    report.looksLikeText = IsPlainText(head);
    return report;
  }
  const VariableFile& file = parsed.file;
  report.signature = file.signature;
  if (file.signature == Signature::Unknown) {
    report.looksLikeText = IsPlainText(head);
  }
  report.folder = file.folder;
  Model named = Model::Ti92Plus;
  const bool oldLink = file.signature == Signature::Ti92Plus && ModelOfFileName(path, named) &&
                       named == Model::Ti89 && !ConvertedToV200(file.comment);
  if (oldLink) {
    report.notes.insert(report.notes.begin(),
                        {Problem::Kind::OldLinkSignature, 0, 0, SignatureBytes(file.signature)});
  } else if (file.signature != Signature::Unknown && ModelOfFileName(path, named) &&
             file.signature != SignatureFor(named)) {
    report.problems.insert(
        report.problems.begin(),
        {Problem::Kind::SignatureNotOfName,
         file.IsGroup() || file.entries.empty() ? types::kFolder : file.entries[0].type,
         static_cast<std::uint64_t>(named), SignatureBytes(file.signature)});
  }
  if (file.signature != Signature::Unknown)
    report.model = ModelOf(file.signature, path, file.comment);
  if (file.IsGroup()) {
    report.group = true;
    report.file = std::move(parsed.file);
    return report;
  }
  const VariableEntry& entry = file.entries[0];
  report.name = entry.name;
  report.type = entry.type;
  // A file whose only fault is its name is sound: it is read by its signature.
  for (const Problem& problem : report.problems) {
    if (problem.kind != Problem::Kind::SignatureNotOfName) return report;
  }
  std::optional<TokenizedProgram> tokenized;
  const std::string_view data =
      keepData ? std::string_view(entry.data)
               : std::string_view(head).substr(layout::kVariableData, VariableDataSize(head));
  report.text = TextOfData(entry, data, report.model, &tokenized, lines);
  report.tokenized = std::move(tokenized);
  report.file = std::move(parsed.file);
  return report;
}

std::optional<RecoveredText> RecoverText(const std::string& head, const FileReport& report,
                                         const std::string& path) {
  using namespace layout;
  RecoveredText recovered;
  for (const Problem& problem : report.problems) {
    if (problem.kind == Problem::Kind::TooShort ||
        problem.kind == Problem::Kind::UnknownSignature ||
        problem.kind == Problem::Kind::EntryTable) {
      return std::nullopt;
    }
    if (problem.kind != Problem::Kind::SignatureNotOfName) recovered.damage.push_back(problem);
  }
  if (recovered.damage.empty() || report.type != types::kText || head.size() < kVariableData + 2) {
    return std::nullopt;
  }
  constexpr std::size_t kText = kVariableData + 2;
  std::string codes;
  const auto holdsNul = [](const Problem& problem) {
    return problem.kind == Problem::Kind::TextHoldsNul;
  };
  if (std::any_of(recovered.damage.begin(), recovered.damage.end(), holdsNul)) {
    // The sizes and the 00 E0 that end the text agree: the text runs to them, and the 00
    // inside it is itself the damage.
    codes = head.substr(kText, VariableDataSize(head) - orbisk::kTextOverhead);
    recovered.holdsNul = true;
  } else {
    // The terminator ends the text, and no code of a text is 00: the first one is it.
    const std::size_t end = head.find('\0', kText);
    recovered.cutShort = end == std::string::npos;
    codes = head.substr(kText, recovered.cutShort ? std::string::npos : end - kText);
  }
  const auto cursor =
      static_cast<std::uint16_t>((static_cast<unsigned char>(head[kVariableData]) << 8) |
                                 static_cast<unsigned char>(head[kVariableData + 1]));
  TextVariable& variable = recovered.variable;
  variable.model = ModelOf(report.signature, path, head.substr(kComment, kCommentLength));
  variable.folder = report.folder;
  variable.name = report.name;
  variable.text = CalculatorText::FromCodes(codes, cursor);
  return recovered;
}

std::optional<TextVariable> TextOfVariable(const VariableEntry& entry, Model model,
                                           std::optional<TokenizedProgram>* tokenized,
                                           ProgramLines lines) {
  return TextOfData(entry, entry.data, model, tokenized, lines);
}

std::string TakeVariableData(std::string&& head) {
  const std::size_t size = VariableDataSize(head);
  head.erase(0, layout::kVariableData);
  head.resize(size);
  return std::move(head);
}

bool ReadWhole(const std::string& head) {
  const std::optional<FileContent> content =
      ContentOf(reinterpret_cast<const unsigned char*>(head.data()), head.size());
  return content &&
         (content->kind == FileContent::Kind::Group ||
          (content->kind == FileContent::Kind::Variable && content->type == types::kBackup));
}

bool IsPlainText(std::string_view head) {
  if (head.empty()) return false;
  // The start of a signature, cut short, is a calculator file that lost the rest.
  for (const std::string_view signature : {"**TI", "**V2"}) {
    if (signature.substr(0, std::min(head.size(), signature.size())) ==
        head.substr(0, signature.size())) {
      return false;
    }
  }
  for (const char c : head) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f') return false;
  }
  return true;
}

std::string WrittenText(const TextVariable& variable, TextFormat format) {
  if (format == TextFormat::Utf8) return TextToUtf8(variable.text, NotationOf(variable.type));
  LinkExport exported;
  exported.comment = "Orbisk";
  exported.name = variable.name;
  const FileContent content{FileContent::Kind::Variable, variable.type};
  exported.file = UppercaseName(variable.name + "." + ExtensionFor(variable.model, content));
  exported.codes = variable.text.Codes();
  return WriteLinkExport(exported);
}

std::string WriteTextFile(const TextVariable& variable, const std::string& stamp) {
  return WriteVariableFile(NewTextFile(variable.model, variable.folder, variable.name,
                                       variable.text, stamp, variable.type));
}

}  // namespace orbisk
