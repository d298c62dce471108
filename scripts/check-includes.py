#!/usr/bin/env python3
"""Checks that the includes of src/ point down the layers, never back up.

    check-includes.py SRC-FOLDER     check the tree, print each wrong include, exit 1 if any
    check-includes.py --self-test    make a small tree with one wrong include of each kind and
                                     check that every one is reported

The layers, bottom up: the platform (platform/), the portable core (engine/ and the portable
halves of results/, network/, forms/, shell/, decor/), the framework (framework/), the panes (the
win/ halves of results/, network/, forms/, decor/) and the shell on top (shell/win/: the frame,
the pane arrangement, start-up). The console tool (vkfind/) stands on the core.

Rules:
1. Nothing below the shell includes shell/win/.
2. The platform includes only the platform.
3. The core and the console tool never include a Windows header, the framework or a win/ header;
   the platform keeps Windows headers to its Windows files (*_win.cpp, and the *_win.h headers
   that only those include).
4. A pane does not include another pane's win/ folder, except where the program's design needs it:
   the document lives beside the result view (results/win/Varnokle2Doc.h) and owns the engine,
   which the tree pane and the search forms reach through it.
"""

import os
import re
import sys
import tempfile

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)

CORE = ("engine", "results", "network", "forms", "shell", "decor")
PANES = ("results", "network", "forms", "decor")
WINDOWS_HEADERS = {"windows.h", "windowsx.h", "commctrl.h", "shellapi.h", "shlobj.h", "shlwapi.h", "winnetwk.h",
                   "lm.h", "objbase.h", "ole2.h", "winreg.h", "winbase.h", "winuser.h"}
# Pane -> the other panes' win/ headers it may include.
PANE_EXCEPTIONS = {
    "network": {"results/win/Varnokle2Doc.h"},
    "forms": {"results/win/Varnokle2Doc.h"},
}


def layer_of(relative):
    """(layer, subsystem) of a file given by its path under src/."""
    parts = relative.split("/")
    top = parts[0]
    in_win = len(parts) > 2 and parts[1] == "win"
    if top == "platform":
        return "platform", top
    if top == "framework":
        return "framework", top
    if top == "vkfind":
        return "vkfind", top
    if top == "shell" and in_win:
        return "frame", top
    if top in PANES and in_win:
        return "pane", top
    if top in CORE:
        return "core", top
    return "other", top


def is_windows_file(relative):
    return relative.endswith(("_win.cpp", "_win.h"))


def problems_of(relative, text):
    layer, subsystem = layer_of(relative)
    found = []
    for quote, name in INCLUDE.findall(text):
        name_lower = name.lower()
        if quote == "<":
            if name_lower in WINDOWS_HEADERS and (
                layer in ("core", "vkfind") or (layer == "platform" and not is_windows_file(relative))
            ):
                found.append(f"{relative}: includes <{name}>, a Windows header, in portable code")
            continue
        target_parts = name.split("/")
        target_top = target_parts[0]
        target_win = len(target_parts) > 2 and target_parts[1] == "win"
        if layer != "frame" and target_top == "shell" and target_win:
            found.append(f"{relative}: includes {name}: only the shell includes the frame")
        if layer == "platform" and target_top != "platform" and "/" in name:
            found.append(f"{relative}: includes {name}: the platform includes only the platform")
        if layer in ("platform", "core", "vkfind") and name.endswith("_win.h") and not is_windows_file(relative):
            found.append(f"{relative}: includes {name}, a Windows header, in portable code")
        if layer in ("core", "vkfind") and (target_win or target_top == "framework"):
            found.append(f"{relative}: includes {name}: the core includes no window code")
        if (layer == "pane" and target_win and target_top in PANES and target_top != subsystem
                and name not in PANE_EXCEPTIONS.get(subsystem, set())):
            found.append(f"{relative}: includes {name}: a pane does not include another pane's window code")
    return found


def check(src):
    found = []
    for folder, _, files in os.walk(src):
        for file in sorted(files):
            if not file.endswith((".h", ".cpp")):
                continue
            path = os.path.join(folder, file)
            relative = os.path.relpath(path, src).replace(os.sep, "/")
            with open(path, encoding="utf-8", errors="replace") as f:
                found += problems_of(relative, f.read())
    return found


def self_test():
    wrong = {
        "results/win/ResultThing.cpp": '#include "shell/win/MainFrame.h"\n',
        "framework/Thing.cpp": '#include "shell/win/MainFrame.h"\n',
        "platform/Files.h": '#include "engine/SearchEngine.h"\n',
        "platform/Files_posix.cpp": "#include <windows.h>\n",
        "platform/Files.cpp": '#include "platform/Handles_win.h"\n',
        "engine/Walk.cpp": "#include <Windows.h>\n",
        "shell/Layout.cpp": '#include "framework/Window.h"\n',
        "network/Logic.cpp": '#include "network/win/UpView.h"\n',
        "decor/win/Menu.cpp": '#include "results/win/Varnokle2Doc.h"\n',
        "network/win/Tree.cpp": '#include "results/win/Varnokle2View.h"\n',
    }
    right = {
        "shell/win/MainFrame.cpp": '#include "results/win/Varnokle2View.h"\n#include <windows.h>\n',
        "network/win/UpView.cpp": '#include "results/win/Varnokle2Doc.h"\n#include "framework/Window.h"\n',
        "framework/PaneSplitter.h": '#include "shell/PaneLayout.h"\n',
        "platform/Files_win.cpp": '#include <windows.h>\n#include "platform/Files.h"\n',
        "platform/Handles_win.h": "#include <windows.h>\n",
        "platform/Links_win.cpp": '#include "platform/Handles_win.h"\n',
        "platform/Seam_win.h": "#include <windows.h>\n",
        "engine/Walk.h": "#include <string>\n",
    }
    with tempfile.TemporaryDirectory() as src:
        for relative, text in {**wrong, **right}.items():
            path = os.path.join(src, relative)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w") as f:
                f.write(text)
        found = check(src)
    reported = {line.split(":")[0] for line in found}
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
    found = check(argv[1])
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
