// A transfer's progress on a terminal, or as lines for a window.
#include "progress_views.hpp"

#include <algorithm>

#include "window_protocol.hpp"

namespace orbisk::link {

int Percent(TransferProgress progress) {
  if (progress.total <= 0) return 0;
  const long long done = std::max(0, std::min(progress.done, progress.total));
  return static_cast<int>(done * 100 / progress.total);
}

void TerminalProgress::Begin(const std::string& what, bool sending) {
  label_ = (sending ? "Envoi de " : "Réception de ") + what;
  shown_ = -1;
  Step({});
}

void TerminalProgress::Step(TransferProgress progress) {
  const int percent = Percent(progress);
  if (percent == shown_) return;
  shown_ = percent;
  out_ << "\r" << label_ << " : " << percent << " %" << std::flush;
}

void TerminalProgress::End() {
  // Cleared, so that what is said next starts a clean line.
  out_ << "\r\033[K" << std::flush;
}

void ProgressLines::Begin(const std::string& what, bool) {
  what_ = what;
  shown_ = -1;
  Step({});
}

void ProgressLines::Step(TransferProgress progress) {
  const int percent = Percent(progress);
  if (percent == shown_) return;
  shown_ = percent;
  out_ << ProtocolLine(link_protocol::kProgress, what_ + " " + std::to_string(percent))
       << std::flush;
}

}  // namespace orbisk::link
