#!/usr/bin/env python3
"""Fails when a source file includes a header of a folder its own folder may
not use, and when the table itself lets two folders include each other,
directly or through others. The arrows are read from the table in
docs/ARCHITECTURE.md, so the page and the build cannot drift apart.

Usage: folder_arrows.py SOURCE_ROOT
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/([^"]+)"', re.M)
ROW = re.compile(r'^\|\s*`([a-z_]+)/`\s*\|[^|]*\|([^|]*)\|', re.M)
FOLDER = re.compile(r'`([a-z_]+)/([a-z_.]*)`')


def read_arrows(page):
    """{folder: {folder it may include: None for all of it, or a set of headers}}"""
    arrows = {}
    for folder, targets in ROW.findall(page):
        allowed = {folder: None}
        for target, header in FOLDER.findall(targets):
            if header:
                allowed.setdefault(target, set())
                if allowed[target] is not None:
                    allowed[target].add(header)
            else:
                allowed[target] = None
        arrows[folder] = allowed
    return arrows


def wrong_includes(root, arrows):
    wrong = []
    for folder, allowed in arrows.items():
        for path in sorted((root / folder).glob('*.[ch]*')):
            for target, header in INCLUDE.findall(path.read_text(errors='replace')):
                if target not in arrows:
                    continue  # tests/, bench/ and the like are not source folders
                headers = allowed.get(target, set())
                if headers is None or header in headers:
                    continue
                wrong.append(f'{path.relative_to(root)}: includes "{target}/{header}"')
    return wrong


def arrow_cycle(arrows):
    """A list of folders that lead back to the first, or None."""
    state = {}

    def visit(folder, path):
        state[folder] = 'open'
        for target in arrows.get(folder, {}):
            if target == folder or target not in arrows:
                continue
            if state.get(target) == 'open':
                return path[path.index(target):] + [target]
            if target not in state:
                found = visit(target, path + [target])
                if found:
                    return found
        state[folder] = 'done'
        return None

    for folder in arrows:
        if folder not in state:
            found = visit(folder, [folder])
            if found:
                return found
    return None


def main():
    root = pathlib.Path(sys.argv[1])
    arrows = read_arrows((root / 'docs' / 'ARCHITECTURE.md').read_text())
    if len(arrows) < 5:
        print('docs/ARCHITECTURE.md: no table of folders and their arrows found')
        return 1
    cycle = arrow_cycle(arrows)
    if cycle:
        print('docs/ARCHITECTURE.md: the arrows run in a circle: ' + ' -> '.join(cycle))
        return 1
    wrong = wrong_includes(root, arrows)
    for line in wrong:
        print(line)
    return 1 if wrong else 0


if __name__ == '__main__':
    sys.exit(main())
