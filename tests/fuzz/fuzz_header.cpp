// Fuzzes the conversions over arbitrary contents and lengths, with short reads and writes,
// and a kernel copy, unnamed files and renaming without replacing that may be refused: a
// plain text or a too-short source is refused with nothing written; any other converts to a
// target of the same length whose only changed bytes are 6 and 18 to 48.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <optional>

#include "converter.hpp"
#include "file_check.hpp"
#include "fixed_clock.hpp"
#include "header.hpp"
#include "memory_file_system.hpp"
#include "model.hpp"
#include "variable_types.hpp"

namespace {

using orbisk::Model;
using Bytes = orbisk::fuzzing::MemoryFileSystem::Bytes;

class AlwaysYes final : public orbisk::Interaction {
 public:
  bool AskToReplace(const std::string&) override { return true; }
  bool AskToReplaceChanged(const std::string&) override { return true; }
  void Warn(const orbisk::Warning& warning) override {
    ++warnings;
    damaged = damaged || warning.kind == orbisk::Warning::Kind::DamagedSource;
  }
  int warnings = 0;
  bool damaged = false;
};

void Check(bool property) {
  if (!property) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const Model model = input.PickValueInArray({Model::Voyager200, Model::Ti92Plus, Model::Ti89});
  orbisk::fuzzing::MemoryFaults faults;
  faults.kernelCopy = input.ConsumeBool();
  faults.unnamedFiles = input.ConsumeBool();
  faults.renameNoReplace = input.ConsumeBool();
  const bool targetExists = input.ConsumeBool();
  faults.transferLimits.resize(input.ConsumeIntegralInRange<std::size_t>(0, 4));
  for (std::size_t& limit : faults.transferLimits) {
    limit = input.ConsumeIntegralInRange<std::size_t>(0, 64);
  }
  const Bytes source = input.ConsumeRemainingBytes<std::uint8_t>();

  orbisk::fuzzing::MemoryFileSystem files(faults);
  files.files["prog.in"] = source;
  const Bytes old{'o', 'l', 'd'};
  if (targetExists) files.files["prog.out"] = old;
  AlwaysYes user;
  orbisk::testing::FixedClock clock(2003, 2, 23, 14, 9);
  orbisk::Converter converter(files, user, clock, {'/', ':'});
  const orbisk::Status status = converter.Convert(model, "prog.in", "prog.out");
  const bool converted = static_cast<bool>(status);

  Check(files.files.size() == (converted || targetExists ? 2u : 1u));
  Check(files.files.at("prog.in") == source);
  // A plain text is refused whatever its length, before anything is asked or written.
  if (orbisk::IsPlainText(
          std::string_view(reinterpret_cast<const char*>(source.data()), source.size()))) {
    Check(!converted && status.error().kind == orbisk::ErrorKind::NotACalculatorFile &&
          user.warnings == 0);
    Check(!targetExists || files.files.at("prog.out") == old);
    return 0;
  }
  if (source.size() < orbisk::kHeaderSpan) {
    Check(!converted && status.error().kind == orbisk::ErrorKind::TooShort &&
          status.error().size == source.size());
    Check(!targetExists || files.files.at("prog.out") == old);
    return 0;
  }
  // What cannot move to another model is refused, whatever else is wrong with it.
  const std::optional<orbisk::FileContent> content =
      orbisk::ContentOf(source.data(), source.size());
  if (content && orbisk::MovementOf(*content) != orbisk::Movement::Moves) {
    Check(!converted && status.error().kind == orbisk::ErrorKind::CannotMove &&
          status.error().type == content->type && user.warnings == 0);
    Check(!targetExists || files.files.at("prog.out") == old);
    return 0;
  }
  // The only word a conversion may say is that a calculator file small enough to be read
  // whole was damaged: it is converted all the same.
  const bool calculators = orbisk::SignatureOf(source.data()) != orbisk::Signature::Unknown;
  Check(converted && (user.warnings == 0 || (user.warnings == 1 && user.damaged && calculators &&
                                             source.size() <= orbisk::kCheckedBytes)));
  const Bytes& target = files.files.at("prog.out");
  Check(target.size() == source.size());
  const std::string text =
      model == Model::Voyager200 ? "TextObject file 23/02/03, 14:09" : std::string(31, ' ');
  // Another model's file takes the target model's whole signature.
  const orbisk::Signature found = orbisk::SignatureOf(source.data());
  const orbisk::Signature wanted = orbisk::SignatureFor(model);
  const bool resigned = found != orbisk::Signature::Unknown && found != wanted;
  for (std::size_t i = 0; i < source.size(); ++i) {
    if (i < 8 && resigned) {
      Check(target[i] == static_cast<std::uint8_t>(orbisk::SignatureBytes(wanted)[i]));
    } else if (i == 6) {
      Check(target[i] == (model == Model::Voyager200 ? 'P' : source[i]));
    } else if (i >= 18 && i <= 48) {
      Check(target[i] == static_cast<std::uint8_t>(text[i - 18]));
    } else {
      Check(target[i] == source[i]);
    }
  }
  return 0;
}
