// The texts, programs and functions of a group, one at a time.
#include "group_browser.hpp"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

#include "kept_warnings.hpp"
#include "local_files.hpp"
#include "messages.hpp"
#include "model_filters.hpp"
#include "name_filters.hpp"
#include "target_names.hpp"
#include "window_texts.hpp"

namespace orbisk {

GroupBrowser::GroupBrowser(Engine& engine, Dialogs& dialogs, Conversation& user, QWidget* parent)
    : QWidget(parent),
      engine_(engine),
      dialogs_(dialogs),
      user_(user),
      variables_(new QComboBox(this)) {
  variables_->setObjectName(QStringLiteral("variables"));
  auto* label = new QLabel(texts::VariableLabel(), this);
  label->setBuddy(variables_);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label);
  layout->addWidget(variables_, 1);
  connect(variables_, QOverload<int>::of(&QComboBox::activated), this, &GroupBrowser::Choose);
  setVisible(false);
}

Status GroupBrowser::Open(const std::string& path) {
  Result<OpenedGroup> group = engine_.ReadGroup(path);
  if (!group) return group.error();
  std::vector<std::size_t> texts;
  for (std::size_t i = 0; i < group->file.entries.size(); ++i) {
    if (TextOfVariable(group->file.entries[i], group->model)) texts.push_back(i);
  }
  if (texts.empty()) return Error::About(PathError::NoTextInGroup, path);
  group_ = std::move(*group);
  texts_ = std::move(texts);
  variables_->clear();
  for (const std::size_t index : texts_) {
    const VariableEntry& entry = group_->file.entries[index];
    variables_->addItem(QString::fromStdString(messages::VariablePath(entry.folder, entry.name)));
  }
  setVisible(true);
  // The first text is chosen; the window that opened the group shows it.
  Select(0);
  return {};
}

void GroupBrowser::Close() {
  group_.reset();
  shown_.reset();
  texts_.clear();
  variables_->clear();
  setVisible(false);
}

void GroupBrowser::Choose(int index) {
  if (Select(index)) emit chosen();
}

bool GroupBrowser::Select(int index) {
  if (!group_ || index < 0 || static_cast<std::size_t>(index) >= texts_.size()) return false;
  variables_->setCurrentIndex(index);
  shown_ = TextOfVariable(ShownEntry(), group_->model);
  return true;
}

std::size_t GroupBrowser::ShownIndex() const {
  return texts_[static_cast<std::size_t>(variables_->currentIndex())];
}

const VariableEntry& GroupBrowser::ShownEntry() const { return group_->file.entries[ShownIndex()]; }

std::string GroupBrowser::ExtractedName() const {
  const std::string& path = group_->path;
  return ExtractedNames(group_->file, group_->model,
                        path.substr(0, FileNameStart(path)))[ShownIndex()];
}

// The model the variable is extracted for is the one its name's extension stands for; a
// name without one takes the extension of the filter it was chosen under.
void GroupBrowser::Extract() {
  if (!group_) return;
  const std::size_t index = ShownIndex();
  const FileContent content{FileContent::Kind::Variable, ShownEntry().type};
  const std::vector<Model> models = ModelsFrom(group_->model);
  const std::optional<Dialogs::ChosenFile> chosen = dialogs_.ChooseFileToSave(
      {Dialogs::FileDialogKind::Save, FromPath(ExtractedName()),
       QtNameFilters(ModelFilters(models, content)), texts::ExtractTitle()});
  if (!chosen) return;
  std::string target = ChosenPath(chosen->path);
  const Model model = ChosenModel(target, chosen->filter, models, content);
  KeptWarnings user(user_);
  if (user_.Report(engine_.ExtractVariable(*group_, index, model, target, user, nullptr))) {
    dialogs_.ShowMessage(
        Dialogs::Icon::Information, texts::ExtractedCaption(),
        user.After(texts::Extracted(group_->path, group_->file.entries[index], target)));
  }
}

}  // namespace orbisk
