"""The tools against failing disks, kills and special files: every write is
checked through to the close and a failure exits 1 with the system's
reason; `wrap -i` edits the file a name stands for, or refuses; the out-dir
of `render --script` describes exactly the pictures it holds after a full
disk or a kill, and a rerun draws only what is missing; a damaged picture is
reported as damaged. Bounded: every run has a time-out."""
import json
import os
import re
import resource
import shutil
import signal
import struct
import subprocess
import tempfile
import unittest

QUENTA = os.environ["QUENTA_TOOL"]
QUENTA_RENDER = os.environ["QUENTA_RENDER_TOOL"]
SOURCE = os.environ["QUENTA_SOURCE_DIR"]
PICTURE = os.path.join(SOURCE, "examples", "pictures", "1.png")
LIMIT = 120  # seconds any one run may take
NOBODY = 65534
DRAWING = ["--size", "200x60"]


def run(arguments, bound=False, **options):
    """bound: as root, run it bound by the permission bits as anyone else is,
    still as root (so it reaches the build wherever that is): without the
    capabilities that override them."""
    if bound and os.geteuid() == 0:
        arguments = ["setpriv", "--inh-caps=-all", "--bounding-set=-all", "--", *arguments]
    options.setdefault("stdout", subprocess.PIPE)
    options.setdefault("stderr", subprocess.PIPE)
    return subprocess.run(arguments, text=True, timeout=LIMIT, **options)


def file_size_limit(size):
    """For a child: writes past `size` bytes fail with EFBIG, not SIGXFSZ."""
    def limit():
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        resource.setrlimit(resource.RLIMIT_FSIZE, (size, size))
    return limit


def long_script(path, messages, width=60):
    with open(path, "w", encoding="utf-8") as f:
        for n in range(messages):
            f.write("message %d: " % n + "word " * (width // 5) + "\n\n")


def manifest_names(folder):
    with open(os.path.join(folder, ".quenta-pictures.jsonl")) as f:
        lines = f.read().splitlines()[1:]
    return {json.loads(line)[1] for line in lines if json.loads(line)[2]}


def pictures_in(folder):
    return {name for name in os.listdir(folder) if name.endswith(".png")}


def page_pictures(folder):
    with open(os.path.join(folder, "index.html"), encoding="utf-8") as f:
        return set(re.findall(r'<img src="([^"?]+)', f.read()))


class Tmpfs:
    """A small tmpfs where the test may mount one (root in its own mount
    space); otherwise the tests that need one are skipped."""

    def __init__(self, size):
        self.path = tempfile.mkdtemp()
        self.mounted = run(["mount", "-t", "tmpfs", "-o", "size=%s" % size, "tmpfs", self.path]).returncode == 0 \
            if os.geteuid() == 0 and shutil.which("mount") else False

    def __enter__(self):
        if not self.mounted:
            raise unittest.SkipTest("no tmpfs can be mounted here")
        return self.path

    def __exit__(self, *_):
        run(["umount", self.path])
        os.rmdir(self.path)


class StandardOutputTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp()
        self.script = os.path.join(self.folder, "script.txt")
        long_script(self.script, 2000)

    def tearDown(self):
        shutil.rmtree(self.folder)

    def test_a_full_standard_output_fails_with_the_reason(self):
        commands = {
            "wrap": [QUENTA, "wrap", "--width", "100", self.script],
            "check": [QUENTA, "check", "--format", "json", "--window", "100x60", self.script],
            "render": [QUENTA, "render", *DRAWING, "-o", "-", self.script],
            "quenta-render": [QUENTA_RENDER, *DRAWING, "-o", "-", self.script],
        }
        for name, command in commands.items():
            with self.subTest(name), open("/dev/full", "w") as full:
                result = run(command, stdout=full, stderr=subprocess.PIPE)
                self.assertEqual(result.returncode, 1, result.stderr)
                self.assertIn("No space left on device", result.stderr)

    def test_a_file_past_the_size_limit_fails_with_the_reason(self):
        out = os.path.join(self.folder, "out")
        commands = {
            "wrap": [QUENTA, "wrap", "--width", "100", self.script],
            "check": [QUENTA, "check", "--format", "json", "--window", "100x60", self.script],
            "render -o": [QUENTA, "render", "--size", "400x400", "-o", out, self.script],
            "quenta-render -o": [QUENTA_RENDER, "--size", "400x400", "-o", out, self.script],
        }
        for name, command in commands.items():
            with self.subTest(name), open(out + ".stdout", "w") as stdout:
                result = run(command, stdout=stdout, stderr=subprocess.PIPE, preexec_fn=file_size_limit(4096))
                self.assertEqual(result.returncode, 1, result.stderr)
                self.assertIn("File too large", result.stderr)
        self.assertFalse(os.path.exists(out), "a partial picture was left")


class WrapInPlaceTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp()
        os.chmod(self.folder, 0o777)
        self.script = os.path.join(self.folder, "script.txt")
        long_script(self.script, 50)
        with open(self.script, "rb") as f:
            self.original = f.read()

    def tearDown(self):
        shutil.rmtree(self.folder)

    def wrap(self, path, **options):
        return run([QUENTA, "wrap", "--width", "100", "-i", path], **options)

    def read(self, path):
        with open(path, "rb") as f:
            return f.read()

    def test_a_link_is_followed_to_the_file_it_names(self):
        link = os.path.join(self.folder, "link.txt")
        os.symlink("script.txt", link)
        os.chmod(self.script, 0o640)
        self.assertEqual(self.wrap(link).returncode, 0)
        self.assertTrue(os.path.islink(link))
        self.assertIn(b"<R>", self.read(self.script))
        self.assertEqual(os.stat(self.script).st_mode & 0o777, 0o640)

    def test_special_files_are_refused_untouched(self):
        fifo = os.path.join(self.folder, "fifo.txt")
        os.mkfifo(fifo)
        result = self.wrap(fifo)
        self.assertEqual(result.returncode, 1)
        self.assertIn("not a regular file", result.stderr)
        self.assertTrue(os.path.exists(fifo) and not os.path.isfile(fifo))
        hard = os.path.join(self.folder, "hard.txt")
        os.link(self.script, hard)
        result = self.wrap(hard)
        self.assertEqual(result.returncode, 1)
        self.assertIn("hard links", result.stderr)
        self.assertEqual(self.read(self.script), self.original)

    def test_what_cannot_be_written_in_place_is_refused(self):
        os.chmod(self.script, 0o444)
        result = self.wrap(self.script, bound=True)
        self.assertEqual(result.returncode, 1)
        self.assertIn("Permission denied", result.stderr)
        self.assertEqual(self.read(self.script), self.original)
        self.assertEqual(os.stat(self.script).st_uid, os.geteuid())

    def test_the_owner_is_kept(self):
        if os.geteuid() != 0:
            self.skipTest("only root can give a file to another user")
        os.chown(self.script, NOBODY, NOBODY)
        self.assertEqual(self.wrap(self.script).returncode, 0)
        info = os.stat(self.script)
        self.assertEqual((info.st_uid, info.st_gid), (NOBODY, NOBODY))
        self.assertIn(b"<R>", self.read(self.script))

    def test_a_kill_during_the_write_leaves_the_old_file_and_the_rerun_cleans_up(self):
        long_script(self.script, 40000)
        original = self.read(self.script)
        wrapped = subprocess.run([QUENTA, "wrap", "--width", "100", self.script], capture_output=True,
                                 timeout=LIMIT).stdout
        process = subprocess.Popen([QUENTA, "wrap", "--width", "100", "-i", self.script],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # The handshake: the temporary beside the script appears.
        temporaries = []
        while process.poll() is None and not temporaries:
            temporaries = [n for n in os.listdir(self.folder) if n.startswith(".script.txt.")]
        process.kill()
        process.wait(timeout=LIMIT)
        # The old bytes or the new, never a mixture.
        self.assertIn(self.read(self.script), (original, wrapped))
        self.assertTrue(temporaries, "the run ended before its temporary was seen")
        result = self.wrap(self.script)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual([n for n in os.listdir(self.folder) if n.startswith(".script.txt.")], [])
        self.assertIn(b"<R>", self.read(self.script))

    def test_stale_temporaries_of_a_killed_run_are_removed(self):
        stale = os.path.join(self.folder, ".script.txt.Ab12Cd")
        other = os.path.join(self.folder, ".script.txt.keep-me")
        for path in (stale, other):
            with open(path, "w") as f:
                f.write("partial")
        self.assertEqual(self.wrap(self.script).returncode, 0)
        self.assertFalse(os.path.exists(stale))
        self.assertTrue(os.path.exists(other))

    def test_a_full_disk_leaves_the_old_file(self):
        with Tmpfs("64k") as disk:
            script = os.path.join(disk, "script.txt")
            long_script(script, 400)
            original = self.read(script)
            with open(os.path.join(disk, "filler"), "wb") as f:
                try:
                    f.write(b"x" * 1024 * 1024)
                except OSError:
                    pass
            result = self.wrap(script)
            self.assertEqual(result.returncode, 1)
            self.assertIn("No space left on device", result.stderr)
            self.assertEqual(self.read(script), original)
            self.assertEqual([n for n in os.listdir(disk) if n.startswith(".script")], [])


class OutDirTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp()
        os.chmod(self.folder, 0o777)
        self.script = os.path.join(self.folder, "script.txt")
        long_script(self.script, 300, 20)

    def tearDown(self):
        shutil.rmtree(self.folder)

    def render(self, out, *extra, **options):
        return run([QUENTA, "render", "--script", self.script, "--out-dir", out, *DRAWING, "-q", "-j", "2", *extra],
                   **options)

    def assertConsistent(self, out):
        self.assertEqual(manifest_names(out), pictures_in(out))
        self.assertEqual(page_pictures(out), pictures_in(out))

    def test_after_a_full_disk_the_records_match_the_pictures_and_a_rerun_draws_the_rest(self):
        with Tmpfs("700k") as disk:
            out = os.path.join(disk, "out")
            result = self.render(out)
            self.assertEqual(result.returncode, 1)
            self.assertIn("No space left on device", result.stderr)
            self.assertNotIn("Write Error", result.stderr)
            kept = pictures_in(out)
            self.assertTrue(0 < len(kept) < 300)
            self.assertConsistent(out)
            # A rerun on the same full disk keeps what is there.
            self.assertEqual(self.render(out).returncode, 1)
            self.assertConsistent(out)
            self.assertTrue(kept <= pictures_in(out))
            room = os.path.join(self.folder, "room")
            shutil.copytree(out, room)
        result = self.render(room)
        self.assertEqual(result.returncode, 0, result.stderr)
        drawn = re.search(r"(\d+) pictures? drawn, (\d+) up to date", result.stderr)
        self.assertEqual(int(drawn.group(1)) + int(drawn.group(2)), 300)
        self.assertGreaterEqual(int(drawn.group(2)), len(kept))
        self.assertConsistent(room)

    def test_pictures_a_failed_redraw_left_stay_the_tools(self):
        out = os.path.join(self.folder, "out")
        self.assertEqual(self.render(out).returncode, 0)
        # Everything to redraw, and no file may grow past 1 KiB.
        result = self.render(out, "--margin", "3", preexec_fn=file_size_limit(1024))
        self.assertEqual(result.returncode, 1)
        self.assertIn("File too large", result.stderr)
        self.assertEqual(len(pictures_in(out)), 300)
        result = self.render(out, "--margin", "3")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("300 pictures drawn", result.stderr)
        self.assertConsistent(out)

    def test_a_kill_while_drawing_then_a_rerun(self):
        out = os.path.join(self.folder, "out")
        process = subprocess.Popen([QUENTA, "render", "--script", self.script, "--out-dir", out, *DRAWING, "-q",
                                    "-j", "1"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   start_new_session=True)
        # The handshake: the first picture is in place.
        while process.poll() is None and not (os.path.isdir(out) and pictures_in(out)):
            pass
        os.killpg(process.pid, signal.SIGKILL)  # the tool and its worker
        process.wait(timeout=LIMIT)
        # Every picture left is complete and named in the manifest as this
        # tool's, so the rerun may draw over it.
        result = self.render(out)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(len(pictures_in(out)), 300)
        self.assertConsistent(out)
        self.assertEqual([n for n in os.listdir(out) if n.endswith(".tmp")], [])
        self.assertIn("0 pictures drawn, 300 up to date", self.render(out).stderr)

    def test_a_picture_the_tool_did_not_draw_is_not_drawn_over_without_force(self):
        out = os.path.join(self.folder, "out")
        os.mkdir(out)
        own = os.path.join(out, "0001.png")
        shutil.copy(PICTURE, own)
        result = self.render(out)
        self.assertEqual(result.returncode, 1)
        self.assertIn("0001.png", result.stderr)
        self.assertIn("--force", result.stderr)
        with open(PICTURE, "rb") as a, open(own, "rb") as b:
            self.assertEqual(a.read(), b.read())
        self.assertEqual(self.render(out, "--force").returncode, 0)
        self.assertConsistent(out)

    def test_an_out_dir_that_cannot_be_written_says_why(self):
        out = os.path.join(self.folder, "out")
        os.mkdir(out)
        os.chmod(out, 0o555)
        result = self.render(out, bound=True)
        self.assertEqual(result.returncode, 1)
        self.assertIn("Permission denied", result.stderr)

    def test_an_out_dir_that_is_a_fifo_or_a_link_to_one(self):
        fifo = os.path.join(self.folder, "fifo")
        os.mkfifo(fifo)
        result = self.render(fifo)
        self.assertEqual(result.returncode, 1)
        self.assertTrue(os.path.exists(fifo) and not os.path.isdir(fifo))
        link = os.path.join(self.folder, "link")
        real = os.path.join(self.folder, "real")
        os.mkdir(real)
        os.symlink("real", link)
        self.assertEqual(self.render(link).returncode, 0)
        self.assertEqual(len(pictures_in(real)), 300)


def bmp(bits=24, compression=0, height=2, width=2):
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, 0, 2835, 2835, 0, 0)
    pixels = b"\0" * 64
    return b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54) + info + pixels


class DamagedPictureTest(unittest.TestCase):
    def test_each_damage_is_its_own_finding(self):
        folder = tempfile.mkdtemp()
        pictures = os.path.join(folder, "pictures")
        os.mkdir(pictures)
        with open(PICTURE, "rb") as f:
            whole = f.read()
        damaged = {
            1: ("1.png", whole[:len(whole) // 2], "a damaged PNG"),
            2: ("2.bmp", bmp(8, 1), "RLE8"),
            3: ("3.bmp", bmp(7), "7 bits per pixel"),
            4: ("4.bmp", bmp(24, 0, -2 ** 31), "-2147483648"),
            5: ("5.bmp", bmp(24), None),
        }
        for name, data, _ in damaged.values():
            with open(os.path.join(pictures, name), "wb") as f:
                f.write(data)
        message = os.path.join(folder, "message.txt")
        with open(message, "w") as f:
            f.write("<G1><G2><G3><G4><G5><G9>\n")
        for command in ([QUENTA, "check", "--archive", pictures, message],
                        [QUENTA, "render", "--archive", pictures, *DRAWING, "-o", os.path.join(folder, "o.png"),
                         message]):
            result = run(command)
            said_all = result.stdout + result.stderr  # check reports on standard output, render on error
            self.assertNotIn("libpng", said_all)
            lines = said_all.splitlines()
            for number, (_, _, reason) in damaged.items():
                said = [line for line in lines if "picture %d " % number in line]
                if reason is None:
                    self.assertEqual(said, [])
                else:
                    self.assertEqual(len(said), 1, said_all)
                    self.assertIn("is damaged", said[0])
                    self.assertIn(reason, said[0])
            self.assertEqual(len([line for line in lines if "picture 9 is not in the archive" in line]), 1)
        shutil.rmtree(folder)


if __name__ == "__main__":
    unittest.main()
