// One conversation with a calculator over its link cable, through Debian's link libraries.
#include "link_session.hpp"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "link_errors.hpp"

namespace orbisk::link {
namespace {

using errors::kIncompleteVariable;
using errors::kMissingVariable;
using errors::kNoCable;

void Nothing() {}

// The callbacks take no argument: the session whose transfer runs is reached from here.
LinkSession* running = nullptr;
// Set by a signal handler: the transfer under way, if any, stops at its next step.
CalcUpdate* volatile cancellable = nullptr;
// A stop asked for between two calls holds for every call after it, in this session.
volatile sig_atomic_t cancelRequested = 0;

void Refresh() {
  if (running != nullptr && running->onProgress) running->onProgress(running->Progress());
}

// Marks the session as the one whose transfer runs, for the length of a call.
class Running {
 public:
  Running(LinkSession* session, CalcUpdate& update) {
    update.cancel = cancelRequested;
    running = session;
    cancellable = &update;
  }
  ~Running() {
    cancellable = nullptr;
    running = nullptr;
  }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;
};

void Copy(char* to, std::size_t size, const std::string& from) {
  std::strncpy(to, from.c_str(), size - 1);
  to[size - 1] = '\0';
}

// The libraries' own log lines (in English, for their developers) are not for our users;
// ORBISK_LINK_DEBUG lets them through.
void Quiet(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

}  // namespace

void InitialiseLinkLibraries() {
  static const bool done = [] {
    if (std::getenv("ORBISK_LINK_DEBUG") == nullptr) g_log_set_default_handler(Quiet, nullptr);
    ticables_library_init();
    tifiles_library_init();
    ticalcs_library_init();
    return true;
  }();
  static_cast<void>(done);
}

LinkSession::LinkSession(const LinkOptions& options) : options_(options) {
  cancelRequested = 0;
  InitialiseLinkLibraries();
  update_.start = update_.stop = update_.label = Nothing;
  update_.refresh = update_.pbar = Refresh;
}

LinkSession::~LinkSession() {
  // The TiEmu cable counts the two programs at its ends in memory they share, and closing
  // one end lowers the count: an emulator then reads bytes nobody sent until another
  // program opens the cable, and the calculator it runs takes them for a command. Its end
  // stays open, then, until the process ends; the pipes close with it.
  if (options_.cable == CABLE_TIE && attached_) {
    // Never destroyed, so that what it holds stays reachable to the end.
    static auto* const keptOpen = new std::vector<std::pair<CalcHandle*, CableHandle*>>;
    keptOpen->emplace_back(calc_, cable_);
    return;
  }
  if (attached_) ticalcs_cable_detach(calc_);
  if (calc_ != nullptr) ticalcs_handle_del(calc_);
  if (cable_ != nullptr) ticables_handle_del(cable_);
}

int LinkSession::Open() {
  cable_ = ticables_handle_new(options_.cable, options_.port);
  if (cable_ == nullptr) return kNoCable;
  ticables_options_set_timeout(cable_, options_.timeout);
  if (options_.hook != nullptr) {
    ticables_cable_set_event_hook(cable_, options_.hook);
    ticables_cable_set_event_user_pointer(cable_, options_.hookData);
  }
  calc_ = ticalcs_handle_new(options_.model);
  if (calc_ == nullptr) return kNoCable;
  ticalcs_update_set(calc_, &update_);
  if (int e = ticalcs_cable_attach(calc_, cable_)) return e;
  attached_ = true;
  return 0;
}

int LinkSession::Ready() {
  Running running(this, update_);
  return ticalcs_calc_isready(calc_);
}

TransferProgress LinkSession::Progress() const {
  // The first counter follows the bytes of the packet under way: a variable's data.
  return {update_.cnt1, update_.max1};
}

void CancelFromSignal() {
  cancelRequested = 1;
  CalcUpdate* const update = cancellable;
  if (update != nullptr) update->cancel = 1;
}

int LinkSession::Send(const CalcData& variable) {
  FileContent* content = tifiles_content_create_regular(options_.model);
  if (content == nullptr) return kNoCable;
  // On the link, as in the file, the variable starts with its own size, big-endian.
  const std::size_t size = variable.data.size();
  VarEntry* entry = tifiles_ve_create_alloc_data(static_cast<uint32_t>(size + 2));
  Copy(entry->folder, sizeof entry->folder, variable.folder);
  Copy(entry->name, sizeof entry->name, variable.name);
  entry->type = variable.type;
  entry->attr = variable.attribute == 2   ? ATTRB_ARCHIVED
                : variable.attribute == 1 ? ATTRB_LOCKED
                                          : ATTRB_NONE;
  entry->size = static_cast<uint32_t>(size + 2);
  entry->data[0] = static_cast<uint8_t>(size >> 8);
  entry->data[1] = static_cast<uint8_t>(size & 0xFF);
  std::memcpy(entry->data + 2, variable.data.data(), size);
  tifiles_content_add_entry(content, entry);
  Running running(this, update_);
  const int e = ticalcs_calc_send_var(calc_, MODE_NORMAL, content);
  tifiles_content_delete_regular(content);
  return e;
}

int LinkSession::List(std::vector<CalcVariable>& variables) {
  GNode* vars = nullptr;
  GNode* apps = nullptr;
  Running running(this, update_);
  if (int e = ticalcs_calc_get_dirlist(calc_, &vars, &apps)) return e;
  for (GNode* folder = g_node_first_child(vars); folder != nullptr;
       folder = g_node_next_sibling(folder)) {
    const auto* folderEntry = static_cast<const VarEntry*>(folder->data);
    for (GNode* node = g_node_first_child(folder); node != nullptr;
         node = g_node_next_sibling(node)) {
      const auto* entry = static_cast<const VarEntry*>(node->data);
      if (entry == nullptr) continue;
      CalcVariable variable;
      variable.folder = folderEntry != nullptr ? folderEntry->name : entry->folder;
      variable.name = entry->name;
      variable.type = entry->type;
      variable.attribute = static_cast<std::uint8_t>(entry->attr);
      // The size the calculator gives counts the variable's own size word.
      variable.size = entry->size >= 2 ? entry->size - 2 : 0;
      variables.push_back(variable);
    }
  }
  // The library frees the entries of the tree's leaves only: a folder that holds variables
  // keeps its own entry, which is freed here.
  for (GNode* folder = g_node_first_child(vars); folder != nullptr;
       folder = g_node_next_sibling(folder)) {
    if (folder->children != nullptr && folder->data != nullptr) {
      tifiles_ve_delete(static_cast<VarEntry*>(folder->data));
      folder->data = nullptr;
    }
  }
  ticalcs_dirlist_destroy(&vars);
  ticalcs_dirlist_destroy(&apps);
  return 0;
}

int LinkSession::Receive(const CalcVariable& wanted, CalcData& received) {
  VarRequest request{};
  Copy(request.folder, sizeof request.folder, wanted.folder);
  Copy(request.name, sizeof request.name, wanted.name);
  request.type = wanted.type;
  request.size = wanted.size + 2;
  FileContent* content = tifiles_content_create_regular(options_.model);
  if (content == nullptr) return kNoCable;
  Running running(this, update_);
  int e = ticalcs_calc_recv_var(calc_, MODE_NORMAL, content, &request);
  if (e == 0 && content->num_entries == 0) e = kMissingVariable;
  if (e == 0) {
    const VarEntry* entry = content->entries[0];
    received.folder = wanted.folder;
    received.name = wanted.name;
    received.type = entry->type;
    received.attribute = entry->attr == ATTRB_ARCHIVED ? 2 : entry->attr == ATTRB_LOCKED ? 1 : 0;
    // Without the variable's own size, which must agree with what came.
    const std::uint32_t stated =
        entry->size >= 2 ? (std::uint32_t{entry->data[0]} << 8 | entry->data[1]) : 0;
    if (entry->size < 2 || stated != entry->size - 2) {
      e = kIncompleteVariable;
    } else {
      received.data.assign(reinterpret_cast<const char*>(entry->data) + 2, stated);
    }
  }
  tifiles_content_delete_regular(content);
  return e;
}

}  // namespace orbisk::link
