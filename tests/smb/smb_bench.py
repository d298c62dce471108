#!/usr/bin/env python3
"""vkfind --smb on loopback against the folder network and against smbclient.

    smb_bench.py --vkfind PATH [--rounds N] [--files N]

Serves the SMB test network (smb_network.py) with Samba on loopback and times, best of N
rounds each:
  1. the demo network's largest search (every file and folder of every server) over SMB and
     over the folder network of the same tree;
  2. the walk of the demo's largest share by vkfind --smb and by smbclient -c 'recurse; ls';
  3. the same two on a share of --files generated files (walks long enough that connecting
     does not decide the figure).
Prints each time and the ratios.
"""

import argparse
import os
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

import smb_network as net  # noqa: E402
from samba_servers import SambaServers, missing_programs  # noqa: E402


def best_of(rounds, command, env):
    best = None
    output = b""
    for _ in range(rounds):
        started = time.perf_counter()
        result = subprocess.run(command, capture_output=True, env=env, check=False)
        elapsed = time.perf_counter() - started
        if result.returncode != 0:
            raise RuntimeError(f"{command} exited with {result.returncode}: {result.stderr.decode(errors='replace')}")
        output = result.stdout
        best = elapsed if best is None else min(best, elapsed)
    return best, output


def make_generated_share(folder, files):
    """files files in folders of 20, two levels deep."""
    per_folder = 20
    for index in range(files):
        group = index // per_folder
        path = folder / f"d{group // 50:03}" / f"e{group % 50:02}" / f"file{index:06}.txt"
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text("x" * (index % 100))
    net.grant_reading(folder)


def largest_share(root):
    """(address, share name, entries) of the demo share with the most entries."""
    best = None
    for key, address in net.ADDRESSES.items():
        for share in net.server_folder(root, key).iterdir():
            if share.name in ("IPC$", "Scratch", "Nobody", "Private") or not share.is_dir():
                continue
            count = sum(len(d) + len(f) for _, d, f in os.walk(share))
            if best is None or count > best[2]:
                best = (address, share.name, count)
    return best


def main():
    signal.signal(signal.SIGTERM, lambda signum, frame: sys.exit(128 + signum))  # the servers stop all the same
    parser = argparse.ArgumentParser()
    parser.add_argument("--vkfind", required=True)
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--files", type=int, default=20000)
    options = parser.parse_args()
    if os.geteuid() != 0 or missing_programs():
        print("needs root and Samba (scripts/bench-smb.sh installs it)")
        return 1
    vkfind = os.path.abspath(options.vkfind)

    with tempfile.TemporaryDirectory(prefix="vk-smb-bench-") as temporary:
        work = Path(temporary)
        work.chmod(0o755)
        root = work / "network"
        home = work / "home"
        home.mkdir()
        servers = net.build_tree(root)
        net.write_faults(root, guest=True)
        atlas = net.server_folder(root, "WORKGROUP/ATLAS")
        env = {k: v for k, v in os.environ.items() if not k.startswith("VARNOKLE_")}
        env["HOME"] = str(home)
        try:
            with SambaServers(work, servers, users={net.USER: net.PASSWORD}) as samba:
                port = str(samba.port)
                smb = [vkfind, "--quiet", "--smb", "--smb-port", port, "--mask", "*"]
                folder = [vkfind, "--quiet", "--network", str(root), "--mask", "*"]

                def smbclient(address, share):
                    return ["smbclient", "-N", "-p", port, f"//{address}/{share}", "-c", "recurse; ls"]

                everything = [f"\\\\{a}" for a in net.ADDRESSES.values()]
                over_smb, rows = best_of(options.rounds, smb + everything, env)
                over_folder, _ = best_of(options.rounds, folder + everything, env)
                print(f"demo network, every file and folder of {len(everything)} servers ({len(rows.splitlines())} rows):")
                print(f"  vkfind --smb {over_smb * 1000:8.1f} ms   folder network {over_folder * 1000:8.1f} ms"
                      f"   ratio {over_smb / over_folder:6.2f}")

                address, share, entries = largest_share(root)
                scope = f"\\\\{address}\\{share}"
                over_smb, _ = best_of(options.rounds, smb + [scope], env)
                by_smbclient, _ = best_of(options.rounds, smbclient(address, share), env)
                print(f"demo's largest share {scope} ({entries} entries):")
                print(f"  vkfind --smb {over_smb * 1000:8.1f} ms   smbclient recurse ls {by_smbclient * 1000:8.1f} ms"
                      f"   ratio {over_smb / by_smbclient:6.2f}")

                # The generated share fills only now: the demo's searches above see it empty.
                make_generated_share(atlas / "Scratch", options.files)
                scope = f"\\\\{net.ATLAS}\\Scratch"
                over_smb, rows = best_of(options.rounds, smb + [scope], env)
                over_folder, _ = best_of(options.rounds, folder + [scope], env)
                by_smbclient, _ = best_of(options.rounds, smbclient(net.ATLAS, "Scratch"), env)
                print(f"generated share {scope} ({len(rows.splitlines())} rows):")
                print(f"  vkfind --smb {over_smb * 1000:8.1f} ms   folder network {over_folder * 1000:8.1f} ms"
                      f"   ratio {over_smb / over_folder:6.2f}")
                print(f"  vkfind --smb {over_smb * 1000:8.1f} ms   smbclient recurse ls {by_smbclient * 1000:8.1f} ms"
                      f"   ratio {over_smb / by_smbclient:6.2f}")
        finally:
            net.restore_permissions(work)
    return 0


if __name__ == "__main__":
    sys.exit(main())
