#include "transfer/frmSend.h"

#include <algorithm>
#include <exception>
#include <random>

#include "gtalk/GTalkWindows.h"
#include "platform/Files.h"
#include "runtime/Runtime.h"
#include "services/SettingsStore.h"
#include "transfer/Invitation.h"
#include "transfer/Protocol.h"
#include "transfer/TransferStatus.h"

namespace quillon::transfer {

namespace {

constexpr int kTransferSocket = 1;
constexpr int kCheckListener = 2;
constexpr int kCheckClient = 3;
constexpr int kConnection = 4;

constexpr std::string_view kPortsClosedTitle = "Ports are Closed";
constexpr std::string_view kPortsClosedText =
    "You don't seem to have port 1129 open!\r\n\r\nPlease visit: portforward.com for more "
    "information on how to open ports.";

}  // namespace

frmSend::frmSend(runtime::Runtime& rt, services::SettingsStore& settings,
                 services::ErrorReports& reports, services::ChatState& chat,
                 gtalk::GTalkWindows& gtalk)
    : TransferWindow(rt, reports, chat, gtalk, "frmSend", "File Transfer - Quillon"),
      Timer1(*this, "Timer1", kRateIntervalMs, false),
      tmrCheck(*this, "tmrCheck", kPortCheckMs, false),
      Winsock1(
          rt.Network(),
          WinsockArray::Events{
              [this](int index, uint32_t request) { Winsock1_ConnectionRequest(index, request); },
              {},
              [this](int index, std::string_view bytes) { Winsock1_DataArrival(index, bytes); },
              [this](int index) { Winsock1_SendComplete(index); },
              [this](int index, int, const std::string&) { Winsock1_Close(index); },
          }),
      settings_(settings) {
  Move(300, 250, 352, 170);
  Frame1.Move(8, 8, 328, 92);
  Label1.Move(16, 28, 312, 36);
  ProgressBar1.Move(16, 68, 312, 20);
  Command1.Move(256, 108, 80, 23);
  Frame1.SetCaption("Send File");
  Label1.SetCaption(kStatusCancelled);
  Command1.SetCaption("&Cancel");
  Command1.on_click = [this] { Command1_Click(); };
  Timer1.OnTick([this] { Timer1_Timer(); });
  tmrCheck.OnTick([this] { tmrCheck_Timer(); });
}

frmSend::~frmSend() = default;

void frmSend::Open() {
  // The window of a running transfer ends it (with its cancel notice) before a new one starts.
  if (Loaded() && !Unload()) return;
  notice_input_ = chat_.ChatInput;
  Load();
  Reset(true);
  if (!Loaded()) return;
  Show();
  chat_.TransferInput = notice_input_;
}

void frmSend::Reset(bool load) {
  Winsock1.UnloadAll();
  Timer1.SetEnabled(false);
  tmrCheck.SetEnabled(false);
  sender_.reset();
  source_.reset();
  outgoing_.Forget();
  FileSize = 0;
  FilePath.clear();
  ShortName.clear();
  PublicIP.clear();
  TransferTitle.clear();
  TransferSize.clear();
  Invited = false;
  Cancelled = false;
  load_done_ = false;
  Label1.SetCaption(kStatusCancelled);
  Command1.SetCaption("&Cancel");
  ProgressBar1.SetMax(0);
  ProgressBar1.SetValue(0);
  LoadAllowed = load;
  if (load) Form_Load();
}

void frmSend::Form_Load() {
  if (!LoadAllowed || load_done_) return;
  load_done_ = true;
  Guarded("Form_Load", [this] {
    Cancelled = false;
    const std::optional<std::string> chosen =
        Rt().Dialogs().OpenFile("Send File", {{"All Files (*.*)", "*.*"}});
    platform::Files& files = Rt().Files();
    if (!chosen || !files.Exists(*chosen)) return;
    Show();
    // The file may go between the two looks; the person then hears why nothing follows.
    const std::optional<uint64_t> size = files.Size(*chosen);
    if (!size) {
      reports_.ReportError("Form_Load", this, 0, "frmSend",
                           std::string(kStatusReadFailed) + " " + *chosen);
      return;
    }
    FileSize = *size;
    TransferSize = SizeText(FileSize);
    ShortName = chosen->substr(chosen->rfind('/') + 1);
    TransferTitle = ShortName;
    FilePath = *chosen;
    ProgressBar1.SetMax(static_cast<long long>(FileSize));
    ProgressBar1.SetValue(0);

    SetStatus(kStatusRetrievingAddress);
    const platform::HttpResult answer =
        Rt().Network().HttpGet(Rt().Info().site + "/Quillon/ip.php", kAddressLookupMs);
    std::optional<std::string> address = answer.ok ? ReadPublicIP(answer.body) : std::nullopt;
    if (!address) {
      reports_.ReportError("Form_Load", this, 0, "frmSend",
                           answer.ok ? "The address page answered no address." : answer.error);
      // The window would otherwise go on saying it retrieves the address.
      SetStatus(kStatusAddressFailed);
      return;
    }
    PublicIP = std::move(*address);

    // The check reaches this computer through its public address, as the receiver will.
    SetStatus(kStatusCheckingPorts);
    Winsock1.Load(kCheckListener);
    Winsock1.Load(kCheckClient);
    if (platform::TcpSocket* listener = Winsock1(kCheckListener)) listener->Listen(kTransferPort);
    if (platform::TcpSocket* client = Winsock1(kCheckClient)) {
      client->Connect(PublicIP, kTransferPort);
    }
    tmrCheck.SetEnabled(true);
  });
}

std::optional<std::string> frmSend::ReadPublicIP(std::string_view body) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const size_t first = body.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return std::nullopt;
  const std::string_view text = body.substr(first, body.find_last_not_of(kBlanks) - first + 1);
  if (text.size() > 253) return std::nullopt;
  const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' ||
           c == ':' || c == '-';
  });
  if (!plain) return std::nullopt;
  return std::string(text);
}

void frmSend::tmrCheck_Timer() {
  tmrCheck.SetEnabled(false);
  // The check's sockets go before the box, so that a late connection cannot send an invitation
  // while the box says the ports are closed.
  Winsock1.Unload(kCheckListener);
  Winsock1.Unload(kCheckClient);
  Rt().MsgBox(kPortsClosedText, platform::mb::kIconExclamation, kPortsClosedTitle);
  mClose();
}

void frmSend::Winsock1_ConnectionRequest(int index, uint32_t request) {
  Guarded("Winsock1_ConnectionRequest", [&] {
    if (index == kCheckListener) {
      Invite();
    } else if (index == kTransferSocket && sender_) {
      // Once the file has gone or the transfer was ended, the request is left unanswered and so
      // turned away.
      const TransferOutcome outcome = sender_->Outcome();
      if (outcome == TransferOutcome::kComplete || outcome == TransferOutcome::kCancelled) return;
      // The request gets a connection of its own and the listener listens on, so a receiver
      // whose connection broke can come again. A new connection replaces the current one.
      Winsock1.Unload(kConnection);
      Winsock1.Load(kConnection);
      platform::TcpSocket* socket = Winsock1(kConnection);
      if (socket == nullptr || !socket->Accept(request)) {
        Winsock1.Unload(kConnection);
        return;
      }
      // Nothing of an earlier connection is waited for any more.
      outgoing_.Forget();
      if (source_) source_->Close();
      Apply(sender_->Accept(Now()));
    }
  });
}

void frmSend::Invite() {
  tmrCheck.SetEnabled(false);
  Winsock1.Unload(kCheckClient);
  Winsock1.Unload(kCheckListener);
  Winsock1.Load(kTransferSocket);
  platform::TcpSocket* socket = Winsock1(kTransferSocket);
  // Listening comes before the invitation: an invitation nobody can answer is not sent.
  if (socket == nullptr || !socket->Listen(kTransferPort)) {
    reports_.ReportError("Winsock1_ConnectionRequest", this, 0, "frmSend",
                         "Port 1129 could not be listened on.");
    return;
  }
  std::mt19937_64 random(Rt().Clock().TickCount() ^ std::random_device()());
  const int number = InvitationNumber(std::uniform_real_distribution<double>(0.0, 1.0)(random));
  settings_.WriteSetting("Sender1", FormatInvitationNumber(number), "FTNum");
  InvitationPieces pieces;
  pieces.contact_name = gtalk_.RemoveExtra(gtalk_.GetText(Rt().Windows().GetParent(notice_input_)));
  pieces.file_name = ShortName;
  pieces.file_size = FileSize;
  pieces.address = PublicIP;
  pieces.number = number;
  source_ = std::make_unique<DiskFileSource>(Rt().Files(), FilePath);
  sender_ = std::make_unique<FileSender>(*source_, FileSize, ShortName);
  Notice(InvitationText(pieces));
  Invited = true;
  SetStatus(kStatusAwaitingConnection);
}

void frmSend::Winsock1_DataArrival(int index, std::string_view bytes) {
  Guarded("Winsock1_DataArrival", [&] {
    if (index == kConnection && sender_) Apply(sender_->Receive(bytes, Now()));
  });
}

void frmSend::Winsock1_SendComplete(int index) {
  Guarded("Winsock1_SendComplete", [&] {
    if (index != kConnection || !sender_) return;
    outgoing_.Sent();
    Apply(sender_->SendComplete(Now()));
    outgoing_.CloseIfDone(Winsock1(kConnection));
  });
}

void frmSend::Winsock1_Close(int index) {
  Guarded("Winsock1_Close", [&] {
    if (index != kConnection) return;
    if (platform::TcpSocket* socket = Winsock1(kConnection)) socket->Close();
    outgoing_.Forget();
    // A receiver that goes away leaves the transfer broken, and the window says so; the listener
    // still waits for it to come again.
    if (sender_) Apply(sender_->Closed());
  });
}

void frmSend::Timer1_Timer() {
  Guarded("Timer1_Timer", [this] {
    if (sender_) Apply(sender_->Tick(Now()));
  });
}

void frmSend::Apply(const TransferActions& actions) {
  const bool sent = !actions.send.empty() && outgoing_.Send(Winsock1(kConnection), actions.send);
  const bool send_failed = !actions.send.empty() && !sent;
  if (actions.status) SetStatus(*actions.status);
  if (actions.progress) {
    ProgressBar1.SetMax(static_cast<long long>(actions.progress->maximum));
    ProgressBar1.SetValue(static_cast<long long>(actions.progress->value));
  }
  if (actions.file_failed) {
    // The file is read while data moves, which the data handler of the window drives.
    reports_.ReportError("Winsock1_DataArrival", this, 0, "frmSend",
                         std::string(actions.status.value_or("")) + " " + FilePath);
  }
  if (actions.close) {
    outgoing_.CloseAfter(sent);
    outgoing_.CloseIfDone(Winsock1(kConnection));
  }
  if (actions.outcome != TransferOutcome::kRunning) {
    if (source_) source_->Close();
    if (actions.outcome == TransferOutcome::kComplete) {
      Command1.SetCaption("&Close");
      StopListening();
    }
  }
  ScheduleTick(Timer1, sender_ ? sender_->WakeAt() : std::nullopt);
  if (send_failed && sender_) Apply(sender_->Closed());
}

void frmSend::StopListening() { Winsock1.Unload(kTransferSocket); }

void frmSend::mClose() {
  // Every step runs whatever became of the one before: a notice that cannot be sent is reported,
  // and the window still lets go of its socket, its file and its timer.
  Guarded("mClose", [&] {
    if (Invited && Outcome() != TransferOutcome::kComplete) {
      Notice(kStatusCancelled);
    }
  });
  // No socket listens any more, so a later close of this window has nothing left to cancel.
  Invited = false;
  Cancelled = true;
  if (sender_) sender_->Cancel();
  if (source_) source_->Close();
  Timer1.SetEnabled(false);
  UnloadWinsock();
}

void frmSend::UnloadWinsock() {
  StopListening();
  Winsock1.Unload(kConnection);
}

void frmSend::Command1_Click() { Unload(); }

void frmSend::Form_Unload(int&) {
  mClose();
  tmrCheck.SetEnabled(false);
  Winsock1.UnloadAll();
}

TransferOutcome frmSend::Outcome() const {
  return sender_ ? sender_->Outcome() : TransferOutcome::kRunning;
}

void frmSend::SetStatus(std::string_view text) { Label1.SetCaption(text); }

}  // namespace quillon::transfer
