// The editor's Fichier › Envoyer à la calculatrice and Recevoir de la calculatrice…, both
// through orbisk-link.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "calculator_link.hpp"
#include "editor_window.hpp"
#include "group_browser.hpp"
#include "kept_warnings.hpp"
#include "target_names.hpp"
#include "window_texts.hpp"

namespace orbisk {

void EditorWindow::SendToCalculator() {
  std::string path = Path();
  const QString name = ShownName();
  // A text not saved as shown is sent as it stands, from a file of its own that goes away
  // after, unless the user would rather save it first.
  QTemporaryDir asItStands;
  if (!browser_->IsOpen() && (IsModified() || !document_->HasFile())) {
    if (dialogs_.AskYesNo(texts::SendCaption(), texts::SaveBeforeSending(name),
                          Dialogs::Icon::Question)) {
      if (!Save()) return;
      path = Path();
    } else {
      const Model model = ShownModel();
      path = asItStands.path().toStdString() + "/" + document_->Name() + "." +
             ExtensionFor(model, {FileContent::Kind::Variable, document_->Type()});
      KeptWarnings user(user_);
      if (!user_.Report(engine_.Save(path, document_->FileFor(model), nullptr, user))) return;
    }
  }
  CalculatorLink link(dialogs_, this);
  link.ShowAs(QString::fromStdString(path), QStringLiteral("« %1 »").arg(name));
  if (link.Run({QStringLiteral("--send"), QStringLiteral("--"), QString::fromStdString(path)},
               texts::SendCaption())
          .ok()) {
    details_->setText(texts::SentStatus(name));
  }
}

void EditorWindow::ReceiveFromCalculator() {
  CalculatorLink link(dialogs_, this);
  const LinkOutcome listed = link.Run({QStringLiteral("--calc")}, texts::ReceiveCaption());
  if (!listed.ok()) return;
  const QStringList lines = listed.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  if (lines.isEmpty()) {
    dialogs_.ShowMessage(Dialogs::Icon::Information, texts::ReceiveCaption(),
                         texts::NothingToReceive());
    return;
  }
  const std::optional<QStringList> chosen =
      dialogs_.ChooseItems(texts::ReceiveCaption(), texts::ReceiveLabel(), lines);
  if (!chosen || chosen->isEmpty()) return;
  const QString start =
      Path().empty() ? QDir::homePath() : QFileInfo(QString::fromStdString(Path())).absolutePath();
  const std::optional<QString> folder = dialogs_.ChooseFolder(texts::ReceiveIntoCaption(), start);
  if (!folder) return;
  QStringList arguments{QStringLiteral("--receive"), QStringLiteral("--into"), *folder,
                        QStringLiteral("--")};
  for (const QString& line : *chosen) arguments << ListedVariable(line);
  const LinkOutcome received = link.Run(arguments, texts::ReceiveCaption());
  // What came is shown: each file opens, here if this window holds nothing yet.
  for (const auto& [variable, file] : received.made) OpenHereOrBeside(file.toStdString());
  if (!received.made.isEmpty()) {
    details_->setText(texts::ReceivedStatus(received.made.size(), *folder));
  }
}

}  // namespace orbisk
