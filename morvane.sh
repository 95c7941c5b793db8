#!/usr/bin/env bash
# Morvane's one entry point: installs what is missing, builds, and runs the program, the tests
# or the benchmarks.   ./morvane.sh run | test | bench | build
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
build="${MORVANE_BUILD_DIR:-$root/build}"

packages=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6opengl6-dev
    qt6-webengine-dev qt6-webengine-dev-tools qt6-multimedia-dev
    libgl-dev fonts-noto-cjk xvfb xauth
)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

configure_and_build() {
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    if [ ! -f "$build/build.ninja" ]; then
        cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
    fi
    cmake --build "$build" "$@"
}

web_engine_env() {
    # The web engine refuses to run as root unless its sandbox is off.
    [ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
    export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"
}

cmd="${1:-run}"
shift || true
case "$cmd" in
run)
    install_missing
    configure_and_build
    web_engine_env
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
        echo "No display found; starting under xvfb-run." >&2
        exec xvfb-run -a "$build/stage/Morvane" "$@"
    fi
    exec "$build/stage/Morvane" "$@"
    ;;
test)
    install_missing
    configure_and_build
    web_engine_env
    export QT_QPA_PLATFORM=offscreen
    ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@"
    ;;
bench)
    install_missing
    configure_and_build --target benchmarks
    for b in "$build"/bench/bench_*; do
        [ -x "$b" ] || continue
        echo "== $(basename "$b")"
        QT_QPA_PLATFORM=offscreen "$b" "$@"
    done
    ;;
build)
    install_missing
    configure_and_build "$@"
    ;;
*)
    echo "usage: $0 run|test|bench|build" >&2
    exit 2
    ;;
esac
