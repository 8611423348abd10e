#!/usr/bin/env python3
"""Checks that includes point one way through the layers and that system libraries stay where
they belong, from the files the compiler really opens.

Every translation unit of the build's compile_commands.json, and every project header on its own
(with the flags of a unit of its layer), is preprocessed with `-M -H`: the header tree the
compiler prints gives, for each file it opened, the file that included it. Both are resolved to
their real paths (through the build tree's include-root links and any "..") and mapped to their
layer and folder; each include that breaks a rule below is reported once, with the including
file, the opened file and the rule. Exits 1 when there is a breach.

    check_layers.py --build BUILD_DIR [--root SOURCE_DIR] [--files FILE...]

Layers, lowest first: platform/ <- engine (include/, src/) <- game/ <- game/editor/ <- app/, with
tools/, bench/ and tests/ above the layers they name. Inside the engine and inside the game the
folders stand in rows (the rings below): a folder includes its own files and the folders of the
rows below it, never one beside or above it.
"""
import argparse
import json
import os
import re
import shlex
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

SOURCE_DIRS = ["platform", "include", "src", "game", "app", "tools", "bench", "tests"]
HEADER_SUFFIXES = (".h", ".hpp")

# Which layers each layer may include.
ALLOWED = {
    "platform": {"platform"},
    "engine": {"platform", "engine"},
    "game": {"platform", "engine", "game"},
    "editor": {"platform", "engine", "game", "editor"},
    "app": {"platform", "engine", "game", "editor", "app"},
    "tools": {"platform", "engine", "game", "tools"},
    "bench": {"platform", "engine", "game", "editor", "bench"},
    "tests/platform": {"platform", "tests", "tests/platform"},
    "tests/engine": {"platform", "engine", "tests", "tests/engine"},
    "tests/game": {"platform", "engine", "game", "editor", "tests", "tests/engine", "tests/game"},
    "tests": {"platform", "engine", "game", "editor", "app", "tests", "tests/platform", "tests/engine", "tests/game"},
}

# Platform headers for the platform layer alone (each also refuses to compile elsewhere): every
# header under a detail/ folder, and these.
PLATFORM_PRIVATE = {"platform/pad/SdlPadSource.h"}

# The engine's folders, bottom row first; include/core and src/core are both "core".
ENGINE_RING = [
    ["core"],
    ["math"],
    ["window", "audio", "triggers", "profiler"],
    ["render"],
    ["input", "physics", "devgui", "resources"],
    ["particles", "scene", "ui2d"],
    ["debug"],
    ["frame"],
]
# Includes from an engine folder to one beside or above it that are still allowed; none.
ENGINE_PAIRS_TO_UNTANGLE = {}

# The game's folders (game/<folder>), bottom row first; the editor is a layer of its own.
GAME_RING = [
    ["base"],
    ["voxel"],
    ["terrain"],
    ["entities"],
    ["fx"],
    ["cameras"],
    ["combat"],
    ["moves"],
    ["gui"],
    ["skills"],
    ["controllers"],
    ["world"],
    ["states"],
]
# Pairs still to untangle: includes from a game folder to one above it that are still allowed,
# as (including folder, included folder). The check fails once a listed include is gone, so
# that the list only shrinks.
GAME_PAIRS_TO_UNTANGLE = {
    # Folders that include each other; the other direction goes down the ring.
    ("entities", "controllers"): "an entity makes and feeds its controller; controllers drive entities",
    ("entities", "moves"): "a character owns and runs its move queue; the moves act on it",
    ("entities", "skills"): "a skill pickup reaches the skill list; the list drops its pickups",
    ("gui", "controllers"): "tweens are controllers run by the controller manager",
}

# System libraries by the path of their headers, and the layers that may include them.
LIBRARIES = [
    ("SDL2", re.compile(r"/SDL2/"), {"platform"}),
    ("OpenGL", re.compile(r"/(epoxy|GL|EGL|KHR)/"), {"platform"}),
    ("Dear ImGui", re.compile(r"/imgui/"), {"platform"}),
    ("stb", re.compile(r"/stb/|/stb_[^/]*$"), {"platform"}),
    ("Bullet", re.compile(r"/bullet/"), {"engine"}),
    ("TinyXML-2", re.compile(r"/tinyxml2\.h$"), set()),
    (
        "POSIX",
        re.compile(
            r"^/usr/include/([^/]*-linux-gnu/)?(sys/|(unistd|signal|dirent|execinfo|dlfcn|pthread|fcntl)\.h$)"
            r"|/c\+\+/[^/]+/csignal$"
        ),
        {"platform"},
    ),
]
# Layers and files beyond a library's own that may include it, with the reason.
LIBRARY_EXCEPTIONS = {
    "SDL2": {"tests/platform": "the platform layer's own tests drive SDL directly"},
    "Dear ImGui": {"tests/platform": "the platform layer's own tests drive ImGui directly"},
    "stb": {"tests/platform": "the platform layer's own tests write reference images"},
    "Bullet": {"tests/engine": "the physics tests look inside the engine's Bullet bodies"},
    "TinyXML-2": {"src/core/CXmlDocument.cpp": "the XML document is the one reader and writer of XML"},
    "POSIX": {
        "tests/platform": "test harness: scratch folders, child processes and signals",
        "tests/engine": "test harness: scratch folders, child processes and signals",
        "tests/game": "test harness: scratch folders, child processes and signals",
        "tests": "test harness: scratch folders, child processes and signals",
    },
}

TREE_LINE = re.compile(r"^(\.+) (.+)$")


def layer_of(path):
    """The layer of a file given relative to the project root, or None outside the layers."""
    parts = path.split("/")
    if parts[0] == "platform":
        return "platform"
    if parts[0] in ("include", "src"):
        return "engine"
    if parts[0] == "game":
        return "editor" if len(parts) > 1 and parts[1] == "editor" else "game"
    if parts[0] == "tests":
        sub = "tests/" + parts[1] if len(parts) > 2 else ""
        return sub if sub in ALLOWED else "tests"
    if parts[0] in ("app", "tools", "bench") and len(parts) > 1:
        return parts[0]
    return None


def folder_of(path):
    """The engine or game folder of a file: include/core/X.h and src/core/X.cpp are both "core"."""
    parts = path.split("/")
    return parts[1] if parts[0] in ("include", "src", "game") and len(parts) > 2 else None


def is_platform_private(path):
    return path.startswith("platform/") and ("/detail/" in path or path in PLATFORM_PRIVATE)


class Ring:
    """The rows of one layer's folders and the upward includes still allowed among them."""

    def __init__(self, name, rows, pairs_to_untangle):
        self.name = name
        self.row = {folder: number for number, folders in enumerate(rows) for folder in folders}
        self.pairs_to_untangle = pairs_to_untangle

    def breach(self, here, there):
        """Why folder `here` may not include folder `there`, or None when it may."""
        if here == there or (here, there) in self.pairs_to_untangle:
            return None
        if here is None or there is None:
            return f"the {self.name} keeps its files in its folders, not beside them"
        for folder in (here, there):
            if folder not in self.row:
                return f"{self.name} folder {folder} has no row in the {self.name} ring"
        if self.row[here] == self.row[there]:
            return f"{self.name} folders {here} and {there} stand side by side in the {self.name} ring"
        if self.row[here] < self.row[there]:
            return f"{self.name} folder {here} is below {there} in the {self.name} ring"
        return None


RINGS = {
    "engine": Ring("engine", ENGINE_RING, ENGINE_PAIRS_TO_UNTANGLE),
    "game": Ring("game", GAME_RING, GAME_PAIRS_TO_UNTANGLE),
}


class Checker:
    def __init__(self, root, build):
        self.root = os.path.realpath(root)
        self.build = os.path.realpath(build)
        self.real_paths = {}

    def real(self, directory, path):
        """The real path of a file as the compiler printed it (relative to its directory)."""
        key = (directory, path)
        found = self.real_paths.get(key)
        if found is None:
            found = self.real_paths[key] = os.path.realpath(os.path.join(directory, path))
        return found

    def relative(self, path):
        """A real path relative to the project root, or None outside it or inside a build tree."""
        if not path.startswith(self.root + os.sep) or path.startswith(self.build + os.sep):
            return None
        rel = os.path.relpath(path, self.root).replace(os.sep, "/")
        return None if rel.startswith("build") else rel

    def breach(self, includer, opened):
        """The rule an include breaks (includer relative to the root, opened a real path), or None."""
        layer = layer_of(includer)
        target = self.relative(opened)
        if target is None:
            return None if opened.startswith(self.build + os.sep) else self.library_breach(includer, layer, opened)
        there = layer_of(target)
        if there is None:
            return f"{target} is in no layer"
        if there not in ALLOWED[layer]:
            return f"layer {layer} may not include layer {there}"
        if is_platform_private(target) and layer != "platform":
            return "a platform-private header, for the platform layer alone"
        if layer == there and layer in RINGS:
            return RINGS[layer].breach(folder_of(includer), folder_of(target))
        return None

    @staticmethod
    def library_breach(includer, layer, opened):
        for library, pattern, owners in LIBRARIES:
            if pattern.search(opened):
                exceptions = LIBRARY_EXCEPTIONS.get(library, {})
                if layer in owners or layer in exceptions or includer in exceptions:
                    return None
                return f"{library} belongs to {' and '.join(sorted(owners | set(exceptions)))}, not {layer}"
        return None

    def header_tree(self, job):
        """The (includer, opened) real-path pairs of one preprocessing run, and its errors."""
        source, directory, flags, as_header = job
        command = flags + ["-M", "-MF", os.devnull, "-H", "-w"] + (["-x", "c++"] if as_header else []) + [source]
        run = subprocess.run(command, cwd=directory, capture_output=True, text=True, errors="replace")
        edges, stack = set(), [source]
        for line in run.stderr.splitlines():
            match = TREE_LINE.match(line)
            if not match:
                continue
            depth, path = len(match.group(1)), self.real(directory, match.group(2))
            del stack[depth:]
            edges.add((stack[-1], path))
            stack.append(path)
        errors = [line for line in run.stderr.splitlines() if ": error: " in line or "fatal error" in line]
        if run.returncode != 0 and not errors:
            errors = [f"{command[0]} exited with {run.returncode}"]
        return source, edges, errors


def compile_units(build):
    """(file, directory, arguments) of every translation unit, from compile_commands.json."""
    path = os.path.join(build, "compile_commands.json")
    try:
        with open(path, encoding="utf-8") as handle:
            entries = json.load(handle)
    except (OSError, ValueError) as error:
        sys.exit(f"layering: cannot read {path}: {error}")
    units = []
    for entry in entries:
        arguments = entry.get("arguments") or shlex.split(entry["command"])
        directory = entry["directory"]
        units.append((os.path.realpath(os.path.join(directory, entry["file"])), directory, arguments))
    return units


def preprocess_flags(arguments, directory, source):
    """The unit's compiler and flags without its source, output and dependency-file options."""
    kept, skip = [arguments[0]], False
    for argument in arguments[1:]:
        if skip:
            skip = False
        elif argument in ("-o", "-MF", "-MT", "-MQ"):
            skip = True
        elif argument not in ("-c", "-MD", "-MMD") and os.path.realpath(os.path.join(directory, argument)) != source:
            kept.append(argument)
    return kept


def project_headers(root):
    for top in SOURCE_DIRS:
        for folder, dirs, files in os.walk(os.path.join(root, top)):
            dirs[:] = sorted(d for d in dirs if not d.startswith("build"))
            for name in sorted(files):
                if name.endswith(HEADER_SUFFIXES):
                    yield os.path.realpath(os.path.join(folder, name))


def plan(checker, units, only):
    """The preprocessing jobs: every unit, then every header with the flags of a unit in its own
    folder, else of one in its layer. `only` limits both to the files it names. Also the files
    left unchecked, having no unit to borrow flags from."""
    jobs, by_layer, by_folder = [], {}, {}
    for source, directory, arguments in units:
        rel = checker.relative(source)
        if rel is None or layer_of(rel) is None:
            continue
        flags = preprocess_flags(arguments, directory, source)
        by_layer.setdefault(layer_of(rel), (directory, flags))
        by_folder.setdefault(os.path.dirname(source), (directory, flags))
        if only is None or source in only:
            jobs.append((source, directory, flags, False))
    headers = only if only is not None else set(project_headers(checker.root))
    for header in sorted(h for h in headers if h.endswith(HEADER_SUFFIXES)):
        rel = checker.relative(header)
        unit = by_folder.get(os.path.dirname(header)) or (by_layer.get(layer_of(rel)) if rel else None)
        if unit:
            jobs.append((header, unit[0], unit[1], True))
    planned = {job[0] for job in jobs}
    unchecked = sorted(checker.relative(f) or f for f in (only or headers) if f not in planned)
    return jobs, unchecked


def untangled(edges):
    """Listed upward includes between folders that no longer happen."""
    seen = {(layer_of(a), folder_of(a), folder_of(b)) for a, b in edges if layer_of(a) == layer_of(b)}
    return [
        f"{ring.name} folder {here} no longer includes {there}: take the pair off the {ring.name} list"
        for ring in RINGS.values()
        for here, there in sorted(ring.pairs_to_untangle)
        if (ring.name, here, there) not in seen
    ]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", required=True, help="a configured build tree with compile_commands.json")
    parser.add_argument("--root", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
    parser.add_argument("--files", nargs="+", help="check only these units or headers")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    args = parser.parse_args()

    checker = Checker(args.root, args.build)
    only = {os.path.realpath(f) for f in args.files} if args.files else None
    jobs, unchecked = plan(checker, compile_units(checker.build), only)

    breaches, failures, project_edges = {}, [], set()
    with ThreadPoolExecutor(max_workers=max(1, args.jobs)) as pool:
        for source, edges, errors in pool.map(checker.header_tree, jobs):
            failures += [f"{checker.relative(source) or source}: does not preprocess: {e}" for e in errors[:3]]
            for includer, opened in edges:
                here = checker.relative(includer)
                if here is None or layer_of(here) is None:
                    continue
                there = checker.relative(opened)
                if there is not None:
                    project_edges.add((here, there))
                rule = checker.breach(here, opened)
                if rule:
                    breaches.setdefault((here, there or opened, rule), checker.relative(source))
    if only is None:
        failures += untangled(project_edges)

    for (includer, opened, rule), unit in sorted(breaches.items()):
        seen = "" if unit == includer else f" (compiling {unit})"
        print(f"{includer}: opens {opened}: {rule}{seen}")
    for failure in failures:
        print(failure)
    for path in unchecked:
        print(f"{path}: not checked: no unit of its layer is in the build")
    print(f"layering: {len(jobs)} file(s) preprocessed, {len(breaches)} breach(es), {len(failures)} other failure(s)")
    return 1 if breaches or failures else 0


if __name__ == "__main__":
    sys.exit(main())
