// The main window: pick a direction, a source and optionally a target, and convert.
#include "form_main.hpp"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QUrl>

#include "kept_warnings.hpp"
#include "local_files.hpp"
#include "name_filters.hpp"
#include "target_names.hpp"
#include "twips.hpp"
#include "window_texts.hpp"

namespace orbisk {
namespace {

// The layout was drawn for a narrow 8-point font; a condensed face keeps the captions
// within their boxes on most desktops, and any that still overflow grow to the right.
QFont NarrowFont() {
  QFont font;
  font.setFamilies({QStringLiteral("DejaVu Sans Condensed"),
                    QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial Narrow"),
                    QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  font.setPointSize(8);
  return font;
}

// The width a control needs to show its whole caption.
int CaptionWidth(QWidget* control) {
  if (auto* button = qobject_cast<QPushButton*>(control)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    return button->width() - contents.width() +
           button->fontMetrics().horizontalAdvance(button->text());
  }
  return control->sizeHint().width();
}

// Widens a control whose caption would be clipped, into the free space on its right only:
// up to the nearest sibling beside it, or to its parent's edge.
void GrowToFitCaption(QWidget* control) {
  const QRect box = control->geometry();
  const int needed = CaptionWidth(control);
  if (needed <= box.width()) return;
  int limit = control->parentWidget()->width();
  for (QObject* object : control->parentWidget()->children()) {
    auto* sibling = qobject_cast<QWidget*>(object);
    if (sibling == nullptr || sibling == control || sibling->isWindow()) continue;
    const QRect other = sibling->geometry();
    const bool beside = other.top() <= box.bottom() && other.bottom() >= box.top();
    if (beside && other.left() > box.right()) limit = std::min(limit, other.left());
  }
  control->resize(std::min(needed, limit - box.left()), box.height());
}

}  // namespace

FormMain::FormMain(Engine& engine, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      engine_(engine),
      dialogs_(dialogs),
      messages_(dialogs),
      Frame1(new QGroupBox(texts::DirectionFrame(), this)),
      optSens{new QRadioButton(texts::ToV200Option(), Frame1),
              new QRadioButton(texts::ToTi92PlusOption(), Frame1)},
      Label1(new QLabel(texts::SourceLabel(), this)),
      txtFile(new QLineEdit(this)),
      cmdMore(new QPushButton(texts::BrowseButton(), this)),
      Label2(new QLabel(texts::TargetLabel(), this)),
      txtCible(new QLineEdit(this)),
      cmdMoreCible(new QPushButton(texts::BrowseButton(), this)),
      cmdConvert(new QPushButton(texts::ConvertButton(), this)) {
  setWindowTitle(texts::WindowCaption());
  // A window of fixed size has nothing to maximise.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFont(NarrowFont());
  setAcceptDrops(true);

  Frame1->setObjectName(QStringLiteral("Frame1"));
  optSens[0]->setObjectName(QStringLiteral("optSens0"));
  optSens[1]->setObjectName(QStringLiteral("optSens1"));
  Label1->setObjectName(QStringLiteral("Label1"));
  txtFile->setObjectName(QStringLiteral("txtFile"));
  cmdMore->setObjectName(QStringLiteral("cmdMore"));
  Label2->setObjectName(QStringLiteral("Label2"));
  txtCible->setObjectName(QStringLiteral("txtCible"));
  cmdMoreCible->setObjectName(QStringLiteral("cmdMoreCible"));
  cmdConvert->setObjectName(QStringLiteral("cmdConvert"));
  optSens[0]->setChecked(true);
  // The caption sits on the frame's top line, so the options placed inside stay clear of it.
  Frame1->setStyleSheet(QStringLiteral(
      "QGroupBox#Frame1 { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
      "QGroupBox#Frame1::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));

  PlaceControls();
  setTabOrder(optSens[0], optSens[1]);
  setTabOrder(optSens[1], txtFile);
  setTabOrder(txtFile, cmdMore);
  setTabOrder(cmdMore, cmdConvert);
  setTabOrder(cmdConvert, cmdMoreCible);
  setTabOrder(cmdMoreCible, txtCible);

  txtFile->installEventFilter(this);
  txtCible->installEventFilter(this);

  connect(cmdConvert, &QPushButton::clicked, this, &FormMain::cmdConvert_Click);
  connect(cmdMore, &QPushButton::clicked, this, &FormMain::cmdMore_Click);
  connect(cmdMoreCible, &QPushButton::clicked, this, &FormMain::cmdMoreCible_Click);
}

void FormMain::PlaceControls() {
  const qreal dpiX = logicalDpiX();
  const qreal dpiY = logicalDpiY();
  const auto place = [dpiX, dpiY](QWidget* control, TwipsRect twips) {
    control->setGeometry(twips.ToPixels(dpiX, dpiY));
  };
  setFixedSize(TwipsToPixels(6420, dpiX), TwipsToPixels(2190, dpiY));
  place(Frame1, {0, 0, 6375, 975});
  place(optSens[0], {120, 240, 1935, 255});
  place(optSens[1], {120, 600, 1935, 255});
  place(Label1, {0, 1080, 735, 255});
  place(txtFile, {840, 1080, 5175, 285});
  place(cmdMore, {6120, 1080, 255, 255});
  place(Label2, {0, 1440, 735, 255});
  place(txtCible, {840, 1440, 5175, 285});
  place(cmdMoreCible, {6120, 1440, 255, 255});
  place(cmdConvert, {0, 1800, 6375, 375});
  for (QWidget* control : {static_cast<QWidget*>(optSens[0]), static_cast<QWidget*>(optSens[1]),
                           static_cast<QWidget*>(Label1), static_cast<QWidget*>(cmdMore),
                           static_cast<QWidget*>(Label2), static_cast<QWidget*>(cmdMoreCible),
                           static_cast<QWidget*>(cmdConvert)}) {
    GrowToFitCaption(control);
  }
}

bool FormMain::ToV200Selected() const { return optSens[0]->isChecked(); }

void FormMain::cmdConvert_Click() {
  const std::string source = PathInField(txtFile);
  std::string target = PathInField(txtCible);
  if (txtCible->text().isEmpty()) {
    target = ToV200Selected() ? ToV200Name(source) : ToTi92PlusName(source);
  }
  KeptWarnings user(user_);
  const Status converted = ToV200Selected() ? engine_.ConvertToV200(source, target, user)
                                            : engine_.ConvertToTi92Plus(source, target, user);
  if (user_.Report(converted)) {
    dialogs_.ShowMessage(Dialogs::Icon::Information, texts::CompletedCaption(),
                         user.After(texts::Completed(source, target)));
  }
}

void FormMain::cmdMore_Click() {
  Browse(Dialogs::FileDialogKind::Open, !ToV200Selected(), txtFile);
}

void FormMain::cmdMoreCible_Click() {
  Browse(Dialogs::FileDialogKind::Save, ToV200Selected(), txtCible);
}

void FormMain::Browse(Dialogs::FileDialogKind kind, bool v200Files, QLineEdit* field) {
  const std::string remembered = ToPath(CD.FileName);
  const QString proposed =
      FromPath(v200Files ? ToV200Name(remembered) : ToTi92PlusName(remembered));
  const QString filter = v200Files ? texts::V200Filter() : texts::Ti92PlusFilter();
  const std::optional<QString> chosen =
      dialogs_.ChooseFile({kind, proposed, QtNameFilters(filter)});
  if (!chosen) return;
  CD.FileName = *chosen;
  SetPathField(field, ChosenPath(*chosen));
}

void FormMain::dragEnterEvent(QDragEnterEvent* event) {
  if (CarriesALocalFile(event->mimeData())) event->acceptProposedAction();
}

void FormMain::dropEvent(QDropEvent* event) {
  if (CarriesALocalFile(event->mimeData())) TakeDroppedFile(event);
}

// A dropped file becomes the source, and its extension picks the direction.
void FormMain::TakeDroppedFile(QDropEvent* event) {
  const std::string path = DroppedPath(event->mimeData());
  SetPathField(txtFile, path);
  Model model = Model::Voyager200;
  if (ModelOfName(path, model) && model == Model::Voyager200) optSens[1]->setChecked(true);
  if (ModelOfName(path, model) && model == Model::Ti92Plus) optSens[0]->setChecked(true);
  event->acceptProposedAction();
}

// The text fields would take a dropped file as text at the cursor; a file dropped on them
// is handled as one dropped anywhere else on the window. Dropped text still goes in.
bool FormMain::eventFilter(QObject* watched, QEvent* event) {
  const bool field = watched == txtFile || watched == txtCible;
  if (field && (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove)) {
    auto* drag = static_cast<QDragMoveEvent*>(event);
    if (CarriesALocalFile(drag->mimeData())) {
      drag->acceptProposedAction();
      return true;
    }
  }
  if (field && event->type() == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    if (CarriesALocalFile(drop->mimeData())) {
      TakeDroppedFile(drop);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace orbisk
