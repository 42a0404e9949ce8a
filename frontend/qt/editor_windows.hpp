// The editor windows of a run, each with its own dialogs: the ones the command line asked
// for, and those they open (Nouveau, Ouvrir…). A window is deleted once closed.
#pragma once

#include <memory>
#include <vector>

#include "engine.hpp"

namespace orbisk {

class EditorWindow;

class EditorWindows {
 public:
  explicit EditorWindows(Engine& engine);
  ~EditorWindows();
  EditorWindows(const EditorWindows&) = delete;
  EditorWindows& operator=(const EditorWindows&) = delete;

  // A new window, not yet shown.
  EditorWindow* Make();
  std::vector<EditorWindow*> All() const;
  // Shows a converter window (FormMain) of its own.
  void OpenConverter();

 private:
  struct Window;
  struct Converter;
  Engine& engine_;
  std::vector<std::unique_ptr<Window>> windows_;
  std::vector<std::unique_ptr<Converter>> converters_;
};

}  // namespace orbisk
