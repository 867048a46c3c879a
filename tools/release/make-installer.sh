#!/bin/bash
# Builds the setup program with NSIS.
#   make-installer.sh VELORA_EXE OUTPUT_SETUP_EXE [x86-ansi|amd64-unicode]
# x86-ansi, the default, is the shipped setup for Windows 95 to current
# Windows, and is checked to load there like the program; amd64-unicode
# packages the x86-64 build for a 64-bit Wine prefix.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
exe=$(readlink -f "$1")
out=$(readlink -m "$2")
target=${3:-x86-ansi}
[ -f "$exe" ] || { echo "no program to package: $1" >&2; exit 1; }
"$root/tools/install-deps.sh" nsis
mkdir -p "$(dirname "$out")"
makensis -V2 -DEXE="$exe" -DOUTFILE="$out" -DTARGET="$target" "$root/installer/velora.nsi"
if [ "$target" = x86-ansi ]; then
  python3 "$here/pe_audit.py" header "$out"
  python3 "$here/pe_audit.py" imports "$out" "$here/win95_nt4_exports.txt"
fi
echo "built $out ($target)"
