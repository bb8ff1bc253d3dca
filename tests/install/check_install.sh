#!/usr/bin/env bash
# check_install.sh <cmake> <build folder> <project version>
# Installs the package's component under /usr into a scratch DESTDIR and checks what a desktop
# and a terminal see of it.
set -euo pipefail
cmake=$1 build=$2 version=$3

id=io.github.tablitor.tablitor
expected_files=(
  usr/bin/tablitor
  "usr/share/applications/$id.desktop"
  "usr/share/metainfo/$id.metainfo.xml"
  "usr/share/mime/packages/$id.xml"
)
for size in 16 32 48 64 128 256; do
  expected_files+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root "$cmake" --install "$build" --prefix /usr --component Program >/dev/null

# Exactly these files: a test program, a benchmark or a static library has no place in the package.
installed=$(cd "$root" && find . -type f -printf '%P\n' | sort)
wanted=$(printf '%s\n' "${expected_files[@]}" | sort)
if [ "$installed" != "$wanted" ]; then
  fail "installed files differ from the expected ones:"
  diff <(echo "$wanted") <(echo "$installed") >&2 || true
fi
[ -x "$root/usr/bin/tablitor" ] || fail "usr/bin/tablitor is not executable"

desktop=$root/usr/share/applications/$id.desktop
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $id.desktop"
appstreamcli validate --no-net "$metainfo" >&2 || fail "appstreamcli rejects $id.metainfo.xml"

# The menu starts the installed program by its name, with the file a file manager opens in it,
# and shows the installed icon.
grep -qx 'Exec=tablitor %f' "$desktop" || fail "the desktop entry does not start 'tablitor %f'"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry's icon is not '$id'"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
  || fail "the metainfo does not launch $id.desktop"

# .lp files are of the package's own type, which the desktop entry opens: the desktop's MIME
# database, built from the installed type alone, names it for them.
lp_type=text/x-cplex-lp
grep -qx "MimeType=$lp_type;" "$desktop" || fail "the desktop entry does not open $lp_type"
update-mime-database "$root/usr/share/mime" || fail "update-mime-database rejects $id.xml"
grep -qx "50:$lp_type:\*\.lp" "$root/usr/share/mime/globs2" 2>/dev/null \
  || fail "the MIME database does not give *.lp the type $lp_type"

# Each icon file holds a square picture of the size its folder promises.
for file in "$root"/usr/share/icons/hicolor/*/apps/"$id".png; do
  folder=$(basename "$(dirname "$(dirname "$file")")")
  actual=$(python3 -c 'import struct, sys
data = open(sys.argv[1], "rb").read(24)
print("%dx%d" % struct.unpack(">II", data[16:24]) if data[:8] == b"\x89PNG\r\n\x1a\n" else "not a PNG")' "$file")
  [ "$actual" = "$folder" ] || fail "$folder/apps/$id.png is $actual"
done

# A terminal with no display at all: --version and --help answer without a window system.
# A program that wrongly opens its window instead is stopped by the timeout.
run_bare() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$root/usr/bin/tablitor" "$@"; }
if output=$(run_bare --version 2>&1); then
  [ "$output" = "Таблитор $version" ] || fail "--version printed '$output', not 'Таблитор $version'"
else
  fail "--version exited with $? and printed '$output'"
fi
if output=$(run_bare --help 2>&1); then
  grep -q -- '--version' <<<"$output" || fail "--help does not mention --version: '$output'"
else
  fail "--help exited with $? and printed '$output'"
fi
# Qt's own window-system options may come first; they must not hide the question.
output=$(run_bare -platform offscreen --version 2>&1) || fail "-platform offscreen --version exited with $?"
[ "$output" = "Таблитор $version" ] || fail "-platform offscreen --version printed '$output'"

# A mistyped option is refused rather than silently starting the program.
if output=$(QT_QPA_PLATFORM=offscreen timeout 20 "$root/usr/bin/tablitor" --verison 2>&1); then
  fail "an unknown option started the program"
else
  grep -q 'verison' <<<"$output" || fail "the refusal does not name the option: '$output'"
fi

# The newest release in the metainfo, listed first, is the version the program reports.
newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
[ "$newest" = "$version" ] || fail "the metainfo's newest release is '$newest', the program's version $version"

[ "$failures" -eq 0 ] || exit 1
echo "installed files, desktop entry, metainfo, icons and --version/--help are as expected"
