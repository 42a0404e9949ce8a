// The real message boxes and file dialogs as built (French buttons, icons, defaults), the
// engine's messages routed to them, and the filter texts turned into Qt's form.
#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "application.hpp"
#include "conversation.hpp"
#include "dialogs_interaction.hpp"
#include "file_dialog.hpp"
#include "name_filters.hpp"
#include "notifier.hpp"
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

  // A file name is text in a notification: escaped where the server reads markup.
  void notificationsCarryFileNamesAsText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("capabilities");
    QTest::addColumn<QString>("body");
    const QString name = QStringLiteral("Conversion de <a href=\"x\">&<img src=y>.9xt terminé");
    QTest::newRow("plain") << name << QStringList{QStringLiteral("body")} << name;
    QTest::newRow("no answer") << name << QStringList() << name;
    QTest::newRow("markup") << name
                            << QStringList{QStringLiteral("body"), QStringLiteral("body-markup")}
                            << QStringLiteral(
                                   "Conversion de &lt;a href=\"x\"&gt;&amp;&lt;img "
                                   "src=y&gt;.9xt terminé");
  }
  void notificationsCarryFileNamesAsText() {
    QFETCH(QString, text);
    QFETCH(QStringList, capabilities);
    QFETCH(QString, body);
    QCOMPARE(orbisk::NotificationBody(text, capabilities), body);
  }

  void messagesHaveOneOkButtonAndTheirIcon_data() {
    QTest::addColumn<Dialogs::Icon>("icon");
    QTest::addColumn<QMessageBox::Icon>("expected");
    QTest::newRow("none") << Dialogs::Icon::None << QMessageBox::NoIcon;
    QTest::newRow("information") << Dialogs::Icon::Information << QMessageBox::Information;
    QTest::newRow("question") << Dialogs::Icon::Question << QMessageBox::Question;
    QTest::newRow("warning") << Dialogs::Icon::Warning << QMessageBox::Warning;
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
    const auto dialog = orbisk::MakeFileDialog(
        {Dialogs::FileDialogKind::Open, "/calc/prog.9xt", orbisk::QtNameFilters(kTi92Plus)});
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(dialog->selectedNameFilter(), QStringLiteral("Fichier TI92+ (*.9xt)"));
  }

  // The filters read as written, and "Tous les fichiers (*.*)" lists names without a dot.
  void theFiltersShowTheirLabelsAndAllFilesMeansAll() {
    const auto dialog = orbisk::MakeFileDialog(
        {Dialogs::FileDialogKind::Open, "prog.9xt", orbisk::QtNameFilters(kTi92Plus)});
    const auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QVERIFY(combo != nullptr);
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QStringLiteral("Fichier TI92+ (*.9xt)"));
    QCOMPARE(combo->itemText(1), QStringLiteral("Tous les fichiers (*.*)"));
    const auto* files = dialog->findChild<QFileSystemModel*>();
    QVERIFY(files != nullptr);
    QCOMPARE(files->nameFilters(), QStringList{"*.9xt"});
    dialog->selectNameFilter(dialog->nameFilters().at(1));
    QCOMPARE(files->nameFilters(), QStringList{"*"});
  }

  void theSaveDialogRefusesAFolderThatDoesNotExist() {
    QTemporaryDir folder;
    struct Row {
      QString chosen;
      bool accepted;
    };
    for (const Row& row : {Row{folder.filePath("missing/prog.v2t"), false},
                           Row{folder.filePath("prog.v2t"), true}}) {
      const auto dialog = orbisk::MakeFileDialog(
          {Dialogs::FileDialogKind::Save, row.chosen, orbisk::QtNameFilters(kTi92Plus)});
      dialog->selectFile(row.chosen);
      QMetaObject::invokeMethod(dialog.get(), "accept");
      QCOMPARE(dialog->result() == QDialog::Accepted, row.accepted);
      const auto* refusal = dialog->findChild<QMessageBox*>();
      QCOMPARE(refusal != nullptr, !row.accepted);
      if (refusal != nullptr) {
        QCOMPARE(refusal->text(), folder.filePath("missing") +
                                      "\nDossier introuvable.\nVeuillez vérifier que le nom "
                                      "du dossier est correct.");
      }
    }
  }

  // Qt would format them in the system's locale, here C.
  void sizesAndDatesAreFrenchInColumnsWideEnoughToReadThem() {
    QTemporaryDir folder;
    QFile file(folder.filePath("prog.9xt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1536, 'x'));
    file.flush();
    QVERIFY(file.setFileTime(QDateTime(QDate(2026, 12, 8), QTime(3, 33)),
                             QFileDevice::FileModificationTime));
    file.close();
    const auto dialog = orbisk::MakeFileDialog(
        {Dialogs::FileDialogKind::Open, file.fileName(), orbisk::QtNameFilters(kTi92Plus)});
    dialog->setDirectory(folder.path());
    auto* files = dialog->findChild<QFileSystemModel*>();
    QVERIFY(files != nullptr);
    QTRY_VERIFY(files->size(files->index(file.fileName())) == 1536);
    const QModelIndex name = files->index(file.fileName());
    const QString size = orbisk::FrenchFileDetails::Text(*files, name.siblingAtColumn(1));
    const QString date = orbisk::FrenchFileDetails::Text(*files, name.siblingAtColumn(3));
    QCOMPARE(size, QStringLiteral("1,50 Kio"));
    QCOMPARE(date, QStringLiteral("08/12/2026 03:33"));
    // Every kind of entry says what it is in French.
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("cours")));
    QFile plain(folder.filePath("LISEZMOI"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    const std::pair<QString, QString> types[] = {{file.fileName(), QStringLiteral("Fichier 9xt")},
                                                 {folder.filePath("cours"), "Dossier"},
                                                 {plain.fileName(), "Fichier"}};
    for (const auto& [path, type] : types) {
      QTRY_VERIFY(files->index(path).isValid());
      QCOMPARE(orbisk::FrenchFileDetails::Text(*files, files->index(path).siblingAtColumn(2)),
               type);
    }
    auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
    QVERIFY(view != nullptr);
    QCOMPARE(dialog->viewMode(), QFileDialog::Detail);
    for (const int column : {1, 2, 3}) {
      QVERIFY(dynamic_cast<orbisk::FrenchFileDetails*>(view->itemDelegateForColumn(column)));
    }
    const QFontMetrics metrics(view->font());
    QVERIFY(view->header()->sectionSize(1) > metrics.horizontalAdvance("999,9 Mio"));
    QVERIFY(view->header()->sectionSize(3) > metrics.horizontalAdvance(date));
  }

  void theSaveDialogDoesNotAskAboutReplacing() {
    const auto dialog =
        orbisk::MakeFileDialog({Dialogs::FileDialogKind::Save, "v2t", {"Fichier V200 (*.v2t)"}});
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog->fileMode(), QFileDialog::AnyFile);
    QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    // A request's own title replaces the dialog's.
    const auto titled = orbisk::MakeFileDialog(
        {Dialogs::FileDialogKind::Save, "v2t", {"Fichier V200 (*.v2t)"}, "Extraire la variable"});
    QCOMPARE(titled->windowTitle(), QStringLiteral("Extraire la variable"));
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

  // Each box has the icon of its kind, but the conversion's own question, which has none.
  void engineWarningsAndQuestionsHaveTheirIcons() {
    orbisk::testing::ScriptedDialogs dialogs;
    orbisk::DialogsInteraction interaction(dialogs);
    orbisk::Conversation user(interaction, orbisk::messages::Audience::Window);
    orbisk::Warning warning;
    warning.kind = orbisk::Warning::Kind::DamagedSource;
    warning.path = "a.9xt";
    warning.problems.push_back({orbisk::Problem::Kind::TooShort, 10});
    user.Warn(warning);
    dialogs.yesNoAnswers << true << true;
    QVERIFY(user.AskToReplace("b.v2t"));
    QVERIFY(user.AskToReplaceChanged("c.v2t"));
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::Warning);
    QCOMPARE(dialogs.questions.size(), 2);
    QCOMPARE(dialogs.questions[0].icon, Dialogs::Icon::None);
    QCOMPARE(dialogs.questions[1].icon, Dialogs::Icon::Warning);
    // A question's box shows the icon it was given, and Yes stays the default answer.
    const auto box = orbisk::MakeYesNoBox("Orbisk", "?", nullptr, Dialogs::Icon::Warning);
    QCOMPARE(box->icon(), QMessageBox::Warning);
    QCOMPARE(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Yes));
  }

  // A box opens over the middle of the window it belongs to, wherever that window is.
  void boxesOpenCentredOnTheirWindow() {
    QWidget window;
    window.setGeometry(500, 300, 640, 400);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    orbisk::WidgetDialogs dialogs;
    dialogs.SetParent(&window);
    QPoint boxCentre;
    QTimer::singleShot(0, [&boxCentre] {
      QWidget* box = QApplication::activeModalWidget();
      QVERIFY(box != nullptr);
      boxCentre = box->frameGeometry().center();
      box->close();
    });
    dialogs.ShowMessage(Dialogs::Icon::Information, "Orbisk", "Conversion terminée");
    const QPoint windowCentre = window.frameGeometry().center();
    QVERIFY2((boxCentre - windowCentre).manhattanLength() <= 4,
             qPrintable(QStringLiteral("%1,%2 against %3,%4")
                            .arg(boxCentre.x())
                            .arg(boxCentre.y())
                            .arg(windowCentre.x())
                            .arg(windowCentre.y())));
  }

  void filterTextsBecomeQtNameFilters() {
    QCOMPARE(orbisk::QtNameFilters(kTi92Plus),
             (QStringList{"Fichier TI92+ (*.9xt) (*.9xt)", "Tous les fichiers (*.*) (*)"}));
    QCOMPARE(orbisk::QtNameFilters("Textes|*.9xt;*.v2t"), QStringList{"Textes (*.9xt *.v2t)"});
    QCOMPARE(orbisk::QtNameFilters("Sans motif"), QStringList());
  }

 private:
  const QString kTi92Plus =
      QStringLiteral("Fichier TI92+ (*.9xt)|*.9xt|Tous les fichiers (*.*)|*.*");
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
