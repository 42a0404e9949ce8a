// One conversation with a calculator over its link cable, through Debian's link libraries.
#include "link_session.hpp"

#include <cstring>

namespace orbisk::link {
namespace {

// The libraries' own error numbers this piece tells apart (libticalcs' and libticables'
// error.h, which they do not install).
constexpr int kAbort = 256;
constexpr int kNotReady = 257;
constexpr int kChecksum = 258;
constexpr int kRejected = 263;
constexpr int kNoCable = 268;
constexpr int kBusy = 269;
constexpr int kMissingVariable = 278;
constexpr int kCalculatorRefusal = 350;  // and up: 350 + the calculator's own code
constexpr int kReadTimeout = ERROR_READ_TIMEOUT;
constexpr int kWriteTimeout = ERROR_WRITE_TIMEOUT;

void Nothing() {}

// The libraries are set up once a run, whatever the sessions.
void InitialiseLibraries() {
  static const bool done = [] {
    ticables_library_init();
    tifiles_library_init();
    ticalcs_library_init();
    return true;
  }();
  static_cast<void>(done);
}

void Copy(char* to, std::size_t size, const std::string& from) {
  std::strncpy(to, from.c_str(), size - 1);
  to[size - 1] = '\0';
}

}  // namespace

LinkSession::LinkSession(const LinkOptions& options) : options_(options) {
  InitialiseLibraries();
  update_.start = update_.stop = update_.refresh = update_.pbar = update_.label = Nothing;
}

LinkSession::~LinkSession() {
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

int LinkSession::Ready() { return ticalcs_calc_isready(calc_); }

int LinkSession::Send(const CalcData& variable) {
  FileContent* content = tifiles_content_create_regular(options_.model);
  if (content == nullptr) return kNoCable;
  VarEntry* entry = tifiles_ve_create_alloc_data(static_cast<uint32_t>(variable.data.size()));
  Copy(entry->folder, sizeof entry->folder, variable.folder);
  Copy(entry->name, sizeof entry->name, variable.name);
  entry->type = variable.type;
  entry->attr = variable.attribute == 2   ? ATTRB_ARCHIVED
                : variable.attribute == 1 ? ATTRB_LOCKED
                                          : ATTRB_NONE;
  entry->size = static_cast<uint32_t>(variable.data.size());
  std::memcpy(entry->data, variable.data.data(), variable.data.size());
  tifiles_content_add_entry(content, entry);
  update_.cancel = 0;
  const int e = ticalcs_calc_send_var(calc_, MODE_NORMAL, content);
  tifiles_content_delete_regular(content);
  return e;
}

int LinkSession::List(std::vector<CalcVariable>& variables) {
  GNode* vars = nullptr;
  GNode* apps = nullptr;
  update_.cancel = 0;
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
      variable.size = entry->size;
      variables.push_back(variable);
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
  request.size = wanted.size;
  FileContent* content = tifiles_content_create_regular(options_.model);
  if (content == nullptr) return kNoCable;
  update_.cancel = 0;
  int e = ticalcs_calc_recv_var(calc_, MODE_NORMAL, content, &request);
  if (e == 0 && content->num_entries == 0) e = kMissingVariable;
  if (e == 0) {
    const VarEntry* entry = content->entries[0];
    received.folder = wanted.folder;
    received.name = wanted.name;
    received.type = entry->type;
    received.attribute = entry->attr == ATTRB_ARCHIVED ? 2 : entry->attr == ATTRB_LOCKED ? 1 : 0;
    received.data.assign(reinterpret_cast<const char*>(entry->data), entry->size);
  }
  tifiles_content_delete_regular(content);
  return e;
}

std::string LinkErrorText(int code) {
  switch (code) {
    case kReadTimeout:
    case kWriteTimeout:
      return "la calculatrice ne répond pas : vérifiez que le câble est bien branché des deux "
             "côtés et que la calculatrice est allumée, puis réessayez";
    case kNotReady:
    case kBusy:
      return "la calculatrice est occupée : revenez à son écran d'accueil (HOME), puis "
             "réessayez";
    case kChecksum: return "la transmission a été brouillée : vérifiez le câble, puis réessayez";
    case kRejected: return "la calculatrice a refusé la variable";
    case kMissingVariable: return "la calculatrice n'a pas cette variable";
    case kAbort: return "transfert annulé";
    case kNoCable: return "aucun câble n'a pu être ouvert";
    default: break;
  }
  // The library gives the calculator's own code when it knows it, and 350 alone otherwise.
  if (code == kCalculatorRefusal) return "la calculatrice a refusé la demande";
  if (code > kCalculatorRefusal && code < kCalculatorRefusal + 50) {
    return "la calculatrice a refusé (code " + std::to_string(code - kCalculatorRefusal) + ")";
  }
  // Anything else in the libraries' own words, after its number.
  std::string text = "erreur de liaison " + std::to_string(code);
  char* message = nullptr;
  if (ticables_error_get(code, &message) == 0 && message != nullptr) {
    text += " : " + std::string(message);
    ticables_error_free(message);
  } else if (message = nullptr; ticalcs_error_get(code, &message) == 0 && message != nullptr) {
    text += " : " + std::string(message);
    ticalcs_error_free(message);
  }
  return text;
}

}  // namespace orbisk::link
