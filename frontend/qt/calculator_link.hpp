// A window's way to the calculator: it runs orbisk-link (the one program that links the
// calculator link libraries) and speaks its line protocol. While it runs, a progress
// dialog shows the transfer, and its Annuler stops it cleanly; what orbisk-link has to say
// or ask goes to the window's own dialogs.
#pragma once

#include <QPair>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "dialogs.hpp"

namespace orbisk {

struct LinkOutcome {
  bool finished = false;  // orbisk-link ran to its end, successful or not
  int exitCode = -1;
  bool cancelled = false;
  QString output;                       // what it printed: the listing of --calc
  QList<QPair<QString, QString>> made;  // each file sent and its variable, or the reverse
  bool ok() const { return finished && exitCode == 0; }
};

// Where orbisk-link is: ORBISK_LINK_PROGRAM when set, else beside this module. Empty when
// it is not installed.
QString LinkProgramPath();

class CalculatorLink {
 public:
  CalculatorLink(Dialogs& dialogs, QWidget* parent) : dialogs_(dialogs), parent_(parent) {}

  // Runs orbisk-link with `arguments`; `caption` titles the progress dialog and the boxes.
  LinkOutcome Run(const QStringList& arguments, const QString& caption);
  // What it says of `path` (a file of its own the window made) names `shown` instead.
  void ShowAs(const QString& path, const QString& shown) { shownAs_.append({path, shown}); }

 private:
  QList<QPair<QString, QString>> shownAs_;
  Dialogs& dialogs_;
  QWidget* parent_;
};

// The variable a line of --calc's listing names (its last word, FOLDER\NAME).
QString ListedVariable(const QString& line);

}  // namespace orbisk
