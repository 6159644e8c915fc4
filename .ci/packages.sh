# Sourced by .ci/run and .ci/demo: the Debian 12 packages the project needs, and their installation.

# The only list of system packages the project needs (Debian 12).
PACKAGES=(
    cmake
    ninja-build
    g++
    googletest
    libgtest-dev
    libgmock-dev
    libbenchmark-dev
    g++-mingw-w64-x86-64
    g++-mingw-w64-x86-64-posix
    wine
    wine64
    clang
    libclang-rt-14-dev
    lld
    jq
    ccache
    libstb-dev
    unzip
    fonts-dejavu-core
    fonts-wqy-microhei
    nlohmann-json3-dev
    libjs-dygraphs
    unicode-data
    chromium
)
# What the Linux build and the demo need of them.
DEMO_PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libstb-dev fonts-dejavu-core
    nlohmann-json3-dev libjs-dygraphs unicode-data)

log() { printf '\n=== %s\n' "$*"; }

# install_packages [PACKAGE...]: installs those missing of the given packages (default: all of PACKAGES).
install_packages() {
    local wanted=("$@") missing=() pkg status
    ((${#wanted[@]})) || wanted=("${PACKAGES[@]}")
    for pkg in "${wanted[@]}"; do
        status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$pkg" 2>/dev/null || true)
        [[ $status == ii* ]] || missing+=("$pkg")
    done
    if ((${#missing[@]} == 0)); then
        echo "packages: all ${#wanted[@]} present"
        return
    fi
    log "installing ${missing[*]}"
    local sudo=()
    if ((EUID != 0)); then
        sudo=(sudo)
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -q </dev/null
    "${sudo[@]}" apt-get install -y -q "${missing[@]}" </dev/null
}

