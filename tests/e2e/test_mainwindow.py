"""The main window under a window manager: hot keys during a recording, notices that
are painted while the program waits, starting minimized, the stored window size and
the minimum, and motion detection whenever a change falls against its cycle."""

import configparser
import os
import re
import time
import unittest

import tolvex_e2e as e2e

# The minimum outer size of the main window with its button panel (7125 x 5605 twips).
MIN_OUTER = (475, 374)


def set_ini(run, **values):
    """Sets values of the settings file: the line after each "[key]" line."""
    with open(run.ini, encoding="latin-1", newline="") as f:
        lines = f.read().split("\r\n")
    for key, value in values.items():
        index = lines.index(f"[{key}]")
        lines[index + 1] = f" {value} " if isinstance(value, int) else str(value)
    with open(run.ini, "w", encoding="latin-1", newline="") as f:
        f.write("\r\n".join(lines))


def stored_window(run):
    """Left, top, width and height (twips) the program stored in its per-user store."""
    path = os.path.join(run.config, "VykOndrelSoft.ini")
    store = configparser.ConfigParser()
    store.read(path)
    for section in store.sections():
        if store.has_option(section, "Width"):
            return tuple(int(store[section][k]) for k in ("Left", "Top", "Width", "Height"))
    raise e2e.E2EError(f"no window size stored in {path}")


class MainWindow(e2e.TestCase):
    def first_run(self, *args, env=None, **settings):
        """A program folder whose settings file a first start wrote, with the given
        settings changed; not running."""
        run = self.start(*args, env=env)
        self.assertEqual(run.stop(), 0)
        if settings:
            set_ini(run, **settings)
        return run

    def outer_size(self, wid):
        """The window's outer size: its client area and the window manager's frame."""
        _, _, width, height = self.desktop.geometry(wid)
        extents = re.findall(r"\d+", self.desktop.xprop(wid, "_NET_FRAME_EXTENTS").split("=")[-1])
        left, right, top, bottom = (int(v) for v in extents) if len(extents) == 4 else (0, 0, 0, 0)
        return width + left + right, height + top + bottom

    def notice_window(self, run):
        """The id of the program's notice, the one window of it that is not the main window."""
        for wid, name in run.windows():
            if not re.search(e2e.MAIN_TITLE, name):
                return wid
        return None

    # -- 1: hot keys follow their buttons ---------------------------------------

    def test_f2_during_a_recording_leaves_it_alone(self):
        app = self.start("/record", env={"TOLVEX_SYNTH_FORMAT": "320x240"},
                         wait_title=r"^Recording Video|^Vyk-Tolvex")
        main = app.wait_window(r"^Recording Video|^Vyk-Tolvex")

        def title():
            return self.desktop.run(["xdotool", "getwindowname", str(main)]).strip()

        e2e.wait_for(lambda: title() == "Recording Video......", 15, "the recording did not start")
        avi = e2e.wait_for(lambda: app.files("CamVideos", r".+\.avi"), 10, "no recording file")[0]
        app.key("F2", window=main)
        app.key("F3", window=main)
        time.sleep(1.0)  # what the keys would do is done by now
        self.assertEqual(title(), "Recording Video......")
        self.assertEqual(app.files("CamSnapshots", r".+\.(jpg|bmp)"), [])
        grown = os.path.getsize(app.path("CamVideos", avi))
        e2e.wait_for(lambda: os.path.getsize(app.path("CamVideos", avi)) > grown, 10,
                     "the recording stopped growing after F2")
        # F10 stands for the enabled stop button: it ends the recording.
        app.key("F10", window=main)
        e2e.wait_for(lambda: re.search(e2e.MAIN_TITLE, title()), 15, "F10 did not end the recording")
        probe = self.desktop.run(["ffprobe", "-v", "error", "-count_frames", "-select_streams", "v:0",
                                  "-show_entries", "stream=nb_read_frames", "-of", "csv=p=0",
                                  app.path("CamVideos", avi)])
        self.assertGreater(int(probe.strip()), 10)
        self.assertEqual(app.stop(), 0)

    # -- 2: notices are painted -------------------------------------------------

    def test_the_failed_connect_notice_is_painted_while_shown(self):
        # The start-up's preview start fails before the main window shows: the
        # notices ("No Connection to Video Device", then "Please choose another
        # device") come first, some 3 s in all.
        app = self.start("/start", env={"TOLVEX_SYNTH_CONNECT_FAIL": "all"}, wait_title=None)
        e2e.wait_for(lambda: self.notice_window(app), 15, "no notice appeared")
        looks = []
        deadline = time.monotonic() + 4.0
        while time.monotonic() < deadline and True not in looks:
            notice = self.notice_window(app)
            if notice is None:
                break
            try:
                looks.append(not self.desktop.pixels_uniform(notice))
            except e2e.E2EError:
                pass  # it closed between the look-up and the picture
        self.assertIn(True, looks, f"the notice was one flat colour each time ({len(looks)} looks)")
        app.wait_window(e2e.MAIN_TITLE)
        self.assertEqual(app.stop(), 0)

    # -- 3: starting minimized ---------------------------------------------------

    def test_starting_minimized_stays_minimized(self):
        app = self.start("/start", "/minimize")
        main = app.main_window()
        e2e.wait_for(lambda: "Iconic" in self.desktop.xprop(main, "WM_STATE"), 10,
                     "the window did not start minimized")
        # The preview runs (its first frames size the window): still minimized.
        time.sleep(2.0)
        self.assertIn("Iconic", self.desktop.xprop(main, "WM_STATE"))
        self.assertEqual(app.stop(), 0)

    # -- 4: window size and position ---------------------------------------------

    def test_the_stored_outer_size_holds_over_starts(self):
        run = self.first_run(ScreenSizePosition=-1)
        app = self.restart(run)
        shown = self.outer_size(app.main_window())
        self.assertEqual(app.stop(), 0)
        first = stored_window(app)
        self.assertEqual((first[2] // 15, first[3] // 15), shown)
        again = self.restart(app)
        self.assertEqual(self.outer_size(again.main_window()), shown)
        self.assertEqual(again.stop(), 0)
        self.assertEqual(stored_window(again)[2:], first[2:], "the window grew between two starts")

    def test_a_small_frame_keeps_the_minimum_size(self):
        app = self.start("/start", env={"TOLVEX_SYNTH_FORMAT": "320x240"})
        main = app.main_window()
        time.sleep(1.5)  # the preview has started and fitted the window
        width, height = self.outer_size(main)
        self.assertGreaterEqual(width, MIN_OUTER[0])
        self.assertGreaterEqual(height, MIN_OUTER[1])
        self.assertEqual(app.stop(), 0)


class MotionDetection(e2e.TestCase):
    """A lasting change of the whole picture is saved wherever it falls against the
    detector's 500 ms tick; a still picture never is. The runs go side by side."""

    PHASES = (4.0, 4.25, 4.5, 4.75, 5.125, 5.375, 5.625, 5.875)

    def motion_run(self, scene):
        run = self.program()
        run.launch(env={"TOLVEX_SYNTH_FORMAT": "320x240", "TOLVEX_SYNTH_SCENE": scene})
        self.assertEqual(run.stop(), 0)
        # Motion save; the frames go through the program's own buffer file, not the
        # clipboard that the runs side by side on one desktop share.
        set_ini(run, AutoRunMode=2, StreamSource=1)
        again = self.restart(run, "/start", env={"TOLVEX_SYNTH_FORMAT": "320x240", "TOLVEX_SYNTH_SCENE": scene})
        return again

    def pictures(self, run):
        return run.files("CamMotionPics", r".+\.(jpg|bmp)")

    def test_every_phase_is_seen_and_a_still_scene_never(self):
        still = self.motion_run("still")
        started = time.monotonic()
        events = {at: self.motion_run(f"event:at={at},for=3") for at in self.PHASES}
        for at, run in events.items():
            e2e.wait_for(lambda: self.pictures(run), 20,
                         f"a change at {at} s lasting 3 s was not detected")
        for run in events.values():
            self.assertEqual(run.stop(), 0)
        e2e.wait_for(lambda: time.monotonic() - started >= 60, 70, "the minute did not pass")
        self.assertEqual(self.pictures(still), [], "a still picture was taken for motion")
        self.assertEqual(still.stop(), 0)


if __name__ == "__main__":
    unittest.main()
