# Sourced by tools/run and tools/test: installs the Debian/Ubuntu packages
# Quiltra needs to build and test, when any is missing.
quiltra_install_deps() {
    local wanted=(g++ cmake ninja-build qt6-base-dev qt6-l10n-tools qt6-tools-dev libgl-dev zlib1g-dev libarchive-dev libturbojpeg0-dev
                  qt6-image-formats-plugins fontconfig fonts-dejavu-core fonts-liberation2
                  unzip zip xvfb xauth "$@")
    # Elsewhere, or when asked not to, only say what the build needs.
    if [ "${QUILTRA_NO_DEPS:-0}" = 1 ] || ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
        echo "Not installing packages. The build needs a C++20 compiler, CMake 3.22+, Ninja, Qt 6 (Core, Gui, Widgets, Test)"
        echo "with its Linguist tools, zlib, libarchive and TurboJPEG; on Debian or Ubuntu: ${wanted[*]}"
        return 0
    fi
    local missing=()
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    # Another install running holds the package lock: wait for it rather than fail.
    local wait=(-o DPkg::Lock::Timeout=600)
    $sudo apt-get "${wait[@]}" update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get "${wait[@]}" install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures and builds into build/ (or $QUILTRA_BUILD_DIR); extra arguments go to CMake.
quiltra_build() {
    local dir="${QUILTRA_BUILD_DIR:-build}"
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
    cmake --build "$dir" --parallel "$(nproc)"
}
