// The entry points the orbisk program looks up after loading this module.
#include <QApplication>
#include <QFile>
#include <memory>
#include <vector>

#include "application.hpp"
#include "dialogs_interaction.hpp"
#include "form_main.hpp"
#include "form_view.hpp"
#include "module_api.hpp"
#include "notifier.hpp"
#include "widget_dialogs.hpp"
#include "window_texts.hpp"

namespace {

// An interaction that owns the dialogs it shows through.
class MessageBoxes final : public orbisk::Interaction {
 public:
  void ShowMessage(const std::string& text) override { boxes_.ShowMessage(text); }
  void ReportFailure(const std::string& text) override { boxes_.ReportFailure(text); }
  bool AskYesNo(const std::string& question) override { return boxes_.AskYesNo(question); }

 private:
  orbisk::WidgetDialogs dialogs_;
  orbisk::DialogsInteraction boxes_{dialogs_};
};

}  // namespace

extern "C" Q_DECL_EXPORT int orbisk_qt_interface_version() {
  return orbisk::kQtModuleInterfaceVersion;
}

extern "C" Q_DECL_EXPORT orbisk::Interaction* orbisk_qt_message_boxes() {
  orbisk::EnsureApplication();
  return new MessageBoxes;
}

extern "C" Q_DECL_EXPORT int orbisk_qt_run_window(orbisk::FileSystem* files) {
  orbisk::EnsureApplication();
  orbisk::SystemClock clock;
  orbisk::WidgetDialogs dialogs;
  orbisk::FormMain window(*files, clock, dialogs);
  dialogs.SetParent(&window);
  window.show();
  return QApplication::exec();
}

extern "C" Q_DECL_EXPORT int orbisk_qt_run_viewer(orbisk::FileSystem* files,
                                                  const char* const* paths, int count) {
  orbisk::EnsureApplication();
  orbisk::SystemClock clock;
  struct Viewer {
    orbisk::WidgetDialogs dialogs;
    std::unique_ptr<orbisk::FormView> window;
  };
  std::vector<std::unique_ptr<Viewer>> viewers;
  int status = 0;
  for (int i = 0; i < count; ++i) {
    auto viewer = std::make_unique<Viewer>();
    viewer->window = std::make_unique<orbisk::FormView>(*files, clock, viewer->dialogs);
    viewer->dialogs.SetParent(viewer->window.get());
    if (!viewer->window->Open(QFile::decodeName(paths[i]))) {
      status = 1;
      continue;
    }
    viewer->window->show();
    viewers.push_back(std::move(viewer));
  }
  if (viewers.empty()) return 1;
  QApplication::exec();
  return status;
}

extern "C" Q_DECL_EXPORT void orbisk_qt_notify(const char* source, const char* target) {
  orbisk::EnsureApplication();
  orbisk::WidgetDialogs dialogs;
  orbisk::Notifier(dialogs, orbisk::SendDesktopNotification)
      .Say(orbisk::texts::CompletedCaption(),
           orbisk::texts::Completed(QFile::decodeName(source), QFile::decodeName(target)));
}
