// The conversions: copy the source whole and rewrite its header into the target.
#pragma once

#include <string>

#include "clock.hpp"
#include "error.hpp"
#include "file_system.hpp"
#include "interaction.hpp"
#include "model.hpp"
#include "stamp.hpp"
#include "target_file.hpp"

namespace orbisk {

class Converter {
 public:
  Converter(FileSystem& files, Interaction& user, const Clock& clock,
            StampSeparators separators = LocaleStampSeparators());

  // The target becomes the source for another model. A missing source, a declined
  // overwrite or any failure leaves every file as it was and is returned as an error.
  // `written`, when given, holds the files written earlier in the run, which are never
  // replaced, and takes the target.
  // A variable that cannot work on another model (machine code, a Flash file, a backup) is
  // refused before anything is asked.
  Status Convert(Model target, const std::string& source, const std::string& targetPath,
                 WrittenFiles* written = nullptr);
  // The same, with the target beside the source, named for what the source holds (see
  // TargetName): "prog.89p" becomes "prog.v2p", whatever the source's own extension says.
  // Gives the target's path.
  Result<std::string> ConvertBeside(Model target, const std::string& source,
                                    WrittenFiles* written = nullptr);

 private:
  // `targetPath` null names the target beside the source; `chosen` takes its path.
  Status Run(Model model, const std::string& source, const std::string* targetPath,
             std::string& chosen, WrittenFiles* written);

  FileSystem& files_;
  Interaction& user_;
  const Clock& clock_;
  StampSeparators separators_;
};

}  // namespace orbisk
