#!/usr/bin/env python3
"""vkfind --smb on loopback against the folder network and against smbclient, and on a network
with round trips against itself making one call at a time.

    smb_bench.py --vkfind PATH [--rounds N] [--files N] [--delay MS] [--only loopback|latency]

Serves the SMB test network (smb_network.py) with Samba on loopback and times, best of N
rounds each:
  1. the demo network's largest search (every file and folder of every server) over SMB and
     over the folder network of the same tree;
  2. the walk of the demo's largest share by vkfind --smb and by smbclient -c 'recurse; ls';
  3. the same two on a share of --files generated files (walks long enough that connecting
     does not decide the figure);
  4. every file and folder of four servers of generated shares, each server reached through a
     delay proxy on loopback (delay_proxy.py: each chunk held --delay ms in each direction), by
     vkfind --smb and by vkfind --smb with one helper process (VARNOKLE_SMB_HELPERS=1: one call
     at a time, as one worker makes them); then the same without the proxies.
Prints each time and the ratios, and whether the rows equal the folder network's.
"""

import argparse
import contextlib
import os
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

import smb_network as net  # noqa: E402
from delay_proxy import DelayProxy  # noqa: E402
from samba_servers import SambaServers, Server, Share, free_port, missing_programs  # noqa: E402

# The servers of the latency case and the shape of each of their shares.
LATENCY_ADDRESSES = ["127.0.0.2", "127.0.0.3", "127.0.0.4", "127.0.0.5"]
LATENCY_SHARES = ["Docs", "Projects", "Archive"]
LATENCY_BRANCHES = (2, 3)  # folders below the share, then below each of those
LATENCY_FILES = 4  # in every folder


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


def make_latency_network(root):
    """Four servers of generated shares under root (a folder network); returns the Samba servers."""
    servers = []
    for address in LATENCY_ADDRESSES:
        shares = []
        for name in LATENCY_SHARES:
            share = Path(root) / net.PROVIDER / "WORKGROUP" / address / name
            folders = level = [share]
            for depth, branches in enumerate(LATENCY_BRANCHES):
                level = [parent / f"{name.lower()}{depth}{b}" for parent in level for b in range(branches)]
                folders = folders + level
            for folder in folders:
                folder.mkdir(parents=True, exist_ok=True)
                for index in range(LATENCY_FILES):
                    (folder / f"note{index}.txt").write_text("x" * (index * 100))
            shares.append(Share(name, share))
        servers.append(Server(address, shares))
    net.grant_reading(root)
    return servers


def latency(options, vkfind, work, env):
    """Case 4: four servers behind delay proxies, all helpers against one."""
    root = work / "latency"
    servers = make_latency_network(root)
    scopes = [f"\\\\{address}" for address in LATENCY_ADDRESSES]
    folder_rows = subprocess.run([vkfind, "--quiet", "--network", str(root), "--mask", "*"] + scopes,
                                 capture_output=True, env=env, check=True).stdout
    one_helper = dict(env, VARNOKLE_SMB_HELPERS="1")
    same = True
    with SambaServers(work / "latency-servers", servers) as samba:
        proxy_port = free_port(LATENCY_ADDRESSES)
        routes = [(address, proxy_port, address, samba.port) for address in LATENCY_ADDRESSES]
        for title, port, delay in ((f"behind {options.delay:g} ms delay proxies", proxy_port, options.delay),
                                   ("on loopback without proxies", samba.port, None)):
            search = [vkfind, "--quiet", "--smb", "--smb-port", str(port), "--mask", "*"] + scopes
            with DelayProxy(routes, (delay or 0) / 1000) if delay else contextlib.nullcontext():
                parallel, rows = best_of(options.rounds, search, env)
                serial, serial_rows = best_of(options.rounds, search, one_helper)
            equal = sorted(rows.splitlines()) == sorted(folder_rows.splitlines()) == sorted(serial_rows.splitlines())
            same = same and equal
            print(f"four servers {title}, every file and folder ({len(rows.splitlines())} rows, "
                  f"{'the same as' if equal else 'DIFFERENT FROM'} the folder network's):")
            print(f"  vkfind --smb {parallel * 1000:8.1f} ms   one helper {serial * 1000:8.1f} ms"
                  f"   ratio {parallel / serial:6.2f}")
    return same


def loopback(options, vkfind, work, root, servers, env):
    """Cases 1 to 3."""
    atlas = net.server_folder(root, "WORKGROUP/ATLAS")
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



def main():
    signal.signal(signal.SIGTERM, lambda signum, frame: sys.exit(128 + signum))  # the servers stop all the same
    parser = argparse.ArgumentParser()
    parser.add_argument("--vkfind", required=True)
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--files", type=int, default=20000)
    parser.add_argument("--delay", type=float, default=5, help="ms each chunk is held in each direction")
    parser.add_argument("--only", choices=["loopback", "latency"], help="cases 1-3 or case 4 alone")
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
        env = {k: v for k, v in os.environ.items() if not k.startswith("VARNOKLE_")}
        env["HOME"] = str(home)
        same = True
        try:
            if options.only != "latency":
                loopback(options, vkfind, work, root, servers, env)
            if options.only != "loopback":
                same = latency(options, vkfind, work, env)
        finally:
            net.restore_permissions(work)
    return 0 if same else 1


if __name__ == "__main__":
    sys.exit(main())
