// Runs orbisk-link for a window.
#include "calculator_link.hpp"

#include <dlfcn.h>

#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QProgressDialog>

#include "link_protocol.hpp"
#include "window_texts.hpp"

namespace orbisk {
namespace {

// One line of orbisk-link's protocol, its keyword taken apart from its text.
struct ProtocolLine {
  QByteArray keyword;
  QString text;
};

ProtocolLine Parse(const QByteArray& line) {
  const qsizetype space = line.indexOf(' ');
  if (space < 0) return {line, {}};
  QByteArray text = line.mid(space + 1);
  text.replace(link_protocol::kRecordSeparator, '\n');
  return {line.left(space), QString::fromUtf8(text)};
}

}  // namespace

QString LinkProgramPath() {
  const QByteArray chosen = qgetenv("ORBISK_LINK_PROGRAM");
  if (!chosen.isEmpty()) {
    const QString path = QString::fromLocal8Bit(chosen);
    return QFileInfo(path).isExecutable() ? path : QString();
  }
  // orbisk-link is installed (and built) in the folder of the module this code is in.
  Dl_info info{};
  if (::dladdr(reinterpret_cast<void*>(&LinkProgramPath), &info) == 0 ||
      info.dli_fname == nullptr) {
    return {};
  }
  const QString beside = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath() +
                         QLatin1Char('/') + QString::fromLatin1(link_protocol::kProgram);
  return QFileInfo(beside).isExecutable() ? beside : QString();
}

QString ListedVariable(const QString& line) { return line.trimmed().section(QLatin1Char(' '), -1); }

LinkOutcome CalculatorLink::Run(const QStringList& arguments, const QString& caption) {
  LinkOutcome outcome;
  const QString program = LinkProgramPath();
  if (program.isEmpty()) {
    dialogs_.ShowMessage(Dialogs::Icon::Critical, caption, texts::LinkNotInstalled());
    return outcome;
  }
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QString::fromLatin1(link_protocol::kVariable), QStringLiteral("1"));
  process.setProcessEnvironment(environment);

  QProgressDialog progress(caption, texts::CancelButton(), 0, 100, parent_);
  progress.setWindowTitle(caption);
  progress.setWindowModality(Qt::WindowModal);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  progress.setMinimumDuration(400);  // a listing over a fast cable needs no dialog
  // Annuler asks orbisk-link to stop, as Ctrl-C would: it leaves nothing half-done.
  QObject::connect(&progress, &QProgressDialog::canceled, &process, [&process, &outcome] {
    outcome.cancelled = true;
    process.terminate();
  });

  QStringList unexpected;  // what it said outside the protocol, shown if it failed
  bool told = false;       // it said why it failed itself
  QByteArray pending;
  const auto handle = [&](const QByteArray& line) {
    ProtocolLine said = Parse(line);
    for (const auto& [path, shown] : shownAs_) said.text.replace(path, shown);
    if (said.keyword == link_protocol::kProgress) {
      progress.setLabelText(caption + QLatin1Char('\n') +
                            said.text.section(QLatin1Char(' '), 0, -2));
      progress.setValue(said.text.section(QLatin1Char(' '), -1).toInt());
    } else if (said.keyword == link_protocol::kMessage) {
      dialogs_.ShowMessage(Dialogs::Icon::Information, caption, said.text);
    } else if (said.keyword == link_protocol::kFailure) {
      told = true;
      // The user who cancelled knows: "transfert annulé" needs no box.
      if (!outcome.cancelled) dialogs_.ShowMessage(Dialogs::Icon::Critical, caption, said.text);
    } else if (said.keyword == link_protocol::kQuestion) {
      const bool yes = dialogs_.AskYesNo(caption, said.text, Dialogs::Icon::Warning);
      process.write(QByteArray(yes ? link_protocol::kYes : link_protocol::kNo) + '\n');
    } else if (said.keyword == link_protocol::kMade) {
      outcome.made.append(
          {said.text.section(QLatin1Char('\n'), 0, 0), said.text.section(QLatin1Char('\n'), 1)});
    } else if (!line.trimmed().isEmpty()) {
      unexpected << QString::fromUtf8(line);
    }
  };
  QObject::connect(&process, &QProcess::readyReadStandardError, [&] {
    pending += process.readAllStandardError();
    for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
      const QByteArray line = pending.left(end);
      pending.remove(0, end + 1);
      handle(line);
    }
  });
  QEventLoop loop;
  QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
  QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError e) {
    if (e == QProcess::FailedToStart) loop.quit();
  });
  process.start(program, arguments);
  if (process.state() != QProcess::NotRunning) loop.exec();
  progress.close();
  if (!pending.isEmpty()) handle(pending);
  outcome.output = QString::fromUtf8(process.readAllStandardOutput());
  outcome.finished = process.state() == QProcess::NotRunning &&
                     process.exitStatus() == QProcess::NormalExit &&
                     process.error() != QProcess::FailedToStart;
  outcome.exitCode = process.exitCode();
  if (!outcome.ok() && !told && !outcome.cancelled) {
    dialogs_.ShowMessage(Dialogs::Icon::Critical, caption,
                         unexpected.isEmpty() ? texts::LinkFailed() : unexpected.join('\n'));
  }
  return outcome;
}

}  // namespace orbisk
