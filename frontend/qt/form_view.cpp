// The viewer: one calculator text, read-only, with what can be done with it.
#include "form_view.hpp"

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
      details_(new QLabel(this)),
      warning_(new QLabel(this)),
      toV200_(new QPushButton(texts::ConvertToV200Button(), this)),
      toTi92Plus_(new QPushButton(texts::ConvertToTi92PlusButton(), this)),
      saveAsText_(new QPushButton(texts::SaveAsTextButton(), this)),
      repair_(new QPushButton(texts::RepairButton(), this)),
      close_(new QPushButton(texts::CloseButton(), this)) {
  text_->setObjectName(QStringLiteral("text"));
  details_->setObjectName(QStringLiteral("details"));
  warning_->setObjectName(QStringLiteral("warning"));
  repair_->setObjectName(QStringLiteral("repair"));
  warning_->setWordWrap(true);
  warning_->setTextFormat(Qt::PlainText);
  warning_->setVisible(false);
  repair_->setVisible(false);
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
  buttons->addStretch();
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_, 1);
  layout->addWidget(details_);
  layout->addWidget(warning_);
  layout->addLayout(buttons);
  resize(640, 480);

  connect(toV200_, &QPushButton::clicked, this, [this] { ConvertTo(Model::Voyager200); });
  connect(toTi92Plus_, &QPushButton::clicked, this, [this] { ConvertTo(Model::Ti92Plus); });
  connect(saveAsText_, &QPushButton::clicked, this, &FormView::SaveAsText);
  connect(repair_, &QPushButton::clicked, this, &FormView::Repair);
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
}

bool FormView::Open(const std::string& path) {
  Result<OpenedText> opened = engine_.ReadText(path);
  if (!opened) {
    user_.Report(opened.error());
    return false;
  }
  const TextVariable& variable = opened->variable;
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
  const std::string target =
      TargetName(path_, model, Purpose::Conversion, {FileContent::Kind::Variable, type_});
  KeptWarnings user(user_);
  if (user_.Report(engine_.Convert(model, path_, target, user, nullptr))) {
    dialogs_.ShowMessage(Dialogs::Icon::Information, texts::CompletedCaption(),
                         user.After(texts::Completed(path_, target)));
  }
}

void FormView::SaveAsText() {
  const QString proposed = FromPath(TargetName(path_, Model::Voyager200, Purpose::TextExport));
  const std::optional<QString> chosen = dialogs_.ChooseFile(
      {Dialogs::FileDialogKind::Save, proposed, QtNameFilters(texts::TextFilter())});
  if (!chosen) return;
  const std::string target = ChosenPath(*chosen);
  KeptWarnings user(user_);
  if (user_.Report(engine_.ExportText(path_, target, TextFormat::Utf8, user, nullptr))) {
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
