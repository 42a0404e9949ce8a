// One calculator text being edited and the file it belongs to.
#include "editor_document.hpp"

#include <QTimer>
#include <algorithm>

#include "edited_file.hpp"
#include "program_variable.hpp"
#include "target_names.hpp"
#include "variable_names.hpp"

namespace orbisk {

EditorDocument::EditorDocument(Engine& engine, QObject* parent)
    : QObject(parent),
      engine_(engine),
      text_(new CalculatorTextDocument(this)),
      recoveryTimer_(new QTimer(this)) {
  recoveryTimer_->setSingleShot(true);
  recoveryTimer_->setInterval(3000);
  connect(recoveryTimer_, &QTimer::timeout, this, &EditorDocument::KeepRecoveryCopy);
  // A few seconds after the last change, a copy is kept of a text with changes.
  connect(text_, &CalculatorTextDocument::countsChanged, this, [this] {
    if (IsModified()) recoveryTimer_->start();
  });
  New(Model::Voyager200);
}

EditorDocument::~EditorDocument() = default;

void EditorDocument::Take(const CalculatorText& text, Model model, unsigned char type,
                          const VariableFile& base) {
  // The text held before was saved or set aside: its copy goes.
  DropRecoveryCopy();
  model_ = model;
  type_ = type;
  base_ = base;
  folder_ = base.entries.empty() ? "main" : base.entries[0].folder;
  name_ = base.entries.empty() ? std::string() : base.entries[0].name;
  warnings_.clear();
  repairable_ = false;
  ShowText(text);
  emit fileChanged();
}

void EditorDocument::ShowText(const CalculatorText& text) {
  cursor_ = QTextCursor(text_);
  cursor_.setPosition(text_->SetText(text, NotationOf(type_)));
}

void EditorDocument::New(Model model, unsigned char type) {
  opened_.reset();
  path_.clear();
  nameFollowsFile_ = true;
  CalculatorText text;
  std::string name = "texte";
  if (type == types::kProgram) {
    text = CalculatorText::FromPlainCodes("()\rPrgm\r\rEndPrgm", 8);
    name = "prog";
  } else if (type == types::kFunction) {
    text = CalculatorText::FromPlainCodes("()\rFunc\r\rEndFunc", 8);
    name = "fonc";
  }
  Take(text, model, type, NewTextFile(model, "main", name, {}, engine_.Stamp(), type));
}

Status EditorDocument::Open(const std::string& path) {
  Result<OpenedText> opened = engine_.ReadText(path);
  if (!opened && opened.error().kind == ErrorKind::NotACalculatorFile) return OpenTextFile(path);
  if (!opened) return opened.error();
  opened_ = std::move(*opened);
  path_ = path;
  nameFollowsFile_ = false;
  const TextVariable& variable = opened_->variable;
  // A damaged file keeps what could be read of it; a save writes it whole and sound.
  const VariableFile base = opened_->file
                                ? *opened_->file
                                : NewTextFile(variable.model, variable.folder, variable.name,
                                              variable.text, engine_.Stamp(), variable.type);
  Take(variable.text, variable.model, variable.type, base);
  warnings_ = ReadingWarnings(*opened_);
  // A 00 inside the text makes a repair refuse, as it would cut the text: not offered.
  repairable_ = !opened_->damage.empty() &&
                std::none_of(opened_->damage.begin(), opened_->damage.end(), [](const Problem& p) {
                  return p.kind == Problem::Kind::TextHoldsNul;
                });
  return {};
}

// A text file is made into a new Voyager 200 text named after it, not yet saved.
Status EditorDocument::OpenTextFile(const std::string& path) {
  Result<ImportedText> read = engine_.ReadImport(path, {});
  if (!read) return read.error();
  opened_.reset();
  nameFollowsFile_ = read->name.empty();
  std::string name = read->name.empty() ? VariableNameFor(path) : read->name;
  if (name.empty()) name = "texte";
  const Model model = Model::Voyager200;
  // The file it came from names the one it is saved as, beside it.
  path_ = TargetName(path, model, Purpose::Import, {FileContent::Kind::Variable, read->type});
  Take(read->text, model, read->type,
       NewTextFile(model, "main", name, {}, engine_.Stamp(), read->type));
  text_->setModified(true);
  warnings_ = read->warnings;
  return {};
}

bool EditorDocument::Restore(const RecoveryCopy& copy) {
  const std::optional<TextVariable> variable = TextOfVariable(copy.file.entries[0], copy.model);
  if (!variable) return false;
  nameFollowsFile_ = false;
  // The file stays the one the copy was offered for.
  Take(variable->text, copy.model, variable->type, copy.file);
  text_->setModified(true);
  recoveryTimer_->start();
  return true;
}

// The counts the text keeps line by line give it without reading the whole text.
std::size_t EditorDocument::VariableSize() const {
  return text_->CodeCount() + VariableOverhead(type_);
}

VariableFile EditorDocument::FileFor(Model model) const { return FileNamed(model, name_); }

VariableFile EditorDocument::FileNamed(Model model, const std::string& name) const {
  return ForModel(WithText(base_, folder_, name, Text()), model_, model, engine_.Stamp());
}

Status EditorDocument::SaveTo(const std::string& target, Model model, Interaction& user) {
  std::string name = nameFollowsFile_ ? VariableNameFor(target) : std::string();
  if (name.empty()) name = name_;
  VariableFile file = FileNamed(model, name);
  // The file this document read is replaced without a question, unless it changed since.
  const OpenedText* opened = opened_ && opened_->path == target ? &*opened_ : nullptr;
  Result<FileInfo> saved = engine_.Save(target, file, opened, user);
  if (!saved) return saved.error();
  DropRecoveryCopy();
  path_ = target;
  model_ = model;
  base_ = std::move(file);
  name_ = base_.entries[0].name;
  // The file is the document's now, as written: the next save goes over it unasked.
  opened_.emplace();
  opened_->path = target;
  opened_->info = *saved;
  opened_->file = base_;
  warnings_.clear();
  repairable_ = false;
  text_->setModified(false);
  emit fileChanged();
  return {};
}

bool EditorDocument::Retype(unsigned char type) {
  if (type == type_) return true;
  CalculatorText text = Text();
  if (type == types::kText) {
    for (TextLine& line : text.lines) line.kind = LineKind::Ordinary;
  } else {
    if (type_ != types::kText) return false;
    std::string plain;
    for (const TextLine& line : text.lines) {
      if (line.kind != LineKind::Ordinary) return false;
      plain += line.content + '\n';
    }
    if (ProgramTypeOfText(plain) != type) return false;
    for (TextLine& line : text.lines) line.kind = LineKind::NoCode;
  }
  // The text is shown again as the new type's, keeping its file, names and copy.
  type_ = type;
  if (!base_.entries.empty()) base_.entries[0].type = type;
  ShowText(text);
  text_->setModified(true);
  emit fileChanged();
  return true;
}

bool EditorDocument::ChangedOnDisk() const { return opened_ && engine_.ChangedOnDisk(*opened_); }

bool EditorDocument::SetName(const std::string& typed) {
  const std::string before = name_;
  if (!SetVariableName(typed, name_)) return false;
  if (name_ != before) nameFollowsFile_ = false;
  return true;
}

bool EditorDocument::NamesAVariable(const std::string& typed) {
  return ValidVariableName(LowercaseName(typed));
}

bool EditorDocument::SetVariableName(const std::string& typed, std::string& kept) {
  const std::string name = LowercaseName(typed);
  if (name == kept) return true;
  if (!NamesAVariable(typed)) return false;
  kept = name;
  text_->setModified(true);
  emit fileChanged();
  return true;
}

void EditorDocument::SetRecoveryDelay(int milliseconds) {
  recoveryTimer_->setInterval(milliseconds);
}

void EditorDocument::KeepRecoveryCopy() {
  if (!IsModified()) return;
  const std::string file = opened_ ? path_ : std::string();
  if (recoveryKey_.empty()) recoveryKey_ = engine_.RecoveryKey(file);
  RecoveryCopy copy;
  copy.model = model_;
  copy.path = file;
  copy.file = WithText(base_, folder_, name_, Text());
  // A copy that cannot be written is said, and tried again at the next change.
  if (const Status kept = engine_.KeepRecovery(recoveryKey_, WriteRecoveryCopy(copy)); !kept) {
    emit recoveryNotKept(kept.error());
  }
}

void EditorDocument::DropRecoveryCopy() {
  recoveryTimer_->stop();
  if (recoveryKey_.empty()) return;
  engine_.DropRecovery(recoveryKey_);
  recoveryKey_.clear();
}

}  // namespace orbisk
