// The one entry point the orbisk program looks up after loading this module.
#include <QApplication>
#include <QTimer>
#include <memory>
#include <vector>

#include "application.hpp"
#include "dialogs_interaction.hpp"
#include "editor_window.hpp"
#include "editor_windows.hpp"
#include "form_main.hpp"
#include "module_api.hpp"
#include "notifier.hpp"
#include "thumbnail.hpp"
#include "widget_dialogs.hpp"
#include "window_texts.hpp"

namespace {

// Message boxes that own the dialogs they show through.
class MessageBoxes final : public orbisk::Messenger {
 public:
  void ShowMessage(const std::string& text) override { boxes_.ShowMessage(text); }
  void ReportFailure(const std::string& text) override { boxes_.ReportFailure(text); }
  bool AskYesNo(const std::string& question) override { return boxes_.AskYesNo(question); }
  void ShowWarning(const std::string& text) override { boxes_.ShowWarning(text); }
  bool AskYesNoWarning(const std::string& question) override {
    return boxes_.AskYesNoWarning(question);
  }
  orbisk::messages::Audience Readers() override { return boxes_.Readers(); }

 private:
  orbisk::WidgetDialogs dialogs_;
  orbisk::DialogsInteraction boxes_{dialogs_};
};

orbisk::Messenger* MakeMessageBoxes() {
  orbisk::EnsureApplication();
  return new MessageBoxes;
}

int RunWindow(orbisk::Engine* engine) {
  orbisk::EnsureApplication();
  orbisk::WidgetDialogs dialogs;
  orbisk::FormMain window(*engine, dialogs);
  dialogs.SetParent(&window);
  window.show();
  return QApplication::exec();
}

int RunEditor(orbisk::Engine* engine, const char* const* paths, int count, int newModel,
              int newType) {
  orbisk::EnsureApplication();
  orbisk::EditorWindows windows(*engine);
  if (count == 0) {
    orbisk::EditorWindow* window = windows.Make();
    window->NewText(static_cast<orbisk::Model>(newModel), static_cast<unsigned char>(newType));
    window->show();
    window->OfferNewTextRecovery();
  }
  // Each file is read once the event loop runs, so that while one that cannot be read is
  // reported in its box, the others are read and shown behind it rather than after it.
  int failed = 0;
  int left = count;
  for (int i = 0; i < count; ++i) {
    const std::string path(paths[i]);
    QTimer::singleShot(0, [&windows, &failed, &left, path] {
      orbisk::EditorWindow* window = windows.Make();
      const bool opened = window->Open(path);
      --left;
      if (opened) {
        window->show();
        return;
      }
      ++failed;
      delete window;
      // Nothing was shown, and the last report has been read: the run ends.
      if (left == 0 && windows.All().empty()) QApplication::exit(1);
    });
  }
  QApplication::exec();
  return failed > 0 ? 1 : 0;
}

void Notify(const char* caption, const char* text) {
  orbisk::EnsureApplication();
  orbisk::WidgetDialogs dialogs;
  orbisk::Notifier(dialogs, orbisk::SendDesktopNotification)
      .Say(QString::fromUtf8(caption), QString::fromUtf8(text));
}

bool Thumbnail(const char* const* lines, int count, int size,
               void (*sink)(void* context, const char* bytes, unsigned long size), void* context) {
  orbisk::EnsureApplication();
  QStringList shown;
  for (int i = 0; i < count; ++i) shown.push_back(QString::fromUtf8(lines[i]));
  const QByteArray png = orbisk::ThumbnailPng(shown, size);
  if (png.isEmpty()) return false;
  sink(context, png.constData(), static_cast<unsigned long>(png.size()));
  return true;
}

constexpr OrbiskQtModule kModule = {
    orbisk::kQtModuleInterfaceVersion, MakeMessageBoxes, RunWindow, RunEditor, Notify, Thumbnail};

}  // namespace

extern "C" Q_DECL_EXPORT const OrbiskQtModule* orbisk_qt_module() { return &kModule; }
