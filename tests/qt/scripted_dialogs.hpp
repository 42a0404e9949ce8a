// A scripted stand-in for the dialogs: records everything shown and answers from a script.
#pragma once

#include <QList>
#include <QQueue>
#include <QTest>

#include "dialogs.hpp"

namespace orbisk::testing {

class ScriptedDialogs final : public Dialogs {
 public:
  struct Message {
    Icon icon;
    QString caption;
    QString text;
  };
  struct Question {
    QString caption;
    QString text;
    Icon icon = Icon::None;
  };

  void ShowMessage(Icon icon, const QString& caption, const QString& text) override {
    messages << Message{icon, caption, text};
  }
  bool AskYesNo(const QString& caption, const QString& question, Icon icon = Icon::None) override {
    questions << Question{caption, question, icon};
    if (yesNoAnswers.isEmpty()) {
      QTest::qFail("unexpected question", __FILE__, __LINE__);
      return false;
    }
    return yesNoAnswers.dequeue();
  }
  // A file answer of std::nullopt stands for Cancel.
  std::optional<QString> ChooseFile(const FileRequest& request) override {
    fileRequests << request;
    if (fileAnswers.isEmpty()) {
      QTest::qFail("unexpected file dialog", __FILE__, __LINE__);
      return std::nullopt;
    }
    return fileAnswers.dequeue();
  }

  // A save answer of std::nullopt stands for Cancel; each takes its filter from filterAnswers
  // (the first filter when there is none).
  std::optional<ChosenFile> ChooseFileToSave(const FileRequest& request) override {
    const std::optional<QString> path = ChooseFile(request);
    if (!path) return std::nullopt;
    return ChosenFile{*path, filterAnswers.isEmpty() ? 0 : filterAnswers.dequeue()};
  }
  SaveAnswer AskToSaveChanges(const QString& caption, const QString& question) override {
    questions << Question{caption, question, Icon::Warning};
    if (saveAnswers.isEmpty()) {
      QTest::qFail("unexpected question about unsaved changes", __FILE__, __LINE__);
      return SaveAnswer::Cancel;
    }
    return saveAnswers.dequeue();
  }
  // The lists offered are kept; each answer is the items picked, std::nullopt for Cancel.
  std::optional<QStringList> ChooseItems(const QString&, const QString&,
                                         const QStringList& items) override {
    offeredItems << items;
    if (itemAnswers.isEmpty()) {
      QTest::qFail("unexpected list to choose from", __FILE__, __LINE__);
      return std::nullopt;
    }
    return itemAnswers.dequeue();
  }
  std::optional<QString> ChooseFolder(const QString&, const QString& start) override {
    folderStarts << start;
    if (folderAnswers.isEmpty()) {
      QTest::qFail("unexpected folder dialog", __FILE__, __LINE__);
      return std::nullopt;
    }
    return folderAnswers.dequeue();
  }

  QList<Message> messages;
  QList<Question> questions;
  QList<FileRequest> fileRequests;
  QQueue<bool> yesNoAnswers;
  QQueue<std::optional<QString>> fileAnswers;
  QQueue<int> filterAnswers;
  QQueue<SaveAnswer> saveAnswers;
  QList<QStringList> offeredItems;
  QQueue<std::optional<QStringList>> itemAnswers;
  QStringList folderStarts;
  QQueue<std::optional<QString>> folderAnswers;
};

}  // namespace orbisk::testing
