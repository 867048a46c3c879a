#!/bin/bash
# The release: checks that the 32-bit program will load on Windows 95 to
# 2000 and carries its version and manifest, then packs it into the setup.
#   dist.sh VELORA_EXE OUTPUT_SETUP_EXE
set -eu
here=$(cd "$(dirname "$0")" && pwd)
exe=$1 out=$2
python3 "$here/pe_audit.py" header "$exe"
python3 "$here/pe_audit.py" imports "$exe" "$here/win95_nt4_exports.txt"
python3 "$here/pe_audit.py" resources "$exe" --product "Velora 2001" --company "Norwick Ltd" \
  --version 5.1.0.0 --filename velora.exe
"$here/make-installer.sh" "$exe" "$out"
