#include "web/DesktopModel.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>

#include "app/Quillon.h"
#include "app/frmMain.h"
#include "friends/frmFriend.h"
#include "text/Utf8.h"
#include "runtime/Control.h"
#include "runtime/Form.h"
#include "runtime/Runtime.h"
#include "runtime/Shape.h"
#include "sandbox/UserWorld.h"
#include "sim/RichEditBox.h"
#include "sim/SimDialogs.h"
#include "sim/SimHtmlDocument.h"
#include "web/Markup.h"

namespace quillon::web {

namespace {

using platform::Hwnd;
using platform::Rect;

// A captioned form's outer window: a 4-pixel border and a 23-pixel title bar above the client
// area, where its controls stand.
constexpr int kBorder = 4;
constexpr int kTitleBar = 23;

std::string Attr(std::string_view name, std::string_view value) {
  return " " + std::string(name) + "=\"" + Markup::Escape(value) + "\"";
}

std::string Place(const Rect& r) {
  return "left:" + std::to_string(r.left) + "px;top:" + std::to_string(r.top) +
         "px;width:" + std::to_string(r.Width()) + "px;height:" + std::to_string(r.Height()) +
         "px;";
}

std::string YesNo(bool value) { return value ? "yes" : "no"; }

// A property that holds a number; `otherwise` when it is missing or is no number.
long Number(const std::optional<std::string>& text, long otherwise) {
  if (!text) return otherwise;
  char* end = nullptr;
  long value = std::strtol(text->c_str(), &end, 10);
  return text->empty() || *end ? otherwise : value;
}

// The name a scenario gives a control: FORM.CONTROL, FORM.CONTROL(INDEX), FORM("KEY").CONTROL.
std::string ControlName(const runtime::Form& form, const runtime::Control& control) {
  std::string name = form.Name();
  if (!form.Key().empty()) name += "(\"" + form.Key() + "\")";
  return name + "." + control.Key();
}

class Builder {
 public:
  Builder(sandbox::UserWorld& world, const std::string& user)
      : world_(world), desktop_(world.Desktop()), user_(user) {
    if (app::Quillon* quillon = world.CurrentQuillon()) {
      for (runtime::Form* form : quillon->Rt().Forms()) {
        if (!form->Loaded()) continue;
        forms_[form->hWnd()] = form;
        for (runtime::Control* control : form->Controls()) {
          if (control->Hwnd()) controls_[control->Hwnd()] = {form, control};
        }
      }
    }
    if (world.GTalk().Running()) {
      for (const std::string& name : world.GTalk().ChatNames()) {
        if (standin::ChatSession* chat = world.GTalk().Chat(name)) chats_[chat->View()] = chat;
      }
    }
  }

  Publication::Desktop Build() {
    Publication::Desktop out;
    out.home = world_.Home().string();
    std::vector<Hwnd> tops = desktop_.TopLevelWindows();  // top-most first
    int z = static_cast<int>(tops.size());
    std::vector<Publication::Part> windows;
    for (Hwnd top : tops) {
      --z;
      if (!desktop_.IsWindowVisible(top)) continue;
      // The top-most band stands above every other window, as the desktop draws it.
      int layer = (desktop_.IsTopMost(top) ? 10000 : 0) + z + 1;
      windows.push_back({"w" + std::to_string(top), TopLevel(top, layer)});
    }
    std::reverse(windows.begin(), windows.end());
    out.parts = std::move(windows);
    out.parts.push_back({"tray", Tray()});
    if (world_.Dialogs().OpenMenu()) out.parts.push_back({"menu", Menu()});
    if (world_.Dialogs().Waiting()) out.parts.push_back({"dialog", Dialog()});
    out.documents = std::move(documents_);
    return out;
  }

 private:
  std::string TopLevel(Hwnd window, int layer) {
    std::string style =
        Place(desktop_.GetWindowRect(window)) + "z-index:" + std::to_string(layer) + ";";
    if (auto alpha = desktop_.GetLayeredAlpha(window)) {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "opacity:%.3f;", *alpha / 255.0);
      style += buffer;
    }
    return Window(window, style, true);
  }

  std::string Common(Hwnd window) {
    std::string title = desktop_.TitleOf(window);
    return Attr("data-hwnd", std::to_string(window)) +
           Attr("data-class", desktop_.GetClassName(window)) + Attr("data-title", title);
  }

  std::string Window(Hwnd window, const std::string& style, bool top) {
    if (auto form = forms_.find(window); form != forms_.end()) {
      return Form(*form->second, window, style);
    }
    if (auto control = controls_.find(window); control != controls_.end()) {
      return Control(*control->second.first, *control->second.second, style);
    }
    const std::string cls = desktop_.GetClassName(window);
    std::string attrs = Common(window);
    std::string classes = "win";
    std::string inner;
    if (top) {
      classes += " top";
      if (window == desktop_.GetForegroundWindow()) attrs += Attr("data-front", "yes");
    }
    if (auto chat = chats_.find(window); chat != chats_.end()) {
      attrs += Attr("data-contact", chat->second->Contact());
      classes += " chat";
    }
    if (top && (cls == "Chat View" || window == world_.GTalk().MainWindow())) {
      // The client's frame stands around the window; its caption is drawn just above it.
      inner += "<div class=\"caption\">" + Markup::Escape(desktop_.TitleOf(window)) + "</div>";
      classes += " client-framed";
    } else if (top && !desktop_.TitleOf(window).empty()) {
      // Another window of its own (a notification, the client's settings): its title inside.
      inner += "<div class=\"label\">" + Markup::Escape(desktop_.TitleOf(window)) + "</div>";
    }
    if (sim::RichEditBox* edit = desktop_.RichEditOf(window)) {
      return Edit(window, *edit, attrs, style);
    }
    if (cls == "Internet Explorer_Server") {
      if (auto document = desktop_.DocumentOf(window)) {
        std::string body =
            DesktopModel::FrameDocument(document->BodyHtml(), world_.Home().string(), user_);
        std::string html =
            "<!doctype html><html><head><meta charset=\"utf-8\"><style>body{"
            "font:12px sans-serif;margin:4px;background:" +
            Markup::Escape(document->BgColor()) + ";color:" + Markup::Escape(document->FgColor()) +
            "}</style></head><body>" + body + "</body></html>";
        size_t hash = std::hash<std::string>{}(html);
        documents_[std::to_string(window)] = html;
        inner +=
            "<iframe data-role=\"history\" sandbox=\"\" referrerpolicy=\"no-referrer\" src=\"" +
            Markup::Escape("/user/" + user_ + "/history/" + std::to_string(window) +
                           "?v=" + std::to_string(hash)) +
            "\"></iframe>";
      }
    }
    if (window == world_.GTalk().StatusArea()) {
      attrs += Attr("data-role", "status-line") + Attr("data-text", world_.GTalk().Status());
    }
    if (window == world_.GTalk().MainWindow()) inner += Contacts();
    if (cls == "Chat Link Bar") classes += " toolbar";
    for (Hwnd child : desktop_.ChildrenOf(window)) {
      if (!desktop_.IsWindowVisible(child)) continue;
      inner += Window(child, Place(desktop_.GetWindowRect(child)), false);
    }
    return "<div class=\"" + classes + "\"" + attrs + Attr("style", style) + ">" + inner + "</div>";
  }

  std::string Contacts() {
    std::string list = "<div class=\"contacts\">";
    for (const std::string& name : world_.GTalk().Contacts()) {
      list += "<div class=\"contact\" data-role=\"contact\"" + Attr("data-contact", name) + ">" +
              Markup::Escape(name) + "</div>";
    }
    return list + "</div>";
  }

  std::string Edit(Hwnd window, sim::RichEditBox& edit, std::string attrs,
                   const std::string& style) {
    std::u32string text = text::DecodeUtf8(edit.Text());
    int length = static_cast<int>(text.size());
    int start = std::clamp(edit.SelectionStart(), 0, length);
    int end = std::clamp(edit.SelectionEnd(), start, length);
    auto piece = [&](int from, int to) {
      return Markup::Escape(text::EncodeUtf8(text.substr(from, to - from)));
    };
    std::string shown = piece(0, start) + "<span class=\"sel\">" + piece(start, end) + "</span>" +
                        (start == end ? "<span class=\"caret\"></span>" : "") + piece(end, length);
    std::string role;
    Hwnd parent = desktop_.GetParent(window);
    if (chats_.count(parent)) role = "chat-input";
    if (!role.empty()) attrs += Attr("data-role", role);
    attrs += Attr("data-text", edit.Text()) +
             Attr("data-selection", std::to_string(start) + " " + std::to_string(end)) +
             Attr("data-readonly", YesNo(edit.ReadOnly())) +
             Attr("data-zoom", std::to_string(edit.ZoomPercent()));
    std::string look = style + "background:" + Markup::Color(edit.Background()) +
                       ";font-size:" + std::to_string(12 * edit.ZoomPercent() / 100) + "px;";
    return "<div class=\"win edit\" tabindex=\"0\"" + attrs + Attr("style", look) + ">" + shown +
           "</div>";
  }

  std::string Form(runtime::Form& form, Hwnd window, const std::string& style) {
    if (auto* friend_window = dynamic_cast<friends::frmFriend*>(&form)) {
      return Friend(*friend_window, window, style);
    }
    const bool captioned = !form.Caption().empty();
    std::string attrs = Common(window) + Attr("data-form", form.Name());
    if (!form.Key().empty()) attrs += Attr("data-key", form.Key());
    if (window == desktop_.GetForegroundWindow()) attrs += Attr("data-front", "yes");
    std::string inner;
    if (captioned) {
      inner += "<div class=\"titlebar\">" + Markup::Escape(form.Caption()) +
               "<span class=\"close\" data-close=\"" + Markup::Escape(form.Name()) +
               "\">&#x2715;</span></div>";
    }
    std::string client =
        "<div class=\"client\" style=\"left:" + std::to_string(captioned ? kBorder : 0) +
        "px;top:" + std::to_string(captioned ? kBorder + kTitleBar : 0) + "px\">";
    for (runtime::Control* control : form.Controls()) {
      // A control whose window another program holds is drawn there.
      if (control->Hwnd() && desktop_.GetParent(control->Hwnd()) != window) continue;
      client += Control(form, *control, Place(control->Bounds()));
    }
    // Windows in the form that are not its controls' (another program's, put there).
    for (Hwnd child : desktop_.ChildrenOf(window)) {
      if (controls_.count(child) || !desktop_.IsWindowVisible(child)) continue;
      client += Window(child, Place(desktop_.GetWindowRect(child)), false);
    }
    inner += client + "</div>";
    return "<div class=\"win top form" + std::string(captioned ? " framed" : "") + "\"" + attrs +
           Attr("style", style) + ">" + inner + "</div>";
  }

  std::string Friend(friends::frmFriend& form, Hwnd window, const std::string& style) {
    std::string name = form.Key();
    std::string look = style;
    const auto& lines = form.Lines();
    const runtime::Picture& picture = form.GetPicture();
    if (!lines.empty()) {
      // The gradient's lines, top to bottom, each an equal band.
      std::string gradient = "linear-gradient(to bottom";
      for (size_t i = 0; i < lines.size(); ++i) gradient += "," + Markup::Color(lines[i]);
      look += "background:" + (lines.size() == 1 ? Markup::Color(lines[0]) : gradient + ")") + ";";
    } else if (!picture.Empty()) {
      if (auto url = FileUrl(picture.source)) {
        look += "background:url('" + *url + "') center/cover;";
      }
    }
    if (form.Box.Visible())
      look += "box-shadow:inset 0 0 0 1px " + Markup::Color(form.Box.BorderColor()) + ";";
    std::string attrs = Common(window) + Attr("data-form", form.Name()) +
                        Attr("data-friend", name) + Attr("data-key", name) +
                        Attr("data-border", YesNo(form.Box.Visible()));
    std::string label = "<div class=\"friend-name\" data-control=\"" +
                        Markup::Escape(ControlName(form, form.Label1)) + "\"" +
                        Attr("data-text", form.Label1.Caption()) + " style=\"" +
                        Place(form.Label1.Bounds()) + "color:" + Markup::Color(form.NameColor()) +
                        "\">" + Markup::Escape(form.Label1.Caption()) + "</div>";
    std::string rename;
    if (form.Text1.Visible()) rename = Control(form, form.Text1, Place(form.Text1.Bounds()));
    return "<div class=\"win top friend\"" + attrs + Attr("style", look) + ">" + label + rename +
           "<div class=\"grip\"></div></div>";
  }

  // The page's address of a file in the user's folder; a relative path is the program folder's.
  std::optional<std::string> FileUrl(const std::string& source) {
    // "res:NAME" is one of the program's own drawings, not a file.
    if (source.empty() || source.rfind("res:", 0) == 0) return std::nullopt;
    const std::string path = world_.ResolvePath(source).lexically_normal().string();
    std::string home = world_.Home().string();
    if (!home.empty() && home.back() != '/') home += '/';
    if (path.rfind(home, 0) != 0) return std::nullopt;
    return "/user/" + Markup::UrlPath(user_) + "/files/" +
           Markup::UrlPath(path.substr(home.size()));
  }

  std::string Control(runtime::Form& form, runtime::Control& control, const std::string& style) {
    const std::string kind = control.Kind();
    std::string name = ControlName(form, control);
    std::string attrs = Attr("data-control", name) + Attr("data-kind", kind) +
                        Attr("data-enabled", YesNo(control.Enabled())) +
                        Attr("data-visible", YesNo(control.Visible()));
    if (control.Hwnd()) attrs += Common(control.Hwnd());
    std::string caption = control.Property("caption").value_or("");
    std::string text = control.Property("text").value_or(caption);
    attrs += Attr("data-text", text);
    if (auto checked = control.Property("checked")) attrs += Attr("data-checked", *checked);
    // Quillon's picture box, where it stands in a chat's toolbar or Google Talk's status area.
    if (Hwnd parent = control.Hwnd() ? desktop_.GetParent(control.Hwnd()) : 0) {
      if (desktop_.GetClassName(parent) == "Chat Link Bar") {
        attrs += Attr("data-role", "chat-button");
      } else if (world_.GTalk().Running() && parent == world_.GTalk().StatusArea()) {
        attrs += Attr("data-role", "main-button");
      }
    }
    std::string look = style + (control.Visible() ? "" : "display:none;");
    std::string disabled = control.Enabled() ? "" : " disabled";
    std::string inner;
    std::string tag = "div";
    if (kind == "Label") {
      inner = Markup::Caption(caption);
    } else if (kind == "TextBox" || kind == "HotkeyControl") {
      return "<input class=\"ctl textbox\" type=\"text\"" + attrs + Attr("value", text) +
             Attr("style", look) + disabled + ">";
    } else if (kind == "CommandButton") {
      tag = "button";
      inner = Markup::Caption(caption);
    } else if (kind == "CheckBox") {
      bool on = control.Property("checked").value_or("no") == "yes";
      inner = "<input type=\"checkbox\" tabindex=\"-1\"" + std::string(on ? " checked" : "") +
              disabled + "> " + Markup::Caption(caption);
    } else if (kind == "Slider") {
      std::string value = control.Property("value").value_or("0");
      std::string max = control.Property("max").value_or("10");
      return "<input class=\"ctl slider\" type=\"range\"" + attrs + Attr("value", value) +
             Attr("data-value", value) + Attr("max", max) + Attr("style", look) + disabled + ">";
    } else if (kind == "ProgressBar") {
      long value = Number(control.Property("value"), 0);
      long max = std::max(1L, Number(control.Property("max"), 100));
      attrs += Attr("data-value", std::to_string(value)) + Attr("data-max", std::to_string(max));
      inner = "<div class=\"bar\" style=\"width:" +
              std::to_string(std::clamp(value * 100 / max, 0L, 100L)) + "%\"></div>";
    } else if (kind == "ListBox") {
      std::string items = control.Property("items").value_or("");
      std::stringstream split(items);
      std::string item;
      while (!items.empty() && std::getline(split, item, '|')) {
        inner += "<div class=\"item\"" + Attr("data-item", item) +
                 (item == text ? " data-selected=\"yes\"" : "") + ">" + Markup::Escape(item) +
                 "</div>";
      }
    } else if (kind == "PictureBox") {
      std::string source = control.Property("picture").value_or("");
      attrs += Attr("data-picture", source);
      if (auto url = FileUrl(source)) {
        inner = "<img alt=\"\"" + Attr("src", *url) + ">";
      } else if (!source.empty()) {
        inner = "<span class=\"glyph\">Q</span>";  // one of the program's own drawings
      }
    } else if (kind == "Shape") {
      auto& shape = static_cast<runtime::Shape&>(control);
      look += "border:1px solid " + Markup::Color(shape.BorderColor()) + ";";
      if (shape.Filled()) look += "background:" + Markup::Color(shape.FillColor()) + ";";
    } else if (kind == "Frame") {
      inner = "<span class=\"legend\">" + Markup::Caption(caption) + "</span>";
    }
    if (control.BackColor() != desktop_.GetSysColor(15) && kind != "Shape") {
      look += "background:" + Markup::Color(control.BackColor()) + ";";
    }
    return "<" + tag + " class=\"ctl " + kind + "\"" + attrs + Attr("style", look) +
           (tag == "button" ? disabled : "") + ">" + inner + "</" + tag + ">";
  }

  std::string Tray() {
    std::string html = "<div class=\"tray\" data-role=\"tray\">";
    auto boss = world_.QuillonIcon("boss");
    auto plain = world_.QuillonIcon("plain");
    for (const auto& [key, icon] : world_.Shell().Icons()) {
      std::string kind = "other";
      // Google Talk's own icon, or the one Quillon shows in its place.
      if (icon.icon == standin::GoogleTalk::kOwnIcon) kind = "own";
      if (boss && icon.icon == *boss) kind = "boss";
      if (plain && icon.icon == *plain) kind = "plain";
      html += "<div class=\"tray-icon icon-" + kind + "\" data-role=\"tray-icon\"" +
              Attr("data-icon", kind) + Attr("data-owner", std::to_string(key.first)) +
              Attr("data-id", std::to_string(key.second)) + Attr("title", icon.tip) + "></div>";
    }
    return html + "</div>";
  }

  void MenuItems(const std::vector<platform::PopupMenuItem>& items, const std::string& prefix,
                 std::string& html) {
    html += "<div class=\"menu-list\">";
    for (const auto& item : items) {
      if (item.caption == "-") {
        html += "<div class=\"separator\"></div>";
        continue;
      }
      std::string plain = sim::SimDialogs::PlainCaption(item.caption);
      std::string path = prefix.empty() ? plain : prefix + "/" + plain;
      html += "<div class=\"menu-item" + std::string(item.children.empty() ? "" : " sub") + "\"" +
              Attr("data-menu", path) + Attr("data-enabled", YesNo(item.enabled)) +
              Attr("data-checked", YesNo(item.checked)) + ">" + "<span class=\"check\">" +
              (item.checked ? "&#x2713;" : "") + "</span>" + MenuIcon(item.icon) +
              "<span class=\"label\">" + Markup::Escape(plain) + "</span>";
      if (!item.children.empty()) MenuItems(item.children, path, html);
      html += "</div>";
    }
    html += "</div>";
  }

  // A menu item's picture: the program's menu pictures, by number.
  std::string MenuIcon(int icon) {
    if (icon < 0) return "";
    std::string html = "<span class=\"menu-icon\" data-icon=\"" + std::to_string(icon) + "\">";
    app::Quillon* quillon = world_.CurrentQuillon();
    if (quillon && quillon->MainForm()) {
      const auto& pictures = quillon->MainForm()->MenuIcons();
      if (static_cast<size_t>(icon) < pictures.size()) {
        if (auto url = FileUrl(pictures[icon].source))
          html += "<img alt=\"\"" + Attr("src", *url) + ">";
      }
    }
    return html + "</span>";
  }

  std::string Menu() {
    platform::Point where = world_.Dialogs().MenuPlace();
    std::string html =
        "<div class=\"menu\" data-role=\"menu\" style=\"left:" + std::to_string(where.x) +
        "px;top:" + std::to_string(where.y) + "px\">";
    MenuItems(*world_.Dialogs().OpenMenu(), "", html);
    return html + "</div>";
  }

  std::string Dialog() {
    using Kind = sim::SimDialogs::Shown::Kind;
    const sim::SimDialogs::Shown& shown = *world_.Dialogs().Waiting();
    std::string kind;
    std::vector<std::string> answers;
    std::string fields;
    switch (shown.kind) {
      case Kind::kMessageBox: {
        kind = "message";
        uint32_t buttons = shown.flags & 0xF;
        answers = buttons == platform::mb::kYesNo ? std::vector<std::string>{"yes", "no"}
                  : buttons == platform::mb::kYesNoCancel
                      ? std::vector<std::string>{"yes", "no", "cancel"}
                  : buttons == platform::mb::kOkCancel ? std::vector<std::string>{"ok", "cancel"}
                                                       : std::vector<std::string>{"ok"};
        break;
      }
      case Kind::kInputBox:
        kind = "input";
        answers = {"ok", "cancel"};
        fields = "<input type=\"text\" data-field=\"text\">";
        break;
      case Kind::kOpenFile:
      case Kind::kSaveFile: {
        kind = shown.kind == Kind::kOpenFile ? "open" : "save";
        answers = {"ok", "cancel"};
        fields = "<div class=\"files\">" + FolderFiles(shown.folder) + "</div>" +
                 "<input type=\"text\" data-field=\"file\"" +
                 Attr("data-folder", Relative(shown.folder)) + ">";
        break;
      }
      case Kind::kColor:
        kind = "colour";
        answers = {"ok", "cancel"};
        fields = "<input type=\"color\" data-field=\"color\" value=\"#000000\">";
        break;
    }
    std::string html = "<div class=\"modal\"><div class=\"dialog\"" +
                       Attr("data-dialog", shown.title) + Attr("data-dialog-kind", kind) +
                       Attr("data-text", shown.text) + ">" + "<div class=\"titlebar\">" +
                       Markup::Escape(shown.title) + "</div>" + "<div class=\"dialog-text\">" +
                       Markup::Escape(shown.text) + "</div>" + fields + "<div class=\"buttons\">";
    for (const std::string& answer : answers) {
      std::string label = answer == "ok"    ? "OK"
                          : answer == "yes" ? "Yes"
                          : answer == "no"  ? "No"
                                            : "Cancel";
      html += "<button" + Attr("data-answer", answer) + ">" + label + "</button>";
    }
    return html + "</div></div></div>";
  }

  // A folder as an answer names it: inside the program folder, relative to it.
  std::string Relative(const std::string& folder) {
    if (folder.empty()) return "";
    std::filesystem::path where = world_.ResolvePath(folder);
    std::filesystem::path shown = where.lexically_relative(world_.ResolvePath("."));
    if (shown.empty() || shown.native().starts_with("..")) return where.string();
    return shown == "." ? "" : shown.string();
  }

  std::string FolderFiles(const std::string& folder) {
    std::string prefix = Relative(folder);
    if (!prefix.empty() && prefix.back() != '/') prefix += '/';
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(
             world_.ResolvePath(folder.empty() ? "." : folder), error)) {
      if (entry.is_regular_file(error)) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    std::string html;
    for (const std::string& name : names) {
      html += "<div class=\"file\"" + Attr("data-file", prefix + name) + ">" +
              Markup::Escape(name) + "</div>";
    }
    return html;
  }

  sandbox::UserWorld& world_;
  sim::SimDesktop& desktop_;
  const std::string& user_;
  std::map<Hwnd, runtime::Form*> forms_;
  std::map<Hwnd, std::pair<runtime::Form*, runtime::Control*>> controls_;
  std::map<Hwnd, standin::ChatSession*> chats_;
  std::map<std::string, std::string> documents_;
};

}  // namespace

Publication::Desktop DesktopModel::Build(sandbox::UserWorld& world, const std::string& user) {
  return Builder(world, user).Build();
}

std::string DesktopModel::FrameDocument(const std::string& body, const std::string& home,
                                        const std::string& user) {
  std::string folder = home;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  const std::string route = "/user/" + Markup::UrlPath(user) + "/files/";
  std::string out;
  size_t from = 0;
  for (size_t at = folder.empty() ? std::string::npos : body.find(folder); at != std::string::npos;
       at = body.find(folder, from)) {
    out.append(body, from, at - from);
    out += route;
    from = at + folder.size();
  }
  out.append(body, from);
  return out;
}

}  // namespace quillon::web
