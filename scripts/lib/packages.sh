# Installs the Debian packages a command needs, or says how to.
# Usage: ensure_packages PACKAGE...

missing_packages() {
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            printf '%s\n' "$p"
        fi
    done
}

ensure_packages() {
    local missing
    missing=$(missing_packages "$@" | tr '\n' ' ')
    missing=${missing% }
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing missing packages: $missing"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        # shellcheck disable=SC2086
        apt-get install -y -qq $missing
    else
        echo "Missing packages: $missing" >&2
        echo "Install them with:" >&2
        echo "  sudo apt-get install -y $missing" >&2
        exit 1
    fi
}

# xz unpacks the large test ontologies (scripts/lib/ontologies.sh).
BUILD_PACKAGES="g++ cmake ninja-build bison flex libgtest-dev xz-utils"
TEST_PEER_PACKAGES="picosat cadical konclude"
# The fuzzer, the compiler it instruments with and that compiler's sanitizer
# runtimes (scripts/fuzz.sh).
FUZZ_PACKAGES="afl++ clang libclang-rt-14-dev"
