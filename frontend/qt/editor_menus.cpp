// The editor window's menus, declared in one table: each action's words, keys and what it
// does; the few whose state follows the text are kept to be enabled or checked.
#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

#include "character_palette.hpp"
#include "editor_window.hpp"
#include "find_bar.hpp"
#include "local_files.hpp"
#include "recent_files.hpp"
#include "text_view.hpp"
#include "window_texts.hpp"

namespace orbisk {
namespace {

// How many files Fichier › Récents lists.
constexpr int kRecentFilesListed = 10;

}  // namespace

// An action of a menu; one with no words is a separator.
struct EditorWindow::MenuAction {
  QString text;
  QKeySequence keys;
  std::function<void()> run;
  // Where the window keeps the action, when its state follows the text.
  QAction** kept = nullptr;
  bool checkable = false;
  int data = -1;        // a line kind's, for the actions that set one
  QString within = {};  // the submenu it is in, if any
};

struct EditorWindow::Menu {
  QString title;
  std::vector<MenuAction> actions;
};

std::vector<EditorWindow::Menu> EditorWindow::MenuTable() {
  const auto ctrl = [](int key) { return QKeySequence(Qt::CTRL | static_cast<Qt::Key>(key)); };
  const auto ctrlShift = [](int key) {
    return QKeySequence(Qt::CTRL | Qt::SHIFT | static_cast<Qt::Key>(key));
  };
  // Fichier › Nouveau: a text, a program or a function, each in a window of its own.
  const auto newOf = [this](const QString& text, const QKeySequence& keys, unsigned char type) {
    return MenuAction{
        text, keys, [this, type] { NewWindow(type); }, nullptr, false, -1, texts::NewMenu()};
  };
  Menu file{texts::FileMenu(),
            {newOf(texts::NewAction(), QKeySequence::New, types::kText),
             newOf(texts::NewProgramAction(), {}, types::kProgram),
             newOf(texts::NewFunctionAction(), {}, types::kFunction),
             {texts::OpenAction(), QKeySequence::Open, [this] { OpenChosen(); }},
             {texts::SaveAction(), QKeySequence::Save, [this] { Save(); }, &save_},
             {texts::SaveAsAction(), ctrlShift(Qt::Key_S), [this] { SaveAs(); }, &saveAs_},
             {texts::SaveAsTextAction(), {}, [this] { SaveAsText(); }},
             {}}};
  file.actions.push_back({texts::ConverterAction(),
                          {},
                          [this] {
                            if (openConverter_) openConverter_();
                          },
                          &converter_});
  for (std::size_t i = 0; i < std::size(kModels); ++i) {
    const Model model = kModels[i];
    file.actions.push_back({texts::ConvertToAction(ModelName(model)),
                            {},
                            [this, model] { ConvertTo(model); },
                            &convertTo_[i]});
  }
  file.actions.insert(file.actions.end(),
                      {{},
                       {texts::SendAction(), ctrlShift(Qt::Key_E), [this] { SendToCalculator(); }},
                       {texts::ReceiveAction(), {}, [this] { ReceiveFromCalculator(); }},
                       {},
                       {texts::CloseAction(), ctrl(Qt::Key_W), [this] { close(); }},
                       {texts::QuitAction(), ctrl(Qt::Key_Q), [this] { Quit(); }}});
  Menu edit{
      texts::EditMenu(),
      {{texts::UndoAction(), QKeySequence::Undo, [this] { text_->undo(); }, &undo_},
       {texts::RedoAction(), ctrlShift(Qt::Key_Z), [this] { text_->redo(); }, &redo_},
       {},
       {texts::CutAction(), QKeySequence::Cut, [this] { text_->cut(); }},
       {texts::CopyAction(), QKeySequence::Copy, [this] { text_->copy(); }},
       {texts::PasteAction(), QKeySequence::Paste, [this] { text_->paste(); }},
       {},
       {texts::FindAction(), ctrl(Qt::Key_F), [this] { find_->Open(FindBar::Mode::Find); }},
       {texts::ReplaceAction(), ctrl(Qt::Key_H), [this] { find_->Open(FindBar::Mode::Replace); }},
       {texts::FindNextAction(), QKeySequence(Qt::Key_F3), [this] { FindAgain(false); }},
       {texts::FindPreviousAction(), QKeySequence(Qt::SHIFT | Qt::Key_F3),
        [this] { FindAgain(true); }},
       {texts::GoToLineAction(), ctrl(Qt::Key_L), [this] { find_->Open(FindBar::Mode::GoToLine); }},
       {},
       {texts::CharactersAction(), ctrl(Qt::Key_K), [this] {
          palette_->setVisible(true);
          palette_->FocusSearch();
        }}}};
  Menu lines{texts::LineMenu(), {}};
  const std::pair<QString, LineKind> kinds[] = {{texts::OrdinaryLineAction(), LineKind::Ordinary},
                                                {texts::CommandLineAction(), LineKind::Command},
                                                {texts::PrintObjLineAction(), LineKind::PrintObj},
                                                {texts::PageBreakAction(), LineKind::PageBreak}};
  for (int i = 0; i < 4; ++i) {
    const LineKind kind = kinds[i].second;
    lines.actions.push_back({kinds[i].first, ctrl(Qt::Key_1 + i),
                             [this, kind] { SetLineKind(kind); }, &lineKindActions_[i], true,
                             static_cast<int>(kind)});
  }
  Menu view{texts::ViewMenu(),
            {{texts::ZoomInAction(), QKeySequence::ZoomIn, [this] { text_->ZoomBy(1); }},
             {texts::ZoomOutAction(), QKeySequence::ZoomOut, [this] { text_->ZoomBy(-1); }},
             {texts::ZoomResetAction(), ctrl(Qt::Key_0), [this] { text_->ResetZoom(); }},
             {texts::PaletteAction(), {}, nullptr, &paletteShown_, true}}};
  Menu help{texts::HelpMenu(), {{texts::AboutAction(), {}, [this] { ShowAbout(); }}}};
  return {file, edit, lines, view, help};
}

void EditorWindow::ListRecentFiles(QMenu* menu) {
  menu->clear();
  const QStringList files = RecentFiles(kRecentFilesListed);
  if (files.isEmpty()) menu->addAction(texts::NoRecentFiles())->setEnabled(false);
  for (int i = 0; i < files.size(); ++i) {
    const QFileInfo file(files[i]);
    QAction* action = menu->addAction(
        texts::RecentFileAction(i + 1, file.fileName(), QDir::toNativeSeparators(file.path())));
    connect(action, &QAction::triggered, this,
            [this, path = files[i]] { OpenHereOrBeside(ToPath(path)); });
  }
}

void EditorWindow::BuildMenus() {
  auto* bar = new QMenuBar(this);
  bar->setObjectName(QStringLiteral("menus"));
  std::vector<QMenu*> menus;
  for (const Menu& table : MenuTable()) {
    QMenu* menu = menus.emplace_back(bar->addMenu(table.title));
    QMenu* submenu = nullptr;
    for (const MenuAction& entry : table.actions) {
      if (entry.text.isEmpty()) {
        menu->addSeparator();
        continue;
      }
      if (entry.within.isEmpty()) {
        submenu = nullptr;
      } else if (submenu == nullptr || submenu->title() != entry.within) {
        submenu = menu->addMenu(entry.within);
      }
      QAction* action = (submenu != nullptr ? submenu : menu)->addAction(entry.text);
      // The window holds the shortcuts, so that they work wherever its focus is.
      action->setShortcut(entry.keys);
      action->setCheckable(entry.checkable);
      if (entry.data >= 0) action->setData(entry.data);
      addAction(action);
      if (entry.run) connect(action, &QAction::triggered, this, entry.run);
      if (entry.kept != nullptr) *entry.kept = action;
    }
  }
  // Fichier › Récents, under Ouvrir…, filled each time it opens.
  QMenu* file = menus.front();
  const QList<QAction*> fileActions = file->actions();
  const auto open = std::find_if(fileActions.begin(), fileActions.end(), [](QAction* action) {
    return action->text() == texts::OpenAction();
  });
  auto* recent = new QMenu(texts::RecentMenu(), file);
  recent->setObjectName(QStringLiteral("recentFiles"));
  file->insertMenu(open + 1 != fileActions.end() ? *(open + 1) : nullptr, recent);
  connect(recent, &QMenu::aboutToShow, this, [this, recent] { ListRecentFiles(recent); });
  // A text is not converted to its own model.
  connect(file, &QMenu::aboutToShow, this, [this] {
    for (std::size_t i = 0; i < std::size(kModels); ++i) {
      convertTo_[i]->setEnabled(kModels[i] != ShownModel());
    }
  });
  // Ctrl+Y redoes too, as in most editors.
  redo_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  connect(text_, &QPlainTextEdit::undoAvailable, undo_, &QAction::setEnabled);
  connect(text_, &QPlainTextEdit::redoAvailable, redo_, &QAction::setEnabled);
  undo_->setEnabled(false);
  redo_->setEnabled(false);
  lineKinds_ = new QActionGroup(this);
  for (QAction* action : lineKindActions_) lineKinds_->addAction(action);
  connect(paletteShown_, &QAction::toggled, palette_, &QWidget::setVisible);
  converter_->setVisible(false);
  // Alt+E opens Édition, whose É few keyboards have a key for.
  auto* editKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_E), this);
  connect(editKey, &QShortcut::activated, this,
          [bar, edit = menus[1]] { bar->setActiveAction(edit->menuAction()); });
  // Ctrl+= zooms in too: on most keyboards "+" needs Shift.
  auto* zoomInAlso = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), this);
  connect(zoomInAlso, &QShortcut::activated, this, [this] { text_->ZoomBy(1); });
  static_cast<QVBoxLayout*>(layout())->setMenuBar(bar);
}

}  // namespace orbisk
