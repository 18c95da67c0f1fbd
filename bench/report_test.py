"""The benchmark report read as a newcomer reads it: each time with its spread, one figure in one place, a
missed target with its reason, the plain fill beside the first show.

Usage: report_test.py <path of report.py>
"""
import importlib.util
import os
import sys
import tempfile
import unittest

module = importlib.util.spec_from_file_location("report", sys.argv[1])
report = importlib.util.module_from_spec(module)
module.loader.exec_module(report)


def timing(key, median, low, high):
    return f"{key}={median} {key}_min={low} {key}_max={high}"


# Two sizes, as the programs print them: the show misses its target at the larger, and the selection's own
# time at both.
RAW = "\n".join(
    line
    for objects, show, walk, rebuild in (("1000", 19.5, 0.26, 0.48), ("100000", 56.0, 23.1, 32.7))
    for line in (
        f"rebuild objects={objects} items=9 {timing('cold_show_ms', 70.0, 60.0, 90.0)} "
        f"{timing('floor_ms', 2436.0, 2400.0, 2500.0)} floor_over_cold_show=34.8 ok=1",
        f"guard objects={objects} calls=7 {timing('guarded_walk_ms', 27.7, 27.0, 29.0)} "
        f"{timing('ns_per_call', 6.2, 3.9, 61.2)} ok=1",
        f"walk objects={objects} calls=7 same_calls=1 {timing('walk_ms', walk, walk, 30.0)} "
        f"{timing('rebuild_ms', rebuild, 24.6, 44.1)} {timing('show_ms', show, show, 70.0)} "
        f"rebuild_over_walk={rebuild / walk:.3f} show_over_walk={show / walk:.3f} ok=1",
        f"selection objects={objects} kind=collapsed_group samples=4 {timing('select_ms', 1.7, 1.5, 2.1)} "
        f"{timing('own_ms', 1.6, 1.4, 2.0)} ok=1",
        f"expanded_rebuild objects={objects} expanded_groups=10 control_items=11 "
        f"{timing('expanded_rebuild_ms', 126.3, 120.0, 140.0)} {timing('expand_by_hand_ms', 11234, 11000, 11500)} "
        "expanded_over_plain=3.8 expanded_over_plain_then_by_hand=0.011 ok=1",
        f"messages objects={objects} panel_items=9 control_items=3 expanded_items=1 inserts=0 expands=0 "
        "queries=1 other=1 per_control_item=0.667 per_panel_item=0.222 ok=1"))
RAW += ("\nselection_whitebox objects=100000 samples=40 " + timing("find_ms", 0.003, 0.002, 0.004) + " "
        + timing("select_in_collapsed_group_ms", 1.92, 1.8, 2.3) + "\n")


class ReportTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with tempfile.TemporaryDirectory() as folder:
            raw, results, data = (os.path.join(folder, name) for name in ("raw", "RESULTS.md", "data"))
            with open(raw, "w") as f:
                f.write(RAW)
            sys.argv = ["report.py", raw, results, data, "--command", "bench/run.sh BUILD_DIR", "--runs", "x"]
            report.main()
            with open(results) as f:
                cls.text = f.read()
            with open(data) as f:
                cls.data = f.read().split()

    def rows(self, first_header):
        """The table under the header line that starts with first_header, as lists of cells."""
        lines = self.text.splitlines()
        start = next(i for i, line in enumerate(lines) if line.startswith("| " + first_header))
        table = []
        for line in lines[start + 2:]:
            if not line.startswith("|"):
                break
            table.append([cell.strip() for cell in line.strip("|").split("|")])
        return table

    def test_the_warm_rebuild_is_one_figure_with_its_spread_wherever_it_is_shown(self):
        walk = {row[0]: row for row in self.rows("objects | walk ms")}
        expanded = {row[0]: row for row in self.rows("objects | groups | control items | warm rebuild ms")}
        self.assertEqual(walk["100000"][2], "32.7 (24.6–44.1)")
        self.assertEqual(expanded["100000"][3], walk["100000"][2])
        self.assertEqual(self.rows("objects | calls | plain walk ms")[1][2], walk["100000"][1])

    def test_the_plain_fill_stands_beside_the_first_show_not_the_warm_rebuild(self):
        first_show = self.rows("objects | panel items | first show ms")
        self.assertEqual(first_show[1][2:], ["70.0 (60.0–90.0)", "2436 (2400–2500)", "34.80x"])
        self.assertIn("first show at least 10x faster than the plain fill at 100000 objects", self.text)

    def test_every_missed_target_says_why_in_its_line(self):
        targets = self.rows("target | figure | verdict")
        missed = [row for row in targets if row[2].startswith("**missed**")]
        self.assertEqual([row[0].split()[0] for row in missed], ["show", "plug-in's"], targets)
        for goal, _, verdict in missed:
            self.assertRegex(verdict, r"^\*\*missed\*\*: \S", goal)
        own = next(row for row in missed if row[0].startswith("plug-in's own time"))
        self.assertIn("1.92 ms in the white box", own[2])
        self.assertNotRegex(self.text, r"before \(\d|half of 2\.8 s")

    def test_the_plot_gets_each_size_with_medians_and_spreads(self):
        self.assertEqual(len(self.data), 2 * 13)
        self.assertEqual(self.data[:4], ["1000", "70.0", "60.0", "90.0"])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
