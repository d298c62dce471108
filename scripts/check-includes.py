#!/usr/bin/env python3
"""Checks that the includes of src/ point down the layers, never back up.

    check-includes.py SRC-FOLDER     check the tree, print each wrong include, exit 1 if any
    check-includes.py --self-test    make a small tree with one wrong include of each kind and
                                     check that every one is reported, and no right one

The layers, bottom up, by a file's first folder under src/:

    platform/    the OS seams and the folder network
    engine/      the search engine and its seams to the user interface
    framework/   our thin layer over Win32 (and the window-free arithmetic of its splitter)
    results/ network/ forms/ decor/   the panes: each a portable half and a window half (win/)
    document/    the document that the panes and the frame share
    shell/       the top of the window program: start-up, the frame, the pane arrangement
    vkfind/      the console tool

Rules, without exceptions:
1. A file includes files of its own layer and of the layers below it, never of one above.
2. A pane includes none of another pane's files.
3. Portable code includes no Windows code. Portable are the files outside the win/ folders, the
   framework and the document, except the Windows files of the platform (*_win.cpp and the
   *_win.h headers that only they include). Windows code is a Windows header, any file in a win/
   folder or named *_win, and any header of the tree that includes Windows code (so the
   framework's window-free headers are portable, its others are not).
"""

import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)

LAYERS = {"platform": 0, "engine": 1, "framework": 2, "results": 3, "network": 3, "forms": 3, "decor": 3,
          "document": 4, "shell": 5, "vkfind": 6}
PANES = ("results", "network", "forms", "decor")
WINDOWS_ONLY = ("framework", "document")
WINDOWS_HEADERS = {"windows.h", "windowsx.h", "commctrl.h", "commdlg.h", "shellapi.h", "shlobj.h", "shlwapi.h",
                   "winnetwk.h", "lm.h", "objbase.h", "ole2.h", "winreg.h", "winbase.h", "winuser.h"}


def top_of(path):
    return path.split("/")[0]


def in_windows_folder(path):
    parts = path.split("/")
    return "win" in parts[1:-1] or os.path.splitext(parts[-1])[0].endswith("_win")


def is_portable_file(path):
    return not in_windows_folder(path) and top_of(path) not in WINDOWS_ONLY


def windows_code(includes):
    """The files of the tree that are Windows code: in a win/ folder or named *_win, or including
    a Windows header or Windows code of the tree."""
    windows = {path for path in includes if in_windows_folder(path)}
    changed = True
    while changed:
        changed = False
        for path, found in includes.items():
            if path in windows:
                continue
            for quote, name in found:
                if (quote == "<" and name.lower() in WINDOWS_HEADERS) or (quote == '"' and name in windows):
                    windows.add(path)
                    changed = True
                    break
    return windows


def problems_of(path, found, windows):
    top = top_of(path)
    layer = LAYERS.get(top)
    problems = []
    for quote, name in found:
        if quote == "<":
            if name.lower() in WINDOWS_HEADERS and is_portable_file(path):
                problems.append(f"{path}: includes <{name}>, a Windows header, in portable code")
            continue
        target = top_of(name)
        if "/" not in name or target not in LAYERS:
            continue
        if layer is not None and LAYERS[target] > layer:
            problems.append(f"{path}: includes {name}: {top}/ lies below {target}/")
        elif top in PANES and target in PANES and target != top:
            problems.append(f"{path}: includes {name}: a pane includes no other pane's files")
        if is_portable_file(path) and name in windows:
            problems.append(f"{path}: includes {name}, Windows code, in portable code")
    return problems


def check_files(files):
    """The wrong includes of files (path under src/ -> text)."""
    includes = {path: INCLUDE.findall(text) for path, text in files.items()}
    windows = windows_code(includes)
    problems = []
    for path in sorted(files):
        problems += problems_of(path, includes[path], windows)
    return problems


def read_tree(src):
    files = {}
    for folder, _, names in os.walk(src):
        for name in names:
            if name.endswith((".h", ".cpp", ".inc")):
                path = os.path.join(folder, name)
                with open(path, encoding="utf-8", errors="replace") as f:
                    files[os.path.relpath(path, src).replace(os.sep, "/")] = f.read()
    return files


def self_test():
    wrong = {
        "results/win/ResultThing.cpp": '#include "shell/win/MainFrame.h"\n',
        "framework/Thing.cpp": '#include "shell/win/MainFrame.h"\n',
        "framework/Layout.h": '#include "forms/FormHost.h"\n',
        "platform/Files.h": '#include "engine/SearchEngine.h"\n',
        "engine/Seams.h": '#include "framework/Window.h"\n',
        "platform/Files_posix.cpp": "#include <windows.h>\n",
        "platform/Files.cpp": '#include "platform/Handles_win.h"\n',
        "engine/Walk.cpp": "#include <Windows.h>\n",
        "shell/Layout.cpp": '#include "framework/Window.h"\n',
        "shell/Rules.cpp": '#include "forms/win/Buttons.h"\n',
        "network/Logic.cpp": '#include "network/win/UpView.h"\n',
        "network/win/Tree.cpp": '#include "results/win/Varnokle2View.h"\n',
        "forms/Criteria.cpp": '#include "results/Store.h"\n',
        "network/win/Pane.cpp": '#include "document/Varnokle2Doc.h"\n',
        "document/Doc.cpp": '#include "shell/win/MainFrame.h"\n',
        "vkfind/Main.cpp": '#include "document/Varnokle2Doc.h"\n',
    }
    right = {
        "shell/win/MainFrame.cpp": '#include "results/win/Varnokle2View.h"\n#include "document/Varnokle2Doc.h"\n'
                                   "#include <windows.h>\n",
        "shell/win/MainFrame.h": '#include "framework/Window.h"\n',
        "shell/PaneLayout.h": '#include "framework/SplitterLayout.h"\n#include "forms/FormHost.h"\n',
        "framework/SplitterLayout.h": "#include <vector>\n",
        "framework/Window.h": '#include "framework/Win32.h"\n',
        "framework/Win32.h": "#include <windows.h>\n",
        "network/win/UpView.cpp": '#include "engine/EngineHost.h"\n#include "framework/Window.h"\n',
        "network/win/UpView.h": '#include "network/win/CheckTree.h"\n',
        "network/win/CheckTree.h": '#include "framework/Window.h"\n',
        "results/win/Varnokle2View.h": '#include "framework/Window.h"\n',
        "document/Varnokle2Doc.h": '#include "forms/win/Buttons.h"\n#include "engine/SearchEngine.h"\n',
        "forms/win/Buttons.h": '#include "framework/Win32.h"\n',
        "forms/FormHost.h": "#include <string>\n",
        "results/Store.h": "#include <string>\n",
        "platform/Files_win.cpp": '#include <windows.h>\n#include "platform/Files.h"\n',
        "platform/Paths.h": "#include <memory>\n",
        "platform/Handles_win.h": "#include <windows.h>\n",
        "platform/Links_win.cpp": '#include "platform/Handles_win.h"\n',
        "engine/SearchEngine.h": '#include "platform/Paths.h"\n',
        "engine/EngineHost.h": '#include "engine/SearchEngine.h"\n',
        "engine/Walk.h": "#include <string>\n",
        "vkfind/Scope.cpp": '#include "network/MemoryTree.h"\n#include "engine/SearchEngine.h"\n',
        "network/MemoryTree.h": '#include "engine/Walk.h"\n',
    }
    # No right file stands in for a wrong one.
    assert not set(wrong) & set(right)
    reported = {line.split(":")[0] for line in check_files({**wrong, **right})}
    missed = sorted(set(wrong) - reported)
    false = sorted(reported - set(wrong))
    for name in missed:
        print(f"check-includes self-test: not reported: {name}", file=sys.stderr)
    for name in false:
        print(f"check-includes self-test: reported wrongly: {name}", file=sys.stderr)
    return 1 if missed or false else 0


def main(argv):
    if len(argv) == 2 and argv[1] == "--self-test":
        return self_test()
    if len(argv) != 2 or not os.path.isdir(argv[1]):
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    problems = check_files(read_tree(argv[1]))
    for line in problems:
        print(line)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
