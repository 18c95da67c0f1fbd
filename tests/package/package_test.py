"""The release package as a user downloads it: its members, their sums, and a module without debug sections
that exports and imports what the built one does, and that loads on every Windows the host runs on (XP SP3
and later): it imports only what imports.txt lists, nothing of it newer than XP SP3, and says in its header
that it is a GUI module for Windows 5.1.

Usage: package_test.py <zip> <built module> <objdump>
"""
import hashlib
import os
import re
import subprocess
import sys
import tempfile
import unittest
import zipfile

ZIP, BUILT, OBJDUMP = sys.argv[1:4]
IMPORTS_LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "imports.txt")
# Windows releases, oldest first, as the "oldest Windows" column of imports.txt names them; "host" marks the
# host's own functions, which are there wherever the host is.
WINDOWS = ["95", "nt4", "2000", "xp", "xp-sp2", "xp-sp3", "vista", "7", "8", "8.1", "10"]
OLDEST_HOST_WINDOWS = "xp-sp3"
FOLDER = "Quillon-1.1/"
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll", "version.dll",
               "advapi32.dll", "ole32.dll", "shell32.dll"}


def headers(data):
    with tempfile.NamedTemporaryFile(suffix=".tsx") as f:
        f.write(data)
        f.flush()
        return headers_of(f.name)


def headers_of(path):
    out = subprocess.run([OBJDUMP, "-h", "-p", path], capture_output=True, text=True, check=True).stdout
    sections = set(re.findall(r"^\s*\d+\s+(\.\S+)", out, re.M))
    imports = {name.lower() for name in re.findall(r"DLL Name: (\S+)", out)}
    # binutils 2.40 writes "[   0] name", 2.44 "[   0] +base[   1]  0000 name".
    exports = re.findall(r"^\s*\[\s*\d+\](?:\s+\+base\[\s*\d+\]\s+[0-9a-f]{4})?\s+([A-Za-z_]\w*)$", out, re.M)
    return sections, imports, exports


def import_table(path):
    """Every (dll, function) the module imports; a function imported by ordinal only is named ordinal:<n>.
    A member line starts with its slot's address and ends with its name, in binutils 2.40 ("<vma> <hint>
    <name>") and 2.44 ("<vma> <ordinal or <none>> <hint> <name>") alike."""
    out = subprocess.run([OBJDUMP, "-p", path], capture_output=True, text=True, check=True).stdout
    table, dll = set(), None
    for line in out.splitlines():
        named = re.match(r"\s*DLL Name: (\S+)", line)
        fields = line.split()
        if named:
            dll = named.group(1).lower()
        elif dll and line.startswith("\t") and len(fields) >= 2 and re.fullmatch(r"[0-9a-f]+", fields[0]):
            name = fields[-1]
            if name == "<none>" or name.isdigit():
                name = "ordinal:" + next(f for f in fields[1:] if f.isdigit())
            table.add((dll, name))
        elif not line.startswith(("\t", " ")) and line.strip():
            dll = None
    return table


def header_field(path, name):
    out = subprocess.run([OBJDUMP, "-p", path], capture_output=True, text=True, check=True).stdout
    found = re.search(r"^%s\s+(\S+)" % name, out, re.M)
    return found.group(1) if found else None


def listed_imports():
    """imports.txt: one import a line, "<dll> <function> <oldest Windows that has it>"; # starts a comment."""
    listed = {}
    with open(IMPORTS_LIST) as f:
        for line in f:
            fields = line.split("#", 1)[0].split()
            if fields:
                dll, function, oldest = fields
                listed[(dll.lower(), function)] = oldest
    return listed


class PackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with zipfile.ZipFile(ZIP) as package:
            cls.names = package.namelist()
            cls.members = {name.removeprefix(FOLDER): package.read(name) for name in cls.names}
        cls.module = tempfile.NamedTemporaryFile(suffix=".tsx")
        cls.module.write(cls.members.get("Quillon_ts4.tsx", b""))
        cls.module.flush()

    @classmethod
    def tearDownClass(cls):
        cls.module.close()

    def test_unpacks_into_one_folder_named_after_the_release(self):
        self.assertEqual([name for name in self.names if not name.startswith(FOLDER)], [])

    def test_holds_the_module_the_install_note_and_their_sums(self):
        self.assertEqual(set(self.members), {"Quillon_ts4.tsx", "INSTALL.txt", "SHA256SUMS"})
        sums = dict(reversed(line.split("  ", 1)) for line in self.members["SHA256SUMS"].decode().splitlines())
        self.assertEqual(set(sums), {"Quillon_ts4.tsx", "INSTALL.txt"})
        for name, digest in sums.items():
            self.assertEqual(hashlib.sha256(self.members[name]).hexdigest(), digest, name)
        self.assertIn(b"\r\n", self.members["INSTALL.txt"], "a note for Windows users")

    def test_install_note_says_what_the_module_needs_and_how_to_remove_it(self):
        note = self.members["INSTALL.txt"].decode()
        for needed in ("Windows XP SP3", "Windows 11", "interface version 500", "Uninstalling", "SHA256SUMS"):
            self.assertIn(needed, note)

    def test_module_has_no_debug_sections_and_the_same_exports_and_imports(self):
        sections, imports, exports = headers(self.members["Quillon_ts4.tsx"])
        built_sections, built_imports, built_exports = headers_of(BUILT)
        self.assertFalse([s for s in sections if s.startswith(".debug")])
        self.assertIn(".rsrc", sections)
        self.assertEqual(exports, built_exports)
        self.assertEqual(sorted(exports),
                         ["tsxDeactivate", "tsxGetData", "tsxGetVersion", "tsxOnLeftClick", "tsxOnRightClick"])
        self.assertEqual(imports, built_imports)
        self.assertEqual(imports - SYSTEM_DLLS, {"tsxapi.dll"})


    def test_module_imports_only_listed_functions_that_windows_xp_sp3_has(self):
        imported = import_table(self.module.name)
        listed = listed_imports()
        self.assertFalse(sorted(imported - set(listed)),
                         "imports not in imports.txt: add each with the oldest Windows that has it")
        self.assertFalse(sorted(set(listed) - imported), "listed in imports.txt but no longer imported")
        unknown = {k: v for k, v in listed.items() if v not in WINDOWS and v != "host"}
        self.assertFalse(unknown, "Windows releases are named " + ", ".join(WINDOWS))
        ceiling = WINDOWS.index(OLDEST_HOST_WINDOWS)
        newer = sorted(k for k in imported if listed.get(k) in WINDOWS and WINDOWS.index(listed[k]) > ceiling)
        self.assertFalse(newer, "imports that Windows XP SP3 does not have")
        self.assertEqual({k for k, oldest in listed.items() if oldest == "host"},
                         {k for k in imported if k[0] == "tsxapi.dll"}, "only the host's functions are the host's")

    def test_module_header_declares_a_gui_module_for_windows_xp(self):
        fields = {name: header_field(self.module.name, name)
                  for name in ("MajorOSystemVersion", "MinorOSystemVersion", "MajorSubsystemVersion",
                               "MinorSubsystemVersion", "Subsystem")}
        self.assertEqual(fields, {"MajorOSystemVersion": "5", "MinorOSystemVersion": "1",
                                  "MajorSubsystemVersion": "5", "MinorSubsystemVersion": "1",
                                  "Subsystem": "00000002"})


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
