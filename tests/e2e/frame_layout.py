#!/usr/bin/env python3
"""The main window's layout as a person changes it, checked by its pixels: the real Varnokle.exe of the
Windows build under Wine on the X display it is given (ctest runs it on a virtual one), once in Wine's
unmanaged mode and once under a window manager (openbox), driven with the mouse and the keyboard
(xdotool).

    frame_layout.py --build build/win --source .

After each change of the layout (restore, a resize to a larger size, maximize, the toolbar hidden and
shown with the View menu, the bar between the left side and the result list dragged) the picture on the
screen must be the one the window paints when it is told to paint everything afresh (vk_probe redraw):
every pane's rectangle (tree, search form, result list) is compared, with a small tolerance for the
pointer's hover. A pane that stayed blank, half-drawn or showed what had been there before fails, and its
two pictures stay in build/screenshots/ (layout-MODE-STEP-screen.png and -fresh.png).

In the unmanaged mode the toolbar is then dragged by its gripper to the left side of the window (it
docks there, its buttons in a column), to the middle (it floats in a tool window of its own), docked
back with a double-click on that window's caption, and dragged back to the top; the pictures of the
docked-left and the floating bar stay in build/screenshots/toolbar-docked-left.png and
toolbar-floating.png.

It starts from a fresh profile, uses the build's Wine prefix and leaves the program's key deleted.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))

from varnokle_drive import (MAIN_CLASS, PROGRAM_KEY, SIMPLE_MASK, Desktop, Program, StepFailed,  # noqa: E402
                            check, run_in_each_mode, test_main, wait_until)

# The share of a pane's pixels that may differ from a fresh paint (a hover, a focus rectangle).
TOLERANCE = 0.002
LEFT_COLUMN_CLASS = "VarnokleInnerFrame"
DOCK_CLASS = "VarnokleDockBar"
FLOATING_CLASS = "VarnokleFloatingBar"


def differing_pixels(first, second, region, scratch):
    """How many pixels of region (left, top, right, bottom) differ between two pictures."""
    left, top, right, bottom = region
    geometry = f"{right - left}x{bottom - top}+{left}+{top}"
    crops = []
    for index, picture in enumerate((first, second)):
        crop = os.path.join(scratch, f"crop{index}.png")
        subprocess.run(["/usr/bin/convert", picture, "-crop", geometry, "+repage", crop], check=True)
        crops.append(crop)
    done = subprocess.run(["/usr/bin/compare", "-metric", "AE", *crops, "null:"], stdout=subprocess.DEVNULL,
                          stderr=subprocess.PIPE)
    return int(float(done.stderr.decode().split()[0]))


def same_pictures(first, second):
    done = subprocess.run(["/usr/bin/compare", "-metric", "AE", first, second, "null:"], stdout=subprocess.DEVNULL,
                          stderr=subprocess.PIPE)
    return done.stderr.decode().split()[:1] == ["0"]


class FrameLayout:
    def __init__(self, arguments):
        self.build = os.path.abspath(arguments.build)
        self.network = os.path.join(os.path.abspath(arguments.source), "demo", "network")
        self.desktop = Desktop(self.build, os.environ.get("DISPLAY", ""))
        self.scratch = tempfile.mkdtemp(prefix="varnokle-layout-")
        self.shots = os.path.join(os.path.dirname(self.build), "screenshots")  # build/screenshots
        self.program = None
        self.mode = ""

    # --- Seeing -------------------------------------------------------------------------------

    def settled_shot(self, path):
        """A picture of the screen once it has stopped changing (two pictures in a row alike)."""
        previous = None
        for attempt in range(40):
            shot = self.desktop.screenshot(os.path.join(self.scratch, f"settle{attempt % 2}.png"))
            if previous and same_pictures(previous, shot):
                shutil.copyfile(shot, path)
                return path
            previous = shot
        raise StepFailed("the screen did not stop changing")

    def pane_regions(self):
        """The rectangles of the panes shown: the tree, the search form, the result list."""
        main = self.program.main()
        controls = [c for c in main["controls"] if c["visible"]]
        regions = {}
        for name, cls in (("tree", "SysTreeView32"), ("results", "SysListView32")):
            found = [c["rect"] for c in controls if c["class"] == cls]
            if found:
                regions[name] = found[0]
        mask = Program.control(main, SIMPLE_MASK)
        if mask:
            # The form: the smallest dialog pane round its mask box.
            forms = [c["rect"] for c in controls if c["class"] == "#32770" and c["rect"][0] <= mask["rect"][0] and
                     c["rect"][1] <= mask["rect"][1] and c["rect"][2] >= mask["rect"][2] and
                     c["rect"][3] >= mask["rect"][3]]
            if forms:
                regions["form"] = min(forms, key=lambda r: (r[2] - r[0]) * (r[3] - r[1]))
        screen = (0, 0, 1280, 800)
        clipped = {}
        for name, (left, top, right, bottom) in regions.items():
            rect = (max(left, screen[0]), max(top, screen[1]), min(right, screen[2]), min(bottom, screen[3]))
            if rect[2] > rect[0] and rect[3] > rect[1]:
                clipped[name] = rect
        return clipped

    def check_painted(self, step):
        """The panes on the screen are as a fresh paint of the window draws them."""
        self.program.rest_pointer()
        regions = self.pane_regions()
        if set(regions) != {"tree", "form", "results"}:
            raise StepFailed(f"after {step} not every pane is shown: {sorted(regions)}")
        os.makedirs(self.shots, exist_ok=True)
        screen = self.settled_shot(os.path.join(self.shots, f"layout-{self.mode}-{step}-screen.png"))
        self.desktop.probe("redraw", MAIN_CLASS)
        fresh = self.settled_shot(os.path.join(self.shots, f"layout-{self.mode}-{step}-fresh.png"))
        faults = []
        for name, region in regions.items():
            area = (region[2] - region[0]) * (region[3] - region[1])
            differing = differing_pixels(screen, fresh, region, self.scratch)
            if differing > max(TOLERANCE * area, 20):
                faults.append(f"{name} {differing} of {area} pixels")
        if faults:
            raise StepFailed(f"after {step} the panes differ from a fresh paint: {', '.join(faults)} "
                             f"(see {screen} and {fresh})")
        os.remove(screen)
        os.remove(fresh)

    # --- Doing --------------------------------------------------------------------------------

    def caption(self):
        """A point on the main window's title bar (the window manager's, when there is one)."""
        main = self.program.main()
        left, top, right, bottom = main["rect"]
        if not main["close_box"]:
            raise StepFailed("the main window has no title bar")
        return ((left + right) // 2, main["close_box"][1])

    def toggle_maximized(self, zoomed):
        self.program.activate()
        x, y = self.caption()
        self.desktop.xdo("mousemove", x, y, "click", "--repeat", 2, "--delay", 80, 1)
        wait_until(lambda: self.program.main()["zoomed"] == zoomed,
                   "the title bar's double-click did not " + ("maximize" if zoomed else "restore") + " the window")

    def drag(self, start, end):
        self.desktop.xdo("mousemove", start[0], start[1], "mousedown", 1)
        steps = 6
        for i in range(1, steps + 1):
            self.desktop.xdo("mousemove", start[0] + (end[0] - start[0]) * i // steps,
                             start[1] + (end[1] - start[1]) * i // steps)
        self.desktop.xdo("mouseup", 1)

    def start(self):
        self.program = Program(self.desktop, os.path.join(self.scratch, self.mode), self.network)
        self.program.wait_usable()
        wait_until(lambda: self.program.main()["zoomed"], "the main window did not start maximized")
        self.program.search("*.txt")
        self.program.click_first_row()  # the keyboard in the list: no caret blinks in a mask box

    def restore_then_maximize(self):
        self.toggle_maximized(False)
        self.check_painted("restored")
        self.toggle_maximized(True)
        self.check_painted("maximized")

    def resize_to_a_larger_size(self):
        self.toggle_maximized(False)
        left, top, right, bottom = self.program.main()["rect"]
        if self.mode == "managed":
            # The window manager's frame is its own to drag: it is asked for the size it would give.
            window = self.desktop.x_windows("Varnokle")[0]
            _, _, width, height = self.desktop.x_geometry(window)
            self.desktop.xdo("windowsize", window, width + 150, height + 80)
        else:
            self.drag((right - 2, bottom - 2), (right + 150, bottom + 80))
        wait_until(lambda: self.program.main()["rect"][2] > right + 100, "dragging the corner did not widen the window")
        self.check_painted("larger")
        self.toggle_maximized(True)

    def toolbar_hidden_and_shown(self):
        for step in ("toolbar-hidden", "toolbar-shown"):
            shown = self.dock() is not None
            self.program.activate()
            self.desktop.key("alt+v")
            wait_until(lambda: [w for w in self.desktop.windows() if w["class"] == "#32768"], "Alt+V opened no menu")
            self.desktop.key("t")
            wait_until(lambda: (self.dock() is not None) != shown, "the toolbar did not change")
            self.check_painted(step)

    def splitter_dragged(self):
        main = self.program.main()
        column = [c for c in main["controls"] if c["class"] == LEFT_COLUMN_CLASS and c["visible"]][0]["rect"]
        y = (column[1] + column[3]) // 2
        self.drag((column[2] + 1, y), (column[2] + 81, y))
        wait_until(lambda: [c for c in self.program.main()["controls"] if c["class"] == LEFT_COLUMN_CLASS][0]["rect"][2]
                   > column[2] + 40, "dragging the bar did not widen the left side")
        self.check_painted("bar-dragged")

    def dock(self):
        """The toolbar's dock rectangle, None when it is not shown (the bar floats or is hidden)."""
        found = [c["rect"] for c in self.program.main()["controls"] if c["class"] == DOCK_CLASS and c["visible"]]
        return found[0] if found else None

    def floating_bar(self):
        found = [w["rect"] for w in self.desktop.windows() if w["class"] == FLOATING_CLASS]
        return found[0] if found else None

    def drag_gripper_to(self, point):
        left, top, right, bottom = self.dock()
        vertical = bottom - top > right - left
        grip = ((left + right) // 2, top + 4) if vertical else (left + 4, (top + bottom) // 2)
        self.drag(grip, point)

    def toolbar_docked_left_floating_and_back(self):
        left, top, right, bottom = self.program.main()["client"]
        middle = (top + bottom) // 2
        self.drag_gripper_to((left + 6, middle))
        docked = wait_until(lambda: (lambda d: d if d and d[3] - d[1] > d[2] - d[0] else None)(self.dock()),
                            "dragged to the left side, the toolbar did not dock there")
        check(docked[0] == left, f"the docked bar is not at the left edge: {docked}")
        self.check_painted("toolbar-left")
        self.program.rest_pointer()
        self.desktop.screenshot(os.path.join(self.shots, "toolbar-docked-left.png"))

        self.drag_gripper_to(((left + right) // 2, middle))
        bar = wait_until(self.floating_bar, "dragged to the middle, the toolbar did not float")
        wait_until(lambda: self.dock() is None, "the floating toolbar left its dock shown")
        self.check_painted("toolbar-floating")
        self.desktop.screenshot(os.path.join(self.shots, "toolbar-floating.png"))

        # A double-click on the floating bar's caption docks it back where it came from.
        self.desktop.xdo("mousemove", (bar[0] + bar[2]) // 2, bar[1] + 8, "click", "--repeat", 2, "--delay", 80, 1)
        wait_until(lambda: self.floating_bar() is None and self.dock(), "the caption's double-click did not dock it")
        back = self.dock()
        check(back[3] - back[1] > back[2] - back[0] and back[0] == left, f"it docked back elsewhere: {back}")

        self.drag_gripper_to(((left + right) // 2, top + 4))
        wait_until(lambda: (lambda d: d and d[2] - d[0] > d[3] - d[1] and d[1] == top)(self.dock()),
                   "dragged to the top, the toolbar did not dock there")
        self.check_painted("toolbar-top")

    def close(self):
        code = self.program.close()
        if code != 0:
            raise StepFailed(f"the program ended with exit code {code}")

    # --- The run ------------------------------------------------------------------------------

    def steps_for(self, mode, layout):
        self.mode = mode
        # The floating bar's caption is the window manager's when there is one.
        floating = [self.toolbar_docked_left_floating_and_back] if mode == "unmanaged" else []
        return layout + floating + [self.close]

    def run(self):
        layout = [self.start, self.restore_then_maximize, self.resize_to_a_larger_size,
                  self.toolbar_hidden_and_shown, self.splitter_dragged]
        self.desktop.restart_wine()
        self.desktop.reg_delete(PROGRAM_KEY)
        began = time.monotonic()
        try:
            if not run_in_each_mode(self.desktop, lambda mode: self.steps_for(mode, layout),
                                    lambda mode: os.path.join(self.build, f"layout-{mode}-failure.png"),
                                    lambda: self.program):
                return 1
        finally:
            if self.program:
                self.program.kill()
            self.desktop.set_unmanaged(False)
            self.desktop.reg_delete(PROGRAM_KEY)
            shutil.rmtree(self.scratch, ignore_errors=True)
        print(f"frame layout: every pane painted whole in both modes, in {time.monotonic() - began:.0f} s")
        return 0


if __name__ == "__main__":
    sys.exit(test_main("frame layout", __doc__, lambda arguments: FrameLayout(arguments).run()))
