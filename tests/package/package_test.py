#!/usr/bin/env python3
"""The package test: the Windows Installer package and the zip of scripts/package.sh, under Wine in
a fresh prefix of their own, on the X display it is given (cmake/with-display.sh gives a virtual one).

    package_test.py --package build/package --build build/win --source .

--build is the Windows build, for the probe that reads the program's windows (vk_probe.exe) and the
program's icon; --source the source tree, for the demo network and scripts/make-msi.sh.

Steps (each fails with a message that says what it waited for in vain):
1. The files: SHA256SUMS holds, the names, the installer's product version and the programs'
   version resources carry one version; the programs import only system DLLs and are stripped.
2. msiexec /i /qn: the files in Program Files\\Varnokle, the Start menu shortcut to Varnokle.exe,
   the uninstall entry (DisplayName, DisplayVersion, Publisher, and the icon for DisplayIcon).
3. The installed Varnokle.exe, started from another current directory, finds its tips file,
   searches the demo network (the rows the installed vkfind.exe finds), opens its help file and its
   about box (build/screenshots/installed.png, installed-about.png) and writes nothing beside itself
   nor in that directory: vk.set goes to %APPDATA%\\Varnokle.
4. A package of a higher version installs over it into another folder (INSTALLDIR=...), and one
   higher still without INSTALLDIR into that same folder: each time one product, the new version,
   the old folder gone, the shortcut moved, the user's vk.set and settings kept. The first package, now older, is refused and changes nothing.
5. msiexec /x /qn removes the files, the folder (the remembered one), the shortcut and the entry;
   vk.set and the settings stay.
6. The zip holds the same files in Varnokle-<version>/, and its Varnokle.exe runs the same search.

Under Wine, a per-machine package's shortcut lands in the user's Start menu and the uninstall entry
gets no DisplayIcon (Windows puts them in the common Start menu and writes DisplayIcon from
ARPPRODUCTICON): for those the test checks what the package asks of Windows Installer.
"""

import argparse
import glob
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))

from varnokle_drive import (SETTINGS_KEY, WINE, WINESERVER, Desktop, Program, StepFailed,  # noqa: E402
                            run_steps, wait_until, windows_path)

UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"
INSTALL_FOLDER = r"C:\Program Files\Varnokle"
MOVED_FOLDER = r"C:\Tools\Varnokle 2"
PACKAGE_FILES = {"Varnokle.exe", "vkfind.exe", "Varnokle.chm", "Tips.tip", "README.txt", "LICENSE.txt"}
# What the programs may import: DLLs of every Windows system.
SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "mpr.dll",
               "msvcrt.dll", "netapi32.dll", "ole32.dll", "shell32.dll", "shlwapi.dll", "user32.dll",
               "uxtheme.dll"}
HELP_WINDOW_CLASS = "HH Parent"
MSI_REFUSED = 1603 % 256  # ERROR_INSTALL_FAILURE, as Wine passes exit codes on


def check(condition, message):
    if not condition:
        raise StepFailed(message)


def msi_table(msi, table):
    """The rows of a table of an installer database as dictionaries by column name."""
    # A table with binary data (Icon) is exported with a folder of its streams in the current one.
    with tempfile.TemporaryDirectory() as folder:
        out = subprocess.run(["msiinfo", "export", os.path.abspath(msi), table], cwd=folder, stdout=subprocess.PIPE,
                             check=True).stdout
    lines = out.decode("utf-8").replace("\r", "").split("\n")
    columns = lines[0].split("\t")
    return [dict(zip(columns, line.split("\t"))) for line in lines[3:] if line]


def msi_property(msi, name):
    return {row["Property"]: row["Value"] for row in msi_table(msi, "Property")}.get(name)


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def folder_files(folder):
    """Every file below a folder by its relative path, with its digest."""
    found = {}
    for base, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(base, name)
            found[os.path.relpath(path, folder)] = digest(path)
    return found


def higher(version):
    major, minor, patch = (int(part) for part in version.split("."))
    return f"{major}.{minor}.{patch + 1}"


class PackageTest:
    def __init__(self, arguments):
        self.package = os.path.abspath(arguments.package)
        self.build = os.path.abspath(arguments.build)
        self.source = os.path.abspath(arguments.source)
        self.network = os.path.join(self.source, "demo", "network")
        self.scratch = tempfile.mkdtemp(prefix="package-test-", dir=os.path.dirname(self.package))
        self.prefix = os.path.join(self.scratch, "wineprefix")
        self.desktop = Desktop(self.build, os.environ.get("DISPLAY", ""), prefix=self.prefix)
        self.c_drive = os.path.join(self.prefix, "drive_c")
        self.installed = os.path.join(self.c_drive, "Program Files", "Varnokle")
        msis = glob.glob(os.path.join(self.package, "Varnokle-*-x64.msi"))
        if len(msis) != 1:
            raise StepFailed(f"{self.package} holds {len(msis)} installer packages, not one")
        self.msi = msis[0]
        self.version = re.fullmatch(r"Varnokle-(\d+\.\d+\.\d+)-x64\.msi", os.path.basename(self.msi)).group(1)
        self.zip = os.path.join(self.package, f"Varnokle-{self.version}-x64.zip")
        self.shots = os.path.join(os.path.dirname(self.package), "screenshots")
        self.installed_files = None
        self.newer_code = None
        self.program = None
        self.runs = 0
        self.keep = arguments.keep

    # --- Helpers ----------------------------------------------------------------------------

    def msiexec(self, *args):
        """msiexec's exit code (modulo 256)."""
        done = subprocess.run([WINE, "msiexec", *args, "/qn"], env=self.desktop.env, stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
        return done.returncode

    def products(self):
        """The uninstall entries named Varnokle: {product code: values}."""
        out = self.desktop.wine("reg", "query", UNINSTALL_KEY, "/s", check=False).decode("cp437", errors="replace")
        entries = {}
        key = None
        for line in out.replace("\r", "").splitlines():
            if line.startswith("HKEY_"):
                key = line.rsplit("\\", 1)[-1]
                entries[key] = {}
            elif key and line.strip():
                parts = line.strip().split(None, 2)
                if len(parts) >= 2 and parts[1].startswith("REG_"):
                    entries[key][parts[0]] = parts[2] if len(parts) == 3 else ""
        return {code: values for code, values in entries.items() if values.get("DisplayName") == "Varnokle"}

    def shortcuts(self):
        """The Start menu shortcuts named Varnokle: in the common Programs folder and the user's."""
        common = os.path.join(self.c_drive, "ProgramData", "Microsoft", "Windows", "Start Menu", "Programs")
        user = os.path.join(os.path.dirname(self.desktop.user_data()), "Microsoft", "Windows", "Start Menu", "Programs")
        return [os.path.join(folder, "Varnokle.lnk") for folder in (common, user)
                if os.path.exists(os.path.join(folder, "Varnokle.lnk"))]

    def shortcut_starts(self, exe):
        """Whether there is one Start menu shortcut and it names exe."""
        shortcuts = self.shortcuts()
        if len(shortcuts) != 1:
            return False
        with open(shortcuts[0], "rb") as link:
            target = link.read()
        return exe.encode() in target or exe.encode("utf-16-le") in target

    def user_state(self):
        """What the program keeps for its user: vk.set's bytes and the values of its settings."""
        state_file = self.desktop.user_data("vk.set")
        with open(state_file, "rb") as f:
            state = f.read()
        return state, self.desktop.reg_values(SETTINGS_KEY + r"\Settings"), self.desktop.reg_values(SETTINGS_KEY + r"\Tip")

    def vkfind_rows(self, vkfind, mask):
        out = self.desktop.wine(vkfind, "--network", windows_path(self.network), "--quiet", "--format", "json",
                                "--mask", mask)
        rows = [json.loads(line) for line in out.decode("utf-8").splitlines() if line]
        return sorted((row["name"], "" if row["size"] is None else str(row["size"]), row["folder"]) for row in rows)

    def search_with(self, exe, folder, expected_rows, installed=False):
        """Runs a copy of Varnokle.exe from another current directory: a search for *.txt on the demo
        network; checks that it writes nothing beside itself nor in that directory. The installed
        one also opens its help file and its about box, pictured in build/screenshots/."""
        before = folder_files(folder)
        self.runs += 1
        workdir = os.path.join(self.scratch, f"cwd-{self.runs}")
        self.program = program = Program(self.desktop, workdir, self.network, exe=exe)
        program.wait_usable()
        main = program.search("*.txt")
        rows = sorted(tuple(row[:3]) for row in main["rows"])  # name, size and folder, as vkfind's rows
        check(rows == expected_rows, f"the rows differ from vkfind's: {rows}")
        if installed:
            program.rest_pointer()
            self.desktop.screenshot(os.path.join(self.shots, "installed.png"))
            self.open_help(program)
            self.about_box(program)
        code = program.close()
        check(code == 0, f"the program ended with exit code {code}:\n{program.stderr()}")
        check(folder_files(folder) == before, f"the program changed its folder: {sorted(folder_files(folder))}")
        left = set(os.listdir(workdir)) - {os.path.basename(program.stdout_path), os.path.basename(program.stderr_path)}
        check(not left, f"the program wrote {sorted(left)} into its current directory")

    def help_menu_item(self, program, ups):
        """Opens the Help menu with Alt+H and chooses the item ups items up from its first one."""
        program.activate()
        program.open_menu("h")
        self.desktop.key(*["Up"] * ups, "Return")

    def open_help(self, program):
        """Help from the Help menu: the system's help viewer opens the help file beside the program."""
        self.help_menu_item(program, 2)  # Help: the fourth of five items, two up from the first
        viewer = wait_until(lambda: [w for w in self.desktop.windows() if w["class"] == HELP_WINDOW_CLASS],
                            "the help viewer did not open")
        check(not program.dialog("Varnokle"), "a message box came with the help viewer")
        # The viewer is a program of its own that never ends by itself.
        self.desktop.wine("taskkill", "/IM", "hh.exe", check=False)
        wait_until(lambda: not [w for w in self.desktop.windows() if w["class"] == HELP_WINDOW_CLASS],
                   "the help viewer did not close")
        return viewer

    def about_box(self, program):
        """About from the Help menu: the box with the program's picture, which shows the version."""
        self.help_menu_item(program, 1)  # the last item
        about = wait_until(lambda: [w for w in self.desktop.windows() if w["class"] == "#32770" and not w["title"]],
                           "the about box did not open")[0]
        self.desktop.screenshot(os.path.join(self.shots, "installed-about.png"), about["rect"])
        self.desktop.key("Return")
        wait_until(lambda: not [w for w in self.desktop.windows() if w["class"] == "#32770"], "the about box stayed")

    # --- Steps ------------------------------------------------------------------------------

    def the_files(self):
        done = subprocess.run(["sha256sum", "--check", "--quiet", "SHA256SUMS"], cwd=self.package,
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        check(done.returncode == 0, f"SHA256SUMS does not hold: {done.stdout.decode(errors='replace')}")
        with open(os.path.join(self.package, "SHA256SUMS")) as sums:
            named = sorted(line.split()[1] for line in sums if line.strip())
        check(named == sorted([os.path.basename(self.msi), os.path.basename(self.zip)]), f"SHA256SUMS names {named}")
        check(msi_property(self.msi, "ProductVersion") == self.version, "the installer's product version differs")
        with zipfile.ZipFile(self.zip) as archive:
            names = {name for name in archive.namelist() if not name.endswith("/")}
            check(names == {f"Varnokle-{self.version}/{name}" for name in PACKAGE_FILES}, f"the zip holds {names}")
            archive.extractall(os.path.join(self.scratch, "zip"))
        for exe in ("Varnokle.exe", "vkfind.exe"):
            path = os.path.join(self.scratch, "zip", f"Varnokle-{self.version}", exe)
            headers = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", "-h", path], stdout=subprocess.PIPE,
                                     check=True).stdout.decode()
            imports = {name.lower() for name in re.findall(r"DLL Name: (\S+)", headers)}
            check(imports <= SYSTEM_DLLS, f"{exe} imports {sorted(imports - SYSTEM_DLLS)}")
            check("symbols stripped" in headers and ".debug_" not in headers, f"{exe} is not stripped")

    def install(self):
        code = self.msiexec("/i", windows_path(self.msi))
        check(code == 0, f"msiexec /i ended with {code}")
        self.installed_files = folder_files(self.installed)
        extracted = folder_files(os.path.join(self.scratch, "zip", f"Varnokle-{self.version}"))
        check(self.installed_files == extracted, f"the installed files differ from the zip's: {sorted(self.installed_files)}")
        for exe in ("Varnokle.exe", "vkfind.exe"):
            resource = self.desktop.probe("version", INSTALL_FOLDER + "\\" + exe)
            check(resource and resource["file"] == resource["product"] == self.version and
                  resource["fixed"] == self.version + ".0" and resource["name"] == "Varnokle",
                  f"{exe}'s version resource: {resource}")
        out = self.desktop.wine(INSTALL_FOLDER + r"\vkfind.exe", "--version").decode()
        check(out == f"vkfind {self.version}\n", f"vkfind --version says {out!r}")

        products = self.products()
        code = msi_property(self.msi, "ProductCode")
        check(list(products) == [code], f"the uninstall entries: {list(products)}, not {code}")
        entry = products[code]
        check(entry.get("DisplayVersion") == self.version and entry.get("Publisher") == "Varnokle",
              f"the uninstall entry: {entry}")
        # DisplayIcon: Windows writes it from ARPPRODUCTICON, Wine does not.
        icons = {row["Name"]: row for row in msi_table(self.msi, "Icon")}
        check(msi_property(self.msi, "ARPPRODUCTICON") in icons, "ARPPRODUCTICON names no icon of the package")
        streams = subprocess.run(["msiinfo", "extract", self.msi, "Icon.Varnokle.ico"], stdout=subprocess.PIPE,
                                 check=True).stdout
        with open(os.path.join(self.build, "artwork", "Varnokle.ico"), "rb") as icon:
            check(streams == icon.read(), "the package's icon is not the program's")
        if "DisplayIcon" in entry:
            check(entry["DisplayIcon"].lower().endswith(".ico") or "varnokle" in entry["DisplayIcon"].lower(),
                  f"DisplayIcon is {entry['DisplayIcon']}")

        check(self.shortcut_starts(INSTALL_FOLDER + r"\Varnokle.exe"), f"the Start menu shortcuts: {self.shortcuts()}")
        # A per-machine package with its shortcut in ProgramMenuFolder: the common Start menu on
        # Windows. (Wine takes the user's.)
        check(msi_property(self.msi, "ALLUSERS") == "1", "the package is not a per-machine one")
        check([row["Directory_"] for row in msi_table(self.msi, "Shortcut")] == ["ProgramMenuFolder"],
              "the shortcut is not in the Start menu's Programs folder")

    def installed_program_searches(self):
        rows = self.vkfind_rows(INSTALL_FOLDER + r"\vkfind.exe", "*.txt")
        check(("readme.txt", "102", r"\\ATLAS\Public") in rows, "the installed vkfind did not find readme.txt")
        # The program that the shortcut starts (the shell's start of a shortcut hands back no process
        # under Wine, so the test starts it itself, as the shortcut does: with no working directory).
        self.search_with(INSTALL_FOLDER + r"\Varnokle.exe", self.installed, rows, installed=True)
        check(self.user_state()[0] == b"1\r\n*.txt\r\n", "vk.set in the user's data does not hold the mask")

    def upgrade_then_downgrade(self):
        before = self.user_state()
        moved = os.path.join(self.c_drive, *MOVED_FOLDER.split("\\")[1:])
        # A higher version into another folder (INSTALLDIR on the command line), then one more
        # without INSTALLDIR: it goes where the installed one is.
        for version, folder, arguments in ((higher(self.version), moved, ["INSTALLDIR=" + MOVED_FOLDER]),
                                           (higher(higher(self.version)), moved, [])):
            newer = self.package_of_version(version)
            code = self.msiexec("/i", windows_path(newer), *arguments)
            check(code == 0, f"msiexec /i of version {version} ended with {code}")
            self.newer_code = msi_property(newer, "ProductCode")
            products = self.products()
            check(list(products) == [self.newer_code] and products[self.newer_code]["DisplayVersion"] == version,
                  f"after the upgrade to {version} the products are {products}")
            check(not os.path.exists(self.installed) or self.installed == folder, "the upgrade left the old folder")
            self.installed = folder
            check(folder_files(self.installed) == self.installed_files, f"version {version}: not the same files")
            check(self.shortcut_starts(MOVED_FOLDER + r"\Varnokle.exe"), "the shortcut does not start the moved program")
            check(self.user_state() == before, "the upgrade changed the user's vk.set or settings")

        code = self.msiexec("/i", windows_path(self.msi))
        check(code == MSI_REFUSED, f"the older package was not refused: msiexec ended with {code}")
        check(list(self.products()) == [self.newer_code], "the refused package changed the products")
        check(folder_files(self.installed) == self.installed_files, "the refused package changed the files")
        refusal = [row for row in msi_table(self.msi, "LaunchCondition") if "newer version" in row["Description"]]
        check(refusal, "the package has no message for a newer version")

    def package_of_version(self, version):
        """An installer package of the same files with another version (and its own product code)."""
        package = os.path.join(self.scratch, f"Varnokle-{version}-x64.msi")
        subprocess.run(["sh", os.path.join(self.source, "scripts", "make-msi.sh"),
                        os.path.join(self.scratch, "zip", f"Varnokle-{self.version}"), version,
                        os.path.join(self.build, "artwork", "Varnokle.ico"), package], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        check(msi_property(package, "ProductCode") != msi_property(self.msi, "ProductCode"),
              "a package of another version has the same product code")
        return package

    def uninstall(self):
        before = self.user_state()
        code = self.msiexec("/x", self.newer_code)
        check(code == 0, f"msiexec /x ended with {code}")
        check(not os.path.exists(self.installed), f"{self.installed} is still there")
        check(not self.shortcuts(), "the Start menu shortcut is still there")
        check(not self.products(), "the uninstall entry is still there")
        check("InstallDir" not in self.desktop.reg_values(r"HKLM\Software\Varnokle"), "the folder's record is still there")
        check(self.user_state() == before, "uninstalling changed the user's vk.set or settings")

    def the_zip_searches(self):
        folder = os.path.join(self.scratch, "zip", f"Varnokle-{self.version}")
        rows = self.vkfind_rows(os.path.join(folder, "vkfind.exe"), "*.txt")
        self.search_with(os.path.join(folder, "Varnokle.exe"), folder, rows)

    # --- The run ----------------------------------------------------------------------------

    def run(self):
        steps = [self.the_files, self.install, self.installed_program_searches, self.upgrade_then_downgrade,
                 self.uninstall, self.the_zip_searches]
        began = time.monotonic()
        try:
            started = time.monotonic()
            subprocess.run(["sh", os.path.join(self.source, "scripts", "wine-prefix.sh"), self.prefix], check=True)
            # One server for the whole run, and the services a warm boot starts, their streams away
            # from ours (a process reading a pipe of ours would wait for them to end).
            for command in ([WINESERVER, "-p"], [WINE, "wineboot"]):
                subprocess.run(command, env=self.desktop.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, check=True, timeout=120)
            self.desktop.set_unmanaged(True)
            print(f"ok   a fresh Wine prefix ({time.monotonic() - started:.1f} s)", flush=True)
            if not run_steps(steps, self.desktop, os.path.join(self.shots, "package-failure.png"),
                             lambda: self.program):
                return 1
        finally:
            if self.program:
                self.program.kill()
            subprocess.run([WINESERVER, "-k"], env=self.desktop.env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            subprocess.run([WINESERVER, "-w"], env=self.desktop.env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=60)
            if self.keep:
                print(f"     kept: {self.scratch}")
            else:
                shutil.rmtree(self.scratch, ignore_errors=True)
        print(f"package: all {len(steps)} steps passed in {time.monotonic() - began:.0f} s")
        return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--package", required=True, help="the folder scripts/package.sh wrote (build/package)")
    parser.add_argument("--build", required=True, help="the Windows build folder (build/win)")
    parser.add_argument("--source", required=True, help="the source tree")
    parser.add_argument("--keep", action="store_true", help="keep the Wine prefix and the other files of the run")
    arguments = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        print("package test: needs an X display (run it through cmake/with-display.sh)", file=sys.stderr)
        return 1
    return PackageTest(arguments).run()


if __name__ == "__main__":
    sys.exit(main())
