// Every operation the windows ask of the engine: whatever they read or write. The program
// hands its one engine to the Qt module through this interface, so that whatever a window
// writes goes through the same code, and the same clean-up on signals, as the command line,
// which asks the rest of the engine (LocalEngine) directly.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "error.hpp"
#include "group_transfer.hpp"
#include "interaction.hpp"
#include "model.hpp"
#include "recovery_store.hpp"
#include "target_file.hpp"
#include "text_transfer.hpp"
#include "variable_file.hpp"

namespace orbisk {

class Engine {
 public:
  virtual ~Engine() = default;

  // See Converter::Convert.
  virtual Status Convert(Model to, const std::string& source, const std::string& target,
                         Interaction& user, WrittenFiles* written) = 0;
  // See TextTransfer.
  virtual Result<OpenedText> ReadText(const std::string& path) = 0;
  // Reads a text file as an import would, making nothing of it.
  virtual Result<ImportedText> ReadImport(const std::string& source,
                                          const ImportOptions& options) = 0;
  // The date and time a file made now for a Voyager 200 carries in its comment.
  virtual std::string Stamp() = 0;
  virtual Result<Repaired> Repair(const std::string& path, const RepairOptions& options,
                                  Interaction& user) = 0;
  // See TextTransfer::Save.
  virtual Result<FileInfo> Save(const std::string& target, const VariableFile& file,
                                const OpenedText* opened, Interaction& user) = 0;
  // Whether the file `opened` was read from (or saved as) is there and no longer as it was
  // then: another file under its name, or a new size or modification time.
  virtual bool ChangedOnDisk(const OpenedText& opened) = 0;
  // Writes `bytes` into `target` through the safe writer, as a new file takes them (mode
  // 0666 through the umask), asking before replacing a file. When they are made from the
  // file `source`, a target that is that file is refused.
  virtual Status WriteFile(const std::string& target, const std::string& bytes, Interaction& user,
                           const std::string& source) = 0;
  // See GroupTransfer.
  virtual Result<OpenedGroup> ReadGroup(const std::string& path) = 0;
  virtual Status ExtractVariable(const OpenedGroup& group, std::size_t index, Model model,
                                 const std::string& target, Interaction& user,
                                 WrittenFiles* written) = 0;

  // Recovery copies of texts with unsaved changes; see RecoveryStore.
  virtual std::string RecoveryKey(const std::string& path) = 0;
  virtual Status KeepRecovery(const std::string& key, const std::string& bytes) = 0;
  virtual void DropRecovery(const std::string& key) = 0;
  virtual std::vector<RecoveryStore::Left> LeftRecoveries(const std::string& path) = 0;

  // The main window's two directions.
  Status ConvertToV200(const std::string& source, const std::string& target, Interaction& user) {
    return Convert(Model::Voyager200, source, target, user, nullptr);
  }
  Status ConvertToTi92Plus(const std::string& source, const std::string& target,
                           Interaction& user) {
    return Convert(Model::Ti92Plus, source, target, user, nullptr);
  }
};

}  // namespace orbisk
