#include "transfer/frmReceive.h"

#include <algorithm>
#include <exception>

#include "gtalk/GTalkWindows.h"
#include "platform/Files.h"
#include "runtime/Runtime.h"
#include "transfer/Protocol.h"
#include "transfer/TransferStatus.h"

namespace quillon::transfer {

namespace {

constexpr int kConnection = 1;

// A full disk is worth its own words: the person frees room and tries again.
std::string_view WriteStatus(platform::FileProblem problem) {
  return problem == platform::FileProblem::kDiskFull ? kStatusDiskFull : kStatusWriteFailed;
}

// An address pasted from the invitation often brings the blanks or the line break around it.
std::string TrimmedAddress(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(kBlanks) - first + 1));
}

}  // namespace

frmReceive::frmReceive(runtime::Runtime& rt, services::ErrorReports& reports,
                       services::ChatState& chat, gtalk::GTalkWindows& gtalk)
    : TransferWindow(rt, reports, chat, gtalk, "frmReceive", "File Transfer - QN"),
      Timer1(*this, "Timer1", kRateIntervalMs, false),
      Winsock1(
          rt.Network(),
          WinsockArray::Events{
              {},
              [this](int index) { Winsock1_Connect(index); },
              [this](int index, std::string_view bytes) { Winsock1_DataArrival(index, bytes); },
              [this](int index) {
                if (index == kConnection) outgoing_.Sent();
                outgoing_.CloseIfDone(Winsock1(kConnection));
              },
              [this](int index, int, const std::string&) { Winsock1_Close(index); },
          }) {
  Move(300, 250, 352, 232);
  Frame1.Move(8, 8, 240, 54);
  txtIP.Move(16, 28, 188, 22);
  Picture1.Move(212, 29, 20, 20);
  Command1.Move(256, 30, 80, 23);
  Frame2.Move(8, 70, 328, 92);
  Label1.Move(16, 90, 312, 36);
  ProgressBar1.Move(16, 130, 312, 20);
  Command2.Move(256, 170, 80, 23);
  Frame1.SetCaption("IP Address");
  Command1.SetCaption("Connect");
  Frame2.SetCaption("Status");
  Command2.SetCaption("Cancel");
  Command1.on_click = [this] { Command1_Click(); };
  Command2.on_click = [this] { Command2_Click(); };
  Picture1.on_click = [this] { Picture1_Click(); };
  Timer1.OnTick([this] { Timer1_Timer(); });
}

frmReceive::~frmReceive() = default;

void frmReceive::Open() {
  if (!Loaded()) {
    notice_input_ = chat_.ChatInput;
    Load();
  }
  Show();
}

void frmReceive::Form_Load() {
  Guarded("Form_Load", [this] {
    Winsock1.Load(kConnection);
    Timer1.SetEnabled(false);
    receiver_ = FileReceiver();
    outgoing_.Forget();
    Receiving = false;
    FileSize = 0;
    OfferedName.clear();
    SavePath.clear();
    txtIP.SetText("");
    Label1.SetCaption("");
    Command2.SetCaption("Cancel");
    ProgressBar1.SetValue(0);
  });
}

void frmReceive::Command1_Click() {
  Guarded("Command1_Click", [this] {
    // Connecting again starts a new transfer; a file begun by the last one is incomplete.
    ++attempt_;
    receiver_.Cancel();
    CloseOutput();
    receiver_ = FileReceiver();
    outgoing_.Forget();
    FileSize = 0;
    Receiving = true;
    Winsock1.Load(kConnection);
    platform::TcpSocket* socket = Winsock1(kConnection);
    if (socket == nullptr) return;
    socket->Close();
    Apply(receiver_.Connect(Now()));
    if (!socket->Connect(TrimmedAddress(txtIP.Text()), kTransferPort)) Apply(receiver_.Closed());
  });
}

void frmReceive::Winsock1_Connect(int index) {
  Guarded("Winsock1_Connect", [&] {
    if (index == kConnection) Apply(receiver_.Connected(Now()));
  });
}

void frmReceive::Winsock1_DataArrival(int index, std::string_view bytes) {
  Guarded("Winsock1_DataArrival", [&] {
    if (index == kConnection) Apply(receiver_.Receive(bytes, Now()));
  });
}

void frmReceive::Winsock1_Close(int index) {
  Guarded("Winsock1_Close", [&] {
    if (index != kConnection) return;
    if (platform::TcpSocket* socket = Winsock1(kConnection)) socket->Close();
    outgoing_.Forget();
    // A connection that cannot be made or breaks off says so instead of waiting forever.
    Apply(receiver_.Closed());
  });
}

void frmReceive::Timer1_Timer() {
  Guarded("Timer1_Timer", [this] { Apply(receiver_.Tick(Now())); });
}

void frmReceive::Apply(const TransferActions& actions) {
  platform::FileProblem write_problem = platform::FileProblem::kNone;
  if (!actions.write.empty()) {
    write_problem = output_ ? output_->Write(actions.write) : platform::FileProblem::kOther;
    // The delivery that completes the file has moved the receiver on already; its failure is
    // the file's last bytes failing, handled with the closing below.
    if (write_problem != platform::FileProblem::kNone &&
        actions.outcome != TransferOutcome::kComplete) {
      Apply(receiver_.WriteFailed(WriteStatus(write_problem)));
      return;
    }
  }
  const bool sent = !actions.send.empty() && outgoing_.Send(Winsock1(kConnection), actions.send);
  const bool send_failed = !actions.send.empty() && !sent;
  if (actions.status) SetStatus(*actions.status);
  if (actions.file_failed) ReportFileFailure(*actions.status);
  if (actions.progress) {
    FileSize = actions.progress->maximum;
    ProgressBar1.SetMax(static_cast<long long>(actions.progress->maximum));
    ProgressBar1.SetValue(static_cast<long long>(actions.progress->value));
  }
  if (actions.close) {
    outgoing_.CloseAfter(sent);
    outgoing_.CloseIfDone(Winsock1(kConnection));
  }
  if (actions.outcome == TransferOutcome::kComplete) {
    Receiving = false;
    Command2.SetCaption("&Close");
    // The last bytes reach the disk only as the file closes; a failure there loses them, and a
    // file missing its last bytes is not the offered file, so it goes.
    platform::FileProblem problem = write_problem;
    if (problem == platform::FileProblem::kNone) {
      problem = CloseOutputKept();
    } else {
      CloseOutput();
    }
    if (problem != platform::FileProblem::kNone) {
      SetStatus(WriteStatus(problem));
      ReportFileFailure(WriteStatus(problem));
    }
  } else if (actions.outcome != TransferOutcome::kRunning) {
    CloseOutput();
  }
  ScheduleTick(Timer1, receiver_.WakeAt());
  if (send_failed) Apply(receiver_.Closed());
  if (actions.ask_save_name && receiver_.Outcome() == TransferOutcome::kRunning) {
    AskWhereToSave(*actions.ask_save_name);
  }
}

// The save dialog and every write happen inside the data handler of the window, so that is where
// a failure of the file is reported, besides the status that says it.
void frmReceive::ReportFileFailure(std::string_view status) {
  reports_.ReportError("Winsock1_DataArrival", this, 0, "frmReceive",
                       std::string(status) + " " + SavePath);
}

void frmReceive::AskWhereToSave(const std::string& offered_name) {
  OfferedName = offered_name;
  const uint64_t attempt = attempt_;
  const std::optional<std::string> chosen =
      Rt().Dialogs().SaveFile("Save File", offered_name, {{offered_name, offered_name}});
  // The dialog waits for the person, and meanwhile the window may have been closed or connected
  // anew.
  if (attempt != attempt_ || !Loaded()) return;
  if (!chosen) {
    // Declining to save declines the file: nothing is written anywhere, and the sender hears it.
    Apply(receiver_.Cancel());
    Receiving = false;
    SetStatus(kStatusCancelled);
    Notice(kStatusCancelled);
    return;
  }
  SavePath = *chosen;
  platform::FileProblem problem = platform::FileProblem::kNone;
  output_ = Rt().Files().Create(SavePath, problem);
  if (!output_) {
    Apply(receiver_.SaveFailed(problem == platform::FileProblem::kDenied ? kStatusSaveDenied
                                                                         : kStatusSaveFailed));
    return;
  }
  output_path_ = SavePath;
  Apply(receiver_.SaveOpened(Now()));
}

// A file the transfer did not finish is not the offered file; it goes rather than pass for it.
void frmReceive::CloseOutput() {
  if (!output_) return;
  output_->Close();
  output_.reset();
  Rt().Files().Remove(output_path_);
  output_path_.clear();
}

platform::FileProblem frmReceive::CloseOutputKept() {
  if (!output_) return platform::FileProblem::kNone;
  const platform::FileProblem problem = output_->Close();
  output_.reset();
  if (problem != platform::FileProblem::kNone) Rt().Files().Remove(output_path_);
  output_path_.clear();
  return problem;
}

void frmReceive::Picture1_Click() {
  Guarded("Picture1_Click",
          [this] { txtIP.SetText(Rt().Shell().GetClipboardText().value_or("")); });
}

void frmReceive::EndByUser() {
  if (Receiving && receiver_.Outcome() != TransferOutcome::kComplete) {
    Rt().MsgBox("HRSTARTED!", platform::mb::kOk);
    Notice(kStatusCancelled);
  }
  Receiving = false;
  Timer1.SetEnabled(false);
}

void frmReceive::Command2_Click() {
  Guarded("Command2_Click", [this] {
    EndByUser();
    Unload();
  });
}

// The window's own close button ends the transfer as Cancel does.
void frmReceive::Form_QueryUnload(int&, runtime::UnloadMode mode) {
  if (mode == runtime::UnloadMode::kControlMenu) {
    Guarded("Form_QueryUnload", [this] { EndByUser(); });
  }
}

void frmReceive::Form_Unload(int&) {
  ++attempt_;
  receiver_.Cancel();
  Winsock1.UnloadAll();
  Timer1.SetEnabled(false);
  if (receiver_.Outcome() == TransferOutcome::kComplete) {
    CloseOutputKept();
  } else {
    CloseOutput();
  }
}

void frmReceive::SetStatus(std::string_view text) { Label1.SetCaption(text); }

}  // namespace quillon::transfer
