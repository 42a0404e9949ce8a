// The editor, driven headless with scripted dialogs on temporary files: typing, line kinds,
// characters the calculators lack, the palette, saving over the file or as each model, the
// questions about unsaved changes and files changed on disk, and failures that lose nothing.
#include <fcntl.h>
#include <sys/stat.h>
#include <utime.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QUrl>
#include <QXmlStreamReader>
#include <memory>

#include "application.hpp"
#include "character_palette.hpp"
#include "editor_fixture.hpp"
#include "faulty_file_system.hpp"
#include "file_check.hpp"
#include "find_bar.hpp"
#include "fixed_clock.hpp"
#include "local_engine.hpp"
#include "posix_file_system.hpp"
#include "qt_test_helpers.hpp"
#include "recent_files.hpp"
#include "scripted_dialogs.hpp"
#include "text_view.hpp"
#include "variable_file.hpp"

using orbisk::CalculatorTextView;
using orbisk::Dialogs;
using orbisk::EditorWindow;
using orbisk::LineKind;
using orbisk::Model;
using orbisk::testing::Read;
using orbisk::testing::Write;

Q_DECLARE_METATYPE(orbisk::Model)
Q_DECLARE_METATYPE(orbisk::Dialogs::SaveAnswer)

namespace {

// A TI92+ text in folder "cours", archived, whose comment has bytes of its own past the 31
// that tell the model.
QByteArray OpenedFile(const std::string& codes, std::uint16_t cursor = 1) {
  orbisk::VariableFile file =
      orbisk::NewTextFile(Model::Ti92Plus, "cours", "notes",
                          orbisk::CalculatorText::FromCodes(codes, cursor), "23/02/03, 14:09");
  file.comment += "maker";
  file.entries[0].attribute = 2;
  return QByteArray::fromStdString(orbisk::WriteVariableFile(file));
}

orbisk::ParsedFile Parsed(const QByteArray& bytes) {
  return orbisk::ParseVariableFile(bytes.toStdString(), static_cast<std::uint64_t>(bytes.size()));
}

// The text variable a file holds, checked as a file of its name.
orbisk::CalculatorText TextIn(const QString& path) {
  const std::string bytes = Read(path).toStdString();
  const orbisk::FileReport report =
      orbisk::CheckVariableFile(bytes, bytes.size(), path.toStdString());
  if (!report.problems.empty() || !report.text) return {};
  return report.text->text;
}

// Types `text` into `widget` as a keyboard would, character by character, whatever they are.
void Type(QWidget* widget, const QString& text) {
  for (int i = 0; i < text.size(); ++i) {
    const int units = text.at(i).isHighSurrogate() ? 2 : 1;
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text.mid(i, units));
    QApplication::sendEvent(widget, &press);
    i += units - 1;
  }
}

}  // namespace

class TestEditor : public QObject, orbisk::testing::EditorFixture {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY(orbisk::InstallFrenchTranslations(*qApp)); }
  void init();
  void cleanup();

  void offersEveryActionWithItsShortcut();
  void typedTextIsSavedOverTheOpenedFileKeepingItsHeader();
  void opensAtTheStoredCursorAndSavesWhereItStands();
  void linesChangeKindFromTheMenuAndTheMargin();
  void pastedTextTakesTheKindsItsMarksGive();
  void lineKindsUndoWithTheText_data();
  void lineKindsUndoWithTheText();
  void charactersTheCalculatorsLackAreMarkedCountedAndSavedAsQuestionMarks();
  void thePaletteFindsAndInsertsTheLastUsedFirst();
  void newProgramsAndFunctionsAreSavedInTextForm_data();
  void newProgramsAndFunctionsAreSavedInTextForm();
  void savesAsEachModel_data();
  void savesAsEachModel();
  void unsavedChangesAreAskedAboutOnClose_data();
  void unsavedChangesAreAskedAboutOnClose();
  void aFileChangedOnDiskIsAskedAboutBeforeItIsReplaced();
  void aTextTooLargeOrAFailedSaveLeavesTheTextAndTheFile();
  void aTextFileOpensAsANewCalculatorText();
  void theFolderAndNameAreCheckedAndSaved();
  void theVariableTakesTheFilesNameUntilOneIsTyped_data();
  void theTypeSavedIsTheOneTheExtensionSays_data();
  void theTypeSavedIsTheOneTheExtensionSays();
  void theVariableTakesTheFilesNameUntilOneIsTyped();
  void signsTypedInAProgramBecomeTheCalculators_data();
  void signsTypedInAProgramBecomeTheCalculators();
  void theDesktopsRecentListIsKeptWhole_data();
  void theDesktopsRecentListIsKeptWhole();
  void filesOpenedOrSavedAreListedInRecents();
  void theTypeIsChosenBesideTheName_data();
  void theTypeIsChosenBesideTheName();
  void findsReplacesAndGoesToALine();
  void convertsAChangedTextAsItStands();
  void aSaveThatFailsOnTheWayLeavesTheTextAndTheFile_data();
  void aSaveThatFailsOnTheWayLeavesTheTextAndTheFile();
  void comingBackToAWindowWhoseFileChangedOffersToReadItAgain_data();
  void comingBackToAWindowWhoseFileChangedOffersToReadItAgain();
  void theDocumentKnowsWhenItsFileChangedOnDisk_data();
  void theDocumentKnowsWhenItsFileChangedOnDisk();
  void unsavedChangesAreKeptAndOfferedAfterARunThatEnded_data();
  void unsavedChangesAreKeptAndOfferedAfterARunThatEnded();
};

void TestEditor::init() {
  SetUpEditor();
  Write(InFolder("notes.9xt"), OpenedFile(" Bonjour\rCDisp 1"));
}

void TestEditor::cleanup() { TearDownEditor(); }

void TestEditor::offersEveryActionWithItsShortcut() {
  const std::pair<const char*, QKeySequence> rows[] = {
      {"&Texte", QKeySequence::New},
      {"&Ouvrir…", QKeySequence::Open},
      {"&Enregistrer", QKeySequence::Save},
      {"Enregistrer &sous…", QKeySequence(QStringLiteral("Ctrl+Shift+S"))},
      {"&Fermer", QKeySequence(QStringLiteral("Ctrl+W"))},
      {"&Quitter", QKeySequence(QStringLiteral("Ctrl+Q"))},
      {"&Annuler", QKeySequence::Undo},
      {"&Rétablir", QKeySequence(QStringLiteral("Ctrl+Shift+Z"))},
      {"Rechercher le &suivant", QKeySequence(QStringLiteral("F3"))},
      {"Rechercher le &précédent", QKeySequence(QStringLiteral("Shift+F3"))},
      {"Rec&hercher…", QKeySequence(QStringLiteral("Ctrl+F"))},
      {"Rem&placer…", QKeySequence(QStringLiteral("Ctrl+H"))},
      {"Aller à la &ligne…", QKeySequence(QStringLiteral("Ctrl+L"))},
      {"Ligne de &commande (C)", QKeySequence(QStringLiteral("Ctrl+2"))},
      {"Zoom a&vant", QKeySequence::ZoomIn},
      {"Zoom a&rrière", QKeySequence::ZoomOut},
      {"&Taille normale", QKeySequence(QStringLiteral("Ctrl+0"))}};
  for (const auto& [text, keys] : rows) {
    QCOMPARE(Action(QString::fromUtf8(text))->shortcut(), keys);
  }
  QVERIFY(Action(QStringLiteral("Convertir vers TI-89")) != nullptr);
  QVERIFY(Action(QStringLiteral("&Rétablir"))->shortcuts().contains(QKeySequence("Ctrl+Y")));
  // Alt+E opens Édition: no button takes it.
  form_->show();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  QTest::keyClick(form_.get(), Qt::Key_E, Qt::AltModifier);
  QMenu* edit =
      Action(QStringLiteral("&Annuler"))->associatedObjects().isEmpty()
          ? nullptr
          : qobject_cast<QMenu*>(Action(QStringLiteral("&Annuler"))->associatedObjects()[0]);
  QVERIFY(edit != nullptr);
  QTRY_VERIFY(edit->isVisible());
  edit->close();
  Action(QStringLiteral("À &propos d'Orbisk"))->trigger();
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages[0].caption, QStringLiteral("À propos d'Orbisk"));
  QVERIFY(dialogs_->messages[0].text.startsWith(QStringLiteral("Orbisk 1.")));
  // The converter window is offered once the window has a way to open it.
  QAction* converter = Action(QStringLiteral("Fenêtre de con&version…"));
  QVERIFY(!converter->isVisible());
  int opened = 0;
  form_->SetConverterOpener([&opened] { ++opened; });
  QVERIFY(converter->isVisible());
  converter->trigger();
  QCOMPARE(opened, 1);
}

// Typing changes the text and marks the title; a save over the opened file asks nothing and
// keeps the signature, folder, comment and attribute, with the right sizes and checksum.
void TestEditor::typedTextIsSavedOverTheOpenedFileKeepingItsHeader() {
  const QByteArray before = Read(InFolder("notes.9xt"));
  QVERIFY(form_->Open(InFolder("notes.9xt")));
  QCOMPARE(form_->windowTitle(), QStringLiteral("notes.9xt – Orbisk"));
  Text()->moveCursor(QTextCursor::End);
  QTest::keyClicks(Text(), "+2");
  QVERIFY(form_->IsModified());
  QCOMPARE(form_->windowTitle(), QStringLiteral("*notes.9xt – Orbisk"));
  Action(QStringLiteral("&Annuler"))->trigger();
  Action(QStringLiteral("&Annuler"))->trigger();
  QCOMPARE(Text()->toPlainText(), QStringLiteral("Bonjour\nDisp 1"));
  Action(QStringLiteral("&Rétablir"))->trigger();
  Action(QStringLiteral("&Rétablir"))->trigger();

  QVERIFY(form_->Save());
  QVERIFY(dialogs_->questions.isEmpty());
  QVERIFY(dialogs_->messages.isEmpty());
  QVERIFY(!form_->IsModified());
  QCOMPARE(form_->windowTitle(), QStringLiteral("notes.9xt – Orbisk"));
  const orbisk::ParsedFile saved = Parsed(Read(InFolder("notes.9xt")));
  const orbisk::ParsedFile original = Parsed(before);
  QVERIFY(saved.problems.empty());
  QVERIFY(saved.file.signature == original.file.signature);
  QCOMPARE(saved.file.comment, original.file.comment);
  QCOMPARE(saved.file.folder, std::string("cours"));
  QCOMPARE(saved.file.entries[0].attribute, 2);
  QCOMPARE(saved.file.entries[0].name, std::string("notes"));
  QCOMPARE(TextIn(InFolder("notes.9xt")).Codes(), std::string(" Bonjour\rCDisp 1+2"));
}

void TestEditor::opensAtTheStoredCursorAndSavesWhereItStands() {
  // Cursor 4: after the command code and "Bon".
  Write(InFolder("notes.9xt"), OpenedFile(" Bonjour\rCDisp 1", 4));
  QVERIFY(form_->Open(InFolder("notes.9xt")));
  QCOMPARE(Text()->textCursor().blockNumber(), 0);
  QCOMPARE(Text()->textCursor().positionInBlock(), 3);
  // On the second line after "Di": 9 codes before it, its command code, two more.
  QTextCursor cursor(Text()->document()->findBlockByNumber(1));
  cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 2);
  Text()->setTextCursor(cursor);
  QCOMPARE(Text()->Text().cursor, 12);
  Text()->document()->setModified(true);
  QVERIFY(form_->Save());
  QCOMPARE(TextIn(InFolder("notes.9xt")).cursor, 12);
}

void TestEditor::linesChangeKindFromTheMenuAndTheMargin() {
  QVERIFY(form_->Open(InFolder("notes.9xt")));
  // The menu's action applies to every line the selection touches.
  QTextCursor cursor(Text()->document());
  cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  Text()->setTextCursor(cursor);
  Action(QStringLiteral("Ligne &PrintObj (P)"))->trigger();
  QCOMPARE(Text()->Document()->KindOfLine(0), LineKind::PrintObj);
  QCOMPARE(Text()->Document()->KindOfLine(1), LineKind::PrintObj);
  QVERIFY(form_->IsModified());
  // The margin's round: ordinary, command, PrintObj, page break, ordinary.
  const LineKind round[] = {LineKind::Ordinary, LineKind::Command, LineKind::PrintObj,
                            LineKind::PageBreak, LineKind::Ordinary};
  for (std::size_t i = 0; i + 1 < std::size(round); ++i) {
    QCOMPARE(orbisk::CalculatorTextDocument::NextKind(round[i]), round[i + 1]);
  }
  form_->resize(600, 400);
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  QWidget* margin = nullptr;
  for (QWidget* child : Text()->findChildren<QWidget*>()) {
    if (child->metaObject()->className() == QByteArray("QWidget") && child->x() <= 2 &&
        child->width() < 60 && child->height() > 100) {
      margin = child;
    }
  }
  QVERIFY(margin != nullptr);
  const int firstLineY =
      static_cast<int>(Text()->cursorRect(QTextCursor(Text()->document())).center().y());
  QTest::mouseClick(margin, Qt::LeftButton, {}, QPoint(5, firstLineY));
  QCOMPARE(Text()->Document()->KindOfLine(0), LineKind::PageBreak);
  QVERIFY(form_->Save());
  QCOMPARE(TextIn(InFolder("notes.9xt")).Codes(), std::string("\x0C"
                                                              "Bonjour\rPDisp 1"));
}

// A line's kind is part of the text: undone and redone with it, so that no edit and its undo
// leaves a kind on another line, and undoing back to the saved text leaves nothing unsaved.
// Each case ends saved, and the file read back.
void TestEditor::lineKindsUndoWithTheText_data() {
  QTest::addColumn<QString>("edit");
  QTest::addColumn<bool>("undo");
  QTest::addColumn<QByteArray>("saved");
  const QByteArray original(" Bonjour\rCDisp 1\r fin!");
  QTest::newRow("kind changed, undone") << "kind" << true << original;
  QTest::newRow("command line deleted, undone") << "delete" << true << original;
  QTest::newRow("lines joined, undone") << "join" << true << original;
  QTest::newRow("lines joined") << "join" << false << QByteArray(" BonjourDisp 1\r fin!");
  QTest::newRow("command line split")
      << "split" << false << QByteArray(" Bonjour\rCDi\rCsp 1\r fin!");
  QTest::newRow("marked lines pasted, undone") << "paste" << true << original;
  QTest::newRow("marked lines pasted")
      << "paste" << false << QByteArray(" Bonjour\rCDisp 1\rPy\rCz\r fin!");
}

void TestEditor::lineKindsUndoWithTheText() {
  QFETCH(QString, edit);
  QFETCH(bool, undo);
  QFETCH(QByteArray, saved);
  Write(InFolder("notes.9xt"), OpenedFile(" Bonjour\rCDisp 1\r fin"));
  QVERIFY(form_->Open(InFolder("notes.9xt")));
  QTextDocument* document = Text()->document();
  QTextCursor cursor(document->findBlockByNumber(1));
  if (edit == "kind") {
    Text()->Document()->SetKindOfLine(1, LineKind::Ordinary);
  } else if (edit == "delete") {
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
  } else if (edit == "join") {
    Text()->setTextCursor(cursor);
    QTest::keyClick(Text(), Qt::Key_Backspace);
  } else if (edit == "split") {
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 2);
    Text()->setTextCursor(cursor);
    QTest::keyClick(Text(), Qt::Key_Return);
  } else if (edit == "paste") {
    cursor.movePosition(QTextCursor::EndOfBlock);
    Text()->setTextCursor(cursor);
    QApplication::clipboard()->setText(QStringLiteral("\nP│y\nC│z"));
    Action(QStringLiteral("C&oller"))->trigger();
  }
  QVERIFY(form_->IsModified());
  if (undo) {
    QTest::keyClick(Text(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!form_->IsModified());
  }
  QTextCursor end(document);
  end.movePosition(QTextCursor::End);
  Text()->setTextCursor(end);
  Type(Text(), QStringLiteral("!"));
  QVERIFY(form_->Save());
  QCOMPARE(QByteArray::fromStdString(TextIn(InFolder("notes.9xt")).Codes()), saved);
}

void TestEditor::pastedTextTakesTheKindsItsMarksGive() {
  form_->NewText(Model::Voyager200);
  QApplication::clipboard()->setText(QStringLiteral("Titre\nC│Disp x\nP│y\n"));
  Action(QStringLiteral("C&oller"))->trigger();
  QCOMPARE(Text()->toPlainText(), QStringLiteral("Titre\nDisp x\ny"));
  QCOMPARE(Text()->Document()->KindOfLine(0), LineKind::Ordinary);
  QCOMPARE(Text()->Document()->KindOfLine(1), LineKind::Command);
  QCOMPARE(Text()->Document()->KindOfLine(2), LineKind::PrintObj);
  QCOMPARE(Text()->Text().Codes(), std::string(" Titre\rCDisp x\rPy"));
  // One undo takes the whole paste back.
  Action(QStringLiteral("&Annuler"))->trigger();
  QCOMPARE(Text()->toPlainText(), QString());
}

void TestEditor::charactersTheCalculatorsLackAreMarkedCountedAndSavedAsQuestionMarks() {
  form_->NewText(Model::Voyager200);
  Type(Text(), QStringLiteral("a日€π"));
  QCOMPARE(Text()->Document()->UnknownCount(), 2);
  QCOMPARE(Text()->Document()->UnknownAt(1), std::optional<QString>(QStringLiteral("日")));
  QCOMPARE(Text()->Document()->UnknownAt(3), std::nullopt);  // π is the calculators'
  // The status counts them, and the bytes they will take.
  QCOMPARE(Control<QLabel>("details")->text(),
           QStringLiteral("Voyager 200 · 9 octets sur 65\u202F535 · 2 caractères absents des "
                          "calculatrices (enregistrés « ? »)"));
  QCOMPARE(Text()->Text().Codes(), std::string(" a??\x8C"));
  QTest::keyClick(Text(), Qt::Key_Backspace);
  QTest::keyClick(Text(), Qt::Key_Backspace);
  QCOMPARE(Text()->Document()->UnknownCount(), 1);
  // The count follows lines as they go.
  Text()->clear();
  QCOMPARE(Text()->Document()->UnknownCount(), 0);
  QCOMPARE(Text()->Document()->CodeCount(), std::size_t{1});
}

void TestEditor::thePaletteFindsAndInsertsTheLastUsedFirst() {
  form_->NewText(Model::Voyager200);
  Action(QStringLiteral("Insérer un ca&ractère…"))->trigger();
  auto* palette = Control<orbisk::CharacterPalette>("palette");
  QVERIFY(palette->isVisibleTo(form_.get()));
  // Everything, grouped, when nothing is searched: 254 characters.
  QCOMPARE(palette->Listed().size(), std::size_t{254});
  auto* search = Control<QLineEdit>("characterSearch");
  search->setText(QStringLiteral("thêta"));
  QCOMPARE(palette->Listed().front(), 0x88);
  QTest::keyClick(search, Qt::Key_Return);
  search->setText(QStringLiteral("<="));
  QCOMPARE(palette->Listed().front(), 0x9C);
  QTest::keyClick(search, Qt::Key_Return);
  QCOMPARE(Text()->toPlainText(), QStringLiteral("θ≤"));
  // The last used come first, the latest at the top.
  search->clear();
  const std::vector<unsigned char> listed = palette->Listed();
  QCOMPARE(listed[0], 0x9C);
  QCOMPARE(listed[1], 0x88);
  QCOMPARE(listed.size(), std::size_t{256});
  // Shown at its narrowest, every name can be read whole: long ones go on to a second line.
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  palette->resize(palette->minimumWidth(), palette->height());
  auto* list = Control<QListWidget>("characters");
  QTRY_VERIFY(list->viewport()->width() <= palette->minimumWidth());
  for (int i = 0; i < list->count(); ++i) {
    QListWidgetItem* item = list->item(i);
    const QRect shown = list->visualItemRect(item);
    const QRect needed =
        QFontMetrics(item->font())
            .boundingRect(QRect(0, 0, shown.width() - 8, 10000), Qt::TextWordWrap, item->text());
    QVERIFY2(shown.right() <= list->viewport()->width() && needed.height() <= shown.height(),
             qPrintable(item->text()));
  }
}

void TestEditor::newProgramsAndFunctionsAreSavedInTextForm_data() {
  QTest::addColumn<QString>("action");
  QTest::addColumn<int>("type");
  QTest::addColumn<QString>("proposed");
  QTest::addColumn<QString>("frame");
  QTest::addColumn<QByteArray>("saved");
  QTest::newRow("program") << "&Programme" << 0x12 << "prog.v2p"
                           << "()\nPrgm\n\nEndPrgm" << QByteArray("()\rPrgm\rDisp 1\rEndPrgm");
  QTest::newRow("function") << "&Fonction" << 0x13 << "fonc.v2f"
                            << "()\nFunc\n\nEndFunc" << QByteArray("()\rFunc\rDisp 1\rEndFunc");
}

void TestEditor::newProgramsAndFunctionsAreSavedInTextForm() {
  QFETCH(QString, action);
  QFETCH(int, type);
  QFETCH(QString, proposed);
  QFETCH(QString, frame);
  QFETCH(QByteArray, saved);
  Action(action)->trigger();
  QCOMPARE(Text()->toPlainText(), frame);
  // Called what it is until it is saved.
  QCOMPARE(form_->windowTitle(), type == 0x12 ? QStringLiteral("Nouveau programme – Orbisk")
                                              : QStringLiteral("Nouvelle fonction – Orbisk"));
  QCOMPARE(Text()->Document()->TextNotation(), orbisk::Notation::Program);
  // Typed where the cursor starts: the first line inside the frame.
  QTest::keyClicks(Text(), "Disp 1");
  dialogs_->fileAnswers << InFolder("jeu");
  dialogs_->filterAnswers << 2;  // TI-89
  QVERIFY(form_->Save());
  QCOMPARE(dialogs_->fileRequests[0].proposedName, proposed);
  const QString written = InFolder(QStringLiteral("jeu.89") + proposed.right(1));
  const std::string bytes = Read(written).toStdString();
  const orbisk::FileReport report =
      orbisk::CheckVariableFile(bytes, bytes.size(), written.toStdString());
  QVERIFY(report.problems.empty());
  QVERIFY(report.text);
  QCOMPARE(int{report.text->type}, type);
  QCOMPARE(report.text->text.Codes(), saved.toStdString());
}

void TestEditor::savesAsEachModel_data() {
  QTest::addColumn<QString>("chosen");
  QTest::addColumn<int>("filter");
  QTest::addColumn<QString>("written");
  QTest::addColumn<Model>("model");
  QTest::addColumn<QByteArray>("signature");
  // The filters list the text's own model first: Voyager 200, TI92+, TI-89.
  QTest::newRow("by filter v2t") << "x" << 0 << "x.v2t" << Model::Voyager200
                                 << QByteArray("**TI92P*");
  QTest::newRow("by filter 9xt") << "x" << 1 << "x.9xt" << Model::Ti92Plus
                                 << QByteArray("**TI92P*");
  QTest::newRow("by filter 89t") << "x" << 2 << "x.89t" << Model::Ti89 << QByteArray("**TI89**");
  QTest::newRow("extension wins") << "y.89t" << 0 << "y.89t" << Model::Ti89
                                  << QByteArray("**TI89**");
}

void TestEditor::savesAsEachModel() {
  QFETCH(QString, chosen);
  QFETCH(int, filter);
  QFETCH(QString, written);
  QFETCH(Model, model);
  QFETCH(QByteArray, signature);
  form_->NewText(Model::Voyager200);
  QTest::keyClicks(Text(), "Bonjour");
  dialogs_->fileAnswers << InFolder(chosen);
  dialogs_->filterAnswers << filter;
  QVERIFY(form_->Save());
  QCOMPARE(dialogs_->fileRequests[0].proposedName, QStringLiteral("texte.v2t"));
  QCOMPARE(dialogs_->fileRequests[0].nameFilters.size(), 4);
  QCOMPARE(form_->Path(), InFolder(written).toStdString());
  const QByteArray bytes = Read(InFolder(written));
  QVERIFY(bytes.startsWith(signature));
  QCOMPARE(TextIn(InFolder(written)).Codes(), std::string(" Bonjour"));
  QCOMPARE(bytes.mid(18, 15),
           model == Model::Voyager200 ? QByteArray("TextObject file") : QByteArray(15, ' '));
  // Saved again, it goes over the same file without a dialog.
  QTest::keyClicks(Text(), "!");
  QVERIFY(form_->Save());
  QCOMPARE(dialogs_->fileRequests.size(), 1);
  QCOMPARE(TextIn(InFolder(written)).Codes(), std::string(" Bonjour!"));
}

void TestEditor::unsavedChangesAreAskedAboutOnClose_data() {
  QTest::addColumn<Dialogs::SaveAnswer>("answer");
  QTest::addColumn<bool>("closed");
  QTest::addColumn<QByteArray>("text");
  QTest::newRow("save") << Dialogs::SaveAnswer::Save << true << QByteArray(" Bonjour\rCDisp 1!");
  QTest::newRow("discard") << Dialogs::SaveAnswer::Discard << true
                           << QByteArray(" Bonjour\rCDisp 1");
  QTest::newRow("cancel") << Dialogs::SaveAnswer::Cancel << false
                          << QByteArray(" Bonjour\rCDisp 1");
}

void TestEditor::unsavedChangesAreAskedAboutOnClose() {
  QFETCH(Dialogs::SaveAnswer, answer);
  QFETCH(bool, closed);
  QFETCH(QByteArray, text);
  QVERIFY(form_->Open(InFolder("notes.9xt")));
  form_->show();
  // Nothing changed: closing asks nothing.
  QVERIFY(form_->close());
  form_->show();
  Text()->moveCursor(QTextCursor::End);
  QTest::keyClicks(Text(), "!");
  dialogs_->saveAnswers << answer;
  QCOMPARE(form_->close(), closed);
  QCOMPARE(dialogs_->questions.size(), 1);
  QCOMPARE(dialogs_->questions[0].text,
           QStringLiteral("Enregistrer les modifications de « notes.9xt » avant de fermer ?"));
  QCOMPARE(TextIn(InFolder("notes.9xt")).Codes(), text.toStdString());
  // Not saved, the changes are still there (until the window goes).
  QCOMPARE(form_->IsModified(), answer != Dialogs::SaveAnswer::Save);
}

void TestEditor::aFileChangedOnDiskIsAskedAboutBeforeItIsReplaced() {
  QVERIFY(form_->Open(InFolder("notes.9xt")));
  QTest::keyClicks(Text(), "x");
  const QByteArray changed = OpenedFile(" Changé");
  Write(InFolder("notes.9xt"), changed);
  const struct utimbuf later { ::time(nullptr) + 10, ::time(nullptr) + 10 };
  QCOMPARE(::utime(InFolder("notes.9xt").toLocal8Bit().constData(), &later), 0);
  dialogs_->yesNoAnswers << false << true;
  QVERIFY(!form_->Save());
  QCOMPARE(dialogs_->questions[0].text,
           InFolder("notes.9xt") +
               " a changé sur le disque depuis qu'il a été lu. Voulez-vous l'écraser ?");
  QCOMPARE(Read(InFolder("notes.9xt")), changed);
  QVERIFY(form_->IsModified());
  QVERIFY(form_->Save());
  QCOMPARE(TextIn(InFolder("notes.9xt")).Codes(), std::string(" xBonjour\rCDisp 1"));
  // Saved, it is the window's again: the next save asks nothing.
  QTest::keyClicks(Text(), "y");
  QVERIFY(form_->Save());
  QCOMPARE(dialogs_->questions.size(), 2);
}

void TestEditor::aTextTooLargeOrAFailedSaveLeavesTheTextAndTheFile() {
  const QByteArray before = Read(InFolder("notes.9xt"));
  QVERIFY(form_->Open(InFolder("notes.9xt")));
  // 65,532 codes of text take 65,536 bytes with the cursor and terminator: one too many.
  // Two lines: their command codes, 65,529 letters and the line end between them.
  Text()->selectAll();
  Text()->insertPlainText(QString(32765, QLatin1Char('a')) + QLatin1Char('\n') +
                          QString(32764, QLatin1Char('b')));
  QCOMPARE(Text()->Document()->CodeCount(), std::size_t{65532});
  QVERIFY(!form_->Save());
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages[0].text,
           QStringLiteral("Impossible d'enregistrer « %1 » : le texte ferait 65\u202F536 octets, "
                          "plus que les 65\u202F535 octets qu'une variable peut contenir. Rien "
                          "n'a été écrit.")
               .arg(InFolder("notes.9xt")));
  QCOMPARE(Read(InFolder("notes.9xt")), before);
  QVERIFY(form_->IsModified());
  // One code fewer fits.
  QTest::keyClick(Text(), Qt::Key_Backspace);
  QVERIFY(form_->Save());
  QCOMPARE(TextIn(InFolder("notes.9xt")).CodeCount(), std::size_t{65531});

  // A folder that does not exist: the reason, and nothing lost.
  QTest::keyClicks(Text(), "z");
  const QString text = Text()->toPlainText();
  dialogs_->fileAnswers << InFolder("missing/x.9xt");
  QVERIFY(!form_->SaveAs());
  QCOMPARE(dialogs_->messages.size(), 2);
  QVERIFY(dialogs_->messages[1].text.contains(QStringLiteral("missing")));
  QCOMPARE(Text()->toPlainText(), text);
  QVERIFY(form_->IsModified());
  QCOMPARE(form_->Path(), InFolder("notes.9xt").toStdString());
}

// A text file opened "with Orbisk" becomes a new Voyager 200 text named after it, to be
// saved beside it.
void TestEditor::aTextFileOpensAsANewCalculatorText() {
  Write(InFolder("Cours.txt"), "Bonjour θ\nC│Disp 1\n");
  QVERIFY(form_->Open(InFolder("Cours.txt")));
  QCOMPARE(Text()->toPlainText(), QStringLiteral("Bonjour θ\nDisp 1"));
  QCOMPARE(Text()->Document()->KindOfLine(1), LineKind::Command);
  QCOMPARE(Control<QLineEdit>("name")->text(), QStringLiteral("cours"));
  QVERIFY(form_->IsModified());
  dialogs_->fileAnswers << InFolder("Cours.v2t");
  QVERIFY(form_->Save());
  QCOMPARE(dialogs_->fileRequests[0].proposedName, InFolder("Cours.v2t"));
  QCOMPARE(TextIn(InFolder("Cours.v2t")).Codes(), std::string(" Bonjour \x88\rCDisp 1"));
  QCOMPARE(Read(InFolder("Cours.txt")), QByteArray("Bonjour θ\nC│Disp 1\n"));
}

void TestEditor::theFolderAndNameAreCheckedAndSaved() {
  QVERIFY(form_->Open(InFolder("notes.9xt")));
  auto* name = Control<QLineEdit>("name");
  auto* folder = Control<QLineEdit>("folder");
  auto* problem = Control<QLabel>("nameProblem");
  // Checked as it is typed: the field marked, the reason under it, no box; a name too long
  // is not cut.
  for (const QString& typed : {QStringLiteral("9lives"), QStringLiteral("beaucouptrop")}) {
    name->selectAll();
    QTest::keyClicks(name, typed);
    QCOMPARE(name->text(), typed);
    QVERIFY(problem->isVisibleTo(form_.get()));
    QVERIFY(problem->text().startsWith("« " + typed + " » ne peut pas nommer"));
    QVERIFY(!name->styleSheet().isEmpty());
    // Left, it gives the name back, the reason still said.
    emit name->editingFinished();
    QCOMPARE(name->text(), QStringLiteral("notes"));
    QVERIFY(name->styleSheet().isEmpty());
  }
  QVERIFY(dialogs_->messages.isEmpty());
  QVERIFY(!form_->IsModified());
  name->selectAll();
  QTest::keyClicks(name, QStringLiteral("Resum"));
  QVERIFY(!problem->isVisibleTo(form_.get()));
  name->setText(QStringLiteral("Resume"));
  emit name->editingFinished();
  folder->setText(QStringLiteral("maths"));
  emit folder->editingFinished();
  QCOMPARE(name->text(), QStringLiteral("resume"));
  QVERIFY(form_->IsModified());
  QVERIFY(form_->Save());
  const orbisk::ParsedFile saved = Parsed(Read(InFolder("notes.9xt")));
  QCOMPARE(saved.file.entries[0].name, std::string("resume"));
  QCOMPARE(saved.file.entries[0].folder, std::string("maths"));
}

void TestEditor::theVariableTakesTheFilesNameUntilOneIsTyped_data() {
  QTest::addColumn<QString>("start");  // "text", "program" or a file to open
  QTest::addColumn<QString>("typed");  // a name typed before saving, or none
  QTest::addColumn<QStringList>("savedAs");
  QTest::addColumn<QStringList>("names");  // the variable's name after each save
  QTest::newRow("a new text, saved twice")
      << "text"
      << "" << QStringList{"cours.89t", "devoir.89t"} << QStringList{"cours", "devoir"};
  QTest::newRow("a new program") << "program"
                                 << "" << QStringList{"aire.89p"} << QStringList{"aire"};
  QTest::newRow("a name typed stays")
      << "text"
      << "maths" << QStringList{"cours.89t"} << QStringList{"maths"};
  QTest::newRow("a file's own name stays")
      << "notes.9xt"
      << "" << QStringList{"copie.9xt"} << QStringList{"notes"};
  QTest::newRow("a file name that cannot name a variable")
      << "text"
      << "" << QStringList{"2024.89t"} << QStringList{"texte"};
}

void TestEditor::theVariableTakesTheFilesNameUntilOneIsTyped() {
  QFETCH(QString, start);
  QFETCH(QString, typed);
  QFETCH(QStringList, savedAs);
  QFETCH(QStringList, names);
  if (start == "text" || start == "program") {
    form_->NewText(Model::Ti89, start == "text" ? orbisk::types::kText : orbisk::types::kProgram);
  } else {
    QVERIFY(form_->Open(InFolder(start)));
  }
  auto* name = Control<QLineEdit>("name");
  if (!typed.isEmpty()) {
    name->setText(typed);
    emit name->editingFinished();
  }
  for (int i = 0; i < savedAs.size(); ++i) {
    dialogs_->fileAnswers << InFolder(savedAs[i]);
    QVERIFY(form_->SaveAs());
    QCOMPARE(Parsed(Read(InFolder(savedAs[i]))).file.entries[0].name, names[i].toStdString());
    // The field shows the name saved.
    QCOMPARE(name->text(), names[i]);
  }
}

void TestEditor::theTypeSavedIsTheOneTheExtensionSays_data() {
  QTest::addColumn<int>("startType");
  QTest::addColumn<QString>("typed");  // in place of the new text's own
  QTest::addColumn<QString>("savedAs");
  QTest::addColumn<int>("savedType");  // 0: refused, nothing written
  const QString program = QStringLiteral("()\nPrgm\nDisp 1\nEndPrgm");
  QTest::newRow("a text that reads as a program, as .89p")
      << 0x0B << program << "boucle2.89p" << 0x12;
  QTest::newRow("a text that reads as a function, as .9xf")
      << 0x0B << "(x)\nFunc\nReturn x\nEndFunc"
      << "carre.9xf" << 0x13;
  QTest::newRow("a plain text as .89p") << 0x0B << "Bonjour"
                                        << "notes.89p" << 0;
  QTest::newRow("a program as .89t") << 0x12 << program << "prog.89t" << 0x0B;
  QTest::newRow("a program as .89f") << 0x12 << program << "prog.89f" << 0;
  QTest::newRow("a text as .89t") << 0x0B << "Bonjour"
                                  << "notes.89t" << 0x0B;
}

void TestEditor::theTypeSavedIsTheOneTheExtensionSays() {
  QFETCH(int, startType);
  QFETCH(QString, typed);
  QFETCH(QString, savedAs);
  QFETCH(int, savedType);
  form_->NewText(Model::Ti89, static_cast<unsigned char>(startType));
  Text()->selectAll();
  Text()->insertPlainText(typed);
  dialogs_->fileAnswers << InFolder(savedAs);
  QCOMPARE(form_->SaveAs(), savedType != 0);
  if (savedType == 0) {
    QVERIFY(!QFileInfo::exists(InFolder(savedAs)));
    QCOMPARE(dialogs_->messages.size(), 1);
    QVERIFY(dialogs_->messages[0].text.startsWith(
        QStringLiteral("Impossible d'enregistrer « %1 » : c'est le nom d'")
            .arg(InFolder(savedAs))));
    QVERIFY(form_->IsModified());
    return;
  }
  const std::string bytes = Read(InFolder(savedAs)).toStdString();
  const orbisk::FileReport report = orbisk::CheckVariableFile(bytes, bytes.size(), "x.89t");
  QCOMPARE(report.type, static_cast<unsigned char>(savedType));
  QVERIFY(report.text.has_value());
  // What was typed, line for line, in the saved type's notation.
  QCOMPARE(QString::fromStdString(
               orbisk::TextToUtf8(report.text->text, orbisk::NotationOf(report.type))),
           typed + QLatin1Char('\n'));
}

void TestEditor::signsTypedInAProgramBecomeTheCalculators_data() {
  QTest::addColumn<int>("type");
  QTest::addColumn<QString>("typed");   // on the program's empty line, or in a new text
  QTest::addColumn<QString>("shown");   // that line as it then stands
  QTest::addColumn<QString>("undone");  // and after one Ctrl+Z
  QTest::newRow("store") << 0x12 << "5->"
                         << "5→"
                         << "5->";
  QTest::newRow("each comparison") << 0x12 << "If a<=b and c>=d and e/="
                                   << "If a≤b and c≥d and e≠"
                                   << "If a≤b and c≥d and e/=";
  QTest::newRow("in a function") << 0x13 << "x->"
                                 << "x→"
                                 << "x->";
  QTest::newRow("typing on") << 0x12 << "5->x"
                             << "5→x"
                             << "5→";
  QTest::newRow("not in a string") << 0x12 << "Disp \"a->"
                                   << "Disp \"a->"
                                   << "";
  QTest::newRow("not in a comment") << 0x12 << "©a->"
                                    << "©a->"
                                    << "";
  QTest::newRow("not in a text") << 0x0B << "a->"
                                 << "a->"
                                 << "";
}

void TestEditor::signsTypedInAProgramBecomeTheCalculators() {
  QFETCH(int, type);
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  QFETCH(QString, undone);
  form_->NewText(Model::Ti89, static_cast<unsigned char>(type));
  if (type != 0x0B) {
    // The empty line between Prgm (or Func) and its end.
    QTextCursor cursor = Text()->textCursor();
    cursor.setPosition(Text()->document()->findBlockByNumber(2).position());
    Text()->setTextCursor(cursor);
  }
  const int line = Text()->textCursor().blockNumber();
  Type(Text(), typed);
  QCOMPARE(Text()->document()->findBlockByNumber(line).text(), shown);
  if (undone.isEmpty()) return;
  Text()->undo();
  QCOMPARE(Text()->document()->findBlockByNumber(line).text(), undone);
}

namespace {

// A list as another program left it: a file of its own, and one Orbisk opens later.
const QByteArray kOthersList =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<xbel version=\"1.0\"\n"
    "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
    "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"\n>\n"
    "  <bookmark href=\"file:///home/l%C3%A9a/lettre.txt\" added=\"2026-01-02T10:00:00.000000Z\" "
    "modified=\"2026-01-02T10:00:00.000000Z\" visited=\"2026-01-02T10:00:00.000000Z\">\n"
    "    <info>\n      <metadata owner=\"http://freedesktop.org\">\n"
    "        <mime:mime-type type=\"text/plain\"/>\n"
    "        <bookmark:groups>\n          <bookmark:group>Notes</bookmark:group>\n"
    "        </bookmark:groups>\n"
    "        <bookmark:applications>\n"
    "          <bookmark:application name=\"gedit\" exec=\"&apos;gedit %u&apos;\" "
    "modified=\"2026-01-02T10:00:00.000000Z\" count=\"3\"/>\n"
    "        </bookmark:applications>\n      </metadata>\n    </info>\n  </bookmark>\n"
    "  <bookmark href=\"file:///home/l%C3%A9a/cours.89t\" added=\"2026-01-03T10:00:00Z\" "
    "modified=\"2026-01-03T10:00:00Z\" visited=\"2026-01-03T10:00:00Z\">\n"
    "    <info>\n      <metadata owner=\"http://freedesktop.org\">\n"
    "        <mime:mime-type type=\"application/x-ti89-text\"/>\n"
    "        <bookmark:applications>\n"
    "          <bookmark:application name=\"nautilus\" exec=\"&apos;nautilus %u&apos;\" "
    "modified=\"2026-01-03T10:00:00Z\" count=\"1\"/>\n"
    "        </bookmark:applications>\n      </metadata>\n    </info>\n  </bookmark>\n"
    "</xbel>\n";

}  // namespace

void TestEditor::theDesktopsRecentListIsKeptWhole_data() {
  QTest::addColumn<QByteArray>("before");
  QTest::addColumn<QStringList>("used");  // in turn
  QTest::addColumn<int>("apart");         // seconds between two uses
  QTest::addColumn<QStringList>("listed");
  QTest::addColumn<QString>("count");  // Orbisk's count on the last file's entry
  const QString cours = QStringLiteral("/home/léa/cours.89t");
  const QString prog = QStringLiteral("/home/léa/prog & co.89p");
  QTest::newRow("a new list") << QByteArray() << QStringList{cours} << 60 << QStringList{cours}
                              << "1";
  QTest::newRow("another program's file stays")
      << kOthersList << QStringList{prog} << 60 << QStringList{prog} << "1";
  QTest::newRow("a file another program used")
      << kOthersList << QStringList{cours} << 60 << QStringList{cours} << "1";
  QTest::newRow("used again: the latest first, counted")
      << kOthersList << QStringList{cours, prog, cours} << 60 << QStringList{cours, prog} << "2";
  QTest::newRow("used within the same millisecond: still the latest first")
      << QByteArray() << QStringList{cours, prog} << 0 << QStringList{prog, cours} << "1";
  QTest::newRow("the same millisecond, a file used again")
      << QByteArray() << QStringList{cours, prog, cours} << 0 << QStringList{cours, prog} << "2";
}

// What Orbisk writes into the desktop's list of recent files changes only its own: every
// entry and every part of one another program wrote stays as it was.
void TestEditor::theDesktopsRecentListIsKeptWhole() {
  QFETCH(QByteArray, before);
  QFETCH(QStringList, used);
  QFETCH(int, apart);
  QFETCH(QStringList, listed);
  QFETCH(QString, count);
  QByteArray list = before;
  QDateTime when(QDate(2026, 12, 10), QTime(9, 0), Qt::UTC);
  for (const QString& path : used) {
    list = orbisk::WithRecentFile(list, path, QStringLiteral("application/x-ti89-text"), when);
    QVERIFY(!list.isEmpty());
    when = when.addSecs(apart);
  }
  QCOMPARE(orbisk::RecentFilesIn(list), listed);
  // The other programs' words are all there, and the list reads as XML.
  for (const char* kept :
       {"<bookmark:group>Notes</bookmark:group>", "name=\"gedit\"", "count=\"3\"",
        "name=\"nautilus\"", "added=\"2026-01-03T10:00:00Z\"", "type=\"text/plain\""}) {
    QCOMPARE(list.contains(kept), before.contains(kept));
  }
  QXmlStreamReader reader(list);
  QString file;
  QString lastCount;
  while (!reader.atEnd()) {
    if (reader.readNext() != QXmlStreamReader::StartElement) continue;
    if (reader.name() == QLatin1String("bookmark")) {
      file = QUrl(reader.attributes().value(QLatin1String("href")).toString()).toLocalFile();
    } else if (file == used.last() &&
               reader.attributes().value(QLatin1String("name")) == QLatin1String("Orbisk") &&
               reader.qualifiedName() == QLatin1String("bookmark:application")) {
      lastCount = reader.attributes().value(QLatin1String("count")).toString();
    }
  }
  QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
  QCOMPARE(lastCount, count);
  // A list that cannot be read is not written over.
  QVERIFY(orbisk::WithRecentFile("<xbel><bookmark", "/a.89t", "text/plain", when).isEmpty());
}

void TestEditor::filesOpenedOrSavedAreListedInRecents() {
  Write(InFolder("cours.9xt"), OpenedFile(" Bonjour"));
  QVERIFY(form_->Open(InFolder("cours.9xt")));
  form_->NewText(Model::Ti89);
  Text()->insertPlainText(QStringLiteral("Nouveau"));
  dialogs_->fileAnswers << InFolder("neuf.89t");
  QVERIFY(form_->SaveAs());
  QVERIFY(QFileInfo::exists(InFolder("data/recently-used.xbel")));
  QCOMPARE(orbisk::RecentFiles(10), (QStringList{InFolder("neuf.89t"), InFolder("cours.9xt")}));
  // The menu lists them, the latest first, and opens the one chosen.
  auto* recent = form_->findChild<QMenu*>(QStringLiteral("recentFiles"));
  QVERIFY(recent != nullptr);
  emit recent->aboutToShow();
  const QList<QAction*> entries = recent->actions();
  QCOMPARE(entries.size(), 2);
  QCOMPARE(entries[0]->text(), "&1 neuf.89t — " + folder_->path());
  form_->NewText(Model::Ti89);
  entries[1]->trigger();
  QCOMPARE(QString::fromStdString(form_->Path()), InFolder("cours.9xt"));
  QCOMPARE(Text()->toPlainText(), QStringLiteral("Bonjour"));
  // A file gone is no longer offered.
  QVERIFY(QFile::remove(InFolder("neuf.89t")));
  emit recent->aboutToShow();
  QCOMPARE(recent->actions().size(), 1);
}

void TestEditor::theTypeIsChosenBesideTheName_data() {
  QTest::addColumn<int>("startType");
  QTest::addColumn<QString>("typed");  // in place of the new text's own
  QTest::addColumn<int>("chosen");
  QTest::addColumn<int>("typeAfter");
  QTest::addColumn<QString>("reason");  // the start of what is said under the fields
  QTest::addColumn<QString>("title");
  const QString program = QStringLiteral("()\nPrgm\nDisp 1\nEndPrgm");
  QTest::newRow("a text that reads as a program becomes one")
      << 0x0B << program << 0x12 << 0x12 << QString() << "*Nouveau programme – Orbisk";
  QTest::newRow("a text that reads as a function becomes one")
      << 0x0B << "(x)\nFunc\nReturn x\nEndFunc" << 0x13 << 0x13 << QString()
      << "*Nouvelle fonction – Orbisk";
  QTest::newRow("a plain text stays one, and says why")
      << 0x0B << "Bonjour" << 0x12 << 0x0B << "Ce texte ne peut pas devenir un programme : "
      << "*Nouveau texte – Orbisk";
  QTest::newRow("a program becomes a text")
      << 0x12 << program << 0x0B << 0x0B << QString() << "*Nouveau texte – Orbisk";
  QTest::newRow("a program does not become a function at once")
      << 0x12 << program << 0x13 << 0x12 << "Un programme ne devient pas une fonction d'un coup"
      << "*Nouveau programme – Orbisk";
}

void TestEditor::theTypeIsChosenBesideTheName() {
  QFETCH(int, startType);
  QFETCH(QString, typed);
  QFETCH(int, chosen);
  QFETCH(int, typeAfter);
  QFETCH(QString, reason);
  QFETCH(QString, title);
  form_->NewText(Model::Ti89, static_cast<unsigned char>(startType));
  auto* type = Control<QComboBox>("type");
  QCOMPARE(type->currentData().toInt(), startType);
  Text()->selectAll();
  Text()->insertPlainText(typed);
  type->setCurrentIndex(type->findData(chosen));
  emit type->activated(type->currentIndex());
  QCOMPARE(static_cast<int>(form_->Document().Type()), typeAfter);
  QCOMPARE(type->currentData().toInt(), typeAfter);
  QCOMPARE(form_->windowTitle(), title);
  auto* problem = Control<QLabel>("nameProblem");
  QCOMPARE(problem->isVisibleTo(form_.get()), !reason.isEmpty());
  if (!reason.isEmpty()) QVERIFY2(problem->text().startsWith(reason), qPrintable(problem->text()));
  // The text itself is unchanged, in the notation of the type it has.
  QCOMPARE(QString::fromStdString(orbisk::TextToUtf8(form_->Document().Text(),
                                                     orbisk::NotationOf(form_->Document().Type()))),
           typed + QLatin1Char('\n'));
  // Saved, it is a variable of that type.
  dialogs_->fileAnswers << InFolder(QStringLiteral("choisi"));
  QVERIFY(form_->SaveAs());
  const QString saved = QString::fromStdString(form_->Path());
  const std::string bytes = Read(saved).toStdString();
  QCOMPARE(static_cast<int>(orbisk::CheckVariableFile(bytes, bytes.size(), "x.89t").type),
           typeAfter);
}

void TestEditor::findsReplacesAndGoesToALine() {
  Write(InFolder("notes.9xt"), OpenedFile(" un deux\r un trois\r un"));
  QVERIFY(form_->Open(InFolder("notes.9xt")));
  Action(QStringLiteral("Rem&placer…"))->trigger();
  auto* bar = Control<orbisk::FindBar>("findBar");
  QVERIFY(bar->isVisibleTo(form_.get()));
  Control<QLineEdit>("findText")->setText(QStringLiteral("un"));
  Control<QLineEdit>("replaceText")->setText(QStringLiteral("1"));
  QVERIFY(bar->FindNext());
  QCOMPARE(Text()->textCursor().selectedText(), QStringLiteral("un"));
  bar->ReplaceOne();
  QCOMPARE(Text()->document()->firstBlock().text(), QStringLiteral("1 deux"));
  QCOMPARE(bar->ReplaceAll(), 2);
  QCOMPARE(Text()->toPlainText(), QStringLiteral("1 deux\n1 trois\n1"));
  // Replacing keeps each line's kind, and undoes as one change.
  QCOMPARE(Text()->Document()->KindOfLine(1), LineKind::Ordinary);
  Control<QLineEdit>("findText")->setText(QStringLiteral("quatre"));
  QVERIFY(!bar->FindNext());
  QCOMPARE(Control<QLabel>("findResult")->text(), QStringLiteral("« quatre » est introuvable."));
  Action(QStringLiteral("Aller à la &ligne…"))->trigger();
  QCOMPARE(Control<QSpinBox>("lineNumber")->maximum(), 3);
  bar->GoToLine(3);
  QCOMPARE(Text()->textCursor().blockNumber(), 2);
  // The status line says where the cursor is.
  QCOMPARE(Control<QLabel>("position")->text(), QStringLiteral("Ligne 3, colonne 1"));

  // Found as it is typed, every place marked; F3 and Shift+F3 go on either way, round the
  // text's ends.
  Text()->moveCursor(QTextCursor::Start);
  auto* wanted = Control<QLineEdit>("findText");
  wanted->clear();
  QTest::keyClicks(wanted, QStringLiteral("1"));
  QCOMPARE(Text()->extraSelections().size(), 3);
  QCOMPARE(Text()->textCursor().blockNumber(), 0);
  const std::pair<const char*, int> steps[] = {{"Rechercher le &suivant", 1},
                                               {"Rechercher le &suivant", 2},
                                               {"Rechercher le &suivant", 0},
                                               {"Rechercher le &précédent", 2}};
  for (const auto& [action, line] : steps) {
    Action(QString::fromUtf8(action))->trigger();
    QCOMPARE(Text()->textCursor().blockNumber(), line);
    QCOMPARE(Text()->textCursor().selectedText(), QStringLiteral("1"));
  }
  bar->setVisible(false);
  QVERIFY(Text()->extraSelections().isEmpty());
}

// A text with changes converts as it stands, not as its file was.
void TestEditor::convertsAChangedTextAsItStands() {
  QVERIFY(form_->Open(InFolder("notes.9xt")));
  QTest::keyClicks(Text(), "x");
  orbisk::testing::Control<QWidget>(form_.get(), "toTi89");
  Action(QStringLiteral("Convertir vers TI-89"))->trigger();
  QCOMPARE(TextIn(InFolder("notes.89t")).Codes(), std::string(" xBonjour\rCDisp 1"));
  QVERIFY(Read(InFolder("notes.89t")).startsWith("**TI89**"));
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages[0].caption, QStringLiteral("Conversion terminée"));
  // The window still holds its own file, with its changes.
  QVERIFY(form_->IsModified());
  QCOMPARE(form_->Path(), InFolder("notes.9xt").toStdString());

  // A new text has no folder of its own: where it goes is asked, and a Cancel writes nothing.
  const QStringList before = QDir(folder_->path()).entryList(QDir::Files);
  form_->NewText(Model::Voyager200);
  QTest::keyClicks(Text(), "Salut");
  dialogs_->fileAnswers << std::nullopt << InFolder("salut.89t");
  for (int attempt = 0; attempt < 2; ++attempt) {
    Action(QStringLiteral("Convertir vers TI-89"))->trigger();
  }
  QCOMPARE(dialogs_->fileRequests.size(), 2);
  QCOMPARE(dialogs_->fileRequests[0].proposedName, QStringLiteral("texte.89t"));
  QCOMPARE(QDir(folder_->path()).entryList(QDir::Files), before + QStringList{"salut.89t"});
  QCOMPARE(TextIn(InFolder("salut.89t")).Codes(), std::string(" Salut"));
  QCOMPARE(dialogs_->messages.size(), 2);
  QCOMPARE(dialogs_->messages[1].text,
           QStringLiteral("Conversion de Nouveau texte vers %1 terminé avec succès")
               .arg(InFolder("salut.89t")));
  QVERIFY(form_->Path().empty());
}

void TestEditor::aSaveThatFailsOnTheWayLeavesTheTextAndTheFile_data() {
  using orbisk::testing::Step;
  QTest::addColumn<int>("step");
  QTest::addColumn<int>("error");
  QTest::newRow("disk full") << static_cast<int>(Step::Write) << ENOSPC;
  QTest::newRow("sync fails") << static_cast<int>(Step::Sync) << EIO;
  QTest::newRow("put in place fails") << static_cast<int>(Step::Rename) << EIO;
  QTest::newRow("no unnamed file, no name") << static_cast<int>(Step::CreateUnnamed) << EACCES;
}

void TestEditor::aSaveThatFailsOnTheWayLeavesTheTextAndTheFile() {
  QFETCH(int, step);
  QFETCH(int, error);
  const QByteArray before = Read(InFolder("notes.9xt"));
  orbisk::testing::FaultyFileSystem faulty(files_);
  faulty.FailAt(static_cast<orbisk::testing::Step>(step), 0, error);
  if (step == static_cast<int>(orbisk::testing::Step::Rename)) {
    // Without unnamed files, the named temporary file is what gets renamed.
    faulty.FailAt(orbisk::testing::Step::CreateUnnamed, 0, EOPNOTSUPP);
  }
  orbisk::LocalEngine engine(faulty, clock_);
  EditorWindow form(engine, *dialogs_);
  QVERIFY(form.Open(InFolder("notes.9xt")));
  auto* text = orbisk::testing::Control<CalculatorTextView>(&form, "text");
  text->moveCursor(QTextCursor::End);
  QTest::keyClicks(text, "!");
  QVERIFY(!form.Save());
  QCOMPARE(dialogs_->messages.size(), 1);
  QCOMPARE(dialogs_->messages[0].icon, Dialogs::Icon::Critical);
  QVERIFY(dialogs_->messages[0].text.contains(InFolder("notes.9xt")));
  QCOMPARE(Read(InFolder("notes.9xt")), before);
  QCOMPARE(text->toPlainText(), QStringLiteral("Bonjour\nDisp 1!"));
  QVERIFY(form.IsModified());
  // Nothing is left beside it.
  QCOMPARE(QDir(folder_->path()).entryList(QDir::Files), QStringList{"notes.9xt"});
  dialogs_->saveAnswers << Dialogs::SaveAnswer::Discard;
}

void TestEditor::comingBackToAWindowWhoseFileChangedOffersToReadItAgain_data() {
  QTest::addColumn<bool>("modified");
  QTest::newRow("no changes") << false;
  QTest::newRow("changes, which would be lost") << true;
}

void TestEditor::comingBackToAWindowWhoseFileChangedOffersToReadItAgain() {
  QFETCH(bool, modified);
  QVERIFY(form_->Open(InFolder("notes.9xt")));
  if (modified) QTest::keyClicks(Text(), "!");
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  Write(InFolder("notes.9xt"), OpenedFile(" Chang\xE9"));
  const struct utimbuf later { ::time(nullptr) + 10, ::time(nullptr) + 10 };
  QCOMPARE(::utime(InFolder("notes.9xt").toLocal8Bit().constData(), &later), 0);
  dialogs_->yesNoAnswers << true;
  // Away to another window, then back.
  QWidget other;
  other.show();
  QApplication::setActiveWindow(&other);
  QTRY_VERIFY(!form_->isActiveWindow());
  QVERIFY(dialogs_->questions.isEmpty());
  QApplication::setActiveWindow(form_.get());
  QTRY_COMPARE(dialogs_->questions.size(), 1);
  QCOMPARE(dialogs_->questions[0].text,
           QStringLiteral("« %1 » a changé sur le disque. Voulez-vous le relire ?%2")
               .arg(InFolder("notes.9xt"), modified ? QStringLiteral(" Vos modifications seraient "
                                                                     "perdues.")
                                                    : QString()));
  QCOMPARE(Text()->toPlainText(), QStringLiteral("Changé"));
  QVERIFY(!form_->IsModified());
}

void TestEditor::theDocumentKnowsWhenItsFileChangedOnDisk_data() {
  QTest::addColumn<QString>("change");
  QTest::addColumn<bool>("changed");
  QTest::newRow("untouched") << "" << false;
  QTest::newRow("saved by the editor") << "save" << false;
  // Within the second it was read, to the same size: only the nanoseconds tell.
  QTest::newRow("rewritten in the same second") << "rewrite" << true;
  QTest::newRow("replaced by another file with its times") << "replace" << true;
  QTest::newRow("removed") << "remove" << false;
}

void TestEditor::theDocumentKnowsWhenItsFileChangedOnDisk() {
  QFETCH(QString, change);
  QFETCH(bool, changed);
  const QByteArray path = InFolder("notes.9xt").toLocal8Bit();
  struct stat read {};
  QCOMPARE(::stat(path.constData(), &read), 0);
  QVERIFY(form_->Open(InFolder("notes.9xt")));
  orbisk::EditorDocument& document = form_->Document();
  const QByteArray other = OpenedFile(" BonjouR\rCDisp 1");
  const timespec times[2] = {read.st_atim,
                             {read.st_mtim.tv_sec, (read.st_mtim.tv_nsec + 1) % 1000000000}};
  if (change == "save") {
    QTest::keyClicks(Text(), "!");
    QVERIFY(form_->Save());
  } else if (change == "rewrite") {
    Write(InFolder("notes.9xt"), other);
    QCOMPARE(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
  } else if (change == "replace") {
    Write(InFolder("new.9xt"), Read(InFolder("notes.9xt")));
    const timespec same[2] = {read.st_atim, read.st_mtim};
    QCOMPARE(::utimensat(AT_FDCWD, InFolder("new.9xt").toLocal8Bit().constData(), same, 0), 0);
    QCOMPARE(::rename(InFolder("new.9xt").toLocal8Bit().constData(), path.constData()), 0);
  } else if (change == "remove") {
    QVERIFY(QFile::remove(InFolder("notes.9xt")));
  }
  QCOMPARE(document.ChangedOnDisk(), changed);
}

void TestEditor::unsavedChangesAreKeptAndOfferedAfterARunThatEnded_data() {
  QTest::addColumn<bool>("newText");
  QTest::addColumn<bool>("restore");
  QTest::newRow("file, restored") << false << true;
  QTest::newRow("file, declined") << false << false;
  QTest::newRow("new text, restored") << true << true;
  QTest::newRow("new text, declined") << true << false;
}

void TestEditor::unsavedChangesAreKeptAndOfferedAfterARunThatEnded() {
  QFETCH(bool, newText);
  QFETCH(bool, restore);
  const QDir copies(InFolder("state/orbisk"));
  form_->Document().SetRecoveryDelay(5);
  if (newText) {
    form_->NewText(Model::Ti89);
  } else {
    QVERIFY(form_->Open(InFolder("notes.9xt")));
  }
  Text()->moveCursor(QTextCursor::End);
  QTest::keyClicks(Text(), "!");
  QTRY_COMPARE(copies.entryList(QDir::Files).size(), 1);
  const QString kept = copies.entryList(QDir::Files).front();
  // Its owner's only, in a folder only its owner enters.
  struct stat copy {
  }, folder{};
  QCOMPARE(::stat(copies.filePath(kept).toLocal8Bit().constData(), &copy), 0);
  QCOMPARE(::stat(copies.path().toLocal8Bit().constData(), &folder), 0);
  QCOMPARE(copy.st_mode & 0777, 0600u);
  QCOMPARE(folder.st_mode & 0777, 0700u);

  // While its window lives, the copy is its own: another window is not offered it.
  {
    EditorWindow other(*engine_, *dialogs_);
    if (newText) {
      other.NewText(Model::Voyager200);
      other.OfferNewTextRecovery();
    } else {
      QVERIFY(other.Open(InFolder("notes.9xt")));
    }
    QCOMPARE(dialogs_->questions.size(), 0);
  }
  // The run ends without saving (its window never closes): its engine, which held the
  // copy's lock, goes with it.
  form_.reset();
  engine_ = std::make_unique<orbisk::LocalEngine>(files_, clock_);
  const QString left = kept;

  form_ = std::make_unique<EditorWindow>(*engine_, *dialogs_);
  dialogs_->yesNoAnswers << restore;
  if (newText) {
    form_->NewText(Model::Voyager200);
    form_->OfferNewTextRecovery();
  } else {
    QVERIFY(form_->Open(InFolder("notes.9xt")));
  }
  QCOMPARE(dialogs_->questions.size(), 1);
  QCOMPARE(dialogs_->questions[0].text,
           newText ? QStringLiteral("Orbisk s'est arrêté sans enregistrer les modifications d'un "
                                    "nouveau texte. Voulez-vous les récupérer ?")
                   : QStringLiteral("Orbisk s'est arrêté sans enregistrer les modifications de « "
                                    "notes.9xt ». Voulez-vous les récupérer ?"));
  // Offered once: restored or not, the copy left goes.
  QVERIFY(!copies.exists(left));
  const QString shown = newText ? QStringLiteral("!") : QStringLiteral("Bonjour\nDisp 1!");
  QCOMPARE(Text()->toPlainText(), restore   ? shown
                                  : newText ? QString()
                                            : QStringLiteral("Bonjour\nDisp 1"));
  QCOMPARE(form_->IsModified(), restore);
  if (!restore) return;
  QCOMPARE(form_->windowTitle().startsWith(QLatin1Char('*')), true);
  if (newText) {
    // A TI-89 text it was, and is again.
    QVERIFY(Control<QLabel>("details")->text().startsWith(QStringLiteral("TI-89")));
    dialogs_->fileAnswers << InFolder("neuf");
  }
  QVERIFY(form_->Save());
  QVERIFY(dialogs_->questions.size() == 1);
  QCOMPARE(TextIn(InFolder(newText ? "neuf.89t" : "notes.9xt")).Codes(),
           newText ? std::string(" !") : std::string(" Bonjour\rCDisp 1!"));
  // Saved, the copy goes.
  QCOMPARE(copies.entryList(QDir::Files).size(), 0);
}

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
