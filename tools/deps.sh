# Sourced by tools/run and tools/test: installs the Debian/Ubuntu packages
# Quiltra needs to build and test, when any is missing.
quiltra_install_deps() {
    local wanted=(g++ cmake ninja-build qt6-base-dev libgl-dev zlib1g-dev
                  qt6-image-formats-plugins fontconfig fonts-dejavu-core fonts-liberation2
                  unzip zip xvfb xauth "$@")
    local missing=()
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures and builds into build/ (or $QUILTRA_BUILD_DIR).
quiltra_build() {
    local dir="${QUILTRA_BUILD_DIR:-build}"
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release
    cmake --build "$dir" --parallel "$(nproc)"
}
