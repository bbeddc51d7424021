#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, builds, and then either starts the
# application on the simulated bench ("run"), runs every test ("test") or builds the Debian
# package ("package", into the build folder).
#   tools/setup.sh run    [extra arguments for tunewright]
#   tools/setup.sh test
#   tools/setup.sh package
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-test}
shift || true

packages=(build-essential cmake ninja-build pkg-config googletest libgtest-dev
          qt6-base-dev qt6-serialport-dev libgl-dev clang-format)
# The package's library dependencies are found by dpkg-shlibdeps.
[ "$mode" = package ] && packages+=(dpkg-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build=${TW_BUILD_DIR:-build}
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
if [ "$mode" != package ]; then
    cmake -S . -B "$build" -G Ninja -DTW_WERROR=$werror >/dev/null
    ninja -C "$build" -j "$(nproc)"
fi

case "$mode" in
    run)
        exec "$build/app/tunewright" --simulate "$@"
        ;;
    test)
        cd "$build"
        QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
        ;;
    package)
        # A release build of the programs alone; the tests are not part of the package.
        pkg=${TW_PACKAGE_DIR:-$build-package}
        cmake -S . -B "$pkg" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTW_BUILD_TESTS=OFF \
              -DTW_WERROR=$werror >/dev/null
        ninja -C "$pkg" -j "$(nproc)"
        (cd "$pkg" && cpack -G DEB)
        ls "$pkg"/*.deb
        ;;
    *)
        echo "usage: tools/setup.sh run|test|package" >&2
        exit 2
        ;;
esac
