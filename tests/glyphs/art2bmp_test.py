"""The art tool must turn mistakes in a picture into a build error, and write bitmaps Windows can read."""
import struct
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, sys.argv.pop(1) if len(sys.argv) > 1 else str(Path(__file__).parents[2] / "resources"))
import art2bmp  # noqa: E402

LIST_HEAD = "list Tool 3x2 capacity 2\npalette\n.  transparent\nK  #000000  black\nR  #FF0000  red\n"


class ArtFiles(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)

    def write(self, name, text):
        path = Path(self.dir.name) / name
        path.write_text(text)
        return path

    def assertRejected(self, text, fragment):
        with self.assertRaises(art2bmp.ArtError) as caught:
            art2bmp.load(self.write("bad.art", text))
        self.assertIn(fragment, str(caught.exception))

    def test_rejects_pictures_that_do_not_fit_or_use_unknown_colours(self):
        self.assertRejected(LIST_HEAD + "image 0 a\nKKKK\n...\n", "4 wide, not 3")
        self.assertRejected(LIST_HEAD + "image 0 a\nKKK\n", "0 wide, not 3")
        self.assertRejected(LIST_HEAD + "image 0 a\nKXK\n...\n", "'X' not in the palette")

    def test_rejects_gaps_in_numbering_and_overfull_lists(self):
        self.assertRejected(LIST_HEAD + "image 1 a\nKKK\n...\n", "numbered 0, 1, 2")
        three = "".join(f"image {i} a\nKKK\n...\n" for i in range(3))
        self.assertRejected(LIST_HEAD + three, "exceed the capacity 2")

    def test_key_colour_must_sit_in_the_bottom_left_corner(self):
        head = "list T 2x2 capacity 1\nkey #FF00FF\npalette\nM  #FF00FF\nK  #000000\n"
        self.assertRejected(head + "image 0 a\nMM\nKM\n", "not the key colour")
        art = art2bmp.load(self.write("ok.art", head + "image 0 a\nKK\nMK\n"))
        self.assertEqual(art.images[0][2][1][0], (255, 0, 255))

    def test_a_reference_yields_the_other_files_picture(self):
        self.write("other.art", LIST_HEAD + "image 0 a\nKRK\n...\n")
        art = art2bmp.load(self.write("ref.art", LIST_HEAD + "image 0 b = other.art 0\n"))
        self.assertEqual(art.images[0][2][0][1], (255, 0, 0))
        self.assertRejected(LIST_HEAD + "image 0 b = other.art 5\n", "no picture 5")

    def test_bitmaps_are_bottom_up_with_the_depth_asked_for(self):
        for depth, palette_bytes in ((24, 0), (8, 1024)):
            text = f"bitmap 100 3x2 depth {depth}\npalette\nK  #000000\nR  #FF0000\nimage 0 a\nRKK\nKKK\n"
            data = art2bmp.bmp_bytes(art2bmp.load(self.write(f"b{depth}.art", text)))
            magic, size, _, _, offset = struct.unpack_from("<2sIHHI", data)
            width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
            self.assertEqual((magic, size, width, height, bits), (b"BM", len(data), 3, 2, depth))
            self.assertEqual(offset, 54 + palette_bytes)
            top_row = data[offset + (12 if depth == 24 else 4):]
            first = top_row[:3] if depth == 24 else data[54 + 4 * top_row[0]: 54 + 4 * top_row[0] + 3]
            self.assertEqual(first, b"\x00\x00\xff", "top-left pixel is red, stored blue-green-red")

    def test_bitmaps_refuse_transparency(self):
        self.assertRejected("bitmap 100 1x1 depth 24\npalette\n.  transparent\nimage 0 a\n.\n", "no transparent")


if __name__ == "__main__":
    unittest.main()
