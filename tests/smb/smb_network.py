"""The SMB test network: the demo network's servers served by Samba on loopback addresses, and
the same folders as a folder network, so that a search over SMB and the same search over the
folder network look at one tree.

    ROOT/Microsoft Windows Network/<domain>/<address>/<share>/...

Each demo server of the Windows network becomes a server at a 127.0.0.x address (its folder is
named by the address, so that both networks give the same paths). Beside the demo's shares:
  - Private: only the user USER with the password PASSWORD may read it
  - Nobody: nobody may read it (its folder grants no one anything)
  - Bücher & Noten: a share whose name has a space, an ampersand and a non-ASCII letter, with
    non-ASCII names and UTF-16 contents in nested folders
  - Scratch: a share the tests may change
and every server has its IPC$, which Samba always serves. The demo's denied folder
(Finance\\Payroll) grants no one anything; the demo's locked file is no fault here.
"""

import os
import shutil
import stat
from pathlib import Path

from samba_servers import Server, Share

REPOSITORY = Path(__file__).resolve().parents[2]
DEMO = REPOSITORY / "demo" / "network"
PROVIDER = "Microsoft Windows Network"

# Demo server (domain/server) -> its address.
ADDRESSES = {
    "ACME/FILESRV01": "127.0.0.2",
    "ACME/PRINTSRV": "127.0.0.3",
    "LAB/BUILD01": "127.0.0.4",
    "WORKGROUP/ATLAS": "127.0.0.5",
    "WORKGROUP/BOREAS": "127.0.0.6",
}
FILESRV01 = ADDRESSES["ACME/FILESRV01"]
ATLAS = ADDRESSES["WORKGROUP/ATLAS"]
BOREAS = ADDRESSES["WORKGROUP/BOREAS"]
# An address where nothing listens.
SILENT_ADDRESS = "127.0.0.9"

USER = "vkuser"
PASSWORD = "Secr3t-Pa55word"
MUSIC_SHARE = "Bücher & Noten"


def server_folder(root, key):
    domain, _ = key.split("/")
    return Path(root) / PROVIDER / domain / ADDRESSES[key]


def utf16(text):
    return b"\xff\xfe" + text.encode("utf-16-le")


def make_big_files(folder):
    """The demo's files too large to commit: a sparse image of 4 GiB and 10 bytes, a 2 MB log."""
    folder.mkdir(parents=True, exist_ok=True)
    with open(folder / "disk.img", "wb") as image:
        image.truncate(4 * 1024**3 + 10)
    lines = [f"step {i}: copying files to the target disk\n" for i in range(40000)]
    (folder / "install.log").write_text("".join(lines) + "installation finished: SUCCESS\n")


def make_extra_shares(atlas):
    (atlas / "Private" / "payroll").mkdir(parents=True)
    (atlas / "Private" / "payroll" / "salaries 2026.txt").write_text("confidential salaries\n")
    (atlas / "Private" / "diary.txt").write_text("a private note\n")
    (atlas / "Nobody").mkdir()
    (atlas / "Nobody" / "secret.txt").write_text("nobody reads this\n")
    music = atlas / MUSIC_SHARE
    (music / "Übersicht" / "Ébauches").mkdir(parents=True)
    (music / "Übersicht" / "Notenblätter.txt").write_bytes(utf16("Präludium und Fuge in C-Dur\r\n"))
    (music / "Übersicht" / "Ébauches" / "Черновик.txt").write_bytes(utf16("черновик симфонии\r\n"))
    (music / "Übersicht" / "Ébauches" / "naïve 50% mix #2 %41.txt").write_text("a naive mix\n")
    (music / "日本語の歌.txt").write_bytes(utf16("桜の歌\r\n"))
    (atlas / "Scratch").mkdir()


def grant_reading(root):
    """Every folder and file readable by everyone (guests are 'nobody' on the servers)."""
    os.chmod(root, 0o755)
    for folder, folders, files in os.walk(root):
        for name in folders:
            os.chmod(os.path.join(folder, name), 0o755)
        for name in files:
            os.chmod(os.path.join(folder, name), 0o644)


def build_tree(root):
    """Makes the network's folders under root; returns the Samba servers that serve them."""
    root = Path(root)
    servers = []
    for key, address in ADDRESSES.items():
        domain, name = key.split("/")
        target = server_folder(root, key)
        shutil.copytree(DEMO / PROVIDER / domain / name, target, symlinks=True)
        # Samba serves every server's IPC$ itself; it lists as a share and holds no files.
        shutil.rmtree(target / "IPC$", ignore_errors=True)
        (target / "IPC$").mkdir()
    make_big_files(server_folder(root, "ACME/FILESRV01") / "Software" / "images")
    make_extra_shares(server_folder(root, "WORKGROUP/ATLAS"))
    grant_reading(root)
    os.chmod(server_folder(root, "ACME/FILESRV01") / "Finance" / "Payroll", 0)
    os.chmod(server_folder(root, "WORKGROUP/ATLAS") / "Nobody", 0)
    for key, address in ADDRESSES.items():
        folder = server_folder(root, key)
        shares = []
        for share in sorted(p for p in folder.iterdir() if p.is_dir() and p.name != "IPC$"):
            if share.name == "Private":
                shares.append(Share(share.name, share, guest_ok=False, valid_users=[USER]))
            else:
                shares.append(Share(share.name, share))
        servers.append(Server(address, shares))
    return servers


def write_faults(root, guest):
    """The folder network's faults for what the servers refuse: as guest the Private share too."""
    lines = [f"deny \\\\{FILESRV01}\\Finance\\Payroll", f"deny \\\\{ATLAS}\\Nobody"]
    if guest:
        lines.append(f"deny \\\\{ATLAS}\\Private")
    # Samba's IPC$ is no disk share: the folder network leaves it out as the SMB listing does.
    lines += [f"ipc \\\\{address}\\IPC$" for address in ADDRESSES.values()]
    (Path(root) / "network-faults.txt").write_text("\n".join(lines) + "\n")


def restore_permissions(root):
    """Lets the tree be removed again."""
    for folder, folders, _ in os.walk(root):
        for name in folders:
            path = os.path.join(folder, name)
            mode = os.lstat(path).st_mode
            if not stat.S_ISLNK(mode):
                os.chmod(path, 0o755)
