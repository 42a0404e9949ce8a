// The two conversions: copy the source whole and rewrite its header into the target.
#pragma once

#include <string>

#include "clock.hpp"
#include "file_system.hpp"
#include "header.hpp"
#include "interaction.hpp"
#include "stamp.hpp"

namespace orbisk {

class Converter {
 public:
  Converter(FileSystem& files, Interaction& user, const Clock& clock,
            StampSeparators separators = LocaleStampSeparators());

  // Both return `converted`: true when the target was written. A missing source, a
  // declined overwrite or any failure leaves every file as it was and returns false.
  bool ConvertToV200(const std::string& source, const std::string& target);
  bool ConvertToTi92Plus(const std::string& source, const std::string& target);

  bool Convert(Direction direction, const std::string& source, const std::string& target);

 private:
  FileSystem& files_;
  Interaction& user_;
  const Clock& clock_;
  StampSeparators separators_;
};

}  // namespace orbisk
