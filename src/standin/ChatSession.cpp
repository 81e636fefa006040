#include "standin/ChatSession.h"

#include "sim/RichEditBox.h"
#include "sim/SimDesktop.h"
#include "sim/SimHtmlDocument.h"
#include "standin/ChatRenderer.h"

namespace quillon::standin {

using platform::Hwnd;
using platform::LParam;
using platform::LResult;
using platform::WParam;
namespace msg = platform::msg;

ChatSession::ChatSession(sim::SimDesktop& desktop, std::string contact, int offset,
                         std::function<void(ChatSession&, const std::string&)> send)
    : desktop_(desktop), contact_(std::move(contact)), send_(std::move(send)) {
  int left = 120 + 30 * offset, top = 80 + 30 * offset;
  platform::WindowCreation frame;
  frame.class_name = "ATL:00572B88";
  frame.title = contact_;
  frame.bounds = {left, top, left + 420, top + 480};
  // The frame owns the chat but is never seen itself: what the person sees is the chat view.
  frame.visible = false;
  frame.proc = [this](Hwnd h, uint32_t m, WParam wp, LParam lp) -> LResult {
    if (m == msg::kClose) {
      desktop_.DestroyWindow(view_);
      view_ = 0;
    }
    return desktop_.DefWindowProc(h, m, wp, lp);
  };
  frame_ = desktop_.CreateWindow(frame);

  platform::WindowCreation view;
  view.class_name = "Chat View";
  view.title = contact_;
  view.bounds = {left + 4, top + 24, left + 416, top + 476};
  view.visible = true;
  view.proc = [this](Hwnd h, uint32_t m, WParam wp, LParam lp) -> LResult {
    if (m == msg::kCommand && on_command) on_command(static_cast<uint32_t>(wp & 0xFFFF));
    return desktop_.DefWindowProc(h, m, wp, lp);
  };
  view_ = desktop_.CreateWindow(view);

  auto child = [&](const char* cls, Hwnd parent, platform::Rect bounds) {
    platform::WindowCreation c;
    c.class_name = cls;
    c.parent = parent;
    c.bounds = bounds;
    c.visible = true;
    return desktop_.CreateWindow(c);
  };
  host_ = child("AtlAxWin71", view_, {0, 0, 412, 340});
  browser_ = child("Internet Explorer_Server", host_, {0, 0, 412, 340});
  toolbar_ = child("Chat Link Bar", view_, {0, 340, 412, 371});
  input_ = child("RichEdit20W", view_, {0, 371, 412, 452});

  // The client's own handling of its input: Enter sends the line instead of starting a new one.
  auto base = std::make_shared<platform::WindowProcId>();
  *base = desktop_.SubclassWindow(
      input_, [this, base](Hwnd h, uint32_t m, WParam wp, LParam lp) -> LResult {
        if ((m == msg::kChar || m == msg::kImeKeyDown) && wp == platform::vk::kReturn) {
          SendInput();
          return 0;
        }
        return desktop_.CallWindowProc(*base, h, m, wp, lp);
      });
  if (auto document = Document()) document->SetLocation("res://googletalk.exe/chat.html");
}

ChatSession::~ChatSession() {
  desktop_.DestroyWindow(view_);
  desktop_.DestroyWindow(frame_);
}

bool ChatSession::Open() const { return desktop_.IsWindow(view_) && desktop_.IsWindow(frame_); }

std::shared_ptr<sim::SimHtmlDocument> ChatSession::Document() const {
  return desktop_.DocumentOf(browser_);
}

void ChatSession::SetActivity(std::string_view note) {
  std::string title = contact_ + std::string(note);
  desktop_.SetTitle(frame_, title);
  desktop_.SetTitle(view_, title);
}

void ChatSession::AppendMessage(std::string_view sender, std::string_view text) {
  if (auto document = Document()) document->AppendHtml(ChatRenderer::RenderMessage(sender, text));
}

std::string ChatSession::InputText() const {
  sim::RichEditBox* box = desktop_.RichEditOf(input_);
  return box ? box->Text() : std::string();
}

void ChatSession::SendInput() {
  std::string line = InputText();
  if (line.find_first_not_of(" \t\r\n") == std::string::npos) return;
  desktop_.SendMessage(input_, msg::kSetText, 0, reinterpret_cast<LParam>(""));
  send_(*this, line);
}

}  // namespace quillon::standin
