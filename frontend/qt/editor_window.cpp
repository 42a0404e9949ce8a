// The editor window: one calculator text, changed as on the calculator, with what can be done
// with it; or a group's texts, one at a time.
#include "editor_window.hpp"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
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
#include <QVBoxLayout>
#include <algorithm>

#include "character_palette.hpp"
#include "charset.hpp"
#include "find_bar.hpp"
#include "group_browser.hpp"
#include "local_files.hpp"
#include "recent_files.hpp"
#include "target_names.hpp"
#include "text_view.hpp"
#include "window_texts.hpp"

namespace orbisk {

EditorWindow::EditorWindow(Engine& engine, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      engine_(engine),
      dialogs_(dialogs),
      messages_(dialogs),
      document_(new EditorDocument(engine, this)),
      groupText_(new CalculatorTextDocument(this)),
      text_(new CalculatorTextView(this)),
      palette_(new CharacterPalette(this)),
      find_(new FindBar(text_, this)),
      browser_(new GroupBrowser(engine, dialogs, user_, this)),
      folderField_(new QLineEdit(this)),
      nameField_(new QLineEdit(this)),
      typeChoice_(new QComboBox(this)),
      details_(new QLabel(this)),
      position_(new QLabel(this)),
      warning_(new QLabel(this)),
      nameProblem_(new QLabel(this)),
      toV200_(new QPushButton(texts::ConvertToV200Button(), this)),
      toTi92Plus_(new QPushButton(texts::ConvertToTi92PlusButton(), this)),
      toTi89_(new QPushButton(texts::ConvertToTi89Button(), this)),
      saveAsText_(new QPushButton(texts::SaveAsTextButton(), this)),
      repair_(new QPushButton(texts::RepairButton(), this)),
      extract_(new QPushButton(texts::ExtractButton(), this)),
      close_(new QPushButton(texts::CloseButton(), this)) {
  const std::pair<QWidget*, const char*> names[] = {
      {text_, "text"},         {palette_, "palette"},
      {find_, "findBar"},      {details_, "details"},
      {position_, "position"}, {warning_, "warning"},
      {repair_, "repair"},     {folderField_, "folder"},
      {nameField_, "name"},    {extract_, "extract"},
      {toV200_, "toV200"},     {toTi92Plus_, "toTi92Plus"},
      {toTi89_, "toTi89"},     {saveAsText_, "saveAsText"},
      {close_, "close"},       {nameProblem_, "nameProblem"},
      {typeChoice_, "type"}};
  for (const auto& [widget, name] : names) widget->setObjectName(QLatin1String(name));
  warning_->setWordWrap(true);
  warning_->setTextFormat(Qt::PlainText);
  nameProblem_->setWordWrap(true);
  nameProblem_->setTextFormat(Qt::PlainText);
  for (QWidget* hidden : {static_cast<QWidget*>(warning_), static_cast<QWidget*>(repair_),
                          static_cast<QWidget*>(nameProblem_), static_cast<QWidget*>(palette_),
                          static_cast<QWidget*>(extract_)}) {
    hidden->setVisible(false);
  }
  details_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // A longer status never widens the window: it takes the room there is.
  details_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  details_->setWordWrap(true);
  // A name too long is said to be, not cut: the fields take whatever is typed.
  for (QLineEdit* field : {folderField_, nameField_}) {
    field->setFixedWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 9);
  }
  for (const unsigned char type : {types::kText, types::kProgram, types::kFunction}) {
    typeChoice_->addItem(texts::TypeName(type), type);
  }
  setAcceptDrops(true);
  // A file dropped on the text is one dropped on the window, not text to insert.
  text_->setAcceptDrops(false);
  text_->viewport()->setAcceptDrops(false);
  text_->SetDocument(document_->TextDocument());
  LayOut();
  BuildMenus();
  Connect();
  resize(820, 560);
  ShowDocument();
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::LayOut() {
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {toV200_, toTi92Plus_, toTi89_, saveAsText_, repair_, extract_}) {
    buttons->addWidget(button);
  }
  buttons->addStretch();
  buttons->addWidget(close_);
  auto* status = new QHBoxLayout;
  auto* folderLabel = new QLabel(texts::FolderLabel(), this);
  auto* nameLabel = new QLabel(texts::NameLabel(), this);
  auto* typeLabel = new QLabel(texts::TypeLabel(), this);
  folderLabel->setBuddy(folderField_);
  nameLabel->setBuddy(nameField_);
  typeLabel->setBuddy(typeChoice_);
  status->addWidget(folderLabel);
  status->addWidget(folderField_);
  status->addWidget(nameLabel);
  status->addWidget(nameField_);
  status->addWidget(typeLabel);
  status->addWidget(typeChoice_);
  status->addWidget(details_, 1);
  status->addWidget(position_);
  auto* splitter = new QSplitter(this);
  splitter->addWidget(text_);
  splitter->addWidget(palette_);
  splitter->setStretchFactor(0, 1);
  splitter->setChildrenCollapsible(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_);
  layout->addWidget(splitter, 1);
  layout->addWidget(find_);
  layout->addLayout(status);
  layout->addWidget(nameProblem_);
  layout->addWidget(warning_);
  layout->addLayout(buttons);
}

void EditorWindow::Connect() {
  connect(toV200_, &QPushButton::clicked, this, [this] { ConvertTo(Model::Voyager200); });
  connect(toTi92Plus_, &QPushButton::clicked, this, [this] { ConvertTo(Model::Ti92Plus); });
  connect(toTi89_, &QPushButton::clicked, this, [this] { ConvertTo(Model::Ti89); });
  connect(saveAsText_, &QPushButton::clicked, this, &EditorWindow::SaveAsText);
  connect(repair_, &QPushButton::clicked, this, &EditorWindow::Repair);
  connect(extract_, &QPushButton::clicked, browser_, &GroupBrowser::Extract);
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
  connect(browser_, &GroupBrowser::chosen, this, &EditorWindow::ShowChosenVariable);
  CalculatorTextDocument* text = document_->TextDocument();
  connect(text, &QTextDocument::modificationChanged, this, &EditorWindow::UpdateTitle);
  connect(text, &CalculatorTextDocument::countsChanged, this, &EditorWindow::UpdateStatus);
  connect(document_, &EditorDocument::fileChanged, this, &EditorWindow::ShowDocumentDetails);
  connect(document_, &EditorDocument::recoveryNotKept, this, [this](const Error& error) {
    warning_->setText(texts::RecoveryNotKept(
        QString::fromStdString(messages::Describe(error, messages::Audience::Window))));
    warning_->setVisible(true);
  });
  connect(text_, &QPlainTextEdit::cursorPositionChanged, this, [this] {
    if (text_->Document() == document_->TextDocument()) document_->SetCursor(text_->textCursor());
    UpdateLineKindActions();
    UpdatePosition();
  });
  connect(palette_, &CharacterPalette::chosen, this, [this](unsigned char code) {
    if (text_->isReadOnly()) return;
    text_->insertPlainText(QString::fromStdString(CharacterOf(code)));
    text_->setFocus();
  });
  connect(folderField_, &QLineEdit::editingFinished, this,
          [this] { CheckName(folderField_, &EditorDocument::SetFolder, &EditorDocument::Folder); });
  connect(nameField_, &QLineEdit::editingFinished, this,
          [this] { CheckName(nameField_, &EditorDocument::SetName, &EditorDocument::Name); });
  for (QLineEdit* field : {folderField_, nameField_}) {
    connect(field, &QLineEdit::textEdited, this, [this, field] { MarkName(field); });
  }
  connect(typeChoice_, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
    ChangeType(static_cast<unsigned char>(typeChoice_->itemData(index).toInt()));
  });
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
}

void EditorWindow::SetWindowMaker(WindowMaker maker, AllWindows all) {
  makeWindow_ = std::move(maker);
  allWindows_ = std::move(all);
}

void EditorWindow::SetConverterOpener(std::function<void()> open) {
  openConverter_ = std::move(open);
  converter_->setVisible(static_cast<bool>(openConverter_));
}

bool EditorWindow::IsModified() const { return !browser_->IsOpen() && document_->IsModified(); }

const std::string& EditorWindow::Path() const {
  return browser_->IsOpen() ? browser_->Path() : document_->Path();
}

Model EditorWindow::ShownModel() const {
  return browser_->IsOpen() ? browser_->GroupModel() : document_->TextModel();
}

QString EditorWindow::ShownName() const {
  const std::string& path = Path();
  return path.empty() ? texts::NewTextName(document_->Type())
                      : FromPath(path.substr(FileNameStart(path)));
}

void EditorWindow::NewText(Model model, unsigned char type) {
  document_->New(model, type);
  ShowDocument();
}

void EditorWindow::ShowDocument() {
  browser_->Close();
  extract_->setVisible(false);
  text_->SetDocument(document_->TextDocument());
  text_->setTextCursor(document_->Cursor());
  text_->setReadOnly(false);
  for (QLineEdit* field : {folderField_, nameField_}) field->setEnabled(true);
  warning_->setVisible(false);
  repair_->setVisible(false);
  reloadOffered_ = false;
  ShowDocumentDetails();
}

void EditorWindow::ShowDocumentDetails() {
  if (browser_->IsOpen()) return;
  folderField_->setText(CharactersOf(document_->Folder()));
  nameField_->setText(CharactersOf(document_->Name()));
  ShowType(document_->Type(), true);
  ShowConversionsFrom(document_->TextModel());
  UpdateTitle();
  UpdateStatus();
  UpdateLineKindActions();
}

bool EditorWindow::Open(const std::string& path) {
  const Status opened = document_->Open(path);
  if (!opened && opened.error().kind == ErrorKind::IsAGroup) return OpenGroup(path);
  if (!user_.Report(opened)) return false;
  ShowDocument();
  ShowWarnings(document_->Warnings());
  repair_->setVisible(document_->Repairable());
  RememberRecentFile(FromPath(path));
  // A text file made into a new text has no copy of its own to offer.
  if (document_->HasFile()) OfferRecovery(path);
  return true;
}

bool EditorWindow::OpenGroup(const std::string& path) {
  if (!user_.Report(browser_->Open(path))) return false;
  RememberRecentFile(FromPath(path));
  // The text shown before was set aside.
  document_->New(browser_->GroupModel());
  text_->SetDocument(groupText_);
  // A group's variables are read here, not changed: each can be extracted and edited.
  text_->setReadOnly(true);
  for (QLineEdit* field : {folderField_, nameField_}) field->setEnabled(false);
  extract_->setVisible(true);
  ShowConversionsFrom(browser_->GroupModel());
  warning_->setVisible(false);
  repair_->setVisible(false);
  ShowChosenVariable();
  UpdateTitle();
  UpdateLineKindActions();
  return true;
}

void EditorWindow::ShowChosenVariable() {
  const TextVariable& shown = browser_->Shown();
  const VariableEntry& entry = browser_->ShownEntry();
  QTextCursor cursor(groupText_);
  cursor.setPosition(groupText_->SetText(shown.text, NotationOf(shown.type)));
  text_->setTextCursor(cursor);
  folderField_->setText(CharactersOf(entry.folder));
  nameField_->setText(CharactersOf(entry.name));
  ShowType(shown.type, false);
  details_->setText(texts::ViewerDetails(QString::fromUtf8(ModelName(browser_->GroupModel())),
                                         CharactersOf(entry.folder), CharactersOf(entry.name),
                                         static_cast<qint64>(entry.data.size())));
}

void EditorWindow::ShowWarnings(const std::vector<Warning>& warnings) {
  QStringList lines;
  for (const Warning& warning : warnings) {
    lines << QString::fromStdString(messages::WarningText(warning, messages::Audience::Window));
  }
  warning_->setText(lines.join(QLatin1Char('\n')));
  warning_->setVisible(!lines.isEmpty());
}

void EditorWindow::UpdateTitle() {
  setWindowTitle(texts::EditorCaption(ShownName(), IsModified()));
  const bool group = browser_->IsOpen();
  if (save_ != nullptr) save_->setEnabled(!group);
  if (saveAs_ != nullptr) saveAs_->setEnabled(!group);
}

void EditorWindow::UpdateStatus() {
  if (browser_->IsOpen()) return;
  const CalculatorTextDocument* text = document_->TextDocument();
  QString status = texts::EditorStatus(
      ModelName(document_->TextModel()),
      static_cast<qint64>(text->CodeCount() + VariableOverhead(document_->Type())),
      static_cast<qint64>(layout::kMaxVariableSize), text->UnknownCount());
  // Until it is saved, a program read from its tokens says what a save makes of it.
  if (document_->Tokenized()) status += texts::TokenizedNote();
  details_->setText(status);
}

void EditorWindow::UpdatePosition() {
  const QTextCursor cursor = text_->textCursor();
  position_->setText(texts::CursorPosition(cursor.blockNumber() + 1, cursor.positionInBlock() + 1));
}

void EditorWindow::FindAgain(bool backward) {
  if (!(backward ? find_->FindPrevious() : find_->FindNext())) find_->Open(FindBar::Mode::Find);
}

void EditorWindow::ShowAbout() {
  dialogs_.ShowMessage(Dialogs::Icon::Information, texts::AboutCaption(),
                       texts::About(QStringLiteral(ORBISK_VERSION)));
}

void EditorWindow::UpdateLineKindActions() {
  if (lineKinds_ == nullptr) return;
  const CalculatorTextDocument* text = text_->Document();
  const bool kinds = !browser_->IsOpen() && text->TextNotation() == Notation::Text;
  lineKinds_->setEnabled(kinds);
  const LineKind kind = text->KindOfLine(text_->textCursor().blockNumber());
  for (QAction* action : lineKinds_->actions()) {
    action->setChecked(kinds && action->data().toInt() == static_cast<int>(kind));
  }
}

// Every line the selection touches takes the kind, in one step of the undo history.
void EditorWindow::SetLineKind(LineKind kind) {
  if (browser_->IsOpen() || text_->isReadOnly()) return;
  CalculatorTextDocument* text = document_->TextDocument();
  const QTextCursor cursor = text_->textCursor();
  const int first = text->findBlock(cursor.selectionStart()).blockNumber();
  const int last = text->findBlock(cursor.selectionEnd()).blockNumber();
  QTextCursor step(text);
  step.beginEditBlock();
  for (int line = first; line <= last; ++line) text->SetKindOfLine(line, kind);
  step.endEditBlock();
  UpdateLineKindActions();
}

void EditorWindow::ShowType(unsigned char type, bool changeable) {
  typeChoice_->setCurrentIndex(std::max(0, typeChoice_->findData(type)));
  typeChoice_->setEnabled(changeable);
}

// The text is shown again in the new type's notation, in one change the user can undo by
// choosing the former type again.
void EditorWindow::ChangeType(unsigned char type) {
  const unsigned char current = document_->Type();
  if (document_->Retype(type)) {
    nameProblem_->setVisible(false);
    return;
  }
  ShowType(current, true);
  nameProblem_->setText(texts::CannotRetype(current, type));
  nameProblem_->setVisible(true);
}

void EditorWindow::MarkName(QLineEdit* field) {
  const QString typed = field->text();
  const bool sound = EditorDocument::NamesAVariable(typed.toStdString());
  field->setStyleSheet(sound ? QString()
                             : QStringLiteral("QLineEdit { border: 2px solid #c01c28; }"));
  nameProblem_->setText(sound ? QString() : texts::InvalidNameTip(typed));
  nameProblem_->setVisible(!sound);
}

// A folder or variable name is taken in lower case when the calculators would take it;
// otherwise the name it had comes back, the reason staying under the fields.
void EditorWindow::CheckName(QLineEdit* field, bool (EditorDocument::*set)(const std::string&),
                             const std::string& (EditorDocument::*kept)() const) {
  const QString typed = field->text();
  const bool taken = (document_->*set)(typed.toStdString());
  field->setText(CharactersOf((document_->*kept)()));
  field->setStyleSheet(QString());
  if (taken) nameProblem_->setVisible(false);
}

void EditorWindow::OfferNewTextRecovery() { OfferRecovery(std::string()); }

// The first copy accepted is shown here; for new texts, each other one accepted in a window
// of its own. Offered once: every copy looked at goes, restored or not.
void EditorWindow::OfferRecovery(const std::string& path) {
  bool restored = false;
  for (const RecoveryStore::Left& left : engine_.LeftRecoveries(path)) {
    if (restored && !path.empty()) return;
    const std::optional<RecoveryCopy> copy = ReadRecoveryCopy(left.bytes);
    const QString name = path.empty() ? QString() : FromPath(path.substr(FileNameStart(path)));
    const bool restore = copy && copy->path == path &&
                         dialogs_.AskYesNo(texts::RecoveryCaption(), texts::RecoveryQuestion(name),
                                           Dialogs::Icon::Question);
    engine_.DropRecovery(left.key);
    if (!restore) continue;
    if (!restored) {
      Restore(*copy);
      restored = true;
    } else if (makeWindow_) {
      EditorWindow* window = makeWindow_();
      window->Restore(*copy);
      window->show();
    }
  }
}

// The text comes back as it was, with its changes still to save (and a copy kept again).
void EditorWindow::Restore(const RecoveryCopy& copy) {
  if (document_->Restore(copy)) ShowDocument();
}

// Coming back to a window whose file changed on disk offers to read it again, once.
void EditorWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) OfferReload();
}

void EditorWindow::OfferReload() {
  if (browser_->IsOpen() || reloadOffered_ || !document_->ChangedOnDisk()) return;
  reloadOffered_ = true;
  const std::string path = document_->Path();
  // Reading it again would lose the changes made here: that is a warning, not a question.
  const bool modified = IsModified();
  if (dialogs_.AskYesNo(texts::ReloadCaption(), texts::ReloadQuestion(FromPath(path), modified),
                        modified ? Dialogs::Icon::Warning : Dialogs::Icon::Question)) {
    Open(path);
  }
}

void EditorWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (CarriesALocalFile(event->mimeData())) event->acceptProposedAction();
}

// A dropped file is opened in place of the one shown, once its changes are dealt with.
void EditorWindow::dropEvent(QDropEvent* event) {
  if (!CarriesALocalFile(event->mimeData())) return;
  event->acceptProposedAction();
  if (MaySetTextAside()) Open(DroppedPath(event->mimeData()));
}

}  // namespace orbisk
