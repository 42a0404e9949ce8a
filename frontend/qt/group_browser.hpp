// The texts, programs and functions of a group, one at a time: a list to choose from, the
// one chosen read-only, and each of them extracted as a file of its own where the user says.
#pragma once

#include <QWidget>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "conversation.hpp"
#include "dialogs.hpp"
#include "engine.hpp"

class QComboBox;

namespace orbisk {

class GroupBrowser final : public QWidget {
  Q_OBJECT

 public:
  GroupBrowser(Engine& engine, Dialogs& dialogs, Conversation& user, QWidget* parent = nullptr);

  // Reads the group in `path` and selects its first text, without saying `chosen`;
  // NoTextInGroup when it holds none.
  // On an error nothing changes.
  Status Open(const std::string& path);
  // Shows no group any more.
  void Close();
  bool IsOpen() const { return group_.has_value(); }
  const std::string& Path() const { return group_->path; }
  Model GroupModel() const { return group_->model; }
  // The variable chosen, and its entry in the group.
  const TextVariable& Shown() const { return *shown_; }
  const VariableEntry& ShownEntry() const;
  // The file the chosen variable is extracted as, beside the group.
  std::string ExtractedName() const;
  // Writes the chosen variable as a file of its own, for the group's model, where the user
  // says, and says so.
  void Extract();

 signals:
  // Another variable was chosen.
  void chosen();

 private:
  // The user chose the `index`th text: selects it and says so.
  void Choose(int index);
  // Selects the `index`th text; false when there is none.
  bool Select(int index);
  std::size_t ShownIndex() const;

  Engine& engine_;
  Dialogs& dialogs_;
  Conversation& user_;
  QComboBox* variables_;
  std::optional<OpenedGroup> group_;
  std::vector<std::size_t> texts_;  // the entries listed, those with a text to show
  std::optional<TextVariable> shown_;
};

}  // namespace orbisk
