#!/usr/bin/env python3
"""Checks that includes point one way through the layers and that system libraries stay where
they belong. Prints every breach and exits 1 when there is one.

Layers, lowest first: platform/ <- engine (include/, src/) <- game/ <- game/editor/ <- app/, with
tools/, bench/ and tests/ above the layers they name. Inside the engine, no two folders include
each other, directly or through others.
"""
import os
import re
import sys

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", ".."))
SOURCE_DIRS = ["platform", "include", "src", "game", "app", "tools", "bench", "tests"]
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')

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

# Libraries that only the platform layer includes, by the start of their include path.
PLATFORM_LIBRARIES = ("SDL", "SDL2/", "epoxy/", "GL/", "EGL/", "imgui", "backends/", "stb_")
POSIX = ("signal.h", "csignal", "unistd.h", "dirent.h", "sys/", "execinfo.h", "dlfcn.h", "pthread.h", "fcntl.h")
# Layers above the platform that may still name such headers, with the reason.
PLATFORM_LIBRARY_EXCEPTIONS = {
    "tests/platform": "the platform layer's own tests drive SDL and ImGui directly",
}
POSIX_EXCEPTIONS = {
    "tests/platform": "test harness: scratch folders, child processes and signals",
    "tests/engine": "test harness: scratch folders, child processes and signals",
    "tests/game": "test harness: scratch folders, child processes and signals",
    "tests": "test harness: scratch folders, child processes and signals",
}
# The one file that may include TinyXML-2.
XML_OWNER = "src/core/CXmlDocument.cpp"

# Engine folder pairs that may include each other, with the reason; none today.
ENGINE_CYCLE_EXCEPTIONS = {}


def layer_of(path):
    parts = path.split("/")
    if parts[0] == "platform":
        return "platform"
    if parts[0] in ("include", "src"):
        return "engine"
    if parts[0] == "game":
        return "editor" if len(parts) > 1 and parts[1] == "editor" else "game"
    if parts[0] == "tests" and len(parts) > 1 and ("tests/" + parts[1]) in ALLOWED:
        return "tests/" + parts[1]
    return parts[0]


def engine_folder(path):
    """The engine folder of a file or include path (include/core and src/core are both "core")."""
    parts = path.split("/")
    if parts[0] in ("include", "src") and len(parts) > 2:
        return parts[1]
    return None


def target_layer(include, source):
    head = include.split("/")[0]
    if head == "platform":
        return "platform"
    if head == "game":
        return "editor" if include.startswith("game/editor/") else "game"
    if head in ("app", "tools", "bench"):
        return head
    if os.path.exists(os.path.join(ROOT, "include", include)) or os.path.exists(os.path.join(ROOT, "src", include)):
        return "engine"
    beside = os.path.normpath(os.path.join(os.path.dirname(source), include))
    if os.path.exists(os.path.join(ROOT, beside)):
        return layer_of(beside.replace(os.sep, "/"))
    if source.startswith("tests/") and os.path.exists(os.path.join(ROOT, "tests", include)):
        return layer_of("tests/" + include)
    return None


def sources():
    for top in SOURCE_DIRS:
        for folder, dirs, files in os.walk(os.path.join(ROOT, top)):
            dirs[:] = [d for d in dirs if not d.startswith("build")]
            for name in files:
                if name.endswith((".h", ".hpp", ".cpp", ".c")):
                    yield os.path.relpath(os.path.join(folder, name), ROOT).replace(os.sep, "/")


def main():
    errors = []
    engine_edges = {}
    for path in sorted(sources()):
        layer = layer_of(path)
        with open(os.path.join(ROOT, path), encoding="utf-8", errors="replace") as handle:
            for number, line in enumerate(handle, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                where = f"{path}:{number}"
                bracket, include = match.groups()
                if bracket == "<":
                    if include.startswith(PLATFORM_LIBRARIES) and layer != "platform" and layer not in PLATFORM_LIBRARY_EXCEPTIONS:
                        errors.append(f"{where}: <{include}> belongs to the platform layer")
                    if include.startswith(POSIX) and layer != "platform" and layer not in POSIX_EXCEPTIONS:
                        errors.append(f"{where}: <{include}> is POSIX, which only the platform layer uses")
                    if include.startswith("tinyxml2") and path != XML_OWNER:
                        errors.append(f"{where}: TinyXML-2 is used only by the XML document ({XML_OWNER})")
                    continue
                target = target_layer(include, path)
                if target is None:
                    errors.append(f'{where}: "{include}" is not a project header')
                    continue
                if target not in ALLOWED.get(layer, set()):
                    errors.append(f'{where}: {layer} may not include {target} ("{include}")')
                if layer == "engine" and target == "engine":
                    here, there = engine_folder(path), include.split("/")[0]
                    if here and there != here:
                        engine_edges.setdefault(here, {}).setdefault(there, where)

    # Engine folders: the include graph must have no cycle.
    for a in sorted(engine_edges):
        for b in sorted(engine_edges[a]):
            if a < b and a in engine_edges.get(b, {}) and (a, b) not in ENGINE_CYCLE_EXCEPTIONS:
                errors.append(f"engine folders {a} and {b} include each other: {engine_edges[a][b]} and {engine_edges[b][a]}")
    for cycle in longer_cycles(engine_edges):
        errors.append("engine folders include each other in a ring: " + " -> ".join(cycle))

    for error in errors:
        print(error)
    print(f"layering: {len(errors)} breach(es)")
    return 1 if errors else 0


def longer_cycles(edges):
    """One representative ring of three or more folders per strongly connected group."""
    index, low, stack, on_stack, rings = {}, {}, [], set(), []
    counter = [0]

    def visit(node):
        index[node] = low[node] = counter[0]
        counter[0] += 1
        stack.append(node)
        on_stack.add(node)
        for nxt in edges.get(node, {}):
            if nxt not in index:
                visit(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on_stack:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            group = []
            while True:
                top = stack.pop()
                on_stack.discard(top)
                group.append(top)
                if top == node:
                    break
            if len(group) > 2:
                rings.append(sorted(group))

    for node in sorted(edges):
        if node not in index:
            visit(node)
    return rings


if __name__ == "__main__":
    sys.exit(main())
