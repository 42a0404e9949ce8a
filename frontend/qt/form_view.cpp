// The viewer: one calculator text, read-only, with what can be done with it.
#include "form_view.hpp"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "charset.hpp"
#include "kept_warnings.hpp"
#include "local_files.hpp"
#include "name_filters.hpp"
#include "target_names.hpp"
#include "text_view.hpp"
#include "window_texts.hpp"

namespace orbisk {
namespace {

QString FromCalculator(const std::string& codes) {
  std::string utf8;
  AppendUtf8(utf8, codes);
  return QString::fromStdString(utf8);
}

}  // namespace

FormView::FormView(Engine& engine, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      engine_(engine),
      dialogs_(dialogs),
      messages_(dialogs),
      text_(new CalculatorTextView(this)),
      variableLabel_(new QLabel(texts::VariableLabel(), this)),
      variables_(new QComboBox(this)),
      details_(new QLabel(this)),
      warning_(new QLabel(this)),
      toV200_(new QPushButton(texts::ConvertToV200Button(), this)),
      toTi92Plus_(new QPushButton(texts::ConvertToTi92PlusButton(), this)),
      saveAsText_(new QPushButton(texts::SaveAsTextButton(), this)),
      repair_(new QPushButton(texts::RepairButton(), this)),
      extract_(new QPushButton(texts::ExtractButton(), this)),
      close_(new QPushButton(texts::CloseButton(), this)) {
  text_->setObjectName(QStringLiteral("text"));
  details_->setObjectName(QStringLiteral("details"));
  warning_->setObjectName(QStringLiteral("warning"));
  repair_->setObjectName(QStringLiteral("repair"));
  warning_->setWordWrap(true);
  warning_->setTextFormat(Qt::PlainText);
  warning_->setVisible(false);
  repair_->setVisible(false);
  variables_->setObjectName(QStringLiteral("variables"));
  extract_->setObjectName(QStringLiteral("extract"));
  variableLabel_->setBuddy(variables_);
  variableLabel_->setVisible(false);
  variables_->setVisible(false);
  extract_->setVisible(false);
  toV200_->setObjectName(QStringLiteral("toV200"));
  toTi92Plus_->setObjectName(QStringLiteral("toTi92Plus"));
  saveAsText_->setObjectName(QStringLiteral("saveAsText"));
  close_->setObjectName(QStringLiteral("close"));
  details_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  setAcceptDrops(true);
  // A file dropped on the text is one dropped on the window, not text to insert.
  text_->setAcceptDrops(false);
  text_->viewport()->setAcceptDrops(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(toV200_);
  buttons->addWidget(toTi92Plus_);
  buttons->addWidget(saveAsText_);
  buttons->addWidget(repair_);
  buttons->addWidget(extract_);
  buttons->addStretch();
  buttons->addWidget(close_);
  auto* chooser = new QHBoxLayout;
  chooser->addWidget(variableLabel_);
  chooser->addWidget(variables_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(chooser);
  layout->addWidget(text_, 1);
  layout->addWidget(details_);
  layout->addWidget(warning_);
  layout->addLayout(buttons);
  resize(640, 480);

  connect(toV200_, &QPushButton::clicked, this, [this] { ConvertTo(Model::Voyager200); });
  connect(toTi92Plus_, &QPushButton::clicked, this, [this] { ConvertTo(Model::Ti92Plus); });
  connect(saveAsText_, &QPushButton::clicked, this, &FormView::SaveAsText);
  connect(repair_, &QPushButton::clicked, this, &FormView::Repair);
  connect(extract_, &QPushButton::clicked, this, &FormView::Extract);
  connect(variables_, QOverload<int>::of(&QComboBox::activated), this, &FormView::ShowVariable);
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
}

bool FormView::Open(const std::string& path) {
  Result<OpenedText> opened = engine_.ReadText(path);
  if (!opened && opened.error().kind == ErrorKind::IsAGroup) return OpenGroup(path);
  if (!opened) {
    user_.Report(opened.error());
    return false;
  }
  const TextVariable& variable = opened->variable;
  group_.reset();
  ShowGroupControls(false);
  shown_ = variable;
  path_ = path;
  type_ = variable.type;
  setWindowTitle(texts::ViewerCaption(FromPath(path.substr(FileNameStart(path)))));
  text_->ShowText(variable.text);
  details_->setText(texts::ViewerDetails(QString::fromUtf8(ModelName(variable.model)),
                                         FromCalculator(variable.folder),
                                         FromCalculator(variable.name),
                                         static_cast<qint64>(opened->info.size)));
  ShowConversionsFrom(variable.model);
  QStringList warnings;
  for (const Warning& warning : ReadingWarnings(*opened)) {
    warnings << QString::fromStdString(messages::WarningText(warning));
  }
  warning_->setText(warnings.join(QLatin1Char('\n')));
  warning_->setVisible(!warnings.isEmpty());
  repair_->setVisible(!opened->damage.empty());
  return true;
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
    user_.Report(Error::Of(ErrorKind::NoTextInGroup, path));
    return false;
  }
  group_ = std::move(*group);
  texts_ = std::move(texts);
  path_ = path;
  setWindowTitle(texts::ViewerCaption(FromPath(path.substr(FileNameStart(path)))));
  variables_->clear();
  for (const std::size_t index : texts_) {
    const VariableEntry& entry = group_->file.entries[index];
    variables_->addItem(QString::fromStdString(messages::VariablePath(entry.folder, entry.name)));
  }
  ShowGroupControls(true);
  ShowConversionsFrom(group_->model);
  warning_->setVisible(false);
  repair_->setVisible(false);
  ShowVariable(0);
  return true;
}

void FormView::ShowVariable(int index) {
  if (!group_ || index < 0 || static_cast<std::size_t>(index) >= texts_.size()) return;
  variables_->setCurrentIndex(index);
  const VariableEntry& entry = group_->file.entries[texts_[static_cast<std::size_t>(index)]];
  shown_ = TextOfVariable(entry, group_->model);
  text_->ShowText(shown_->text);
  details_->setText(texts::ViewerDetails(QString::fromUtf8(ModelName(group_->model)),
                                         FromCalculator(entry.folder), FromCalculator(entry.name),
                                         static_cast<qint64>(entry.data.size())));
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
  Result<Repaired> repaired = engine_.Repair(path_, {true, false}, user_);
  if (!repaired) {
    user_.Report(repaired.error());
    return;
  }
  dialogs_.ShowMessage(Dialogs::Icon::Information, texts::RepairedCaption(),
                       QString::fromStdString(messages::RepairReport(path_, *repaired)).trimmed());
  Open(path_);
}

void FormView::ShowConversionsFrom(Model model) {
  toV200_->setVisible(model != Model::Voyager200);
  toTi92Plus_->setVisible(model != Model::Ti92Plus);
}

// As the main window converts: the same engine, question and completion message.
void FormView::ConvertTo(Model model) {
  const FileContent content = group_ ? FileContent{FileContent::Kind::Group, types::kText}
                                     : FileContent{FileContent::Kind::Variable, type_};
  const std::string target = TargetName(path_, model, Purpose::Conversion, content);
  KeptWarnings user(user_);
  if (user_.Report(engine_.Convert(model, path_, target, user, nullptr))) {
    dialogs_.ShowMessage(Dialogs::Icon::Information, texts::CompletedCaption(),
                         user.After(texts::Completed(path_, target)));
  }
}

void FormView::SaveAsText() {
  // A group's text is named after its variable, beside the group.
  const std::string named =
      group_ ? ExtractedNames(group_->file, group_->model, path_.substr(0, FileNameStart(path_)))
                   [texts_[static_cast<std::size_t>(variables_->currentIndex())]]
             : path_;
  const QString proposed = FromPath(TargetName(named, Model::Voyager200, Purpose::TextExport));
  const std::optional<QString> chosen = dialogs_.ChooseFile(
      {Dialogs::FileDialogKind::Save, proposed, QtNameFilters(texts::TextFilter())});
  if (!chosen) return;
  const std::string target = ChosenPath(*chosen);
  KeptWarnings user(user_);
  const Status saved = group_ ? engine_.WriteFile(target, WrittenText(*shown_, TextFormat::Utf8), user)
                              : engine_.ExportText(path_, target, TextFormat::Utf8, user, nullptr);
  if (user_.Report(saved)) {
    dialogs_.ShowMessage(Dialogs::Icon::Information, texts::ExportedCaption(),
                         user.After(texts::Exported(path_, target)));
  }
}

void FormView::dragEnterEvent(QDragEnterEvent* event) {
  if (CarriesALocalFile(event->mimeData())) event->acceptProposedAction();
}

// A dropped file is opened in place of the one shown, if it is a text.
void FormView::dropEvent(QDropEvent* event) {
  if (!CarriesALocalFile(event->mimeData())) return;
  event->acceptProposedAction();
  Open(DroppedPath(event->mimeData()));
}

}  // namespace orbisk
