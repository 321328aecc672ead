"""The viewer opened from the main window: a 48-megapixel camera picture shows with its
size line, and the magnifier at the right edge of the shown picture enlarges the
picture's rightmost band."""

import os
import struct
import subprocess
import unittest

import tolvex_e2e as e2e


def write_bmp(path, width, height, colour_at):
    """A 24-bit bottom-up BMP; colour_at(x, y) gives (r, g, b)."""
    row_bytes = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = colour_at(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        pixels += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


class Viewer(e2e.TestCase):
    def open_viewer(self, pictures):
        """The program with `pictures` ({name: writer(path)}) in its snapshot folder,
        the viewer opened by a click on "Open/View"."""
        app = self.program()
        folder = app.path("CamSnapshots")
        os.makedirs(folder, exist_ok=True)
        for name, write in pictures.items():
            write(os.path.join(folder, name))
        app.launch()
        app.click("Open/View", role="push button")
        viewer = app.wait_window(r"^Viewer/Editor$")
        return app, viewer

    def select(self, app, name):
        app.click(name, role="list item", window=r"^Viewer/Editor$")

    def test_a_48_megapixel_picture_shows_its_size_line(self):
        def big_jpeg(path):
            subprocess.run(["ffmpeg", "-v", "error", "-nostdin", "-f", "lavfi", "-i",
                            "testsrc2=s=8000x6000:d=1", "-frames:v", "1", "-q:v", "8", path],
                           check=True, timeout=120)
        app, _ = self.open_viewer({"camera.jpg": big_jpeg})
        size = os.path.getsize(app.path("CamSnapshots", "camera.jpg"))
        self.select(app, "camera.jpg")
        line = f"8000 x 6000 - {size // 1024 + 1}KB"
        app.find(line, role="label", window=r"^Viewer/Editor$", timeout=60)
        # The picture is painted: the picture box is not one flat colour.
        picture = app.find("Shown picture", window=r"^Viewer/Editor$")
        x, y, w, h = e2e.extents(picture)
        shot = self.desktop.screenshot(os.path.join(app.case_root, "big.png"))
        colours = self.desktop.run(["convert", shot, "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                                    "-format", "%k", "info:"])
        self.assertGreater(int(colours.strip()), 100)
        app.stop()

    def test_the_magnifier_at_the_right_edge_shows_the_rightmost_band(self):
        # 640 x 480, blue with its rightmost 16 columns red.
        def banded(path):
            write_bmp(path, 640, 480, lambda x, y: (255, 0, 0) if x >= 624 else (0, 0, 255))
        app, viewer = self.open_viewer({"band.bmp": banded})
        self.select(app, "band.bmp")
        app.find(r"640 x 480 - \d+KB", role="label", window=r"^Viewer/Editor$")
        app.click("Zoom", window=r"^Viewer/Editor$")  # a toggle button
        magnifier = app.find("Magnifier", window=r"^Viewer/Editor$")
        picture = app.find("Shown picture", window=r"^Viewer/Editor$")
        px, py, pw, ph = e2e.extents(picture)
        zx, zy, zw, zh = e2e.extents(magnifier)
        # The right edge of the shown picture, below the magnifier's own box.
        self.desktop.xdotool("mousemove", "--sync", px + pw - 1, py + ph - 20)
        self.desktop.xdotool("mousemove", "--sync", px + pw - 2, py + ph - 20)

        def magnified():
            shot = self.desktop.screenshot(os.path.join(app.case_root, "zoom.png"))
            return self.desktop.run(["convert", shot, "-crop", f"1x1+{zx + zw // 2}+{zy + zh // 2}",
                                     "-format", "%[pixel:p{0,0}]", "info:"]).strip()
        colour = e2e.wait_for(lambda: (lambda c: c if c in ("srgb(255,0,0)", "red") else None)(magnified()),
                              10, f"the magnifier does not show the red band: {magnified()}")
        self.assertIn(colour, ("srgb(255,0,0)", "red"))
        app.stop()


if __name__ == "__main__":
    unittest.main()
