# shellcheck shell=bash
# The house style's checks that need no build. Sourced by ./test after setup-build.sh.
#
#   bramble_check_format    clang-format finds nothing to change in src/, tests/ and bench/
#   bramble_check_scripts   shellcheck finds nothing in the shell scripts
#
# Both print what they found and return non-zero when they found something.

# The C++ files the checks cover: ours, not the fixtures (data the tests read).
_bramble_cpp_files() {
    (cd "$BRAMBLE_ROOT" &&
        find src tests bench -path tests/fixtures -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print |
        sort)
}

_bramble_shell_scripts() {
    (cd "$BRAMBLE_ROOT" && {
        printf '%s\n' run test .ci/run bench/run
        find .ci bench cmake resources src tests -type f -name '*.sh'
    } | sort -u)
}

bramble_check_format() {
    local files
    mapfile -t files < <(_bramble_cpp_files)
    ((${#files[@]} > 0)) || {
        echo "clang-format: no C++ files found" >&2
        return 1
    }
    if ! (cd "$BRAMBLE_ROOT" && clang-format --dry-run -Werror "${files[@]}"); then
        echo "clang-format: the files above differ from .clang-format (clang-format -i FILE)" >&2
        return 1
    fi
}

bramble_check_scripts() {
    local scripts
    mapfile -t scripts < <(_bramble_shell_scripts)
    # -x follows the scripts' `source` lines, whose paths are relative to the project folder.
    (cd "$BRAMBLE_ROOT" && shellcheck -x "${scripts[@]}")
}
