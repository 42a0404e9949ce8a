// Every character the calculators have, grouped, each with its name, found by a search
// field; the ones last used come first. Choosing one (a click, or Enter in the search)
// hands its code to whoever inserts it.
#pragma once

#include <QWidget>
#include <vector>

class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace orbisk {

class CharacterPalette final : public QWidget {
  Q_OBJECT

 public:
  explicit CharacterPalette(QWidget* parent = nullptr);

  // Shows what matches `query` (everything, grouped, for an empty one).
  void Search(const QString& query);
  // The codes listed, in order.
  std::vector<unsigned char> Listed() const;
  void FocusSearch();
  // The codes last chosen in this run, the latest first; shared by every window.
  static const std::vector<unsigned char>& Recent();

 signals:
  void chosen(unsigned char code);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void AddHeading(const QString& heading);
  void AddCharacter(unsigned char code);
  void Choose(unsigned char code);
  void ChooseItem(QListWidgetItem* item);

  QLineEdit* search_;
  QListWidget* list_;
};

}  // namespace orbisk
