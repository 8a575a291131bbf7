#!/usr/bin/env bash
# Pictures of the window for review: runs the built program on a virtual X display through a
# search with the default settings, a click on the first listed name and a birth-time choice, and
# saves main_start.png, main_search.png, main_sound.png (the end of that report with its sound
# section and the meanings and sources), main_scores.png (scores in the list, best first), shortlist.png, birth_dialog.png,
# main_bazi.png and help.png.
#   tools/screenshot.sh BUILD_DIR [OUTPUT_DIR]
set -euo pipefail
build=${1:?usage: tools/screenshot.sh BUILD_DIR [OUTPUT_DIR]}
out=${2:-$build/screenshots}
program="$build/ui/norlune"
if [ ! -x "$program" ]; then
    echo "window program not built: $program" >&2
    exit 1
fi
mkdir -p "$out"
out=$(cd "$out" && pwd)
xvfb-run -a -s "-screen 0 1280x800x24" "$program" --screenshot "$out"
ls -1 "$out"/*.png
