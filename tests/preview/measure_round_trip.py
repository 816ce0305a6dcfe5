"""Measures the render round trip as the page sees it, in headless Chromium:
from a change of the editor's text to the new picture decoded on the page.
Not a test: prints the figures for BENCHMARKS.md.

    QUENTA_TOOL=build/default/bin/quenta QUENTA_SOURCE_DIR=. \\
        /usr/bin/python3 tests/preview/measure_round_trip.py [ROUNDS]
"""
import statistics
import sys

from browser_test import start_browser
from preview_server import PreviewServer, wait_until

MESSAGE = ("<SPH6><C255,220,120>【案内人】</C>\n「ようこそ、旅の方。\nこの先の森には"
           "<C255,90,90><B>古い竜</B></C>が眠っています。\n<K>足音を立てずに</K>進んでください……」</SPH>")


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 40
    with PreviewServer() as server:
        driver = start_browser()
        try:
            driver.get(server.url)
            wait_until(lambda: driver.execute_script("return window.quentaPreview.idle"), 10)
            times = []
            for i in range(rounds):
                serial = driver.execute_script("return window.quentaPreview.serial")
                driver.execute_script(
                    "const e = document.getElementById('editor'); e.value = arguments[0];"
                    "e.dispatchEvent(new Event('input'));", MESSAGE + str(i))
                wait_until(lambda: driver.execute_script(
                    "return window.quentaPreview.idle && window.quentaPreview.serial > arguments[0]", serial), 10,
                    step=0.005)
                times.append(driver.execute_script("return window.quentaPreview.lastMs"))
        finally:
            driver.quit()
    times.sort()
    print("round trip over %d renders: median %.1f ms, 95th %.1f ms, min %.1f ms, max %.1f ms" %
          (len(times), statistics.median(times), times[int(len(times) * 0.95) - 1], times[0], times[-1]))


if __name__ == "__main__":
    main()
