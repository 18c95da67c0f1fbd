#!/usr/bin/env bash
# Renders every picture of the plug-in into BUILD_DIR/glyphs.png, to look at after changing the art.
# Usage: resources/contact-sheet.sh BUILD_DIR   (the build must be done)
set -euo pipefail
build="$(cd "${1:?usage: contact-sheet.sh BUILD_DIR}" && pwd)"
exe="$build/bin/glyph_contact_sheet.exe"
[ -x "$build/wine-run.sh" ] && [ -f "$exe" ] || { echo "contact-sheet: build $build first" >&2; exit 1; }

run=("$build/wine-run.sh" "$exe" "Z:$build/glyphs.bmp")
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}"
else
  "${run[@]}"
fi
convert "$build/glyphs.bmp" "$build/glyphs.png"
echo "$build/glyphs.png"
