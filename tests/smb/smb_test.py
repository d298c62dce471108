#!/usr/bin/env python3
"""vkfind --smb against Samba servers of our own on loopback.

    smb_test.py --vkfind PATH [--live-tests PATH] [--only GROUP]... [--keep]

Starts the servers of smb_network.py, then checks:
  - differential: the rows of searches and browse listings over SMB equal the rows of the same
    ones over the folder network of the same tree (order aside), as guest and as the user;
  - credentials: an authentication file, the environment, a wrong password, a malformed file
    (whose password is never printed);
  - faults: a refused share, a server address where nothing listens and one that never answers
    (a short timeout, no hang), a file removed during the walk;
  - helpers: a helper process killed in the middle of a call (held there by a delay proxy, as on
    a slow network): the search ends, says what it lost, and a new helper searches the rest;
    the password is in no helper's command line or environment;
  - the SMB layer's own tests against the running server (--live-tests: vk_smb_tests).
The servers are stopped at the end, also on failure. Prints "N passed, N failed".
"""

import argparse
import contextlib
import os
import re
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

import smb_network as net  # noqa: E402
from delay_proxy import DelayProxy  # noqa: E402
from samba_servers import SambaServers, free_port, missing_programs  # noqa: E402

ALL_SERVERS = [f"\\\\{address}" for address in net.ADDRESSES.values()]


class Run:
    def __init__(self, vkfind, root, port, home):
        self.vkfind = vkfind
        self.root = root
        self.port = port
        self.home = home
        self.passed = 0
        self.failed = []
        self.guest_rows = []

    def environment(self, extra=None):
        env = {k: v for k, v in os.environ.items() if not k.startswith("VARNOKLE_")}
        env["HOME"] = str(self.home)  # no client configuration of the developer's
        here = Path(__file__).resolve().parent
        # Under ThreadSanitizer: the library's own signal handler is known.
        env["TSAN_OPTIONS"] = f"suppressions={here / 'tsan.supp'}:print_suppressions=0"
        env.update(extra or {})
        return env

    def vkfind_run(self, args, extra_env=None, timeout=300):
        started = time.monotonic()
        result = subprocess.run(
            [self.vkfind, "--quiet"] + args,
            capture_output=True,
            env=self.environment(extra_env),
            timeout=timeout,
        )
        result.seconds = time.monotonic() - started
        result.text = result.stdout.decode("utf-8", "replace")
        result.errors = result.stderr.decode("utf-8", "replace")
        return result

    def smb(self, args, extra_env=None, timeout=300):
        return self.vkfind_run(["--smb", "--smb-port", str(self.port)] + args, extra_env, timeout)

    def folder(self, args):
        return self.vkfind_run(["--network", str(self.root)] + args)

    def check(self, name, condition, details=""):
        if condition:
            self.passed += 1
            print(f"ok   {name}")
        else:
            self.failed.append(name)
            print(f"FAIL {name}\n{details}")

    def same(self, name, args, smb_env=None, guest=True, smb_args=()):
        """The rows, the exit status and the messages of one search over both networks."""
        net.write_faults(self.root, guest)
        over_smb = self.smb(list(smb_args) + args, smb_env)
        over_folder = self.folder(args)
        smb_rows = sorted(over_smb.text.splitlines())
        folder_rows = sorted(over_folder.text.splitlines())
        details = (
            f"  args: {args}\n  exit: smb {over_smb.returncode}, folder {over_folder.returncode}\n"
            f"  only over SMB: {sorted(set(smb_rows) - set(folder_rows))[:20]}\n"
            f"  only in the folder network: {sorted(set(folder_rows) - set(smb_rows))[:20]}\n"
            f"  stderr smb: {over_smb.errors[-800:]}\n  stderr folder: {over_folder.errors[-800:]}"
        )
        self.check(
            name,
            smb_rows == folder_rows
            and over_smb.returncode == over_folder.returncode
            and over_smb.errors == over_folder.errors,
            details,
        )
        return smb_rows


def differential(run):
    everything = run.same("all files and folders of every server", ["--mask", "*"] + ALL_SERVERS)
    run.check("the search found what the servers hold", len(everything) > 80, f"  {len(everything)} rows")
    run.guest_rows = everything
    for name in ("Ångström notes.txt", "Отчёт.txt", "日本語の歌.txt", "Черновик.txt", "naïve 50% mix #2 %41.txt"):
        run.check(f"a non-ASCII or odd name is found: {name}", any(r.startswith(name + "\t") for r in everything))
    run.check(
        "a file of 4 GiB and 10 bytes shows its whole size",
        any(r.startswith("disk.img\t4294967306\t") for r in everything),
        "\n".join(r for r in everything if r.startswith("disk.img")),
    )
    run.check("nothing of a refused share or folder", not any("salaries" in r or "secret.txt" in r for r in everything))

    run.same("several mask pieces", ["--mask", "*.txt;*.doc, *.xls"] + ALL_SERVERS)
    run.same("a mask with ?", ["--mask", "track0?.mp3;Q? report.txt"] + ALL_SERVERS)
    run.same("masks match without regard to case", ["--mask", "ÅNGSTRÖM*;*.TXT;readme"] + ALL_SERVERS)
    run.same("at least 1 KB", ["--at-least", "1"] + ALL_SERVERS)
    run.same("at most 0 KB (folders too)", ["--mask", "*", "--at-most", "0"] + ALL_SERVERS)
    found = run.same("containing text in UTF-8, UTF-16 and Windows-1252", ["--mask", "*.txt;*.md;*.html", "--text",
                                                                            "report"] + ALL_SERVERS)
    run.check("the text search found something", len(found) >= 3, "\n".join(found))
    found = run.same("containing non-ASCII text in UTF-16", ["--mask", "*", "--text", "präludium"] + ALL_SERVERS)
    run.check("the UTF-16 file with the text is found", any(r.startswith("Notenblätter.txt\t") for r in found),
              "\n".join(found))
    run.same("containing text with wildcards", ["--mask", "*.txt", "--text", "qu?rterly*20"] + ALL_SERVERS)
    run.same("hidden shares by a share mask", ["--share-mask", "*$"] + ALL_SERVERS)
    run.same("a share mask with a file mask", ["--share-mask", "P*", "--mask", "*"] + ALL_SERVERS)
    run.same("a share mask without wildcards", ["--share-mask", "finance", "--mask", "*"] + ALL_SERVERS)
    run.same("share and folder scopes", ["--mask", "*", f"\\\\{net.FILESRV01}\\Finance", f"\\\\{net.ATLAS}\\Projects\\Apollo",
                                         f"\\\\{net.ATLAS}\\{net.MUSIC_SHARE}\\Übersicht"])
    run.same("a hidden share as a scope", ["--mask", "*", f"\\\\{net.ATLAS}\\C$"])
    run.same("a server scope", ["--mask", "*.log", f"\\\\{net.ADDRESSES['LAB/BUILD01']}"])
    run.same("the rows as CSV", ["--format", "csv", "--mask", "*"] + ALL_SERVERS)
    run.same("the rows as JSON", ["--format", "json", "--mask", "*"] + ALL_SERVERS)
    run.same(
        "the date, exclusion, depth and kind filters",
        ["--format", "json", "--mask", "*", "--exclude", "*.txt", "--max-depth", "1", "--type", "f",
         "--modified-after", "2000-01-01"] + ALL_SERVERS,
    )


def browsing(run):
    for address in net.ADDRESSES.values():
        run.same(f"the shares of {address}", ["--shares", f"\\\\{address}"])
    for folder in (
        f"\\\\{net.FILESRV01}\\Finance",
        f"\\\\{net.FILESRV01}\\D$\\Backup",
        f"\\\\{net.ATLAS}\\Projects\\Hermes\\src",
        f"\\\\{net.ATLAS}\\{net.MUSIC_SHARE}",
        f"\\\\{net.ATLAS}\\{net.MUSIC_SHARE}\\Übersicht\\Ébauches",
        f"\\\\{net.BOREAS}\\Docs",
    ):
        run.same(f"the list of {folder}", ["--list", folder])
    run.same("the list of a refused folder", ["--list", f"\\\\{net.FILESRV01}\\Finance\\Payroll"])
    run.same("the list of a share nobody may read", ["--list", f"\\\\{net.ATLAS}\\Nobody"])
    run.same("the list of a share the guest may not read", ["--list", f"\\\\{net.ATLAS}\\Private"])
    run.same("the list of a share that is not there", ["--list", f"\\\\{net.ATLAS}\\NoSuchShare"])


def credentials(run, work):
    auth = work / "auth.txt"
    auth.write_text(f"username = {net.USER}\npassword = {net.PASSWORD}\ndomain = WORKGROUP\n")
    auth.chmod(0o600)
    private = f"\\\\{net.ATLAS}\\Private"
    rows = run.same("the user's share with an authentication file", ["--mask", "*", private], guest=False,
                    smb_args=["--auth-file", str(auth)])
    run.check("the user reads the private share", any(r.startswith("diary.txt\t") for r in rows), "\n".join(rows))
    # The folder network takes no --auth-file: compare the SMB rows with the folder network's by hand.
    net.write_faults(run.root, guest=False)
    by_environment = run.smb(["--mask", "*", private], {"VARNOKLE_SMB_USER": net.USER, "VARNOKLE_SMB_PASSWORD": net.PASSWORD})
    run.check("credentials from the environment", sorted(by_environment.text.splitlines()) == rows,
              by_environment.text + by_environment.errors)
    by_variable_file = run.smb(["--mask", "*", private], {"VARNOKLE_SMB_AUTH_FILE": str(auth)})
    run.check("an authentication file named by the environment", sorted(by_variable_file.text.splitlines()) == rows,
              by_variable_file.text + by_variable_file.errors)
    with_user = run.same("every server as the user", ["--mask", "*"] + ALL_SERVERS,
                         {"VARNOKLE_SMB_USER": f"WORKGROUP\\{net.USER}%{net.PASSWORD}"}, guest=False)
    run.check("the user reads what guests read, and the private share", set(run.guest_rows) < set(with_user))

    wrong = work / "wrong.txt"
    wrong.write_text(f"username = {net.USER}\npassword = not-the-password\n")
    refused = run.smb(["--auth-file", str(wrong), "--list", private])
    run.check("a wrong password: the listing is refused (exit 1, access denied)",
              refused.returncode == 1 and "Access is denied." in refused.errors and net.PASSWORD not in refused.errors,
              refused.errors)
    refused = run.smb(["--auth-file", str(wrong), "--mask", "*", f"\\\\{net.ATLAS}"])
    run.check("a wrong password: the search finds nothing and is no guest's search",
              refused.returncode == 0 and refused.text == "", refused.text + refused.errors)
    refused = run.smb(["--auth-file", str(wrong), "--shares", f"\\\\{net.ATLAS}"])
    run.check("a wrong password: the share list is refused (exit 1)", refused.returncode == 1, refused.errors)

    malformed = work / "malformed.txt"
    malformed.write_text(f"username = {net.USER}\npasword = {net.PASSWORD}\n")
    bad = run.smb(["--auth-file", str(malformed), "--shares", f"\\\\{net.ATLAS}"])
    run.check("a malformed authentication file is a usage error that never prints the password",
              bad.returncode == 2 and "line 2" in bad.errors and net.PASSWORD not in bad.errors + bad.text, bad.errors)
    missing = run.smb(["--auth-file", str(work / "no-such-file"), "--shares", f"\\\\{net.ATLAS}"])
    run.check("a missing authentication file is a usage error", missing.returncode == 2, missing.errors)
    on_command_line = run.smb(["--password", net.PASSWORD, "--shares", f"\\\\{net.ATLAS}"])
    run.check("no password on the command line", on_command_line.returncode == 2, on_command_line.errors)


def silent_listener(port):
    """A server that takes connections and never answers; closed by the caller."""
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.8", port))
    listener.listen(16)
    return listener


def faults(run):
    nobody = f"\\\\{net.SILENT_ADDRESS}"
    listing = run.smb(["--shares", nobody], timeout=60)
    run.check("no server at the address: the share list fails at once (exit 1)",
              listing.returncode == 1 and listing.seconds < 10, f"{listing.returncode} {listing.seconds:.1f}s {listing.errors}")
    search = run.smb(["--mask", "*", nobody, f"\\\\{net.BOREAS}\\Photos"], timeout=60)
    run.check("no server at the address: the search skips it silently and goes on",
              search.returncode == 0 and "beach.jpg" in search.text and search.errors == "" and search.seconds < 10,
              f"{search.returncode} {search.seconds:.1f}s {search.text} {search.errors}")

    listener = silent_listener(run.port)
    try:
        mute = "\\\\127.0.0.8"
        search = run.smb(["--smb-timeout", "2", "--mask", "*", mute, f"\\\\{net.BOREAS}\\Photos"], timeout=60)
        run.check("a server that never answers: the search ends after the timeout, the rest found",
                  search.returncode == 0 and "beach.jpg" in search.text and search.seconds < 20,
                  f"{search.returncode} {search.seconds:.1f}s {search.errors}")
        listing = run.smb(["--smb-timeout", "2", "--list", mute + "\\share"], timeout=60)
        run.check("a server that never answers: a listing fails after the timeout (exit 1)",
                  listing.returncode == 1 and listing.seconds < 20, f"{listing.returncode} {listing.seconds:.1f}s")
    finally:
        listener.close()

    refused = run.smb(["--mask", "*", f"\\\\{net.ATLAS}"])
    run.check("a refused share of a server is skipped silently, its other shares searched",
              refused.returncode == 0 and "readme.txt" in refused.text and "secret" not in refused.text
              and refused.errors == "", refused.text + refused.errors)
    run.same("a refused share named as a scope is an error, as on the folder network",
             ["--mask", "*", f"\\\\{net.ATLAS}\\Nobody", f"\\\\{net.ATLAS}\\Public"])
    run.same("a share that is not there, named as a scope", ["--mask", "*", f"\\\\{net.ATLAS}\\NoSuchShare"])
    no_browse = run.smb(["--mask", "*"])
    run.check("no server named and no browse service: a clear message, exit 1",
              no_browse.returncode == 1 and "\\\\SERVER" in no_browse.errors, no_browse.errors)


def removal_during_walk(run):
    """Files go while a content search reads them: the walk skips them and finds the rest."""
    scratch = net.server_folder(run.root, "WORKGROUP/ATLAS") / "Scratch" / "churn"
    scratch.mkdir(parents=True)
    count = 3000
    names = [f"file{i:05}.txt" for i in range(count)]
    for name in names:
        (scratch / name).write_text("needle in the haystack\n")
    os.chmod(scratch, 0o755)
    args = ["--smb", "--smb-port", str(run.port), "--mask", "*.txt", "--text", "needle",
            f"\\\\{net.ATLAS}\\Scratch"]
    # The first file's access time before anything read it: the walk may read it before the
    # folder's announcement reaches us.
    first = scratch / names[0]
    unread = first.stat().st_atime_ns
    process = subprocess.Popen([run.vkfind] + args, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                               env=run.environment())
    removed = names[count // 2:]
    rows_out = []
    reader = threading.Thread(target=lambda: rows_out.append(process.stdout.read()))
    reader.start()
    # The worker announces the folder, lists it, then reads its files in order: once the first
    # file has been read (its access time moves), every file is listed, and the second half goes.
    for line in process.stderr:
        if line.decode("utf-8", "replace").rstrip().endswith("\\Scratch\\churn"):
            break
    deadline = time.monotonic() + 30
    while first.stat().st_atime_ns == unread and time.monotonic() < deadline:
        time.sleep(0.001)
    read_started = first.stat().st_atime_ns != unread
    for name in removed:
        (scratch / name).unlink()
    remaining_errors = process.stderr.read()
    process.wait(timeout=120)
    reader.join()
    rows = rows_out[0].decode("utf-8", "replace").splitlines()
    found = {row.split("\t")[0] for row in rows}
    kept = set(names[: count // 2])
    run.check("files removed during the walk: the search ends normally with every file that stayed",
              read_started and process.returncode == 0 and kept <= found and found <= set(names)
              and len(found) < count,
              f"reading seen: {read_started}, exit {process.returncode}, {len(found)} found, "
              f"{len(kept - found)} kept ones missing, "
              f"{remaining_errors[-500:]}")
    print(f"     ({len(found & set(removed))} of the {len(removed)} listed files that went had been read before)")


def children(pid):
    """The processes whose parent is pid."""
    found = []
    for entry in Path("/proc").iterdir():
        if entry.name.isdigit():
            try:
                fields = (entry / "stat").read_text().rsplit(")", 1)[1].split()
            except OSError:
                continue
            if int(fields[1]) == pid:
                found.append(int(entry.name))
    return found


def helper_killed(run):
    """One helper, killed while the proxy holds the request it sent: only that call is lost."""
    scopes = [f"\\\\{net.ATLAS}\\Projects", f"\\\\{net.FILESRV01}\\Finance", f"\\\\{net.BOREAS}\\Docs"]
    net.write_faults(run.root, guest=False)
    expected = set(run.folder(["--mask", "*"] + scopes).text.splitlines())
    addresses = list(net.ADDRESSES.values())
    port = free_port(addresses)
    user = {"VARNOKLE_SMB_USER": f"{net.USER}%{net.PASSWORD}", "VARNOKLE_SMB_HELPERS": "1"}
    with DelayProxy([(address, port, address, run.port) for address in addresses], 0.005) as proxy:
        process = subprocess.Popen([run.vkfind, "--smb", "--smb-port", str(port), "--mask", "*"] + scopes,
                                   stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=run.environment(user))
        rows_out = []
        reader = threading.Thread(target=lambda: rows_out.append(process.stdout.read()))
        reader.start()
        # Once the walk is below a share, the next request is held and the helper killed.
        errors = b""
        for line in process.stderr:
            errors += line
            if line.startswith(b"Search in ") and line.count(b"\\") >= 4:
                break
        proxy.hold()
        held = proxy.held.wait(30)
        launchers = children(process.pid)
        helpers = [helper for launcher in launchers for helper in children(launcher)]
        exposed = []
        for pid in launchers + helpers:
            for name in ("cmdline", "environ"):
                with contextlib.suppress(OSError):
                    if net.PASSWORD.encode() in (Path("/proc") / str(pid) / name).read_bytes():
                        exposed.append(f"{pid}/{name}")
        for helper in helpers:
            os.kill(helper, signal.SIGKILL)
        rest = []
        rest_reader = threading.Thread(target=lambda: rest.append(process.stderr.read()))
        rest_reader.start()
        proxy.release()
        try:
            process.wait(timeout=120)
        except subprocess.TimeoutExpired:
            process.kill()  # a search that does not end fails the check below
            process.wait()
        reader.join()
        rest_reader.join()
    after = rest[0].decode("utf-8", "replace")
    rows = set(rows_out[0].decode("utf-8", "replace").splitlines())
    text = errors.decode("utf-8", "replace") + after
    # The folders walked after the kill went through a new helper: only one helper may run.
    walked_after = [line for line in after.splitlines() if line.startswith("Search in ")]
    reports = re.findall(r"vkfind: lost (\\\\[^\n]*?): the SMB helper process reading it (.*)", text)
    lost = reports[0][0] if len(reports) == 1 else "?"
    kept = {row for row in expected if not (row.split("\t")[-1] + "\\").startswith(lost + "\\")}
    run.check("the password is in no helper's command line or environment", launchers and not exposed,
              f"launchers {launchers}, exposed in {exposed}")
    run.check("a helper killed in a call: the search ends and reports the share it lost, the rest is found",
              held and len(helpers) == 1 and process.returncode == 0 and len(reports) == 1
              and reports[0][1].startswith("was killed by signal 9") and any(lost.startswith(s) for s in scopes)
              and kept <= rows <= expected and walked_after,
              f"held {held}, helpers {helpers}, exit {process.returncode}, reports {reports}, "
              f"{len(walked_after)} folders walked after the kill, "
              f"{len(kept - rows)} rows missing beyond {lost}: {sorted(kept - rows)[:10]}\n{text[-1500:]}")


def live_tests(run, program):
    env = run.environment({
        "VK_SMB_TEST_SERVER": net.ATLAS,
        "VK_SMB_TEST_PORT": str(run.port),
        "VK_SMB_TEST_SHARE": "Scratch",
        "VK_SMB_TEST_FOLDER": str(net.server_folder(run.root, "WORKGROUP/ATLAS") / "Scratch"),
    })
    result = subprocess.run([program, "--gtest_filter=SmbLive*", "--gtest_brief=1"], capture_output=True, text=True,
                            env=env, timeout=600)
    ran = re.search(r"\[  PASSED  \] (\d+) test", result.stdout)
    run.check(f"the SMB layer's own tests against the server ({Path(program).name})",
              result.returncode == 0 and ran is not None and int(ran.group(1)) > 0,
              f"exit {result.returncode}\n" + result.stdout[-3000:] + result.stderr[-2000:])


def stop_on_terminate(signum, frame):
    """A run that is ended still stops its servers: the exit unwinds through the clean-ups."""
    raise SystemExit(128 + signum)


def main():
    signal.signal(signal.SIGTERM, stop_on_terminate)
    parser = argparse.ArgumentParser()
    parser.add_argument("--vkfind", required=True)
    parser.add_argument("--live-tests", action="append", default=[])
    parser.add_argument("--keep", action="store_true", help="keep the work folder")
    parser.add_argument("--only", action="append", choices=["differential", "browsing", "credentials", "faults", "live",
                                                            "removal", "helpers"], help="run only these groups")
    options = parser.parse_args()

    if os.geteuid() != 0:
        print("skipped: smbd needs root to serve as its users")
        return 0
    if missing_programs():
        print("missing: " + ", ".join(missing_programs()))
        return 1

    work = Path(tempfile.mkdtemp(prefix="vk-smb-"))
    work.chmod(0o755)  # guests are served as the account nobody
    root = work / "network"
    home = work / "home"
    home.mkdir()
    failed = True
    try:
        servers = net.build_tree(root)
        with SambaServers(work, servers, users={net.USER: net.PASSWORD}) as samba:
            run = Run(os.path.abspath(options.vkfind), root, samba.port, home)
            print(f"Samba servers on port {samba.port}: {', '.join(net.ADDRESSES.values())}")
            groups = {
                "differential": lambda: differential(run),
                "browsing": lambda: browsing(run),
                "credentials": lambda: credentials(run, work),
                "faults": lambda: faults(run),
                "live": lambda: [live_tests(run, program) for program in options.live_tests],
                "removal": lambda: removal_during_walk(run),
                "helpers": lambda: helper_killed(run),
            }
            for group in options.only or groups:
                groups[group]()
        print(f"{run.passed} passed, {len(run.failed)} failed")
        failed = bool(run.failed)
    finally:
        net.restore_permissions(work)
        if options.keep or failed:
            print(f"work folder kept: {work}")
        else:
            import shutil

            shutil.rmtree(work, ignore_errors=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
