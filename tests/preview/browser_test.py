"""The preview page in headless Chromium, as a writer uses it."""
import http.client
import io
import os
import shutil
import tempfile
import time
import unittest

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from preview_server import EXAMPLES, FIXTURES, PreviewServer, render_with_tool, wait_until


def start_browser():
    options = webdriver.ChromeOptions()
    options.binary_location = os.environ.get("QUENTA_CHROMIUM", "/usr/bin/chromium")
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--no-proxy-server", "--window-size=1400,800"]:
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service(os.environ.get("QUENTA_CHROMEDRIVER", "/usr/bin/chromedriver")),
                              options=options)
    driver.set_script_timeout(20)
    return driver


def fetch(server, path):
    connection = http.client.HTTPConnection("127.0.0.1", server.port, timeout=10)
    connection.request("GET", path)
    reply = connection.getresponse()
    body = reply.read()
    connection.close()
    return reply.status, body


def pixels(png):
    image = Image.open(io.BytesIO(png) if isinstance(png, bytes) else png)
    return image.size, image.convert("RGB").tobytes()


class PageTest(unittest.TestCase):
    server_arguments = ()

    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix="quenta-preview-")
        cls.server = PreviewServer(*cls.arguments()).__enter__()
        cls.driver = start_browser()
        cls.driver.get(cls.server.url)
        if not wait_until(lambda: cls.driver.execute_script("return window.quentaPreview.serial > 0"), 10):
            raise RuntimeError("the page drew nothing")

    @classmethod
    def arguments(cls):
        return cls.server_arguments

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.__exit__(None, None, None)
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def serial(self):
        return self.driver.execute_script("return window.quentaPreview.serial")

    def wait_drawn_after(self, serial):
        drawn = wait_until(lambda: self.driver.execute_script(
            "return window.quentaPreview.idle && window.quentaPreview.serial > arguments[0]", serial), 10)
        self.assertTrue(drawn, "the page did not draw again")

    def type_message(self, text):
        """Replaces the editor's text by typing it, and waits for the drawing."""
        before = self.serial()
        editor = self.driver.find_element(By.ID, "editor")
        editor.send_keys(Keys.CONTROL, "a")
        editor.send_keys(Keys.DELETE)
        editor.send_keys(text)
        self.wait_drawn_after(before)
        self.assertEqual(editor.get_attribute("value"), text)

    def picture_png(self):
        source = self.driver.find_element(By.ID, "picture").get_attribute("src")
        status, body = fetch(self.server, "/" + source.split("/", 3)[3])
        self.assertEqual(status, 200)
        return body

    def findings(self):
        return [{"line": int(li.get_attribute("data-line")), "column": int(li.get_attribute("data-column")),
                 "check": li.get_attribute("data-check"), "element": li}
                for li in self.driver.find_elements(By.CSS_SELECTOR, "#findings li[data-check]")]


class TypedMessageTest(PageTest):
    def test_typing_redraws_the_picture_as_quenta_render_draws_it(self):
        first = "<S32><C255,80,80>Red</C> and <E><EC0,0,160>edged</EC></E> text"
        self.type_message(first)
        drawn_first = self.picture_png()
        expected = render_with_tool(first, os.path.join(self.scratch, "first.png"))
        self.assertEqual(pixels(drawn_first), pixels(expected))

        second = first + "\n<K>二行目</K>の影"
        self.type_message(second)
        drawn_second = self.picture_png()
        self.assertNotEqual(pixels(drawn_second), pixels(drawn_first))
        expected = render_with_tool(second, os.path.join(self.scratch, "second.png"))
        self.assertEqual(pixels(drawn_second), pixels(expected))

    def test_a_malformed_tag_is_listed_at_its_place_and_clicking_goes_there(self):
        text = "A fine first line\nthen <C255,0>a broken colour"
        self.type_message(text)
        malformed = [f for f in self.findings() if f["check"] == "malformed-tag"]
        self.assertEqual([(f["line"], f["column"]) for f in malformed], [(2, 6)])
        editor = self.driver.find_element(By.ID, "editor")
        self.driver.execute_script("arguments[0].setSelectionRange(0, 0)", editor)
        malformed[0]["element"].click()
        self.assertEqual(self.driver.execute_script("return document.activeElement.id"), "editor")
        self.assertEqual(editor.get_attribute("selectionStart"), str(text.index("<C255,0>")))
        marked = self.driver.find_elements(By.CSS_SELECTOR, "#highlight .mark-error")
        self.assertEqual("".join(m.text for m in marked), "<C255,0>")

    def test_a_message_too_wide_shows_its_overflow_beyond_the_frame(self):
        self.type_message("Short enough.")
        self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, "#overlay .overflow"), [])
        self.type_message("This line is far too long to fit in the message window of the game, however it is set.")
        frame = self.driver.find_element(By.ID, "frame")
        right = float(frame.get_attribute("x")) + float(frame.get_attribute("width"))
        boxes = self.driver.find_elements(By.CSS_SELECTOR, "#overlay .overflow")
        self.assertEqual(len(boxes), 1)
        self.assertGreaterEqual(float(boxes[0].get_attribute("x")), right)
        self.assertIn("line-too-wide", [f["check"] for f in self.findings()])
        # Hatched and outlined, never a plain fill that reads as red text.
        self.assertEqual(boxes[0].value_of_css_property("fill"), 'url("#hatch")')
        self.assertNotEqual(boxes[0].value_of_css_property("stroke-dasharray"), "none")
        # The line runs past the picture's edge: the overlay reaches as far
        # as it does, and says how far past the window it is.
        picture_width = self.driver.execute_script("return document.getElementById('picture').naturalWidth")
        box_right = float(boxes[0].get_attribute("x")) + float(boxes[0].get_attribute("width"))
        self.assertGreater(box_right, picture_width)
        view = [float(v) for v in self.driver.execute_script(
            "return document.getElementById('overlay').getAttribute('viewBox')").split()]
        self.assertGreaterEqual(view[0] + view[2], box_right)
        label = self.driver.find_element(By.CSS_SELECTOR, "#overlay .reach").text
        self.assertEqual(label, "+%d px" % round(float(boxes[0].get_attribute("width")) + 1))

    def test_the_picture_can_be_saved(self):
        self.type_message("Saved as a picture")
        save = self.driver.find_element(By.ID, "save")
        self.assertEqual(save.get_attribute("download"), "message.png")
        self.assertEqual(save.get_attribute("href"), self.driver.find_element(By.ID, "picture").get_attribute("src"))


class ScriptModeTest(PageTest):
    @classmethod
    def arguments(cls):
        cls.script = os.path.join(cls.scratch, "scene.txt")
        shutil.copy(os.path.join(FIXTURES, "scene.txt"), cls.script)
        return (cls.script,)

    def setUp(self):
        first = self.driver.find_element(By.CSS_SELECTOR, "#messages li")
        if first.get_attribute("aria-selected") != "true":
            before = self.serial()
            first.click()
            self.wait_drawn_after(before)

    def editor_text(self):
        return self.driver.find_element(By.ID, "editor").get_attribute("value")

    def test_stepping_to_another_message_and_following_the_file(self):
        items = self.driver.find_elements(By.CSS_SELECTOR, "#messages li")
        self.assertEqual(len(items), 3)
        # The list shows each message's words, not its markup.
        shown = self.driver.execute_script(
            "return [...document.querySelectorAll('#messages li')].map((li) => li.lastChild.textContent)")
        self.assertEqual(shown[0], "【案内人】 「ようこそ、旅の方。」")
        self.assertEqual(shown[2], "A third message, far too wide for the window it is shown in.")
        self.assertTrue(self.editor_text().startswith("<C255,220,120>"))
        first_picture = self.picture_png()

        before = self.serial()
        self.driver.find_element(By.ID, "messages").send_keys(Keys.ARROW_DOWN)
        self.wait_drawn_after(before)
        self.assertEqual(self.editor_text(), "The second message, with a <C255,0>broken tag.")
        self.assertNotEqual(pixels(self.picture_png()), pixels(first_picture))
        self.assertEqual([(f["line"], f["column"], f["check"]) for f in self.findings()], [(3, 28, "malformed-tag")])
        self.assertTrue(self.driver.execute_script("return document.getElementById('editor').readOnly"))

        # Saved by the writer's own editor: the page follows without reloading.
        self.driver.execute_script("window.stillTheSamePage = true")
        with open(self.script, encoding="utf-8") as f:
            text = f.read()
        with open(self.script, "w", encoding="utf-8") as f:
            f.write(text.replace("<C255,0>broken tag.", "<C255,0,0>mended</C> tag."))
        # How fast it follows (the server looks every 200 ms, the page asks
        # every 300 ms) is measured, not asserted: a loaded machine may be slow.
        saved = time.monotonic()
        followed = wait_until(lambda: self.editor_text() == "The second message, with a <C255,0,0>mended</C> tag.", 10)
        print("the page followed the saved file in %.0f ms" % ((time.monotonic() - saved) * 1000))
        self.assertTrue(followed, "the page did not follow the file")
        self.assertTrue(self.driver.execute_script("return window.stillTheSamePage === true"))
        wait_until(lambda: not self.findings(), 5)
        self.assertEqual(self.findings(), [])
        with open(self.script, encoding="utf-8") as f:
            self.assertIn("mended", f.read())  # the preview never wrote it

    def test_page_keys_step_both_ways_and_stop_at_the_ends(self):
        body = self.driver.find_element(By.TAG_NAME, "body")
        for key, expected in [(Keys.PAGE_DOWN, 2), (Keys.PAGE_DOWN, 3), (Keys.PAGE_DOWN, 3), (Keys.PAGE_UP, 2)]:
            body.send_keys(key)
            selected = wait_until(lambda: self.driver.find_elements(
                By.CSS_SELECTOR, "#messages li[aria-selected='true']"), 5)
            self.assertEqual(selected[0].get_attribute("data-number"), str(expected))


class TranslationScriptTest(PageTest):
    """A PO file of translations: the page shows the source of the message
    being looked at, with what the file says about it."""

    @classmethod
    def arguments(cls):
        cls.script = os.path.join(cls.scratch, "translation.po")
        shutil.copy(os.path.join(EXAMPLES, "scripts", "translation.po"), cls.script)
        return ("--window", "800x120", cls.script)

    def select(self, number):
        item = self.driver.find_element(By.CSS_SELECTOR, "#messages li[data-number='%d']" % number)
        if item.get_attribute("aria-selected") != "true":
            before = self.serial()
            item.click()
            self.wait_drawn_after(before)

    def test_the_source_of_the_selected_message_stands_above_it(self):
        self.select(3)
        self.assertTrue(self.driver.find_element(By.ID, "original").is_displayed())
        self.assertEqual(self.driver.find_element(By.ID, "original-text").text,
                         "アヤ：ほら、<C255,160,80>手紙</C>が届いたの。")
        self.assertEqual(self.driver.find_element(By.ID, "original-about").text, "speaker: Aya")
        self.assertEqual(self.driver.find_element(By.ID, "editor").get_attribute("value"), "Aya: Look, the letter came.")
        self.assertIn("tag-mismatch", [f["check"] for f in self.findings()])
        # Another message, another source: one without comments shows none.
        self.select(5)
        self.assertEqual(self.driver.find_element(By.ID, "original-text").text, "<G1>封筒には見慣れない紋章が押されていた。")
        self.assertFalse(self.driver.find_element(By.ID, "original-about").is_displayed())


class TypedHasNoSourceTest(PageTest):
    def test_a_typed_message_shows_no_source(self):
        self.assertFalse(self.driver.find_element(By.ID, "original").is_displayed())


class RefusalTest(PageTest):
    def request(self, method, path, headers, body=None):
        connection = http.client.HTTPConnection("127.0.0.1", self.server.port, timeout=10)
        connection.request(method, path, body=body, headers=headers)
        reply = connection.getresponse()
        reply.read()
        connection.close()
        return reply.status

    def test_foreign_hosts_origins_and_sites_are_refused(self):
        ours = self.server.authority
        json_type = {"Content-Type": "application/json"}
        cases = [
            ("GET", "/", {"Host": ours}, None, 200),
            ("GET", "/", {"Host": "rebound.example:%d" % self.server.port}, None, 403),
            ("GET", "/", {"Host": "localhost:%d" % self.server.port}, None, 403),
            ("POST", "/api/render", {"Host": ours, **json_type}, b'{"text":"x"}', 200),
            ("POST", "/api/render", {"Host": ours, "Origin": "http://" + ours, **json_type}, b'{"text":"x"}', 200),
            ("POST", "/api/render", {"Host": ours, "Origin": "http://elsewhere.example", **json_type}, b'{"text":"x"}', 403),
            ("POST", "/api/render", {"Host": ours, "Origin": "null", **json_type}, b'{"text":"x"}', 403),
            ("POST", "/api/render", {"Host": ours, "Sec-Fetch-Site": "cross-site", **json_type}, b'{"text":"x"}', 403),
            ("POST", "/api/render", {"Host": ours, "Content-Type": "text/plain"}, b'{"text":"x"}', 415),
            ("POST", "/api/render", {"Host": ours, **json_type}, b'{"text":', 400),
            ("POST", "/api/render", {"Host": ours, **json_type}, b'{"text":"' + b"x" * 70000 + b'"}', 413),
            ("GET", "/../../etc/passwd", {"Host": ours}, None, 404),
            ("GET", "/picture/999999.png", {"Host": ours}, None, 404),
        ]
        for method, path, headers, body, status in cases:
            with self.subTest(method=method, path=path, headers=headers):
                self.assertEqual(self.request(method, path, headers, body), status)

    def test_the_browser_gets_nothing_through_another_name(self):
        self.driver.get("http://localhost:%d/" % self.server.port)
        self.assertIn("answers only requests for " + self.server.authority,
                      self.driver.find_element(By.TAG_NAME, "body").text)
        self.assertEqual(self.driver.find_elements(By.ID, "editor"), [])


if __name__ == "__main__":
    unittest.main()
