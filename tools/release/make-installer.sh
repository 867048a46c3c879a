#!/bin/bash
# Builds the setup program with NSIS.
#   make-installer.sh I686_VELORA_EXE X64_VELORA_EXE OUTPUT_SETUP_EXE [x86-ansi|amd64-unicode]
# x86-ansi, the default, is the shipped setup for Windows 95 to current
# Windows, and is checked to load there like the program. amd64-unicode
# builds the same script as a 64-bit program, for Wine hosts that cannot run
# 32-bit code. The made HTML help is taken from the help folder beside the
# i686 program, each companion vldetect.exe from beside its program.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
exe32=$(readlink -f "$1")
exe64=$(readlink -f "$2")
out=$(readlink -m "$3")
target=${4:-x86-ansi}
for exe in "$exe32" "$exe64"; do
  [ -f "$exe" ] || { echo "no program to package: $exe" >&2; exit 1; }
done
companion32=$(dirname "$exe32")/vldetect.exe
companion64=$(dirname "$exe64")/vldetect.exe
for exe in "$companion32" "$companion64"; do
  [ -f "$exe" ] || { echo "no companion to package: $exe" >&2; exit 1; }
done
help=$(dirname "$exe32")/help
[ -f "$help/index.htm" ] || { echo "no made help pages in $help" >&2; exit 1; }
"$root/tools/install-deps.sh"
mkdir -p "$(dirname "$out")"
makensis -V2 -DEXE32="$exe32" -DEXE64="$exe64" -DCOMPANION32="$companion32" \
  -DCOMPANION64="$companion64" -DHELP="$help" -DOUTFILE="$out" -DTARGET="$target" \
  "$root/installer/velora.nsi"
if [ "$target" = x86-ansi ]; then
  python3 "$here/pe_audit.py" header "$out"
  python3 "$here/pe_audit.py" imports "$out" "$here/win95_nt4_exports.txt"
fi
echo "built $out ($target)"
