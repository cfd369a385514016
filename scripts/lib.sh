# Shared by the scripts: where the project is; the Debian packages each part needs, installed only
# when missing; what Debian release this is and what it has; the Windows SDL cross-built and the
# arm64 SDL unpacked; and a display server started as the tests start theirs.

ORBITDOTS_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export ORBITDOTS_ROOT
source "$ORBITDOTS_ROOT/tests/support/announcement.sh"

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

# Whether the machine's archive has a version of the package to install (reading apt's lists
# anew once when they do not know it, as on a fresh machine). A name that other packages only
# mention is no package.
available() {
    [ -z "$(apt-cache madison "$1" 2>/dev/null)" ] || return 0
    if [ -z "${ORBITDOTS_APT_LISTS_READ:-}" ]; then
        as_root apt-get update -qq
        ORBITDOTS_APT_LISTS_READ=1
        [ -n "$(apt-cache madison "$1" 2>/dev/null)" ]
    else
        return 1
    fi
}

# Prints those of the packages that the machine's archive has, one a line, and says on standard
# error which it has not.
available_of() {
    local package
    for package in "$@"; do
        if available "$package"; then
            echo "$package"
        else
            echo "Debian $(debian_release) has no package $package" >&2
        fi
    done
}

# The Debian release this machine runs: its number, or testing where it has none yet.
debian_release() {
    (
        . /etc/os-release
        echo "${VERSION_ID:-testing}"
    )
}

# What building the program needs: CMake with Ninja, which its presets build with, and git, from
# whose commit a development build takes its version.
PROGRAM_PACKAGES=(g++ cmake ninja-build pkg-config libsdl1.2-dev git)

# What the tests need beyond that: GoogleTest, a real X server with a way to press keys (XTEST)
# and read the window back, a Wayland compositor (sway) with a way to find windows (jq over its
# IPC) and read them back (grim) and what the tests' virtual keyboard is built with, and the
# Korean locales' sources (the tests' fixture makes the locales).
TEST_PACKAGES=(googletest libgtest-dev nlohmann-json3-dev xvfb xauth libx11-dev libxtst-dev sway
    jq grim libwayland-dev libxkbcommon-dev locales)
# GNOME's compositor with Xwayland, for the check that the program opens a native Wayland window
# in it: where SDL 1.2 runs over SDL 3 (testing), which chooses Wayland there.
GNOME_PACKAGES=(mutter dbus-daemon xwayland)

# Whether the release's SDL 2 is sdl2-compat, over SDL 3.
sdl2_over_sdl3() {
    apt-cache show --no-all-versions libsdl2-2.0-0 2>/dev/null | grep -q '^Source: sdl2-compat'
}

# The SDL2-based SDL 1.2 runtime beside the classic one, where the release has both: Debian 12.
# (Debian 13 keeps the name for a package that only links the same library; testing dropped it.)
COMPAT_PACKAGE=libsdl1.2-compat

# What making the Debian package needs: dpkg-shlibdeps and dpkg-buildflags (dpkg-dev).
PACKAGE_PACKAGES=(dpkg-dev)
# What comparing two builds of the release needs to show a difference.
REPRODUCIBLE_PACKAGES=(diffoscope-minimal)

# What checking the package needs: lintian, man to render the manual page, and the validators of
# desktop entries and AppStream metadata.
PACKAGE_TEST_PACKAGES=(lintian man-db desktop-file-utils appstream)

# What building the web page needs: Debian's emscripten, whose JavaScript steps run on node and
# want acorn (node-acorn, which a node from outside Debian finds only through NODE_PATH), and zip.
WEB_PACKAGES=(emscripten node-acorn zip)
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"

# What testing the page needs: Selenium and PIL for the driver, and fonts for the Korean console;
# each browser with what drives it: Chromium through its chromedriver, Firefox through the
# WebDriver BiDi it speaks itself, over a WebSocket, and WebKitGTK's MiniBrowser (in the library's
# package) through WebKitWebDriver, in an Xvfb of its own. (Nothing is fetched at run time.)
BROWSER_TEST_PACKAGES=(python3-selenium python3-pil fonts-noto-cjk)
CHROMIUM_PACKAGES=(chromium chromium-driver)
FIREFOX_PACKAGES=(firefox-esr python3-websocket)
WEBKIT_PACKAGES=(webkit2gtk-driver xvfb)

# Whether the release has an emscripten to build the web page with (every one so far has).
web_supported() {
    available emscripten
}

# Starts a private display server as the tests' fixtures start theirs (tests/support/daemon and
# display-server: x, or wayland [SCALE]), for the benchmark and the screenshot, in FOLDER, and puts
# what its clients need into this shell's environment. `tests/support/daemon stop FOLDER` ends it;
# so does the end of the script that started it.
start_display() {
    local folder="$1"
    shift
    "$ORBITDOTS_ROOT/tests/support/daemon" start "$folder" \
        "$ORBITDOTS_ROOT/tests/support/display-server" "$@"
    use_announcement "$folder"
}

# What the dialogue fuzzer needs: clang, with its libFuzzer and sanitizer runtimes.
FUZZ_PACKAGES=(clang libclang-rt-dev)

# The packages of those of the named browsers of the tests (chromium, firefox, webkit) that the
# release has, one a line; says on standard error which it has not.
browser_test_packages() {
    local browser package missing packages
    for browser in "$@"; do
        case "$browser" in
        chromium) packages=("${CHROMIUM_PACKAGES[@]}") ;;
        firefox) packages=("${FIREFOX_PACKAGES[@]}") ;;
        webkit) packages=("${WEBKIT_PACKAGES[@]}") ;;
        esac
        missing=""
        for package in "${packages[@]}"; do
            available "$package" || missing="$missing $package"
        done
        if [ -z "$missing" ]; then
            printf '%s\n' "${packages[@]}"
        else
            echo "Debian $(debian_release) has no$missing: the page is not tested in $browser" >&2
        fi
    done
}

# Every package that a part of the suite needs, one a line (the one place that says so): whole,
# quick or another-release (scripts/test), or release (scripts/release, which builds the tests
# too). What the release lacks, it says; the tests that need it are left out there.
packages_for() {
    local part="$1"
    printf '%s\n' "${PROGRAM_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    [ "$part" != quick ] || return 0
    printf '%s\n' "${PACKAGE_PACKAGES[@]}"
    ! web_supported || printf '%s\n' "${WEB_PACKAGES[@]}"
    if [ "$part" = release ]; then
        printf '%s\n' "${WINDOWS_PACKAGES[@]}"
        return 0
    fi
    available_of "$COMPAT_PACKAGE"
    ! sdl2_over_sdl3 || printf '%s\n' "${GNOME_PACKAGES[@]}"
    printf '%s\n' "${PACKAGE_TEST_PACKAGES[@]}"
    if web_supported; then
        printf '%s\n' "${BROWSER_TEST_PACKAGES[@]}"
        if [ "$part" = another-release ]; then
            browser_test_packages chromium
        else
            browser_test_packages chromium firefox webkit
        fi
    fi
    [ "$part" = whole ] || return 0
    printf '%s\n' "${WINDOWS_PACKAGES[@]}" "${REPRODUCIBLE_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"
    if wine_available; then
        printf '%s\n' "${WINE_PACKAGES[@]}"
    fi
}

# Newer emscriptens build their system libraries when they first compile (emscripten 6, on
# testing: minutes). A program built as the page is, once, while the packages are installed,
# leaves them built for the suite.
warm_emscripten() {
    web_supported || return 0
    local work
    work=$(mktemp -d)
    echo 'int main() { return 0; }' >"$work/warm.cpp"
    em++ -O3 -sASYNCIFY -sEXIT_RUNTIME "$work/warm.cpp" -o "$work/warm.js" >/dev/null 2>&1 ||
        echo "emscripten could not build a program; the web build will say why" >&2
    rm -rf "$work"
}

# The version that the build gives every artifact (cmake/version.cmake): this commit's.
project_version() {
    cmake -P "$ORBITDOTS_ROOT/cmake/version.cmake"
}

# The sizes of the application icon's PNGs, in pixels (scripts/icons makes them).
ICON_SIZES=(48 64 128 256)

# What cross-building the Windows zip and installer needs: the mingw-w64 compiler (POSIX
# threads), dpkg-source (with xz) to unpack SDL's Debian source package, msitools' wixl, and
# faketime to hold wixl's clock; unzip to check the zip.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix make dpkg-dev xz-utils wixl msitools faketime
    unzip)
# What running the Windows program and its tests needs: 64-bit Wine (which testing lacks at
# times: it waits in unstable).
WINE_PACKAGES=(wine wine64)

# Whether the release has Wine to run the Windows program with.
wine_available() {
    available wine && available wine64
}

# The SDL 1.2 that the Windows program ships with: Debian's source package, this version (apt
# checks its checksums) from the suite that has it, whatever release the machine runs (Debian
# 13 has no classic SDL 1.2), cross-built once into build/windows-sdl/prefix, where the windows
# preset finds it; the prefix notes the version in source-version.
WINDOWS_SDL_VERSION="1.2.15+dfsg2-8"
WINDOWS_SDL_SUITE="bookworm"
WINDOWS_SDL_PREFIX="$ORBITDOTS_ROOT/build/windows-sdl/prefix"

# The URI of the Debian archive that the machine's apt uses, deb.debian.org when none is found.
debian_mirror() {
    local uri
    uri=$(apt-get indextargets --format '$(REPO_URI)' 'Identifier: Packages' 2>/dev/null |
        grep -m 1 -i 'debian/$' || true)
    echo "${uri:-http://deb.debian.org/debian/}"
}

# Fetches SDL's source through a private apt configuration under build/ (a deb-src entry for
# the machine's Debian archive and the suite that has that version), leaving the system's
# sources alone.
fetch_sdl_source() {
    local into="$1"
    local apt="$ORBITDOTS_ROOT/build/windows-sdl/apt"
    mkdir -p "$apt/sources" "$apt/lists/partial" "$apt/cache/archives/partial"
    cat >"$apt/sources/debian-src.sources" <<SOURCES
Types: deb-src
URIs: $(debian_mirror)
Suites: $WINDOWS_SDL_SUITE
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    local options=(-o Dir::Etc::sourcelist=/dev/null -o "Dir::Etc::sourceparts=$apt/sources"
        -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Sandbox::User=root)
    apt-get "${options[@]}" update -qq >&2
    (cd "$into" && apt-get "${options[@]}" source -qq "libsdl1.2=$WINDOWS_SDL_VERSION" >&2)
}

# Cross-builds SDL 1.2 for 64-bit Windows, unless that version is built already: video and the
# joystick (winmm's, for game pads), with the console left to the program
# (--disable-stdio-redirect) and as a DLL only.
ensure_windows_sdl() {
    local work="$ORBITDOTS_ROOT/build/windows-sdl/work"
    # No build path and no time stamp in the DLL, like the program (a build with other flags or
    # of another version is made anew).
    local flags=(CFLAGS="-g -O2 -ffile-prefix-map=$work=." LDFLAGS=-Wl,--no-insert-timestamp)
    local parts=(--disable-static --disable-stdio-redirect --disable-audio --disable-cdrom
        --disable-directx)
    if [ -f "$WINDOWS_SDL_PREFIX/bin/SDL.dll" ] &&
        [ "$(cat "$WINDOWS_SDL_PREFIX/build-flags" 2>/dev/null)" = "${flags[*]} ${parts[*]}" ] &&
        [ "$(cat "$WINDOWS_SDL_PREFIX/source-version" 2>/dev/null)" = "$WINDOWS_SDL_VERSION" ]; then
        return 0
    fi
    echo "Cross-building SDL $WINDOWS_SDL_VERSION for Windows" >&2
    rm -rf "$work"
    mkdir -p "$work/source"
    fetch_sdl_source "$work/source"
    local tree
    tree=$(find "$work/source" -mindepth 1 -maxdepth 1 -type d -name 'libsdl1.2-*')
    (cd "$tree" &&
        ./configure --host=x86_64-w64-mingw32 --prefix="$WINDOWS_SDL_PREFIX.partial" "${flags[@]}" \
            "${parts[@]}" >"$work/configure.log" 2>&1 &&
        make -j"$(nproc)" >"$work/make.log" 2>&1 &&
        make install >"$work/install.log" 2>&1 &&
        install -D -m 644 COPYING "$WINDOWS_SDL_PREFIX.partial/share/doc/SDL/COPYING") || {
        echo "SDL's cross-build failed; logs in $work" >&2
        return 1
    }
    # sdl.pc names the prefix it was configured with.
    sed -i "s|$WINDOWS_SDL_PREFIX.partial|$WINDOWS_SDL_PREFIX|" \
        "$WINDOWS_SDL_PREFIX.partial/lib/pkgconfig/sdl.pc" "$WINDOWS_SDL_PREFIX.partial/bin/sdl-config"
    echo "${flags[*]} ${parts[*]}" >"$WINDOWS_SDL_PREFIX.partial/build-flags"
    echo "$WINDOWS_SDL_VERSION" >"$WINDOWS_SDL_PREFIX.partial/source-version"
    rm -rf "$WINDOWS_SDL_PREFIX"
    mv "$WINDOWS_SDL_PREFIX.partial" "$WINDOWS_SDL_PREFIX"
}

# What cross-building for arm64 and running it here needs: Debian's cross toolchain, qemu's user
# mode, and the arm64 libraries (multiarch) that the program and its tests load: both SDL 1.2
# runtimes the release ships, X11 with XTEST, the C++ runtime.
ARM64_PACKAGES=(crossbuild-essential-arm64 qemu-user libsdl1.2debian:arm64 libx11-dev:arm64
    libxtst-dev:arm64 libstdc++6:arm64)

# Lets apt install packages of another architecture (multiarch), when it does not yet.
ensure_architecture() {
    if ! dpkg --print-foreign-architectures | grep -qx "$1"; then
        echo "Adding the architecture $1" >&2
        as_root dpkg --add-architecture "$1"
        as_root apt-get update -qq
    fi
}

# Where Debian's arm64 SDL 1.2 development package is unpacked. It cannot be installed beside the
# machine's own (its headers are not shared between architectures), so it is unpacked under
# build/ with the runtime package its libSDL.so points into; apt fetches both, by the installed
# runtime's version, and checks their checksums.
ARM64_SDL="$ORBITDOTS_ROOT/build/arm64-sdl"

ensure_arm64() {
    ensure_architecture arm64
    local compat
    mapfile -t compat < <(available_of "$COMPAT_PACKAGE:arm64")
    ensure_packages "${ARM64_PACKAGES[@]}" "${compat[@]}"
    local version
    version=$(dpkg-query -W -f '${Version}' libsdl1.2debian:arm64)
    if [ "$(cat "$ARM64_SDL/version" 2>/dev/null)" = "$version" ]; then
        return 0
    fi
    echo "Unpacking Debian's arm64 SDL 1.2 $version" >&2
    rm -rf "$ARM64_SDL"
    mkdir -p "$ARM64_SDL/debs"
    (cd "$ARM64_SDL/debs" && apt-get -o APT::Sandbox::User=root download -qq \
        "libsdl1.2-dev:arm64=$version" "libsdl1.2debian:arm64=$version" >&2)
    local deb
    for deb in "$ARM64_SDL"/debs/*.deb; do
        dpkg-deb -x "$deb" "$ARM64_SDL"
    done
    # sdl.pc names its folders under /usr, each from the prefix (Debian 12) or in full (13).
    # (On Debian 13 sdl.pc is a link to the file to edit.)
    sed -i -E "s#^(prefix|exec_prefix|libdir|includedir)=/usr#\1=$ARM64_SDL/usr#" \
        "$(realpath "$ARM64_SDL/usr/lib/aarch64-linux-gnu/pkgconfig/sdl.pc")"
    echo "$version" >"$ARM64_SDL/version"
}
