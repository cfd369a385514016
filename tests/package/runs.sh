# Shared by the package checks: starting an installed or unpacked orbitdots as its user would.

# Whether the process has a handler of its own for SIGTERM (bit 14 of SigCgt): the program
# installs it as its window opens.
catches_sigterm() {
    local mask
    mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$1/status" 2>/dev/null) || return 1
    [ -n "$mask" ] && (((0x$mask >> 14) & 1))
}

# Runs PROGRAM on SDL's dummy video driver with answers for 12 dots, sends SIGTERM once its
# window is open, and succeeds when it showed the key guide and ended with status 0. Its output
# goes to OUTPUT; the status it ended with is printed.
starts_and_ends_on_sigterm() {
    local program="$1" output="$2"
    printf '400 300\nn\n12\n' | SDL_VIDEODRIVER=dummy LC_ALL=C.UTF-8 "$program" >"$output" 2>&1 &
    local pid=$!
    local tries=0
    until catches_sigterm "$pid" || [ "$tries" -ge 300 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
    kill -TERM "$pid"
    local status=0
    wait "$pid" || status=$?
    echo "$status"
    [ "$status" -eq 0 ] && [ "$(head -n 1 "$output")" = "방향키 : 이동" ]
}
