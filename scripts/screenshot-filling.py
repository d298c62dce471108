#!/usr/bin/env python3
"""The result list filling during a long search, in the real Varnokle.exe: on the generated network
of scripts/bench-ui.sh (build/win/ui-bench/network-N, made first if missing), a search for file*
is started with the mouse, and while it runs (Stop enabled, the status bar counting) the screen is
pictured once the list shows rows, unmanaged and under openbox:

    screenshot-filling.py --build build/win --source . [--files N] [--shots DIR]

Pictures: list-filling-unmanaged.png and list-filling-openbox.png in --shots (build/screenshots/).
"""

import os
import re
import subprocess
import sys
import tempfile

PROBE_KEY = r"HKCU\Software\Varnokle Probe"

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from varnokle_drive import (SIMPLE_MASK, SIMPLE_START, SIMPLE_STOP, Desktop, Program, StepFailed,  # noqa: E402
                            forget_profile, run_steps, test_main, virtual_display, wait_until)


def filling(program):
    """The main window while a search runs and the list shows rows, or None."""
    main = program.main()
    if not main:
        return None
    stop = program.control(main, SIMPLE_STOP)
    counted = re.fullmatch(r"(\d+) items", main["status"][1]) if len(main["status"]) > 1 else None
    if stop and stop["enabled"] and counted and int(counted.group(1)) > 0 and main["rows"]:
        return main
    return None


def drive(build, network, shots, managed, display):
    desktop = Desktop(build, display)
    desktop.restart_wine()
    desktop.set_unmanaged(not managed)
    forget_profile(desktop)
    # The probe reads the first rows only: reading a hundred thousand would take minutes.
    desktop.reg_add(PROBE_KEY, "MaxRows", "REG_DWORD", "40")
    program = None
    name = "openbox" if managed else "unmanaged"
    shot = os.path.join(shots, f"list-filling-{name}.png")

    def start():
        nonlocal program
        program = Program(desktop, tempfile.mkdtemp(prefix="varnokle-filling-"), network)
        program.wait_usable()

    def search_and_picture_the_list_filling():
        program.type_mask(SIMPLE_MASK, "file*")
        program.click_control(SIMPLE_START)
        main = wait_until(lambda: filling(program), "the list showed no rows while the search ran", timeout=60)
        desktop.screenshot(shot)
        print(f"     {main['status'][1]} while searching: {shot}")

    def stop_and_close():
        program.click_control(SIMPLE_STOP)
        wait_until(lambda: program.control(program.main(), SIMPLE_START)["enabled"], "Stop did not end the search",
                   timeout=120)
        if program.close(timeout=120) != 0:
            raise StepFailed("the program did not end with exit code 0")

    try:
        return run_steps([start, search_and_picture_the_list_filling, stop_and_close], desktop,
                         os.path.join(shots, f"list-filling-{name}-failure.png"), lambda: program)
    finally:
        if program:
            program.kill()
        forget_profile(desktop)
        desktop.reg_delete(PROBE_KEY)
        desktop.set_unmanaged(False)


def add_arguments(parser):
    parser.add_argument("--files", type=int, default=100000, help="files of the generated network")
    parser.add_argument("--shots", help="where the pictures go (default: build/screenshots)")


def run(arguments):
    build = os.path.abspath(arguments.build)
    shots = os.path.abspath(arguments.shots or os.path.join(build, "..", "screenshots"))
    network = os.path.join(build, "ui-bench", f"network-{arguments.files}")
    if not os.path.exists(os.path.join(network, "ready.txt")):
        raise SystemExit(f"no network in {network}: run scripts/bench-ui.sh --files {arguments.files} first")
    ok = True
    for managed in (False, True):
        with virtual_display() as display:
            manager = subprocess.Popen(["openbox"], env=dict(os.environ, DISPLAY=display), stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL) if managed else None
            try:
                ok = drive(build, network, shots, managed, display) and ok
            finally:
                if manager:
                    manager.terminate()
                    manager.wait()
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(test_main("list filling", __doc__, run, add_arguments, needs_display=False))
