"""Drives quillon-sandbox --web in headless Chromium: one helper for every browser test.

    with Desktop(scenario_text) as d:
        page = d.open("me")
        page.run('activate chat "Alex"')       # a statement, as the side panel's box runs it
        page.wait_for('[data-role=chat-input]')
"""
import json
import os
import re
import subprocess
import sys
import tempfile
import threading
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

SANDBOX = os.environ.get("QUILLON_SANDBOX", "quillon-sandbox")
ARTEFACTS = os.environ.get("QUILLON_WEB_ARTEFACTS", tempfile.gettempdir())
WAIT = 20  # seconds: a generous bound on a shared machine; waits end as soon as the page shows it


class Desktop:
    """A running quillon-sandbox --web --port 0 with a scenario file, and the browser."""

    def __init__(self, scenario=None, pace=0):
        self.scenario = scenario
        self.pace = pace
        self.process = None
        self.driver = None
        self.address = None

    def __enter__(self):
        args = [SANDBOX, "--web", "--port", "0", "--pace", str(self.pace)]
        if self.scenario is not None:
            handle, path = tempfile.mkstemp(suffix=".scn")
            with os.fdopen(handle, "w") as f:
                f.write(self.scenario)
            self.scenario_file = path
            args.append(path)
        self.process = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        stderr=subprocess.STDOUT, text=True)
        deadline = time.time() + WAIT
        while time.time() < deadline:
            line = self.process.stdout.readline()
            if not line:
                break
            match = re.search(r"Quillon desktop: (http://127\.0\.0\.1:\d+/)", line)
            if match:
                self.address = match.group(1)
                break
        if not self.address:
            self.close()
            raise RuntimeError("quillon-sandbox printed no address")
        # The sandbox goes on printing (dialogs, the prompt): keep its pipe empty so it never
        # blocks, and keep what it said for a failing test to show.
        self.printed = []
        threading.Thread(target=lambda: self.printed.extend(iter(self.process.stdout.readline, "")),
                         daemon=True).start()
        # The window is tall enough that the whole 768-pixel desktop, tray included, is in view.
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--window-size=1400,1000"):
            options.add_argument(flag)
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        if self.driver:
            self.driver.quit()
            self.driver = None
        if self.process:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
            for stream in (self.process.stdin, self.process.stdout):
                if stream:
                    stream.close()
            self.process = None
        if getattr(self, "scenario_file", None):
            os.unlink(self.scenario_file)
            self.scenario_file = None

    def open(self, user, new_tab=False):
        if new_tab:
            self.driver.switch_to.new_window("tab")
        self.driver.get(self.address + "user/" + user)
        page = Page(self, self.driver.current_window_handle)
        page.wait_until(lambda d: int(page.desktop().get_attribute("data-version")) > 0)
        return page


class Page:
    """One tab on one user's desktop."""

    def __init__(self, desktop, handle):
        self.owner = desktop
        self.driver = desktop.driver
        self.handle = handle

    def front(self):
        if self.driver.current_window_handle != self.handle:
            self.driver.switch_to.window(self.handle)
        return self

    def desktop(self):
        return self.driver.find_element(By.ID, "desktop")

    def version(self):
        return int(self.front().desktop().get_attribute("data-version"))

    def wait_until(self, condition, message=""):
        return WebDriverWait(self.driver, WAIT).until(condition, message)

    def wait_version(self, version):
        """Waits until the page shows the desktop at `version` or later."""
        self.front().wait_until(lambda d: self.version() >= version,
                                "the page never reached version %d" % version)

    def act(self, statement):
        """Runs a statement through the page's own action route; waits until the page shows the
        desktop after it, and returns the reply."""
        reply = self.front().driver.execute_async_script(
            "const done = arguments[arguments.length - 1];"
            "window.quillonAct(arguments[0]).then(done);", statement)
        self.wait_version(reply["version"])
        return reply

    def run(self, statement):
        """Types a statement into the side panel's statement box and runs it, as a person does."""
        box = self.front().find('[data-role="statement-box"]')
        box.clear()
        box.send_keys(statement)
        before = self.version()
        self.find("#run").click()
        self.wait_until(lambda d: self.find("#result").get_attribute("data-version") not in
                        ("", None) and int(self.find("#result").get_attribute("data-version")) >= before)
        self.wait_version(int(self.find("#result").get_attribute("data-version")))

    def find(self, css):
        return self.front().driver.find_element(By.CSS_SELECTOR, css)

    def find_all(self, css):
        return self.front().driver.find_elements(By.CSS_SELECTOR, css)

    def wait_for(self, css, condition=None, message=None):
        """The first element matching `css` for which `condition(element)` holds."""
        def look(_):
            for element in self.find_all(css):
                try:
                    if condition is None or condition(element):
                        return element
                except Exception:  # redrawn meanwhile: look again
                    pass
            return False
        return self.front().wait_until(look, message or "nothing matched " + css)

    def click(self, css):
        """Clicks the first element matching `css` once there is one; an element redrawn between
        finding and clicking is found again."""
        from selenium.common.exceptions import StaleElementReferenceException
        for _ in range(10):
            try:
                self.wait_for(css).click()
                return
            except StaleElementReferenceException:
                continue
        raise AssertionError("could not click " + css)

    def click_and_wait(self, element):
        """Clicks and waits for the reply's version to show."""
        before = self.version()
        element.click()
        self.wait_until(lambda d: self.version() > before)

    def press(self, element):
        """Clicks an element even where another stands over it (a form whose controls are not
        laid out yet all stand at one place)."""
        self.front().driver.execute_script("arguments[0].click()", element)

    def screenshot(self, name):
        path = os.path.join(ARTEFACTS, name)
        self.front().driver.save_screenshot(path)
        return path


def main():
    unittest.main(argv=[sys.argv[0]] + sys.argv[1:], verbosity=2)
