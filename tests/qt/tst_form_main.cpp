// The main window, driven headless with scripted dialogs on temporary files.
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <memory>

#include "application.hpp"
#include "files.hpp"
#include "fixed_clock.hpp"
#include "form_main.hpp"
#include "local_engine.hpp"
#include "local_files.hpp"
#include "posix_file_system.hpp"
#include "qt_test_helpers.hpp"
#include "scripted_dialogs.hpp"
#include "twips.hpp"

using orbisk::Dialogs;
using orbisk::FormMain;

namespace {

// No calculator's signature ("-" where a TI92+ file has "P"): converted byte for byte, and
// never taken for a damaged calculator file.
QByteArray Sample(int size) {
  QByteArray bytes("**TI92-*\x01\x00main\0\0\0\0", 18);
  bytes += QByteArray(31, 'c');
  for (int i = 49; i < size; ++i) bytes += static_cast<char>(i % 256);
  return bytes.left(size);
}

using orbisk::testing::Read;
using orbisk::testing::Write;

}  // namespace

class TestFormMain : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void startState();
  void geometryFollowsTheTwipsAndShowsEveryCaption();
  void tabOrder();
  void convert_data();
  void convert();
  void aTargetOfSpacesIsUsedAsIs();
  void anEmptySourceIsReportedWithTwoSpaces();
  void decliningTheOverwriteTouchesNothing();
  void aFailureIsReportedAndTheWindowStays();
  void aTargetFolderThatDoesNotExistIsReported();
  void freshDialogsProposeTheBareExtension();
  void theDialogRemembersItsFileName();
  void cancellingChangesNothing();
  void aDroppedFileFillsTheSourceAndPicksTheDirection_data();
  void aDroppedFileFillsTheSourceAndPicksTheDirection();
  void namesThatAreNotUtf8AreKeptAsBytes();
  void aDamagedSourceIsSaidInTheCompletionBox();
  void theFixedSizeWindowHasNoMaximiseButton();

 private:
  template <typename T>
  T* Control(const char* name) {
    return orbisk::testing::Control<T>(form_.get(), name);
  }
  QString InFolder(const QString& name) const { return folder_->filePath(name); }

  std::unique_ptr<QTemporaryDir> folder_;
  orbisk::PosixFileSystem files_;
  orbisk::testing::FixedClock clock_{2003, 2, 23, 14, 9};
  orbisk::LocalEngine engine_{files_, clock_};
  std::unique_ptr<orbisk::testing::ScriptedDialogs> dialogs_;
  std::unique_ptr<FormMain> form_;
  QString savedCurrent_;
};

void TestFormMain::initTestCase() { QVERIFY(orbisk::InstallFrenchTranslations(*qApp)); }

void TestFormMain::init() {
  folder_ = std::make_unique<QTemporaryDir>();
  QVERIFY(folder_->isValid());
  // Relative names typed in the window resolve against the current directory.
  savedCurrent_ = QDir::currentPath();
  QDir::setCurrent(folder_->path());
  dialogs_ = std::make_unique<orbisk::testing::ScriptedDialogs>();
  form_ = std::make_unique<FormMain>(engine_, *dialogs_);
}

void TestFormMain::cleanup() {
  form_.reset();
  QDir::setCurrent(savedCurrent_);
  folder_.reset();
}

void TestFormMain::startState() {
  QCOMPARE(form_->windowTitle(), QStringLiteral("Conversion text TI92+ / V200"));
  QCOMPARE(Control<QGroupBox>("Frame1")->title(), QStringLiteral("Sens"));
  QCOMPARE(Control<QRadioButton>("optSens0")->text(), QStringLiteral("TI92+ -> Voyager 200"));
  QCOMPARE(Control<QRadioButton>("optSens1")->text(), QStringLiteral(" Voyager 200 -> TI92+"));
  QVERIFY(Control<QRadioButton>("optSens0")->isChecked());
  QVERIFY(!Control<QRadioButton>("optSens1")->isChecked());
  QCOMPARE(Control<QLabel>("Label1")->text(), QStringLiteral("Source :"));
  QCOMPARE(Control<QLabel>("Label2")->text(), QStringLiteral("Cible :"));
  QCOMPARE(Control<QLineEdit>("txtFile")->text(), QString());
  QCOMPARE(Control<QLineEdit>("txtCible")->text(), QString());
  QCOMPARE(Control<QPushButton>("cmdMore")->text(), QStringLiteral("..."));
  QCOMPARE(Control<QPushButton>("cmdMoreCible")->text(), QStringLiteral("..."));
  QCOMPARE(Control<QPushButton>("cmdConvert")->text(), QStringLiteral("Convertir !"));
  for (QPushButton* button : form_->findChildren<QPushButton*>()) {
    QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->objectName()));
  }
  QCOMPARE(form_->DialogFileName(), QString());
}

void TestFormMain::geometryFollowsTheTwipsAndShowsEveryCaption() {
  const qreal dpiX = form_->logicalDpiX();
  const qreal dpiY = form_->logicalDpiY();
  QCOMPARE(form_->size(),
           QSize(orbisk::TwipsToPixels(6420, dpiX), orbisk::TwipsToPixels(2190, dpiY)));
  const struct {
    const char* name;
    orbisk::TwipsRect twips;
  } table[] = {
      {"Frame1", {0, 0, 6375, 975}},
      {"optSens0", {120, 240, 1935, 255}},
      {"optSens1", {120, 600, 1935, 255}},
      {"Label1", {0, 1080, 735, 255}},
      {"txtFile", {840, 1080, 5175, 285}},
      {"cmdMore", {6120, 1080, 255, 255}},
      {"Label2", {0, 1440, 735, 255}},
      {"txtCible", {840, 1440, 5175, 285}},
      {"cmdMoreCible", {6120, 1440, 255, 255}},
      {"cmdConvert", {0, 1800, 6375, 375}},
  };
  for (const auto& row : table) {
    const QRect expected = row.twips.ToPixels(dpiX, dpiY);
    const QRect actual = Control<QWidget>(row.name)->geometry();
    // Position and height as drawn; a control may only have grown to the right.
    QCOMPARE(actual.topLeft(), expected.topLeft());
    QCOMPARE(actual.height(), expected.height());
    QVERIFY2(actual.width() >= expected.width(), row.name);
  }
  // No two controls of the same parent overlap, and none leaves its parent.
  const QList<QWidget*> controls =
      form_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  for (QWidget* a : controls) {
    QVERIFY2(a->parentWidget()->rect().contains(a->geometry()), qPrintable(a->objectName()));
    for (QWidget* b : controls) {
      if (a != b && !a->objectName().isEmpty() && !b->objectName().isEmpty()) {
        QVERIFY2(!a->geometry().intersects(b->geometry()),
                 qPrintable(a->objectName() + " / " + b->objectName()));
      }
    }
  }
  QVERIFY(!Control<QWidget>("optSens0")
               ->geometry()
               .intersects(Control<QWidget>("optSens1")->geometry()));
  // Every caption fits: a radio button or a label is at least as wide as it asks to be,
  // and the text of a button fits inside its contents.
  for (const char* name : {"optSens0", "optSens1", "Label1", "Label2"}) {
    QWidget* control = Control<QWidget>(name);
    QVERIFY2(control->width() >= control->sizeHint().width(), name);
    QVERIFY2(control->height() >= control->fontMetrics().height(), name);
  }
  for (const char* name : {"cmdMore", "cmdMoreCible", "cmdConvert"}) {
    auto* button = Control<QPushButton>(name);
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    QVERIFY2(contents.width() >= button->fontMetrics().horizontalAdvance(button->text()), name);
    QVERIFY2(contents.height() >= button->fontMetrics().height() - 2, name);
  }
}

void TestFormMain::tabOrder() {
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  form_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  Control<QRadioButton>("optSens0")->setFocus();
  QStringList visited{QApplication::focusWidget()->objectName()};
  for (int i = 0; i < 5; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited << QApplication::focusWidget()->objectName();
  }
  // The direction group is one stop; arrows move within it.
  QCOMPARE(visited, (QStringList{"optSens0", "txtFile", "cmdMore", "cmdConvert", "cmdMoreCible",
                                 "txtCible"}));
}

void TestFormMain::convert_data() {
  QTest::addColumn<bool>("toV200");
  QTest::addColumn<QString>("source");
  QTest::addColumn<QString>("typedTarget");
  QTest::addColumn<QString>("expectedTarget");
  QTest::newRow("to V200, default target") << true << "prog.9xt"
                                           << ""
                                           << "prog.v2t";
  QTest::newRow("to V200, typed target") << true << "prog.9xt"
                                         << "other.out"
                                         << "other.out";
  QTest::newRow("to TI92+, default target") << false << "prog.v2t"
                                            << ""
                                            << "prog.9xt";
  QTest::newRow("to TI92+, typed target") << false << "prog.v2t"
                                          << "sub.d/x"
                                          << "sub.d/x";
  QTest::newRow("dotted folder") << true << "v1.2/prog.9xt"
                                 << ""
                                 << "v1.2/prog.v2t";
}

void TestFormMain::convert() {
  QFETCH(bool, toV200);
  QFETCH(QString, source);
  QFETCH(QString, typedTarget);
  QFETCH(QString, expectedTarget);
  QDir(folder_->path()).mkpath(QStringLiteral("sub.d"));
  QDir(folder_->path()).mkpath(QStringLiteral("v1.2"));
  const QByteArray bytes = Sample(500);
  const QString sourcePath = InFolder(source);
  Write(sourcePath, bytes);
  Control<QRadioButton>(toV200 ? "optSens0" : "optSens1")->setChecked(true);
  Control<QLineEdit>("txtFile")->setText(sourcePath);
  const QString target = typedTarget.isEmpty() ? QString() : InFolder(typedTarget);
  Control<QLineEdit>("txtCible")->setText(target);

  Control<QPushButton>("cmdConvert")->click();

  const QString written = InFolder(expectedTarget);
  QByteArray expected = bytes;
  if (toV200) {
    expected[6] = 'P';
    expected.replace(18, 31, "TextObject file 23/02/03, 14:09");
  } else {
    expected.replace(18, 31, QByteArray(31, ' '));
  }
  QCOMPARE(Read(written), expected);
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages[0].icon, Dialogs::Icon::Information);
  QCOMPARE(dialogs_->messages[0].caption, QStringLiteral("Conversion terminée"));
  QCOMPARE(dialogs_->messages[0].text,
           "Conversion de " + sourcePath + " vers " + written + " terminé avec succès");
  // The default target is never written back into the field.
  QCOMPARE(Control<QLineEdit>("txtCible")->text(), target);
}

void TestFormMain::aTargetOfSpacesIsUsedAsIs() {
  Write(InFolder("prog.9xt"), Sample(100));
  Control<QLineEdit>("txtFile")->setText(QStringLiteral("prog.9xt"));
  Control<QLineEdit>("txtCible")->setText(QStringLiteral("   "));
  Control<QPushButton>("cmdConvert")->click();
  QCOMPARE(Read(InFolder("   ")).size(), 100);
  QVERIFY(!QFile::exists(InFolder("prog.v2t")));
  QCOMPARE(dialogs_->messages.last().text,
           QStringLiteral("Conversion de prog.9xt vers     terminé avec succès"));
}

void TestFormMain::anEmptySourceIsReportedWithTwoSpaces() {
  Control<QPushButton>("cmdConvert")->click();
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages[0].text, QStringLiteral("Le fichier  n'existe pas"));
  QCOMPARE(dialogs_->messages[0].caption, QStringLiteral("Orbisk"));
  QCOMPARE(dialogs_->messages[0].icon, Dialogs::Icon::None);
  QVERIFY(QDir(folder_->path()).isEmpty());
}

void TestFormMain::decliningTheOverwriteTouchesNothing() {
  Write(InFolder("prog.9xt"), Sample(100));
  Write(InFolder("prog.v2t"), "old");
  Control<QLineEdit>("txtFile")->setText(InFolder("prog.9xt"));
  dialogs_->yesNoAnswers.enqueue(false);
  Control<QPushButton>("cmdConvert")->click();
  QCOMPARE(dialogs_->questions.size(), 1);
  QCOMPARE(dialogs_->questions[0].caption, QStringLiteral("Orbisk"));
  QCOMPARE(dialogs_->questions[0].text,
           InFolder("prog.v2t") + QStringLiteral(" existe déjà. Voulez-vous l'écraser ?"));
  QVERIFY(dialogs_->messages.isEmpty());
  QCOMPARE(Read(InFolder("prog.v2t")), QByteArray("old"));
}

void TestFormMain::aFailureIsReportedAndTheWindowStays() {
  form_->show();
  Write(InFolder("short.9xt"), QByteArray("too\0short", 9));
  Control<QLineEdit>("txtFile")->setText(InFolder("short.9xt"));
  Control<QLineEdit>("txtCible")->setText(InFolder("out.v2t"));
  Control<QPushButton>("cmdConvert")->click();
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages[0].icon, Dialogs::Icon::Critical);
  QCOMPARE(dialogs_->messages[0].caption, QStringLiteral("Orbisk"));
  QCOMPARE(dialogs_->messages[0].text,
           "Impossible de convertir " + InFolder("short.9xt") +
               " : il ne fait que 9 octets, moins que les 49 octets d'un en-tête.");
  QVERIFY(form_->isVisible());
  QCOMPARE(Control<QLineEdit>("txtFile")->text(), InFolder("short.9xt"));
  QCOMPARE(Control<QLineEdit>("txtCible")->text(), InFolder("out.v2t"));
  QVERIFY(!QFile::exists(InFolder("out.v2t")));
}

void TestFormMain::aTargetFolderThatDoesNotExistIsReported() {
  Write(InFolder("prog.9xt"), Sample(100));
  Control<QLineEdit>("txtFile")->setText(InFolder("prog.9xt"));
  Control<QLineEdit>("txtCible")->setText(InFolder("missing/prog.v2t"));
  Control<QPushButton>("cmdConvert")->click();
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages[0].icon, Dialogs::Icon::Critical);
  QCOMPARE(dialogs_->messages[0].text, "Impossible d'écrire le fichier " +
                                           InFolder("missing/prog.v2t") + " : le dossier " +
                                           InFolder("missing") + " n'existe pas.");
  QCOMPARE(QDir(folder_->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
           QStringList{"prog.9xt"});
}

void TestFormMain::freshDialogsProposeTheBareExtension() {
  dialogs_->fileAnswers << std::nullopt << std::nullopt << std::nullopt << std::nullopt;
  Control<QPushButton>("cmdMore")->click();
  Control<QPushButton>("cmdMoreCible")->click();
  Control<QRadioButton>("optSens1")->setChecked(true);
  Control<QPushButton>("cmdMore")->click();
  Control<QPushButton>("cmdMoreCible")->click();
  // Each label as written, then the patterns Qt reads ("*.*" standing for every file).
  const QStringList ti92Plus{"Fichier TI92+ (*.9xt) (*.9xt)", "Tous les fichiers (*.*) (*)"};
  const QStringList v200{"Fichier V200 (*.v2t) (*.v2t)", "Tous les fichiers (*.*) (*)"};
  const auto& shown = dialogs_->fileRequests;
  QCOMPARE(shown.size(), 4);
  QCOMPARE(shown[0].kind, Dialogs::FileDialogKind::Open);
  QCOMPARE(shown[0].proposedName, QStringLiteral("9xt"));
  QCOMPARE(shown[0].nameFilters, ti92Plus);
  QCOMPARE(shown[1].kind, Dialogs::FileDialogKind::Save);
  QCOMPARE(shown[1].proposedName, QStringLiteral("v2t"));
  QCOMPARE(shown[1].nameFilters, v200);
  QCOMPARE(shown[2].kind, Dialogs::FileDialogKind::Open);
  QCOMPARE(shown[2].proposedName, QStringLiteral("v2t"));
  QCOMPARE(shown[2].nameFilters, v200);
  QCOMPARE(shown[3].kind, Dialogs::FileDialogKind::Save);
  QCOMPARE(shown[3].proposedName, QStringLiteral("9xt"));
  QCOMPARE(shown[3].nameFilters, ti92Plus);
}

void TestFormMain::theDialogRemembersItsFileName() {
  dialogs_->fileAnswers << QStringLiteral("/calc/prog.9xt") << QStringLiteral("/calc/prog.v2t")
                        << QStringLiteral("/calc/prog.9xt");
  Control<QPushButton>("cmdMore")->click();
  QCOMPARE(Control<QLineEdit>("txtFile")->text(), QStringLiteral("/calc/prog.9xt"));
  Control<QPushButton>("cmdMoreCible")->click();
  QCOMPARE(Control<QLineEdit>("txtCible")->text(), QStringLiteral("/calc/prog.v2t"));
  Control<QPushButton>("cmdMore")->click();
  const auto& shown = dialogs_->fileRequests;
  QCOMPARE(shown.size(), 3);
  QCOMPARE(shown[1].proposedName, QStringLiteral("/calc/prog.v2t"));
  QCOMPARE(shown[2].proposedName, QStringLiteral("/calc/prog.9xt"));
  QCOMPARE(form_->DialogFileName(), QStringLiteral("/calc/prog.9xt"));
}

void TestFormMain::cancellingChangesNothing() {
  dialogs_->fileAnswers << QStringLiteral("/calc/prog.9xt") << std::nullopt << std::nullopt;
  Control<QPushButton>("cmdMore")->click();
  Control<QLineEdit>("txtCible")->setText(QStringLiteral("typed"));
  Control<QPushButton>("cmdMoreCible")->click();
  Control<QPushButton>("cmdMore")->click();
  QCOMPARE(Control<QLineEdit>("txtFile")->text(), QStringLiteral("/calc/prog.9xt"));
  QCOMPARE(Control<QLineEdit>("txtCible")->text(), QStringLiteral("typed"));
  QCOMPARE(form_->DialogFileName(), QStringLiteral("/calc/prog.9xt"));
}

void TestFormMain::aDroppedFileFillsTheSourceAndPicksTheDirection_data() {
  QTest::addColumn<QString>("onto");
  QTest::addColumn<bool>("startToV200");
  QTest::addColumn<QString>("dropped");
  QTest::addColumn<bool>("endToV200");
  QTest::newRow("v2t") << "window" << true << "/calc/prog.v2t" << false;
  QTest::newRow("V2T") << "window" << true << "/calc/PROG.V2T" << false;
  QTest::newRow("9xt") << "window" << false << "/calc/prog.9xt" << true;
  QTest::newRow("other keeps the direction") << "window" << false << "/calc/prog.txt" << false;
  QTest::newRow("no extension keeps it") << "window" << true << "/calc.v2t/prog" << true;
  // The fields would insert the file's address as text at the cursor.
  QTest::newRow("onto the source field") << "txtFile" << true << "/calc/prog.v2t" << false;
  QTest::newRow("onto the target field") << "txtCible" << false << "/calc/prog.9xt" << true;
}

void TestFormMain::aDroppedFileFillsTheSourceAndPicksTheDirection() {
  QFETCH(QString, onto);
  QFETCH(bool, startToV200);
  QFETCH(QString, dropped);
  QFETCH(bool, endToV200);
  form_->show();
  Control<QLineEdit>("txtCible")->setText(QStringLiteral("typed"));
  Control<QRadioButton>(startToV200 ? "optSens0" : "optSens1")->setChecked(true);
  QWidget* target = onto == QLatin1String("window") ? static_cast<QWidget*>(form_.get())
                                                    : Control<QLineEdit>(qPrintable(onto));
  QMimeData data;
  // File managers offer the address as text too.
  data.setUrls({QUrl::fromLocalFile(dropped)});
  data.setText(QUrl::fromLocalFile(dropped).toString());
  const QPointF at(10, 5);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  QVERIFY(drop.isAccepted());
  QCOMPARE(Control<QLineEdit>("txtFile")->text(), dropped);
  QCOMPARE(Control<QLineEdit>("txtCible")->text(), QStringLiteral("typed"));
  QCOMPARE(Control<QRadioButton>("optSens0")->isChecked(), endToV200);
}

// A name that is not UTF-8 reaches the engine as its bytes, dropped or browsed, and shows
// readably; once the user types over it, what they typed is used.
void TestFormMain::namesThatAreNotUtf8AreKeptAsBytes() {
  const std::string folder = orbisk::ToPath(folder_->path());
  const std::string latin = folder + "/caf\xE9.9xt";
  std::ofstream(latin, std::ios::binary) << orbisk::testing::SampleTi92PlusFile(200);
  // Dropped: the URL holds the bytes.
  QMimeData data;
  // As a file manager offers it: the name's bytes percent-encoded.
  data.setUrls(
      {QUrl(QStringLiteral("file://") +
            QString::fromLatin1(QByteArray::fromStdString(latin).toPercentEncoding("/")))});
  QCOMPARE(orbisk::DroppedPath(&data), latin);
  // Browsed: Qt reads the name with a "�"; the folder's entries give the bytes back.
  const QString shown = orbisk::FromPath(latin);
  QVERIFY(shown.contains(QChar::ReplacementCharacter));
  QCOMPARE(orbisk::ChosenPath(shown), latin);
  QCOMPARE(orbisk::ChosenPath(QString::fromStdString(folder + "/new é.9xt")),
           folder + "/new \xC3\xA9.9xt");

  // Converted from the field: its bytes, and the target's beside it.
  auto* field = Control<QLineEdit>("txtFile");
  orbisk::SetPathField(field, latin);
  QCOMPARE(field->text(), shown);
  Control<QPushButton>("cmdConvert")->click();
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages[0].caption, QStringLiteral("Conversion terminée"));
  QCOMPARE(std::filesystem::file_size(folder + "/caf\xE9.v2t"), 200u);
  // Typed over, the field gives what was typed.
  field->setText(QStringLiteral("autre.9xt"));
  QCOMPARE(orbisk::PathInField(field), std::string("autre.9xt"));
}

// Converted byte for byte all the same, with how to mend it after the word on success.
void TestFormMain::aDamagedSourceIsSaidInTheCompletionBox() {
  QByteArray damaged("**TI92P*\x01\x00main\0\0\0\0", 18);
  damaged += QByteArray(200, 'x');
  Write(InFolder("prog.9xt"), damaged);
  Control<QLineEdit>("txtFile")->setText(InFolder("prog.9xt"));
  Control<QPushButton>("cmdConvert")->click();
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages[0].caption, QStringLiteral("Conversion terminée"));
  const QStringList paragraphs = dialogs_->messages[0].text.split(QStringLiteral("\n\n"));
  QCOMPARE(paragraphs.size(), 2);
  QCOMPARE(paragraphs[0], "Conversion de " + InFolder("prog.9xt") + " vers " +
                              InFolder("prog.v2t") + " terminé avec succès");
  QVERIFY2(paragraphs[1].startsWith("Avertissement : " + InFolder("prog.9xt") + " est abîmé ("),
           qPrintable(paragraphs[1]));
  QVERIFY(
      // A window gives no command to type, but what mends it.
      paragraphs[1].endsWith(" ; il est converti tel quel. « Réparer », dans l'éditeur, le "
                             "remet en état."));
  QCOMPARE(Read(InFolder("prog.v2t")).size(), damaged.size());
}

void TestFormMain::theFixedSizeWindowHasNoMaximiseButton() {
  QVERIFY(!(form_->windowFlags() & Qt::WindowMaximizeButtonHint));
  QVERIFY(form_->windowFlags() & Qt::WindowCloseButtonHint);
  QVERIFY(form_->windowFlags() & Qt::WindowMinimizeButtonHint);
}

QTEST_MAIN(TestFormMain)
#include "tst_form_main.moc"
