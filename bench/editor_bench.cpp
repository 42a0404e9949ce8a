// What a keystroke and a save cost in the editor, run headless: each keystroke in a 64 KB
// text beside one in a one-line text (a keystroke must not do work on the whole text), and
// saving the 64 KB text over itself beside cp of the same file, in alternating rounds.
// Prints medians and their ratios.
// Usage: editor_bench   (QT_QPA_PLATFORM=offscreen is set when no platform is chosen)
#include <spawn.h>
#include <sys/wait.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "clock.hpp"
#include "dialogs.hpp"
#include "editor_window.hpp"
#include "file_check.hpp"
#include "local_engine.hpp"
#include "posix_file_system.hpp"

extern char** environ;

namespace {

// No dialog is ever needed: saves go over the opened file.
class NoDialogs final : public orbisk::Dialogs {
 public:
  void ShowMessage(Icon, const QString&, const QString& text) override {
    std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    std::exit(1);
  }
  bool AskYesNo(const QString&, const QString&, Icon) override { return false; }
  std::optional<QString> ChooseFile(const FileRequest&) override { return std::nullopt; }
  std::optional<ChosenFile> ChooseFileToSave(const FileRequest&) override { return std::nullopt; }
  SaveAnswer AskToSaveChanges(const QString&, const QString&) override {
    return SaveAnswer::Discard;
  }
  std::optional<QStringList> ChooseItems(const QString&, const QString&,
                                         const QStringList&) override {
    return std::nullopt;
  }
  std::optional<QString> ChooseFolder(const QString&, const QString&) override {
    return std::nullopt;
  }
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void WriteText(const QString& path, const std::string& codes) {
  orbisk::TextVariable variable;
  variable.name = "notes";
  variable.text = orbisk::CalculatorText::FromCodes(codes);
  const std::string bytes = orbisk::WriteTextFile(variable, "23/02/03, 14:09");
  FILE* out = std::fopen(path.toLocal8Bit().constData(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
}

// Microseconds one typed character takes, in the middle of `text`.
std::vector<double> Keystrokes(QPlainTextEdit* text, int count) {
  QTextCursor middle(text->document()->findBlockByNumber(text->document()->blockCount() / 2));
  text->setTextCursor(middle);
  std::vector<double> times;
  for (int i = 0; i < count; ++i) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QElapsedTimer timer;
    timer.start();
    QApplication::sendEvent(text, &press);
    QApplication::processEvents();
    times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1000.0);
  }
  return times;
}

double CopyMilliseconds(const QString& from, const QString& to) {
  const QByteArray source = from.toLocal8Bit(), target = to.toLocal8Bit();
  char* argv[] = {const_cast<char*>("/bin/cp"), const_cast<char*>(source.constData()),
                  const_cast<char*>(target.constData()), nullptr};
  QElapsedTimer timer;
  timer.start();
  pid_t pid = 0;
  if (posix_spawn(&pid, "/bin/cp", nullptr, nullptr, argv, environ) != 0) std::exit(1);
  int status = 0;
  waitpid(pid, &status, 0);
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QTemporaryDir folder;
  // 64 KB of text: 1,000 lines of 64 codes with their command codes and line ends.
  std::string large;
  for (int line = 0; line < 1000; ++line) {
    if (line > 0) large += '\r';
    large += ' ' + std::string(63, static_cast<char>('a' + line % 26));
  }
  large.resize(65000 - 4 - 100);
  const QString largePath = folder.filePath(QStringLiteral("large.v2t"));
  const QString smallPath = folder.filePath(QStringLiteral("small.v2t"));
  WriteText(largePath, large);
  WriteText(smallPath, " Bonjour");

  orbisk::PosixFileSystem files;
  orbisk::SystemClock clock;
  orbisk::LocalEngine engine(files, clock);
  NoDialogs dialogs;
  orbisk::EditorWindow largeWindow(engine, dialogs), smallWindow(engine, dialogs);
  if (!largeWindow.Open(largePath) || !smallWindow.Open(smallPath)) return 1;
  largeWindow.show();
  smallWindow.show();
  // Qt's own plain editor on the same 64 KB, for what any editor pays there.
  QPlainTextEdit plain;
  plain.setPlainText(largeWindow.findChild<QPlainTextEdit*>(QStringLiteral("text"))->toPlainText());
  plain.resize(640, 400);
  plain.show();
  constexpr int kKeys = 400;
  std::vector<double> largeKeys, smallKeys, plainKeys;
  for (int round = 0; round < 5; ++round) {
    for (auto [text, times] :
         {std::pair{largeWindow.findChild<QPlainTextEdit*>(QStringLiteral("text")), &largeKeys},
          std::pair{smallWindow.findChild<QPlainTextEdit*>(QStringLiteral("text")), &smallKeys},
          std::pair{&plain, &plainKeys}}) {
      const std::vector<double> measured = Keystrokes(text, kKeys / 5);
      times->insert(times->end(), measured.begin(), measured.end());
    }
  }
  std::printf(
      "keystroke, %d each: 64 KB text %.1f µs, one-line text %.1f µs (ratio %.2f); "
      "a bare QPlainTextEdit on the 64 KB %.1f µs (ratio %.2f)\n",
      kKeys, Median(largeKeys), Median(smallKeys), Median(largeKeys) / Median(smallKeys),
      Median(plainKeys), Median(largeKeys) / Median(plainKeys));

  constexpr int kRounds = 31;
  std::vector<double> saves, copies, ratios;
  auto* text = largeWindow.findChild<QPlainTextEdit*>(QStringLiteral("text"));
  for (int round = 0; round < kRounds; ++round) {
    text->insertPlainText(QStringLiteral("y"));
    QElapsedTimer timer;
    timer.start();
    if (!largeWindow.Save()) return 1;
    const double save = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    const double copy = CopyMilliseconds(largePath, folder.filePath(QStringLiteral("copy.v2t")));
    saves.push_back(save);
    copies.push_back(copy);
    ratios.push_back(save / copy);
  }
  std::printf(
      "save of the 64 KB text over itself, %d rounds: %.3f ms, cp of the file %.3f ms "
      "(ratio %.2f, target 1.5)\n",
      kRounds, Median(saves), Median(copies), Median(ratios));
  largeWindow.close();
  smallWindow.close();
  return 0;
}
