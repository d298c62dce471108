#!/usr/bin/env python3
"""The end-to-end test: the real Varnokle.exe of the Windows build under Wine, on the X display it is
given (ctest runs it on a virtual one), driven only as a person would, with the mouse and the keyboard
(xdotool), and checked by what its windows show (vk_probe.exe) and what it leaves behind (the registry,
vk.set in %APPDATA%\\Varnokle).

    end_to_end.py --build build/win --source .

It starts from a fresh state: the program's registry key and its folder in the user's data are
deleted and each run of the program has a folder of its own as its current directory (the first holds
a vk.set as an older version left it there). It uses the build's Wine prefix and leaves the program's
key and folder deleted again when it ends.

Steps (each fails with a message that says what it waited for in vain):
1. First start: the tip of the day; Next tip, unticking "Show tips on startup", OK: "StartUp" = 1 and
   "FilePos" after the second tip.
2. A search typed into the simple form: the rows are those the console tool finds with the same mask,
   the status bar says "Search completed" and the count.
3. The Edit menu opened with Alt+E after a click on a row: the program draws it, with the command
   icons in its left column (the red cross of Delete Items is there).
4. Save result (Ctrl+S) typed into the system's Save As dialog: a web page of the rows, then a text
   file of their paths.
5. The advanced form and back: the typed mask goes along, "Advanced" is saved each time.
6. Options opened and cancelled: nothing changes. Options turning the tray icon on: Wine's
   notification area shows; off: it goes; on again.
7. The tray menu's Exit ends the program (exit code 0) and takes the icon away; vk.set in the user's
   data holds the mask before the history read from the current directory's, which is left as it was.
8. Second start with "StartUp" = 1: no tip dialog, yet "FilePos" moves on by one tip; the tray icon
   comes with the saved setting and goes when the close box ends the program.
9. A search on a slow copy of the demo network, and the close box pressed while it runs: the program
   ends cleanly (exit code 0, no crash report) and vk.set is written.
"""

import json
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))

from varnokle_drive import (ADVANCED_MASK, ADVANCED_MODE, CANCEL, OK, OPTIONS_MINIMIZE, OPTIONS_TIPS,  # noqa: E402
                            OPTIONS_TRAY, SETTINGS_KEY, SIMPLE_MASK, SIMPLE_MODE, SIMPLE_START,
                            TIP_NEXT, TIP_STARTUP, ID_VIEW_OPTIONS, MENU_CLASS, TRAY_TITLE, Desktop, Program,
                            StepFailed, check, forget_profile, leave_clean, run_steps, test_main, wait_until,
                            windows_path)

TIP = "Tip of the Day"
# The mask history that an older version left in the current directory of the first run.
LEGACY_STATE = b"1\r\n*.old\r\n"
OPTIONS = "Options"
SAVE_AS = "Save As"


def tip_positions(tips_file):
    """The byte positions right after each tip line of a tips file, as the program reads it."""
    positions = []
    offset = 0
    with open(tips_file, "rb") as tips:
        for line in tips:
            offset += len(line)
            if line[:1] not in (b" ", b"\t", b"\n", b"\r", b";"):
                positions.append(offset)
    return positions


def count_pixels(png, wanted):
    """How many pixels of a picture have a colour for which wanted(red, green, blue) holds."""
    raw = subprocess.run(["/usr/bin/convert", png, "-depth", "8", "rgb:-"], stdout=subprocess.PIPE,
                         check=True).stdout
    return sum(1 for i in range(0, len(raw) - 2, 3) if wanted(raw[i], raw[i + 1], raw[i + 2]))


def crash_report(text):
    signs = ("Unhandled exception", "Unhandled page fault", "Backtrace:", "wine: Assertion", "terminate called")
    return any(sign in text for sign in signs)


class EndToEnd:
    def __init__(self, arguments):
        self.build = os.path.abspath(arguments.build)
        self.source = os.path.abspath(arguments.source)
        self.desktop = Desktop(self.build, os.environ.get("DISPLAY", ""))
        self.scratch = tempfile.mkdtemp(prefix="varnokle-e2e-")
        self.network = os.path.join(self.source, "demo", "network")
        self.tips = tip_positions(os.path.join(self.build, "src", "Tips.tip"))
        self.program = None
        self.runs = 0

    # --- Helpers ----------------------------------------------------------------------------

    def start(self, network=None, state_file=None):
        """Starts the program in a new folder of its own, which holds a vk.set of these bytes, if any."""
        self.runs += 1
        workdir = os.path.join(self.scratch, f"run{self.runs}")
        if state_file is not None:
            os.makedirs(workdir)
            with open(os.path.join(workdir, "vk.set"), "wb") as state:
                state.write(state_file)
        self.program = Program(self.desktop, workdir, network or self.network)
        return self.program

    def state_file(self):
        """The bytes of vk.set in the user's data, None when there is none."""
        try:
            with open(self.desktop.user_data("vk.set"), "rb") as state:
                return state.read()
        except FileNotFoundError:
            return None

    def tip_values(self):
        return self.desktop.reg_values(SETTINGS_KEY + r"\Tip")

    def settings(self):
        return self.desktop.reg_values(SETTINGS_KEY + r"\Settings")

    def tray_shown(self):
        return bool(self.desktop.x_windows(TRAY_TITLE))

    def console_rows(self, mask):
        """What the console tool lists for the mask on the whole network, as the result list shows
        it: (name, size, folder), the size empty for folders."""
        out = self.desktop.wine(os.path.join(self.build, "src", "vkfind.exe"), "--network",
                                windows_path(self.network), "--quiet", "--format", "json", "--mask", mask)
        rows = [json.loads(line) for line in out.decode("utf-8").splitlines() if line]
        return sorted((row["name"], "" if row["size"] is None else str(row["size"]), row["folder"]) for row in rows)

    def open_options(self):
        self.program.activate()
        self.program.click_tool(ID_VIEW_OPTIONS)
        self.program.wait_dialog(OPTIONS)
        # Its state once its controls are shown too.
        return self.program.wait_control(OPTIONS_TRAY, "the Options dialog shows no tray box", title=OPTIONS)

    def set_tray_icon(self, on):
        """Options: the tray box as wanted, Apply."""
        options = self.open_options()
        if Program.control(options, OPTIONS_TRAY)["checked"] != on:
            self.program.click_control(OPTIONS_TRAY, OPTIONS)
            self.program.wait_control(OPTIONS_TRAY, "the tray box did not change", lambda c: c["checked"] == on,
                                      title=OPTIONS)
        self.program.click_control(OK, OPTIONS)
        self.program.wait_dialog_gone(OPTIONS)

    def tray_menu_exit(self):
        """A right click on the program's icon in Wine's notification area, then Exit."""
        tray = wait_until(lambda: self.desktop.x_windows(TRAY_TITLE), "the notification area is not shown")[0]
        x, y, width, height = self.desktop.x_geometry(tray)
        icon = (x + height // 2, y + height // 2)  # the first icon, a square at the left
        # Wine may close a menu of an unmanaged program at once: a person then clicks again.
        for attempt in range(1, 7):
            self.desktop.xdo("windowraise", tray)
            self.desktop.click(icon, button=3)
            try:
                menu = wait_until(lambda: [w for w in self.desktop.windows() if w["class"] == MENU_CLASS],
                                  "no menu", timeout=3)[0]
            except StepFailed:
                continue
            # About, Show, Exit: three rows of one height inside the menu's border.
            left, top, right, bottom = menu["rect"]
            row = (bottom - top - 6) / 3
            self.desktop.click((left + (right - left) // 3, int(top + 3 + row * 2.5)))
            try:
                code = self.program.wait_end(timeout=10)
            except StepFailed:
                continue
            if attempt > 1:
                print(f"     the tray menu stayed open at the right click number {attempt}")
            return code
        raise StepFailed("the tray menu's Exit did not end the program")

    def expect_clean_end(self, code, what):
        check(code == 0, f"{what}: the program ended with exit code {code}")
        stderr = self.program.stderr()
        check(not crash_report(stderr), f"{what}: the program reported a crash:\n{stderr}")

    # --- Steps ------------------------------------------------------------------------------

    def first_start_with_the_tip(self):
        program = self.start(state_file=LEGACY_STATE)
        program.wait_dialog(TIP)
        # The dialog may be reported shown a moment before its controls are.
        program.wait_control(TIP_STARTUP, '"Show tips on startup" is not shown ticked', lambda c: c["checked"],
                             title=TIP)
        program.click_control(TIP_NEXT, TIP)
        # The tip read at "Next tip" is the second: the file position after it is saved at the end.
        program.click_control(TIP_STARTUP, TIP)
        program.wait_control(TIP_STARTUP, "the box did not untick", lambda c: not c["checked"], title=TIP)
        program.click_control(OK, TIP)
        program.wait_dialog_gone(TIP)
        values = wait_until(lambda: (lambda v: v if "FilePos" in v else None)(self.tip_values()),
                            '"FilePos" was not written')
        check(values.get("StartUp") == 1, f'"StartUp" is {values.get("StartUp")}, not 1')
        check(values["FilePos"] == self.tips[1], f'"FilePos" is {values["FilePos"]}, not {self.tips[1]}')

        main = program.wait_main()
        check(main["zoomed"], "the main window is not maximized")
        check(main["title"] == "Varnokle", f'the title is "{main["title"]}"')
        check(main["status"] == ["Ready", "0 items"], f"the status bar shows {main['status']}")
        check(Program.control(main, SIMPLE_MASK) is not None, "the simple form is not shown")
        check(not self.tray_shown(), "a tray icon is shown on a fresh profile")

    def search_in_the_simple_form(self):
        program = self.program
        main = program.search("*.txt")
        # Name, size and folder: the Modified column's times are the test files' own.
        rows = sorted(tuple(row[:3]) for row in main["rows"])
        check(rows == self.console_rows("*.txt"), f"the rows differ from the console tool's: {rows}")
        check(("readme.txt", "102", r"\\ATLAS\Public") in rows, "readme.txt of \\\\ATLAS\\Public is missing")
        check(main["status"] == ["Search completed", f"{len(rows)} items"], f"the status bar shows {main['status']}")

    def edit_menu_with_its_icons(self):
        program = self.program
        program.click_first_row()
        menu = program.open_menu("e")
        left, top, right, bottom = menu["rect"]
        # The icon column: 3 pixels in from the item's left edge, inside the menu's border.
        column = self.desktop.screenshot(os.path.join(self.scratch, "edit-menu.png"), (left, top, left + 28, bottom))
        red = count_pixels(column, lambda r, g, b: r > 160 and g < 100 and b < 100)
        program.close_menus()
        check(red > 10, f"the Edit menu shows no Delete Items icon ({red} red pixels in its icon column)")

    def save_result_in_both_formats(self):
        """Ctrl+S, a file name typed into the system's Save As dialog, Enter: a web page of the rows
        the list shows, then a text file of their paths."""
        program = self.program
        rows = [row[:3] for row in program.main()["rows"]]  # the exports' three columns
        saved = {}
        for name in ("result.html", "result.txt"):
            path = os.path.join(program.workdir, name)
            program.activate()
            self.desktop.key("ctrl+s")
            program.wait_dialog(SAVE_AS)
            self.desktop.type(windows_path(path))
            self.desktop.key("Return")
            program.wait_dialog_gone(SAVE_AS)
            wait_until(lambda: os.path.exists(path), f"Save result wrote no {name}")
            with open(path, "rb") as saved_file:
                saved[name] = saved_file.read()
        page = saved["result.html"]
        check(page.startswith(b"<html><title>Varnokle - result</title>"), f"result.html is no result page: {page[:80]}")
        check(page.count(b"<tr") == len(rows) + 1, f"result.html holds {page.count(b'<tr') - 1} rows, not {len(rows)}")
        check(b"readme.txt" in page and b"\\\\ATLAS\\Public" in page, "result.html lacks readme.txt of \\\\ATLAS\\Public")
        lines = [line for line in saved["result.txt"].split(b"\r\n") if line]
        check(len(lines) == len(rows), f"result.txt holds {len(lines)} paths, not {len(rows)}")
        check(b"\\\\ATLAS\\Public\\readme.txt" in lines, f"result.txt lacks \\\\ATLAS\\Public\\readme.txt: {lines}")

    def advanced_form_and_back(self):
        program = self.program
        program.type_mask(SIMPLE_MASK, "*.doc")  # typed, not searched: it goes along
        program.click_control(ADVANCED_MODE)
        main = program.wait_control(ADVANCED_MASK, "the advanced form did not come")
        check(Program.control(main, ADVANCED_MASK)["text"] == "*.doc", "the typed mask did not go along")
        check(main["visible"] and main["zoomed"] and not main["iconic"], "the window did not come back maximized")
        wait_until(lambda: self.settings().get("Advanced") == 1, '"Advanced" = 1 was not saved')
        program.click_control(SIMPLE_MODE)
        main = program.wait_control(SIMPLE_MASK, "the simple form did not come back")
        check(Program.control(main, SIMPLE_MASK)["text"] == "*.doc", "the mask did not come back")
        wait_until(lambda: self.settings().get("Advanced") == 0, '"Advanced" = 0 was not saved')

    def options_cancelled_then_the_tray_icon(self):
        program = self.program
        before = self.settings()
        options = self.open_options()
        check(not Program.control(options, OPTIONS_TRAY)["checked"], "the tray box is ticked on a fresh profile")
        check(not Program.control(options, OPTIONS_MINIMIZE)["enabled"], "the minimize box is enabled")
        check(not Program.control(options, OPTIONS_TIPS)["checked"], '"Show tips at startup" is ticked after OK')
        program.click_control(OPTIONS_TRAY, OPTIONS)
        program.wait_control(OPTIONS_MINIMIZE, "the minimize box was not enabled", lambda c: c["enabled"],
                             title=OPTIONS)
        program.click_control(CANCEL, OPTIONS)
        program.wait_dialog_gone(OPTIONS)
        check(self.settings() == before, "Cancel changed the settings")
        check(not self.tray_shown(), "Cancel added a tray icon")

        self.set_tray_icon(True)
        wait_until(self.tray_shown, f'"{TRAY_TITLE}" did not appear after Options turned the icon on')
        check(self.settings().get("ShowIconInTray") == 1, '"ShowIconInTray" = 1 was not saved')
        self.set_tray_icon(False)
        wait_until(lambda: not self.tray_shown(), f'"{TRAY_TITLE}" did not go after Options turned the icon off')
        check(self.settings().get("ShowIconInTray") == 0, '"ShowIconInTray" = 0 was not saved')
        self.set_tray_icon(True)
        wait_until(self.tray_shown, f'"{TRAY_TITLE}" did not come back')

    def tray_exit(self):
        code = self.tray_menu_exit()
        self.expect_clean_end(code, "Exit from the tray menu")
        wait_until(lambda: not self.tray_shown(), "the tray icon stayed after the program ended")
        state = self.state_file()
        check(state == b"2\r\n*.txt\r\n*.old\r\n", f"vk.set in the user's data holds {state}, not the masks")
        with open(os.path.join(self.program.workdir, "vk.set"), "rb") as legacy:
            check(legacy.read() == LEGACY_STATE, "the current directory's vk.set was changed")

    def second_start_without_the_tip(self):
        before = self.tip_values()["FilePos"]
        program = self.start()
        wait_until(lambda: self.tip_values().get("FilePos") != before, '"FilePos" did not move at the second start')
        main = program.wait_main()
        check(self.tip_values()["FilePos"] == self.tips[2], f'"FilePos" is not {self.tips[2]}')
        check(main["enabled"] and program.dialog(TIP) is None, "the tip of the day was shown with StartUp = 1")
        wait_until(self.tray_shown, "the tray icon did not come with the saved setting")
        code = program.close()
        self.expect_clean_end(code, "the close box")
        wait_until(lambda: not self.tray_shown(), "the tray icon stayed after the close box ended the program")

    def close_during_a_slow_search(self):
        slow = os.path.join(self.scratch, "slow-network")
        # cp keeps the demo's sparse disk image sparse.
        subprocess.run(["cp", "-a", "--sparse=always", self.network, slow], check=True)
        # A chain of folders is walked one level after another, whatever the threads: with every
        # call held up, the search lasts longer than the chain's levels times the delay, so it is
        # still running whenever a slow look at the status bar comes back.
        levels, delay = 80, 0.5
        chain = os.path.join(slow, "Microsoft Windows Network", "LAB", "BUILD01", "logs", *(["c"] * levels))
        os.makedirs(chain)
        with open(os.path.join(slow, "network-faults.txt"), "a", encoding="utf-8") as faults:
            faults.write(f"\ndelay {int(delay * 1000)}ms\n")
        # No saved histories: only a write at the close can make the file.
        os.remove(self.desktop.user_data("vk.set"))
        program = self.start(slow)
        main = program.wait_main()
        program.type_mask(SIMPLE_MASK, "*")
        program.click_control(SIMPLE_START)
        clicked = time.monotonic()
        wait_until(lambda: any(text.startswith("Search in ") for text in program.status()[:1]),
                   'the search did not get as far as "Search in"')
        code = program.close()
        self.expect_clean_end(code, "closing during a search")
        check(time.monotonic() - clicked < levels * delay, "the close waited for the whole search")
        state = self.state_file()
        check(state == b"1\r\n*\r\n", f"vk.set holds {state}: it was not written at the close")
        check(not os.path.exists(os.path.join(program.workdir, "vk.set")), "vk.set was written to the current directory")
        check(main is not None, "no main window")

    # --- The run ----------------------------------------------------------------------------

    def run(self):
        steps = [self.first_start_with_the_tip, self.search_in_the_simple_form, self.edit_menu_with_its_icons,
                 self.save_result_in_both_formats, self.advanced_form_and_back, self.options_cancelled_then_the_tray_icon, self.tray_exit,
                 self.second_start_without_the_tip, self.close_during_a_slow_search]
        self.desktop.restart_wine()
        forget_profile(self.desktop)
        self.desktop.set_unmanaged(True)
        began = time.monotonic()
        try:
            if not run_steps(steps, self.desktop, os.path.join(self.build, "e2e-failure.png"), lambda: self.program):
                return 1
        finally:
            leave_clean(self.desktop, self.program, self.scratch)
        print(f"end to end: all {len(steps)} steps passed in {time.monotonic() - began:.0f} s")
        return 0


if __name__ == "__main__":
    sys.exit(test_main("end to end", __doc__, lambda arguments: EndToEnd(arguments).run()))
