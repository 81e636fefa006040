#pragma once
// The send window: picks a file, learns this computer's public address from the maker's site,
// checks that port 1129 can be reached from outside, announces the file in the chat it was
// started from, and then runs the sender's side of the dialogue (FileSender) on the connection
// the receiver opens, showing progress and rate. One window instance serves one transfer: "Send
// File..." unloads it and starts over.
//
// Socket elements: 1 listens for the receiver while the invitation stands, 4 is the connection a
// receiver opened (a later one replaces it and starts the dialogue again), 2 listens and 3
// connects for the port check.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Window.h"
#include "runtime/CommandButton.h"
#include "runtime/Frame.h"
#include "runtime/Label.h"
#include "runtime/ProgressBar.h"
#include "runtime/Timer.h"
#include "transfer/DiskFileSource.h"
#include "transfer/FileSender.h"
#include "transfer/OutgoingBytes.h"
#include "transfer/TransferActions.h"
#include "transfer/TransferWindow.h"
#include "transfer/WinsockArray.h"

namespace quillon::services {
class SettingsStore;
}

namespace quillon::transfer {

class frmSend : public TransferWindow {
 public:
  // How long the port check may take before the ports are taken as closed.
  static constexpr uint32_t kPortCheckMs = 10000;
  // How long the address lookup may block.
  static constexpr uint32_t kAddressLookupMs = 10000;

  frmSend(runtime::Runtime& rt, services::SettingsStore& settings, services::ErrorReports& reports,
          services::ChatState& chat, gtalk::GTalkWindows& gtalk);
  ~frmSend() override;

  // "Send File...": the running transfer (if any) is ended and a new one starts, for the chat
  // that is current now.
  void Open();
  // Clears the transfer; with `load`, starts the new one (the file dialog and what follows).
  void Reset(bool load);
  // Ends the transfer: the cancel notice when the invitation is out and the file has not gone,
  // then the file and the transfer sockets are let go.
  void mClose();
  // Unloads the transfer sockets: the listener and the connection.
  void UnloadWinsock();

  // The public address the maker's site answered, if it is one. The body travels on to the
  // contact inside the invitation, so only an address or a host name is taken.
  static std::optional<std::string> ReadPublicIP(std::string_view body);

  runtime::Frame Frame1{*this, "Frame1"};
  runtime::Label Label1{*this, "Label1"};
  runtime::ProgressBar ProgressBar1{*this, "ProgressBar1"};
  runtime::CommandButton Command1{*this, "Command1"};
  runtime::Timer Timer1;
  runtime::Timer tmrCheck;
  WinsockArray Winsock1;

  uint64_t FileSize = 0;
  std::string FilePath;
  std::string ShortName;
  std::string PublicIP;
  std::string TransferTitle;
  std::string TransferSize;
  bool Invited = false;
  bool Cancelled = false;
  bool LoadAllowed = false;

  // The state of the dialogue with the receiver; running until a receiver has connected.
  TransferOutcome Outcome() const;

 protected:
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void SetStatus(std::string_view text);
  void Command1_Click();
  void Timer1_Timer();
  void tmrCheck_Timer();
  void Winsock1_ConnectionRequest(int index, uint32_t request);
  void Winsock1_DataArrival(int index, std::string_view bytes);
  void Winsock1_SendComplete(int index);
  void Winsock1_Close(int index);
  void Invite();
  void Apply(const TransferActions& actions);
  // The invitation no longer stands once the file has gone or the transfer was ended.
  void StopListening();

  services::SettingsStore& settings_;
  // Form_Load has done its work for this transfer.
  bool load_done_ = false;
  std::unique_ptr<DiskFileSource> source_;
  std::unique_ptr<FileSender> sender_;
  OutgoingBytes outgoing_;
};

}  // namespace quillon::transfer
