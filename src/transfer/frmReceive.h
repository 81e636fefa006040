#pragma once
// The receive window: connects to the sender's address on port 1129 and runs the receiver's side
// of the dialogue (FileReceiver): learns the size and the name, asks where to save, writes the
// data and shows progress and rate. It is opened by an invitation seen in the chat (with the
// address filled in) or empty from "Receive File", where the user types or pastes the address.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Window.h"
#include "platform/WrittenFile.h"
#include "runtime/CommandButton.h"
#include "runtime/Frame.h"
#include "runtime/Label.h"
#include "runtime/PictureBox.h"
#include "runtime/ProgressBar.h"
#include "runtime/TextBox.h"
#include "runtime/Timer.h"
#include "transfer/FileReceiver.h"
#include "transfer/OutgoingBytes.h"
#include "transfer/TransferActions.h"
#include "transfer/TransferWindow.h"
#include "transfer/WinsockArray.h"

namespace quillon::transfer {

class frmReceive : public TransferWindow {
 public:
  frmReceive(runtime::Runtime& rt, services::ErrorReports& reports, services::ChatState& chat,
             gtalk::GTalkWindows& gtalk);
  ~frmReceive() override;

  // Loads the window (if it is not) and shows it; the chat current now is the one its notices
  // go to.
  void Open();

  runtime::Frame Frame1{*this, "Frame1"};
  runtime::TextBox txtIP{*this, "txtIP"};
  runtime::PictureBox Picture1{*this, "Picture1"};
  runtime::CommandButton Command1{*this, "Command1"};
  runtime::Frame Frame2{*this, "Frame2"};
  runtime::Label Label1{*this, "Label1"};
  runtime::ProgressBar ProgressBar1{*this, "ProgressBar1"};
  runtime::CommandButton Command2{*this, "Command2"};
  runtime::Timer Timer1;
  WinsockArray Winsock1;

  uint64_t FileSize = 0;
  std::string OfferedName;
  std::string SavePath;
  // From Connect until the file is complete or the user ends the transfer.
  bool Receiving = false;

  TransferOutcome Outcome() const { return receiver_.Outcome(); }

 protected:
  void Form_Load() override;
  void Form_QueryUnload(int& cancel, runtime::UnloadMode mode) override;
  void Form_Unload(int& cancel) override;

 private:
  void SetStatus(std::string_view text);
  void Command1_Click();
  void Command2_Click();
  void Picture1_Click();
  void Timer1_Timer();
  void Winsock1_Connect(int index);
  void Winsock1_DataArrival(int index, std::string_view bytes);
  void Winsock1_Close(int index);
  // The user ends the transfer: the cancel notice unless the file is complete.
  void EndByUser();
  void Apply(const TransferActions& actions);
  void AskWhereToSave(const std::string& offered_name);
  void ReportFileFailure(std::string_view status);
  // Closes the output file and removes it: it holds an incomplete file.
  void CloseOutput();
  // Closes the complete output file; a problem (and the file removed) when its last bytes failed.
  platform::FileProblem CloseOutputKept();

  FileReceiver receiver_;
  std::unique_ptr<platform::WrittenFile> output_;
  std::string output_path_;
  // Counts connections and unloads, so that a save dialog that returns after the window moved
  // on does not touch the transfer that followed.
  uint64_t attempt_ = 0;
  OutgoingBytes outgoing_;
};

}  // namespace quillon::transfer
