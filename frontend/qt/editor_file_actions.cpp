// What the editor window does with files: save, save as, convert, repair, save as text,
// open another, and what becomes of unsaved changes when the text is set aside.
#include <QCloseEvent>
#include <QPushButton>
#include <algorithm>

#include "editor_window.hpp"
#include "group_browser.hpp"
#include "kept_warnings.hpp"
#include "model_filters.hpp"
#include "name_filters.hpp"
#include "recent_files.hpp"
#include "target_names.hpp"
#include "text_view.hpp"
#include "window_texts.hpp"

namespace orbisk {
namespace {

// The extension of a variable of `type` for `model`: "v2t", "89p".
std::string ExtensionOfType(Model model, unsigned char type) {
  return ExtensionFor(model, {FileContent::Kind::Variable, type});
}

// `named` with `extension` in place of what follows its last dot, if it has one.
std::string WithLastExtension(const std::string& named, const std::string& extension) {
  const std::size_t dot = named.rfind('.');
  const bool hasOne = dot != std::string::npos && dot >= FileNameStart(named);
  return named.substr(0, hasOne ? dot : named.size()) + "." + extension;
}

}  // namespace

bool EditorWindow::FitsAVariable(const std::string& target) {
  const std::size_t size = document_->VariableSize();
  if (size <= layout::kMaxVariableSize) return true;
  dialogs_.ShowMessage(Dialogs::Icon::Critical, texts::SavedNotCaption(),
                       texts::SaveTooLarge(FromPath(target), static_cast<qint64>(size),
                                           static_cast<qint64>(layout::kMaxVariableSize)));
  return false;
}

bool EditorWindow::SaveTo(const std::string& target, Model model) {
  // What is saved is what the name's extension says: a program as a program.
  if (const std::optional<unsigned char> wanted = TextTypeOfFileName(target);
      wanted && !document_->Retype(*wanted)) {
    dialogs_.ShowMessage(Dialogs::Icon::Critical, texts::SavedNotCaption(),
                         texts::TypeMismatch(FromPath(target), *wanted));
    return false;
  }
  if (!FitsAVariable(target) || !user_.Report(document_->SaveTo(target, model, user_))) {
    return false;
  }
  warning_->setVisible(false);
  repair_->setVisible(false);
  reloadOffered_ = false;
  RememberRecentFile(FromPath(target));
  return true;
}

bool EditorWindow::Save() {
  if (browser_->IsOpen()) return false;
  if (document_->Path().empty() || !document_->HasFile()) return SaveAs();
  return SaveTo(document_->Path(), document_->TextModel());
}

// The model is the one the chosen name's extension stands for; a name without one takes
// the extension of the filter it was chosen under.
bool EditorWindow::SaveAs() {
  if (browser_->IsOpen()) return false;
  const unsigned char type = document_->Type();
  const FileContent content{FileContent::Kind::Variable, type};
  const std::vector<Model> models = ModelsFrom(document_->TextModel());
  const std::string& path = document_->Path();
  const std::string proposed = WithLastExtension(path.empty() ? document_->Name() : path,
                                                 ExtensionOfType(document_->TextModel(), type));
  const std::optional<Dialogs::ChosenFile> chosen =
      dialogs_.ChooseFileToSave({Dialogs::FileDialogKind::Save, FromPath(proposed),
                                 QtNameFilters(ModelFilters(models, content))});
  if (!chosen) return false;
  std::string target = ChosenPath(chosen->path);
  const Model model = ChosenModel(target, chosen->filter, models, content);
  return SaveTo(target, model);
}

bool EditorWindow::MaySetTextAside() {
  if (!IsModified()) return true;
  switch (dialogs_.AskToSaveChanges(texts::SaveChangesCaption(),
                                    texts::SaveChangesQuestion(ShownName()))) {
    case Dialogs::SaveAnswer::Save: return Save();
    case Dialogs::SaveAnswer::Discard: return true;
    case Dialogs::SaveAnswer::Cancel: break;
  }
  return false;
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  if (MaySetTextAside()) {
    document_->DropRecoveryCopy();
    event->accept();
  } else {
    event->ignore();
  }
}

void EditorWindow::NewWindow(unsigned char type) {
  const Model model = ShownModel();
  if (makeWindow_) {
    EditorWindow* window = makeWindow_();
    window->NewText(model, type);
    window->show();
  } else if (MaySetTextAside()) {
    NewText(model, type);
  }
}

// A file opens in this window when it shows a new text not yet changed; in another
// otherwise.
void EditorWindow::OpenChosen() {
  const std::optional<QString> chosen = dialogs_.ChooseFile(
      {Dialogs::FileDialogKind::Open, FromPath(Path()), QtNameFilters(texts::OpenFilter())});
  if (chosen) OpenHereOrBeside(ChosenPath(*chosen));
}

void EditorWindow::OpenHereOrBeside(const std::string& path) {
  const bool untouched = Path().empty() && !IsModified() && !browser_->IsOpen();
  if (untouched || !makeWindow_) {
    if (untouched || MaySetTextAside()) Open(path);
    return;
  }
  EditorWindow* window = makeWindow_();
  if (window->Open(path)) {
    window->show();
  } else {
    window->deleteLater();
  }
}

// Every window is closed in turn, each asking about its changes; a Cancel stops there.
void EditorWindow::Quit() {
  const std::vector<EditorWindow*> windows =
      allWindows_ ? allWindows_() : std::vector<EditorWindow*>{this};
  for (EditorWindow* window : windows) {
    if (!window->close()) return;
  }
}

void EditorWindow::ShowConversionsFrom(Model model) {
  toV200_->setVisible(model != Model::Voyager200);
  toTi92Plus_->setVisible(model != Model::Ti92Plus);
  toTi89_->setVisible(model != Model::Ti89);
}

// As the main window converts: the same engine, question and completion message. A text
// with changes is written as it stands instead; one never saved, where the user says.
void EditorWindow::ConvertTo(Model model) {
  if (model == ShownModel()) return;
  const bool group = browser_->IsOpen();
  const FileContent content = group ? FileContent{FileContent::Kind::Group, types::kText}
                                    : FileContent{FileContent::Kind::Variable, document_->Type()};
  std::string source = Path();
  std::string target;
  if (source.empty()) {
    // A new text has no folder to be converted beside: the folder Orbisk started in is
    // nobody's choice.
    const QString extension = QString::fromStdString(ExtensionOfType(model, document_->Type()));
    const std::optional<QString> chosen = dialogs_.ChooseFile(
        {Dialogs::FileDialogKind::Save, FromPath(document_->Name()) + QLatin1Char('.') + extension,
         QtNameFilters(texts::VariableFilter(extension))});
    if (!chosen) return;
    source = ShownName().toStdString();
    target = ChosenPath(*chosen);
  } else {
    target = TargetName(source, model, Purpose::Conversion, content);
  }
  KeptWarnings user(user_);
  if (!group && (IsModified() || !document_->HasFile())) {
    if (FitsAVariable(target) &&
        user_.Report(engine_.Save(target, document_->FileFor(model), nullptr, user))) {
      dialogs_.ShowMessage(Dialogs::Icon::Information, texts::CompletedCaption(),
                           user.After(texts::Completed(source, target)));
    }
    return;
  }
  if (user_.Report(engine_.Convert(model, Path(), target, user, nullptr))) {
    dialogs_.ShowMessage(Dialogs::Icon::Information, texts::CompletedCaption(),
                         user.After(texts::Completed(Path(), target)));
  }
}

// Writes the damaged file again, sound, keeping the old one beside it, and shows it again.
void EditorWindow::Repair() {
  if (!MaySetTextAside()) return;
  const std::string path = Path();
  Result<Repaired> repaired = engine_.Repair(path, {true, false}, user_);
  if (!user_.Report(repaired)) return;
  dialogs_.ShowMessage(Dialogs::Icon::Information, texts::RepairedCaption(),
                       QString::fromStdString(messages::RepairReport(path, *repaired)).trimmed());
  Open(path);
}

// The text as it stands is written as UTF-8, where the user says; a group's is named after
// its variable, beside the group.
void EditorWindow::SaveAsText() {
  const bool group = browser_->IsOpen();
  const std::string named = group                       ? browser_->ExtractedName()
                            : document_->Path().empty() ? document_->Name()
                                                        : document_->Path();
  const QString proposed = FromPath(TargetName(named, Model::Voyager200, Purpose::TextExport));
  const std::optional<QString> chosen = dialogs_.ChooseFile(
      {Dialogs::FileDialogKind::Save, proposed, QtNameFilters(texts::TextFilter())});
  if (!chosen) return;
  const std::string target = ChosenPath(*chosen);
  KeptWarnings user(user_);
  TextVariable variable = group ? browser_->Shown() : TextVariable{};
  if (!group) {
    variable.model = document_->TextModel();
    variable.folder = document_->Folder();
    variable.name = document_->Name();
    variable.type = document_->Type();
    variable.text = document_->Text();
  }
  const std::string& path = Path();
  if (user_.Report(
          engine_.WriteFile(target, WrittenText(variable, TextFormat::Utf8), user, path))) {
    dialogs_.ShowMessage(Dialogs::Icon::Information, texts::ExportedCaption(),
                         user.After(texts::Exported(path.empty() ? named : path, target)));
  }
}

}  // namespace orbisk
