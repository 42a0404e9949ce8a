// The editor's Envoyer à la calculatrice and Recevoir de la calculatrice…, run headless with
// scripted dialogs against the fake calculator at the other end of the TiEmu cable: the
// real orbisk-link in between.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "application.hpp"
#include "calculator_link.hpp"
#include "editor_fixture.hpp"
#include "fake_on_the_cable.hpp"
#include "messages.hpp"
#include "text_view.hpp"
#include "variable_file.hpp"
#include "window_texts.hpp"

using orbisk::Dialogs;
namespace texts = orbisk::texts;

class TestCalculatorLink : public QObject, orbisk::testing::EditorFixture {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(orbisk::InstallFrenchTranslations(*qApp));
    // The editor's orbisk-link, on the cable the fake holds the other end of.
    qputenv("ORBISK_LINK_PROGRAM", ORBISK_LINK_PROGRAM);
    qputenv("ORBISK_CABLE", "tiemu");
    qputenv("ORBISK_MODEL", "89");
  }
  void init() {
    SetUpEditor();
    QVERIFY(QDir(folder_->path()).mkdir(QStringLiteral("store")));
  }
  void cleanup() { TearDownEditor(); }

  void sendsTheTextAsItStandsOrSavedFirst();
  void receivesThePickedVariablesAndOpensThem();
  void saysSoWhenOrbiskLinkIsMissing();
  void annulerStopsItAndSaysNothing();
};

void TestCalculatorLink::sendsTheTextAsItStandsOrSavedFirst() {
  for (const bool saveFirst : {false, true}) {
    orbisk::testing::FakeOnTheCable fake(ORBISK_FAKE_CALCULATOR, "89",
                                         InFolder("store").toStdString(), {});
    QVERIFY(fake.ready());
    Text()->setPlainText(saveFirst ? QStringLiteral("enregistré") : QStringLiteral("tel quel"));
    dialogs_->yesNoAnswers << saveFirst;
    if (saveFirst) dialogs_->fileAnswers << InFolder("notes.89t");
    Action(texts::SendAction())->trigger();
    QCOMPARE(dialogs_->questions.size(), 1);
    QCOMPARE(dialogs_->questions.takeFirst().caption, texts::SendCaption());
    // A new text is for the Voyager 200 until saved for another model: sent to a TI-89, it
    // is converted on the way, which is said of it by its name, not its passing file's.
    if (saveFirst) {
      QVERIFY2(dialogs_->messages.isEmpty(), qPrintable(dialogs_->messages.value(0).text));
    } else {
      QCOMPARE(dialogs_->messages.size(), 1);
      QCOMPARE(dialogs_->messages[0].icon, Dialogs::Icon::Information);
      QCOMPARE(dialogs_->messages.takeFirst().text,
               QStringLiteral("« Nouveau texte » est fait pour Voyager 200 : il est envoyé "
                              "converti pour TI-89."));
    }
    QVERIFY(
        Control<QLabel>("details")->text().contains(QStringLiteral("envoyé à la calculatrice")));
    QCOMPARE(QFile::exists(InFolder("notes.89t")), saveFirst);
    fake.Stop();
    // What arrived is the text as the window showed it, under the variable's name.
    const QString stored = InFolder(saveFirst ? "store/main.notes" : "store/main.texte");
    QVERIFY2(QFile::exists(stored), qPrintable(stored));
    const QByteArray data = orbisk::testing::Read(stored);
    QVERIFY(data.contains(saveFirst ? "enregistr" : "tel quel"));
  }
}

void TestCalculatorLink::receivesThePickedVariablesAndOpensThem() {
  const QString sample = QStringLiteral(ORBISK_TEST_DATA "/sgs/sgsgeoan.89p");
  orbisk::testing::FakeOnTheCable fake(ORBISK_FAKE_CALCULATOR, "89",
                                       InFolder("store").toStdString(), {sample.toStdString()});
  QVERIFY(fake.ready());
  const std::string bytes = orbisk::testing::Read(sample).toStdString();
  const orbisk::VariableEntry entry =
      orbisk::ParseVariableFile(bytes, bytes.size()).file.entries.at(0);
  // The calculator's listing is offered as --calc prints it; the one line is picked.
  const QString line = QString::fromStdString(orbisk::messages::ListLine(entry)).trimmed();
  dialogs_->itemAnswers << QStringList{line};
  dialogs_->folderAnswers << folder_->path();
  Action(texts::ReceiveAction())->trigger();
  QVERIFY2(dialogs_->messages.isEmpty(), qPrintable(dialogs_->messages.value(0).text));
  QCOMPARE(dialogs_->offeredItems.size(), 1);
  QCOMPARE(dialogs_->offeredItems[0], QStringList{line});
  // Received whole, then opened here: the window held nothing yet.
  QCOMPARE(form_->Path(), InFolder("sgsgeoan.89p").toStdString());
  const std::string back = orbisk::testing::Read(InFolder("sgsgeoan.89p")).toStdString();
  QVERIFY(orbisk::ParseVariableFile(back, back.size()).file.entries.at(0).data == entry.data);
  QVERIFY(Text()->toPlainText().contains(QStringLiteral("Prgm")));
  QCOMPARE(Control<QLabel>("details")->text(), texts::ReceivedStatus(1, folder_->path()));
}

void TestCalculatorLink::saysSoWhenOrbiskLinkIsMissing() {
  qputenv("ORBISK_LINK_PROGRAM", QFile::encodeName(InFolder("absent")));
  Action(texts::ReceiveAction())->trigger();
  qputenv("ORBISK_LINK_PROGRAM", ORBISK_LINK_PROGRAM);
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages[0].icon, Dialogs::Icon::Critical);
  QCOMPARE(dialogs_->messages[0].caption, texts::ReceiveCaption());
}

// Annuler in the progress dialog stops the program (SIGTERM, which orbisk-link takes as a
// cancel); the user who cancelled gets no box about it.
void TestCalculatorLink::annulerStopsItAndSaysNothing() {
  // A stand-in that says how far it got, then waits until it is stopped.
  const QString standIn = InFolder("lent");
  QFile script(standIn);
  QVERIFY(script.open(QIODevice::WriteOnly));
  script.write("#!/bin/sh\nprintf 'orbisk-progress main\\\\notes 10\\n' >&2\nexec sleep 600\n");
  script.close();
  QVERIFY(script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                QFileDevice::ExeOwner));
  qputenv("ORBISK_LINK_PROGRAM", QFile::encodeName(standIn));
  // Annuler is pressed once the dialog shows, as a user would.
  bool pressed = false;
  QTimer press;
  QObject::connect(&press, &QTimer::timeout, [&pressed] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<QProgressDialog*>(widget);
      if (dialog != nullptr && dialog->isVisible() && !pressed) {
        pressed = true;
        QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
      }
    }
  });
  press.start(20);
  orbisk::CalculatorLink link(*dialogs_, form_.get());
  const orbisk::LinkOutcome outcome = link.Run({QStringLiteral("--calc")}, texts::ReceiveCaption());
  press.stop();
  qputenv("ORBISK_LINK_PROGRAM", ORBISK_LINK_PROGRAM);
  QVERIFY(pressed);
  QVERIFY(outcome.cancelled);
  QVERIFY(!outcome.ok());
  QVERIFY2(dialogs_->messages.isEmpty(), qPrintable(dialogs_->messages.value(0).text));
}

QTEST_MAIN(TestCalculatorLink)
#include "tst_calculator_link.moc"
