#!/usr/bin/env python3
"""The advanced form's filter group as a person sets it: the real Varnokle.exe under Wine on a copy of
the demo network whose files carry two modification times (some of 2020, the rest of now), driven with
the mouse and the keyboard, unmanaged and under openbox.

    advanced_filters.py --build build/win --source .

In each mode: start on a fresh profile, "Advanced mode"; in the filter group choose Modified "before"
(its picker stays at the start of today), type two exclusions, click the depth's up arrow once (1) and
choose Find "files only"; search for "*" and compare the rows (name, size, folder) with the console
tool's given the same options. The picture of the form stays in build/screenshots/advanced-filters-MODE.png.
"""

import datetime
import json
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from varnokle_drive import (ADVANCED_MODE, SIMPLE_MODE, Desktop, Program, check,  # noqa: E402
                            forget_profile, leave_clean, run_in_each_mode, test_main, wait_until,
                            windows_path)

SHARE_MASK = 1041
MODIFIED_MODE, MODIFIED_FIRST, MODIFIED_UNTIL = 1052, 1053, 1054
EXCLUDE_MASK, DEPTH, DEPTH_SPIN, FIND_KIND = 1055, 1056, 1057, 1058
EXCLUDED = "Archive;nightly-001"
OLD = datetime.datetime(2020, 6, 1, 12, 0).timestamp()


class AdvancedFilters:
    def __init__(self, arguments):
        self.build = os.path.abspath(arguments.build)
        self.desktop = Desktop(self.build, os.environ.get("DISPLAY", ""))
        self.scratch = tempfile.mkdtemp(prefix="varnokle-filters-")
        self.shots = os.path.join(os.path.dirname(self.build), "screenshots")
        self.network = os.path.join(self.scratch, "network")
        shutil.copytree(os.path.join(os.path.abspath(arguments.source), "demo", "network"), self.network)
        # Every other file (in name order) was last written in 2020, the others now.
        files = sorted(os.path.join(folder, name) for folder, _, names in os.walk(self.network) for name in names)
        for index, path in enumerate(files):
            if index % 2 == 0:
                os.utime(path, (OLD, OLD))
        self.program = None
        self.mode = ""
        self.rects = {}

    @staticmethod
    def group(main):
        """The filter group's controls shown, by id, in a window the probe read."""
        return {c["id"]: c for c in main["controls"] if MODIFIED_MODE <= c["id"] <= FIND_KIND and c["visible"]}

    def wait_group(self, what, seen):
        """Waits until seen(the group's controls shown) holds; returns the main window."""
        return wait_until(lambda: (lambda m: m if m and seen(self.group(m)) else None)(self.program.main()), what)

    def click(self, control_id, at=None):
        """A click on a control where the form showed it first (the group's controls stay put)."""
        left, top, right, bottom = self.rects[control_id]
        self.desktop.click(at((left, top, right, bottom)) if at else ((left + right) // 2, (top + bottom) // 2))

    def console_rows(self):
        today = datetime.date.today().isoformat()
        out = self.desktop.wine(os.path.join(self.build, "src", "vkfind.exe"), "--network",
                                windows_path(self.network), "--quiet", "--format", "json", "--mask", "*",
                                "--modified-before", today, "--exclude", EXCLUDED, "--max-depth", "1",
                                "--type", "f")
        rows = [json.loads(line) for line in out.decode("utf-8").splitlines() if line]
        return sorted((row["name"], "" if row["size"] is None else str(row["size"]), row["folder"]) for row in rows)

    # --- Steps --------------------------------------------------------------------------------

    def advanced_form_on_a_fresh_profile(self):
        forget_profile(self.desktop)
        self.program = Program(self.desktop, os.path.join(self.scratch, f"run-{self.mode}"), self.network)
        self.program.wait_usable()
        self.program.click_control(ADVANCED_MODE)
        main = self.program.wait_control(SIMPLE_MODE, "the advanced form did not come")
        self.rects = {c["id"]: c["rect"] for c in main["controls"]}
        group = self.group(main)
        check(group[MODIFIED_MODE]["text"] == "any time" and not group[MODIFIED_FIRST]["enabled"],
              f"the group did not come up filtering nothing: {group}")
        check(MODIFIED_UNTIL not in group, "the second picker is shown for any time")

    def the_group_set_by_keys_and_clicks(self):
        # Modified: the drop-down list opened with a click, an entry taken with the arrow keys.
        self.click(MODIFIED_MODE)
        self.desktop.key("Down", "Down", "Down", "Return")
        main = self.wait_group("between did not show both pickers enabled",
                               lambda g: g[MODIFIED_MODE]["text"] == "between" and MODIFIED_UNTIL in g and
                               g[MODIFIED_FIRST]["enabled"] and g[MODIFIED_UNTIL]["enabled"])
        self.shot("between", main)
        self.click(MODIFIED_MODE)
        self.desktop.key("Up", "Return")
        self.wait_group("before did not hide the second picker",
                        lambda g: g[MODIFIED_MODE]["text"] == "before" and MODIFIED_UNTIL not in g)
        # Exclude typed, the depth's up arrow clicked once, Find's second entry.
        self.click(EXCLUDE_MASK, lambda r: (r[0] + 30, (r[1] + r[3]) // 2))
        self.desktop.type(EXCLUDED)
        self.click(DEPTH_SPIN, lambda r: ((r[0] + r[2]) // 2, r[1] + (r[3] - r[1]) // 4))
        self.click(FIND_KIND)
        self.desktop.key("Down", "Return")
        self.wait_group("the group did not show what was typed and clicked",
                        lambda g: (g[EXCLUDE_MASK]["text"], g[DEPTH]["text"], g[FIND_KIND]["text"]) ==
                        (EXCLUDED, "1", "files only"))

    def search_finds_what_the_console_tool_finds(self):
        rows = sorted(tuple(row[:3]) for row in self.program.search("*", advanced=True)["rows"])
        expected = self.console_rows()
        check(rows and rows == expected, f"the rows differ from the console tool's:\n{rows}\n{expected}")
        check(not any(r[2].startswith(r"\\BOREAS\Docs\Archive") for r in rows), "an excluded folder was searched")
        check(not any(r[2].count("\\") > 4 for r in rows), "a folder deeper than 1 was searched")
        self.program.rest_pointer()
        self.shot("searched", self.program.main())
        code = self.program.close()
        check(code == 0, f"the program ended with exit code {code}")

    def shot(self, name, main):
        """A picture of the form: from above its share mask to the bottom of the window."""
        share = self.program.control(main, SHARE_MASK)["rect"]
        suffix = "" if name == "searched" else f"-{name}"
        self.desktop.screenshot(os.path.join(self.shots, f"advanced-filters-{self.mode}{suffix}.png"),
                                (share[0] - 40, share[1] - 40, share[2] + 40, main["client"][3]))

    def steps_for(self, mode, steps):
        self.mode = mode
        return steps

    def run(self):
        steps = [self.advanced_form_on_a_fresh_profile, self.the_group_set_by_keys_and_clicks,
                 self.search_finds_what_the_console_tool_finds]
        self.desktop.restart_wine()
        try:
            if not run_in_each_mode(self.desktop, lambda mode: self.steps_for(mode, steps),
                                    lambda mode: os.path.join(self.build, f"filters-{mode}-failure.png"),
                                    lambda: self.program):
                return 1
        finally:
            leave_clean(self.desktop, self.program, self.scratch)
        print("advanced filters: set by keys and clicks, the rows the console tool finds, in both modes")
        return 0


if __name__ == "__main__":
    sys.exit(test_main("advanced filters", __doc__, lambda arguments: AdvancedFilters(arguments).run()))
