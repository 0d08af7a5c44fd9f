#!/usr/bin/env python3
"""The layer check on small made-up cores: it passes a tree whose includes point down
and names each include that points up or into a folder without a layer."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

SCRIPT = pathlib.Path(__file__).resolve().parents[2] / "scripts" / "check_layers.py"


def run_on(files):
    with tempfile.TemporaryDirectory() as root:
        core = pathlib.Path(root)
        for name, text in files.items():
            (core / name).parent.mkdir(parents=True, exist_ok=True)
            (core / name).write_text(text)
        done = subprocess.run([sys.executable, str(SCRIPT), str(core)],
                              capture_output=True, text=True)
        return done.returncode, done.stderr


class CheckLayersTest(unittest.TestCase):
    def test_downward_and_same_folder_includes_pass(self):
        code, err = run_on({
            "base/geometry.h": "#pragma once\n",
            "objects/shape.h": '#include "base/geometry.h"\n#include "objects/other.h"\n',
            "objects/other.h": "#include <vector>\n",
            "edit/tool.cpp": '#include "objects/shape.h"\n#include "document/doc.h"\n',
            "document/doc.h": '#include "render/r.h"\n',
            "render/r.h": '#include "library/t.h"\n',
            "library/t.h": '#include "effects/k.h"\n',
            "effects/k.h": '#include "image/i.h"\n',
            "image/i.h": '#include "base/geometry.h"\n',
            "ui/bar.h": '#include "edit/tool.h"\n',
        })
        self.assertEqual((code, err), (0, ""))

    def test_upward_includes_fail_with_file_and_line(self):
        cases = [
            ("objects/draw.cpp", '#include "base/a.h"\n#include "render/stage.h"\n',
             "objects/draw.cpp:2: objects/ includes render/"),
            ("document/doc.h", '  #  include "export/jpg.h"\n',
             "document/doc.h:1: document/ includes export/"),
            ("effects/k.cpp", '#include "objects/draw_object.h"\n',
             "effects/k.cpp:1: effects/ includes objects/"),
            ("edit/view.h", '#include "ui/bar.h"\n', "edit/view.h:1: edit/ includes ui/"),
        ]
        for name, text, expected in cases:
            with self.subTest(name=name):
                code, err = run_on({name: text})
                self.assertEqual(code, 1)
                self.assertIn(expected, err)

    def test_unplaced_folders_fail(self):
        code, err = run_on({"gadgets/g.h": "#pragma once\n"})
        self.assertEqual(code, 1)
        self.assertIn("gadgets/: folder has no place", err)
        code, err = run_on({"base/a.h": '#include "gadgets/g.h"\n', "gadgets/g.h": ""})
        self.assertEqual(code, 1)
        self.assertIn("base/a.h:1: includes gadgets/", err)


if __name__ == "__main__":
    unittest.main()
