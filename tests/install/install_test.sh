#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that what a user gets
# works there: the report tool runs on an installed example, the desktop entry
# names an installed program and icon, and the manual page is in place.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR [CMAKE]
set -euo pipefail
build=$1
cmake=${3:-cmake}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

for program in torvane-analyzer torvane-report; do
    [[ -x $prefix/bin/$program ]] || fail "bin/$program not installed"
done
desktop=$prefix/share/applications/torvane-analyzer.desktop
[[ -f $desktop ]] || fail "desktop entry not installed"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[[ -x $prefix/bin/$exec_name ]] || fail "desktop entry runs \"$exec_name\", which is not installed"
[[ -f $prefix/share/icons/hicolor/scalable/apps/$icon_name.svg ]] ||
    fail "desktop entry's icon \"$icon_name\" not installed"
grep -q '^\.TH TORVANE-REPORT 1' "$prefix/share/man/man1/torvane-report.1" ||
    fail "manual page not installed"

# The installed program on the installed example, from a directory of its own
# so nothing of the build tree is at hand.
example_dir=$prefix/share/doc/torvane-analyzer/examples
[[ -f $example_dir/J0437-4715.torvane ]] || fail "examples not installed"
cd "$example_dir"
set +e
output=$("$prefix/bin/torvane-report" --locale en_US J0437-4715.torvane 2>&1)
status=$?
set -e
[[ $status -eq 0 ]] || fail "installed torvane-report exited with $status: $output"
for line in \
    "File name: J0437-4715.torvane" \
    "File size: 4966" \
    "Bin table: 256 lines" \
    "Max bin value: 2,414.163" \
    "Max @ Bin #: 101" \
    "S/N linear: 72.65" \
    "S/N dB: 18.61" \
    "S/N linear (ZELMAR values): 6.53" \
    "Pulsar (file) name:  J0437-4715"; do
    grep -qxF -- "$line" <<<"$output" || fail "missing \"$line\" in:
$output"
done
echo "installed into $prefix: programs, desktop entry, icon, manual page and examples work"
