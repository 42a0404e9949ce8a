// The user as the front ends reach them, in words, and the engine's questions, warnings and
// errors put into those words.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "error.hpp"
#include "interaction.hpp"
#include "messages.hpp"

namespace orbisk {

// Messages, failures and yes/no questions already in words: a terminal, message boxes,
// standard error with nobody to answer, or a test's script.
class Messenger {
 public:
  virtual ~Messenger() = default;

  // A condition the program foresees, such as a missing source (OK button, no icon).
  virtual void ShowMessage(const std::string& text) = 0;
  // A failure that stopped an operation; the text names the file and the reason.
  virtual void ReportFailure(const std::string& text) = 0;
  // A Yes/No question whose default answer is Yes; true means Yes.
  virtual bool AskYesNo(const std::string& question) = 0;
  // Something the user should know of an operation that went on all the same (a box shows
  // the warning icon); where nothing tells warnings apart, a message like any other.
  virtual void ShowWarning(const std::string& text) { ShowMessage(text); }
  // A Yes/No question whose Yes loses something (a box shows the warning icon); where
  // nothing tells them apart, a question like any other.
  virtual bool AskYesNoWarning(const std::string& question) { return AskYesNo(question); }
  // Who reads the words: boxes are read where no command can be typed.
  virtual messages::Audience Readers() { return messages::Audience::CommandLine; }
};

class Conversation final : public Interaction {
 public:
  // A window's conversation never gives a command to type (see messages::Audience); one
  // given no audience words things for whoever its messenger shows them to.
  explicit Conversation(Messenger& messenger,
                        std::optional<messages::Audience> audience = std::nullopt)
      : messenger_(messenger), audience_(audience) {}

  bool AskToReplace(const std::string& target) override;
  bool AskToReplaceChanged(const std::string& target) override;
  void Warn(const Warning& warning) override;

  // Tells the user what went wrong, if anything; true when `status` is a success.
  bool Report(const Status& status);
  template <typename T>
  bool Report(const Result<T>& result) {
    if (!result) Report(result.error());
    return static_cast<bool>(result);
  }
  void Report(const Error& error);
  // Where the words go, for what the front end says of its own.
  Messenger& messenger() const { return messenger_; }
  messages::Audience audience() const { return audience_ ? *audience_ : messenger_.Readers(); }

 private:
  friend class KeptErrors;
  Messenger& messenger_;
  std::optional<messages::Audience> audience_;
  std::vector<std::pair<std::string, bool>>* kept_ = nullptr;
};

// While it lives, the errors `user` reports are kept here instead of told (a run that ends
// with one summary), each in words with whether it is a notice; they are told again after.
class KeptErrors {
 public:
  using Kept = std::vector<std::pair<std::string, bool>>;
  explicit KeptErrors(Conversation& user) : user_(user), before_(user.kept_) {
    user.kept_ = &kept_;
  }
  ~KeptErrors() { user_.kept_ = before_; }
  KeptErrors(const KeptErrors&) = delete;
  KeptErrors& operator=(const KeptErrors&) = delete;

  const Kept& Errors() const { return kept_; }

 private:
  Conversation& user_;
  Kept* before_;
  Kept kept_;
};

}  // namespace orbisk
