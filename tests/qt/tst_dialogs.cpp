// The real message boxes and file dialogs as built (French buttons, icons, defaults), the
// engine's messages routed to them, and the filter texts turned into Qt's form.
#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "application.hpp"
#include "dialogs_interaction.hpp"
#include "name_filters.hpp"
#include "scripted_dialogs.hpp"
#include "widget_dialogs.hpp"

using orbisk::Dialogs;

class TestDialogs : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY(orbisk::InstallFrenchTranslations(*qApp)); }

  void theQuestionHasFrenchYesAndNoWithYesAsDefault() {
    const auto box = orbisk::MakeYesNoBox("Orbisk", "a existe déjà. Voulez-vous l'écraser ?");
    QCOMPARE(box->windowTitle(), QStringLiteral("Orbisk"));
    QCOMPARE(box->text(), QStringLiteral("a existe déjà. Voulez-vous l'écraser ?"));
    QCOMPARE(box->icon(), QMessageBox::NoIcon);
    QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Yes));
    QCOMPARE(box->button(QMessageBox::Yes)->text(), QStringLiteral("&Oui"));
    QCOMPARE(box->button(QMessageBox::No)->text(), QStringLiteral("&Non"));
  }

  void messagesHaveOneOkButtonAndTheirIcon_data() {
    QTest::addColumn<Dialogs::Icon>("icon");
    QTest::addColumn<QMessageBox::Icon>("expected");
    QTest::newRow("none") << Dialogs::Icon::None << QMessageBox::NoIcon;
    QTest::newRow("information") << Dialogs::Icon::Information << QMessageBox::Information;
    QTest::newRow("critical") << Dialogs::Icon::Critical << QMessageBox::Critical;
  }

  void messagesHaveOneOkButtonAndTheirIcon() {
    QFETCH(Dialogs::Icon, icon);
    QFETCH(QMessageBox::Icon, expected);
    // A path with markup-like characters is shown as it is.
    const auto box =
        orbisk::MakeMessageBox(icon, "Conversion terminée", "Le fichier <b>a</b> n'existe pas");
    QCOMPARE(box->windowTitle(), QStringLiteral("Conversion terminée"));
    QCOMPARE(box->icon(), expected);
    QCOMPARE(box->standardButtons(), QMessageBox::Ok);
    QCOMPARE(box->button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
    QCOMPARE(box->textFormat(), Qt::PlainText);
  }

  void theOpenDialogWantsAnExistingFile() {
    const auto dialog =
        orbisk::MakeFileDialog({Dialogs::FileDialogKind::Open,
                                "/calc/prog.9xt",
                                {"Fichier TI92+ (*.9xt)", "Tous les fichiers (*.*)"}});
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(dialog->nameFilters(),
             (QStringList{"Fichier TI92+ (*.9xt)", "Tous les fichiers (*.*)"}));
    QCOMPARE(dialog->selectedNameFilter(), QStringLiteral("Fichier TI92+ (*.9xt)"));
  }

  void theSaveDialogDoesNotAskAboutReplacing() {
    const auto dialog =
        orbisk::MakeFileDialog({Dialogs::FileDialogKind::Save, "v2t", {"Fichier V200 (*.v2t)"}});
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog->fileMode(), QFileDialog::AnyFile);
    QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));
  }

  void engineMessagesGoToDialogsCaptionedOrbisk() {
    orbisk::testing::ScriptedDialogs dialogs;
    orbisk::DialogsInteraction interaction(dialogs);
    interaction.ShowMessage("Le fichier é n'existe pas");
    interaction.ReportFailure("Impossible de lire le fichier a : Input/output error.");
    dialogs.yesNoAnswers << true << false;
    QVERIFY(interaction.AskYesNo("q1"));
    QVERIFY(!interaction.AskYesNo("q2"));
    QCOMPARE(dialogs.messages.size(), 2);
    QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::None);
    QCOMPARE(dialogs.messages[0].caption, QStringLiteral("Orbisk"));
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("Le fichier é n'existe pas"));
    QCOMPARE(dialogs.messages[1].icon, Dialogs::Icon::Critical);
    QCOMPARE(dialogs.messages[1].caption, QStringLiteral("Orbisk"));
    QCOMPARE(dialogs.questions[1].caption, QStringLiteral("Orbisk"));
    QCOMPARE(dialogs.questions[1].text, QStringLiteral("q2"));
  }

  void filterTextsBecomeQtNameFilters() {
    QCOMPARE(orbisk::QtNameFilters("Fichier TI92+ (*.9xt)|*.9xt|Tous les fichiers (*.*)|*.*"),
             (QStringList{"Fichier TI92+ (*.9xt)", "Tous les fichiers (*.*)"}));
    QCOMPARE(orbisk::QtNameFilters("Textes|*.9xt;*.v2t"), QStringList{"Textes (*.9xt *.v2t)"});
    QCOMPARE(orbisk::QtNameFilters("Sans motif"), QStringList());
  }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
