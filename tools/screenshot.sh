#!/usr/bin/env bash
# Pictures of the window for review: runs the built program on a virtual X display of 1600×1000
# through a search with the default settings (which ends on the first listed name and its
# report), the shortlist, the 避讳用字, 喜用五行 and 双胞胎起名 dialogs, a birth-time choice, the BaZi option after the run, the window maximised,
# the save dialog and the completion message, and saves main_start.png, main_search.png,
# report_summary.png, main_sound.png (the end of a report: sound, meanings and sources), main_scores.png, shortlist.png, birth_dialog.png,
# main_bazi.png, main_rerun.png, report_summary_bazi.png, main_maximised.png, file_dialog.png,
# message_box.png, help.png, options_menu.png and script_menu.png (选项 > 界面文字), and the family dialogs of the 选项 menu avoidDialog.png and
# favourableDialog.png and twinsDialog.png.
# The same pictures at 200% scaling (QT_SCALE_FACTOR=2) follow as scaled_*.png.
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
# A fresh settings folder: no size or "以后不再提示" of the developer's own use.
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
XDG_CONFIG_HOME="$config" xvfb-run -a -s "-screen 0 1600x1000x24" "$program" --screenshot "$out"
XDG_CONFIG_HOME="$config" QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 3200x2000x24" \
    "$program" --screenshot "$out" scaled_
ls -1 "$out"/*.png
