// A calculator of the TI-89 family at the other end of the cable, as the link guide
// describes its protocol.
#include "fake_calculator.hpp"

#include <algorithm>

namespace orbisk::testing {
namespace {

// Commands, as the link guide names them.
constexpr std::uint8_t kVar = 0x06;
constexpr std::uint8_t kCts = 0x09;
constexpr std::uint8_t kData = 0x15;
constexpr std::uint8_t kSkip = 0x36;
constexpr std::uint8_t kAck = 0x56;
constexpr std::uint8_t kReady = 0x68;
constexpr std::uint8_t kDelete = 0x88;
constexpr std::uint8_t kEnd = 0x92;
constexpr std::uint8_t kRequest = 0xA2;
constexpr std::uint8_t kRequestToSend = 0xC9;
// The type of a listing request, and what its size's upper byte asks for.
constexpr std::uint8_t kListing = 0x1A;
constexpr std::uint8_t kFolderList = 0x1F;
constexpr std::uint8_t kFolderContent = 0x1B;
constexpr std::uint8_t kFolderType = 0x1F;
constexpr std::uint8_t kCannotOverwrite = 0x1E;

bool CarriesData(std::uint8_t command) {
  return command == kVar || command == kData || command == kSkip || command == kDelete ||
         command == kRequest || command == kRequestToSend;
}

std::uint32_t Little(const std::string& bytes, std::size_t at, std::size_t count) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + i])) << (8 * i);
  }
  return value;
}

void PutLittle(std::string& out, std::uint32_t value, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A variable header: its size, type, name length and name.
std::string Header(std::uint32_t size, std::uint8_t type, const std::string& name) {
  std::string header;
  PutLittle(header, size, 4);
  header += static_cast<char>(type);
  header += static_cast<char>(name.size());
  header += name;
  return header;
}

// A name of 8 bytes, padded with 00.
std::string Padded(const std::string& name) {
  std::string padded = name.substr(0, 8);
  padded.resize(8, '\0');
  return padded;
}

}  // namespace

std::uint8_t FakeCalculator::MachineId() const {
  return model_ == FakeModel::Ti89 || model_ == FakeModel::Ti89Titanium ? 0x98 : 0x88;
}

void FakeCalculator::Hear(const std::uint8_t* bytes, std::size_t size) {
  pending_.append(reinterpret_cast<const char*>(bytes), size);
  for (;;) {
    if (pending_.size() < 4) return;
    const auto command = static_cast<std::uint8_t>(pending_[1]);
    const std::size_t length = Little(pending_, 2, 2);
    const std::size_t whole = CarriesData(command) ? 4 + length + 2 : 4;
    if (pending_.size() < whole) return;
    const std::string data = CarriesData(command) ? pending_.substr(4, length) : std::string();
    pending_.erase(0, whole);
    heard.push_back(command);
    Handle(command, data);
  }
}

bool FakeCalculator::Say(std::uint8_t* bytes, std::size_t size) {
  if (faults.silent || said_.size() < size) return false;
  std::copy_n(said_.begin(), size, bytes);
  said_.erase(said_.begin(), said_.begin() + static_cast<std::ptrdiff_t>(size));
  return true;
}

std::string FakeCalculator::TakeSaid() {
  if (faults.silent) return {};
  std::string all(said_.begin(), said_.end());
  said_.clear();
  return all;
}

void FakeCalculator::Reply(std::uint8_t command, std::uint16_t length) {
  if (faults.cutAfterPackets >= 0 && packetsSaid_ >= faults.cutAfterPackets) return;
  ++packetsSaid_;
  for (const std::uint8_t byte : {MachineId(), command, static_cast<std::uint8_t>(length & 0xFF),
                                  static_cast<std::uint8_t>(length >> 8)}) {
    said_.push_back(byte);
  }
}

void FakeCalculator::ReplyWithData(std::uint8_t command, const std::string& data) {
  if (faults.cutAfterPackets >= 0 && packetsSaid_ >= faults.cutAfterPackets) return;
  Reply(command, static_cast<std::uint16_t>(data.size()));
  std::uint32_t sum = 0;
  for (const char byte : data) {
    said_.push_back(static_cast<std::uint8_t>(byte));
    sum += static_cast<std::uint8_t>(byte);
  }
  if (faults.badChecksum && command == kData && givingVariable_) ++sum;
  said_.push_back(static_cast<std::uint8_t>(sum & 0xFF));
  said_.push_back(static_cast<std::uint8_t>((sum >> 8) & 0xFF));
}

void FakeCalculator::Handle(std::uint8_t command, const std::string& data) {
  // A host that starts again with a ready check has given up what went before, as a
  // calculator sees when a link program was stopped half-way.
  if (command == kReady) state_ = State::Idle;
  switch (state_) {
    case State::Idle:
      if (command == kReady) {
        Reply(kAck);  // a status of 0: ready
      } else if ((command == kRequestToSend || command == kVar) && data.size() >= 6) {
        const std::string full = data.substr(6, static_cast<std::uint8_t>(data[5]));
        const std::size_t slash = full.find('\\');
        coming_ = FakeVariable{};
        coming_.folder = slash == std::string::npos ? "main" : full.substr(0, slash);
        coming_.name = slash == std::string::npos ? full : full.substr(slash + 1);
        coming_.type = static_cast<std::uint8_t>(data[4]);
        Reply(kAck);
        if (faults.refuseVariables) {
          ReplyWithData(kSkip, std::string(1, static_cast<char>(kCannotOverwrite)));
        } else {
          Reply(kCts);
          state_ = State::TakingAck;
        }
      } else if (command == kRequest && data.size() >= 6) {
        Request(data);
      }
      return;
    case State::TakingAck:
      if (command == kAck) state_ = State::TakingData;
      return;
    case State::TakingData:
      if (command != kData) return;
      // Four zero bytes, the variable's own size, then its bytes.
      coming_.data = data.size() > 6 ? data.substr(6) : std::string();
      Reply(kAck);
      state_ = State::TakingEnd;
      return;
    case State::TakingEnd:
      if (command != kEnd) return;
      variables.erase(std::remove_if(variables.begin(), variables.end(),
                                     [this](const FakeVariable& v) {
                                       return v.folder == coming_.folder && v.name == coming_.name;
                                     }),
                      variables.end());
      variables.push_back(coming_);
      Reply(kAck);
      state_ = State::Idle;
      return;
    case State::GivingAck:
      if (command == kAck) state_ = State::GivingCts;
      return;
    case State::GivingCts:
      if (command != kCts) return;
      Reply(kAck);
      ReplyWithData(kData, going_);
      state_ = State::GivingAckOfData;
      return;
    case State::GivingAckOfData:
      if (command != kAck) return;
      Reply(kEnd);
      state_ = State::GivingAckOfEnd;
      return;
    case State::GivingAckOfEnd:
      if (command == kAck) state_ = State::Idle;
      return;
  }
}

// A variable or a listing asked for: its header, then, once cleared, its data.
void FakeCalculator::Request(const std::string& header) {
  const std::uint32_t size = Little(header, 0, 4);
  const auto type = static_cast<std::uint8_t>(header[4]);
  const std::string full = header.substr(6, static_cast<std::uint8_t>(header[5]));
  if (type == kListing) {
    const auto asked = static_cast<std::uint8_t>(size >> 24);
    going_ = Listing(asked == kFolderList, full.substr(0, full.find('\0')));
    givingVariable_ = false;
    Reply(kAck);
    ReplyWithData(kVar, Header(static_cast<std::uint32_t>(going_.size()), kListing, ""));
    state_ = State::GivingAck;
    return;
  }
  const std::size_t slash = full.find('\\');
  const std::string folder = slash == std::string::npos ? "main" : full.substr(0, slash);
  const std::string name = slash == std::string::npos ? full : full.substr(slash + 1);
  const auto found = std::find_if(variables.begin(), variables.end(), [&](const FakeVariable& v) {
    return v.folder == folder && v.name == name;
  });
  Reply(kAck);
  if (found == variables.end()) {
    ReplyWithData(kSkip, std::string(1, '\0'));
    return;
  }
  const std::size_t length = found->data.size();
  ReplyWithData(kVar, Header(static_cast<std::uint32_t>(length + 2), found->type, full));
  going_ = std::string(4, '\0') + static_cast<char>(length >> 8) +
           static_cast<char>(length & 0xFF) + found->data;
  givingVariable_ = true;
  state_ = State::GivingAck;
}

// The folders, or one folder's entry then its variables: 14 bytes each (22 on a Voyager
// 200), after 4 bytes the host skips.
std::string FakeCalculator::Listing(bool folders, const std::string& folder) const {
  const std::size_t extra = model_ == FakeModel::Voyager200 ? 8 : 0;
  const auto entry = [extra](const std::string& name, std::uint8_t type, std::uint8_t attribute,
                             std::uint32_t size) {
    std::string bytes = Padded(name);
    bytes += static_cast<char>(type);
    bytes += static_cast<char>(attribute);
    PutLittle(bytes, size, 4);
    bytes.append(extra, '\0');
    return bytes;
  };
  // Like a calculator, it always has its main folder, if only empty.
  std::vector<std::string> names{"main"};
  for (const FakeVariable& v : variables) {
    if (std::find(names.begin(), names.end(), v.folder) == names.end()) names.push_back(v.folder);
  }
  std::string listing(4, '\0');
  if (folders) {
    for (const std::string& name : names) listing += entry(name, kFolderType, 0, 0);
    return listing;
  }
  listing += entry(folder, kFolderType, 0, 0);
  for (const FakeVariable& v : variables) {
    if (v.folder == folder) {
      listing += entry(v.name, v.type, v.attribute, static_cast<std::uint32_t>(v.data.size() + 2));
    }
  }
  return listing;
}

}  // namespace orbisk::testing
