#include "web/PageAssets.h"

#include "web/Markup.h"

namespace quillon::web {

const char* const PageAssets::kPagePolicy =
    "default-src 'none'; script-src 'self'; style-src 'self' 'unsafe-inline'; img-src 'self'; "
    "frame-src 'self'; connect-src 'self'; base-uri 'none'; form-action 'none'; "
    "frame-ancestors 'none'";

std::string PageAssets::UsersPage(const std::vector<std::string>& users) {
  std::string html =
      "<!doctype html><html><head><meta charset=\"utf-8\"><title>Quillon desktops</title>"
      "<link rel=\"stylesheet\" href=\"/assets/desktop.css\"></head><body class=\"users\">"
      "<h1>Quillon desktops</h1><ul>";
  for (const std::string& user : users) {
    html += "<li><a href=\"/user/" + Markup::Escape(user) + "\" data-user=\"" +
            Markup::Escape(user) + "\">" + Markup::Escape(user) + "</a></li>";
  }
  return html + "</ul></body></html>";
}

std::string PageAssets::DesktopPage(const std::string& user, const std::string& token) {
  const std::string name = Markup::Escape(user);
  return "<!doctype html><html><head><meta charset=\"utf-8\"><title>" + name +
         " - Quillon desktop</title><meta name=\"quillon-token\" content=\"" + token +
         "\"><link rel=\"stylesheet\" href=\"/assets/desktop.css\">"
         "<script src=\"/assets/desktop.js\" defer></script></head>"
         "<body data-user=\"" +
         name + "\"><main id=\"desktop\" data-version=\"0\" data-user=\"" + name +
         "\"></main><aside id=\"panel\"><h2>" + name + R"HTML(</h2>
<section><h3>Keys the browser keeps</h3>
<button data-hotkey="Ctrl+B">Bold (Ctrl+B)</button>
<button data-hotkey="Ctrl+I">Italic (Ctrl+I)</button>
<button data-hotkey="Ctrl+R">Recall (Ctrl+R)</button>
<button data-hotkey="Ctrl+Shift+B">Boss key</button>
<button data-hotkey="Ctrl+Shift+L">Lock key</button></section>
<section><h3>The outside world</h3>
<label>Contact <input id="contact" value="Alex"></label>
<label>Says <input id="says" value=":)"></label>
<button id="receive">says it</button>
<button id="typing">starts typing</button>
<button id="typing-stop">stops typing</button>
<div><button id="site-down">web site down</button><button id="site-up">web site up</button></div>
<label>File <input id="file-path" value="incoming/note.txt"></label>
<textarea id="file-text" rows="2">hello</textarea><button id="file">appears</button></section>
<section><h3>Statement</h3>
<textarea data-role="statement-box" id="statement" rows="3"
placeholder="dump, expect ..., receive &quot;Alex&quot; &quot;hi&quot;"></textarea>
<button id="run">Run</button><pre id="result"></pre></section>
<section><h3>What ran</h3><div id="log"></div></section></aside></body></html>)HTML";
}

const char* const PageAssets::kStyle = R"CSS(
body { margin: 0; font: 12px sans-serif; display: flex; gap: 8px; background: #ddd; }
body.users { display: block; padding: 16px; }
#desktop { position: relative; width: 1024px; height: 768px; background: #3a6ea5; overflow: hidden;
  flex: none; }
#panel { width: 330px; padding: 4px 8px; background: #f4f4f4; height: 760px; overflow: auto; }
#panel h2, #panel h3 { margin: 4px 0; } #panel section { margin-bottom: 8px; }
#panel button { margin: 2px; } #panel textarea { width: 100%; box-sizing: border-box; }
#result { white-space: pre-wrap; max-height: 120px; overflow: auto; background: #fff; }
.log-entry { border-bottom: 1px solid #ccc; padding: 2px 0; }
.log-entry.failed code { color: #b00; } .log-entry.running code { color: #777; }
.log-entry pre { margin: 0; white-space: pre-wrap; color: #444; }
.win { position: absolute; box-sizing: border-box; overflow: hidden; }
.win.top { overflow: visible; background: #ece9d8; box-shadow: 0 0 0 1px #0a246a; }
.titlebar, .caption { cursor: move; user-select: none; }
.win.client-framed { box-shadow: 0 0 0 4px #0a246a; }
.win.client-framed > .caption { position: absolute; left: -4px; right: -4px; top: -24px;
  height: 24px;
  background: #0a246a; color: #fff; font-weight: bold; padding: 4px 6px; box-sizing: border-box; }
.win.top > .label { padding: 4px 6px; font-weight: bold; }
.win.top.framed { border: 4px solid #0a246a; border-top-width: 0; }
.form > .titlebar { position: absolute; left: -4px; right: -4px; top: 0; height: 27px;
  background: #0a246a; color: #fff; font-weight: bold; padding: 6px 8px; box-sizing: border-box; }
.form.framed > .client { position: absolute; left: 0 !important; top: 27px !important; right: 0;
  bottom: 0; }
.form > .client { position: absolute; right: 0; bottom: 0; }
.titlebar .close { float: right; cursor: pointer; }
.ctl { position: absolute; box-sizing: border-box; font: 12px sans-serif; overflow: hidden; }
.ctl.Label { white-space: pre-wrap; overflow: hidden; } .ctl.Frame { border: 1px solid #999; }
.ctl.Frame .legend { position: absolute; top: -1px; left: 6px; background: #ece9d8;
  padding: 0 2px; }
.ctl.ProgressBar { border: 1px solid #888; background: #fff; }
.ctl.ProgressBar .bar { height: 100%; background: #316ac5; }
.ctl.ListBox { border: 1px solid #888; background: #fff; overflow: auto; }
.ctl.ListBox .item { padding: 0 2px; cursor: default; }
.ctl.ListBox .item[data-selected] { background: #316ac5; color: #fff; }
.ctl.PictureBox img { width: 100%; height: 100%; object-fit: contain; }
.ctl .glyph { display: block; text-align: center; font-weight: bold; color: #0a246a; }
.ctl[data-role=chat-button], .ctl[data-role=main-button] { cursor: pointer; background: #fff3c0;
  border: 1px solid #b59a2a; }
.edit { background: #fff; border: 1px solid #7f9db9; white-space: pre-wrap; padding: 2px;
  cursor: text; }
.edit:focus { outline: 2px solid #316ac5; } .edit .sel { background: #316ac5; color: #fff; }
.edit:focus .caret { border-left: 1px solid #000; }
.toolbar { background: #e8eef8; border-top: 1px solid #99a; }
iframe[data-role=history] { border: 0; width: 100%; height: 100%; background: #fff; }
.contacts { position: absolute; left: 4px; right: 4px; top: 100px; bottom: 4px; background: #fff;
  border: 1px solid #aab; overflow: auto; z-index: 1; }
.contact { padding: 3px 6px; cursor: pointer; } .contact:hover { background: #dde6f6; }
.friend { border: 0; background: #ccc; cursor: move; overflow: hidden; }
.friend-name { position: absolute; text-align: center; white-space: nowrap; font-weight: bold; }
.friend .grip { position: absolute; right: 0; top: 0; bottom: 0; width: 6px; cursor: ew-resize; }
.tray { position: absolute; right: 0; bottom: 0; height: 28px; min-width: 60px; background: #0f5fcf;
  display: flex; gap: 4px; padding: 6px; box-sizing: border-box; z-index: 20000; }
.tray-icon { width: 16px; height: 16px; border-radius: 3px; background: #ccc; }
.tray-icon.icon-own { background: #f0c000; } .tray-icon.icon-boss { background: #444; }
.tray-icon.icon-plain { background: #fff; }
.menu { position: absolute; z-index: 30000; }
.menu-list { background: #fff; border: 1px solid #888; box-shadow: 2px 2px 3px #0005;
  min-width: 150px; }
.menu-item { position: relative; padding: 3px 16px 3px 4px; display: flex; gap: 4px;
  cursor: default; white-space: nowrap; }
.menu-item:hover { background: #316ac5; color: #fff; } .menu-item[data-enabled=no] { color: #999; }
.menu-item .check { width: 12px; } .menu-item .menu-icon { width: 16px; height: 16px; }
.menu-item .menu-icon img { width: 16px; height: 16px; }
.menu-item.sub::after { content: "\25B6"; position: absolute; right: 3px; font-size: 8px;
  top: 5px; }
.menu-item > .menu-list { display: none; position: absolute; left: 100%; top: -1px; color: #000; }
.menu-item.sub:hover > .menu-list, .menu-item.open > .menu-list { display: block; }
.modal { position: absolute; inset: 0; z-index: 40000; background: #0002; }
.dialog { position: absolute; left: 50%; top: 40%; transform: translate(-50%, -50%);
  min-width: 280px;
  background: #ece9d8; border: 2px solid #0a246a; padding: 0 0 8px; }
.dialog .titlebar { background: #0a246a; color: #fff; font-weight: bold; padding: 4px 6px; }
.dialog .dialog-text { padding: 10px; white-space: pre-wrap; }
.dialog input { margin: 0 10px 6px; width: calc(100% - 20px); }
.dialog .buttons { text-align: center; } .dialog button { min-width: 70px; margin: 0 4px; }
.dialog .files { margin: 0 10px 6px; background: #fff; border: 1px solid #888; max-height: 120px;
  overflow: auto; }
.dialog .file { cursor: pointer; padding: 1px 4px; } .dialog .file:hover { background: #dde6f6; }
)CSS";

const char* const PageAssets::kScript = R"JS('use strict';
(() => {
  const token = document.querySelector('meta[name=quillon-token]').content;
  const desktop = document.getElementById('desktop');
  const user = desktop.dataset.user;
  const log = document.getElementById('log');
  const result = document.getElementById('result');
  const base = '/user/' + encodeURIComponent(user);

  // A string of the statement language, quoted with its escapes.
  const q = (text) => '"' + String(text).replace(/\\/g, '\\\\').replace(/"/g, '\\"')
      .replace(/\n/g, '\\n').replace(/\r/g, '\\r').replace(/\t/g, '\\t') + '"';

  // Statements go one after another, in the order the person made them.
  let chain = Promise.resolve();
  function act(statement) {
    chain = chain.then(() => fetch(base + '/act', {
      method: 'POST',
      headers: {'X-Quillon-Token': token, 'Content-Type': 'text/plain;charset=utf-8'},
      body: statement,
    }).then((r) => r.json().catch(() => r.text().then((t) => ({ok: false, text: t}))))
      .then((reply) => {
        result.textContent = (reply.ok ? '' : 'failed: ') + statement +
            (reply.text ? '\n' + reply.text : '');
        result.dataset.version = reply.version || '';
        return reply;
      }).catch((e) => ({ok: false, text: String(e)})));
    return chain;
  }
  window.quillonAct = act;

  // --- Drawing what the live channel sends
  // A redrawn part changes the page in place: elements that stay keep their state, so a typing
  // area keeps its focus, a text box the person edits keeps the edit, and a conversation frame
  // whose document did not change is not loaded again.
  function morph(old, fresh) {
    if (old.nodeType !== fresh.nodeType || old.nodeName !== fresh.nodeName) {
      old.replaceWith(fresh);
      return;
    }
    if (old.nodeType === Node.TEXT_NODE) {
      if (old.data !== fresh.data) old.data = fresh.data;
      return;
    }
    if (old.nodeType !== Node.ELEMENT_NODE) { old.replaceWith(fresh); return; }
    for (const a of [...old.attributes]) {
      if (!fresh.hasAttribute(a.name) && a.name !== 'data-edited') old.removeAttribute(a.name);
    }
    for (const a of [...fresh.attributes]) {
      if (old.getAttribute(a.name) !== a.value) old.setAttribute(a.name, a.value);
    }
    if (old.tagName === 'INPUT') {
      if (old.type === 'checkbox') old.checked = fresh.hasAttribute('checked');
      else if (old.dataset.edited !== 'yes' && document.activeElement !== old) {
        old.value = fresh.getAttribute('value') || '';
      }
    }
    const before = [...old.childNodes], after = [...fresh.childNodes];
    after.forEach((node, i) => {
      if (i < before.length) morph(before[i], node); else old.appendChild(node);
    });
    before.slice(after.length).forEach((node) => node.remove());
  }
  function apply(message) {
    for (const el of [...desktop.querySelectorAll(':scope > [data-part]')]) {
      if (!message.order.includes(el.dataset.part)) el.remove();
    }
    for (const id of message.order) {
      if (!(id in message.parts)) continue;
      const holder = document.createElement('div');
      holder.innerHTML = message.parts[id];
      const fresh = holder.firstElementChild;
      if (!fresh) continue;
      fresh.dataset.part = id;
      const container = id === 'log' ? log : desktop;
      const old = container.querySelector(':scope > [data-part="' + id + '"]');
      if (old) morph(old, fresh); else container.appendChild(fresh);
    }
    if (log.firstElementChild) log.scrollTop = log.scrollHeight;
    desktop.dataset.version = message.version;
  }
  function listen() {
    const source = new EventSource(base + '/events?since=0&token=' + encodeURIComponent(token));
    source.onmessage = (e) => apply(JSON.parse(e.data));
  }

  // --- The person's hands
  const chatOf = (el) => el.closest('[data-contact].chat');
  function front(el) {
    const chat = chatOf(el);
    if (chat && chat.dataset.front !== 'yes') act('activate chat ' + q(chat.dataset.contact));
    else if (!chat && el.closest('[data-class="Main View"]')) {
      const top = el.closest('.win.top');
      if (top && top.dataset.front !== 'yes') act('activate main');
    }
  }
  const menuOpen = () => desktop.querySelector('[data-part=menu]');
  // The pointer where the person clicked, in screen pixels: a popup menu opens there.
  function pointer(e) {
    const r = desktop.getBoundingClientRect();
    act('mouse ' + Math.round(e.clientX - r.left) + ' ' + Math.round(e.clientY - r.top));
  }

  function answer(button) {
    const dialog = button.closest('[data-dialog]');
    const kind = dialog.dataset.dialogKind;
    const choice = button.dataset.answer;
    const field = dialog.querySelector('[data-field]');
    if (choice === 'cancel' || kind === 'message') return act('answer ' + choice);
    if (kind === 'input') return act('answer ' + q(field.value));
    if (kind === 'open' || kind === 'save') {
      let path = field.value;
      if (path && !path.includes('/') && field.dataset.folder) {
        path = field.dataset.folder + '/' + path;
      }
      return path ? act('answer file ' + q(path)) : act('answer cancel');
    }
    const c = field.value;
    return act('answer color ' + parseInt(c.substr(1, 2), 16) + ' ' + parseInt(c.substr(3, 2), 16) +
        ' ' + parseInt(c.substr(5, 2), 16));
  }

  desktop.addEventListener('click', (e) => {
    const t = e.target;
    const item = t.closest('[data-menu]');
    if (item) {
      e.stopPropagation();
      if (item.classList.contains('sub')) { item.classList.toggle('open'); return; }
      if (item.dataset.enabled === 'yes') act('menu ' + q(item.dataset.menu));
      return;
    }
    if (menuOpen() && !t.closest('[data-part=menu]')) { act('menu close'); return; }
    const button = t.closest('[data-answer]');
    if (button) { answer(button); return; }
    const file = t.closest('[data-file]');
    if (file) {
      file.closest('[data-dialog]').querySelector('[data-field]').value = file.dataset.file;
      return;
    }
    const close = t.closest('[data-close]');
    if (close) { act('close ' + close.dataset.close); return; }
    const role = t.closest('[data-role]');
    if (role && role.dataset.role === 'chat-button') {
      front(role);
      pointer(e);
      act('click chat-button');
      return;
    }
    if (role && role.dataset.role === 'main-button') {
      pointer(e);
      act('click main-button');
      return;
    }
    if (role && role.dataset.role === 'contact') {
      act('activate chat ' + q(role.dataset.contact));
      return;
    }
    if (t.closest('[data-friend]')) return;  // the friend's own mouse handling, below
    const control = t.closest('[data-control]');
    const enabled = control && control.dataset.enabled === 'yes';
    if (enabled && control.dataset.kind === 'PictureBox') pointer(e);
    const listItem = t.closest('.item[data-item]');
    if (enabled && listItem && control.dataset.kind === 'ListBox') {
      act('set ' + control.dataset.control + ' ' + q(listItem.dataset.item));
      return;
    }
    if (enabled &&
        ['CommandButton', 'CheckBox', 'PictureBox', 'Label', 'Frame', 'Shape']
            .includes(control.dataset.kind)) {
      act('click ' + control.dataset.control);
      return;
    }
    if (role && role.dataset.role === 'chat-input') { front(role); role.focus(); return; }
    if (chatOf(t)) front(t);
  });
  desktop.addEventListener('dblclick', (e) => {
    const item = e.target.closest('.item[data-item]');
    const control = e.target.closest('[data-control]');
    if (item && control) act('doubleclick ' + control.dataset.control + ' ' + q(item.dataset.item));
  });
  desktop.addEventListener('change', (e) => {
    const t = e.target;
    if (!t.dataset.control) return;
    if (t.type === 'range') act('set ' + t.dataset.control + ' ' + t.value);
    else if (t.type === 'text') {
      t.dataset.edited = 'no';
      act('set ' + t.dataset.control + ' ' + q(t.value));
    }
  });
  desktop.addEventListener('input', (e) => {
    if (e.target.dataset.control) e.target.dataset.edited = 'yes';
  });

  // Friend windows: a click, a right or middle click, a drag, or the right edge dragged.
  let press = null;
  desktop.addEventListener('mousedown', (e) => {
    // A window's title bar: the window moves by the gesture.
    const bar = e.target.closest('.titlebar, .caption');
    if (bar && e.button === 0 && !e.target.closest('[data-close]') &&
        !bar.closest('[data-dialog]')) {
      press = {window: bar.closest('.win.top'), x: e.clientX, y: e.clientY};
      e.preventDefault();
      return;
    }
    const friend = e.target.closest('[data-friend]');
    if (!friend || e.target.closest('input')) return;
    const edge = !!e.target.closest('.grip');
    press = {friend, x: e.clientX, y: e.clientY, button: e.button, edge};
    e.preventDefault();
  });
  document.addEventListener('mouseup', (e) => {
    if (!press) return;
    const {friend, x, y, button, edge} = press;
    const moved = press.window;
    press = null;
    if (moved) {
      const dx = Math.round(e.clientX - x), dy = Math.round(e.clientY - y);
      if (dx || dy) {
        act('drag window ' + q(moved.dataset.class) + ' ' + q(moved.dataset.title) + ' by ' + dx +
            ' ' + dy);
      }
      return;
    }
    const name = q(friend.dataset.friend);
    const dx = Math.round(e.clientX - x), dy = Math.round(e.clientY - y);
    if (button === 1) return act('middleclick friend ' + name);
    if (button === 2) return;  // the context menu event below
    if (Math.abs(dx) + Math.abs(dy) < 3) return act('click friend ' + name);
    if (edge) return act('resize friend ' + name + ' by ' + dx);
    return act('drag friend ' + name + ' by ' + dx + ' ' + dy);
  });
  desktop.addEventListener('contextmenu', (e) => {
    const friend = e.target.closest('[data-friend]');
    e.preventDefault();
    if (friend) {
      pointer(e);
      act('rightclick friend ' + q(friend.dataset.friend));
    }
  });

  // Keys: typed characters and the keys the statements name, into the focused typing area.
  const named = {Enter: 'Enter', Backspace: 'Backspace', Escape: 'Escape', Tab: 'Tab',
    ArrowLeft: 'Left', ArrowRight: 'Right', Home: 'Home', End: 'End'};
  document.addEventListener('keydown', (e) => {
    if (e.key === 'Escape' && menuOpen()) { e.preventDefault(); act('menu close'); return; }
    // Enter and Escape in a Quillon text box reach the program as keys, after the text.
    const box = e.target.closest && e.target.closest('input[type=text][data-control]');
    if (box && (e.key === 'Enter' || e.key === 'Escape')) {
      e.preventDefault();
      if (box.dataset.edited === 'yes') {
        box.dataset.edited = 'no';
        act('set ' + box.dataset.control + ' ' + q(box.value));
      }
      act('key ' + box.dataset.control + ' ' + e.key);
      return;
    }
    const edit = e.target.closest && e.target.closest('.edit');
    if (!edit) return;
    e.preventDefault();
    front(edit);
    if (e.ctrlKey && e.key.length === 1) {
      act('hotkey Ctrl+' + (e.shiftKey ? 'Shift+' : '') + e.key.toUpperCase());
    } else if (named[e.key]) {
      act('key ' + named[e.key]);
    } else if (e.key.length === 1 && !e.altKey && !e.metaKey) {
      act('type ' + q(e.key));
    } else if ([...e.key].length === 1 && !e.ctrlKey) {
      act('type ' + q(e.key));
    }
  });
  desktop.addEventListener('focusin', (e) => {
    const edit = e.target.closest('.edit');
    if (edit) front(edit);
  });

  // --- The side panel
  const panel = document.getElementById('panel');
  const value = (id) => document.getElementById(id).value;
  panel.addEventListener('click', (e) => {
    const t = e.target;
    if (t.dataset.hotkey) return act('hotkey ' + t.dataset.hotkey);
    switch (t.id) {
      case 'receive': return act('receive ' + q(value('contact')) + ' ' + q(value('says')));
      case 'typing': return act('typing ' + q(value('contact')));
      case 'typing-stop': return act('typing ' + q(value('contact')) + ' stop');
      case 'site-down': return act('site down');
      case 'site-up': return act('site up');
      case 'file': {
        let tag = 'END';
        while (value('file-text').split('\n').includes(tag)) tag += 'X';
        return act('file ' + q(value('file-path')) + ' <<' + tag + '\n' + value('file-text') +
            '\n' + tag);
      }
      case 'run': return runStatement();
    }
  });
  function runStatement() {
    const box = document.getElementById('statement');
    if (box.value.trim()) act(box.value);
  }
  document.getElementById('statement').addEventListener('keydown', (e) => {
    if (e.key === 'Enter' && !e.shiftKey) { e.preventDefault(); runStatement(); }
  });

  listen();
})();
)JS";

}  // namespace quillon::web
