"""./quillon setup's decisions against apt's answers, the making of the Debian 13 root for the Wine 10 runs
against debootstrap's, all faked: no network, no root, no real package touched; and the command line around
it: what it refuses, where it builds, how two commands share a build tree.

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
    # A build that takes a moment, and may leave a program running (as Wine leaves its server).
    "cmake": 'echo "cmake $* start" >> "$FAKE_LOG"; sleep "${FAKE_CMAKE_SECONDS:-0}"; echo "cmake end" >> "$FAKE_LOG"\n'
             '[ -n "${FAKE_LINGER:-}" ] && { sleep "$FAKE_LINGER" </dev/null >/dev/null 2>&1 & }; exit 0',
    "id": '[ "$1" = -u ] && [ -n "${FAKE_UID:-}" ] && { echo "$FAKE_UID"; exit 0; }; exec /usr/bin/id "$@"',
    # Wine's 32-bit loader, which runs only where the kernel runs 32-bit programs.
    "wine32-loader": 'exit "${FAKE_I386_RC:-0}"',
    "clang-format": 'echo "X connection to :99 broken (explicit kill or server shutdown)." >&2; echo "kept" >&2',
}


def quillon(*commands, cwd=None, **answers):
    """Runs each command line (a list of words) at once against the fakes; their runs and the calls logged."""
    with tempfile.TemporaryDirectory() as fakes:
        for name, body in FAKES.items():
            with open(os.path.join(fakes, name), "w") as f:
                f.write("#!/bin/bash\n" + body + "\n")
            os.chmod(os.path.join(fakes, name), 0o755)
        with open(os.path.join(fakes, "os-release"), "w") as f:
            f.write("ID=debian\nVERSION_CODENAME=bookworm\n")
        log = os.path.join(fakes, "log")
        env = dict(os.environ, PATH=fakes + ":" + os.environ["PATH"], FAKE_LOG=log,
                   QUILLON_OS_RELEASE=os.path.join(fakes, "os-release"), FAKE_MISSING="wine32:i386 fonts-wine",
                   QUILLON_WINE32_LOADER=os.path.join(fakes, "wine32-loader"))
        env.update({key: str(value) for key, value in answers.items()})
        started = [subprocess.Popen(["bash", QUILLON, *words], env=env, cwd=cwd, stdout=subprocess.PIPE,
                                    stderr=subprocess.PIPE, text=True) for words in commands]
        runs = []
        for process in started:
            out, err = process.communicate(timeout=60)
            runs.append(subprocess.CompletedProcess(process.args, process.returncode, out, err))
        calls = []
        if os.path.exists(log):
            with open(log) as logged:
                calls = logged.read().splitlines()
    return runs, calls


class SetupTest(unittest.TestCase):
    def setup(self, **answers):
        (run,), calls = quillon(["setup"], **answers)
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

    def test_a_kernel_that_runs_no_32_bit_programs_gets_the_64_bit_half_of_wine_and_its_compiler(self):
        run, calls = self.setup(FAKE_MISSING="wine64 g++-mingw-w64-x86-64-posix", FAKE_I386_RC=126)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(calls[-1], "apt-get install wine64 g++-mingw-w64-x86-64-posix")
        self.assertIn("the suites run on a 64-bit build", run.stderr)
        # Where 32-bit programs run, neither is asked for.
        run, calls = self.setup(FAKE_MISSING="wine64 g++-mingw-w64-x86-64-posix")
        self.assertEqual((run.returncode, calls), (0, []))


# What ./quillon test --wine10 calls besides apt: the build tools, debootstrap and the root's own commands.
# debootstrap fails as many times as FAKE_DEBOOTSTRAP_FAILURES says, then makes the stage folder.
WINE10_FAKES = dict(FAKES, **{
    name: 'echo "%s $*" >> "$FAKE_LOG"' % name for name in ("cmake", "chroot", "unshare", "xvfb-run")}, **{
    "id": "echo 0",
    "sleep": ":",
    "clang-format": ":",
    "debootstrap": """echo "debootstrap $*" >> "$FAKE_LOG"
n=$(grep -c '^debootstrap' "$FAKE_LOG")
[ "$n" -le "${FAKE_DEBOOTSTRAP_FAILURES:-0}" ] && exit 1
mkdir -p "${@: -2:1}"
""",
})


class Wine10RootTest(unittest.TestCase):
    def run_wine10(self, runs=1, **answers):
        with tempfile.TemporaryDirectory() as fakes:
            for name, body in WINE10_FAKES.items():
                with open(os.path.join(fakes, name), "w") as f:
                    f.write("#!/bin/bash\n" + body + "\n")
                os.chmod(os.path.join(fakes, name), 0o755)
            log, root = os.path.join(fakes, "log"), os.path.join(fakes, "lib", "trixie")
            env = dict(os.environ, PATH=fakes + ":" + os.environ["PATH"], FAKE_LOG=log, FAKE_MISSING="",
                       QUILLON_BUILD=fakes, QUILLON_WINE10_ROOT=root,
                       QUILLON_WINE32_LOADER=os.path.join(fakes, "wine32-loader"))
            env.update({key: str(value) for key, value in answers.items()})
            for _ in range(runs):
                run = subprocess.run(["bash", QUILLON, "test", "--wine10", "--fast"], env=env, capture_output=True,
                                     text=True, timeout=60)
            calls = [c.split()[0] for c in open(log).read().splitlines()] if os.path.exists(log) else []
            return run, calls, sorted(os.listdir(root)) if os.path.isdir(root) else None

    def test_a_root_that_cannot_be_made_fails_the_run_before_anything_is_built_or_run(self):
        run, calls, root = self.run_wine10(FAKE_DEBOOTSTRAP_FAILURES=3)
        self.assertNotEqual(run.returncode, 0)
        self.assertEqual(calls, ["debootstrap"] * 3, "three tries, then no build, no display, no other Wine")
        self.assertIsNone(root, "no half-made root is kept")
        self.assertRegex(run.stderr.strip().splitlines()[-1],
                         r"^quillon test --wine10: the Debian 13 root could not be made.*nothing ran under Wine 10")

    def test_a_mirror_out_of_step_is_tried_again_and_the_root_is_made_once(self):
        run, calls, root = self.run_wine10(runs=2, FAKE_DEBOOTSTRAP_FAILURES=1)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(calls.count("debootstrap"), 2, "one failed try, one whole root, kept for the next run")
        self.assertTrue([name for name in root if name.startswith(".quillon-wine10-ready")], root)
        self.assertEqual(calls.count("unshare"), 2, "each run goes into the root")
        self.assertNotIn("xvfb-run", calls, "never this machine's Wine")


class CommandLineTest(unittest.TestCase):
    def test_unknown_commands_and_options_are_refused_with_the_usage_line_before_anything_runs(self):
        for words in (["test", "--nosuchflag"], ["setup", "--fast"], ["test", "--fast", "-R", "x"], ["nosuch"],
                      []):
            (run,), calls = quillon(words, FAKE_MISSING="")
            self.assertEqual((run.returncode, calls), (2, []), words)
            self.assertRegex(run.stderr.splitlines()[-1],
                             r"^usage: \./quillon setup \| .*\./quillon test \[--fast\] \[--wine10\] \[-- ARGS\.\.\.\] \|", words)

    def test_a_relative_build_folder_with_blanks_and_brackets_is_taken_from_where_the_command_runs(self):
        with tempfile.TemporaryDirectory() as here:
            (run,), calls = quillon(["build"], cwd=here, FAKE_MISSING="", QUILLON_BUILD="rel (x)")
            self.assertEqual(run.returncode, 0, run.stderr)
            self.assertIn(f"-B {here}/rel (x) ", calls[0])
            self.assertEqual(calls[2], f"cmake --build {here}/rel (x) -j{os.cpu_count()} start")

    def test_two_commands_on_one_build_tree_take_turns(self):
        with tempfile.TemporaryDirectory() as build:
            runs, calls = quillon(["build"], ["build"], FAKE_MISSING="", FAKE_CMAKE_SECONDS=3, QUILLON_BUILD=build)
        self.assertEqual([run.returncode for run in runs], [0, 0])
        self.assertEqual([call.split()[-1] for call in calls], ["start", "end"] * 4)
        self.assertIn("waiting for another ./quillon", runs[0].stderr + runs[1].stderr)

    def test_a_program_the_command_left_running_does_not_hold_the_build_tree(self):
        with tempfile.TemporaryDirectory() as build:
            for _ in range(2):
                (run,), _ = quillon(["build"], FAKE_MISSING="", FAKE_LINGER=20, QUILLON_BUILD=build)
                self.assertEqual(run.returncode, 0, run.stderr)
                self.assertNotIn("waiting", run.stderr)

    def test_the_x_servers_farewell_is_not_printed_but_other_messages_are(self):
        (run,), _ = quillon(["format"], FAKE_MISSING="")
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertNotIn("X connection", run.stderr)
        self.assertIn("kept", run.stderr)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
