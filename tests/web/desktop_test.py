"""The desktop in a real browser: what a person sees and does on the page reaches the program and
comes back, through the page's own routes only."""
import os

from selenium.common.exceptions import NoAlertPresentException
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

import quillon_web
from quillon_web import Desktop

START = '''gtalk contacts "Alex" "Sam"
gtalk start
registry set HKCU "Software\\Quillon\\General" Smileys "1"
quillon start
close frmOptions
activate chat "Alex"
'''


def box(element, desktop):
    """The element's place and size in CSS pixels, relative to the desktop element."""
    return element.parent.execute_script(
        "const r = arguments[0].getBoundingClientRect(), d = arguments[1].getBoundingClientRect();"
        "return [Math.round(r.left - d.left), Math.round(r.top - d.top),"
        " Math.round(r.width), Math.round(r.height)];", element, desktop)


class FreshStart(quillon_web.unittest.TestCase):
    def test_windows_stand_at_their_rectangles_and_the_desktop_is_kept_as_a_picture(self):
        with Desktop(START) as d:
            page = d.open("me")
            desktop = page.desktop()
            main = page.wait_for('[data-class="Google Talk - Google Xmpp Client GUI Window"]')
            chat = page.wait_for('[data-class="Chat View"][data-contact="Alex"]')
            # The stand-in places its main window at 740,60 250x560 and the first chat's view at
            # 124,104 412x452; borders are drawn inside the rectangle.
            self.assertEqual(box(main, desktop), [740, 60, 250, 560])
            self.assertEqual(box(chat, desktop), [124, 104, 412, 452])
            # Children are nested in their parent, at their place inside it.
            typing = chat.find_element(By.CSS_SELECTOR, '[data-role="chat-input"]')
            self.assertEqual(box(typing, desktop), [124, 104 + 371, 412, 81])
            self.assertEqual(chat.find_elements(By.CSS_SELECTOR, "canvas"), [])
            # The hidden frame window of the chat is absent; the closed options window too.
            self.assertEqual(page.find_all('[data-class="ATL:00572B88"]'), [])
            self.assertEqual(page.find_all('[data-form="frmOptions"]'), [])
            self.assertTrue(page.find_all('[data-role="tray-icon"][data-icon="own"]'))
            path = page.screenshot("web-desktop.png")
            self.assertGreater(os.path.getsize(path), 10000)
            # Dragged by its caption, the chat moves by the gesture through its move loop.
            from selenium.webdriver.common.action_chains import ActionChains
            ActionChains(d.driver).drag_and_drop_by_offset(
                chat.find_element(By.CSS_SELECTOR, ".caption"), 30, -20).perform()
            page.wait_for('[data-class="Chat View"][data-contact="Alex"]',
                          lambda e: box(e, page.desktop()) == [154, 84, 412, 452],
                          "the chat did not move with its caption")


class Typing(quillon_web.unittest.TestCase):
    def test_a_slash_command_completes_as_it_is_typed_into_the_page(self):
        with Desktop(START) as d:
            page = d.open("me")
            typing = page.wait_for('[data-contact="Alex"] [data-role="chat-input"]')
            frame = page.find('[data-contact="Alex"] iframe[data-role="history"]')
            typing.click()
            typing.send_keys("/a")
            page.wait_for('[data-contact="Alex"] [data-role="chat-input"]',
                          lambda e: e.get_attribute("data-text") == "/about" and
                          e.get_attribute("data-selection") == "2 6",
                          "the chat input never showed /about with its completion selected")
            # The next key goes on from the completion, as in a scenario.
            page.find('[data-contact="Alex"] [data-role="chat-input"]').send_keys("w")
            page.wait_for('[data-contact="Alex"] [data-role="chat-input"]',
                          lambda e: e.get_attribute("data-text") == "/away" and
                          e.get_attribute("data-selection") == "3 5")
            # The page changed in place: the typing area kept its focus, and the conversation's
            # frame, whose document did not change, was not loaded again.
            self.assertEqual(d.driver.switch_to.active_element, typing)
            self.assertEqual(page.find('[data-contact="Alex"] iframe[data-role="history"]'), frame)


class Conversation(quillon_web.unittest.TestCase):
    def test_a_received_smiley_shows_as_its_picture_loaded_from_the_program_folder(self):
        with Desktop(START + 'receive "Alex" "hello :) there"\nwait 100ms\n') as d:
            page = d.open("me")
            frame = page.wait_for('[data-contact="Alex"] iframe[data-role="history"]')
            d.driver.switch_to.frame(frame)
            try:
                picture = page.wait_until(
                    lambda drv: next((i for i in drv.find_elements(By.TAG_NAME, "img")
                                      if "smileys" in i.get_attribute("src") and
                                      drv.execute_script("return arguments[0].naturalWidth", i) > 0),
                                     False), "no smiley picture loaded in the conversation")
                self.assertIn("/user/me/files/", picture.get_attribute("src"))
            finally:
                d.driver.switch_to.default_content()

    def test_a_hostile_message_runs_no_script_and_stays_inside_its_frame(self):
        hostile = ('<img src=x onerror="top.pwned=1;alert(1)"> '
                   '<a id=j href="javascript:top.pwned=2">go</a> '
                   '</iframe><script>top.pwned=3</script><img src=y onerror=alert(2)>')
        with Desktop(START) as d:
            page = d.open("me")
            page.act('receive "Alex" "%s"' % hostile.replace('"', '\\"'))
            page.act('wait 100ms')
            frame = page.wait_for('[data-contact="Alex"] iframe[data-role="history"]')
            self.assertEqual(frame.get_attribute("sandbox"), "")
            d.driver.switch_to.frame(frame)
            try:
                links = d.driver.find_elements(By.TAG_NAME, "a")
                for link in links:
                    link.click()
            finally:
                d.driver.switch_to.default_content()
            with self.assertRaises(NoAlertPresentException):
                d.driver.switch_to.alert.text
            self.assertIsNone(d.driver.execute_script("return window.pwned"))
            # Nothing of the message reached the page outside the frame.
            self.assertEqual(page.find_all("#desktop script, #desktop img[src=x], #desktop img[src=y]"),
                             [])
            self.assertEqual(len(page.find_all("script")), 1)


class Dialogs(quillon_web.unittest.TestCase):
    def test_a_message_box_is_answered_with_a_click_and_the_program_goes_on(self):
        # Without a file Quillon starts for the first time: its welcome waits for the person, and
        # its options window comes once the welcome is answered.
        with Desktop(None) as d:
            page = d.open("me")
            dialog = page.wait_for('[data-dialog="Welcome!"]')
            self.assertEqual(dialog.get_attribute("data-dialog-kind"), "message")
            self.assertIn("Welcome to Quillon", dialog.get_attribute("data-text"))
            self.assertEqual(page.find_all('[data-form="frmOptions"]'), [])
            page.click_and_wait(dialog.find_element(By.CSS_SELECTOR, '[data-answer="ok"]'))
            page.wait_for('[data-form="frmOptions"]')
            self.assertEqual(page.find_all("[data-dialog]"), [])

    def test_an_input_box_and_the_colour_dialog_take_what_the_person_enters(self):
        scenario = START + 'registry set HKCU "Software\\Quillon\\General" MainBack "1"\n'
        with Desktop(scenario) as d:
            page = d.open("me")
            page.click('[data-role="chat-button"]')
            page.click('[data-menu="Shortcuts"]')
            page.click('[data-menu="Shortcuts/Your Information"]')
            page.click('[data-menu="Shortcuts/Your Information/Your Email"]')
            dialog = page.wait_for('[data-dialog="Enter your Email"]')
            self.assertEqual(dialog.get_attribute("data-dialog-kind"), "input")
            field = dialog.find_element(By.CSS_SELECTOR, '[data-field="text"]')
            field.send_keys("me@example.com")
            page.click_and_wait(dialog.find_element(By.CSS_SELECTOR, '[data-answer="ok"]'))
            reply = page.act('expect setting General YourEmail "me@example.com"')
            self.assertTrue(reply["ok"], reply["text"])

            page.click('[data-role="chat-button"]')
            page.click('[data-menu="Chat Features"]')
            page.click('[data-menu="Chat Features/Change Backcolor"]')
            page.click('[data-menu="Chat Features/Change Backcolor/Message Area"]')
            dialog = page.wait_for('[data-dialog-kind="colour"]')
            d.driver.execute_script("arguments[0].value = '#010203'",
                                    dialog.find_element(By.CSS_SELECTOR, '[data-field="color"]'))
            page.click_and_wait(dialog.find_element(By.CSS_SELECTOR, '[data-answer="ok"]'))
            reply = page.act('expect setting General MainBackColor "010203"')
            self.assertTrue(reply["ok"], reply["text"])


class Menus(quillon_web.unittest.TestCase):
    def test_the_chat_buttons_menu_opens_and_a_shortcut_types_into_the_chat(self):
        with Desktop(START) as d:
            page = d.open("me")
            button = page.wait_for('[data-role="chat-button"]')
            button.click()
            page.wait_for('[data-menu="Shortcuts/QN Version"]')
            # The menu opens where the button was clicked (its middle).
            x, y, w, h = box(button, page.desktop())
            menu_x, menu_y, _, _ = box(page.find('[data-part="menu"]'), page.desktop())
            self.assertLessEqual(abs(menu_x - (x + w // 2)), 1)
            self.assertLessEqual(abs(menu_y - (y + h // 2)), 1)
            page.click('[data-menu="Shortcuts"]')  # opens the submenu
            page.click('[data-menu="Shortcuts/QN Version"]')
            page.wait_for('[data-contact="Alex"] [data-role="chat-input"]',
                          lambda e: e.get_attribute("data-text") == "QN: 1.0.151")
            self.assertEqual(page.find_all("[data-menu]"), [])
            # Escape closes an open menu with nothing chosen.
            page.click('[data-role="chat-button"]')
            page.wait_for('[data-menu="Shortcuts"]')
            page.click("#panel h2")  # outside the desktop: nothing happens
            d.driver.switch_to.active_element.send_keys("\ue00c")
            page.wait_until(lambda drv: not page.find_all("[data-menu]"), "the menu stayed open")


    def test_a_click_on_a_list_item_selects_it(self):
        scenario = START + ('click main-button\nmenu "Active Status"\n'
                            'answer file "Plugins/clock.qn"\nclick frmReader.Button2\n')
        with Desktop(scenario) as d:
            page = d.open("me")
            page.click('[data-control="frmReader.List1"] [data-item="Date"]')
            page.wait_for('[data-control="frmReader.List1"] [data-item="Date"][data-selected]')
            reply = page.act('expect control frmReader.List1 text "Date"')
            self.assertTrue(reply["ok"], reply["text"])


class BossKey(quillon_web.unittest.TestCase):
    def test_the_side_panels_boss_key_hides_and_restores_google_talk(self):
        with Desktop(START) as d:
            page = d.open("me")
            page.wait_for('[data-class="Chat View"]')
            page.click('[data-hotkey="Ctrl+Shift+B"]')
            page.wait_until(lambda drv: not page.find_all('[data-class="Chat View"]'),
                            "the chat stayed on the desktop")
            page.wait_for('[data-role="tray-icon"][data-icon="boss"]')
            page.click('[data-hotkey="Ctrl+Shift+B"]')
            page.wait_for('[data-class="Chat View"][data-contact="Alex"]')


class Security(quillon_web.unittest.TestCase):
    def test_actions_without_the_pages_token_or_origin_are_refused_and_change_nothing(self):
        import urllib.request
        import urllib.error
        with Desktop(START) as d:
            page = d.open("me")
            before = page.version()
            port = d.address.rsplit(":", 1)[1].strip("/")
            cases = [
                ({"Origin": d.address.rstrip("/")}, 403),                      # no token
                ({"X-Quillon-Token": "0" * 32, "Origin": d.address.rstrip("/")}, 403),
                ({"Origin": "http://evil.example", "X-Quillon-Token": "x"}, 403),
                ({"Host": "evil.example:" + port}, 403),                        # rebinding
            ]
            for headers, status in cases:
                request = urllib.request.Request(d.address + "user/me/act", data=b"gtalk quit",
                                                 headers=headers, method="POST")
                with self.assertRaises(urllib.error.HTTPError) as raised:
                    urllib.request.urlopen(request, timeout=10)
                self.assertEqual(raised.exception.code, status, headers)
            for path in ["user/me/files/../../etc/passwd", "user/me/files/%2e%2e/x",
                         "user/nobody", "user/me/history/1"]:
                with self.assertRaises(urllib.error.HTTPError) as raised:
                    urllib.request.urlopen(d.address + path, timeout=10)
                self.assertIn(raised.exception.code, (400, 403, 404), path)
            # A malformed statement from the page itself is refused as such.
            reply = d.driver.execute_async_script(
                "const done = arguments[arguments.length - 1];"
                "fetch('/user/me/act', {method: 'POST', headers: {'X-Quillon-Token':"
                " document.querySelector('meta[name=quillon-token]').content}, body: 'type \"open'})"
                ".then(r => done(r.status));")
            self.assertEqual(reply, 400)
            self.assertEqual(page.version(), before)
            page.wait_for('[data-class="Google Talk - Google Xmpp Client GUI Window"]')


FRIENDS = '''gtalk contacts "Alex" "Sam"
gtalk start
registry set HKCU "Software\\Quillon\\Friends" Alex "1"
registry set HKCU "Software\\Quillon\\Friends" Sam "1"
registry set HKCU "Software\\Quillon\\FriendsData\\Sam" Left "3000"
registry set HKCU "Software\\Quillon\\FriendsData\\Sam" Top "1500"
quillon start
close frmOptions
'''


class Friends(quillon_web.unittest.TestCase):
    def test_a_friend_window_dragged_near_another_snaps_and_its_edge_resizes_it(self):
        from selenium.webdriver.common.action_chains import ActionChains
        with Desktop(FRIENDS) as d:
            page = d.open("me")
            alex = page.wait_for('[data-friend="Alex"]')
            sam = page.wait_for('[data-friend="Sam"]')
            self.assertEqual(box(alex, page.desktop())[:2], [0, 0])
            self.assertEqual(box(sam, page.desktop())[:2], [200, 100])
            self.assertEqual(alex.get_attribute("data-title"), "QNF")
            name = alex.find_element(By.CSS_SELECTOR, '[data-control=\'frmFriend("Alex").Label1\']')
            self.assertEqual(name.text, "Alex")
            # Dropped 5 pixels short of Sam's left edge: the edges touch.
            before = page.version()
            ActionChains(d.driver).drag_and_drop_by_offset(alex, 53, 300).perform()
            page.wait_until(lambda drv: page.version() > before)
            page.wait_for('[data-friend="Alex"]',
                          lambda e: box(e, page.desktop())[:2] == [58, 300],
                          "Alex did not snap to Sam's edge")
            # The right edge dragged: the friend menu's Resize Width, then the edge.
            alex = page.find('[data-friend="Alex"]')
            width = box(alex, page.desktop())[2]
            grip = alex.find_element(By.CSS_SELECTOR, ".grip")
            ActionChains(d.driver).drag_and_drop_by_offset(grip, 40, 0).perform()
            page.wait_for('[data-friend="Alex"]',
                          lambda e: box(e, page.desktop())[2] == width + 40,
                          "Alex's width did not grow by the drag")
            # A right click opens the friend's menu at the pointer; Escape closes it.
            ActionChains(d.driver).context_click(page.find('[data-friend="Sam"]')).perform()
            page.wait_for('[data-menu="Resize Width"]')
            ActionChains(d.driver).send_keys("\ue00c").perform()
            page.wait_until(lambda drv: not page.find_all("[data-menu]"), "the menu stayed open")
            # Edit Name: the rename box takes the new name, and Enter stores it.
            ActionChains(d.driver).context_click(page.find('[data-friend="Sam"]')).perform()
            page.click('[data-menu="Edit Name"]')
            rename = page.wait_for('[data-control=\'frmFriend("Sam").Text1\']',
                                   lambda e: e.is_displayed())
            # Keys go to the focused box, which keeps its focus and its text when redrawn.
            rename.click()
            ActionChains(d.driver).key_down(Keys.CONTROL).send_keys("a").key_up(Keys.CONTROL) \
                .send_keys("Robin\n").perform()
            page.wait_for('[data-friend="Robin"]')
            self.assertEqual(page.find_all('[data-friend="Sam"]'), [])


class SidePanel(quillon_web.unittest.TestCase):
    def test_the_statement_box_and_the_outside_world_act_on_this_user_and_show_results(self):
        with Desktop(START) as d:
            page = d.open("me")
            page.run('receive "Sam" "from the box"')
            page.wait_for('[data-class="Chat View"][data-contact="Sam"]')
            page.run('expect window "Chat View" "Nobody" visible')
            failed = page.wait_for(".log-entry[data-ok=no]")
            self.assertIn("expected: ", failed.text)
            self.assertIn("Nobody", page.find("#result").text)
            # The outside world's buttons: a contact starts typing, and the chat's title says so.
            contact = page.find("#contact")
            contact.clear()
            contact.send_keys("Alex")
            page.click_and_wait(page.find("#typing"))
            page.wait_for('[data-class="Chat View"][data-contact="Alex"]',
                          lambda e: "typing" in e.get_attribute("data-title"))


TWO_USERS = '''gtalk contacts "sam"
gtalk start
quillon start
close frmOptions
user sam
gtalk contacts "me"
gtalk start
quillon start
close frmOptions
user me
file "outbox/report.txt" <<END
a short report, sent between two tabs
END
activate chat "sam"
'''


class TwoUsers(quillon_web.unittest.TestCase):
    def test_two_tabs_on_two_users_chat_and_send_each_other_a_file(self):
        with Desktop(TWO_USERS) as d:
            me = d.open("me")
            sam = d.open("sam", new_tab=True)
            # me says hello in the chat with sam; it arrives in sam's desktop.
            typing = me.wait_for('[data-contact="sam"] [data-role="chat-input"]')
            typing.click()
            typing.send_keys("hello sam\n")
            sam.wait_for('[data-class="Chat View"][data-contact="me"]')
            me.front()
            # me offers the file: the open dialog waits in me's tab and is answered there.
            me.click('[data-contact="sam"] [data-role="chat-button"]')
            me.click('[data-menu="File Transfer"]')
            me.click('[data-menu="File Transfer/Send File..."]')
            dialog = me.wait_for('[data-dialog-kind="open"]')
            dialog.find_element(By.CSS_SELECTOR, '[data-field="file"]').send_keys("outbox/report.txt")
            me.click_and_wait(dialog.find_element(By.CSS_SELECTOR, '[data-answer="ok"]'))
            me.wait_for('[data-control="frmSend.Label1"]',
                        lambda e: e.get_attribute("data-text") == "Awaiting response...")
            # sam sees the invitation with me's own simulated address, and receives the file.
            sam.front()
            chat = sam.wait_for('[data-class="Chat View"][data-contact="me"]')
            sam.act('activate chat "me"')
            sam.act('eventually history contains "connect to: *10.0.0.1*"')
            sam.click('[data-contact="me"] [data-role="chat-button"]')
            sam.click('[data-menu="File Transfer"]')
            sam.click('[data-menu="File Transfer/Receive File"]')
            address = sam.wait_for('[data-control="frmReceive.txtIP"]')
            address.clear()
            address.send_keys("10.0.0.1\t")
            sam.wait_for('[data-control="frmReceive.txtIP"]',
                         lambda e: e.get_attribute("data-text") == "10.0.0.1")
            sam.press(sam.find('[data-control="frmReceive.Command1"]'))
            save = sam.wait_for('[data-dialog-kind="save"]')
            field = save.find_element(By.CSS_SELECTOR, '[data-field="file"]')
            field.clear()
            field.send_keys("received.txt")
            sam.click_and_wait(save.find_element(By.CSS_SELECTOR, '[data-answer="ok"]'))
            sam.wait_for('[data-control="frmReceive.Label1"]',
                         lambda e: e.get_attribute("data-text") == "File has been received!")
            reply = sam.act('expect file "received.txt" "a short report, sent between two tabs"')
            self.assertTrue(reply["ok"], reply["text"])
            me.front().wait_for('[data-control="frmSend.Label1"]',
                                lambda e: e.get_attribute("data-text") == "Send Complete")


if __name__ == "__main__":
    quillon_web.main()
