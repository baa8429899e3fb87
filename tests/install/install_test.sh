#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that what a user gets
# works there: the report tool runs on an installed example, the desktop entry
# and the AppStream data name installed programs and icon, the file type of
# profiles is declared and opens with the analyzer, the manual pages,
# the copyright file and the changelog say what their sources say.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR [CMAKE]
#        install_test.sh --installed PREFIX SOURCE_DIR
# The second form checks a tree installed otherwise, such as the Debian
# package unpacked (PREFIX is then its usr/).
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if [[ $1 == --installed ]]; then
    prefix=$2
    source=$3
else
    build=$1
    source=$2
    cmake=${3:-cmake}
    prefix=$scratch/prefix
    "$cmake" --install "$build" --prefix "$prefix" >/dev/null
fi

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

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

# The desktop entry hands the opened file to the program, and the file types
# it names are those of the installed MIME package: profiles, by a glob that
# the database built from the package (as the system builds it) holds.
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[[ $exec_line == "$exec_name %f" ]] || fail "desktop entry runs \"$exec_line\", not \"$exec_name %f\""
mime_package=$prefix/share/mime/packages/torvane-analyzer.xml
[[ -f $mime_package ]] || fail "MIME package not installed"
mime_db=$scratch/mime
mkdir -p "$mime_db/packages"
cp "$mime_package" "$mime_db/packages/"
update-mime-database "$mime_db" >/dev/null 2>&1 || fail "update-mime-database refuses $mime_package"
grep -qx '50:application/x-torvane-profile:\*\.torvane\*' "$mime_db/globs2" ||
    fail "the MIME package gives no glob *.torvane* to application/x-torvane-profile"
grep -q '<comment>..*</comment>' "$mime_db/application/x-torvane-profile.xml" ||
    fail "the profile type has no comment"
entry_types=$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' ')
[[ -n $entry_types ]] || fail "desktop entry names no file type"
for type in $entry_types; do
    grep -qx "$type" "$mime_db/types" || fail "desktop entry names $type, which no installed package declares"
done

# Every manual page of the sources, compressed, as written.
for page in "$source"/packaging/*.1; do
    installed=$prefix/share/man/man1/$(basename "$page").gz
    [[ -f $installed ]] || fail "manual page $installed not installed"
    zcat "$installed" | cmp -s - "$page" || fail "$installed is not $page"
done

# AppStream data: the programs and file types it says the package provides
# and the desktop entry it launches are installed.
metainfo=("$prefix"/share/metainfo/*.metainfo.xml)
[[ -f ${metainfo[0]} ]] || fail "no AppStream data installed"
provided=$(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "${metainfo[0]}")
[[ -n $provided ]] || fail "the AppStream data names no program"
for program in $provided; do
    [[ -x $prefix/bin/$program ]] || fail "the AppStream data names $program, which is not installed"
done
for type in $(sed -n 's:.*<mediatype>\(.*\)</mediatype>.*:\1:p' "${metainfo[0]}"); do
    grep -qx "$type" "$mime_db/types" || fail "the AppStream data names $type, which no installed package declares"
done
launched=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "${metainfo[0]}")
[[ -f $prefix/share/applications/$launched ]] ||
    fail "the AppStream data launches \"$launched\", which is not installed"

doc=$prefix/share/doc/torvane-analyzer
# The copyright file's licence paragraph holds LICENSE's terms word for word,
# and its notice is LICENSE's.
copyright=$doc/copyright
[[ -f $copyright ]] || fail "copyright file not installed"
head -1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "copyright file is not in the machine-readable format"
licence=$(grep -n '^License: BSD-3-Clause$' "$copyright" | tail -1 | cut -d: -f1)
[[ -n $licence ]] || fail "copyright file has no BSD-3-Clause licence paragraph"
diff <(tail -n +"$((licence + 1))" "$copyright" | sed 's/^ //; s/^\.$//') \
    <(sed -n '/^Redistribution/,$p' "$source/LICENSE") >/dev/null ||
    fail "the licence in $copyright differs from LICENSE"
notice=$(sed -n 's/^Copyright (c) \([^,]*\), \(.*\)/\1 \2/p' "$source/LICENSE")
grep -qxF "Copyright: $notice" "$copyright" || fail "copyright file lacks \"Copyright: $notice\""

# The changelog is a Debian changelog of CHANGELOG.md's newest entry, same
# version, same words.
changelog=$doc/changelog.gz
[[ -f $changelog ]] || fail "changelog.gz not installed"
newest=$(sed -n 's/^## \([^ ]*\) .*/\1/p' "$source/CHANGELOG.md" | head -1)
version=$(zcat "$changelog" | dpkg-parsechangelog -l - -S Version)
[[ $version == "$newest" ]] || fail "changelog.gz is of version \"$version\", CHANGELOG.md's newest \"$newest\""
words() { sed 's/^ *[-*] //' | tr -s '[:space:]' '\n' | sed '/^$/d'; }
diff <(awk '/^## /{n++; next} n == 1' "$source/CHANGELOG.md" | words) \
    <(zcat "$changelog" | dpkg-parsechangelog -l - -S Changes | sed -n '/^ /p' | grep -vx ' \.' | words) ||
    fail "changelog.gz does not say what CHANGELOG.md's newest entry says"

# The installed program on the installed example, from a directory of its own
# so nothing of the build tree is at hand.
example_dir=$doc/examples
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
echo "installed into $prefix: programs, desktop entry, file type, AppStream data, icon, manual pages," \
    "copyright, changelog and examples work"
