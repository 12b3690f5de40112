#!/usr/bin/env python3
"""Lists the circles in the include graph of the project's own code.

    scripts/include_cycles.py [ROOT]

Reads every .h and .cpp below ROOT (default: the repository), follows the
quoted includes that name a project file, and prints two lists: circles
between folders (a folder is one library: simulation, platform/gfx, ...), and
circles between header files. Each circle is one strongly connected group,
printed with its members in order. Exits 1 when there is a folder circle.
"""

import os
import re
import sys

SOURCE_ROOTS = ("base", "simulation", "platform", "framework", "rendering", "shell", "tools")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def project_files(root):
    for top in SOURCE_ROOTS:
        for folder, _, names in os.walk(os.path.join(root, top)):
            for name in names:
                if name.endswith((".h", ".cpp")):
                    yield os.path.relpath(os.path.join(folder, name), root)


def resolve(root, including, target):
    for candidate in (target, os.path.join(os.path.dirname(including), target)):
        if os.path.isfile(os.path.join(root, candidate)):
            return os.path.normpath(candidate)
    return None


def include_edges(root):
    edges = {}
    for path in project_files(root):
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as source:
            targets = {resolve(root, path, t) for t in INCLUDE.findall(source.read())}
        edges[path] = sorted(t for t in targets if t is not None and t != path)
    return edges


def circles(graph):
    """Strongly connected groups of more than one node (Tarjan)."""
    index, low, stack, on_stack, groups = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for successor in graph.get(node, ()):
            if successor not in index:
                visit(successor)
                low[node] = min(low[node], low[successor])
            elif successor in on_stack:
                low[node] = min(low[node], index[successor])
        if low[node] == index[node]:
            group = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                group.append(member)
                if member == node:
                    break
            if len(group) > 1:
                groups.append(sorted(group))

    sys.setrecursionlimit(10000)
    for node in sorted(graph):
        if node not in index:
            visit(node)
    return sorted(groups)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    edges = include_edges(root)
    folders = {}
    for path, targets in edges.items():
        folder = os.path.dirname(path)
        folders.setdefault(folder, set()).update(
            os.path.dirname(t) for t in targets if os.path.dirname(t) != folder)
    folder_circles = circles({f: sorted(t) for f, t in folders.items()})
    units = {}
    for path, targets in edges.items():
        unit = os.path.splitext(path)[0]
        units.setdefault(unit, set()).update(os.path.splitext(t)[0] for t in targets)
        units[unit].discard(unit)
    unit_circles = circles({u: sorted(t) for u, t in units.items()})
    print(f"folder circles: {len(folder_circles)}")
    for group in folder_circles:
        print("  " + " <-> ".join(group))
    print(f"unit circles: {len(unit_circles)}")
    for group in unit_circles:
        print("  " + " <-> ".join(group))
    return 1 if folder_circles else 0


if __name__ == "__main__":
    sys.exit(main())
