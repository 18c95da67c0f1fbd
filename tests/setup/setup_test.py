"""./quillon setup's decisions against apt's answers, faked: no network, no root, no real package is touched.

Usage: setup_test.py <path of the quillon script>
"""
import os
import subprocess
import sys
import tempfile
import textwrap
import unittest

QUILLON = sys.argv[1]

# Each fake logs its arguments and answers as the test's environment says.
FAKES = {
    "apt-get": """
        echo "apt-get $*" >> "$FAKE_LOG"
        case "$*" in
          update*) echo "E: File has unexpected size. Mirror sync in progress?" >&2; exit "${FAKE_UPDATE_RC:-0}" ;;
          *" -t "*) exit "${FAKE_RELEASE_INSTALL_RC:-0}" ;;
          install*) [ "${FAKE_INSTALL_RC:-0}" = 0 ] || echo "E: Unable to correct problems" >&2
                    exit "${FAKE_INSTALL_RC:-0}" ;;
        esac
        """,
    "dpkg": """
        [ "$1" = --print-foreign-architectures ] && { echo "${FAKE_FOREIGN-i386}"; exit 0; }
        echo "dpkg $*" >> "$FAKE_LOG"
        """,
    "dpkg-query": """
        package="${@: -1}"
        case " $FAKE_MISSING " in *" $package "*) exit 1 ;; esac
        printf 'install ok installed'
        """,
    "sudo": 'exec "$@"',
}


class SetupTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        for name, body in FAKES.items():
            path = os.path.join(self.dir.name, name)
            with open(path, "w") as f:
                f.write("#!/bin/bash\n" + textwrap.dedent(body))
            os.chmod(path, 0o755)
        self.release = os.path.join(self.dir.name, "os-release")
        with open(self.release, "w") as f:
            f.write("ID=debian\nVERSION_CODENAME=bookworm\n")
        self.log = os.path.join(self.dir.name, "log")
        open(self.log, "w").close()

    def tearDown(self):
        self.dir.cleanup()

    def setup(self, **answers):
        env = dict(os.environ, PATH=self.dir.name + ":" + os.environ["PATH"], FAKE_LOG=self.log,
                   QUILLON_OS_RELEASE=self.release, FAKE_MISSING="wine32:i386 fonts-wine")
        env.update({key: str(value) for key, value in answers.items()})
        run = subprocess.run(["bash", QUILLON, "setup"], env=env, capture_output=True, text=True, timeout=60)
        with open(self.log) as f:
            calls = [line.split(" -y")[0] if " install " in line else line for line in f.read().splitlines()]
        return run, calls

    def test_nothing_missing_asks_apt_nothing(self):
        run, calls = self.setup(FAKE_MISSING="")
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(calls, [])

    def test_a_failing_index_is_passed_over_when_the_install_succeeds(self):
        run, calls = self.setup(FAKE_UPDATE_RC=100)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(calls, ["apt-get update -qq", "apt-get install"])
        self.assertIn("apt-get update failed", run.stderr)

    def test_an_unresolvable_set_is_installed_in_the_releases_own_versions(self):
        run, calls = self.setup(FAKE_UPDATE_RC=100, FAKE_INSTALL_RC=100)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(calls[-1].split(), ["apt-get", "install"])
        with open(self.log) as f:
            self.assertIn("-t bookworm wine32:i386 fonts-wine", f.read().splitlines()[-1])

    def test_a_failure_ends_with_one_line_saying_what_failed_and_what_to_try(self):
        run, _ = self.setup(FAKE_INSTALL_RC=100, FAKE_RELEASE_INSTALL_RC=100)
        self.assertNotEqual(run.returncode, 0)
        last = run.stderr.strip().splitlines()[-1]
        self.assertRegex(last, r"^quillon setup: could not install wine32:i386 fonts-wine.*; try: .*apt-get update")

    def test_the_i386_architecture_is_added_before_the_index_is_read(self):
        run, calls = self.setup(FAKE_FOREIGN="")
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(calls[:3], ["dpkg --add-architecture i386", "apt-get update -qq", "apt-get install"])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
