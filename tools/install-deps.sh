#!/bin/bash
# Installs what the build and the tests need from Debian's packages, once.
set -e
need=()
have() { command -v "$1" >/dev/null 2>&1; }
pkg_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
have cmake || need+=(cmake)
have g++ || need+=(g++)
have make || need+=(make)
have x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64-posix)
have i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686-posix)
have x86_64-w64-mingw32-windres || need+=(binutils-mingw-w64-x86-64)
have i686-w64-mingw32-windres || need+=(binutils-mingw-w64-i686)
have wine || need+=(wine)
pkg_installed wine64 || need+=(wine64)
have Xvfb || need+=(xvfb)
have xauth || need+=(xauth)
have python3 || need+=(python3)
have import || need+=(imagemagick)
[ -d /usr/src/googletest ] || need+=(googletest)
[ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev)
for extra in "$@"; do
  case $extra in
    nsis) have makensis || need+=(nsis) ;;
    benchmark) [ -f /usr/include/benchmark/benchmark.h ] || need+=(libbenchmark-dev) ;;
    clang) { have clang && [ -n "$(ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a 2>/dev/null)" ]; } || need+=(clang libclang-rt-14-dev) ;;
  esac
done
[ ${#need[@]} -eq 0 ] && exit 0
if [ "$(id -u)" != 0 ]; then
  echo "Missing packages. Run as root:" >&2
  echo "  apt-get update && apt-get install -y ${need[*]}" >&2
  exit 1
fi
echo "Installing: ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
