"""Makes the user guide's pictures from the desktop in the browser.

Run by hand from anywhere after building the sandbox (`cmake --build --preset release --target
quillon-sandbox`):

    /usr/bin/python3 docs/pictures/make_pictures.py [NAME ...]

Each picture has a small scenario that brings a desktop to the state its paragraph of the guide
describes; the picture is cropped to the part that matters and written as NAME.png beside this
file. Without names it makes them all. QUILLON_SANDBOX names another sandbox program.
"""
import base64
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))
sys.dont_write_bytecode = True  # leave no cache beside the test helper

import quillon_web  # noqa: E402  (found through the path above)
from quillon_web import Desktop  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402

if "QUILLON_SANDBOX" not in os.environ:
    quillon_web.SANDBOX = os.path.join(ROOT, "build", "release", "src", "sandbox",
                                       "quillon-sandbox")

LIMIT = 80 * 1024  # bytes: a guide page should stay light
MARGIN = 8  # CSS pixels of desktop around the cropped windows

# Google Talk with three contacts and Quillon, past its first-start welcome and options window.
START = '''gtalk contacts "Alex" "Sam" "Robin"
gtalk start status "Working"
registry set HKCU "Software\\Quillon\\General" Smileys "1"
quillon start
close frmOptions
'''

CHAT = '[data-class="Chat View"][data-contact="Alex"]'
WHOLE_CHAT = [CHAT, CHAT + " > .caption"]  # the title bar stands above the window's own box


def region(page, selectors, margin=MARGIN):
    """The smallest rectangle, in page pixels, around every shown element that matches one of the
    selectors, widened by `margin` and kept inside the desktop."""
    return page.front().driver.execute_script("""
        const [selectors, margin] = arguments;
        const desk = document.getElementById('desktop').getBoundingClientRect();
        let l = Infinity, t = Infinity, r = -Infinity, b = -Infinity;
        for (const css of selectors) {
          for (const e of document.querySelectorAll(css)) {
            const box = e.getBoundingClientRect();
            if (!box.width || !box.height || getComputedStyle(e).display === 'none') continue;
            l = Math.min(l, box.left); t = Math.min(t, box.top);
            r = Math.max(r, box.right); b = Math.max(b, box.bottom);
          }
        }
        if (l === Infinity) return null;
        l = Math.max(desk.left, Math.floor(l - margin));
        t = Math.max(desk.top, Math.floor(t - margin));
        r = Math.min(desk.right, Math.ceil(r + margin));
        b = Math.min(desk.bottom, Math.ceil(b + margin));
        return {x: l + scrollX, y: t + scrollY, width: r - l, height: b - t};
        """, selectors, margin)


def capture(page, selectors, margin=MARGIN):
    """The page's pixels in the region around the selected elements, as PNG bytes."""
    clip = region(page, selectors, margin)
    if clip is None:
        raise RuntimeError("nothing to picture: none of %s is shown" % selectors)
    # Let the page finish painting what the last reply changed.
    page.driver.execute_async_script(
        "const done = arguments[arguments.length - 1];"
        "requestAnimationFrame(() => requestAnimationFrame(done));")
    shot = page.driver.execute_cdp_cmd("Page.captureScreenshot",
                                       {"format": "png", "clip": dict(clip, scale=1)})
    return base64.b64decode(shot["data"])


def side_by_side(driver, pictures, gap=12):
    """Puts pictures taken on different desktops next to each other, on the desktop's colour, in a
    blank tab of the same browser, and returns that row as one PNG."""
    driver.switch_to.new_window("tab")
    row = driver.execute_script("""
        const [pictures, gap] = arguments;
        document.body.style.margin = '0';
        const row = document.createElement('div');
        row.style.cssText = 'display: inline-flex; align-items: flex-start; background: #3a6ea5;' +
            'gap: ' + gap + 'px; padding: ' + gap + 'px;';
        for (const data of pictures) {
          const img = document.createElement('img');
          img.src = 'data:image/png;base64,' + data;
          row.appendChild(img);
        }
        document.body.appendChild(row);
        return row;
        """, [base64.b64encode(p).decode() for p in pictures], gap)
    driver.execute_async_script(
        "const done = arguments[arguments.length - 1];"
        "Promise.all([...document.images].map(i => i.decode())).then(done);")
    return row.screenshot_as_png


def open_page(d, user, new_tab=False):
    """The user's desktop in the browser, in a window tall enough for the whole desktop (the
    helper's window leaves the bottom of the screen, with the tray, below the fold)."""
    d.driver.set_window_size(1400, 1100)
    return d.open(user, new_tab)


def check(page, statement):
    reply = page.act(statement)
    if not reply["ok"]:
        raise RuntimeError("%s: %s" % (statement, reply["text"]))


# --- One function per picture: it returns the PNG bytes.

def desktop():
    with Desktop(START + 'activate chat "Alex"\n') as d:
        page = open_page(d, "me")
        page.wait_for(CHAT + ' [data-role="chat-button"]')
        return page.desktop().screenshot_as_png


def chat_menu():
    # The chat stands a little to the left, so that the open submenus end before Google Talk's
    # main window and the picture holds nothing but the chat and its menu.
    scenario = START + 'activate chat "Alex"\ndrag window "Chat View" "Alex" by -100 0\n'
    with Desktop(scenario) as d:
        page = open_page(d, "me")
        page.click(CHAT + ' [data-role="chat-button"]')
        page.click('[data-menu="Shortcuts"]')
        page.click('[data-menu="Shortcuts/Date and Time"]')
        page.wait_for('[data-menu="Shortcuts/Date and Time/Time"]', lambda e: e.is_displayed())
        return capture(page, WHOLE_CHAT + [".menu-list"])


def completion():
    with Desktop(START + 'activate chat "Alex"\n') as d:
        page = open_page(d, "me")
        typing = page.wait_for(CHAT + ' [data-role="chat-input"]')
        typing.click()
        typing.send_keys("/a")
        page.wait_for(CHAT + ' [data-role="chat-input"]',
                      lambda e: e.get_attribute("data-text") == "/about" and
                      e.get_attribute("data-selection") == "2 6")
        # The typing area and the toolbar above it, where the chat button stands.
        return capture(page, [CHAT + ' [data-role="chat-input"]', CHAT + " .toolbar"], margin=4)


def smileys():
    scenario = START + '''activate chat "Alex"
receive "Alex" "Hi! Did you see the match yesterday? :D"
type "I did :) what a finish"
key Enter
receive "Alex" "we lost though :("
type "next time ;) they play at home"
key Enter
receive "Alex" ":P see you there"
wait 200ms
'''
    with Desktop(scenario) as d:
        page = open_page(d, "me")
        frame = page.wait_for(CHAT + ' iframe[data-role="history"]')
        d.driver.switch_to.frame(frame)
        try:
            page.wait_until(lambda drv: drv.execute_script(
                "const faces = [...document.images].filter(i => i.src.includes('smileys'));"
                "return faces.length >= 5 && faces.every(i => i.complete && i.naturalWidth > 0);"),
                "the smileys' pictures did not load")
        finally:
            d.driver.switch_to.default_content()
        return capture(page, WHOLE_CHAT)


TRANSFER = '''gtalk contacts "Sam"
gtalk start
quillon start
close frmOptions
user Sam
gtalk contacts "me"
gtalk start
quillon start
close frmOptions
user me
file "Documents/holiday-plans.txt" <<END
%s
END
site ip "10.0.0.1"
activate chat "Sam"
answer file "Documents/holiday-plans.txt"
click chat-button
menu "File Transfer/Send File..."
eventually control frmSend.Label1 caption "Awaiting response..."
user Sam
activate chat "me"
click chat-button
menu "File Transfer/Receive File"
set frmReceive.txtIP "10.0.0.1"
answer file "holiday-plans.txt"
click frmReceive.Command1
eventually control frmReceive.Label1 caption "File has been received!"
user me
eventually control frmSend.Label1 caption "Send Complete"
''' % "\n".join("Day %d: a walk by the sea, lunch at the harbour, an early night." % day
                for day in range(1, 301))


def transfer():
    with Desktop(TRANSFER) as d:
        me = open_page(d, "me")
        sent = capture(me, ['[data-form="frmSend"]'], margin=0)
        sam = open_page(d, "Sam", new_tab=True)
        received = capture(sam, ['[data-form="frmReceive"]'], margin=0)
        return side_by_side(d.driver, [sent, received])


def active_status():
    scenario = START + '''click main-button
menu "Active Status"
answer file "Plugins/clock.qn"
click frmReader.Button2
doubleclick frmReader.List1 "Time"
click frmReader.btnOK
click frmReader.Command1
wait 5s
'''
    with Desktop(scenario) as d:
        page = open_page(d, "me")
        check(page, 'expect control frmReader.txtName text "Clock"')
        return capture(page, ['[data-form="frmReader"]'], margin=0)


FRIENDS = '''gtalk contacts "Alex" "Sam"
gtalk start
registry set HKCU "Software\\Quillon\\Friends" Alex "1"
registry set HKCU "Software\\Quillon\\Friends" Sam "1"
registry set HKCU "Software\\Quillon\\FriendsData\\Sam" Left "2400"
registry set HKCU "Software\\Quillon\\FriendsData\\Sam" Top "900"
quillon start
close frmOptions
'''


def friends():
    with Desktop(FRIENDS) as d:
        page = open_page(d, "me")
        page.wait_for('[data-friend="Alex"]')
        sam = page.wait_for('[data-friend="Sam"]')
        ActionChains(d.driver).context_click(sam).perform()
        page.click('[data-menu="Appearance"]')
        page.wait_for('[data-menu="Appearance/Gradient"]', lambda e: e.is_displayed())
        return capture(page, ["[data-friend]", ".menu-list"])


def options():
    # The options window as the first start opens it.
    with Desktop('gtalk contacts "Alex"\ngtalk start\nquillon start\n') as d:
        page = open_page(d, "me")
        page.wait_for('[data-form="frmOptions"]')
        return capture(page, ['[data-form="frmOptions"]'], margin=0)


PICTURES = {
    "desktop": desktop,
    "chat-menu": chat_menu,
    "completion": completion,
    "smileys": smileys,
    "transfer": transfer,
    "active-status": active_status,
    "friends": friends,
    "options": options,
}


def main(names):
    unknown = [n for n in names if n not in PICTURES]
    if unknown:
        sys.exit("no such picture: %s (there are: %s)" % (", ".join(unknown), ", ".join(PICTURES)))
    heavy = []
    for name in names or PICTURES:
        data = PICTURES[name]()
        path = os.path.join(HERE, name + ".png")
        with open(path, "wb") as f:
            f.write(data)
        print("%-14s %6d bytes" % (name + ".png", len(data)))
        if len(data) > LIMIT:
            heavy.append(name)
    if heavy:
        sys.exit("heavier than %d KB: %s" % (LIMIT // 1024, ", ".join(heavy)))


if __name__ == "__main__":
    main(sys.argv[1:])
