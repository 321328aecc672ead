"""Every window is opened and closed without the mouse, by keyboard and by a screen
reader's actions; Setup's OK and Cancel and the viewer's Save As work by keyboard;
every button, check box, option button and text box of every window has a name; a
screen reader's press of a button that opens a modal window returns at once."""

import os
import re
import struct
import unittest
import zlib

import tolvex_e2e as e2e

# Roles whose objects a user works and a screen reader must be able to name.
NAMED_ROLES = {"push button", "toggle button", "check box", "radio button", "text", "entry",
               "password text", "combo box", "list", "link", "slider"}


def write_bmp(path, width=32, height=24):
    """A 24-bit bottom-up BMP in two colours (left half red, right half blue)."""
    row = b"".join(b"\x00\x00\xff" if x < width // 2 else b"\xff\x00\x00" for x in range(width))
    row += b"\x00" * ((4 - len(row) % 4) % 4)
    pixels = row * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


class Keyboard(e2e.TestCase):
    # -- helpers -------------------------------------------------------------

    def focused(self, app, window):
        """The control that has the keyboard focus in a window (the innermost focused
        object), or None."""
        import pyatspi

        found = None
        for node in e2e.walk(app.a11y_window(window)):
            try:
                if node.getState().contains(pyatspi.STATE_FOCUSED):
                    found = node
            except Exception:
                continue
        return found

    def tab_to(self, app, window_title, name, role, limit=80):
        """Presses Tab in the window until the control named `name` has the focus."""
        wid = app.wait_window(window_title)
        for _ in range(limit):
            node = self.focused(app, window_title)
            # A list with the focus reports its current item focused as well.
            for candidate in (node, getattr(node, "parent", None)) if node is not None else ():
                if candidate is not None and re.fullmatch(name, candidate.name or "") \
                        and candidate.getRoleName() == role:
                    return candidate
            self.desktop.key("Tab", window=wid)
        self.fail(f"Tab never reached the {role} '{name}' in '{window_title}'")

    def unnamed(self, app, window_title):
        """The worked controls of a window that a screen reader cannot name: (role,
        the name of the object holding it). The drop-down list of a combo box is
        named by the combo box."""
        missing = []
        for node in e2e.walk(app.a11y_window(window_title)):
            try:
                role, name = node.getRoleName(), node.name or ""
                parent = node.parent
                parent_role = parent.getRoleName() if parent is not None else ""
            except Exception:
                continue
            if role in NAMED_ROLES and not name.strip() and not (
                    role == "list" and parent_role == "combo box"):
                missing.append((role, parent.name if parent is not None else ""))
        return missing

    def assert_all_named(self, app, window_title):
        missing = self.unnamed(app, window_title)
        self.assertEqual(missing, [], f"controls without a name in '{window_title}': {missing}")

    def open_and_close(self, app, title, open_by_key, close_by_key, open_by_tool, close_by_tool,
                       parent=e2e.MAIN_TITLE):
        """Opens a window by keyboard and closes it by keyboard, then the same through
        the accessibility bus; each time checks every control of it has a name."""
        open_by_key()
        app.wait_window(title)
        self.assert_all_named(app, title)
        close_by_key()
        app.wait_window_gone(title)
        app.wait_window(parent)

        took = open_by_tool()
        self.assertLess(took, 1.0, f"the screen reader's press to open '{title}' took {took:.2f} s")
        app.wait_window(title)
        took = close_by_tool()
        self.assertLess(took, 1.0, f"the screen reader's press to close '{title}' took {took:.2f} s")
        app.wait_window_gone(title)
        app.wait_window(parent)

    # -- cases ---------------------------------------------------------------

    def test_setup_about_and_ftp_setup_open_and_close_without_the_mouse(self):
        app = self.start()
        self.assert_all_named(app, e2e.MAIN_TITLE)
        main = app.main_window()
        self.open_and_close(
            app, "^Setup$",
            lambda: app.key("alt+u"),
            lambda: app.key("Escape", window=app.wait_window("^Setup$")),
            lambda: app.press("Setup", role="push button", window=e2e.MAIN_TITLE),
            lambda: app.press("Cancel", role="push button", window="^Setup$"))

        def open_about_by_tab():
            self.tab_to(app, e2e.MAIN_TITLE, "About", "push button")
            self.desktop.key("space", window=main)

        self.open_and_close(
            app, r"^About Tolvex Pro\.\.\.$",
            open_about_by_tab,
            lambda: app.key("Escape", window=app.wait_window("^About Tolvex")),
            lambda: app.press("About", role="push button", window=e2e.MAIN_TITLE),
            lambda: app.press("OK", role="push button", window="^About Tolvex"))

        # The FTP window opens from the setup dialog.
        app.key("alt+u")
        setup = app.wait_window("^Setup$")

        def open_ftp_by_tab():
            self.tab_to(app, "^Setup$", "Setup", "push button")
            self.desktop.key("space", window=setup)

        self.open_and_close(
            app, "^Tolvex FTP Setup$",
            open_ftp_by_tab,
            lambda: app.key("Escape", window=app.wait_window("^Tolvex FTP Setup$")),
            lambda: app.press("Setup", role="push button", window="^Setup$"),
            lambda: app.press("Cancel", role="push button", window="^Tolvex FTP Setup$"),
            parent="^Setup$")
        app.key("Escape", window=setup)
        app.wait_window_gone("^Setup$")
        self.assertEqual(app.stop(), 0)

    def test_video_windows_open_and_close_without_the_mouse(self):
        app = self.start("/start")
        e2e.wait_for(lambda: not self.desktop.pixels_uniform(app.main_window()), 15,
                     "the preview did not start")
        size_title = "^(Video Size|Video Format)$"
        self.open_and_close(
            app, size_title,
            lambda: app.key("alt+v"),
            lambda: app.key("Escape", window=app.wait_window(size_title)),
            lambda: app.press(r"Video Size.*", role="push button", window=e2e.MAIN_TITLE),
            lambda: app.press("Cancel", role="push button", window=size_title))
        before = {wid for wid, _ in app.windows()}

        def source_window():
            for wid, name in app.windows():
                if wid not in before and not re.search(e2e.MAIN_TITLE, name):
                    return name
            return None

        app.key("alt+o")
        source_title = "^" + re.escape(e2e.wait_for(source_window, 20, "Cam Options opened no window")) + "$"
        self.assert_all_named(app, source_title)
        app.key("Escape", window=app.wait_window(source_title))
        app.wait_window_gone(source_title)
        took = app.press("Cam Options", role="push button", window=e2e.MAIN_TITLE)
        self.assertLess(took, 1.0)
        app.wait_window(source_title)
        app.press("Cancel", role="push button", window=source_title)
        app.wait_window_gone(source_title)
        self.assertEqual(app.stop(), 0)

    def test_viewer_and_print_window_open_and_close_without_the_mouse(self):
        app = self.program()
        write_bmp(app.path("CamSnapshots", "shot.bmp"))
        app.launch()
        viewer = "^Viewer/Editor$"

        def close_viewer_by_tool():
            return app.press("Close", role="push button", window=viewer)

        self.open_and_close(
            app, viewer,
            lambda: app.key("alt+e"),
            lambda: app.key("Escape", window=app.wait_window(viewer)),
            lambda: app.press("Open/View", role="push button", window=e2e.MAIN_TITLE),
            close_viewer_by_tool)

        # The print window, from the viewer with the picture chosen by keyboard.
        app.key("alt+e")
        wid = app.wait_window(viewer)
        self.select_first_file(app, viewer)

        def open_print_by_tab():
            self.tab_to(app, viewer, r"Print\.\.\.", "push button")
            self.desktop.key("space", window=wid)

        self.open_and_close(
            app, "^Print Preview$",
            open_print_by_tab,
            lambda: app.key("Escape", window=app.wait_window("^Print Preview$")),
            lambda: app.press(r"Print\.\.\.", role="push button", window=viewer),
            lambda: self.close_print_by_tool(app),
            parent=viewer)
        app.key("Escape", window=wid)
        app.wait_window_gone(viewer)
        self.assertEqual(app.stop(), 0)

    def close_print_by_tool(self, app):
        """File, then Close, of the print window's menu bar, as a screen reader picks them."""
        took = app.press("File", window="^Print Preview$")
        return took + app.press("Close", role="menu item", window="^Print Preview$")

    def select_first_file(self, app, viewer):
        self.tab_to(app, viewer, "Files", "list")
        self.desktop.key("Home", window=app.wait_window(viewer))
        e2e.wait_for(lambda: re.search(r"shot\.bmp", self.viewer_caption(app, viewer)), 10,
                     "the picture chosen by keyboard is not shown")

    def viewer_caption(self, app, viewer):
        return " ".join(name for role, name, _ in app.dump(app.a11y_window(viewer)))

    def test_setup_ok_and_cancel_by_keyboard(self):
        app = self.start()
        ini_before = app.read_ini()
        self.assertIn(b"[ScanRefresh]", ini_before)

        def type_scan_refresh(value):
            app.key("alt+u")
            app.wait_window("^Setup$")
            self.tab_to(app, "^Setup$", "Scan refresh in ms", "text")
            self.desktop.key("ctrl+a", "BackSpace", window=app.wait_window("^Setup$"))
            self.desktop.type(value)

        # Cancel (Esc) leaves the settings file as it was, byte for byte.
        type_scan_refresh("77")
        app.key("Escape", window=app.wait_window("^Setup$"))
        app.wait_window_gone("^Setup$")
        self.assertEqual(app.read_ini(), ini_before)

        # OK (Enter, the default button) writes the changed value.
        type_scan_refresh("45")
        app.key("Return", window=app.wait_window("^Setup$"))
        app.wait_window_gone("^Setup$")
        e2e.wait_for(lambda: re.search(rb"\[ScanRefresh\]\r?\n *45 *\r?\n", app.read_ini()), 10,
                     "OK by Enter did not write the scan refresh 45 to Tolvex.ini")
        self.assertEqual(app.stop(), 0)

    def test_viewer_save_as_by_keyboard(self):
        app = self.program()
        write_bmp(app.path("CamSnapshots", "shot.bmp"))
        app.launch()
        viewer = "^Viewer/Editor$"
        app.key("alt+e")
        wid = app.wait_window(viewer)
        self.select_first_file(app, viewer)
        self.tab_to(app, viewer, r"Save As\.\.\.", "push button")
        self.desktop.key("space", window=wid)
        file_dialog = app.wait_window("^Save Picture$")
        target = os.path.join(app.case_root, "saved-by-keyboard.bmp")
        # The dialog starts in its file name box.
        self.desktop.key("ctrl+a", window=file_dialog)
        self.desktop.type(target)
        self.desktop.key("Return")
        e2e.wait_for(lambda: os.path.isfile(target) and os.path.getsize(target) > 0, 20,
                     f"Save As through the file dialog wrote no {target}")
        size = self.desktop.run(["identify", "-format", "%m %wx%h", target])
        self.assertRegex(size.strip(), r"^BMP\d? 32x24$")
        app.key("Escape", window=app.wait_window(viewer))
        app.wait_window_gone(viewer)
        self.assertEqual(app.stop(), 0)

    def test_a_screen_readers_press_of_setup_returns_at_once(self):
        app = self.start()
        took = app.press("Setup", role="push button", window=e2e.MAIN_TITLE)
        self.assertLess(took, 1.0, f"the press of Setup held the screen reader {took:.2f} s")
        app.wait_window("^Setup$")
        # The program still answers the screen reader while the dialog is open.
        self.assertIsNotNone(app.find("OK", role="push button", window="^Setup$", timeout=5))
        app.press("Cancel", role="push button", window="^Setup$")
        app.wait_window_gone("^Setup$")
        self.assertEqual(app.stop(), 0)


if __name__ == "__main__":
    unittest.main()
