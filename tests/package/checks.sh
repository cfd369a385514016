# What the package checks share: each check passes or fails with a line that names it and the
# kind of check the script makes (its first argument here: "package", "zip", ...), and `failed`
# says whether any failed.
check_kind=$1
failed=0
pass() { echo "$check_kind check passed: $1"; }
fail() {
    echo "$check_kind check FAILED: $1" >&2
    failed=1
}
