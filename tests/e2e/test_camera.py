"""The installed program on a USB camera: the emulated camera of the test tools
(libtolvex_uvc_emulator.so, beneath libv4l2 by LD_PRELOAD) delivers YUYV or Motion JPEG
colour bars with a frame counter, has controls, and can be unplugged or busy.

Frames are checked in what the program writes (snapshots read back by ImageMagick,
recordings by ffprobe and ffmpeg), the camera side in the emulator's counters file."""

import os
import re
import shutil
import tempfile
import time
import unittest

import tolvex_e2e as e2e

BUILD = os.environ.get("TOLVEX_E2E_BUILD", os.path.join(os.path.dirname(__file__), "../../build"))
EMULATOR = os.path.abspath(os.path.join(BUILD, "tests", "tools", "libtolvex_uvc_emulator.so"))

# The emulator's picture (tests/tools/uvc_emulator/Pattern.h): eight bars over the top
# three quarters, sixteen counter cells below, most significant bit first.
BARS = [(255, 255, 255), (255, 255, 0), (0, 255, 255), (0, 255, 0),
        (255, 0, 255), (255, 0, 0), (0, 0, 255), (0, 0, 0)]
CELLS = 16
TOLERANCE = 48
CARD = "Emulated USB Camera"
NO_CONNECTION = "No Connection to Video Device"


class Camera:
    """One emulated camera node, private to a case."""

    def __init__(self, root, items):
        self.folder = tempfile.mkdtemp(prefix="camera-", dir=root)
        self.node = os.path.join(self.folder, "video0")
        self.stats_path = os.path.join(self.folder, "stats")
        self.spec = f"{self.node}={items};stats={self.stats_path}"

    def env(self):
        return {
            "LD_PRELOAD": EMULATOR,
            "TOLVEX_UVC_EMULATOR": self.spec,
            "TOLVEX_V4L2_NODES": self.node,
            "TOLVEX_CAPTURE_DRIVERS": "all",
        }

    def stats(self):
        try:
            with open(self.stats_path) as f:
                return dict(line.strip().split("=", 1) for line in f if "=" in line)
        except FileNotFoundError:
            return {}

    def number(self, key):
        return int(self.stats().get(key, "0"))


def bar_points(w, h):
    top = h * 3 // 4
    return [((2 * i + 1) * w // 16, top // 2) for i in range(8)]


def cell_points(w, h):
    top = h * 3 // 4
    return [((2 * c + 1) * w // (2 * CELLS), top + (h - top) // 2) for c in range(CELLS)]


class CameraCase(e2e.TestCase):
    def setUp(self):
        super().setUp()
        if not os.path.isfile(EMULATOR):
            self.fail(f"the emulated camera {EMULATOR} is not built")

    def camera(self, items):
        return Camera(self.desktop.root, items)

    def run_program(self, camera, *args, env=None, folder=None):
        extra = camera.env()
        extra.update(env or {})
        # While it records, the main window is titled by the recording.
        title = r"^(Vyk-Tolvex|Recording Video)" if "/record" in args else e2e.MAIN_TITLE
        return self.start(*args, env=extra, folder=folder, wait_title=title)

    # -- reading pictures back ---------------------------------------------------

    def size_of(self, path):
        w, h = self.desktop.run(["identify", "-format", "%w %h", path]).split()
        return int(w), int(h)

    def pixels(self, path, points):
        fmt = ";".join(
            f"%[fx:int(255*p{{{x},{y}}}.r+0.5)],%[fx:int(255*p{{{x},{y}}}.g+0.5)],"
            f"%[fx:int(255*p{{{x},{y}}}.b+0.5)]" for x, y in points)
        out = self.desktop.run(["convert", path, "-format", fmt, "info:"]).strip()
        return [tuple(int(v) for v in triple.split(",")) for triple in out.split(";")]

    def assert_bars(self, path):
        w, h = self.size_of(path)
        for i, (got, want) in enumerate(zip(self.pixels(path, bar_points(w, h)), BARS)):
            self.assertTrue(all(abs(a - b) <= TOLERANCE for a, b in zip(got, want)),
                            f"bar {i} of {os.path.basename(path)} is {got}, not {want}")

    def counter(self, path):
        w, h = self.size_of(path)
        value = 0
        for r, g, b in self.pixels(path, cell_points(w, h)):
            value = (value << 1) | (1 if r + g + b > 3 * 128 else 0)
        return value

    def snapshot(self, app):
        """F3, and the new snapshot's path."""
        before = set(app.files("CamSnapshots"))
        app.key("F3")
        new = e2e.wait_for(lambda: sorted(set(app.files("CamSnapshots", r".+\.(jpg|bmp)")) - before),
                           15, "F3 wrote no snapshot")
        path = app.path("CamSnapshots", new[0])
        # Written through the safe writer: whole once it has its name; ImageMagick
        # reads it at once.
        e2e.wait_for(lambda: os.path.getsize(path) > 0, 5, "the snapshot stays empty")
        return path

    # -- the program's state -------------------------------------------------------

    def enabled(self, app, name):
        import pyatspi
        return app.find(name, role="push button").getState().contains(pyatspi.STATE_ENABLED)

    def wait_previewing(self, app, camera, frames=10):
        e2e.wait_for(lambda: self.enabled(app, "Stop"), 20, "the preview did not start")
        start = camera.number("delivered")
        e2e.wait_for(lambda: camera.number("delivered") >= start + frames, 20,
                     "the camera delivers no frames")

    def notice_shown(self, app, text):
        try:
            return app.find(re.escape(text), role="label", timeout=0.2) is not None
        except e2e.E2EError:
            return False


class DeviceMenu:
    def visible_windows(self, app):
        out = self.desktop.xdotool("search", "--onlyvisible", "--pid", app.pid, "--name", ".*", check=False)
        return set(out.split())

    def test_camera_listed_by_card_name_before_the_test_pattern(self):
        camera = self.camera("yuyv:640x480;mjpeg:640x480,1280x720")
        app = self.run_program(camera, "/device1")
        # The device list by name, as the setup dialog shows it (the pop-up menu is
        # not on the accessibility bus).
        app.click("Setup", role="push button")
        setup = app.a11y_window("Setup")

        def devices():
            names = [node.name for node in e2e.walk(setup) if node.getRoleName() == "list item"]
            return names if CARD in names else None

        names = e2e.wait_for(devices, 10, "the setup dialog lists no camera")
        self.assertLess(names.index(CARD), names.index("Tolvex Test Pattern"), names)
        app.click("Cancel", role="push button", window=setup)
        app.wait_window_gone("^Setup$")
        # The device menu's first item is the camera: chosen by keyboard, it previews.
        before = self.visible_windows(app)
        app.click("Devices", role="push button")
        e2e.wait_for(lambda: self.visible_windows(app) - before, 10, "the device menu did not open")
        self.desktop.xdotool("key", "--delay", "80", "Down", "Return")
        e2e.wait_for(lambda: self.visible_windows(app) <= before, 10, "the device menu did not close")
        app.press("Start", role="push button")
        self.wait_previewing(app, camera)
        self.assert_bars(self.snapshot(app))
        self.assertEqual(app.stop(), 0)


class Preview:
    CASES = [
        ("yuyv:640x480,1280x720;mjpeg:640x480,1280x720,1920x1080", (640, 480), "yuyv"),
        ("yuyv:1920x1080", (1920, 1080), "yuyv"),
        ("mjpeg:640x480", (640, 480), "mjpeg"),
        ("mjpeg:1920x1080,1280x720;yuyv:640x480", (1920, 1080), "mjpeg"),
    ]

    def test_snapshots_show_the_bars_and_an_advancing_counter(self):
        for items, size, delivered in self.CASES:
            with self.subTest(camera=items):
                camera = self.camera(items)
                app = self.run_program(camera, "/start")
                self.wait_previewing(app, camera)
                first = self.snapshot(app)
                self.assertEqual(self.size_of(first), size)
                self.assert_bars(first)
                # Later frames carry a higher count.
                time.sleep(0.3)
                second = self.snapshot(app)
                self.assert_bars(second)
                self.assertGreater(self.counter(second), self.counter(first))
                stats = camera.stats()
                self.assertEqual(stats.get("format"), delivered)
                self.assertEqual((int(stats["width"]), int(stats["height"])), size)
                self.assertEqual(app.stop(), 0)

    def preview_window(self, app, size):
        """The X window of the main window's live picture, of the frame's size (the
        picture has a window of its own, which it fills straight from the decoded
        frames where the display shares memory)."""
        def child():
            out = self.desktop.run(["xwininfo", "-children", "-id", str(app.main_window())])
            for line in out.splitlines():
                m = re.match(r"\s*(0x[0-9a-f]+) .*\s(\d+)x(\d+)[+-]\d+[+-]\d+\s", line)
                if m and (int(m.group(2)), int(m.group(3))) == size:
                    return m.group(1)
            return None
        return e2e.wait_for(child, 15, f"no window of the picture's size {size} in the main window")

    def screen_shot_of(self, wid, name):
        return self.desktop.screenshot(os.path.join(self.desktop.root, f"{name}-{time.monotonic_ns()}.png"), wid)

    def test_the_picture_on_screen_is_the_camera_and_keeps_up(self):
        # Motion JPEG frames go onto the screen from shared memory as they are.
        camera = self.camera("mjpeg:640x480;fps=30")
        app = self.run_program(camera, "/start")
        self.wait_previewing(app, camera)
        picture = self.preview_window(app, (640, 480))
        first = self.screen_shot_of(picture, "picture")
        self.assert_bars(first)
        # The screen follows the camera: a later look shows a higher count.
        count = self.counter(first)
        e2e.wait_for(lambda: self.counter(self.screen_shot_of(picture, "picture")) > count, 10,
                     "the picture on screen does not change")
        # Stopped, the last frame stays on show; hidden and shown again, it is
        # painted again.
        app.press("Stop", role="push button")
        e2e.wait_for(lambda: self.enabled(app, "Start"), 10, "the preview did not stop")
        main = app.main_window()
        self.desktop.xdotool("windowminimize", "--sync", main)
        self.desktop.activate(main)
        self.assert_bars(self.screen_shot_of(picture, "restored"))
        self.assertEqual(app.stop(), 0)

    def test_damaged_motion_jpeg_frames_are_skipped_and_logged_once(self):
        camera = self.camera("mjpeg:640x480;fps=30;corrupt=4")
        app = self.run_program(camera, "/start")
        self.wait_previewing(app, camera, frames=40)
        self.assert_bars(self.snapshot(app))
        self.assertGreaterEqual(camera.number("corrupted"), 10)
        self.assertEqual(app.stop(), 0)
        self.assertEqual(app.log().count("damaged Motion JPEG frame"), 1, app.log()[-2000:])


class CameraFaults:
    def test_unplugged_mid_preview_stops_with_a_notice_and_comes_back(self):
        camera = self.camera("yuyv:640x480;fps=30;unplug=45;replug=3000")
        app = self.run_program(camera, "/start")
        self.wait_previewing(app, camera)
        e2e.wait_for(lambda: self.notice_shown(app, NO_CONNECTION), 15,
                     "no notice after the camera was unplugged")
        e2e.wait_for(lambda: self.enabled(app, "Start") and not self.enabled(app, "Stop"), 10,
                     "the preview did not stop")
        # Back again: Start connects to it.
        e2e.wait_for(lambda: os.path.exists(camera.node), 10, "the camera did not come back")
        e2e.wait_for(lambda: not self.notice_shown(app, NO_CONNECTION), 15, "the notice stays")
        app.press("Start", role="push button")
        self.wait_previewing(app, camera)
        self.assertEqual(camera.number("streamons"), 2)
        self.assert_bars(self.snapshot(app))
        self.assertEqual(app.stop(), 0)

    def test_busy_camera_gives_the_notice_and_no_hang(self):
        camera = self.camera("yuyv:640x480;busy=streamon")
        app = self.run_program(camera)
        started = time.monotonic()
        # A click: the start with its notices and waits runs on after it.
        app.click("Start", role="push button")
        # The notices come with waits on the user-interface thread in between, when
        # the program answers no accessibility call; their windows are named by them.
        app.wait_window(re.escape(NO_CONNECTION), timeout=10)
        app.wait_window("Please choose another device", timeout=10)
        self.assertIn("no connection to capture device 0 after three tries", app.log())
        e2e.wait_for(lambda: self.enabled(app, "Start") and not self.enabled(app, "Stop"), 10,
                     "the program did not return to the stopped state")
        self.assertLess(time.monotonic() - started, 15)
        self.assertEqual(camera.number("streamons"), 0)
        self.assertEqual(app.stop(), 0)


class CameraOptions:
    def test_source_dialog_shows_the_camera_controls_and_a_change_reaches_it(self):
        camera = self.camera("yuyv:640x480")
        app = self.run_program(camera, "/start")
        self.wait_previewing(app, camera)
        app.click("Cam Options", role="push button", timeout=10)
        dialog = app.a11y_window(re.escape(CARD))
        for name in ("Brightness", "Contrast", "Saturation", "Hue", "Gain", "Power Line Frequency"):
            app.find(name, role="label", window=dialog, timeout=5)
        for name in ("Brightness", "Contrast", "Saturation", "Hue", "Gain"):
            app.find(name, role="slider", window=dialog, timeout=5)
        brightness = app.find("Brightness", role="slider", window=dialog)
        brightness.queryValue().currentValue = 17
        e2e.wait_for(lambda: camera.stats().get("control_0x980900") == "17", 10,
                     "the brightness did not reach the camera")
        app.press("OK", role="push button", window=dialog)
        e2e.wait_for(lambda: app.desktop.find_window(re.escape(CARD), app.pid) is None, 10,
                     "the source dialog did not close")
        self.assertEqual(camera.stats().get("control_0x980900"), "17")
        self.assertEqual(app.stop(), 0)


class Recording:
    def probe(self, path):
        out = self.desktop.run([
            "ffprobe", "-v", "error", "-select_streams", "v:0", "-count_frames",
            "-show_entries", "stream=width,height,r_frame_rate,nb_read_frames:format=duration",
            "-of", "default=noprint_wrappers=1", path])
        return dict(line.split("=", 1) for line in out.split())

    def playable(self, path):
        out = self.desktop.run(["ffmpeg", "-v", "error", "-i", path, "-f", "null", "-"], check=False)
        return out.strip() == ""

    def recordings(self, app):
        return app.files("CamVideos", r".+\.avi")

    def test_recording_from_a_motion_jpeg_camera_keeps_its_rate_and_every_frame(self):
        camera = self.camera("mjpeg:1280x720;fps=30")
        app = self.run_program(camera, "/record")
        e2e.wait_for(lambda: camera.number("delivered") >= 30, 20, "the camera delivers no frames")
        # Four seconds of recording once it runs; the camera loses no frame in them
        # (starting and stopping the stream may leave the camera without a buffer
        # for a moment, which is no loss).
        e2e.wait_for(lambda: camera.number("streamons") >= 1 and self.recordings(app), 20,
                     "the recording did not begin")
        start = camera.number("delivered")
        e2e.wait_for(lambda: camera.number("delivered") >= start + 30, 10, "the camera stopped")
        lost_before = camera.number("dropped")
        start = camera.number("delivered")
        e2e.wait_for(lambda: camera.number("delivered") >= start + 120, 15, "the camera stopped")
        lost = camera.number("dropped") - lost_before
        # A click: the stop waits for the file to be finished after it.
        app.click("Stop", role="push button")
        app.wait_window("Recording Ended", timeout=15)
        e2e.wait_for(lambda: self.enabled(app, "Stop"), 20, "the preview did not come back")
        files = self.recordings(app)
        self.assertEqual(len(files), 1, files)
        path = app.path("CamVideos", files[0])
        info = self.probe(path)
        self.assertEqual((info["width"], info["height"]), ("1280", "720"))
        # The chosen rate: the recording takes ScanRefresh (25 by default) as its
        # frames a second.
        rate = int(re.search(rb"\[ScanRefresh\]\r?\n\s*(\d+)", app.read_ini()).group(1))
        self.assertEqual(info["r_frame_rate"], f"{rate}/1")
        frames, duration = int(info["nb_read_frames"]), float(info["duration"])
        self.assertGreater(duration, 3)
        # Every frame period has its frame once the recording runs: no gap in the
        # frame numbers after its first second (on a machine busy with other work,
        # the start of the recording thread may miss a few).
        pts = [int(v) for v in self.desktop.run([
            "ffprobe", "-v", "error", "-select_streams", "v:0", "-show_entries", "packet=pts",
            "-of", "csv=p=0", path]).split()]
        # The recorder skips a slot it could not fill in time; on a machine busy with
        # other tests that may happen now and then, never for more than a few.
        missed = sum(b - a - 1 for a, b in zip(pts, pts[1:]) if a >= rate)
        self.assertLessEqual(missed, max(2, len(pts) // 50), pts)
        self.assertGreaterEqual(frames, duration * rate - rate)
        self.assertTrue(self.playable(path))
        self.assertEqual(lost, 0)
        # The pictures are the camera's: bars in their colours.
        still = os.path.join(camera.folder, "frame.png")
        self.desktop.run(["ffmpeg", "-v", "error", "-y", "-ss", "2", "-i", path, "-frames:v", "1", still])
        self.assert_bars(still)
        self.assertEqual(app.stop(), 0)

    def test_unplugged_mid_recording_leaves_a_playable_file(self):
        camera = self.camera("mjpeg:640x480;fps=30;unplug=90;replug=4000")
        app = self.run_program(camera, "/record")
        e2e.wait_for(lambda: not os.path.exists(camera.node), 20, "the camera was not unplugged")
        e2e.wait_for(lambda: self.notice_shown(app, NO_CONNECTION) or self.enabled(app, "Start"), 30,
                     "the program did not notice the unplugged camera")
        files = e2e.wait_for(lambda: self.recordings(app), 10, "no recording file")
        path = app.path("CamVideos", files[0])
        e2e.wait_for(lambda: self.playable(path), 15, "the recording cannot be played")
        self.assertGreater(int(self.probe(path)["nb_read_frames"]), 30)
        # Back again, the camera can be chosen and previews.
        e2e.wait_for(lambda: os.path.exists(camera.node), 15, "the camera did not come back")
        e2e.wait_for(lambda: self.enabled(app, "Start"), 20, "Start is not offered")
        app.press("Start", role="push button")
        self.wait_previewing(app, camera)
        self.assertEqual(app.stop(), 0)


class CaptureSizes:
    def test_probe_and_chooser_offer_the_camera_sizes_and_refuse_others(self):
        camera = self.camera("yuyv:640x480;mjpeg:640x480,800x600,1280x720,1920x1080")
        first = self.run_program(camera)
        self.assertEqual(first.stop(), 0)
        # Probe every time ("Always").
        with open(first.ini, "rb") as f:
            text = f.read()
        text, found = re.subn(rb"(\[HowToCheckDriver\]\r?\n[ \t]*)\d+", rb"\g<1>1", text)
        self.assertEqual(found, 1)
        with open(first.ini, "wb") as f:
            f.write(text)
        app = self.restart(first, "/start", env=camera.env())
        self.wait_previewing(app, camera)
        app.click("Video Size.*", role="push button")
        chooser = app.a11y_window("Video Size", timeout=30)
        combo = app.find(".*", role="combo box", window=chooser)
        offered = [combo.getChildAtIndex(0).getChildAtIndex(i).name
                   for i in range(combo.getChildAtIndex(0).childCount)]
        # The five standard sizes, then the probed ones the camera delivers.
        self.assertEqual(offered, ["160x120", "176x144", "320x240", "352x288", "640x480", "800x600", "1280x720"])
        self.choose(app, chooser, combo, "1280x720")
        e2e.wait_for(lambda: camera.stats().get("width") == "1280", 15, "the camera was not switched")
        self.assertEqual(self.size_of(self.snapshot(app)), (1280, 720))
        # A standard size the camera does not deliver is refused with the message.
        app.click("Video Size.*", role="push button")
        chooser = app.a11y_window("Video Size", timeout=30)
        combo = app.find(".*", role="combo box", window=chooser)
        self.choose(app, chooser, combo, "176x144")
        app.find("Invalid resolution or color depth selected for this device.", role="label", timeout=10)
        app.press("OK", role="push button", window="Invallid Videoformat: 176x144@24")
        self.assertEqual(camera.stats().get("width"), "1280")
        self.assertEqual(app.stop(), 0)

    def choose(self, app, chooser, combo, text):
        """Picks `text` in the chooser's size list by keyboard, then OK."""
        import pyatspi
        menu = combo.getChildAtIndex(0)
        names = [menu.getChildAtIndex(i).name for i in range(menu.childCount)]
        self.assertIn(text, names)
        combo.queryComponent().grabFocus()
        e2e.wait_for(lambda: combo.getState().contains(pyatspi.STATE_FOCUSED), 5,
                     "the size list takes no focus")
        self.desktop.xdotool("key", "--delay", "60", "Home", *(["Down"] * names.index(text)))
        app.press("OK", role="push button", window=chooser)


# One class, so one desktop: the accessibility library binds itself to the first
# desktop's bus for the rest of the process.
class CameraTests(DeviceMenu, Preview, CameraFaults, CameraOptions, Recording, CaptureSizes, CameraCase):
    pass


if __name__ == "__main__":
    unittest.main()
