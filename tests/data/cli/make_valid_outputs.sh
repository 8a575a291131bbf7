#!/usr/bin/env bash
# Writes valid_outputs.txt: for every line of valid_commands.txt (arguments separated by TABs, @DATA@
# standing for this folder) a "### " line with the arguments, then the program's output. The file was
# made once with the program as it was before the argument checks, which must leave these outputs alone.
#   tests/data/cli/make_valid_outputs.sh build/cli/norlune-cli
set -euo pipefail
cli=$(realpath "$1")
cd "$(dirname "$0")"
here=$(pwd)
while IFS= read -r line; do
    printf '### %s\n' "$line"
    IFS=$'\t' read -r -a args <<<"${line//@DATA@/$here}"
    "$cli" "${args[@]}" 2>/dev/null
done <valid_commands.txt >valid_outputs.txt
