// A calculator of the TI-89 family at the other end of the cable, as the link guide
// describes its protocol: packets of a machine id, a command, a 2-byte length, data and a
// 16-bit sum. It answers a ready check, stores a variable sent to it, sends one asked for,
// and lists its folders and then a folder's variables; and it fails on demand. Tests hand it
// every byte the host sends and take its answers as the bytes the host reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace orbisk::testing {

enum class FakeModel { Ti89, Ti89Titanium, Ti92Plus, Voyager200 };

struct FakeVariable {
  std::string folder;
  std::string name;
  std::uint8_t type = 0;
  std::uint8_t attribute = 0;
  std::string data;  // as a variable file's entry holds them after their 2-byte size
};

// What goes wrong, when asked.
struct FakeFaults {
  bool silent = false;           // never answers
  bool badChecksum = false;      // the variables it sends carry a wrong sum
  bool refuseVariables = false;  // a variable sent is refused (SKP "can't overwrite")
  int cutAfterPackets = -1;      // falls silent once it has sent that many packets

  static FakeFaults Silence() { return {true, false, false, -1}; }
  static FakeFaults WrongSum() { return {false, true, false, -1}; }
  static FakeFaults Refusal() { return {false, false, true, -1}; }
  static FakeFaults CutAfter(int packets) { return {false, false, false, packets}; }
};

class FakeCalculator {
 public:
  explicit FakeCalculator(FakeModel model) : model_(model) {}

  // Bytes the host sent.
  void Hear(const std::uint8_t* bytes, std::size_t size);
  // Fills `size` bytes the host reads; false, filling nothing, when it has not said them.
  bool Say(std::uint8_t* bytes, std::size_t size);
  // Everything it said that the host has not read yet, for a cable that takes it all.
  std::string TakeSaid();

  std::vector<FakeVariable> variables;
  FakeFaults faults;
  // Every packet the host sent, by command, in order: what a test can check it said.
  std::vector<std::uint8_t> heard;
  int PacketsSaid() const { return packetsSaid_; }

 private:
  enum class State {
    Idle,
    TakingAck,   // a variable is coming: the host acknowledges the CTS
    TakingData,  // then sends its data
    TakingEnd,   // then ends
    GivingAck,   // a variable or list is going: the host acknowledges its header
    GivingCts,   // then clears it to send
    GivingAckOfData,
    GivingAckOfEnd,
  };

  void Handle(std::uint8_t command, const std::string& data);
  void Reply(std::uint8_t command, std::uint16_t length = 0);
  void ReplyWithData(std::uint8_t command, const std::string& data);
  void Request(const std::string& header);
  std::string Listing(bool folders, const std::string& folder) const;
  std::uint8_t MachineId() const;

  FakeModel model_;
  State state_ = State::Idle;
  std::string pending_;  // what the host sent that makes no whole packet yet
  std::deque<std::uint8_t> said_;
  int packetsSaid_ = 0;
  FakeVariable coming_;          // the variable being sent to it
  std::string going_;            // the data packet it sends once cleared to
  bool givingVariable_ = false;  // that packet is a variable's, not a listing's
};

}  // namespace orbisk::testing
