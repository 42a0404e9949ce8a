// The engine working on a file system with a clock.
#include "local_engine.hpp"

#include <fcntl.h>

#include "converter.hpp"

namespace orbisk {
namespace {

// Reading asks nothing and warns of nothing.
class NoQuestions final : public Interaction {
 public:
  bool AskToReplace(const std::string&) override { return false; }
  bool AskToReplaceChanged(const std::string&) override { return false; }
  void Warn(const Warning&) override {}
};

}  // namespace

Status LocalEngine::Convert(Model to, const std::string& source, const std::string& target,
                            Interaction& user, WrittenFiles* written) {
  return Converter(files_, user, clock_, separators_).Convert(to, source, target, written);
}

Result<std::string> LocalEngine::ConvertBeside(Model to, const std::string& source,
                                               Interaction& user, WrittenFiles* written) {
  return Converter(files_, user, clock_, separators_).ConvertBeside(to, source, written);
}

Result<OpenedText> LocalEngine::ReadText(const std::string& path) {
  return ReadText(path, ProgramLines::Every);
}

Result<OpenedText> LocalEngine::ReadText(const std::string& path, ProgramLines lines) {
  NoQuestions nobody;
  return Texts(nobody).Read(path, lines);
}

Result<std::vector<Problem>> LocalEngine::ExportText(const std::string& source,
                                                     const std::string& target, TextFormat format,
                                                     Interaction& user, WrittenFiles* written) {
  return Texts(user).Export(source, target, written, format);
}

Result<std::string> LocalEngine::ImportText(const std::string& source, const std::string& target,
                                            Model model, const std::string& name,
                                            const ImportOptions& options, Interaction& user,
                                            WrittenFiles* written) {
  return Texts(user).Import(source, target, model, name, written, options);
}

Result<ImportedText> LocalEngine::ReadImport(const std::string& source,
                                             const ImportOptions& options) {
  NoQuestions nobody;
  return Texts(nobody).ReadImport(source, options);
}

std::string LocalEngine::Stamp() { return FormatStamp(clock_.LocalNow(), separators_); }

Result<Repaired> LocalEngine::Repair(const std::string& path, const RepairOptions& options,
                                     Interaction& user) {
  return Texts(user).Repair(path, options);
}

Result<CheckedFile> LocalEngine::Check(const std::string& path) {
  NoQuestions nobody;
  return Texts(nobody).Check(path);
}

Result<FileInfo> LocalEngine::Save(const std::string& target, const VariableFile& file,
                                   const OpenedText* opened, Interaction& user) {
  return Texts(user).Save(target, file, opened);
}

bool LocalEngine::ChangedOnDisk(const OpenedText& opened) {
  FileInfo now;
  return files_.Stat(kCurrentFolder, opened.path, now) == 0 && now.kind != FileKind::Missing &&
         !now.Unchanged(opened.info);
}

Status LocalEngine::WriteFile(const std::string& target, const std::string& bytes,
                              Interaction& user, const std::string& source) {
  TargetOptions options;
  options.newMode = 0666;
  FileInfo made;
  if (!source.empty() && files_.Stat(AT_FDCWD, source, made) == 0) {
    options.source = &made;
    options.sourcePath = source;
  }
  return WriteWholeTarget(files_, user, target, options, bytes);
}

Result<OpenedGroup> LocalEngine::ReadGroup(const std::string& path) {
  NoQuestions nobody;
  return Groups(nobody).Read(path);
}

Status LocalEngine::ExtractVariable(const OpenedGroup& group, std::size_t index, Model model,
                                    const std::string& target, Interaction& user,
                                    WrittenFiles* written) {
  return Groups(user).Extract(group, index, model, target, written);
}

Status LocalEngine::MakeGroup(const std::string& target, Model model,
                              const std::vector<std::string>& sources, Interaction& user,
                              WrittenFiles* written) {
  return Groups(user).Make(target, model, sources, written);
}

RecoveryStore& LocalEngine::Recoveries() {
  if (!recoveries_) recoveries_ = std::make_unique<RecoveryStore>(files_);
  return *recoveries_;
}

std::string LocalEngine::RecoveryKey(const std::string& path) { return Recoveries().KeyFor(path); }

Status LocalEngine::KeepRecovery(const std::string& key, const std::string& bytes) {
  return Recoveries().Keep(key, bytes);
}

void LocalEngine::DropRecovery(const std::string& key) { Recoveries().Drop(key); }

std::vector<RecoveryStore::Left> LocalEngine::LeftRecoveries(const std::string& path) {
  return Recoveries().LeftBehind(path);
}

}  // namespace orbisk
