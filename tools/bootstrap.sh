#!/usr/bin/env bash
# Installs what the build and the tests need from Debian's packages, and only
# what is missing; safe to run again and again.
#   bootstrap.sh build   compilers (MinGW-w64 with the POSIX thread model,
#                        g++, clang), CMake, GoogleTest (also as source, for
#                        the Windows builds), Google Benchmark, pefile,
#                        clang-format
#   bootstrap.sh wine    Wine (64- and 32-bit) and Xvfb, for running the DLL
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

build_packages=(cmake ninja-build g++ make g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
                libgtest-dev googletest python3-pefile clang libclang-rt-14-dev libbenchmark-dev clang-format)
wine_packages=(wine wine64 wine32:i386 xvfb xauth)

missing() {
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${db:Status-Abbrev}' "$pkg" 2>/dev/null | grep -q '^ii' || echo "$pkg"
    done
}

updated=""
install() {
    local need
    need=$(missing "$@")
    [ -n "$need" ] || return 0
    echo "bootstrap: installing" $need
    if [ -z "$updated" ]; then
        $SUDO apt-get update -q >/dev/null
        updated=1
    fi
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $need >/dev/null
}

case "${1:-build}" in
    build)
        install "${build_packages[@]}"
        ;;
    wine)
        install "${build_packages[@]}"
        if ! dpkg --print-foreign-architectures | grep -qx i386; then
            $SUDO dpkg --add-architecture i386
            updated=""
        fi
        install "${wine_packages[@]}"
        ;;
    *)
        echo "usage: $0 build|wine" >&2
        exit 2
        ;;
esac
