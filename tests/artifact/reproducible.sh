#!/usr/bin/env bash
# Builds Korzel.dll twice more, in two fresh folders and from two source
# paths, and checks that both builds are byte-identical to the DLL under test.
#   reproducible.sh <source dir> <toolchain file> <dll under test> <scratch dir>
set -euo pipefail
src=$1 toolchain=$2 tested=$3 scratch=$4

rm -rf "$scratch"
mkdir -p "$scratch/source-copy"
# The second build comes from a copy of the sources at another path.
tar -C "$src" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$scratch/source-copy" -xf -

build() {
    cmake -S "$1" -B "$2" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
    cmake --build "$2" --target Korzel >/dev/null
}
build "$src" "$scratch/first-build"
build "$scratch/source-copy" "$scratch/second/build-elsewhere"

status=0
for other in "$scratch/first-build/plugin/Korzel.dll" "$scratch/second/build-elsewhere/plugin/Korzel.dll"; do
    if cmp "$tested" "$other"; then
        echo "identical: $other"
    else
        echo "DIFFERS: $other"
        status=1
    fi
done
sha256sum "$tested"
exit $status
