"""No picture, video or settings file is lost, replaced or left unusable behind the
user's back: counter names across runs, Save As onto an existing name, the viewer's
Save As of a playing clip, and recordings that end by SIGHUP or on a full disk, read
back by ffprobe, ffmpeg and identify."""

import hashlib
import os
import re
import shutil
import signal
import subprocess
import unittest

import tolvex_e2e as e2e


def set_ini(run, values):
    """Sets "[Key]" values in the program's Tolvex.ini (the line after the key)."""
    with open(run.ini, "rb") as f:
        lines = f.read().decode("utf-8").split("\r\n")
    for key, value in values.items():
        at = lines.index(f"[{key}]")
        lines[at + 1] = value if isinstance(value, str) else f" {value} "
    with open(run.ini, "wb") as f:
        f.write("\r\n".join(lines).encode("utf-8"))


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def ffprobe_duration(path):
    out = subprocess.run(
        ["ffprobe", "-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", path],
        capture_output=True, text=True, timeout=60,
    )
    if out.returncode != 0:
        raise AssertionError(f"ffprobe cannot read {path}: {out.stderr}")
    text = out.stdout.strip()
    return float(text) if re.fullmatch(r"[0-9.]+", text) else 0.0


def ffmpeg_errors(path):
    """What `ffmpeg -v error -i F -f null -` reports; empty when every packet decodes."""
    out = subprocess.run(
        ["ffmpeg", "-nostdin", "-v", "error", "-i", path, "-f", "null", "-"],
        capture_output=True, text=True, timeout=120,
    )
    return out.stderr.strip() + ("" if out.returncode == 0 else f" (exit {out.returncode})")


def mean_colour(desktop, path):
    """The mean red, green and blue of a picture (0..255) by ImageMagick."""
    out = desktop.run(["convert", path, "-resize", "1x1!", "-format", "%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]", "info:"])
    return tuple(int(v) for v in out.split())


class LimitedTolvex(e2e.Tolvex):
    """The program started through `prlimit`, whose file-size limit stands in for a
    full disk where no tmpfs can be mounted (prlimit runs the program in its place,
    so the process id stays the program's)."""

    size_limit = 0

    @property
    def executable(self):
        wrapper = os.path.join(self.case_root, "tolvex-limited")
        with open(wrapper, "w") as f:
            f.write(f'#!/bin/sh\nexec prlimit --fsize={self.size_limit} "{self.folder}/tolvex" "$@"\n')
        os.chmod(wrapper, 0o755)
        return wrapper


class DataSafety(e2e.TestCase):
    def started(self, run, *args, size_limit=None, wait_title=e2e.MAIN_TITLE):
        """`run` (stopped) started again with `args`, showing its live picture."""
        if size_limit is None:
            again = self.restart(run, *args, wait_title=wait_title)
        else:
            again = LimitedTolvex(self.desktop, self.prefix, run.folder)
            again.size_limit = size_limit
            again.config = run.config
            self._runs.append(again)
            again.launch(*args)
        if "/start" in args:
            main = again.main_window()
            e2e.wait_for(lambda: not self.desktop.pixels_uniform(main), 15, "no live picture")
        return again

    def first_run(self, **settings):
        """A program folder whose settings file holds `settings`."""
        run = self.start()
        self.assertEqual(run.stop(), 0)
        if settings:
            set_ini(run, settings)
        return run

    # -- counter names ---------------------------------------------------------

    def test_a_second_run_keeps_the_first_runs_counter_named_pictures(self):
        run = self.first_run(SaveFileNameOptions=2)
        app = self.started(run, "/start")
        for n in range(2):
            app.key("F3")
            e2e.wait_for(lambda: len(app.files("CamSnapshots")) == n + 1, 15, f"F3 number {n + 1} wrote nothing")
        names = app.files("CamSnapshots")
        self.assertEqual(names, ["Cam00000.jpg", "Cam00001.jpg"])
        before = {n: digest(app.path("CamSnapshots", n)) for n in names}
        self.assertEqual(app.stop(), 0)

        second = self.started(app, "/start")
        second.key("F3")
        e2e.wait_for(lambda: len(second.files("CamSnapshots")) == 3, 15, "the second run's F3 wrote nothing")
        self.assertEqual(second.files("CamSnapshots"), ["Cam00000.jpg", "Cam00001.jpg", "Cam00002.jpg"])
        for name, sha in before.items():
            self.assertEqual(digest(second.path("CamSnapshots", name)), sha, f"{name} was replaced")
        self.assertEqual(second.stop(), 0)

    # -- Save As ---------------------------------------------------------------

    def _focus(self, dialog, wanted, limit=25):
        """Moves the keyboard focus with Tab until `wanted(node)` holds for the control
        that has it."""
        import pyatspi

        def focused():
            for node in e2e.walk(dialog):
                try:
                    if node.getState().contains(pyatspi.STATE_FOCUSED):
                        return node
                except Exception:
                    continue
            return None

        seen = []
        for _ in range(limit):
            node = e2e.wait_for(focused, 5, "nothing in the dialog has the focus")
            if wanted(node):
                return node
            seen.append((node.getRoleName(), node.name))
            self.desktop.key("Tab", window=self.dialog_wid)
        self.fail(f"the control was not reached by Tab; focus went through {seen}")

    def test_save_as_onto_an_existing_name_asks_first(self):
        app = self.started(self.first_run(), "/start")
        existing = app.path("shot.bmp")
        with open(existing, "wb") as f:
            f.write(b"yesterday's picture")
        # Save As (Alt+A) opens the desktop's save dialog on a JPEG name.
        app.key("alt+a")
        self.dialog_wid = app.wait_window(r"^Save Single Frame as Picture$")
        dialog = app.a11y_window("Save Single Frame as Picture")
        # "shot" is typed over the proposed name, the bitmap filter chosen in the file
        # type list (Tab, Home), and Return confirms.
        self.desktop.key("ctrl+a", window=self.dialog_wid)
        self.desktop.type("shot", window=self.dialog_wid)
        self._focus(dialog, lambda n: n.getRoleName() == "combo box" and "JPG Picture Files" in (n.name or ""))
        self.desktop.key("Home", window=self.dialog_wid)
        self._focus(dialog, lambda n: n.getRoleName() == "combo box" and "Bitmap Files" in (n.name or ""), 1)
        self.desktop.key("Return", window=self.dialog_wid)

        def question():
            for window in app.a11y_windows():
                for node in e2e.walk(window):
                    if "shot.bmp already exists" in (node.name or ""):
                        return node
            return None

        e2e.wait_for(question, 15, "no question before shot.bmp was replaced; written: "
                     + str(os.listdir(app.folder)))
        # Escape answers No; the dialog stays, and a second Escape cancels it.
        self.desktop.key("Escape")
        e2e.wait_for(lambda: question() is None, 10, "the question stayed")
        self.desktop.key("Escape", window=self.dialog_wid)
        app.wait_window_gone(r"^Save Single Frame as Picture$")
        with open(existing, "rb") as f:
            self.assertEqual(f.read(), b"yesterday's picture")
        self.assertFalse(os.path.exists(app.path("shot.jpg")))
        self.assertEqual(app.stop(), 0)

    # -- the viewer's Save As of a playing clip ----------------------------------

    def test_the_viewers_save_as_of_a_playing_clip_writes_its_frame(self):
        run = self.first_run()
        clip = run.path("CamVideos", "red.avi")
        self.desktop.run(["ffmpeg", "-nostdin", "-v", "error", "-f", "lavfi", "-i", "color=c=red:s=160x120:r=10",
                          "-t", "6", "-c:v", "mjpeg", "-q:v", "2", clip], timeout=60)
        app = self.started(run, "/start")  # the viewer opens on the live picture
        # The viewer's buttons act on the mouse press: they are clicked.
        app.click(r"Open/View", role="push button")
        app.wait_window(r"^Viewer/Editor$")
        viewer = app.a11y_window("Viewer/Editor")
        app.click("Videos", window=viewer)
        app.click(r"red\.avi", window=viewer)
        play = app.find("Play", role="push button", window=viewer)
        import pyatspi
        e2e.wait_for(lambda: play.getState().contains(pyatspi.STATE_ENABLED), 10, "the clip cannot be played")
        app.click("Play", role="push button", window=viewer)
        e2e.wait_for(lambda: not play.getState().contains(pyatspi.STATE_ENABLED), 10, "the clip does not play")
        import time
        time.sleep(1.0)  # let the clip play on for a second of frames
        app.click(r"Save As\.\.\.", role="push button", window=viewer)
        self.dialog_wid = app.wait_window(r"^Save Picture$")
        dialog = app.a11y_window("Save Picture")
        name = self._focus(dialog, lambda n: n.getRoleName() in ("text", "entry"))
        proposed = name.queryText().getText(0, -1)
        self.assertRegex(proposed, r"^VideoFrame[1-9][0-9]*(\.bmp)?$")
        target = os.path.join(run.case_root, "frame.bmp")
        self.desktop.key("ctrl+a", window=self.dialog_wid)
        self.desktop.type(target, window=self.dialog_wid)
        self.desktop.key("Return", window=self.dialog_wid)
        e2e.wait_for(lambda: os.path.exists(target), 15, "the frame was not written")
        app.wait_window_gone(r"^Save Picture$")
        self.assertTrue(self.desktop.run(["identify", "-format", "%m", target]).startswith("BMP"))
        r, g, b = mean_colour(self.desktop, target)
        self.assertTrue(r > 200 and g < 60 and b < 60, f"the saved picture is no frame of the red clip: {r} {g} {b}")
        self.assertEqual(app.stop(), 0)

    # -- recordings ------------------------------------------------------------

    def wait_recording(self, app, folder, least_bytes):
        def grown():
            names = [n for n in os.listdir(folder) if n.endswith(".avi")]
            return names and os.path.getsize(os.path.join(folder, names[0])) >= least_bytes and names[0]

        return os.path.join(folder, e2e.wait_for(grown, 30, "no recording grows in " + folder))

    def test_sighup_during_a_recording_leaves_a_file_that_plays(self):
        app = self.started(self.first_run(), "/record", wait_title=r"Recording")
        path = self.wait_recording(app, app.path("CamVideos"), 300 * 1024)
        app.signal(signal.SIGHUP)
        self.assertEqual(app.wait_exit(30), 0)
        self.assertGreater(ffprobe_duration(path), 0.5)
        self.assertEqual(ffmpeg_errors(path), "")

    def _small_disk(self, free_bytes):
        """A folder on a small tmpfs with `free_bytes` left, unmounted at the end. Where
        no tmpfs can be mounted, a plain folder and a file-size limit for the program
        stand in (returned as the second value)."""
        folder = os.path.join(self.desktop.root, f"disk-{len(os.listdir(self.desktop.root))}")
        os.makedirs(folder)
        size = 24 * 1024 * 1024
        mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={size}", "tmpfs", folder],
                                 capture_output=True).returncode == 0
        if not mounted:
            return folder, free_bytes
        self.addCleanup(lambda: subprocess.run(["umount", "-l", folder], capture_output=True))
        stat = os.statvfs(folder)
        filler = stat.f_bavail * stat.f_frsize - free_bytes
        with open(os.path.join(folder, "filler"), "wb") as f:
            f.write(b"\0" * filler)
        return folder, None

    def _record_until_full(self, codec_steps, free_bytes):
        run = self.first_run()
        disk, size_limit = self._small_disk(free_bytes)
        set_ini(run, {"VideoPath": disk})
        if size_limit is not None:
            print(f"e2e: no tmpfs can be mounted here; a file-size limit of {size_limit} bytes stands in")
        app = self.started(run, "/start", size_limit=size_limit)
        app.key("alt+r")
        compression = app.wait_window(r"^Video Compression$")
        for key in codec_steps:
            self.desktop.key(key, window=compression)
        self.desktop.key("Return", window=compression)
        e2e.wait_for(lambda: "ended early" in app.log(), 60,
                     "the recording did not end on the full disk: " + app.log()[-1500:])
        names = [n for n in os.listdir(disk) if n.endswith(".avi")]
        self.assertEqual(len(names), 1, names)
        path = os.path.join(disk, names[0])
        self.assertEqual(app.stop(), 0)
        # Closed as a finished recording is: its RIFF size written, its index at the end.
        with open(path, "rb") as f:
            data = f.read()
        self.assertEqual(int.from_bytes(data[4:8], "little"), len(data) - 8)
        self.assertIn(b"idx1", data[-(16 * 2000 + 8):])
        self.assertGreater(ffprobe_duration(path), 0.0)
        self.assertEqual(ffmpeg_errors(path), "")
        return path

    def test_an_uncompressed_recording_onto_a_full_disk_plays(self):
        self._record_until_full(["Home"], 6 * 1024 * 1024)

    def test_a_mjpeg_recording_onto_a_full_disk_plays(self):
        self._record_until_full(["Home", "Down"], 1024 * 1024)


if __name__ == "__main__":
    unittest.main()
