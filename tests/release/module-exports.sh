#!/usr/bin/env bash
# Checks a plugin module's export table: the names the host looks up (getPlugin, deleteMe, exports) and
# every member of the SDK's plugin base class, which the module defines and exports.
# Usage: module-exports.sh MODULE DUMPER   (DUMPER: objdump for a .dll, nm for a .so)
set -euo pipefail

module=$1
dumper=$2
[[ -f $module ]] || { echo "module-exports: $module not found" >&2; exit 1; }

case $module in
    *.dll)
        # objdump -p lists the export directory as "[ n] name" lines after the name pointer table.
        exported=$("$dumper" -p "$module" |
            sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -nE 's/^\s*\[ *[0-9]+\] (.*)$/\1/p')
        ;;
    *)
        exported=$("$dumper" -D --defined-only --format=posix "$module" | cut -d' ' -f1)
        ;;
esac

base=_ZN9BakkesMod6Plugin15BakkesModPlugin
expected=(
    getPlugin deleteMe exports
    "${base}C1Ev" "${base}C2Ev"             # default constructor
    "${base}C1ERKS1_" "${base}C2ERKS1_"     # copy constructor
    "${base}C1EOS1_" "${base}C2EOS1_"       # move constructor
    "${base}D1Ev" "${base}D2Ev"             # destructor
    "${base}aSERKS1_"                       # copy assignment
    "${base}aSEOS1_"                        # move assignment
    _ZTVN9BakkesMod6Plugin15BakkesModPluginE # virtual table
    "${base}6onLoadEv" "${base}8onUnloadEv"
)
missing=0
for name in "${expected[@]}"; do
    if ! grep -qxF -- "$name" <<<"$exported"; then
        echo "module-exports: $module does not export $name" >&2
        missing=1
    fi
done
if ((missing)); then
    echo "module-exports: the module exports:" >&2
    echo "$exported" >&2
    exit 1
fi
echo "module-exports: $module exports all ${#expected[@]} names"
