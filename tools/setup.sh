#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, builds, and then either starts the
# application on the simulated bench ("run") or runs every test ("test").
#   tools/setup.sh run    [extra arguments for tunewright]
#   tools/setup.sh test
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-test}
shift || true

packages=(build-essential cmake ninja-build pkg-config googletest libgtest-dev
          qt6-base-dev qt6-serialport-dev libgl-dev clang-format
          clang libclang-rt-14-dev)  # clang and its libFuzzer runtime: tools/fuzz.sh
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
cmake -S . -B "$build" -G Ninja -DTW_WERROR=$werror >/dev/null
ninja -C "$build" -j "$(nproc)"

case "$mode" in
    run)
        exec "$build/app/tunewright" --simulate "$@"
        ;;
    test)
        cd "$build"
        QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
        ;;
    *)
        echo "usage: tools/setup.sh run|test" >&2
        exit 2
        ;;
esac
