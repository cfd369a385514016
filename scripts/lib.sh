# Shared by the scripts: where the project is, and installing Debian packages only when missing.

ORBITDOTS_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export ORBITDOTS_ROOT

# Runs a command as root: directly when root already, otherwise through sudo.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

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
    echo "Installing: ${missing[*]}" >&2
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >&2
}

# Makes the Korean code-page locales that the console tests run the program in, when missing
# (glibc lists ko_KR.CP949 as ko_KR.cp949). Needs the locales package.
ensure_korean_locales() {
    local charmap
    for charmap in CP949 EUC-KR; do
        local listed="ko_KR.$(echo "$charmap" | tr -d '-' | tr '[:upper:]' '[:lower:]')"
        if ! locale -a | grep -qx "$listed"; then
            echo "Making the locale ko_KR.$charmap" >&2
            as_root localedef -i ko_KR -f "$charmap" "ko_KR.$charmap"
        fi
    done
}

# What building the program needs.
PROGRAM_PACKAGES=(g++ cmake make pkg-config libsdl1.2-dev)

# What the tests need beyond that: GoogleTest, the second SDL 1.2 runtime, a real X server with
# a way to press keys (XTEST) and read the window back, and the Korean locales' sources.
TEST_PACKAGES=(googletest libgtest-dev libsdl1.2-compat xvfb xauth libx11-dev libxtst-dev locales)

# What making the Debian package needs: dpkg-shlibdeps and dpkg-buildflags (dpkg-dev).
PACKAGE_PACKAGES=(dpkg-dev)

# What checking the package needs: lintian, man to render the manual page, and the validators of
# desktop entries and AppStream metadata.
PACKAGE_TEST_PACKAGES=(lintian man-db desktop-file-utils appstream)

build_jobs() { nproc 2>/dev/null || echo 2; }

# The sizes of the application icon's PNGs, in pixels (scripts/icons makes them).
ICON_SIZES=(48 64 128 256)
