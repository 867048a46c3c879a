#!/bin/bash
# The release: checks that the 32-bit program will load on Windows 95 to
# 2000 and carries its version and manifest, then packs it with the x86-64
# program into the setup.
#   dist.sh I686_VELORA_EXE X64_VELORA_EXE OUTPUT_SETUP_EXE
set -eu
here=$(cd "$(dirname "$0")" && pwd)
exe32=$1 exe64=$2 out=$3
python3 "$here/pe_audit.py" header "$exe32"
python3 "$here/pe_audit.py" imports "$exe32" "$here/win95_nt4_exports.txt"
python3 "$here/pe_audit.py" resources "$exe32" --product "Velora 2001" --company "Norwick Ltd" \
  --version 5.1.0.0 --filename velora.exe
"$here/make-installer.sh" "$exe32" "$exe64" "$out"
