// The command line's --thumbnail.
#include "thumbnail_command.hpp"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <vector>

#include "cli_texts.hpp"
#include "exit_status.hpp"
#include "file_check.hpp"
#include "qt_module.hpp"
#include "text_notation.hpp"

namespace orbisk {
namespace {

// A picture shows no more lines than this, however large.
constexpr std::size_t kLinesDrawn = 40;

// The text a picture of `source` shows: its own, or a group's first.
Result<TextVariable> TextToDraw(const std::string& source, LocalEngine& engine) {
  Result<OpenedText> opened = engine.ReadText(source);
  if (opened) return std::move(opened->variable);
  if (opened.error().kind != ErrorKind::IsAGroup) return opened.error();
  const Result<OpenedGroup> group = engine.ReadGroup(source);
  if (!group) return group.error();
  for (const VariableEntry& entry : group->file.entries) {
    if (std::optional<TextVariable> text = TextOfVariable(entry, group->model)) return *text;
  }
  return Error::About(PathError::NoTextInGroup, source);
}

void Collect(void* context, const char* bytes, unsigned long size) {
  static_cast<std::string*>(context)->append(bytes, size);
}

// Qt wants a runtime folder. A thumbnailer may run without one (a desktop's thumbnail factory
// runs it in a sandbox with XDG_RUNTIME_DIR unset), and Qt's fallback, "runtime-USER" in the
// temporary folder, would stay behind: the drawing gets a folder of its own instead, removed
// with whatever was put in it.
class PrivateRuntimeFolder {
 public:
  PrivateRuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] != '\0') return;
    const char* temporary = std::getenv("TMPDIR");
    std::string pattern =
        std::string(temporary != nullptr && temporary[0] == '/' ? temporary : "/tmp") +
        "/.orbisk-runtime-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) return;
    folder_ = pattern;
    ::setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
  }
  ~PrivateRuntimeFolder() {
    if (folder_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
  PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;

 private:
  std::string folder_;
};

}  // namespace

int DrawThumbnail(const std::string& source, const std::string& target, int size, CommandRun& run) {
  Result<TextVariable> text = TextToDraw(source, run.engine);
  if (!text) {
    run.user.Report(text.error());
    return kExitNotConverted;
  }
  // Only the lines drawn are made UTF-8, not the whole text.
  std::vector<TextLine>& all = text->text.lines;
  if (all.size() > kLinesDrawn) all.resize(kLinesDrawn);
  std::vector<std::string> lines;
  const std::string utf8 = TextToUtf8(text->text, NotationOf(text->type));
  for (std::size_t at = 0; at < utf8.size() && lines.size() < kLinesDrawn;) {
    const std::size_t end = std::min(utf8.find('\n', at), utf8.size());
    lines.push_back(utf8.substr(at, end - at));
    at = end + 1;
  }
  std::vector<const char*> pointers;
  for (const std::string& line : lines) pointers.push_back(line.c_str());
  // Drawn into an image: a thumbnailer runs with no display, and needs none.
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const PrivateRuntimeFolder runtime;
  std::string error;
  const OrbiskQtModule* module = LoadQtModule(error);
  if (module == nullptr) {
    std::cerr << texts::QtModuleUnavailable(error);
    return kExitNotConverted;
  }
  std::string png;
  if (!module->thumbnail(pointers.data(), static_cast<int>(pointers.size()), size, Collect, &png)) {
    run.user.Report(Error::System(SystemError::CannotWrite, target, EIO));
    return kExitNotConverted;
  }
  return run.user.Report(run.engine.WriteFile(target, png, run.user, source)) ? kExitConverted
                                                                              : kExitNotConverted;
}

}  // namespace orbisk
