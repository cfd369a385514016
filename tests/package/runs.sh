# Shared by the package checks: starting an installed or unpacked orbitdots as its user would.

# Runs the command (the program, or an emulator and the program) on SDL's dummy video driver,
# answering with a start position off the field and 12 dots, and sends SIGTERM once the frame
# loop has said that it moved the red dot back onto the field: by then the program catches
# SIGTERM. Succeeds when it showed the key guide and ended with status 0. Its output goes to
# OUTPUT; the status it ended with is printed.
starts_and_ends_on_sigterm() {
    local output="$1"
    shift
    printf '793 300\nn\n12\n' | SDL_VIDEODRIVER=dummy LC_ALL=C.UTF-8 "$@" >"$output" 2>&1 &
    local pid=$!
    local tries=0
    until grep -q 'x좌표의 값을 0으로 설정합니다.' "$output" || [ "$tries" -ge 600 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
    kill -TERM "$pid"
    local status=0
    wait "$pid" || status=$?
    echo "$status"
    [ "$status" -eq 0 ] && [ "$(head -n 1 "$output")" = "방향키 : 이동" ]
}
