"""The review page of quenta render --script in headless Chromium, opened
from disk as a translator opens it: every picture shows, the overflowing
message shows its red, and the filter keeps the messages with findings."""
import io
import os
import shutil
import subprocess
import tempfile
import time
import unittest

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

SOURCE = os.environ["QUENTA_SOURCE_DIR"]
TOOL = os.environ["QUENTA_TOOL"]


def start_browser():
    options = webdriver.ChromeOptions()
    options.binary_location = os.environ.get("QUENTA_CHROMIUM", "/usr/bin/chromium")
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--no-proxy-server", "--window-size=1400,1000", "--force-device-scale-factor=1"]:
        options.add_argument(argument)
    return webdriver.Chrome(service=Service(os.environ.get("QUENTA_CHROMEDRIVER", "/usr/bin/chromedriver")),
                            options=options)


def wait_until(condition, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.05)
    return condition()


class ReviewPageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.out = tempfile.mkdtemp(prefix="quenta-review-")
        run = subprocess.run(
            [TOOL, "render", "--script", "examples/scene.txt", "--out-dir", cls.out, "--window", "592x138",
             "--background-image", "examples/window.png", "--background", "503020", "--position", "24,16",
             "-a", "examples/pictures"],
            cwd=SOURCE, capture_output=True, text=True, timeout=60)
        if run.returncode != 1:  # the scene overflows its window on purpose
            raise RuntimeError(f"quenta render --script exited {run.returncode}: {run.stderr}")
        cls.driver = start_browser()
        cls.driver.get("file://" + os.path.join(cls.out, "index.html"))

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        shutil.rmtree(cls.out, ignore_errors=True)

    def messages(self):
        return self.driver.find_elements(By.CSS_SELECTOR, "article.message")

    def test_every_picture_shows_at_its_size(self):
        articles = self.messages()
        self.assertEqual(len(articles), 5)
        for article in articles:
            image = article.find_element(By.CSS_SELECTOR, "figure img")
            # Lazy pictures load once they come into view.
            self.driver.execute_script("arguments[0].scrollIntoView()", image)
            loaded = wait_until(lambda: self.driver.execute_script(
                "return arguments[0].complete && arguments[0].naturalWidth", image) == 640, 10)
            self.assertTrue(loaded, f"{article.get_attribute('id')}: its picture did not load from disk")
            self.assertEqual(image.size["width"], 640)

    def test_the_overflow_shows_in_red_on_the_page(self):
        def red_pixels(article_id):
            image = self.driver.find_element(By.CSS_SELECTOR, f"#{article_id} figure img")
            self.driver.execute_script("arguments[0].scrollIntoView()", image)
            wait_until(lambda: self.driver.execute_script("return arguments[0].naturalWidth", image) > 0, 10)
            shot = Image.open(io.BytesIO(image.screenshot_as_png)).convert("RGB")
            width, height = shot.size
            # Outside the window's text area, 592x138 at (24, 16).
            return sum(1 for y in range(height) for x in range(width)
                       if not (24 <= x < 616 and 16 <= y < 154)
                       and (lambda p: p[0] > 180 and p[1] < 110 and p[2] < 110)(shot.getpixel((x, y))))
        self.assertGreater(red_pixels("m3"), 20)
        self.assertEqual(red_pixels("m1"), 0)

    def test_the_filter_keeps_the_messages_with_findings(self):
        box = self.driver.find_element(By.ID, "only-findings")
        shown = lambda: [a.get_attribute("id") for a in self.messages() if a.is_displayed()]
        self.assertEqual(shown(), ["m1", "m2", "m3", "m4", "m5"])
        box.click()
        try:
            self.assertEqual(shown(), ["m3", "m4"])
            levels = [li.get_attribute("class") for li in self.driver.find_elements(By.CSS_SELECTOR, "ul.findings li")]
            self.assertEqual(sorted(levels), ["error", "warning"])
        finally:
            box.click()
        self.assertEqual(len(shown()), 5)



class TranslationReviewTest(unittest.TestCase):
    """A PO file of translations: each message's source, context and comments
    beside its picture and translation, and a filter for the messages whose
    comparison with the source found something."""

    @classmethod
    def setUpClass(cls):
        cls.out = tempfile.mkdtemp(prefix="quenta-review-pairs-")
        run = subprocess.run(
            [TOOL, "render", "--script", "examples/scripts/translation.po", "--out-dir", cls.out, "--window", "800x120",
             "--size", "832x152", "-a", "examples/pictures", "-q"],
            cwd=SOURCE, capture_output=True, text=True, timeout=120)
        if run.returncode != 1:  # the scene's planted mistakes are errors
            raise RuntimeError(f"quenta render --script exited {run.returncode}: {run.stderr}")
        cls.driver = start_browser()
        cls.driver.get("file://" + os.path.join(cls.out, "index.html"))

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        shutil.rmtree(cls.out, ignore_errors=True)

    def test_each_message_shows_its_source_beside_its_translation(self):
        article = self.driver.find_element(By.ID, "m3")
        self.assertEqual(article.find_element(By.CSS_SELECTOR, ".original-text").text,
                         "アヤ：ほら、<C255,160,80>手紙</C>が届いたの。")
        self.assertEqual(article.find_element(By.CSS_SELECTOR, ".about-source.comments").text, "comments: speaker: Aya")
        self.assertEqual(article.find_element(By.CSS_SELECTOR, "pre.source").text, "Aya: Look, the letter came.")
        self.assertTrue(article.find_element(By.CSS_SELECTOR, "figure img").get_attribute("src"))
        # A message without comments shows none.
        self.assertEqual(self.driver.find_element(By.ID, "m5").find_elements(By.CSS_SELECTOR, ".about-source.comments"), [])

    def test_the_filter_keeps_the_messages_whose_comparison_found_something(self):
        box = self.driver.find_element(By.ID, "only-comparison")
        shown = lambda: [a.get_attribute("id") for a in self.driver.find_elements(By.CSS_SELECTOR, "article.message")
                         if a.is_displayed()]
        self.assertEqual(len(shown()), 35)
        box.click()
        try:
            kept = shown()
            # The dropped pairs, the changed picture, the full-width and the
            # stray tags, the untranslated line, the colour left open, the
            # placeholders dropped and changed.
            for expected in ["m3", "m4", "m5", "m6", "m7", "m11", "m12", "m32", "m34"]:
                self.assertIn(expected, kept)
            # Overflow, an unencodable character and ASCII quotes are the
            # translation's own; clean messages have nothing.
            for alone in ["m1", "m8", "m9", "m14", "m31", "m33", "m35"]:
                self.assertNotIn(alone, kept)
            for article_id in kept:
                checks = [li.get_attribute("data-check") for li in
                          self.driver.find_elements(By.CSS_SELECTOR, f"#{article_id} ul.findings li")]
                self.assertTrue(set(checks) & {"tag-mismatch", "picture-mismatch", "open-style-mismatch",
                                               "placeholder-mismatch", "untranslated"}, article_id)
        finally:
            box.click()
        self.assertEqual(len(shown()), 35)

if __name__ == "__main__":
    unittest.main()
