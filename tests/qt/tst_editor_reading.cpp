// The editor showing files as they are read, driven headless with scripted dialogs on temporary
// files.
#include <QAbstractButton>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRawFont>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QUrl>
#include <memory>

#include "application.hpp"
#include "charset.hpp"
#include "editor_fixture.hpp"
#include "file_check.hpp"
#include "fixed_clock.hpp"
#include "local_engine.hpp"
#include "posix_file_system.hpp"
#include "qt_test_helpers.hpp"
#include "scripted_dialogs.hpp"
#include "text_notation.hpp"
#include "text_view.hpp"
#include "variable_file.hpp"

using orbisk::CalculatorTextView;
using orbisk::Dialogs;
using orbisk::EditorWindow;
using orbisk::LineKind;
using orbisk::Model;

namespace {

QByteArray TextFile(Model model, const std::string& text) {
  orbisk::TextVariable variable;
  variable.model = model;
  variable.name = "notes";
  variable.text = orbisk::CalculatorText::FromCodes(text);
  return QByteArray::fromStdString(orbisk::WriteTextFile(variable, "23/02/03, 14:09"));
}

using orbisk::testing::Read;
using orbisk::testing::Write;

// " Bonjour", a command line, a PrintObj line, a page break, a line with no code, and an
// ordinary line with π, ≤ and the code 0x0A, which must not break the line.
const std::string kText = " Bonjour\rCDisp 1\rPf(2)\r\x0C\r\r \x8C\x9C\x0A";

}  // namespace

Q_DECLARE_METATYPE(orbisk::Model)

class TestEditorReading : public QObject, orbisk::testing::EditorFixture {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY(orbisk::InstallFrenchTranslations(*qApp)); }
  void init();
  void cleanup();

  void showsTheTextLineForLineWithItsKinds();
  void showsWhatTheFileIsAndTheConversionsItsModelCallsFor_data();
  void showsWhatTheFileIsAndTheConversionsItsModelCallsFor();
  void aFileThatIsNoTextIsReportedAndNotShown();
  void aDamagedFileIsShownWithItsWarningAndCanBeRepaired();
  void convertsWithTheQuestionAndTheCompletionMessage();
  void showsAProgramAndConvertsItAsAProgram();
  void readsATokenizedProgramAsTextAndSavesItInTextForm();
  void savesAsTextWhereTheSaveDialogSays();
  void showsEachTextOfAGroupAndExtractsOne();
  void aDroppedFileIsOpenedInTheViewer();
  void everyCalculatorCharacterHasAFaceToDrawIt();
  void noTwoThingsShownShareAnAccessKey_data();
  void noTwoThingsShownShareAnAccessKey();
};

void TestEditorReading::init() {
  SetUpEditor();
  Write(InFolder("notes.9xt"), TextFile(Model::Ti92Plus, kText));
}

void TestEditorReading::cleanup() { TearDownEditor(); }

void TestEditorReading::showsTheTextLineForLineWithItsKinds() {
  QVERIFY(form_->Open(InFolder("notes.9xt")));
  QCOMPARE(form_->windowTitle(), QStringLiteral("notes.9xt – Orbisk"));
  auto* text = Control<CalculatorTextView>("text");
  QVERIFY(!text->isReadOnly());
  QCOMPARE(text->toPlainText(), QStringLiteral("Bonjour\nDisp 1\nf(2)\n\n\nπ≤␊"));
  const LineKind kinds[] = {LineKind::Ordinary,  LineKind::Command, LineKind::PrintObj,
                            LineKind::PageBreak, LineKind::NoCode,  LineKind::Ordinary};
  const char* marks[] = {"", "C", "P", "", "", ""};
  for (int line = 0; line < 6; ++line) {
    QCOMPARE(text->Document()->KindOfLine(line), kinds[line]);
    QCOMPARE(text->Document()->MarginMark(line), QString::fromUtf8(marks[line]));
  }
  QCOMPARE(dialogs_->messages.size(), 0);
}

void TestEditorReading::showsWhatTheFileIsAndTheConversionsItsModelCallsFor_data() {
  QTest::addColumn<Model>("model");
  QTest::addColumn<QString>("details");
  QTest::addColumn<bool>("toV200");
  QTest::addColumn<bool>("toTi92Plus");
  QTest::addColumn<bool>("toTi89");
  QTest::newRow("9xt") << Model::Ti92Plus << "TI92+" << true << false << true;
  QTest::newRow("v2t") << Model::Voyager200 << "Voyager 200" << false << true << true;
  QTest::newRow("89t") << Model::Ti89 << "TI-89" << true << true << false;
}

void TestEditorReading::showsWhatTheFileIsAndTheConversionsItsModelCallsFor() {
  QFETCH(Model, model);
  QFETCH(QString, details);
  QFETCH(bool, toV200);
  QFETCH(bool, toTi92Plus);
  QFETCH(bool, toTi89);
  const QString path = InFolder(QStringLiteral("notes.") + orbisk::ExtensionOf(model));
  Write(path, TextFile(model, " x"));
  QVERIFY(form_->Open(path));
  form_->show();
  // The variable's size: cursor, " x", 00 E0.
  QCOMPARE(Control<QLabel>("details")->text(),
           details + QStringLiteral(" · 6 octets sur 65\u202F535"));
  QCOMPARE(Control<QLineEdit>("folder")->text(), QStringLiteral("main"));
  QCOMPARE(Control<QLineEdit>("name")->text(), QStringLiteral("notes"));
  QCOMPARE(Control<QPushButton>("toV200")->isVisible(), toV200);
  QCOMPARE(Control<QPushButton>("toTi92Plus")->isVisible(), toTi92Plus);
  QCOMPARE(Control<QPushButton>("toTi89")->isVisible(), toTi89);
  // The captions, each with its access key.
  QCOMPARE(Control<QPushButton>("toV200")->text(), QStringLiteral("&Convertir vers Voyager 200"));
  QCOMPARE(Control<QPushButton>("toTi92Plus")->text(), QStringLiteral("Convertir vers &TI92+"));
  QCOMPARE(Control<QPushButton>("saveAsText")->text(), QStringLiteral("Enregistrer en te&xte…"));
  QCOMPARE(Control<QPushButton>("close")->text(), QStringLiteral("Fer&mer"));
}

void TestEditorReading::aFileThatIsNoTextIsReportedAndNotShown() {
  QByteArray spoilt = TextFile(Model::Ti92Plus, " x");
  spoilt[0] = '\x01';
  Write(InFolder("bad.9xt"), spoilt);
  QVERIFY(!form_->Open(InFolder("bad.9xt")));
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages[0].icon, Dialogs::Icon::Critical);
  QCOMPARE(dialogs_->messages[0].caption, QStringLiteral("Orbisk"));
  QCOMPARE(dialogs_->messages[0].text,
           "Impossible de lire " + InFolder("bad.9xt") +
               " : sa signature « \\x01*TI92P* » n'est celle d'aucun fichier de TI-89, de TI-92 "
               "Plus ou de Voyager 200.");
  QCOMPARE(form_->windowTitle(), QStringLiteral("Nouveau texte – Orbisk"));
}

// A damaged file's text is shown, with what is wrong; "Réparer" mends it, keeping the old
// one, and the warning goes.
void TestEditorReading::aDamagedFileIsShownWithItsWarningAndCanBeRepaired() {
  QByteArray spoilt = TextFile(Model::Ti92Plus, " Bonjour");
  spoilt[spoilt.size() - 1] = 0x7F;
  Write(InFolder("bad.9xt"), spoilt);
  QVERIFY(form_->Open(InFolder("bad.9xt")));
  form_->show();
  QCOMPARE(Control<CalculatorTextView>("text")->toPlainText(), QStringLiteral("Bonjour"));
  QVERIFY(Control<QLabel>("warning")->isVisible());
  QCOMPARE(Control<QLabel>("warning")->text(),
           "Avertissement : " + InFolder("bad.9xt") +
               " : la somme de contrôle est fausse ; le texte est lu tel quel. « Réparer », "
               "dans l'éditeur, le remet en état.");
  auto* repair = Control<QPushButton>("repair");
  QVERIFY(repair->isVisible());
  QCOMPARE(repair->text(), QStringLiteral("&Réparer"));
  QCOMPARE(dialogs_->messages.size(), 0);

  repair->click();
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages[0].caption, QStringLiteral("Réparation terminée"));
  QCOMPARE(dialogs_->messages[0].text,
           InFolder("bad.9xt") +
               " : réparé ; refait : la somme de contrôle ; l'ancien est gardé "
               "dans " +
               InFolder("bad.9xt~"));
  QCOMPARE(Read(InFolder("bad.9xt")), TextFile(Model::Ti92Plus, " Bonjour"));
  QCOMPARE(Read(InFolder("bad.9xt~")), spoilt);
  QVERIFY(!Control<QLabel>("warning")->isVisible());
  QVERIFY(!repair->isVisible());
}

void TestEditorReading::convertsWithTheQuestionAndTheCompletionMessage() {
  QVERIFY(form_->Open(InFolder("notes.9xt")));
  Control<QPushButton>("toV200")->click();
  QVERIFY(Read(InFolder("notes.v2t")).startsWith("**TI92P*"));
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages[0].icon, Dialogs::Icon::Information);
  QCOMPARE(dialogs_->messages[0].caption, QStringLiteral("Conversion terminée"));
  QCOMPARE(dialogs_->messages[0].text, "Conversion de " + InFolder("notes.9xt") + " vers " +
                                           InFolder("notes.v2t") + " terminé avec succès");

  // Once it exists, the same question as the main window's; No keeps it, and says nothing.
  Write(InFolder("notes.v2t"), "kept");
  dialogs_->yesNoAnswers << false;
  Control<QPushButton>("toV200")->click();
  QCOMPARE(dialogs_->questions.size(), 1);
  QCOMPARE(dialogs_->questions[0].text,
           InFolder("notes.v2t") + " existe déjà. Voulez-vous l'écraser ?");
  QCOMPARE(Read(InFolder("notes.v2t")), QByteArray("kept"));
  QCOMPARE(dialogs_->messages.size(), 1);
}

// A program in text form shows its lines as they are, and converts under a program's name.
void TestEditorReading::showsAProgramAndConvertsItAsAProgram() {
  orbisk::TextVariable variable;
  variable.model = Model::Ti89;
  variable.name = "prog";
  variable.type = 0x12;
  variable.text = orbisk::CalculatorText::FromPlainCodes("()\rPrgm\rDisp \x88\rEndPrgm");
  Write(InFolder("prog.89p"),
        QByteArray::fromStdString(orbisk::WriteTextFile(variable, "23/02/03, 14:09")));
  QVERIFY(form_->Open(InFolder("prog.89p")));
  auto* text = Control<CalculatorTextView>("text");
  QCOMPARE(text->toPlainText(), QStringLiteral("()\nPrgm\nDisp θ\nEndPrgm"));
  QCOMPARE(text->Document()->MarginMark(1), QString());
  Control<QPushButton>("toV200")->click();
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages[0].text, "Conversion de " + InFolder("prog.89p") + " vers " +
                                           InFolder("prog.v2p") + " terminé avec succès");
  QVERIFY(Read(InFolder("prog.v2p")).startsWith("**TI92P*"));
}

// A function received from a calculator, tokenized: shown as the calculator's editor shows
// it, said in the status line until it is saved, and saved in text form.
void TestEditorReading::readsATokenizedProgramAsTextAndSavesItInTextForm() {
  QFile::copy(QStringLiteral(ORBISK_TEST_DATA "/modsim/modsim.skews.89f"), InFolder("skews.89f"));
  QFile(InFolder("skews.89f")).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
  QVERIFY(form_->Open(InFolder("skews.89f")));
  auto* text = Control<CalculatorTextView>("text");
  QVERIFY(text->toPlainText().startsWith(QStringLiteral(
      "(invec)\nFunc\nLocal invec,ssmat\nnewMat(3,3)→ssmat\n−invec[3,1]→ssmat[1,2]\n")));
  QVERIFY(Control<QLabel>("details")->text().endsWith(
      QStringLiteral(" · tokenisé : sera enregistré en texte")));
  // The longer status takes the room there is: the window needs no more width for it.
  QVERIFY(form_->minimumSizeHint().width() <= 720);
  QCOMPARE(dialogs_->messages.size(), 0);
  text->moveCursor(QTextCursor::End);
  text->insertPlainText(QStringLiteral("\n"));
  QVERIFY(form_->Save());
  QVERIFY(!Control<QLabel>("details")->text().contains(QStringLiteral("tokenisé")));
  const std::string saved = Read(InFolder("skews.89f")).toStdString();
  const orbisk::FileReport report = orbisk::CheckVariableFile(saved, saved.size(), "skews.89f");
  QVERIFY(report.problems.empty());
  QVERIFY(!report.tokenized);
  QVERIFY(report.text);
  QCOMPARE(QString::fromStdString(orbisk::TextToUtf8(report.text->text, orbisk::Notation::Program)),
           text->toPlainText() + QStringLiteral("\n"));
}

// A group: its texts and programs listed by folder and name, each shown when chosen, the one
// shown extracted or saved as text, and the whole group converted under a group's name.
void TestEditorReading::showsEachTextOfAGroupAndExtractsOne() {
  orbisk::VariableFile group;
  group.signature = orbisk::Signature::Ti89;
  group.group = true;
  const auto add = [&group](const char* folder, const char* name, unsigned char type,
                            const std::string& data) {
    orbisk::VariableEntry& entry = group.entries.emplace_back();
    entry.folder = folder;
    entry.name = name;
    entry.type = type;
    entry.data = data;
  };
  add("main", "notes", 0x0B,
      orbisk::VariableDataOfText(0x0B, orbisk::CalculatorText::FromCodes(" Bonjour")));
  add("main", "l1", 0x04, std::string("\x00\x00\xD9", 3));  // no text: not listed
  add("cours", "prog", 0x12,
      orbisk::VariableDataOfText(0x12,
                                 orbisk::CalculatorText::FromPlainCodes("()\rPrgm\rEndPrgm")));
  Write(InFolder("cours.89g"), QByteArray::fromStdString(orbisk::WriteVariableFile(group)));
  QVERIFY(form_->Open(InFolder("cours.89g")));
  auto* variables = Control<QComboBox>("variables");
  QVERIFY(variables->isVisibleTo(form_.get()));
  QCOMPARE(variables->count(), 2);
  QCOMPARE(variables->itemText(0), QStringLiteral("main\\notes"));
  QCOMPARE(variables->itemText(1), QStringLiteral("cours\\prog"));
  auto* text = Control<CalculatorTextView>("text");
  QCOMPARE(text->toPlainText(), QStringLiteral("Bonjour"));
  variables->setCurrentIndex(1);
  emit variables->activated(1);
  QCOMPARE(text->toPlainText(), QStringLiteral("()\nPrgm\nEndPrgm"));
  QVERIFY(Control<QLabel>("details")->text().contains(QStringLiteral("prog")));
  // Its type is shown, and not changed here: it is read, not edited.
  auto* type = Control<QComboBox>("type");
  QCOMPARE(type->currentText(), QStringLiteral("Programme"));
  QVERIFY(!type->isEnabled());

  dialogs_->fileAnswers << InFolder("jeu.89p") << InFolder("jeu.txt");
  Control<QPushButton>("extract")->click();
  QCOMPARE(dialogs_->fileRequests[0].proposedName, InFolder("prog.89p"));
  QCOMPARE(dialogs_->fileRequests[0].title, QStringLiteral("Extraire la variable"));
  // Every model's file is offered, the group's first.
  QCOMPARE(dialogs_->fileRequests[0].nameFilters.mid(0, 3),
           (QStringList{QStringLiteral("Fichier TI-89 (*.89p) (*.89p)"),
                        QStringLiteral("Fichier TI92+ (*.9xp) (*.9xp)"),
                        QStringLiteral("Fichier Voyager 200 (*.v2p) (*.v2p)")}));
  const std::string bytes = Read(InFolder("jeu.89p")).toStdString();
  const orbisk::ParsedFile extracted = orbisk::ParseVariableFile(bytes, bytes.size());
  QVERIFY(extracted.problems.empty());
  QCOMPARE(extracted.file.entries.size(), std::size_t{1});
  QVERIFY(extracted.file.entries[0] == group.entries[2]);
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages[0].text, "Variable cours\\prog de " + InFolder("cours.89g") +
                                           " extraite dans " + InFolder("jeu.89p"));
  Control<QPushButton>("saveAsText")->click();
  QCOMPARE(dialogs_->fileRequests[1].proposedName, InFolder("prog.txt"));
  QCOMPARE(QString::fromUtf8(Read(InFolder("jeu.txt"))), QStringLiteral("()\nPrgm\nEndPrgm\n"));
  Control<QPushButton>("toV200")->click();
  QVERIFY(Read(InFolder("cours.v2g")).startsWith("**TI92P*"));
  // A name without an extension, chosen under a filter, is that model's file.
  dialogs_->fileAnswers << InFolder("jeu2");
  dialogs_->filterAnswers << 2;
  Control<QPushButton>("extract")->click();
  QVERIFY(Read(InFolder("jeu2.v2p")).startsWith("**TI92P*"));
  QCOMPARE(Read(InFolder("jeu2.v2p")).mid(0x40, 5), QByteArray("prog\0", 5));

  // A text opened after it hides what only a group has.
  QVERIFY(form_->Open(InFolder("notes.9xt")));
  QVERIFY(!variables->isVisibleTo(form_.get()));
  QVERIFY(!Control<QPushButton>("extract")->isVisibleTo(form_.get()));
  QVERIFY(type->isEnabled());
  QCOMPARE(type->currentText(), QStringLiteral("Texte"));
}

void TestEditorReading::savesAsTextWhereTheSaveDialogSays() {
  QVERIFY(form_->Open(InFolder("notes.9xt")));
  dialogs_->fileAnswers << std::nullopt << InFolder("chosen.txt");
  Control<QPushButton>("saveAsText")->click();
  QCOMPARE(Read(InFolder("notes.txt")), QByteArray("<missing>"));
  Control<QPushButton>("saveAsText")->click();
  QCOMPARE(dialogs_->fileRequests.size(), 2);
  QCOMPARE(dialogs_->fileRequests[0].kind, Dialogs::FileDialogKind::Save);
  QCOMPARE(dialogs_->fileRequests[0].proposedName, InFolder("notes.txt"));
  QCOMPARE(dialogs_->fileRequests[0].nameFilters,
           (QStringList{"Texte (*.txt) (*.txt)", "Tous les fichiers (*.*) (*)"}));
  QCOMPARE(QString::fromUtf8(Read(InFolder("chosen.txt"))),
           QStringLiteral("Bonjour\nC│Disp 1\nP│f(2)\n␌│\n│\nπ≤␊\n"));
  QCOMPARE(dialogs_->messages.size(), 1);
  // Saving as text is no conversion.
  QCOMPARE(dialogs_->messages[0].caption, QStringLiteral("Texte enregistré"));
  QCOMPARE(dialogs_->messages[0].text,
           "Texte de " + InFolder("notes.9xt") + " enregistré dans " + InFolder("chosen.txt"));
}

void TestEditorReading::aDroppedFileIsOpenedInTheViewer() {
  QVERIFY(form_->Open(InFolder("notes.9xt")));
  Write(InFolder("other.89t"), TextFile(Model::Ti89, " autre"));
  Write(InFolder("bad.89t"), QByteArray("not a calculator file\0", 22));
  const auto drop = [this](const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent dropped(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form_.get(), &dropped);
  };
  drop(InFolder("other.89t"));
  QCOMPARE(form_->windowTitle(), QStringLiteral("other.89t – Orbisk"));
  QCOMPARE(Control<CalculatorTextView>("text")->toPlainText(), QStringLiteral("autre"));
  // What is neither a calculator file nor a text is reported, and the text shown stays.
  drop(InFolder("bad.89t"));
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages[0].icon, Dialogs::Icon::Critical);
  QCOMPARE(form_->windowTitle(), QStringLiteral("other.89t – Orbisk"));
}

// The view's faces, or the faces the system falls back on, draw every character of the
// calculators (the packages of the build and of the Debian package provide them).
void TestEditorReading::everyCalculatorCharacterHasAFaceToDrawIt() {
  QList<QRawFont> faces;
  for (const QString& family : QFontDatabase::families()) {
    faces << QRawFont::fromFont(QFont(family));
  }
  QStringList missing;
  for (unsigned code = 0; code < 256; ++code) {
    const QString character =
        QString::fromStdString(orbisk::CharacterOf(static_cast<unsigned char>(code)));
    for (const uint ucs4 : character.toUcs4()) {
      const bool drawn = std::any_of(faces.begin(), faces.end(), [ucs4](const QRawFont& face) {
        return face.isValid() && face.supportsCharacter(ucs4);
      });
      if (!drawn) missing << QString::number(ucs4, 16);
    }
  }
  QVERIFY2(missing.isEmpty(), qPrintable("no face for U+" + missing.join(", U+")));
}

QTEST_MAIN(TestEditorReading)
void TestEditorReading::noTwoThingsShownShareAnAccessKey_data() {
  QTest::addColumn<QString>("shown");
  QTest::newRow("a text") << "text";
  QTest::newRow("a damaged file, with Réparer") << "damaged";
  QTest::newRow("a group, with Extraire") << "group";
}

// Alt and a letter reaches one thing: the menus, and the buttons and fields the window
// shows at once, each have a key of their own.
void TestEditorReading::noTwoThingsShownShareAnAccessKey() {
  QFETCH(QString, shown);
  if (shown == QLatin1String("damaged")) {
    QByteArray spoilt = TextFile(Model::Ti92Plus, " Bonjour");
    spoilt[spoilt.size() - 1] = 0x7F;
    Write(InFolder("bad.9xt"), spoilt);
    QVERIFY(form_->Open(InFolder("bad.9xt")));
  } else if (shown == QLatin1String("group")) {
    orbisk::VariableFile group;
    group.signature = orbisk::Signature::Ti89;
    group.group = true;
    for (const char* name : {"a", "b"}) {
      orbisk::VariableEntry& entry = group.entries.emplace_back();
      entry.folder = "main";
      entry.name = name;
      entry.type = 0x0B;
      entry.data = orbisk::VariableDataOfText(0x0B, orbisk::CalculatorText::FromCodes(" x"));
    }
    Write(InFolder("g.89g"), QByteArray::fromStdString(orbisk::WriteVariableFile(group)));
    QVERIFY(form_->Open(InFolder("g.89g")));
  } else {
    QVERIFY(form_->Open(InFolder("notes.9xt")));
  }
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  QMap<QChar, QString> keys;
  const auto take = [&keys](const QString& text) {
    const qsizetype at = QString(text).replace(QStringLiteral("&&"), QString()).indexOf('&');
    if (at < 0) return;
    const QChar key = QString(text).replace(QStringLiteral("&&"), QString()).at(at + 1).toLower();
    QVERIFY2(!keys.contains(key), qPrintable(text + " and " + keys.value(key)));
    keys.insert(key, text);
  };
  for (QAction* menu : form_->findChild<QMenuBar*>(QStringLiteral("menus"))->actions()) {
    take(menu->text());
  }
  for (QAbstractButton* button : form_->findChildren<QAbstractButton*>()) {
    if (button->isVisibleTo(form_.get())) take(button->text());
  }
  for (QLabel* label : form_->findChildren<QLabel*>()) {
    if (label->buddy() != nullptr && label->isVisibleTo(form_.get())) take(label->text());
  }
  QVERIFY(keys.contains('r') == (shown != QLatin1String("text")));
}

#include "tst_editor_reading.moc"
