// Every character the calculators have, found by name or looks.
#include "character_palette.hpp"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "calculator_font.hpp"
#include "character_names.hpp"
#include "character_search.hpp"
#include "charset.hpp"
#include "window_texts.hpp"

namespace orbisk {
namespace {

constexpr int kCodeRole = Qt::UserRole;
constexpr std::size_t kRecentKept = 16;

std::vector<unsigned char>& RecentCodes() {
  static std::vector<unsigned char> recent;
  return recent;
}

}  // namespace

CharacterPalette::CharacterPalette(QWidget* parent)
    : QWidget(parent), search_(new QLineEdit(this)), list_(new QListWidget(this)) {
  search_->setObjectName(QStringLiteral("characterSearch"));
  list_->setObjectName(QStringLiteral("characters"));
  search_->setPlaceholderText(texts::CharacterSearchHint());
  search_->setClearButtonEnabled(true);
  auto* label = new QLabel(texts::CharacterSearchLabel(), this);
  label->setBuddy(search_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label);
  layout->addWidget(search_);
  layout->addWidget(list_, 1);
  connect(search_, &QLineEdit::textChanged, this, &CharacterPalette::Search);
  connect(search_, &QLineEdit::returnPressed, this, [this] {
    for (int i = 0; i < list_->count(); ++i) {
      if (list_->item(i)->data(kCodeRole).isValid()) return ChooseItem(list_->item(i));
    }
  });
  // A long name goes on to a second line rather than past the palette's edge.
  list_->setWordWrap(true);
  list_->setTextElideMode(Qt::ElideNone);
  list_->setResizeMode(QListView::Adjust);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->installEventFilter(this);
  connect(list_, &QListWidget::itemClicked, this, &CharacterPalette::ChooseItem);
  setMinimumWidth(220);
  Search(QString());
}

// Enter in the list chooses the character it stands on.
bool CharacterPalette::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      ChooseItem(list_->currentItem());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

const std::vector<unsigned char>& CharacterPalette::Recent() { return RecentCodes(); }

void CharacterPalette::AddHeading(const QString& heading) {
  auto* item = new QListWidgetItem(heading, list_);
  QFont bold = item->font();
  bold.setBold(true);
  item->setFont(bold);
  item->setFlags(Qt::NoItemFlags);
}

void CharacterPalette::AddCharacter(unsigned char code) {
  auto* item =
      new QListWidgetItem(QString::fromStdString(CharacterOf(code)) + QStringLiteral("    ") +
                              QString::fromStdString(CharacterName(code)),
                          list_);
  item->setData(kCodeRole, code);
  item->setFont(CalculatorFont());
  item->setToolTip(QString::fromStdString(CharacterName(code)));
}

void CharacterPalette::Search(const QString& query) {
  list_->clear();
  if (!query.isEmpty()) {
    for (const unsigned char code : FindCharacters(query.toStdString())) AddCharacter(code);
    return;
  }
  if (!RecentCodes().empty()) {
    AddHeading(texts::RecentCharacters());
    for (const unsigned char code : RecentCodes()) AddCharacter(code);
  }
  for (const CharacterGroup group : kCharacterGroups) {
    AddHeading(texts::CharacterGroupName(group));
    for (unsigned c = 1; c < 256; ++c) {
      const auto code = static_cast<unsigned char>(c);
      if (IsTextCharacter(code) && GroupOfCharacter(code) == group) AddCharacter(code);
    }
  }
}

std::vector<unsigned char> CharacterPalette::Listed() const {
  std::vector<unsigned char> codes;
  for (int i = 0; i < list_->count(); ++i) {
    const QVariant code = list_->item(i)->data(kCodeRole);
    if (code.isValid()) codes.push_back(static_cast<unsigned char>(code.toUInt()));
  }
  return codes;
}

void CharacterPalette::FocusSearch() {
  search_->setFocus();
  search_->selectAll();
}

void CharacterPalette::ChooseItem(QListWidgetItem* item) {
  const QVariant code = item == nullptr ? QVariant() : item->data(kCodeRole);
  if (code.isValid()) Choose(static_cast<unsigned char>(code.toUInt()));
}

void CharacterPalette::Choose(unsigned char code) {
  std::vector<unsigned char>& recent = RecentCodes();
  recent.erase(std::remove(recent.begin(), recent.end(), code), recent.end());
  recent.insert(recent.begin(), code);
  if (recent.size() > kRecentKept) recent.resize(kRecentKept);
  emit chosen(code);
}

}  // namespace orbisk
