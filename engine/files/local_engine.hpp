// The engine working on a file system with a clock: the program's, or a test's.
#pragma once

#include <memory>

#include "clock.hpp"
#include "engine.hpp"
#include "file_system.hpp"
#include "stamp.hpp"

namespace orbisk {

class LocalEngine final : public Engine {
 public:
  LocalEngine(FileSystem& files, const Clock& clock,
              StampSeparators separators = LocaleStampSeparators())
      : files_(files), clock_(clock), separators_(separators) {}

  Status Convert(Model to, const std::string& source, const std::string& target, Interaction& user,
                 WrittenFiles* written) override;
  Result<OpenedText> ReadText(const std::string& path) override;
  Result<ImportedText> ReadImport(const std::string& source, const ImportOptions& options) override;
  std::string Stamp() override;
  Result<Repaired> Repair(const std::string& path, const RepairOptions& options,
                          Interaction& user) override;
  Result<FileInfo> Save(const std::string& target, const VariableFile& file,
                        const OpenedText* opened, Interaction& user) override;
  bool ChangedOnDisk(const OpenedText& opened) override;
  Status WriteFile(const std::string& target, const std::string& bytes, Interaction& user,
                   const std::string& source) override;
  Result<OpenedGroup> ReadGroup(const std::string& path) override;
  Status ExtractVariable(const OpenedGroup& group, std::size_t index, Model model,
                         const std::string& target, Interaction& user,
                         WrittenFiles* written) override;
  std::string RecoveryKey(const std::string& path) override;
  Status KeepRecovery(const std::string& key, const std::string& bytes) override;
  void DropRecovery(const std::string& key) override;
  std::vector<RecoveryStore::Left> LeftRecoveries(const std::string& path) override;

  // What only the command line asks.
  // ReadText for a text that is only written out (see TextTransfer::Read).
  Result<OpenedText> ReadText(const std::string& path, ProgramLines lines);
  // See Converter::ConvertBeside.
  Result<std::string> ConvertBeside(Model to, const std::string& source, Interaction& user,
                                    WrittenFiles* written);
  // See TextTransfer.
  Result<std::vector<Problem>> ExportText(const std::string& source, const std::string& target,
                                          TextFormat format, Interaction& user,
                                          WrittenFiles* written);
  Result<std::string> ImportText(const std::string& source, const std::string& target, Model model,
                                 const std::string& name, const ImportOptions& options,
                                 Interaction& user, WrittenFiles* written);
  Result<CheckedFile> Check(const std::string& path);
  // See GroupTransfer::Make.
  Status MakeGroup(const std::string& target, Model model, const std::vector<std::string>& sources,
                   Interaction& user, WrittenFiles* written);

 private:
  TextTransfer Texts(Interaction& user) { return TextTransfer(files_, user, clock_, separators_); }
  GroupTransfer Groups(Interaction& user) {
    return GroupTransfer(files_, user, clock_, separators_);
  }

  FileSystem& files_;
  const Clock& clock_;
  StampSeparators separators_;
  // Made on first use, in the folder the environment names then.
  RecoveryStore& Recoveries();
  std::unique_ptr<RecoveryStore> recoveries_;
};

}  // namespace orbisk
