#!/usr/bin/env python3
"""The layering check's own test. One-line files that break the layering, one breach each, are
planted in a scratch copy of the project, which CMake configures with the project's own include
roots; the check must report every one with the file it opens and the rule, and pass a clean one.

    test_check_layers.py --root SOURCE_DIR --build BUILD_DIR
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
COPIED = ["CMakeLists.txt", "cmake", "platform", "include", "src", "game", "app", "tools"]

# (planted file, its one line, what the report names for it: the opened file and the rule).
BREACHES = [
    ("src/PlantedGame.cpp", '#include "../game/world/CGameMaster.h"', "game/world/CGameMaster.h: layer engine may not include layer game"),
    ("src/core/PlantedPlatformDots.cpp", '#include "platform/../game/world/CGameMaster.h"', "game/world/CGameMaster.h: layer engine may not include layer game"),
    ("game/world/PlantedEditor.cpp", "#include <game/editor/CLevelEditorState.h>", "game/editor/CLevelEditorState.h: layer game may not include layer editor"),
    ("game/PlantedApp.cpp", '#include "../app/Startup.h"', "app/Startup.h: layer game may not include layer app"),
    ("game/world/PlantedBullet.cpp", "#include <bullet/btBulletDynamicsCommon.h>", "btBulletDynamicsCommon.h: Bullet belongs to engine and tests/engine, not game"),
    ("game/world/PlantedGL.cpp", '#include "platform/gfx/detail/GL.h"', "platform/gfx/detail/GL.h: a platform-private header, for the platform layer alone"),
    ("src/core/PlantedFrame.cpp", '#include "../frame/CGameManager.h"', "src/frame/CGameManager.h: engine folder core is below frame in the engine ring"),
]
# Breaches the build itself refuses: the file does not preprocess, and the check says so.
REFUSED = [
    ("game/world/PlantedBulletPath.cpp", "#include <btBulletDynamicsCommon.h>", "btBulletDynamicsCommon.h: No such file"),
    ("game/world/PlantedEditor.cpp", None, "the level editor sits above the game"),
    ("game/world/PlantedGL.cpp", None, "GL.h is the platform layer's own"),
]
CLEAN = ("game/world/PlantedClean.cpp", '#include "game/world/CGameMaster.h"')


def cache_value(build, name):
    with open(os.path.join(build, "CMakeCache.txt"), encoding="utf-8") as handle:
        for line in handle:
            match = re.match(rf"{name}:[A-Z]+=(.*)$", line.strip())
            if match:
                return match.group(1)
    return None


class PlantedBreachTest(unittest.TestCase):
    root = build = None

    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix="layering-")
        source, build = os.path.join(cls.scratch, "source"), os.path.join(cls.scratch, "build")
        os.makedirs(source)
        for name in COPIED:
            origin = os.path.join(cls.root, name)
            if os.path.isdir(origin):
                shutil.copytree(origin, os.path.join(source, name), symlinks=True)
            else:
                shutil.copy2(origin, os.path.join(source, name))
        cls.planted = {}
        for path, line, _ in BREACHES + [r for r in REFUSED if r[1]] + [(CLEAN[0], CLEAN[1], None)]:
            with open(os.path.join(source, path), "w", encoding="utf-8") as handle:
                handle.write(line + "\n")
            cls.planted[path] = os.path.join(source, path)
        configure = ["cmake", "-S", source, "-B", build, "-DTHRUMMOCK_TESTS=OFF", "-DTHRUMMOCK_BENCH=OFF"]
        for name in ("CMAKE_GENERATOR", "CMAKE_CXX_COMPILER", "CMAKE_C_COMPILER", "CMAKE_BUILD_TYPE"):
            value = cache_value(cls.build, name)
            if value:
                configure += ["-G", value] if name == "CMAKE_GENERATOR" else [f"-D{name}={value}"]
        run = subprocess.run(configure, capture_output=True, text=True)
        if run.returncode != 0:
            raise RuntimeError("the scratch copy does not configure:\n" + run.stdout + run.stderr)
        cls.source, cls.scratch_build = source, build

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def check(self, *paths):
        command = [sys.executable, os.path.join(HERE, "check_layers.py"), "--root", self.source,
                   "--build", self.scratch_build, "--files"] + [self.planted[p] for p in paths]
        run = subprocess.run(command, capture_output=True, text=True)
        return run.returncode, run.stdout + run.stderr

    def test_every_planted_breach_is_reported(self):
        status, report = self.check(*[path for path, _, _ in BREACHES + REFUSED if path in self.planted])
        self.assertEqual(status, 1, report)
        lines = report.splitlines()
        for path, line, expected in BREACHES:
            with self.subTest(path=path, line=line):
                self.assertTrue(
                    any(l.startswith(f"{path}: opens ") and expected in l for l in lines),
                    f"no '{expected}' for {path} in:\n{report}",
                )
        for path, line, expected in REFUSED:
            with self.subTest(path=path, refused=expected):
                self.assertTrue(
                    any(l.startswith(f"{path}: does not preprocess") and expected in l for l in lines),
                    f"no refusal '{expected}' for {path} in:\n{report}",
                )

    def test_a_clean_file_passes(self):
        status, report = self.check(CLEAN[0])
        self.assertEqual(status, 0, report)
        self.assertIn("0 breach(es)", report)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--root", required=True)
    parser.add_argument("--build", required=True, help="the project's configured build tree")
    args, rest = parser.parse_known_args()
    PlantedBreachTest.root, PlantedBreachTest.build = os.path.realpath(args.root), os.path.realpath(args.build)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
