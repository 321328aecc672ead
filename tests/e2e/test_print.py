"""Printing from the print window into a private CUPS server whose queue sends each job
to a loopback socket printer started here: the page's orientation, a queue that
rejects jobs, the print quality CUPS receives, the picture's own pixels in the job, and
"Print to File (PDF)" chosen in "Print Setup..."."""

import os
import shutil
import socket
import struct
import subprocess
import tempfile
import threading
import unittest

import tolvex_e2e as e2e
from test_viewer import write_bmp

QUEUE = "e2e"
PREVIEW = r"^Print Preview$"

# A driver that hands the PDF to the printer as it is, and offers two resolutions.
PPD = """*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "E2E.PPD"
*Manufacturer: "Test"
*Product: "(Loopback)"
*ModelName: "Loopback PDF"
*ShortNickName: "Loopback PDF"
*NickName: "Loopback PDF printer"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsVersion: 2.4
*cupsFilter2: "application/pdf application/vnd.cups-pdf 0 -"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*PageSize Letter/US Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*PageRegion Letter/US Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*ImageableArea Letter/US Letter: "0 0 612 792"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension Letter/US Letter: "612 792"
*OpenUI *Resolution/Resolution: PickOne
*OrderDependency: 20 AnySetup *Resolution
*DefaultResolution: 300dpi
*Resolution 300dpi/300 DPI: "<</HWResolution[300 300]>>setpagedevice"
*Resolution 600dpi/600 DPI: "<</HWResolution[600 600]>>setpagedevice"
*CloseUI: *Resolution
*DefaultFont: Courier
"""


class SocketPrinter:
    """A printer on 127.0.0.1 that keeps the bytes of every job it is sent."""

    def __init__(self):
        self.server = socket.socket()
        self.server.bind(("127.0.0.1", 0))
        self.server.listen(4)
        self.port = self.server.getsockname()[1]
        self.jobs = []
        self.lock = threading.Lock()
        self.thread = threading.Thread(target=self._serve, daemon=True)
        self.thread.start()

    def _serve(self):
        while True:
            try:
                conn, _ = self.server.accept()
            except OSError:
                return
            with conn:
                data = bytearray()
                while True:
                    chunk = conn.recv(65536)
                    if not chunk:
                        break
                    data += chunk
            with self.lock:
                self.jobs.append(bytes(data))

    def received(self):
        with self.lock:
            return list(self.jobs)

    def close(self):
        self.server.close()


class PrivateCups:
    """cupsd on a free port of 127.0.0.1 with folders of its own and one queue, the
    default, sending to a SocketPrinter."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="tolvex-cups-")
        # The backend runs as the lp user and reads the spooled job from here.
        os.chmod(self.root, 0o755)
        self.proc = None
        self.printer = SocketPrinter()
        try:
            self._start()
        except BaseException:
            self.close()
            raise

    def path(self, *parts):
        return os.path.join(self.root, *parts)

    def _start(self):
        for d in ("conf", "spool", "cache", "state", "tmp", "log"):
            os.makedirs(self.path(d), mode=0o755)
        self.port = e2e.free_port()
        with open(self.path("conf", "cupsd.conf"), "w") as f:
            f.write(f"""Listen 127.0.0.1:{self.port}
LogLevel info
WebInterface No
Browsing No
DefaultAuthType None
PreserveJobHistory Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
""")
        with open(self.path("conf", "cups-files.conf"), "w") as f:
            f.write(f"""ServerRoot {self.path("conf")}
RequestRoot {self.path("spool")}
CacheDir {self.path("cache")}
StateDir {self.path("state")}
TempDir {self.path("tmp")}
ServerBin /usr/lib/cups
DataDir /usr/share/cups
AccessLog {self.path("log", "access_log")}
ErrorLog {self.path("log", "error_log")}
PageLog {self.path("log", "page_log")}
Printcap {self.path("printcap")}
FileDevice No
""")
        with open(self.path("e2e.ppd"), "w") as f:
            f.write(PPD)
        log = open(self.path("log", "cupsd.out"), "ab")
        try:
            self.proc = subprocess.Popen(
                ["cupsd", "-f", "-c", self.path("conf", "cupsd.conf"), "-s", self.path("conf", "cups-files.conf")],
                stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
        finally:
            log.close()
        e2e.wait_for(lambda: "is running" in self.run(["lpstat", "-r"], check=False), 20,
                     "the private cupsd did not start: " + self.log())
        self.run(["lpadmin", "-p", QUEUE, "-E", "-v",
                  f"socket://127.0.0.1:{self.printer.port}", "-P", self.path("e2e.ppd")])
        self.run(["lpadmin", "-d", QUEUE])

    @property
    def env(self):
        return {"CUPS_SERVER": f"127.0.0.1:{self.port}"}

    def run(self, argv, check=True):
        env = dict(os.environ, **self.env)
        out = subprocess.run(argv, env=env, capture_output=True, text=True, timeout=30)
        if check and out.returncode != 0:
            raise e2e.E2EError(f"{argv[0]} failed: {out.stderr.strip()}")
        return out.stdout + out.stderr

    def log(self):
        try:
            with open(self.path("log", "error_log"), errors="replace") as f:
                return f.read()[-3000:]
        except OSError:
            return ""

    def job_attribute(self, job, name):
        """A job's attribute as CUPS keeps it in its control file (IPP encoding):
        integers for integers and enums, text otherwise; None when not there."""
        with open(self.path("spool", "c%05d" % job), "rb") as f:
            data = f.read()
        key = name.encode()
        at = data.find(struct.pack(">H", len(key)) + key)
        if at < 1:
            return None
        tag = data[at - 1]
        start = at + 2 + len(key)
        size = struct.unpack(">H", data[start:start + 2])[0]
        value = data[start + 2:start + 2 + size]
        return struct.unpack(">i", value)[0] if tag in (0x21, 0x23) else value.decode()

    def jobs(self):
        """The numbers of the jobs CUPS took, oldest first."""
        names = os.listdir(self.path("spool")) if os.path.isdir(self.path("spool")) else []
        return sorted(int(n[1:]) for n in names if n.startswith("c") and n[1:].isdigit())

    def close(self):
        if self.proc is not None:
            e2e._end_process(self.proc)
            self.proc = None
        self.printer.close()
        shutil.rmtree(self.root, ignore_errors=True)


def pattern(x, y):
    """Colours as varied as a photograph's, so a lossy encoding shows."""
    return ((x * 37 + y * 11) & 0xFF, (x * x + y * 53) & 0xFF, (x * y * 7 + 19) & 0xFF)


PICTURE = (96, 72)
# The page keeps the picture 100 twips (6 pixels) from its top-left corner.
MARGIN = 6


class Printing(e2e.TestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        try:
            cls.cups = PrivateCups()
        except BaseException:
            super().tearDownClass()
            raise

    @classmethod
    def tearDownClass(cls):
        if getattr(cls, "cups", None) is not None:
            cls.cups.close()
            cls.cups = None
        super().tearDownClass()

    def setUp(self):
        super().setUp()
        self.cups.run(["cupsaccept", QUEUE])

    def open_print_window(self):
        """The program with one picture, the viewer showing it and the print window
        opened from the viewer's "Print..." button."""
        app = self.program()
        os.makedirs(app.path("CamSnapshots"), exist_ok=True)
        self.picture = app.path("CamSnapshots", "photo.bmp")
        write_bmp(self.picture, *PICTURE, pattern)
        app.launch(env=self.cups.env)
        app.click("Open/View", role="push button")
        app.wait_window(r"^Viewer/Editor$")
        app.click("photo.bmp", role="list item", window=r"^Viewer/Editor$")
        app.find(r"96 x 72 - \d+KB", role="label", window=r"^Viewer/Editor$")
        app.click("Print...", role="push button", window=r"^Viewer/Editor$")
        window = app.wait_window(PREVIEW)
        return app, window

    def print_and_receive(self, app):
        """Presses "Print" and returns the job's bytes as the printer got them, and
        CUPS's number of the job."""
        before = len(self.cups.printer.received())
        jobs_before = self.cups.jobs()
        app.click("Print", role="push button", window=PREVIEW)
        data = e2e.wait_for(lambda: self.cups.printer.received()[before:], 60,
                            "the printer received no job; CUPS says: " + self.cups.log())
        job = e2e.wait_for(lambda: [j for j in self.cups.jobs() if j not in jobs_before], 10,
                           "CUPS keeps no record of the job")[0]
        return data[0], job

    def save(self, app, name, data):
        path = os.path.join(app.case_root, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def page_size(self, pdf):
        info = self.desktop.run(["pdfinfo", pdf])
        line = next(l for l in info.splitlines() if l.startswith("Page size:"))
        width, height = line.split(":", 1)[1].split("pts")[0].split(" x ")
        return float(width), float(height)

    # Space on an option button chooses it as a click does: the page and the job turn.
    def test_landscape_chosen_by_space_prints_a_landscape_page(self):
        app, window = self.open_print_window()
        landscape = app.find("Landscape", window=PREVIEW)
        landscape.queryComponent().grabFocus()
        e2e.wait_for(lambda: landscape.getState().contains(__import__("pyatspi").STATE_FOCUSED), 5,
                     "the Landscape option did not take the focus")
        self.desktop.key("space", window=window)
        data, _ = self.print_and_receive(app)
        width, height = self.page_size(self.save(app, "landscape.pdf", data))
        self.assertAlmostEqual(width, 842, delta=1)
        self.assertAlmostEqual(height, 595, delta=1)
        app.stop()

    def test_a_queue_that_rejects_jobs_gives_the_error_box(self):
        self.cups.run(["cupsreject", QUEUE])
        app, window = self.open_print_window()
        before = len(self.cups.printer.received())
        app.click("Print", role="push button", window=PREVIEW)
        box = app.wait_window(r"^Print error nr482$")
        app.find("Could not print the picture.", window=r"^Print error nr482$")
        self.desktop.key("Return", window=box)
        app.wait_window_gone(r"^Print error nr482$")
        self.assertEqual(len(self.cups.printer.received()), before)
        app.stop()

    def test_draft_and_high_send_their_quality_and_resolution(self):
        app, _ = self.open_print_window()
        sent = {}
        for quality in ("Draft", "High"):
            app.click(quality, window=PREVIEW)
            _, job = self.print_and_receive(app)
            sent[quality] = (self.cups.job_attribute(job, "print-quality"),
                             self.cups.job_attribute(job, "Resolution"))
        self.assertEqual(sent["Draft"], (3, "300dpi"))
        self.assertEqual(sent["High"], (5, "600dpi"))
        app.stop()

    def test_the_job_holds_the_pictures_own_pixels(self):
        app, _ = self.open_print_window()
        data, _ = self.print_and_receive(app)
        pdf = self.save(app, "job.pdf", data)
        listing = self.desktop.run(["pdfimages", "-list", pdf]).splitlines()[2:]
        self.assertEqual(len(listing), 1, listing)
        self.assertNotEqual(listing[0].split()[8], "jpeg", listing[0])
        self.desktop.run(["pdfimages", "-png", pdf, os.path.join(app.case_root, "img")])
        page = os.path.join(app.case_root, "img-000.png")
        width, height = PICTURE
        out = subprocess.run(
            ["compare", "-metric", "AE",
             f"{page}[{width}x{height}+{MARGIN}+{MARGIN}]", self.picture, "null:"],
            capture_output=True, text=True, timeout=60)
        self.assertEqual(out.stderr.strip(), "0", "pixels differing from the picture")
        app.stop()

    def test_print_to_file_chosen_in_print_setup_writes_the_pdf(self):
        app, window = self.open_print_window()
        target = os.path.join(app.case_root, "chosen.pdf")
        before = len(self.cups.printer.received())
        self.desktop.key("alt+f", window=window)
        app.click(r"Print Setup\.\.\.", role="menu item")
        setup = app.wait_window(r"^Print Setup$")
        printers = app.find(".*", role="combo box", window=r"^Print Setup$")
        printers.queryComponent().grabFocus()
        self.desktop.key("End", window=setup)
        # Choosing the file printer enables the output file's box.
        name = app.find(r"Output file:?", role="text", window=r"^Print Setup$")
        e2e.wait_for(lambda: name.getState().contains(__import__("pyatspi").STATE_ENABLED), 5,
                     "Print to File (PDF) was not chosen")
        name.queryComponent().grabFocus()
        self.desktop.key("ctrl+a", window=setup)
        self.desktop.type(target, window=setup)
        app.click("OK", role="push button", window=r"^Print Setup$")
        app.wait_window_gone(r"^Print Setup$")
        app.click("Print", role="push button", window=PREVIEW)
        e2e.wait_for(lambda: os.path.exists(target) and os.path.getsize(target) > 0, 20,
                     "no PDF was written")
        e2e.wait_for(lambda: "Page size" in self.desktop.run(["pdfinfo", target], check=False), 10,
                     "the PDF is not complete")
        width, height = self.page_size(target)
        self.assertAlmostEqual(width, 595, delta=1)
        self.assertAlmostEqual(height, 842, delta=1)
        self.assertEqual(len(self.cups.printer.received()), before, "the job also went to the printer")
        app.stop()


if __name__ == "__main__":
    unittest.main()
