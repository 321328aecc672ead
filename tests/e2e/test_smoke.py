"""The installed program starts under a window manager, is on the accessibility bus,
answers the keyboard and the mouse, shows a live picture and ends cleanly."""

import os
import signal
import unittest

import tolvex_e2e as e2e


class Smoke(e2e.TestCase):
    def test_start_snapshot_and_close(self):
        app = self.start("/start")
        # The live picture is painted: the window is not one flat colour.
        main = app.main_window()
        e2e.wait_for(lambda: not self.desktop.pixels_uniform(main), 15,
                     "the main window shows no picture")
        # F3 saves a snapshot into the snapshot folder.
        app.key("F3")
        shots = e2e.wait_for(lambda: app.files("CamSnapshots", r".+\.(jpg|bmp)"), 15,
                             "F3 wrote no snapshot")
        size = self.desktop.run(["identify", "-format", "%wx%h", app.path("CamSnapshots", shots[0])])
        self.assertEqual(size.strip(), "640x480")
        self.assertEqual(app.stop(), 0)

    def test_accessible_buttons(self):
        app = self.start()
        stop = app.find("Stop", role="push button")
        self.assertIsNotNone(stop)
        took = app.press("Start", role="push button")
        self.assertLess(took, 1.0)
        e2e.wait_for(lambda: self._enabled(app.find("Stop", role="push button")), 10,
                     "Start pressed through the accessibility bus did not start the preview")
        # A mouse click on Stop stops it again.
        app.click("Stop", role="push button")
        e2e.wait_for(lambda: not self._enabled(app.find("Stop", role="push button")), 10,
                     "a click on Stop did not stop the preview")
        self.assertEqual(app.stop(), 0)

    @staticmethod
    def _enabled(node):
        import pyatspi
        return node.getState().contains(pyatspi.STATE_ENABLED)


if __name__ == "__main__":
    unittest.main()
