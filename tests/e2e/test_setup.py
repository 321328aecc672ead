"""The setup dialog's folders: a folder typed into "Snapshots:" and confirmed by OK is
made and receives the next snapshot; a folder the program cannot use is refused at OK
with a message naming the box, and the dialog stays open with the user's text."""

import os
import unittest

import tolvex_e2e as e2e

SETUP_TITLE = r"^Setup$"


class SetupFolders(e2e.TestCase):
    def open_setup(self, app):
        # A mouse click, as a user opens it; the dialog is modal.
        app.click("Setup", role="push button")
        self.desktop.wait_window(SETUP_TITLE, pid=app.pid)
        return app.a11y_window(SETUP_TITLE)

    def type_into(self, app, box, text):
        """Clicks into the box, selects its text and types over it."""
        x, y, w, h = e2e.extents(box)
        self.desktop.click(x + w // 2, y + h // 2)
        self.desktop.key("ctrl+a")
        self.desktop.type(text)
        e2e.wait_for(lambda: self.text_of(box) == text, 10,
                     f"the box {box.name!r} does not hold the typed text; it holds {self.text_of(box)!r}")

    @staticmethod
    def text_of(node):
        text = node.queryText()
        return text.getText(0, text.characterCount)

    def test_a_new_snapshot_folder_is_made_and_receives_the_next_snapshot(self):
        app = self.start("/start")
        dialog = self.open_setup(app)
        snapshots = app.find("Snapshots:?", role="text", window=dialog)
        target = os.path.join(app.case_root, "new place", "shots")
        self.assertFalse(os.path.exists(target))
        self.type_into(app, snapshots, target)
        app.click("OK", role="push button", window=dialog)
        self.desktop.wait_window_gone(SETUP_TITLE, pid=app.pid)
        self.assertTrue(os.path.isdir(target), "OK did not make the folder")
        self.assertIn(target.encode(), app.read_ini())

        app.key("F3")
        shots = e2e.wait_for(lambda: [n for n in os.listdir(target) if n.endswith((".jpg", ".bmp"))], 15,
                             "F3 wrote no snapshot into the new folder")
        size = self.desktop.run(["identify", "-format", "%wx%h", os.path.join(target, shots[0])])
        self.assertEqual(size.strip(), "640x480")
        self.assertEqual(app.files("CamSnapshots", r".+\.(jpg|bmp)"), [])
        self.assertEqual(app.stop(), 0)

    def test_a_folder_under_a_file_is_refused_and_the_dialog_keeps_the_text(self):
        app = self.start()
        blocker = os.path.join(app.case_root, "blocker")
        with open(blocker, "w") as f:
            f.write("a file, not a folder\n")
        before = app.read_ini()
        dialog = self.open_setup(app)
        snapshots = app.find("Snapshots:?", role="text", window=dialog)
        target = os.path.join(blocker, "shots")
        self.type_into(app, snapshots, target)
        app.click("OK", role="push button", window=dialog)

        message = app.find(r"Snapshots: the folder .* cannot be used: .*", role="label")
        self.assertEqual(message.name, f"Snapshots: the folder {target} cannot be used: "
                                       f"{blocker} is a file, not a folder.")
        self.desktop.key("Return")
        e2e.wait_for(lambda: not self._message_shown(app), 10, "the message box stayed")
        self.assertIsNotNone(self.desktop.find_window(SETUP_TITLE, app.pid), "the setup dialog closed")
        self.assertTrue(e2e.is_showing(snapshots), "the setup dialog is not shown")
        self.assertEqual(self.text_of(snapshots), target, "the typed folder is kept")
        self.assertFalse(os.path.exists(target))
        self.assertEqual(app.read_ini(), before, "nothing was saved")
        self.assertEqual(app.stop(), 0)

    @staticmethod
    def _message_shown(app):
        try:
            app.find(r"Snapshots: the folder .* cannot be used: .*", role="label", timeout=0.2)
            return True
        except e2e.E2EError:
            return False


if __name__ == "__main__":
    unittest.main()
