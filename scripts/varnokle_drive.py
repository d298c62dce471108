#!/usr/bin/env python3
"""Runs the window program, Varnokle.exe, under Wine on an X display and drives it as a person does:
the mouse and the keyboard through xdotool, the eyes through vk_probe.exe (a small Windows program of
the tests that reads what the program's windows show: controls, status bar, result rows).

As a module it serves the end-to-end test (tests/e2e/end_to_end.py), the README's run command and the
screenshot script. As a program:

    varnokle_drive.py demo --build DIR --network DIR --shot PNG [--mask MASK] [--menu-shot PNG]
                           [--advanced-shot PNG] [--workdir DIR] [--fresh]

starts the program on a virtual display of its own, answers the tip of the day, searches for the
mask, writes a picture of the main window (with --menu-shot, one with its Edit menu opened by Alt+E;
with --advanced-shot, one of the advanced form after the same search), closes the program and prints
where the pictures are. --fresh deletes the
program's settings before and after.

The program runs with Wine's X11 driver in its unmanaged mode (Managed=N, for Varnokle.exe only):
without a window manager a maximized window then really fills the screen and the keyboard follows
the window the program activates. Everything waits for what it can see, never for a fixed time.
"""

import argparse
import getpass
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback
from contextlib import contextmanager

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver64"
PROGRAM_KEY = r"HKCU\Software\Varnokle"
SETTINGS_KEY = PROGRAM_KEY + r"\Varnokle - make your network transparent!!!"
X11_KEY = r"HKCU\Software\Wine\AppDefaults\Varnokle.exe\X11 Driver"

MAIN_CLASS = "VarnokleMainFrame"
DIALOG_CLASS = "#32770"
MENU_CLASS = "#32768"
TRAY_TITLE = "Wine System Tray"

# Control ids of the program's windows.
SIMPLE_MASK, SIMPLE_START, SIMPLE_STOP, ADVANCED_MODE = 1002, 1007, 1008, 1034
ADVANCED_MASK, ADVANCED_START, ADVANCED_STOP, SIMPLE_MODE = 1042, 1038, 1044, 1040
TIP_STARTUP, TIP_NEXT = 171, 170
RESULT_LIST = 1001
OPTIONS_TRAY, OPTIONS_MINIMIZE, OPTIONS_TIPS = 1025, 1026, 1028
OK, CANCEL = 1, 2
ID_VIEW_OPTIONS = 32802


class StepFailed(Exception):
    """A step of a drive did not see what it waited for."""


def check(condition, message):
    if not condition:
        raise StepFailed(message)


def wait_until(condition, what, timeout=30.0, interval=0.1):
    """Asks condition() until it gives something true and returns that; fails with what otherwise."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise StepFailed(f"{what} (waited {timeout:g} s)")
        time.sleep(interval)


def describe_controls(window, control_id):
    """What a window held when one of its controls was not to be seen: the control hidden or
    missing, and which of its controls were hidden."""
    if not window:
        return "the window itself was not there"
    controls = window.get("controls", [])
    same = [c for c in controls if c["id"] == control_id]
    state = "it was there but hidden" if same else "it was not among the window's controls"
    hidden = sorted({c["id"] for c in controls if not c["visible"]})
    return f"{state}; hidden: {hidden} of {len(controls)} controls"


def windows_path(path):
    """A Linux path as Wine's Z: drive shows it."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def centre(rect):
    left, top, right, bottom = rect
    return (left + right) // 2, (top + bottom) // 2


@contextmanager
def virtual_display():
    """An Xvfb display of its own (1280x800); yields its name."""
    number = 90
    while os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
        number += 1
    server = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wait_until(lambda: os.path.exists(f"/tmp/.X11-unix/X{number}") or server.poll() is not None,
                   "the virtual display did not start", timeout=10)
        if server.poll() is not None:
            raise StepFailed("the virtual display did not start")
        yield f":{number}"
    finally:
        server.terminate()
        server.wait()


class Desktop:
    """A Wine prefix on an X display: registry, probe, mouse, keys and pictures. The prefix is the
    build's own, run through its wine-run.sh, or another one (prefix) run with Wine itself, whose
    server the caller keeps running."""

    def __init__(self, build, display, prefix=None):
        self.build = os.path.abspath(build)
        self.display = display
        self.prefix = os.path.abspath(prefix) if prefix else os.path.join(self.build, "wineprefix")
        self.env = dict(os.environ, DISPLAY=display, WINEPREFIX=self.prefix,
                        WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=", LANG="C.UTF-8", LC_ALL="C.UTF-8")
        self.wine_command = [WINE] if prefix else [os.path.join(self.build, "wine-run.sh")]
        self.probe_exe = os.path.join(self.build, "tests", "vk_probe.exe")
        self.program_exe = os.path.join(self.build, "src", "Varnokle.exe")

    def user_data(self, *names):
        """The Linux path of the program's folder in the user's roaming application data
        (%APPDATA%\\Varnokle, where it keeps vk.set), or of a file in it."""
        return os.path.join(self.prefix, "drive_c", "users", getpass.getuser(), "AppData", "Roaming", "Varnokle",
                            *names)

    # --- Wine -------------------------------------------------------------------------------

    def restart_wine(self):
        """Ends the prefix's Wine server, so that the next program starts Wine's desktop (and its
        notification area) on this display."""
        subprocess.run([WINESERVER, "-k"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run([WINESERVER, "-w"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=60)

    def wine(self, *args, check=True):
        """Runs a Windows program (or a Wine tool) to its end; returns its standard output."""
        done = subprocess.run([*self.wine_command, *args], env=self.env, stdin=subprocess.DEVNULL,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)
        if check and done.returncode != 0:
            raise StepFailed(f"{' '.join(args)} failed: {done.stderr.decode(errors='replace')}")
        return done.stdout

    def reg_delete(self, key):
        self.wine("reg", "delete", key, "/f", check=False)

    def reg_add(self, key, name, kind, value):
        self.wine("reg", "add", key, "/v", name, "/t", kind, "/d", str(value), "/f")

    def reg_values(self, key):
        """The values of a registry key by name (numbers as int), {} when there is none."""
        out = self.wine("reg", "query", key, check=False).decode("cp437", errors="replace")
        values = {}
        for line in out.replace("\r", "").splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) == 3 and parts[1].startswith("REG_"):
                values[parts[0]] = int(parts[2], 16) if parts[1] == "REG_DWORD" else parts[2]
        return values

    def set_unmanaged(self, unmanaged):
        """Wine's X11 driver mode for Varnokle.exe, read when the program starts."""
        if unmanaged:
            self.reg_add(X11_KEY, "Managed", "REG_SZ", "N")
        else:
            self.reg_delete(X11_KEY)

    # --- Reading the screen -------------------------------------------------------------------

    def probe(self, *args):
        """vk_probe's answer as Python values; None when the window is not there. A probe that gave no
        answer at all (its Wine process failed to start or ended early) is asked again: only its own
        "null" means the window is missing."""
        for attempt in range(3):
            done = subprocess.run([*self.wine_command, self.probe_exe, *args], env=self.env,
                                  stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                  timeout=60)
            text = done.stdout.decode("utf-8", errors="replace").strip()
            if text:
                return json.loads(text)
        raise StepFailed(f"vk_probe {' '.join(args)} gave no answer (exit code {done.returncode}): "
                         f"{done.stderr.decode('utf-8', errors='replace').strip()}")

    def windows(self):
        return self.probe("windows") or []

    def window(self, cls, title=None):
        return self.probe("dump", cls, *([title] if title is not None else []))

    def x_windows(self, name, visible=True):
        """The X windows whose name is name (only those shown, unless visible is False)."""
        args = ["xdotool", "search"] + (["--onlyvisible"] if visible else []) + ["--name", f"^{name}$"]
        done = subprocess.run(args, env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        return [int(w) for w in done.stdout.split()]

    def x_geometry(self, window):
        """The X window's place on the screen and its size: (x, y, width, height). From xwininfo, whose
        absolute position is right under a reparenting window manager too (xdotool's is not)."""
        done = subprocess.run(["xwininfo", "-id", str(window)], env=self.env, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, check=True)
        values = dict(line.strip().split(":", 1) for line in done.stdout.decode().splitlines() if ":" in line)
        return tuple(int(values[name]) for name in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def screenshot(self, path, crop=None):
        """A picture of the screen (or of crop, a rectangle) in a PNG file."""
        os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
        args = ["/usr/bin/import", "-window", "root"]
        if crop:
            left, top, right, bottom = [max(v, 0) for v in crop]
            args += ["-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage"]
        subprocess.run(args + [path], env=self.env, check=True)
        return path

    # --- The user's hands ---------------------------------------------------------------------

    def xdo(self, *args):
        subprocess.run(["xdotool", *[str(a) for a in args]], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def move(self, point):
        self.xdo("mousemove", point[0], point[1])

    def click(self, point, button=1):
        self.xdo("mousemove", point[0], point[1], "click", button)

    def type(self, text):
        self.xdo("type", "--delay", 20, text)

    def key(self, *keys):
        self.xdo("key", *keys)


class Program:
    """One run of Varnokle.exe (the build's, or exe: another copy, or a command that starts one) in
    a working folder, its current directory."""

    def __init__(self, desktop, workdir, network=None, args=(), exe=None):
        self.desktop = desktop
        self.workdir = workdir
        env = dict(desktop.env)
        if network:
            env["VARNOKLE_NETWORK"] = windows_path(network)
        os.makedirs(workdir, exist_ok=True)
        self.stdout_path = os.path.join(workdir, "varnokle.out")
        self.stderr_path = os.path.join(workdir, "varnokle.err")
        command = exe if isinstance(exe, list) else [exe or desktop.program_exe]
        with open(self.stdout_path, "wb") as out, open(self.stderr_path, "wb") as err:
            self.process = subprocess.Popen([*desktop.wine_command, *command, *args], env=env, cwd=workdir,
                                            stdin=subprocess.DEVNULL, stdout=out, stderr=err)

    # --- What the user sees -------------------------------------------------------------------

    def main(self):
        return self.desktop.window(MAIN_CLASS)

    def dialog(self, title):
        found = self.desktop.window(DIALOG_CLASS, title)
        return found if found and found["visible"] else None

    def wait_main(self, what="the main window did not appear"):
        return wait_until(lambda: (lambda m: m if m and m["visible"] else None)(self.main()), what, timeout=60)

    def wait_usable(self):
        """Waits for the main window and closes the tip of the day, which comes first on a fresh
        profile (the main window is disabled while it is shown)."""
        self.wait_main()
        wait_until(lambda: self.main()["enabled"] or self.dialog("Tip of the Day"),
                   "neither the main window nor the tip of the day could be used")
        self.answer_tip()

    def wait_dialog(self, title):
        return wait_until(lambda: self.dialog(title), f'no dialog "{title}" appeared')

    def wait_dialog_gone(self, title):
        wait_until(lambda: self.dialog(title) is None, f'the dialog "{title}" did not close')

    @staticmethod
    def control(window, control_id):
        for control in window["controls"]:
            if control["id"] == control_id and control["visible"]:
                return control
        return None

    def wait_control(self, control_id, what, predicate=lambda c: True, title=None):
        """Waits until the control (of the main window, or of the dialog titled title) is shown and
        predicate(control) holds; returns the window's state."""

        def seen():
            window = self.main() if title is None else self.dialog(title)
            control = window and self.control(window, control_id)
            return window if control and predicate(control) else None

        return wait_until(seen, what)

    def status(self):
        main = self.main()
        return main["status"] if main else []

    def ended(self):
        return self.process.poll() is not None

    def stderr(self):
        with open(self.stderr_path, "rb") as err:
            return err.read().decode("utf-8", errors="replace")

    # --- What the user does -------------------------------------------------------------------

    def click_control(self, control_id, title=None, button=1, timeout=10.0):
        """Clicks the middle of a control once it is shown, as a person waits for a button to be
        there before clicking it."""
        where = "the main window" if title is None else f'the dialog "{title}"'
        first = time.monotonic()
        looks = 0
        while True:
            looks += 1
            last = self.main() if title is None else self.dialog(title)  # the about box's title is ""
            control = last and self.control(last, control_id)
            if control:
                break
            if time.monotonic() - first >= timeout:
                raise StepFailed(f"control {control_id} is not shown in {where} (waited {timeout:g} s); "
                                 f"{describe_controls(last, control_id)}")
            time.sleep(0.1)
        if looks > 1:
            # A control the window had just shown is worth a line: it tells a slow start from a fault.
            print(f"     control {control_id} of {where} was shown only after "
                  f"{time.monotonic() - first:.1f} s", flush=True)
        self.desktop.click(centre(control["rect"]), button)

    def click_tool(self, command):
        """A click on the toolbar button of a command."""
        for button in self.main()["buttons"]:
            if button["command"] == command:
                self.desktop.click(centre(button["rect"]))
                return
        raise StepFailed(f"no toolbar button for command {command}")

    def activate(self):
        """Makes the main window the active one, as a click on its status bar does."""
        main = self.main()
        if main["active"]:
            return
        left, top, right, bottom = main["client"]
        self.desktop.click((right - 40, bottom - 4))
        wait_until(lambda: self.main()["active"], "the main window did not become active")

    def type_mask(self, mask_box, mask):
        """Clicks into a mask box, replaces its text by mask and waits until the box shows it."""
        box = self.control(self.main(), mask_box)
        if not box:
            raise StepFailed(f"the mask box {mask_box} is not shown")
        left, top, right, bottom = box["rect"]
        self.desktop.click((left + 30, (top + bottom) // 2))
        self.desktop.key("End", "shift+Home", "BackSpace")
        self.desktop.type(mask)
        self.wait_control(mask_box, f'the mask box did not show "{mask}"', lambda c: c["text"] == mask)

    def hover_tool(self, command, prompt):
        """Rests the pointer on a toolbar button until the status bar shows its prompt."""
        for button in self.main()["buttons"]:
            if button["command"] == command:
                self.desktop.move(centre(button["rect"]))
                break
        else:
            raise StepFailed(f"no toolbar button for command {command}")
        wait_until(lambda: self.status()[:1] == [prompt], f'the status bar did not show "{prompt}"')

    def search(self, mask, advanced=False, timeout=120):
        """Types the mask, presses Start and waits for "Search completed"; returns the window."""
        mask_box, start = (ADVANCED_MASK, ADVANCED_START) if advanced else (SIMPLE_MASK, SIMPLE_START)
        # The message pane first shows something else, so that the "Search completed" awaited
        # below is this search's.
        self.hover_tool(ID_VIEW_OPTIONS, "Show options dialog")
        self.type_mask(mask_box, mask)
        self.click_control(start)
        # The item count may show the last rows up to a tenth of a second after "Search completed".
        return wait_until(lambda: (lambda m: m if m["status"][:1] == ["Search completed"] and
                                   m["status"][1:] == [f"{len(m['rows'])} items"] and
                                   self.control(m, start)["enabled"] else None)(self.main()),
                          '"Search completed" did not come with the count of the rows', timeout=timeout)

    def rest_pointer(self):
        """Moves the pointer to an empty part of the result list, where no tooltip shows."""
        left, top, right, bottom = self.main()["client"]
        self.desktop.move((right - 100, bottom - 100))
        wait_until(lambda: not [w for w in self.desktop.windows() if w["class"] == "tooltips_class32"],
                   "a tooltip stayed on the screen")

    def click_first_row(self):
        """A click on the result list's first row, which selects it."""
        lists = [c for c in self.main()["controls"] if c["class"] == "SysListView32" and c["visible"]]
        if not lists:
            raise StepFailed("the result list is not shown")
        left, top, right, bottom = lists[0]["rect"]
        self.desktop.click((left + 40, top + 30))  # below the column header
        wait_until(lambda: self.main()["focus"] == RESULT_LIST, "the result list did not take the focus")

    def open_menu(self, key):
        """Opens a drop-down menu of the main window with its Alt key; returns the menu window."""
        self.activate()
        self.desktop.key(f"alt+{key}")
        return wait_until(lambda: [w for w in self.desktop.windows() if w["class"] == MENU_CLASS],
                          f"Alt+{key} opened no menu")[0]

    def close_menus(self):
        self.desktop.key("Escape", "Escape")
        wait_until(lambda: not [w for w in self.desktop.windows() if w["class"] == MENU_CLASS],
                   "the menu did not close")

    def answer_tip(self, title="Tip of the Day"):
        """Closes the tip of the day with OK, if it is shown."""
        if self.dialog(title):
            self.click_control(OK, title)
            self.wait_dialog_gone(title)

    def close(self, timeout=60):
        """Closes the main window with its close box and waits for the program to end; returns the
        exit code."""
        self.activate()
        main = self.main()
        if not main["close_box"]:
            raise StepFailed("the main window has no close box")
        self.desktop.click(main["close_box"])
        return self.wait_end(timeout)

    def wait_end(self, timeout=60):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise StepFailed(f"the program did not end within {timeout} s") from None

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def run_steps(steps, desktop, failure_shot, program=lambda: None):
    """Runs the steps of a test in order, each a method named for what it does, and prints each with
    its time. At the first that fails: prints why, a picture of the screen (failure_shot), the
    windows and the standard error of program() (the run under way, if any); returns False."""
    for step in steps:
        started = time.monotonic()
        name = step.__name__.replace("_", " ")
        try:
            step()
        except (StepFailed, subprocess.SubprocessError, OSError, KeyError, TypeError) as failure:
            where = ""
            if not isinstance(failure, StepFailed):  # a fault of the drive itself: say where
                frame = traceback.extract_tb(failure.__traceback__)[-1]
                where = f" ({os.path.basename(frame.filename)}:{frame.lineno}: {frame.line})"
            print(f"FAIL {name}: {failure}{where}", flush=True)
            try:
                desktop.screenshot(failure_shot)
                print(f"     the screen: {failure_shot}")
                print(f"     the windows: {desktop.windows()}")
            except (StepFailed, subprocess.SubprocessError, OSError, ValueError):
                pass
            if program():
                print("     the program's standard error:\n" + program().stderr())
            return False
        print(f"ok   {name} ({time.monotonic() - started:.1f} s)", flush=True)
    return True


@contextmanager
def window_manager(desktop, managed):
    """openbox on the display while the block runs (managed), or Wine's unmanaged mode."""
    desktop.set_unmanaged(not managed)
    if not managed:
        yield
        desktop.set_unmanaged(False)
        return
    ready = tempfile.mktemp(prefix="varnokle-openbox-")
    manager = subprocess.Popen(["openbox", "--sm-disable", "--startup", f"touch {ready}"], env=desktop.env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wait_until(lambda: os.path.exists(ready) or manager.poll() is not None, "openbox did not start")
        if manager.poll() is not None:
            raise StepFailed("openbox did not start")
        yield
    finally:
        manager.terminate()
        manager.wait()
        if os.path.exists(ready):
            os.remove(ready)


def run_in_each_mode(desktop, steps_for, failure_shot, program=lambda: None):
    """Runs a test's steps unmanaged, then again under openbox (as on a desktop: some faults show only
    there), with Wine restarted after each mode. steps_for(mode) and failure_shot(mode) give the
    steps and the failure picture of a mode, "unmanaged" or "managed"; program() is the run under way,
    killed when a mode ends. True when every step passed; stops at the first mode that failed."""
    for managed in (False, True):
        mode = "managed" if managed else "unmanaged"
        print(f"--- {mode}", flush=True)
        with window_manager(desktop, managed):
            ok = run_steps(steps_for(mode), desktop, failure_shot(mode), program)
            if program():
                program().kill()
            desktop.restart_wine()
        if not ok:
            return False
    return True


def forget_profile(desktop):
    """Deletes the program's settings and its data in the user's profile (vk.set)."""
    desktop.reg_delete(PROGRAM_KEY)
    shutil.rmtree(desktop.user_data(), ignore_errors=True)


def leave_clean(desktop, program, scratch):
    """What a drive leaves when it ends, passed or failed: its program (if any) killed, Wine's
    unmanaged mode off, the program's profile forgotten and its scratch folder removed."""
    if program:
        program.kill()
    desktop.set_unmanaged(False)
    forget_profile(desktop)
    shutil.rmtree(scratch, ignore_errors=True)


def test_main(name, description, run, add_arguments=None, needs_display=True):
    """The command line of a drive test: --build (the Windows build folder) and --source (the source
    tree, for the demo network), and what add_arguments(parser) adds. Returns run(arguments)'s exit
    code, or 1 when the test needs an X display and has none."""
    parser = argparse.ArgumentParser(description=description, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", required=True, help="the Windows build folder")
    parser.add_argument("--source", required=True, help="the source tree (for the demo network)")
    if add_arguments:
        add_arguments(parser)
    arguments = parser.parse_args()
    if needs_display and not os.environ.get("DISPLAY"):
        print(f"{name}: needs an X display (run it through cmake/with-display.sh)", file=sys.stderr)
        return 1
    return run(arguments)


def demo(arguments):
    """The README's run command without a display: a short search, pictured."""
    with virtual_display() as display:
        desktop = Desktop(arguments.build, display)
        desktop.restart_wine()
        desktop.set_unmanaged(True)
        if arguments.fresh:
            desktop.reg_delete(PROGRAM_KEY)
        workdir = os.path.abspath(arguments.workdir) if arguments.workdir else tempfile.mkdtemp(prefix="varnokle-")
        program = Program(desktop, workdir, arguments.network)
        try:
            program.wait_usable()
            advanced = program.control(program.main(), ADVANCED_MASK) is not None
            main = program.search(arguments.mask, advanced)
            print(f"Searched the demo network for {arguments.mask}: {main['status'][1]}, {main['status'][0]}.")
            program.rest_pointer()
            shots = [desktop.screenshot(arguments.shot)]
            if arguments.menu_shot:
                # A click on the first row, then the Edit menu with its first item hot: icons,
                # accelerator texts, the commands on the selected row enabled.
                program.click_first_row()
                menu = program.open_menu("e")
                left, top, right, bottom = menu["rect"]
                shots.append(desktop.screenshot(arguments.menu_shot, (0, 0, right + 40, bottom + 40)))
                program.close_menus()
            if arguments.advanced_shot:
                if not advanced:
                    program.click_control(ADVANCED_MODE)
                    program.wait_control(SIMPLE_MODE, "the advanced form did not come")
                    program.search(arguments.mask, advanced=True)
                program.rest_pointer()
                shots.append(desktop.screenshot(arguments.advanced_shot))
            code = program.close()
            if code != 0:
                raise StepFailed(f"the program ended with exit code {code}")
            for shot in shots:
                print(f"The main window: {shot}")
        except StepFailed as failure:
            print(f"run-demo: {failure}", file=sys.stderr)
            sys.stderr.write(program.stderr())
            return 1
        finally:
            program.kill()
            desktop.set_unmanaged(False)
            if arguments.fresh:
                desktop.reg_delete(PROGRAM_KEY)
            desktop.restart_wine()
            if not arguments.workdir:
                shutil.rmtree(workdir, ignore_errors=True)
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="command", required=True)
    run = sub.add_parser("demo", help="search on a virtual display and take a picture")
    run.add_argument("--build", required=True, help="the Windows build folder (build/win)")
    run.add_argument("--network", required=True, help="the folder network")
    run.add_argument("--mask", default="*.txt;*.doc")
    run.add_argument("--shot", required=True, help="the picture of the main window (PNG)")
    run.add_argument("--menu-shot", help="a picture of the main window with its Edit menu open")
    run.add_argument("--advanced-shot", help="a picture of the advanced form after the same search")
    run.add_argument("--workdir", help="the program's current directory (default: a temporary one)")
    run.add_argument("--fresh", action="store_true", help="start from, and leave, no saved settings")
    arguments = parser.parse_args()
    return demo(arguments)


if __name__ == "__main__":
    sys.exit(main())
