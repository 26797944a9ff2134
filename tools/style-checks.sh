# shellcheck shell=bash
# The house style's checks that need no build, sourced by ./test after setup-build.sh: each prints
# what it found and returns non-zero when it found something.

# clang-format finds nothing to change in our C++ files (not the fixtures, data the tests read).
bramble_check_format() {
    local files
    mapfile -t files < <(cd "$BRAMBLE_ROOT" && find src tests bench tools -path tests/fixtures -prune \
        -o -type f \( -name '*.cpp' -o -name '*.h' \) -print | sort)
    ((${#files[@]} > 0)) || {
        echo "clang-format: no C++ files found" >&2
        return 1
    }
    if ! (cd "$BRAMBLE_ROOT" && clang-format --dry-run -Werror "${files[@]}"); then
        echo "clang-format: the files above differ from .clang-format (clang-format -i FILE)" >&2
        return 1
    fi
}

# Nothing for shellcheck to find in the shell scripts.
bramble_check_scripts() {
    local scripts
    mapfile -t scripts < <(cd "$BRAMBLE_ROOT" && {
        printf '%s\n' run test .ci/run bench/run
        find .ci bench cmake resources src tests tools -type f -name '*.sh'
    } | sort -u)
    # -x follows the scripts' `source` lines, whose paths are relative to the project folder.
    (cd "$BRAMBLE_ROOT" && shellcheck -x "${scripts[@]}")
}
