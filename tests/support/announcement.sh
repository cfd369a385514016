# Sourced: reads what a server of the tests' announced before its line "ready" (tests/support/
# daemon keeps it in FOLDER/output) into this shell's environment: "NAME=value" sets a variable,
# "NAME" removes one.
use_announcement() {
    local line
    while read -r line; do
        case "$line" in
        ready) return 0 ;;
        *=*) export "${line?}" ;;
        *) unset "$line" ;;
        esac
    done <"$1/output"
    echo "nothing announced in $1/output" >&2
    return 1
}
