"""The include-direction check on small trees: a tree that follows the folder order
passes, and a lower folder that includes a higher folder's header fails at its line."""

import pathlib
import subprocess
import sys
import tempfile
import unittest

CHECKER = pathlib.Path(__file__).resolve().parents[2] / "tools" / "check_includes.py"

ARCHITECTURE = """# Architecture

| folder | target | what it holds | links |
|---|---|---|---|
| `src/platform/base` | `base` | results | Qt Core |
| `src/core` | `core` | pure logic | base |
| `src/settings` | `settings` | settings | core |
| `src/capture` | `capture` | main window | settings |
| `src/main.cpp` | `tolvex` | wiring | everything above |
"""


class IncludeDirection(unittest.TestCase):
    def tree(self, files):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        root = pathlib.Path(folder.name)
        (root / "docs").mkdir()
        (root / "docs" / "ARCHITECTURE.md").write_text(ARCHITECTURE)
        for name, text in files.items():
            path = root / name
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text)
        return root

    def run_check(self, root):
        return subprocess.run([sys.executable, str(CHECKER), "--root", str(root)], capture_output=True, text=True)

    def test_includes_of_lower_folders_and_of_its_own_pass(self):
        root = self.tree({
            "src/platform/base/Result.h": "#pragma once\n",
            "src/core/Logic.h": '#pragma once\n#include "platform/base/Result.h"\n',
            "src/settings/Model.cpp": '#include "settings/Model.h"\n#include "core/Logic.h"\n#include <QString>\n',
            "src/settings/Model.h": "#pragma once\n",
            "src/capture/frmMain.cpp": '#include "settings/Model.h"\n#include "core/Logic.h"\n',
            "src/main.cpp": '#include "capture/frmMain.h"\n#include "settings/Model.h"\n',
        })
        result = self.run_check(root)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_a_lower_folder_including_a_higher_folders_header_fails_at_its_line(self):
        root = self.tree({
            "src/core/Logic.cpp": '#include "core/Logic.h"\n\n#include "settings/Model.h"\n',
            "src/settings/Model.h": '#pragma once\n#include "capture/frmMain.h"\n',
            "src/capture/frmMain.h": "#pragma once\n",
        })
        result = self.run_check(root)
        self.assertEqual(result.returncode, 1, result.stdout + result.stderr)
        self.assertIn("src/core/Logic.cpp:3: includes settings/Model.h", result.stdout)
        self.assertIn("src/settings/Model.h:2: includes capture/frmMain.h", result.stdout)
        self.assertEqual(len(result.stdout.splitlines()), 2, result.stdout)

    def test_a_page_without_the_table_is_an_error(self):
        root = self.tree({"src/core/Logic.h": "#pragma once\n"})
        (root / "docs" / "ARCHITECTURE.md").write_text("# Architecture\n")
        self.assertEqual(self.run_check(root).returncode, 2)


if __name__ == "__main__":
    unittest.main()
