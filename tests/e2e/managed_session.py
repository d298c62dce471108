#!/usr/bin/env python3
"""The real Varnokle.exe under a window manager (openbox on a virtual display of its own, Wine's X11
driver in its default, managed mode), as on a desktop, driven with the mouse and the keyboard:

    managed_session.py --build build/win --source . [--rounds N] [--shots DIR]

1. The about box and the notification-area icon: with the about box open, two clicks on the icon
   leave the main window shown with the about box in front, and the about box's OK closes it; then
   the icon hides the window, the about box is opened from the icon's menu, and a click on the icon
   shows the window with the about box in front again.
2. N rounds (3 unless --rounds says otherwise) of: start, search, Properties of the first row from
   its pop-up menu (Shift+F10), Open Containing Folder (another program's window), then File, Exit:
   each run ends with exit code 0, no X error on its standard error, and vk.set holding the mask.

Pictures of the steps go to --shots (build/screenshots/ by default). It uses the build's Wine prefix,
starts its own Wine server on its display and deletes the program's registry key and folder in the
user's data before and after.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))

from varnokle_drive import (DIALOG_CLASS, MAIN_CLASS, MENU_CLASS, OK, OPTIONS_TRAY, TRAY_TITLE,  # noqa: E402
                            ID_VIEW_OPTIONS, Desktop, Program, StepFailed, check, forget_profile, run_steps,
                            test_main, virtual_display, wait_until)

OPTIONS = "Options"
ABOUT = ""  # the about box has no caption
SHELL_ERROR = "Error"


class ManagedSession:
    def __init__(self, arguments, display):
        self.build = os.path.abspath(arguments.build)
        self.network = os.path.join(os.path.abspath(arguments.source), "demo", "network")
        self.shots = os.path.abspath(arguments.shots or os.path.join(self.build, "..", "screenshots"))
        self.rounds = arguments.rounds
        self.desktop = Desktop(self.build, display)
        self.scratch = tempfile.mkdtemp(prefix="varnokle-managed-")
        self.program = None
        self.runs = 0

    def start(self):
        self.runs += 1
        self.program = Program(self.desktop, os.path.join(self.scratch, f"run{self.runs}"), self.network)
        self.program.wait_usable()
        return self.program

    def shot(self, name):
        self.desktop.screenshot(os.path.join(self.shots, name))

    def about_box(self):
        return self.program.dialog(ABOUT)

    def tray_icon(self):
        tray = wait_until(lambda: self.desktop.x_windows(TRAY_TITLE), "the notification area is not shown")[0]
        x, y, width, height = self.desktop.x_geometry(tray)
        return tray, (x + height // 2, y + height // 2)

    def click_tray(self, button=1):
        tray, icon = self.tray_icon()
        # Under the window manager the maximized main window may cover the notification area.
        self.desktop.xdo("windowraise", tray)
        self.desktop.click(icon, button)

    def expect_about_in_front(self, what):
        """The about box shown above the main window, and the main window shown. Which window has the
        keyboard is the window manager's choice here (it may keep it on the notification area that was
        clicked), so the order of the windows is checked, not the activation."""
        def in_front():
            main = self.program.main()
            if not main:  # a look that missed the window (it is never destroyed here): look again
                return False
            order = [w["class"] for w in self.desktop.windows() if w["pid"] == main["pid"]]
            box = self.about_box()
            return box and box["visible"] and DIALOG_CLASS in order and MAIN_CLASS in order and \
                order.index(DIALOG_CLASS) < order.index(MAIN_CLASS)

        wait_until(in_front, f"{what}: the about box is not in front of the main window")
        main = self.program.main()
        check(main and main["visible"] and not main["iconic"], f"{what}: the main window is not shown")

    def close_about(self):
        self.program.click_control(OK, ABOUT)
        wait_until(lambda: self.about_box() is None, "the about box's OK did not close it")
        wait_until(lambda: self.program.main()["enabled"], "the main window stayed disabled")

    # --- Steps ------------------------------------------------------------------------------

    def tray_clicks_with_the_about_box_open(self):
        self.start()
        self.program.activate()
        self.program.click_tool(ID_VIEW_OPTIONS)
        self.program.wait_control(OPTIONS_TRAY, "Options shows no tray box", title=OPTIONS)
        self.program.click_control(OPTIONS_TRAY, OPTIONS)
        self.program.wait_control(OPTIONS_TRAY, "the tray box was not ticked", lambda c: c["checked"], title=OPTIONS)
        self.program.click_control(OK, OPTIONS)
        self.program.wait_dialog_gone(OPTIONS)
        self.tray_icon()

        self.program.activate()
        self.desktop.key("alt+h")
        wait_until(lambda: [w for w in self.desktop.windows() if w["class"] == MENU_CLASS], "Alt+H opened no menu")
        self.desktop.key("a")
        wait_until(self.about_box, "the about box did not open")
        for click in (1, 2):
            self.click_tray()
            time.sleep(0.5)  # a hide would take its time under a window manager: look after it
            self.expect_about_in_front(f"tray click {click} with the about box open")
            self.shot(f"managed-about-tray-click{click}.png")
        self.close_about()

    def about_from_the_tray_menu_of_a_hidden_window(self):
        self.click_tray()
        wait_until(lambda: not self.program.main()["visible"], "the tray icon did not hide the main window")
        for attempt in range(6):
            self.click_tray(button=3)
            try:
                menu = wait_until(lambda: [w for w in self.desktop.windows() if w["class"] == MENU_CLASS],
                                  "no menu", timeout=3)[0]
            except StepFailed:
                continue
            # About, Show, Exit: About is the first row.
            left, top, right, bottom = menu["rect"]
            self.desktop.click((left + (right - left) // 3, top + 3 + (bottom - top - 6) // 6))
            try:
                wait_until(self.about_box, "no about box", timeout=5)
                break
            except StepFailed:
                continue
        else:
            raise StepFailed("the tray menu's About did not open the about box")
        self.click_tray()
        self.expect_about_in_front("the tray icon with the about box of a hidden window")
        self.shot("managed-about-hidden-window.png")
        self.close_about()
        # The keyboard may have stayed with the notification area although Wine counts the main window
        # active: a click on the status bar gives it to the main window.
        left, top, right, bottom = self.program.main()["client"]
        self.desktop.click((right - 40, bottom - 4))
        self.desktop.key("alt+f", "x")
        code = self.program.wait_end()
        check(code == 0, f"the program ended with exit code {code}")

    def properties_and_containing_folder_then_exit(self):
        for round_number in range(1, self.rounds + 1):
            program = self.start()
            program.search("*.txt")
            program.click_first_row()
            self.desktop.key("shift+F10")
            wait_until(lambda: [w for w in self.desktop.windows() if w["class"] == MENU_CLASS],
                       "Shift+F10 opened no pop-up menu")
            self.desktop.key("Up", "Return")  # Properties, the last item
            time.sleep(1.5)  # whatever the shell opens, it has its moment
            self.answer_shell_error(program, "Properties")
            program.activate()
            program.click_first_row()
            self.desktop.key("Menu")
            wait_until(lambda: [w for w in self.desktop.windows() if w["class"] == MENU_CLASS],
                       "the menu key opened no pop-up menu")
            self.desktop.key("Home", "Return")  # Open Containing Folder, the first item
            pid = program.main()["pid"]
            wait_until(lambda: [w for w in self.desktop.windows() if w["pid"] != pid and
                                w["class"] not in (MENU_CLASS, "tooltips_class32") and w["title"]],
                       "Open Containing Folder opened no other program's window", timeout=20)
            self.answer_shell_error(program, "Open Containing Folder")
            if round_number == 1:
                self.shot("managed-containing-folder.png")
            program.activate()
            program.open_menu("f")
            self.desktop.key("x")
            code = program.wait_end()
            stderr = program.stderr()
            check(code == 0, f"round {round_number}: exit code {code}\n{stderr}")
            check("BadWindow" not in stderr and "X Error" not in stderr, f"round {round_number}: {stderr}")
            with open(self.desktop.user_data("vk.set"), "rb") as state:
                check(state.read().startswith(b"1\r\n*.txt\r\n"), f"round {round_number}: vk.set lacks the mask")
            print(f"     round {round_number}: exit code 0, no X error, vk.set written", flush=True)
            # The other program's windows go before the next round.
            self.desktop.wine("taskkill", "/IM", "explorer.exe", check=False)
            self.desktop.wine("taskkill", "/IM", "winefile.exe", check=False)

    def answer_shell_error(self, program, command):
        """The shell reports what it could not do in a message box of its own, captioned "Error", in
        the program's process (Wine's shell does for a volume it cannot read). That is the shell's
        answer, not a fault of the program: the box is shown in the log and closed with its OK."""
        box = program.dialog(SHELL_ERROR)
        if not box:
            return
        texts = [c["text"] for c in box["controls"] if c.get("text")]
        print(f"     {command}: the shell said {texts}", flush=True)
        program.click_control(OK, title=SHELL_ERROR)
        program.wait_dialog_gone(SHELL_ERROR)

    def run(self):
        steps = [self.tray_clicks_with_the_about_box_open, self.about_from_the_tray_menu_of_a_hidden_window,
                 self.properties_and_containing_folder_then_exit]
        self.desktop.restart_wine()
        forget_profile(self.desktop)
        self.desktop.set_unmanaged(False)
        try:
            if not run_steps(steps, self.desktop, os.path.join(self.shots, "managed-failure.png"),
                             lambda: self.program):
                return 1
        finally:
            if self.program:
                self.program.kill()
            forget_profile(self.desktop)
            shutil.rmtree(self.scratch, ignore_errors=True)
            self.desktop.restart_wine()
        print(f"managed session: all {len(steps)} steps passed")
        return 0


def add_arguments(parser):
    parser.add_argument("--rounds", type=int, default=3, help="rounds of Properties, folder and exit")
    parser.add_argument("--shots", help="where the pictures go (default: build/screenshots)")


def run(arguments):
    with virtual_display() as display:
        manager = subprocess.Popen(["openbox"], env=dict(os.environ, DISPLAY=display), stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        try:
            return ManagedSession(arguments, display).run()
        finally:
            manager.terminate()
            manager.wait()


if __name__ == "__main__":
    sys.exit(test_main("managed session", __doc__, run, add_arguments, needs_display=False))
