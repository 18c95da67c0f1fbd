"""./quillon setup's decisions against apt's answers, faked: no network, no root, no real package touched.

Usage: setup_test.py <path of the quillon script>
"""
import os
import subprocess
import sys
import tempfile
import unittest

QUILLON = sys.argv[1]

# Each fake logs its arguments and answers as the test's environment says.
FAKES = {
    "apt-get": """echo "apt-get $*" >> "$FAKE_LOG"
case "$*" in
  update*) echo "E: File has unexpected size. Mirror sync in progress?" >&2; exit "${FAKE_UPDATE_RC:-0}" ;;
  *" -t "*) exit "${FAKE_RELEASE_INSTALL_RC:-0}" ;;
  *) exit "${FAKE_INSTALL_RC:-0}" ;;
esac""",
    "dpkg": """[ "$1" = --print-foreign-architectures ] && { echo "${FAKE_FOREIGN-i386}"; exit 0; }
echo "dpkg $*" >> "$FAKE_LOG\"""",
    "dpkg-query": """case " $FAKE_MISSING " in *" ${@: -1} "*) exit 1 ;; esac; printf 'install ok installed'""",
    "sudo": 'exec "$@"',
}


class SetupTest(unittest.TestCase):
    def setup(self, **answers):
        with tempfile.TemporaryDirectory() as fakes:
            for name, body in FAKES.items():
                with open(os.path.join(fakes, name), "w") as f:
                    f.write("#!/bin/bash\n" + body + "\n")
                os.chmod(os.path.join(fakes, name), 0o755)
            with open(os.path.join(fakes, "os-release"), "w") as f:
                f.write("ID=debian\nVERSION_CODENAME=bookworm\n")
            log = os.path.join(fakes, "log")
            env = dict(os.environ, PATH=fakes + ":" + os.environ["PATH"], FAKE_LOG=log,
                       QUILLON_OS_RELEASE=os.path.join(fakes, "os-release"), FAKE_MISSING="wine32:i386 fonts-wine")
            env.update({key: str(value) for key, value in answers.items()})
            run = subprocess.run(["bash", QUILLON, "setup"], env=env, capture_output=True, text=True, timeout=60)
            calls = open(log).read().splitlines() if os.path.exists(log) else []
        # An install call as "install" or "install -t <codename> <packages>", without the common options.
        return run, [c.replace(" -y -qq --no-install-recommends", "") for c in calls]

    def test_nothing_missing_asks_apt_nothing(self):
        run, calls = self.setup(FAKE_MISSING="")
        self.assertEqual((run.returncode, calls), (0, []))

    def test_a_failing_index_is_passed_over_and_i386_added_first(self):
        run, calls = self.setup(FAKE_UPDATE_RC=100, FAKE_FOREIGN="")
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(calls, ["dpkg --add-architecture i386", "apt-get update -qq",
                                 "apt-get install wine32:i386 fonts-wine"])
        self.assertIn("apt-get update failed", run.stderr)

    def test_an_unresolvable_set_is_installed_in_the_releases_own_versions(self):
        run, calls = self.setup(FAKE_UPDATE_RC=100, FAKE_INSTALL_RC=100)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(calls[-2:], ["apt-get install wine32:i386 fonts-wine",
                                      "apt-get install -t bookworm wine32:i386 fonts-wine"])

    def test_a_failure_ends_with_one_line_saying_what_failed_and_what_to_try(self):
        run, _ = self.setup(FAKE_INSTALL_RC=100, FAKE_RELEASE_INSTALL_RC=100)
        self.assertNotEqual(run.returncode, 0)
        self.assertRegex(run.stderr.strip().splitlines()[-1],
                         r"^quillon setup: could not install wine32:i386 fonts-wine.*; try: .*apt-get update")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
