// What each editor test starts from: a temporary folder (where recovery copies go too), the
// engine on the real file system with a fixed clock, scripted dialogs and one editor window.
#pragma once

#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "editor_window.hpp"
#include "fixed_clock.hpp"
#include "local_engine.hpp"
#include "posix_file_system.hpp"
#include "qt_test_helpers.hpp"
#include "scripted_dialogs.hpp"
#include "text_view.hpp"

namespace orbisk::testing {

class EditorFixture {
 protected:
  void SetUpEditor() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    qputenv("XDG_STATE_HOME", InFolder("state").toLocal8Bit());
    // The desktop's recent files list too: never the real one of whoever runs the tests.
    qputenv("XDG_DATA_HOME", InFolder("data").toLocal8Bit());
    engine_ = std::make_unique<LocalEngine>(files_, clock_);
    dialogs_ = std::make_unique<ScriptedDialogs>();
    form_ = std::make_unique<EditorWindow>(*engine_, *dialogs_);
  }
  void TearDownEditor() {
    form_.reset();
    engine_.reset();
    folder_.reset();
  }

  template <typename T>
  T* Control(const char* name) {
    return orbisk::testing::Control<T>(form_.get(), name);
  }
  QAction* Action(const QString& text) {
    for (QAction* action : form_->findChildren<QAction*>()) {
      if (action->text() == text) return action;
    }
    qFatal("no action %s", qPrintable(text));
  }
  CalculatorTextView* Text() { return Control<CalculatorTextView>("text"); }
  QString InFolder(const QString& name) const { return folder_->filePath(name); }

  std::unique_ptr<QTemporaryDir> folder_;
  PosixFileSystem files_;
  FixedClock clock_{2003, 2, 23, 14, 9};
  std::unique_ptr<LocalEngine> engine_;
  std::unique_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<EditorWindow> form_;
};

}  // namespace orbisk::testing
