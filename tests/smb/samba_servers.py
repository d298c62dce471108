"""Samba file servers of our own on loopback addresses, for the SMB tests and the benchmark.

Each server is one smbd (with its RPC helper, samba-dcerpcd, which lists the shares) bound to
one 127.0.0.x address and a port of the run's own, with its configuration, state, lock, cache,
log and password files in a private folder. Users come from a passwd file of the run's own
(nss_wrapper), so nothing of the machine's accounts changes. Every process the servers start is
ended when they stop, also when the run fails: the servers are a context manager, and the
process reaps the orphans of what it started (it is their subreaper).
"""

import contextlib
import ctypes
import os
import random
import shutil
import signal
import socket
import subprocess
import time
from dataclasses import dataclass, field
from pathlib import Path

SMBD = "/usr/sbin/smbd"
DCERPCD = "/usr/libexec/samba/samba-dcerpcd"
NSS_WRAPPER = "/usr/lib/x86_64-linux-gnu/libnss_wrapper.so"
PR_SET_CHILD_SUBREAPER = 36

# The account guests are mapped to, and the uid of the users of the run's own passwd file.
GUEST_ACCOUNT = "nobody"
FIRST_USER_ID = 40000


@dataclass
class Share:
    name: str
    path: Path
    guest_ok: bool = True
    valid_users: list = field(default_factory=list)


@dataclass
class Server:
    address: str  # 127.0.0.x
    shares: list = field(default_factory=list)


def missing_programs():
    """The Samba programs this module needs that are not installed."""
    return [p for p in (SMBD, DCERPCD, NSS_WRAPPER, shutil.which("smbpasswd") or "smbpasswd") if not os.path.exists(p)]


def become_subreaper():
    """Orphans of the servers' processes become our children, so that we reap them."""
    libc = ctypes.CDLL(None, use_errno=True)
    libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)


def reap_children():
    with contextlib.suppress(ChildProcessError):
        while os.waitpid(-1, os.WNOHANG)[0] > 0:
            pass


def free_port(addresses):
    """A port nothing listens on at any of the addresses (445 needs privileges and may be taken)."""
    for _ in range(200):
        port = random.randint(20000, 60000)
        sockets = []
        try:
            for address in addresses:
                s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
                sockets.append(s)
                s.bind((address, port))
            return port
        except OSError:
            continue
        finally:
            for s in sockets:
                s.close()
    raise RuntimeError("no free port on the loopback addresses")


def wait_for_port(address, port, deadline):
    while time.monotonic() < deadline:
        with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
            s.settimeout(1)
            if s.connect_ex((address, port)) == 0:
                return True
        time.sleep(0.05)
    return False


class SambaServers:
    """Starts the servers on entering, stops them on leaving."""

    def __init__(self, work, servers, users=None, workgroup="WORKGROUP"):
        self.work = Path(work)
        self.servers = servers
        self.users = users or {}  # name -> password
        self.workgroup = workgroup
        self.port = None
        self.processes = []
        self.environment = {}

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *exc):
        self.stop()

    def private(self, server, name):
        folder = self.work / "samba" / server.address / name
        folder.mkdir(parents=True, exist_ok=True)
        return folder

    def write_accounts(self):
        accounts = self.work / "samba" / "accounts"
        accounts.mkdir(parents=True, exist_ok=True)
        passwd = ["root:x:0:0:root:/root:/bin/sh", f"{GUEST_ACCOUNT}:x:65534:65534:nobody:/nonexistent:/bin/false"]
        group = ["root:x:0:", "nogroup:x:65534:"]
        for index, name in enumerate(self.users):
            uid = FIRST_USER_ID + index
            passwd.append(f"{name}:x:{uid}:{uid}:{name}:/nonexistent:/bin/false")
            group.append(f"{name}:x:{uid}:")
        (accounts / "passwd").write_text("\n".join(passwd) + "\n")
        (accounts / "group").write_text("\n".join(group) + "\n")
        self.environment = dict(os.environ)
        self.environment.update(
            {
                "LD_PRELOAD": NSS_WRAPPER,
                "NSS_WRAPPER_PASSWD": str(accounts / "passwd"),
                "NSS_WRAPPER_GROUP": str(accounts / "group"),
            }
        )

    def config(self, server):
        def folder(name):
            return self.private(server, name)

        lines = [
            "[global]",
            f"    netbios name = VK{server.address.split('.')[-1]}",
            f"    workgroup = {self.workgroup}",
            f"    interfaces = {server.address}/8",
            "    bind interfaces only = yes",
            f"    smb ports = {self.port}",
            "    disable netbios = yes",
            f"    private dir = {folder('private')}",
            f"    lock directory = {folder('lock')}",
            f"    state directory = {folder('state')}",
            f"    cache directory = {folder('cache')}",
            f"    pid directory = {folder('pid')}",
            f"    ncalrpc dir = {folder('ncalrpc')}",
            f"    binddns dir = {folder('binddns')}",
            f"    log file = {folder('log')}/log.%m",
            "    max log size = 1000",
            f"    passdb backend = tdbsam:{folder('private')}/passdb.tdb",
            "    map to guest = Bad User",
            f"    guest account = {GUEST_ACCOUNT}",
            "    usershare path =",
            "    load printers = no",
            "    printing = bsd",
            "    printcap name = /dev/null",
            "    disable spoolss = yes",
            # The RPC helper is started with the server, not on demand with the system's configuration.
            "    rpc start on demand helpers = no",
            "    smbd: backgroundqueue = no",
            "",
        ]
        for share in server.shares:
            lines += [f"[{share.name}]", f"    path = {share.path}", "    read only = yes"]
            lines.append(f"    guest ok = {'yes' if share.guest_ok else 'no'}")
            if share.valid_users:
                lines.append(f"    valid users = {' '.join(share.valid_users)}")
            lines.append("")
        path = self.work / "samba" / server.address / "smb.conf"
        path.write_text("\n".join(lines))
        return path

    def add_users(self, conf):
        for name, password in self.users.items():
            subprocess.run(
                ["smbpasswd", "-c", str(conf), "-s", "-a", name],
                input=f"{password}\n{password}\n",
                text=True,
                env=self.environment,
                check=True,
                capture_output=True,
            )

    def spawn(self, server, args, log_name):
        log = open(self.private(server, "log") / log_name, "wb")
        process = subprocess.Popen(
            args,
            stdin=subprocess.DEVNULL,
            stdout=log,
            stderr=subprocess.STDOUT,
            env=self.environment,
            start_new_session=True,
        )
        log.close()
        self.processes.append(process)

    def start(self):
        become_subreaper()
        self.port = free_port([s.address for s in self.servers])
        self.write_accounts()
        for server in self.servers:
            conf = self.config(server)
            self.add_users(conf)
            common = ["-F", "--no-process-group", "-s", str(conf), "-d", "1", "--debug-stdout"]
            self.spawn(server, [SMBD] + common, "smbd.out")
            self.spawn(server, [DCERPCD, "--libexec-rpcds"] + common, "dcerpcd.out")
        deadline = time.monotonic() + 60
        for server in self.servers:
            if not wait_for_port(server.address, self.port, deadline):
                raise RuntimeError(f"smbd on {server.address}:{self.port} did not start\n" + self.logs(server))
            if not self.wait_for_shares(server, deadline):
                raise RuntimeError(f"the shares of {server.address} cannot be listed\n" + self.logs(server))

    def wait_for_shares(self, server, deadline):
        """The share list answers once the RPC helper is up."""
        while time.monotonic() < deadline:
            listed = subprocess.run(
                ["smbclient", "-N", "-g", "-p", str(self.port), "-L", f"//{server.address}"],
                capture_output=True,
                text=True,
                env={"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": str(self.work)},
            )
            if "IPC|IPC$" in listed.stdout:
                return True
            time.sleep(0.1)
        return False

    def logs(self, server):
        texts = []
        for log in sorted(self.private(server, "log").glob("*")):
            with contextlib.suppress(OSError):
                texts.append(f"--- {log.name}\n" + log.read_text(errors="replace")[-3000:])
        return "\n".join(texts)

    def stop(self):
        for process in self.processes:
            with contextlib.suppress(ProcessLookupError, PermissionError):
                os.killpg(process.pid, signal.SIGTERM)
        deadline = time.monotonic() + 10
        for process in self.processes:
            try:
                process.wait(timeout=max(0.1, deadline - time.monotonic()))
            except subprocess.TimeoutExpired:
                with contextlib.suppress(ProcessLookupError, PermissionError):
                    os.killpg(process.pid, signal.SIGKILL)
                process.wait()
        # What the servers forked lives on in their process groups a little longer.
        for process in self.processes:
            for _ in range(100):
                try:
                    os.killpg(process.pid, 0)
                except (ProcessLookupError, PermissionError):
                    break
                with contextlib.suppress(ProcessLookupError, PermissionError):
                    os.killpg(process.pid, signal.SIGKILL)
                reap_children()
                time.sleep(0.02)
        reap_children()
        self.processes = []
