// The editor windows of a run.
#include "editor_windows.hpp"

#include <QPointer>

#include "editor_window.hpp"
#include "form_main.hpp"
#include "widget_dialogs.hpp"

namespace orbisk {

struct EditorWindows::Window {
  WidgetDialogs dialogs;
  QPointer<EditorWindow> view;
};

struct EditorWindows::Converter {
  WidgetDialogs dialogs;
  QPointer<FormMain> window;
};

EditorWindows::EditorWindows(Engine& engine) : engine_(engine) {}

EditorWindows::~EditorWindows() {
  for (auto& window : windows_) delete window->view.data();
  for (auto& converter : converters_) delete converter->window.data();
}

void EditorWindows::OpenConverter() {
  auto converter = std::make_unique<Converter>();
  auto* window = new FormMain(engine_, converter->dialogs);
  window->setAttribute(Qt::WA_DeleteOnClose);
  converter->dialogs.SetParent(window);
  converter->window = window;
  converters_.push_back(std::move(converter));
  window->show();
}

EditorWindow* EditorWindows::Make() {
  auto window = std::make_unique<Window>();
  auto* view = new EditorWindow(engine_, window->dialogs);
  view->setAttribute(Qt::WA_DeleteOnClose);
  window->dialogs.SetParent(view);
  window->view = view;
  view->SetWindowMaker([this] { return Make(); }, [this] { return All(); });
  view->SetConverterOpener([this] { OpenConverter(); });
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
