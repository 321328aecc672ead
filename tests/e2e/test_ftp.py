"""Interval saves upload the picture to a real FTP server (vsftpd on 127.0.0.1): it
arrives byte for byte, also on a server that allows passive mode only, and over a slow
link while the program keeps answering; ending the program during a transfer leaves the
server's last picture as it was."""

import os
import pwd
import shutil
import socket
import subprocess
import tempfile
import time
import unittest

import tolvex_e2e as e2e

VSFTPD = "/usr/sbin/vsftpd"


def free_ports(count):
    """`count` consecutive TCP ports on 127.0.0.1 that are free now."""
    for _ in range(200):
        first = e2e.free_port()
        if first + count > 65535:
            continue
        held = []
        try:
            for port in range(first, first + count):
                s = socket.socket()
                s.bind(("127.0.0.1", port))
                held.append(s)
            return first
        except OSError:
            continue
        finally:
            for s in held:
                s.close()
    raise e2e.E2EError("no free ports")


class Vsftpd:
    """vsftpd in the foreground with a configuration of its own: anonymous upload into
    `pub` of a private folder, on a free port of 127.0.0.1."""

    def __init__(self, passive_only=False, max_rate=0):
        self.root = tempfile.mkdtemp(prefix="tolvex-vsftpd-")
        self.anon = os.path.join(self.root, "anon")
        self.pub = os.path.join(self.anon, "pub")
        empty = os.path.join(self.root, "empty")
        os.makedirs(self.pub)
        os.makedirs(empty)
        os.chmod(self.root, 0o755)
        os.chmod(self.anon, 0o755)
        os.chmod(empty, 0o755)
        ftp = pwd.getpwnam("ftp")
        os.chown(self.pub, ftp.pw_uid, ftp.pw_gid)
        self.log = os.path.join(self.root, "vsftpd.log")
        self.port = free_ports(1)
        passive = free_ports(4)
        conf = os.path.join(self.root, "vsftpd.conf")
        with open(conf, "w") as f:
            f.write("\n".join([
                "listen=YES", "listen_ipv6=NO", "background=NO",
                "listen_address=127.0.0.1", f"listen_port={self.port}",
                "pasv_enable=YES", f"pasv_min_port={passive}", f"pasv_max_port={passive + 3}",
                "pasv_address=127.0.0.1",
                f"port_enable={'NO' if passive_only else 'YES'}", "connect_from_port_20=NO",
                "anonymous_enable=YES", "no_anon_password=YES", f"anon_root={self.anon}",
                "local_enable=NO", "write_enable=YES", "anon_upload_enable=YES",
                "anon_other_write_enable=YES", "anon_umask=022", "anon_world_readable_only=NO",
                f"anon_max_rate={max_rate}",
                f"secure_chroot_dir={empty}", "seccomp_sandbox=NO",
                "xferlog_enable=YES", "log_ftp_protocol=YES", f"vsftpd_log_file={self.log}",
                "syslog_enable=NO", "",
            ]))
        self.proc = subprocess.Popen([VSFTPD, conf], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                     start_new_session=True)
        e2e.wait_for(self._listening, 10, "vsftpd did not start listening")

    def _listening(self):
        if self.proc.poll() is not None:
            raise e2e.E2EError(f"vsftpd ended ({self.proc.returncode})")
        with socket.socket() as s:
            s.settimeout(0.5)
            return s.connect_ex(("127.0.0.1", self.port)) == 0

    @property
    def host(self):
        return f"127.0.0.1:{self.port}"

    def read(self, name):
        path = os.path.join(self.pub, name)
        if not os.path.exists(path):
            return None
        with open(path, "rb") as f:
            return f.read()

    def protocol_log(self):
        if not os.path.exists(self.log):
            return ""
        with open(self.log, errors="replace") as f:
            return f.read()

    def close(self):
        e2e._end_process(self.proc)
        shutil.rmtree(self.root, ignore_errors=True)


def set_ini(app, values):
    """Sets keys of the program's Tolvex.ini (a key line, then its value line)."""
    with open(app.ini, "rb") as f:
        lines = f.read().decode("utf-8").split("\r\n")
    for key, value in values.items():
        index = lines.index(key)
        lines[index + 1] = str(value)
    with open(app.ini, "wb") as f:
        f.write("\r\n".join(lines).encode("utf-8"))


@unittest.skipUnless(os.path.exists(VSFTPD) and os.geteuid() == 0, "needs vsftpd and root")
class FtpUpload(e2e.TestCase):
    def server(self, **kw):
        server = Vsftpd(**kw)
        self.addCleanup(server.close)
        return server

    def prepared(self, server, interval=2, progress=0, name="cam.jpg"):
        """A program folder whose interval save uploads pub/<name> to `server`."""
        app = self.program()
        app.launch()
        self.assertEqual(app.stop(), 0)
        set_ini(app, {
            "[ftpHost]": server.host, "[ftpLogin]": "anonymous", "[ftpPassword]": "tolvex@",
            "[ftpFilename]": "pub/" + name, "[ftpEnabled]": 1, "[ftpProgress]": progress,
            "[AutoRunMode]": 1, "[AutoSaveInterval]": interval,
        })
        # The local copy goes to the same relative name in the program folder.
        os.makedirs(app.path("pub"), exist_ok=True)
        return app

    def arrived_whole(self, app, server, name="cam.jpg"):
        sent = server.read(name)
        if not sent:
            return False
        with open(app.path("pub", name), "rb") as f:
            return sent == f.read()

    def run_and_check(self, server):
        app = self.prepared(server)
        app = self.restart(app, "/start")
        e2e.wait_for(lambda: self.arrived_whole(app, server), 30,
                     "no interval save arrived on the server byte for byte")
        run = subprocess.run(["identify", "-format", "%m %wx%h", os.path.join(server.pub, "cam.jpg")],
                             capture_output=True, text=True)
        self.assertEqual(run.stdout.strip(), "JPEG 640x480", run.stderr)
        self.assertEqual(app.stop(), 0)
        self.assertFalse(os.path.exists(os.path.join(server.pub, "cam.jpg.part")),
                         "the temporary name was renamed")
        return app

    def test_interval_save_uploads_the_picture(self):
        server = self.server()
        self.run_and_check(server)
        log = server.protocol_log()
        self.assertIn("STOR /pub/cam.jpg.part", log)
        self.assertIn("RNTO /pub/cam.jpg", log)

    def test_ftp_set_up_in_its_window(self):
        server = self.server()
        app = self.start()
        app.key("alt+u")
        app.wait_window("^Setup$")
        # The FTP group's own Setup button opens "Tolvex FTP Setup" above the setup dialog.
        app.click("Setup", role="push button", window="^Setup$")
        ftp = app.wait_window("^Tolvex FTP Setup$")
        for label, role, text in (("Host or IP:", "text", server.host), ("Login:", "text", "anonymous"),
                                  ("Password:", "password text", "tolvex@"), ("Filename:", "text", "pub/cam.jpg")):
            app.click(label, role=role, window="^Tolvex FTP Setup$")
            self.desktop.key("ctrl+a", "BackSpace", window=ftp)
            self.desktop.type(text, window=ftp)
        app.press("Activate FTP Upload on AutoSave or MotionSave Mode", role="check box",
                  window="^Tolvex FTP Setup$")
        app.press("OK", role="push button", window="^Tolvex FTP Setup$")
        app.wait_window_gone("^Tolvex FTP Setup$")
        app.click("OK", role="push button", window="^Setup$")
        app.wait_window_gone("^Setup$")
        self.assertEqual(app.stop(), 0)

        ini = app.read_ini().decode("utf-8").split("\r\n")
        stored = {key: ini[ini.index(key) + 1].strip() for key in ("[ftpHost]", "[ftpLogin]", "[ftpFilename]", "[ftpEnabled]")}
        self.assertEqual(stored, {"[ftpHost]": server.host, "[ftpLogin]": "anonymous",
                                  "[ftpFilename]": "pub/cam.jpg", "[ftpEnabled]": "1"})
        set_ini(app, {"[AutoRunMode]": 1, "[AutoSaveInterval]": 2})
        os.makedirs(app.path("pub"), exist_ok=True)
        app = self.restart(app, "/start")
        e2e.wait_for(lambda: self.arrived_whole(app, server), 30,
                     "no interval save arrived on the server byte for byte")
        self.assertEqual(app.stop(), 0)

    def test_passive_only_server(self):
        server = self.server(passive_only=True)
        self.run_and_check(server)
        self.assertRegex(server.protocol_log(), r'"(EPSV|PASV)"')

    def test_slow_link_keeps_the_window_answering_and_ending_keeps_the_old_picture(self):
        # The server reads 100 KB a second: a bitmap of 900 KB takes several seconds.
        server = self.server(max_rate=100000)
        app = self.prepared(server, interval=2, progress=1, name="cam.bmp")
        app = self.restart(app, "/start")
        stop_button = app.find("Stop", role="push button")

        # A whole picture arrives over the slow link; while it travels, the progress
        # window is shown and the program answers the accessibility bus at once.
        e2e.wait_for(lambda: server.read("cam.bmp.part") is not None, 30, "no upload started")
        app.wait_window("^FTP Uploading$", 10)
        self.assertIsNotNone(server.read("cam.bmp.part"), "the upload is still on its way")
        started = time.monotonic()
        self.assertEqual(stop_button.name, "Stop")
        stop_button.getState()
        self.assertLess(time.monotonic() - started, 1.0, "the window did not answer during the upload")
        e2e.wait_for(lambda: self.arrived_whole(app, server, "cam.bmp"), 60,
                     "the slow upload did not arrive byte for byte")
        first = server.read("cam.bmp")
        run = subprocess.run(["identify", "-format", "%m %wx%h", os.path.join(server.pub, "cam.bmp")],
                             capture_output=True, text=True)
        self.assertRegex(run.stdout.strip(), r"^BMP3? 640x480$", run.stderr)

        # Ending the program during the next transfer ends it at once and leaves the
        # picture on the server as it was.
        e2e.wait_for(lambda: server.read("cam.bmp.part") is not None, 30, "no second upload started")
        started = time.monotonic()
        self.assertEqual(app.stop(), 0)
        self.assertLess(time.monotonic() - started, 5.0)
        self.assertEqual(server.read("cam.bmp"), first)


if __name__ == "__main__":
    unittest.main()
