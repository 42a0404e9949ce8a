// The entry points the orbisk program looks up after loading this module.
#include <QApplication>

#include "application.hpp"
#include "dialogs_interaction.hpp"
#include "form_main.hpp"
#include "module_api.hpp"
#include "widget_dialogs.hpp"

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
