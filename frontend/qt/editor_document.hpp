// One calculator text being edited and the file it belongs to: where the file is, the model
// it is for, the variable's type, folder and name, what a save keeps of the file's header,
// whether the text has changes, and the recovery copy kept of them until they are saved or
// set aside. Everything it reads or writes goes through the engine; it asks the user
// nothing itself (the questions of a save go to the Interaction it is given).
#pragma once

#include <QObject>
#include <QTextCursor>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "calculator_text_document.hpp"
#include "engine.hpp"
#include "model.hpp"
#include "recovery_copy.hpp"
#include "variable_types.hpp"

class QTimer;

namespace orbisk {

class EditorDocument final : public QObject {
  Q_OBJECT

 public:
  explicit EditorDocument(Engine& engine, QObject* parent = nullptr);
  ~EditorDocument() override;

  // An empty text for `model`, with no file yet; for a program or a function, one with its
  // arguments and the lines that frame it, as the calculator's editor makes them.
  void New(Model model, unsigned char type = types::kText);
  // Reads the text variable in the file `path`, or a text file (UTF-8 or a 7-bit export)
  // made into a new Voyager 200 text named after it, which then has changes. On an error
  // (IsAGroup for a group) nothing changes.
  Status Open(const std::string& path);
  // Takes the text a recovery copy holds, with changes; false when it holds none.
  bool Restore(const RecoveryCopy& copy);

  // The size of the variable the text makes, to check against what a variable holds.
  std::size_t VariableSize() const;
  // The file the text makes for `model`.
  VariableFile FileFor(Model model) const;
  // Writes the text for `model` into `target`, which becomes the document's file, without
  // changes. The file read (or last saved) is replaced without a question unless it
  // changed on disk since.
  Status SaveTo(const std::string& target, Model model, Interaction& user);
  // Whether the document's file changed on disk since it was read or saved.
  bool ChangedOnDisk() const;
  // Makes the text a variable of `type`, with a change: a program or a function becomes a
  // text of ordinary lines; a text of ordinary lines that reads as a program (its arguments,
  // then Prgm) or a function (then Func) becomes one. False, changing nothing, otherwise.
  bool Retype(unsigned char type);

  // How long after the last change the recovery copy is written.
  void SetRecoveryDelay(int milliseconds);
  // Writes the recovery copy of a text with changes now; says recoveryNotKept on failure.
  void KeepRecoveryCopy();
  // The text was saved or set aside: its copy goes.
  void DropRecoveryCopy();

  CalculatorTextDocument* TextDocument() const { return text_; }
  // The text as it stands, with the cursor SetCursor gave.
  CalculatorText Text() const { return text_->Text(cursor_); }
  const QTextCursor& Cursor() const { return cursor_; }
  void SetCursor(const QTextCursor& cursor) { cursor_ = cursor; }
  // The file, as bytes: empty for a new text; for a text file read, the file a save makes
  // beside it.
  const std::string& Path() const { return path_; }
  // Whether the path names the file read or saved, which a save goes over unasked.
  bool HasFile() const { return opened_.has_value(); }
  Model TextModel() const { return model_; }
  unsigned char Type() const { return type_; }
  const std::string& Folder() const { return folder_; }
  const std::string& Name() const { return name_; }
  // Takes a folder or variable name in lower case, with a change, when the calculators
  // would take it; false, changing nothing, when they would not.
  bool SetFolder(const std::string& typed) { return SetVariableName(typed, folder_); }
  // Whether the calculators would take `typed` as a folder or variable name.
  static bool NamesAVariable(const std::string& typed);
  bool SetName(const std::string& typed);
  bool IsModified() const { return text_->isModified(); }
  // A program read from its tokens, not yet saved (a save writes it in text form).
  bool Tokenized() const { return opened_ && opened_->tokenized; }
  // What reading the file found wrong with it, or told of it.
  const std::vector<Warning>& Warnings() const { return warnings_; }
  // Whether the file read is damaged in a way a repair mends.
  bool Repairable() const { return repairable_; }

 signals:
  // The file, its model, type or variable's names changed: what shows them is to be redone.
  void fileChanged();
  void recoveryNotKept(const Error& error);

 private:
  // Takes `text` of a variable of `type` for `model`, with the header to keep when saved.
  void Take(const CalculatorText& text, Model model, unsigned char type, const VariableFile& base);
  // Holds `text` in the notation of the document's type, its cursor where the text has it.
  void ShowText(const CalculatorText& text);
  // The file the text makes for `model`, its variable named `name`.
  VariableFile FileNamed(Model model, const std::string& name) const;
  Status OpenTextFile(const std::string& path);
  bool SetVariableName(const std::string& typed, std::string& kept);

  Engine& engine_;
  CalculatorTextDocument* text_;
  QTextCursor cursor_;
  QTimer* recoveryTimer_;  // writes the recovery copy a while after the last change
  std::string path_;
  Model model_ = Model::Voyager200;
  unsigned char type_ = types::kText;
  // What a save keeps of the file: its header and the variable's attribute.
  VariableFile base_;
  std::optional<OpenedText> opened_;  // the file as read or saved
  std::string folder_ = "main";
  std::string name_;
  // The variable's name is a new text's default, or a text file's, and is never typed: it
  // follows the file the text is saved as, so that two notes do not share one name.
  bool nameFollowsFile_ = true;
  std::vector<Warning> warnings_;
  bool repairable_ = false;
  // The name this document's recovery copy is kept under, once one is.
  std::string recoveryKey_;
};

}  // namespace orbisk
