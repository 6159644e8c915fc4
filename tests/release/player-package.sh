#!/usr/bin/env bash
# Makes the player's package with CPack into a scratch folder and checks it as a player gets it: the file
# list, every program stripped with its debug information beside the package, the module's export table,
# and hostsim (under Wine for the Windows package) playing a match against the module from the archive.
#
# Usage: player-package.sh BUILD_DIR PACKAGE_NAME MODULE_NAME PROGRAMS OBJDUMP NM HOSTSIM [RUNNER]
#   PROGRAMS  the tools the build has, so the package must carry them, comma separated (names without
#             .exe; empty entries are ignored), e.g. "tallyglass-report,tallyglass-live"
#   RUNNER    how to start HOSTSIM (cmake/wine-run for the Windows build), empty for none
set -euo pipefail

build_dir=$1 package_name=$2 module_name=$3 programs=$4 objdump=$5 nm=$6 hostsim=$7
runner=${8:-}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd -P)

fail() {
    echo "player-package: $*" >&2
    exit 1
}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/tallyglass-package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

cpack --config "$build_dir/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
zip=$scratch/out/$package_name.zip
[[ -f $zip ]] || fail "cpack made no $package_name.zip: $(ls "$scratch/out")"

# --- The file list: exactly what a player needs, at the top of the archive ---
expected=("$module_name" README.txt)
shipped_programs=()
IFS=, read -r -a listed <<<"$programs"
for program in "${listed[@]}"; do
    [[ -n $program ]] || continue
    case $module_name in *.dll) program+=.exe ;; esac
    expected+=("$program")
    shipped_programs+=("$program")
done
actual=$(unzip -Z1 "$zip" | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[[ $actual == "$wanted" ]] || fail "$package_name.zip holds
$actual
instead of
$wanted"

mkdir "$scratch/unpacked"
unzip -q "$zip" -d "$scratch/unpacked"
module=$scratch/unpacked/$module_name
grep -q "tallyglass_box_opacity" "$scratch/unpacked/README.txt" || fail "README.txt does not list the console variables"

# --- Every program stripped, with its debug information in the file it names, beside the package ---
for name in "$module_name" "${shipped_programs[@]}"; do
    sections=$("$objdump" -h "$scratch/unpacked/$name")
    grep -q '\.debug_' <<<"$sections" && fail "$name in the package still holds debug information"
    grep -q '\.gnu_debuglink' <<<"$sections" || fail "$name names no debug file"
    debug_file=$build_dir/$name.debug
    [[ -f $debug_file ]] || fail "no $name.debug beside the package in $build_dir"
    # A build without debug information (plain Release) has none to keep; otherwise it must all be there.
    built_sections=$("$objdump" -h "$build_dir/bin/$name")
    debug_sections=$("$objdump" -h "$debug_file")
    if grep -q '\.debug_info' <<<"$built_sections" && ! grep -q '\.debug_info' <<<"$debug_sections"; then
        fail "$debug_file holds no debug information"
    fi
done

# --- The export table ---
case $module_name in *.dll) dumper=$objdump ;; *) dumper=$nm ;; esac
"$here/module-exports.sh" "$module" "$dumper"

# --- hostsim plays a match against the module from the archive ---
mkdir "$scratch/data"
runner_command=()
[[ -n $runner ]] && runner_command=("$runner")
TZ=UTC "${runner_command[@]}" "$hostsim" run "$here/one-match.scenario" --module "$module" \
    --data "$scratch/data" --trace "$scratch/trace.txt" >"$scratch/console.txt" 2>&1 ||
    { cat "$scratch/console.txt" >&2; fail "hostsim did not play the scenario against the packaged module"; }
grep -q -- '--- > Tallyglass V1.1 Plugin loaded! < ---' "$scratch/console.txt" ||
    fail "the packaged module did not load: $(cat "$scratch/console.txt")"
stats=$scratch/data/76561198000000001_Tallyglass.csv
[[ -f $stats ]] || fail "the packaged module wrote no stats file"
row=$(tr -d '\r' <"$stats" | sed -n 2p)
[[ $row == "1,0,2,1183,1,3,1,Ranked Doubles,486,1,1,4,"* ]] || fail "unexpected stats row: $row"
grep -q '^DrawString.*Ranked Doubles' "$scratch/trace.txt" || fail "the scoreboard showed no box with the match"
echo "player-package: $package_name.zip checked"
