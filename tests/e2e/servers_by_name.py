#!/usr/bin/env python3
"""Servers by name on a network that lists no computers: the real Varnokle.exe under Wine on a copy of
the demo network whose "Microsoft Windows Network" lists nothing (the folder network's nobrowse rule),
driven with the keyboard and the mouse, unmanaged and under openbox.

    servers_by_name.py --build build/win --source .

Steps, in each mode:
1. Start on a fresh profile; Home and Right in the tree open the provider: the status bar gives the
   hint that servers can be added by name.
2. Tools, Add Server... takes "FILESRV01, \\\\BOREAS\\Docs" typed into its box; Enter adds both and
   the list is kept in the registry.
3. A search for *.txt lists what the console tool lists with the same servers in a servers file.
4. Closed and started again: the servers are back (the registry and the same rows).
5. Started on the network with a delay of seconds per call: Right on \\\\FILESRV01 shows it being read
   while the window answers; Stop abandons it and says so; the program closes at once.
Pictures of the hint, the dialog, the tree with the added servers and a node being read stay in
build/screenshots/servers-*.png.
"""

import json
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from varnokle_drive import (SETTINGS_KEY, SIMPLE_STOP, Program, Desktop, StepFailed, check,  # noqa: E402
                            forget_profile, leave_clean, run_in_each_mode, test_main, wait_until,
                            windows_path)

PROVIDER = "Microsoft Windows Network"
HINT = PROVIDER + " lists no computers. Add servers by name with Tools, Add Server..."
ADD_SERVER = "Add Server"
NETWORK_TREE = 1000
SERVER_NAMES = 1050
TYPED = r"FILESRV01, \\BOREAS\Docs"
ENTRIES = {"Count": 2, "Server1": r"\\FILESRV01", "Server2": r"\\BOREAS\Docs"}


class ServersByName:
    def __init__(self, arguments):
        self.build = os.path.abspath(arguments.build)
        self.desktop = Desktop(self.build, os.environ.get("DISPLAY", ""))
        self.scratch = tempfile.mkdtemp(prefix="varnokle-servers-")
        self.shots = os.path.join(os.path.dirname(self.build), "screenshots")
        self.network = os.path.join(self.scratch, "network")
        shutil.copytree(os.path.join(os.path.abspath(arguments.source), "demo", "network"), self.network)
        self.program = None
        self.runs = 0
        self.mode = ""
        self.rows = None

    def faults(self, *extra):
        with open(os.path.join(self.network, "network-faults.txt"), "a", encoding="utf-8") as faults:
            faults.write("".join(f"{line}\n" for line in extra))

    def start(self):
        self.runs += 1
        self.program = Program(self.desktop, os.path.join(self.scratch, f"run{self.runs}"), self.network)
        self.program.wait_usable()
        return self.program

    def shot(self, name):
        self.desktop.screenshot(os.path.join(self.shots, f"servers-{name}-{self.mode}.png"))

    def tree_keys(self, *keys):
        """A click on the empty bottom of the tree (which gives it the keyboard), then the keys."""
        tree = self.program.control(self.program.main(), NETWORK_TREE)
        if not tree:
            raise StepFailed("the network tree is not shown")
        left, top, right, bottom = tree["rect"]
        self.desktop.click((left + 60, bottom - 10))
        wait_until(lambda: self.program.main()["focus"] == NETWORK_TREE, "the tree did not take the focus")
        self.desktop.key(*keys)

    def servers_kept(self):
        values = self.desktop.reg_values(SETTINGS_KEY + r"\Servers")
        check(values == ENTRIES, f"the registry keeps {values}")

    def console_rows(self):
        servers = os.path.join(self.scratch, "servers.txt")
        with open(servers, "w", encoding="utf-8") as out:
            out.write("# the servers typed into the dialog\nFILESRV01\n\\\\BOREAS\\Docs\n")
        out = self.desktop.wine(os.path.join(self.build, "src", "vkfind.exe"), "--network",
                                windows_path(self.network), "--servers-file", windows_path(servers), "--quiet",
                                "--format", "json", "--mask", "*.txt")
        rows = [json.loads(line) for line in out.decode("utf-8").splitlines() if line]
        return sorted((row["name"], "" if row["size"] is None else str(row["size"]), row["folder"]) for row in rows)

    def search(self):
        # Name, size and folder, as the console tool's rows have them.
        rows = sorted(tuple(row[:3]) for row in self.program.search("*.txt")["rows"])
        check(rows and rows == self.console_rows(), f"the rows differ from the console tool's: {rows}")
        check(any(r[0] == "phone list.txt" and r[2] == r"\\FILESRV01\Shared" for r in rows),
              "phone list.txt of \\\\FILESRV01\\Shared is missing")
        check(not any(r[2].startswith(r"\\BOREAS\Photos") for r in rows), "a share of BOREAS not added was searched")
        return rows

    # --- Steps --------------------------------------------------------------------------------

    def hint_on_a_network_without_computers(self):
        forget_profile(self.desktop)
        self.start()
        self.tree_keys("Home", "Right")
        wait_until(lambda: self.program.status()[:1] == [HINT], "the status bar gave no hint")
        self.shot("hint")

    def two_servers_added_in_the_dialog(self):
        self.program.open_menu("t")
        self.desktop.key("a")
        self.program.wait_dialog(ADD_SERVER)
        self.program.wait_control(SERVER_NAMES, "the names box did not take the keys",
                                  title=ADD_SERVER)
        self.desktop.type(TYPED)
        self.program.wait_control(SERVER_NAMES, "the names box did not show what was typed",
                                  lambda c: c["text"] == TYPED, title=ADD_SERVER)
        self.shot("dialog")
        self.desktop.key("Return")
        self.program.wait_dialog_gone(ADD_SERVER)
        self.servers_kept()
        self.shot("tree")

    def search_finds_the_added_servers(self):
        self.rows = self.search()

    def back_after_a_restart(self):
        code = self.program.close()
        check(code == 0, f"the program ended with exit code {code}")
        self.start()
        self.servers_kept()
        check(self.search() == self.rows, "the second search found other rows")
        code = self.program.close()
        check(code == 0, f"the program ended with exit code {code}")

    def a_server_being_read_is_stopped(self):
        self.faults("delay 8s")
        try:
            self.start()
            # The top of the tree comes after a few slow calls: then the added servers are shown.
            # The provider, the group, the two servers, the share typed, the other provider.
            wait_until(lambda: self.program.control(self.program.main(), NETWORK_TREE)["items"] == 6,
                       "the top of the network was never read", timeout=120)
            self.tree_keys("Home", "Down", "Down", "Right")
            wait_until(lambda: self.program.status()[:1] == [r"Reading \\FILESRV01..."],
                       "the status bar did not show the server being read")
            self.shot("reading")
            self.program.wait_control(SIMPLE_STOP, "Stop was not enabled while the server was read",
                                      lambda c: c["enabled"])
            self.program.click_control(SIMPLE_STOP)
            wait_until(lambda: self.program.status()[:1] == [r"Stopped reading \\FILESRV01"],
                       "Stop did not abandon the server")
            code = self.program.close()
            check(code == 0, f"the program ended with exit code {code}")
        finally:
            with open(os.path.join(self.network, "network-faults.txt"), encoding="utf-8") as faults:
                kept = [line for line in faults if not line.startswith("delay")]
            with open(os.path.join(self.network, "network-faults.txt"), "w", encoding="utf-8") as faults:
                faults.writelines(kept)

    def steps_for(self, mode, steps):
        self.mode = mode
        return steps

    def run(self):
        self.faults(f"nobrowse {PROVIDER}")
        steps = [self.hint_on_a_network_without_computers, self.two_servers_added_in_the_dialog,
                 self.search_finds_the_added_servers, self.back_after_a_restart, self.a_server_being_read_is_stopped]
        self.desktop.restart_wine()
        try:
            if not run_in_each_mode(self.desktop, lambda mode: self.steps_for(mode, steps),
                                    lambda mode: os.path.join(self.build, f"servers-{mode}-failure.png"),
                                    lambda: self.program):
                return 1
        finally:
            leave_clean(self.desktop, self.program, self.scratch)
        print("servers by name: added, searched, kept over a restart and stopped while read, in both modes")
        return 0


if __name__ == "__main__":
    sys.exit(test_main("servers by name", __doc__, lambda arguments: ServersByName(arguments).run()))
