# Shared by the scripts: where the project is, and installing Debian packages only when missing.

ORBITDOTS_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export ORBITDOTS_ROOT

# Installs those of the named Debian packages that are not installed yet.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        return 0
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}" >&2
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >&2
}

# What building the program needs.
PROGRAM_PACKAGES=(g++ cmake make pkg-config libsdl1.2-dev)

# What the tests need beyond that: GoogleTest, the second SDL 1.2 runtime, and a real X server
# with a way to press keys and read the window back.
TEST_PACKAGES=(googletest libgtest-dev libsdl1.2-compat xvfb xauth xdotool libx11-dev)

build_jobs() { nproc 2>/dev/null || echo 2; }
