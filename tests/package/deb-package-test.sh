#!/usr/bin/env bash
# Builds the .deb and source tarball, checks what the .deb holds, runs the validators on it and runs the CLI
# from an unpacked copy. usage: deb-package-test.sh BUILD_DIR VERSION APP_ID
# Exits 77 (skipped) when a packaging tool is not installed.
set -euo pipefail
build=$1 version=$2 app_id=$3

for tool in dpkg-deb dpkg-shlibdeps lintian desktop-file-validate appstreamcli help2man; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed (scripts/install-deps installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Everything is built already: the package target only installs, strips and packs.
if ! cmake --build "$build" --target package >"$work/package.log" 2>&1; then
  cat "$work/package.log" >&2
  fail "the package target failed"
fi
deb=$build/routewright_${version}_$(dpkg --print-architecture).deb
tarball=$build/routewright-$version.tar.gz
[ -f "$deb" ] || fail "no $deb"
[ -f "$tarball" ] || fail "no source tarball $tarball"

# The source tarball holds the sources and none of the build or the repository.
tar -tzf "$tarball" >"$work/sources"
grep -qx "routewright-$version/CMakeLists.txt" "$work/sources" || fail "CMakeLists.txt missing from the tarball"
! grep -E "^routewright-$version/(build[^/]*|\.git)(/|$)" "$work/sources" || fail "build output or .git in the tarball"

# Exactly these files, nothing more.
icons=/usr/share/icons/hicolor
expected=$(sort <<LIST
/usr/bin/routewright
/usr/bin/routewright-cli
/usr/share/applications/$app_id.desktop
/usr/share/metainfo/$app_id.metainfo.xml
$icons/32x32/apps/$app_id.png
$icons/64x64/apps/$app_id.png
$icons/128x128/apps/$app_id.png
$icons/256x256/apps/$app_id.png
/usr/share/man/man1/routewright.1.gz
/usr/share/man/man1/routewright-cli.1.gz
/usr/share/doc/routewright/copyright
/usr/share/doc/routewright/changelog.gz
LIST
)
actual=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort)
if [ "$actual" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$actual") >&2 || true
  fail "the .deb's files differ from the list above (< expected, > found)"
fi
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" || fail "no Qt dependency found by dpkg-shlibdeps"

lintian --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1 || true
cat "$work/lintian"
! grep -q "^E:" "$work/lintian" || fail "lintian reports errors"

root=$work/root
dpkg -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/$app_id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" || fail "appstreamcli validate"
out=$("$root/usr/bin/routewright-cli" --version) || fail "routewright-cli --version exited with $?"
grep -qF "$version" <<<"$out" || fail "routewright-cli --version says '$out', not $version"
echo "package ok: $deb"
