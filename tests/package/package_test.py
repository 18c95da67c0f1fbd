"""The release package as a user downloads it: its members, their sums, and a module without debug sections
that exports and imports what the built one does.

Usage: package_test.py <zip> <built module> <objdump>
"""
import hashlib
import re
import subprocess
import sys
import tempfile
import unittest
import zipfile

ZIP, BUILT, OBJDUMP = sys.argv[1:4]
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
    exports = re.findall(r"^\s*\[\s*\d+\]\s+([A-Za-z_]\w*)$", out, re.M)
    return sections, imports, exports


class PackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with zipfile.ZipFile(ZIP) as package:
            cls.names = package.namelist()
            cls.members = {name.removeprefix(FOLDER): package.read(name) for name in cls.names}

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


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
