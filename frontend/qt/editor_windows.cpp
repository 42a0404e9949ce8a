// The editor windows of a run.
#include "editor_windows.hpp"

#include <QPointer>

#include "editor_window.hpp"
#include "widget_dialogs.hpp"

namespace orbisk {

struct EditorWindows::Window {
  WidgetDialogs dialogs;
  QPointer<EditorWindow> view;
};

EditorWindows::EditorWindows(Engine& engine) : engine_(engine) {}

EditorWindows::~EditorWindows() {
  for (auto& window : windows_) delete window->view.data();
}

EditorWindow* EditorWindows::Make() {
  auto window = std::make_unique<Window>();
  auto* view = new EditorWindow(engine_, window->dialogs);
  view->setAttribute(Qt::WA_DeleteOnClose);
  window->dialogs.SetParent(view);
  window->view = view;
  view->SetWindowMaker([this] { return Make(); }, [this] { return All(); });
  windows_.push_back(std::move(window));
  return view;
}

std::vector<EditorWindow*> EditorWindows::All() const {
  std::vector<EditorWindow*> all;
  for (const auto& window : windows_) {
    if (!window->view.isNull()) all.push_back(window->view.data());
  }
  return all;
}

}  // namespace orbisk
