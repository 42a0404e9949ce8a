// The editor: one calculator text, changed as on the calculator, with what can be done
// with it.
#include "form_view.hpp"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "character_palette.hpp"
#include "charset.hpp"
#include "edited_file.hpp"
#include "find_bar.hpp"
#include "kept_warnings.hpp"
#include "local_files.hpp"
#include "name_filters.hpp"
#include "program_variable.hpp"
#include "target_names.hpp"
#include "text_view.hpp"
#include "variable_names.hpp"
#include "variable_types.hpp"
#include "window_texts.hpp"

namespace orbisk {
namespace {

// The models a text is saved as, the one it is for first.
std::vector<Model> ModelsFrom(Model first) {
  std::vector<Model> models{first};
  for (const Model model : kModels) {
    if (model != first) models.push_back(model);
  }
  return models;
}

// The extension of a variable of `type` for `model`: "v2t", "89p".
std::string ExtensionOfType(Model model, unsigned char type) {
  return ExtensionFor(model, {FileContent::Kind::Variable, type});
}

QAction* AddAction(QMenu* menu, QWidget* window, const QString& text, const QKeySequence& keys) {
  QAction* action = menu->addAction(text);
  action->setShortcut(keys);
  window->addAction(action);
  return action;
}

}  // namespace

FormView::FormView(Engine& engine, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      engine_(engine),
      dialogs_(dialogs),
      messages_(dialogs),
      text_(new CalculatorTextView(this)),
      palette_(new CharacterPalette(this)),
      find_(new FindBar(text_, this)),
      variableLabel_(new QLabel(texts::VariableLabel(), this)),
      variables_(new QComboBox(this)),
      folderField_(new QLineEdit(this)),
      nameField_(new QLineEdit(this)),
      details_(new QLabel(this)),
      warning_(new QLabel(this)),
      toV200_(new QPushButton(texts::ConvertToV200Button(), this)),
      toTi92Plus_(new QPushButton(texts::ConvertToTi92PlusButton(), this)),
      toTi89_(new QPushButton(texts::ConvertToTi89Button(), this)),
      saveAsText_(new QPushButton(texts::SaveAsTextButton(), this)),
      repair_(new QPushButton(texts::RepairButton(), this)),
      extract_(new QPushButton(texts::ExtractButton(), this)),
      close_(new QPushButton(texts::CloseButton(), this)),
      recoveryTimer_(new QTimer(this)) {
  recoveryTimer_->setSingleShot(true);
  recoveryTimer_->setInterval(3000);
  connect(recoveryTimer_, &QTimer::timeout, this, &FormView::KeepRecoveryCopy);
  text_->setObjectName(QStringLiteral("text"));
  palette_->setObjectName(QStringLiteral("palette"));
  find_->setObjectName(QStringLiteral("findBar"));
  details_->setObjectName(QStringLiteral("details"));
  warning_->setObjectName(QStringLiteral("warning"));
  repair_->setObjectName(QStringLiteral("repair"));
  folderField_->setObjectName(QStringLiteral("folder"));
  nameField_->setObjectName(QStringLiteral("name"));
  warning_->setWordWrap(true);
  warning_->setTextFormat(Qt::PlainText);
  warning_->setVisible(false);
  repair_->setVisible(false);
  palette_->setVisible(false);
  variables_->setObjectName(QStringLiteral("variables"));
  extract_->setObjectName(QStringLiteral("extract"));
  variableLabel_->setBuddy(variables_);
  variableLabel_->setVisible(false);
  variables_->setVisible(false);
  extract_->setVisible(false);
  toV200_->setObjectName(QStringLiteral("toV200"));
  toTi92Plus_->setObjectName(QStringLiteral("toTi92Plus"));
  toTi89_->setObjectName(QStringLiteral("toTi89"));
  saveAsText_->setObjectName(QStringLiteral("saveAsText"));
  close_->setObjectName(QStringLiteral("close"));
  details_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  for (QLineEdit* field : {folderField_, nameField_}) {
    field->setMaxLength(8);
    field->setFixedWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 9);
  }
  setAcceptDrops(true);
  // A file dropped on the text is one dropped on the window, not text to insert.
  text_->setAcceptDrops(false);
  text_->viewport()->setAcceptDrops(false);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {toV200_, toTi92Plus_, toTi89_, saveAsText_, repair_, extract_}) {
    buttons->addWidget(button);
  }
  buttons->addStretch();
  buttons->addWidget(close_);
  auto* chooser = new QHBoxLayout;
  chooser->addWidget(variableLabel_);
  chooser->addWidget(variables_, 1);
  auto* status = new QHBoxLayout;
  auto* folderLabel = new QLabel(texts::FolderLabel(), this);
  auto* nameLabel = new QLabel(texts::NameLabel(), this);
  folderLabel->setBuddy(folderField_);
  nameLabel->setBuddy(nameField_);
  status->addWidget(folderLabel);
  status->addWidget(folderField_);
  status->addWidget(nameLabel);
  status->addWidget(nameField_);
  status->addWidget(details_, 1);
  auto* splitter = new QSplitter(this);
  splitter->addWidget(text_);
  splitter->addWidget(palette_);
  splitter->setStretchFactor(0, 1);
  splitter->setChildrenCollapsible(false);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(chooser);
  layout->addWidget(splitter, 1);
  layout->addWidget(find_);
  layout->addLayout(status);
  layout->addWidget(warning_);
  layout->addLayout(buttons);
  BuildMenus();
  resize(720, 520);

  connect(toV200_, &QPushButton::clicked, this, [this] { ConvertTo(Model::Voyager200); });
  connect(toTi92Plus_, &QPushButton::clicked, this, [this] { ConvertTo(Model::Ti92Plus); });
  connect(toTi89_, &QPushButton::clicked, this, [this] { ConvertTo(Model::Ti89); });
  connect(saveAsText_, &QPushButton::clicked, this, &FormView::SaveAsText);
  connect(repair_, &QPushButton::clicked, this, &FormView::Repair);
  connect(extract_, &QPushButton::clicked, this, &FormView::Extract);
  connect(variables_, QOverload<int>::of(&QComboBox::activated), this, &FormView::ShowVariable);
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
  connect(text_->document(), &QTextDocument::modificationChanged, this, &FormView::UpdateTitle);
  connect(text_, &CalculatorTextView::countsChanged, this, &FormView::UpdateStatus);
  // A few seconds after the last change, a copy is kept of a text with changes.
  connect(text_, &CalculatorTextView::countsChanged, this, [this] {
    if (IsModified()) recoveryTimer_->start();
  });
  connect(text_, &QPlainTextEdit::cursorPositionChanged, this, &FormView::UpdateLineKindActions);
  connect(palette_, &CharacterPalette::chosen, this, [this](unsigned char code) {
    if (text_->isReadOnly()) return;
    text_->insertPlainText(QString::fromStdString(CharacterOf(code)));
    text_->setFocus();
  });
  connect(folderField_, &QLineEdit::editingFinished, this,
          [this] { CheckName(folderField_, folder_); });
  connect(nameField_, &QLineEdit::editingFinished, this, [this] { CheckName(nameField_, name_); });
  // Escape closes a window with nothing unsaved (the find bar takes it first when open).
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, [this] {
    if (find_->isVisible()) {
      find_->setVisible(false);
      text_->setFocus();
    } else if (!IsModified()) {
      close();
    }
  });
  NewText(Model::Voyager200);
}

FormView::~FormView() = default;

void FormView::BuildMenus() {
  auto* bar = new QMenuBar(this);
  bar->setObjectName(QStringLiteral("menus"));
  QMenu* file = bar->addMenu(texts::FileMenu());
  connect(AddAction(file, this, texts::NewAction(), QKeySequence::New), &QAction::triggered, this,
          [this] { NewWindow(types::kText); });
  connect(file->addAction(texts::NewProgramAction()), &QAction::triggered, this,
          [this] { NewWindow(types::kProgram); });
  connect(file->addAction(texts::NewFunctionAction()), &QAction::triggered, this,
          [this] { NewWindow(types::kFunction); });
  connect(AddAction(file, this, texts::OpenAction(), QKeySequence::Open), &QAction::triggered, this,
          &FormView::OpenChosen);
  save_ = AddAction(file, this, texts::SaveAction(), QKeySequence::Save);
  connect(save_, &QAction::triggered, this, &FormView::Save);
  saveAs_ =
      AddAction(file, this, texts::SaveAsAction(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  connect(saveAs_, &QAction::triggered, this, &FormView::SaveAs);
  connect(AddAction(file, this, texts::SaveAsTextAction(), {}), &QAction::triggered, this,
          &FormView::SaveAsText);
  file->addSeparator();
  for (const Model model : kModels) {
    QAction* action = file->addAction(texts::ConvertToAction(ModelName(model)));
    connect(action, &QAction::triggered, this, [this, model] { ConvertTo(model); });
    // A text is not converted to its own model.
    connect(file, &QMenu::aboutToShow, action,
            [this, action, model] { action->setEnabled(model != model_); });
  }
  file->addSeparator();
  connect(AddAction(file, this, texts::CloseAction(), QKeySequence(Qt::CTRL | Qt::Key_W)),
          &QAction::triggered, this, &QWidget::close);
  connect(AddAction(file, this, texts::QuitAction(), QKeySequence(Qt::CTRL | Qt::Key_Q)),
          &QAction::triggered, this, &FormView::Quit);

  QMenu* edit = bar->addMenu(texts::EditMenu());
  QAction* undo = AddAction(edit, this, texts::UndoAction(), QKeySequence::Undo);
  QAction* redo =
      AddAction(edit, this, texts::RedoAction(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  connect(undo, &QAction::triggered, text_, &QPlainTextEdit::undo);
  connect(redo, &QAction::triggered, text_, &QPlainTextEdit::redo);
  connect(text_, &QPlainTextEdit::undoAvailable, undo, &QAction::setEnabled);
  connect(text_, &QPlainTextEdit::redoAvailable, redo, &QAction::setEnabled);
  undo->setEnabled(false);
  redo->setEnabled(false);
  edit->addSeparator();
  connect(AddAction(edit, this, texts::CutAction(), QKeySequence::Cut), &QAction::triggered, text_,
          &QPlainTextEdit::cut);
  connect(AddAction(edit, this, texts::CopyAction(), QKeySequence::Copy), &QAction::triggered,
          text_, &QPlainTextEdit::copy);
  connect(AddAction(edit, this, texts::PasteAction(), QKeySequence::Paste), &QAction::triggered,
          text_, &QPlainTextEdit::paste);
  edit->addSeparator();
  connect(AddAction(edit, this, texts::FindAction(), QKeySequence(Qt::CTRL | Qt::Key_F)),
          &QAction::triggered, this, [this] { find_->Open(FindBar::Mode::Find); });
  connect(AddAction(edit, this, texts::ReplaceAction(), QKeySequence(Qt::CTRL | Qt::Key_H)),
          &QAction::triggered, this, [this] { find_->Open(FindBar::Mode::Replace); });
  connect(AddAction(edit, this, texts::GoToLineAction(), QKeySequence(Qt::CTRL | Qt::Key_L)),
          &QAction::triggered, this, [this] { find_->Open(FindBar::Mode::GoToLine); });
  edit->addSeparator();
  connect(AddAction(edit, this, texts::CharactersAction(), QKeySequence(Qt::CTRL | Qt::Key_K)),
          &QAction::triggered, this, [this] {
            palette_->setVisible(true);
            palette_->FocusSearch();
          });

  QMenu* lines = bar->addMenu(texts::LineMenu());
  lineKinds_ = new QActionGroup(this);
  const std::pair<QString, LineKind> kinds[] = {{texts::OrdinaryLineAction(), LineKind::Ordinary},
                                                {texts::CommandLineAction(), LineKind::Command},
                                                {texts::PrintObjLineAction(), LineKind::PrintObj},
                                                {texts::PageBreakAction(), LineKind::PageBreak}};
  int key = Qt::Key_1;
  for (const auto& [label, kind] : kinds) {
    QAction* action =
        AddAction(lines, this, label, QKeySequence(Qt::CTRL | static_cast<Qt::Key>(key++)));
    action->setCheckable(true);
    action->setData(static_cast<int>(kind));
    lineKinds_->addAction(action);
    connect(action, &QAction::triggered, this, [this, kind = kind] { SetLineKind(kind); });
  }

  QMenu* view = bar->addMenu(texts::ViewMenu());
  connect(AddAction(view, this, texts::ZoomInAction(), QKeySequence::ZoomIn), &QAction::triggered,
          this, [this] { text_->ZoomBy(1); });
  // Ctrl+= too: on most keyboards "+" needs Shift.
  addAction(view->actions().last());
  auto* zoomInAlso = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), this);
  connect(zoomInAlso, &QShortcut::activated, this, [this] { text_->ZoomBy(1); });
  connect(AddAction(view, this, texts::ZoomOutAction(), QKeySequence::ZoomOut), &QAction::triggered,
          this, [this] { text_->ZoomBy(-1); });
  connect(AddAction(view, this, texts::ZoomResetAction(), QKeySequence(Qt::CTRL | Qt::Key_0)),
          &QAction::triggered, text_, &CalculatorTextView::ResetZoom);
  QAction* palette = AddAction(view, this, texts::PaletteAction(), {});
  palette->setCheckable(true);
  connect(palette, &QAction::toggled, palette_, &QWidget::setVisible);

  static_cast<QVBoxLayout*>(layout())->setMenuBar(bar);
}

void FormView::SetWindowMaker(WindowMaker maker, AllWindows all) {
  makeWindow_ = std::move(maker);
  allWindows_ = std::move(all);
}

bool FormView::IsModified() const { return !group_ && text_->document()->isModified(); }

QString FormView::ShownName() const {
  return path_.empty() ? texts::NewTextName() : FromPath(path_.substr(FileNameStart(path_)));
}

void FormView::NewText(Model model, unsigned char type) {
  group_.reset();
  opened_.reset();
  path_.clear();
  // A program or a function starts with its arguments and the lines that frame it, as the
  // calculator's editor makes them; its cursor on the first line inside.
  CalculatorText text;
  std::string name = "texte";
  if (type == types::kProgram) {
    text = CalculatorText::FromPlainCodes("()\rPrgm\r\rEndPrgm", 8);
    name = "prog";
  } else if (type == types::kFunction) {
    text = CalculatorText::FromPlainCodes("()\rFunc\r\rEndFunc", 8);
    name = "fonc";
  }
  ShowDocument(text, model, type, NewTextFile(model, "main", name, {}, engine_.Stamp(), type));
  warning_->setVisible(false);
  repair_->setVisible(false);
}

void FormView::ShowDocument(const CalculatorText& text, Model model, unsigned char type,
                            const VariableFile& base) {
  // The text shown before was saved or set aside: its copy goes.
  DropRecoveryCopy();
  ShowGroupControls(false);
  model_ = model;
  type_ = type;
  base_ = base;
  folder_ = base.entries.empty() ? "main" : base.entries[0].folder;
  name_ = base.entries.empty() ? std::string() : base.entries[0].name;
  folderField_->setText(CharactersOf(folder_));
  nameField_->setText(CharactersOf(name_));
  for (QLineEdit* field : {folderField_, nameField_}) field->setEnabled(true);
  text_->setReadOnly(false);
  text_->ShowText(text, NotationOf(type));
  ShowConversionsFrom(model);
  reloadOffered_ = false;
  UpdateTitle();
  UpdateStatus();
  UpdateLineKindActions();
}

bool FormView::Open(const std::string& path) {
  Result<OpenedText> opened = engine_.ReadText(path);
  if (!opened && opened.error().kind == ErrorKind::IsAGroup) return OpenGroup(path);
  if (!opened && opened.error().kind == ErrorKind::NotACalculatorFile) return OpenTextFile(path);
  if (!opened) {
    user_.Report(opened.error());
    return false;
  }
  group_.reset();
  opened_ = std::move(*opened);
  const TextVariable& variable = opened_->variable;
  shown_ = variable;
  path_ = path;
  // A damaged file keeps what could be read of it; a save writes it whole and sound.
  const VariableFile base = opened_->file
                                ? *opened_->file
                                : NewTextFile(variable.model, variable.folder, variable.name,
                                              variable.text, engine_.Stamp(), variable.type);
  ShowDocument(variable.text, variable.model, variable.type, base);
  ShowWarnings(ReadingWarnings(*opened_));
  // A 00 inside the text makes a repair refuse, as it would cut the text: not offered.
  const bool repairable =
      std::none_of(opened_->damage.begin(), opened_->damage.end(),
                   [](const Problem& p) { return p.kind == Problem::Kind::TextHoldsNul; });
  repair_->setVisible(!opened_->damage.empty() && repairable);
  OfferRecovery(path);
  return true;
}

void FormView::SetRecoveryDelay(int milliseconds) { recoveryTimer_->setInterval(milliseconds); }

void FormView::KeepRecoveryCopy() {
  if (!IsModified()) return;
  const std::string file = opened_ ? path_ : std::string();
  if (recoveryKey_.empty()) recoveryKey_ = engine_.RecoveryKey(file);
  RecoveryCopy copy;
  copy.model = model_;
  copy.path = file;
  copy.file = WithText(base_, folder_, name_, text_->Text());
  // A copy that cannot be written is said, and tried again at the next change.
  if (const Status kept = engine_.KeepRecovery(recoveryKey_, WriteRecoveryCopy(copy)); !kept) {
    warning_->setText(
        texts::RecoveryNotKept(QString::fromStdString(messages::Describe(kept.error()))));
    warning_->setVisible(true);
  }
}

void FormView::DropRecoveryCopy() {
  recoveryTimer_->stop();
  if (recoveryKey_.empty()) return;
  engine_.DropRecovery(recoveryKey_);
  recoveryKey_.clear();
}

// The first copy accepted is shown here; for new texts, each other one accepted in a window
// of its own. Offered once: every copy looked at goes, restored or not.
void FormView::OfferRecovery(const std::string& path) {
  bool restored = false;
  for (const RecoveryStore::Left& left : engine_.LeftRecoveries(path)) {
    if (restored && !path.empty()) return;
    const std::optional<RecoveryCopy> copy = ReadRecoveryCopy(left.bytes);
    const QString name = path.empty() ? QString() : FromPath(path.substr(FileNameStart(path)));
    const bool restore = copy && copy->path == path &&
                         dialogs_.AskYesNo(texts::RecoveryCaption(), texts::RecoveryQuestion(name));
    engine_.DropRecovery(left.key);
    if (!restore) continue;
    if (!restored) {
      Restore(*copy);
      restored = true;
    } else if (makeWindow_) {
      FormView* window = makeWindow_();
      window->Restore(*copy);
      window->show();
    }
  }
}

void FormView::OfferNewTextRecovery() { OfferRecovery(std::string()); }

// The text comes back as it was, with its changes still to save (and a copy kept again).
void FormView::Restore(const RecoveryCopy& copy) {
  const std::optional<TextVariable> variable = TextOfVariable(copy.file.entries[0], copy.model);
  if (!variable) return;
  ShowDocument(variable->text, copy.model, variable->type, copy.file);
  text_->document()->setModified(true);
  recoveryTimer_->start();
}

// A text file is made into a new Voyager 200 text named after it, not yet saved.
bool FormView::OpenTextFile(const std::string& path) {
  Result<ImportedText> read = engine_.ReadImport(path, {});
  if (!read) {
    user_.Report(read.error());
    return false;
  }
  group_.reset();
  opened_.reset();
  std::string name = read->name.empty() ? VariableNameFor(path) : read->name;
  if (name.empty()) name = "texte";
  const Model model = Model::Voyager200;
  // The file it came from names the one it is saved as, beside it.
  path_ = TargetName(path, model, Purpose::Import, {FileContent::Kind::Variable, read->type});
  ShowDocument(read->text, model, read->type,
               NewTextFile(model, "main", name, {}, engine_.Stamp(), read->type));
  text_->document()->setModified(true);
  ShowWarnings(read->warnings);
  repair_->setVisible(false);
  return true;
}

void FormView::ShowWarnings(const std::vector<Warning>& warnings) {
  QStringList lines;
  for (const Warning& warning : warnings) {
    lines << QString::fromStdString(messages::WarningText(warning));
  }
  warning_->setText(lines.join(QLatin1Char('\n')));
  warning_->setVisible(!lines.isEmpty());
}

void FormView::ShowGroupControls(bool shown) {
  variableLabel_->setVisible(shown);
  variables_->setVisible(shown);
  extract_->setVisible(shown);
}

bool FormView::OpenGroup(const std::string& path) {
  Result<OpenedGroup> group = engine_.ReadGroup(path);
  if (!group) {
    user_.Report(group.error());
    return false;
  }
  std::vector<std::size_t> texts;
  for (std::size_t i = 0; i < group->file.entries.size(); ++i) {
    if (TextOfVariable(group->file.entries[i], group->model)) texts.push_back(i);
  }
  if (texts.empty()) {
    user_.Report(Error::About(ErrorKind::NoTextInGroup, path));
    return false;
  }
  group_ = std::move(*group);
  opened_.reset();
  texts_ = std::move(texts);
  path_ = path;
  model_ = group_->model;
  variables_->clear();
  for (const std::size_t index : texts_) {
    const VariableEntry& entry = group_->file.entries[index];
    variables_->addItem(QString::fromStdString(messages::VariablePath(entry.folder, entry.name)));
  }
  ShowGroupControls(true);
  ShowConversionsFrom(group_->model);
  warning_->setVisible(false);
  repair_->setVisible(false);
  // A group's variables are read here, not changed: each can be extracted and edited.
  text_->setReadOnly(true);
  for (QLineEdit* field : {folderField_, nameField_}) field->setEnabled(false);
  ShowVariable(0);
  UpdateTitle();
  return true;
}

void FormView::ShowVariable(int index) {
  if (!group_ || index < 0 || static_cast<std::size_t>(index) >= texts_.size()) return;
  variables_->setCurrentIndex(index);
  const VariableEntry& entry = group_->file.entries[texts_[static_cast<std::size_t>(index)]];
  shown_ = TextOfVariable(entry, group_->model);
  type_ = shown_->type;
  text_->ShowText(shown_->text, NotationOf(shown_->type));
  folderField_->setText(CharactersOf(entry.folder));
  nameField_->setText(CharactersOf(entry.name));
  details_->setText(texts::ViewerDetails(QString::fromUtf8(ModelName(group_->model)),
                                         CharactersOf(entry.folder), CharactersOf(entry.name),
                                         static_cast<qint64>(entry.data.size())));
}

void FormView::UpdateTitle() {
  setWindowTitle(texts::EditorCaption(ShownName(), IsModified()));
  if (save_ != nullptr) save_->setEnabled(!group_);
  if (saveAs_ != nullptr) saveAs_->setEnabled(!group_);
}

void FormView::UpdateStatus() {
  if (group_) return;
  QString status = texts::EditorStatus(
      ModelName(model_), static_cast<qint64>(text_->CodeCount() + VariableOverhead(type_)),
      static_cast<qint64>(layout::kMaxVariableSize), text_->UnknownCount());
  // Until it is saved, a program read from its tokens says what a save makes of it.
  if (opened_ && opened_->tokenized) status += texts::TokenizedNote();
  details_->setText(status);
}

void FormView::UpdateLineKindActions() {
  const bool kinds = !group_ && text_->TextNotation() == Notation::Text;
  lineKinds_->setEnabled(kinds);
  const LineKind kind = text_->KindOfLine(text_->textCursor().blockNumber());
  for (QAction* action : lineKinds_->actions()) {
    action->setChecked(kinds && action->data().toInt() == static_cast<int>(kind));
  }
}

// Every line the selection touches takes the kind.
void FormView::SetLineKind(LineKind kind) {
  if (group_ || text_->isReadOnly()) return;
  const QTextCursor cursor = text_->textCursor();
  const int first = text_->document()->findBlock(cursor.selectionStart()).blockNumber();
  const int last = text_->document()->findBlock(cursor.selectionEnd()).blockNumber();
  // One step of the undo history for them all.
  QTextCursor step(text_->document());
  step.beginEditBlock();
  for (int line = first; line <= last; ++line) text_->SetKindOfLine(line, kind);
  step.endEditBlock();
  UpdateLineKindActions();
}

// A folder or variable name is taken in lower case when the calculators would take it;
// otherwise the reason is said and the name it had comes back.
void FormView::CheckName(QLineEdit* field, std::string& kept) {
  const std::string name = LowercaseName(field->text().toStdString());
  if (name == kept) {
    field->setText(CharactersOf(kept));
    return;
  }
  if (!ValidVariableName(name)) {
    const QString typed = field->text();
    field->setText(CharactersOf(kept));
    dialogs_.ShowMessage(Dialogs::Icon::Critical, texts::ApplicationTitle(),
                         texts::InvalidNameTip(typed));
    return;
  }
  kept = name;
  field->setText(CharactersOf(kept));
  text_->document()->setModified(true);
}

std::optional<VariableFile> FormView::FileToSave(Model model, const std::string& target) {
  const CalculatorText text = text_->Text();
  const std::size_t size = VariableSizeOfText(type_, text);
  if (size > layout::kMaxVariableSize) {
    dialogs_.ShowMessage(Dialogs::Icon::Critical, texts::SavedNotCaption(),
                         texts::SaveTooLarge(FromPath(target), static_cast<qint64>(size),
                                             static_cast<qint64>(layout::kMaxVariableSize)));
    return std::nullopt;
  }
  return ForModel(WithText(base_, folder_, name_, text), model_, model, engine_.Stamp());
}

bool FormView::SaveTo(const std::string& target, Model model) {
  const std::optional<VariableFile> file = FileToSave(model, target);
  if (!file) return false;
  // The file this window read is replaced without a question, unless it changed since.
  const OpenedText* opened = opened_ && opened_->path == target ? &*opened_ : nullptr;
  FileInfo saved;
  if (!user_.Report(engine_.Save(target, *file, opened, user_, &saved))) return false;
  DropRecoveryCopy();
  path_ = target;
  model_ = model;
  base_ = *file;
  // The file is the window's now, as written: the next save goes over it without a question.
  opened_.emplace();
  opened_->path = target;
  opened_->info = saved;
  opened_->file = *file;
  text_->document()->setModified(false);
  warning_->setVisible(false);
  repair_->setVisible(false);
  ShowConversionsFrom(model);
  reloadOffered_ = false;
  UpdateTitle();
  UpdateStatus();
  return true;
}

bool FormView::Save() {
  if (group_) return false;
  if (path_.empty() || !opened_) return SaveAs();
  return SaveTo(path_, model_);
}

// The model is the one the chosen name's extension stands for; a name without one takes
// the extension of the filter it was chosen under.
bool FormView::SaveAs() {
  if (group_) return false;
  const std::vector<Model> models = ModelsFrom(model_);
  QString filters;
  for (const Model model : models) {
    const QString extension = QString::fromStdString(ExtensionOfType(model, type_));
    filters += QStringLiteral("Fichier %1 (*.%2)|*.%2|")
                   .arg(QString::fromUtf8(ModelName(model)), extension);
  }
  filters += QStringLiteral("Tous les fichiers (*.*)|*.*");
  const std::string named = path_.empty() ? name_ : path_;
  const std::string proposed = named.substr(0, named.rfind('.') == std::string::npos ||
                                                       named.rfind('.') < FileNameStart(named)
                                                   ? named.size()
                                                   : named.rfind('.')) +
                               "." + ExtensionOfType(model_, type_);
  const std::optional<Dialogs::ChosenFile> chosen = dialogs_.ChooseFileToSave(
      {Dialogs::FileDialogKind::Save, FromPath(proposed), QtNameFilters(filters)});
  if (!chosen) return false;
  std::string target = ChosenPath(chosen->path);
  Model model = model_;
  if (!ModelOfFileName(target, model)) {
    model = models[static_cast<std::size_t>(
        std::clamp(chosen->filter, 0, static_cast<int>(models.size()) - 1))];
    target += "." + ExtensionOfType(model, type_);
  }
  return SaveTo(target, model);
}

bool FormView::MaySetTextAside() {
  if (!IsModified()) return true;
  switch (dialogs_.AskToSaveChanges(texts::SaveChangesCaption(),
                                    texts::SaveChangesQuestion(ShownName()))) {
    case Dialogs::SaveAnswer::Save: return Save();
    case Dialogs::SaveAnswer::Discard: return true;
    case Dialogs::SaveAnswer::Cancel: break;
  }
  return false;
}

void FormView::closeEvent(QCloseEvent* event) {
  if (MaySetTextAside()) {
    DropRecoveryCopy();
    event->accept();
  } else {
    event->ignore();
  }
}

void FormView::NewWindow(unsigned char type) {
  if (makeWindow_) {
    FormView* window = makeWindow_();
    window->NewText(model_, type);
    window->show();
  } else if (MaySetTextAside()) {
    NewText(model_, type);
  }
}

// A file opens in this window when it shows a new text not yet changed; in another
// otherwise.
void FormView::OpenChosen() {
  const std::optional<QString> chosen = dialogs_.ChooseFile(
      {Dialogs::FileDialogKind::Open, FromPath(path_), QtNameFilters(texts::OpenFilter())});
  if (!chosen) return;
  const std::string path = ChosenPath(*chosen);
  const bool untouched = path_.empty() && !IsModified() && !group_;
  if (untouched || !makeWindow_) {
    if (untouched || MaySetTextAside()) Open(path);
    return;
  }
  FormView* window = makeWindow_();
  if (window->Open(path)) {
    window->show();
  } else {
    window->deleteLater();
  }
}

// Every window is closed in turn, each asking about its changes; a Cancel stops there.
void FormView::Quit() {
  const std::vector<FormView*> windows = allWindows_ ? allWindows_() : std::vector<FormView*>{this};
  for (FormView* window : windows) {
    if (!window->close()) return;
  }
}

void FormView::ShowConversionsFrom(Model model) {
  toV200_->setVisible(model != Model::Voyager200);
  toTi92Plus_->setVisible(model != Model::Ti92Plus);
  toTi89_->setVisible(model != Model::Ti89);
}

// As the main window converts: the same engine, question and completion message. A text
// with changes, or not yet saved, is written as it stands instead.
void FormView::ConvertTo(Model model) {
  if (model == model_) return;
  const FileContent content = group_ ? FileContent{FileContent::Kind::Group, types::kText}
                                     : FileContent{FileContent::Kind::Variable, type_};
  const std::string source = path_.empty() ? name_ + "." + ExtensionOfType(model_, type_) : path_;
  const std::string target = TargetName(source, model, Purpose::Conversion, content);
  KeptWarnings user(user_);
  if (!group_ && (IsModified() || !opened_)) {
    const std::optional<VariableFile> file = FileToSave(model, target);
    if (file && user_.Report(engine_.Save(target, *file, nullptr, user, nullptr))) {
      dialogs_.ShowMessage(Dialogs::Icon::Information, texts::CompletedCaption(),
                           user.After(texts::Completed(source, target)));
    }
    return;
  }
  if (user_.Report(engine_.Convert(model, path_, target, user, nullptr))) {
    dialogs_.ShowMessage(Dialogs::Icon::Information, texts::CompletedCaption(),
                         user.After(texts::Completed(path_, target)));
  }
}

// Writes the variable shown as a file of its own, for the group's model, where the user says.
void FormView::Extract() {
  if (!group_) return;
  const std::size_t index = texts_[static_cast<std::size_t>(variables_->currentIndex())];
  const std::string folder = path_.substr(0, FileNameStart(path_));
  const std::string proposed = ExtractedNames(group_->file, group_->model, folder)[index];
  const std::string extension = proposed.substr(proposed.rfind('.') + 1);
  const std::optional<QString> chosen = dialogs_.ChooseFile(
      {Dialogs::FileDialogKind::Save, FromPath(proposed),
       QtNameFilters(texts::VariableFilter(QString::fromStdString(extension)))});
  if (!chosen) return;
  const std::string target = ChosenPath(*chosen);
  KeptWarnings user(user_);
  if (user_.Report(engine_.ExtractVariable(*group_, index, group_->model, target, user, nullptr))) {
    dialogs_.ShowMessage(Dialogs::Icon::Information, texts::ExtractedCaption(),
                         user.After(texts::Extracted(path_, group_->file.entries[index], target)));
  }
}

// Writes the damaged file again, sound, keeping the old one beside it, and shows it again.
void FormView::Repair() {
  if (!MaySetTextAside()) return;
  Result<Repaired> repaired = engine_.Repair(path_, {true, false}, user_);
  if (!repaired) {
    user_.Report(repaired.error());
    return;
  }
  dialogs_.ShowMessage(Dialogs::Icon::Information, texts::RepairedCaption(),
                       QString::fromStdString(messages::RepairReport(path_, *repaired)).trimmed());
  Open(path_);
}

// The text as it stands is written as UTF-8, where the user says.
void FormView::SaveAsText() {
  // A group's text is named after its variable, beside the group.
  const std::string named =
      group_ ? ExtractedNames(
                   group_->file, group_->model,
                   path_.substr(
                       0, FileNameStart(
                              path_)))[texts_[static_cast<std::size_t>(variables_->currentIndex())]]
      : path_.empty() ? name_
                      : path_;
  const QString proposed = FromPath(TargetName(named, Model::Voyager200, Purpose::TextExport));
  const std::optional<QString> chosen = dialogs_.ChooseFile(
      {Dialogs::FileDialogKind::Save, proposed, QtNameFilters(texts::TextFilter())});
  if (!chosen) return;
  const std::string target = ChosenPath(*chosen);
  KeptWarnings user(user_);
  TextVariable variable = group_ ? *shown_ : TextVariable{};
  if (!group_) {
    variable.model = model_;
    variable.folder = folder_;
    variable.name = name_;
    variable.type = type_;
    variable.text = text_->Text();
  }
  if (user_.Report(
          engine_.WriteFile(target, WrittenText(variable, TextFormat::Utf8), user, path_))) {
    dialogs_.ShowMessage(Dialogs::Icon::Information, texts::ExportedCaption(),
                         user.After(texts::Exported(path_.empty() ? named : path_, target)));
  }
}

// Coming back to a window whose file changed on disk offers to read it again, once.
void FormView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) OfferReload();
}

void FormView::OfferReload() {
  if (!opened_ || group_ || reloadOffered_) return;
  const QFileInfo now(FromPath(opened_->path));
  if (!now.exists()) return;
  const qint64 seconds = now.lastModified().toSecsSinceEpoch();
  if (seconds == opened_->info.modified.tv_sec &&
      static_cast<std::uint64_t>(now.size()) == opened_->info.size) {
    return;
  }
  reloadOffered_ = true;
  if (dialogs_.AskYesNo(texts::ReloadCaption(), texts::ReloadQuestion(FromPath(opened_->path)))) {
    Open(std::string(opened_->path));
  }
}

void FormView::dragEnterEvent(QDragEnterEvent* event) {
  if (CarriesALocalFile(event->mimeData())) event->acceptProposedAction();
}

// A dropped file is opened in place of the one shown, once its changes are dealt with.
void FormView::dropEvent(QDropEvent* event) {
  if (!CarriesALocalFile(event->mimeData())) return;
  event->acceptProposedAction();
  if (MaySetTextAside()) Open(DroppedPath(event->mimeData()));
}

}  // namespace orbisk
