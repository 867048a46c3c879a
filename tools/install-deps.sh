#!/bin/bash
# Installs what the build, the tests, the demo, the setup, the benchmarks and
# the fuzzing need from Debian's packages, once; `install-deps.sh chromium`
# adds the browser of the help's screenshot. Wine runs the 32-bit program
# too, which takes Debian's i386 architecture and wine32.
set -e
need=()
add_i386=
have() { command -v "$1" >/dev/null 2>&1; }
pkg_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
want() { pkg_installed "$1" || need+=("$1"); }

have cmake || need+=(cmake)
have g++ || need+=(g++)
have make || need+=(make)
have python3 || need+=(python3)
# The x86-64 program and the test drivers use the posix thread model; the
# i686 program the win32 one, so that it imports nothing Windows 95 lacks.
want g++-mingw-w64-x86-64-posix
want g++-mingw-w64-i686-posix
want g++-mingw-w64-i686-win32
want binutils-mingw-w64-x86-64
want binutils-mingw-w64-i686
want wine
want wine64
dpkg --print-foreign-architectures | grep -qx i386 || add_i386=1
want wine32:i386
# Wine's own fonts: without them the dialog font falls back to a wider one
# and the form no longer fits its window.
want fonts-wine
have Xvfb || need+=(xvfb)
have xauth || need+=(xauth)
have import || need+=(imagemagick)
want nsis
want googletest
want libgtest-dev
want libbenchmark-dev
want clang
want libclang-rt-14-dev
# llvm-profdata and llvm-cov: how much of the program each fuzz corpus reaches
want llvm

# What a script names on the command line: the ones above are always
# installed; chromium only on request.
for extra in "$@"; do
  case $extra in
    nsis|clang|benchmark) ;;
    # the browser that tools/help_screenshot.sh takes the help's picture with
    chromium) have chromium || need+=(chromium) ;;
    *) echo "unknown extra: $extra" >&2; exit 2 ;;
  esac
done

[ ${#need[@]} -eq 0 ] && [ -z "$add_i386" ] && exit 0
if [ "$(id -u)" != 0 ]; then
  echo "Missing packages. Run as root:" >&2
  [ -n "$add_i386" ] && echo "  dpkg --add-architecture i386" >&2
  echo "  apt-get update && apt-get install -y --no-install-recommends ${need[*]}" >&2
  exit 1
fi
echo "Installing: ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
[ -n "$add_i386" ] && dpkg --add-architecture i386
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
