#!/usr/bin/env bash
# Builds the NSIS installer, installs it silently under Wine into a fresh folder, runs the installed CLI and
# uninstalls it silently. usage: nsis-installer-test.sh BUILD_DIR VERSION WINE64
# WINEPREFIX comes from the environment (the windows test preset sets it). Exits 77 (skipped) without makensis.
set -euo pipefail
build=$1 version=$2 wine64=$3

if ! command -v makensis >/dev/null; then
  echo "skipped: makensis is not installed (Debian package nsis; scripts/install-deps installs it)"
  exit 77
fi
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! cmake --build "$build" --target package >"$work/package.log" 2>&1; then
  cat "$work/package.log" >&2
  fail "the package target failed"
fi
installer=$build/routewright-$version-win64.exe
[ -f "$installer" ] || fail "no $installer"

# NSIS reads /D= unquoted to the end of the line, and Wine quotes an argument with a space: the folder has
# none. Wine sees the Unix root as drive Z:.
folder=$work/Routewright
# A message box would wait for a click that never comes: every run is bounded.
timeout 300 "$wine64" "$installer" /S "/D=Z:${folder//\//\\}" || fail "the installer exited with $?"
for file in routewright.exe routewright-cli.exe Uninstall.exe; do
  [ -f "$folder/$file" ] || fail "$file not installed in $folder"
done
shortcut=$(find "${WINEPREFIX:-$HOME/.wine}/drive_c" -path '*Start Menu/Programs/Routewright/Routewright.lnk' | head -n 1)
[ -n "$shortcut" ] || fail "no Start-menu entry for the editor"

out=$(timeout 120 "$wine64" "$folder/routewright-cli.exe" --version) || fail "routewright-cli.exe --version exited with $?"
grep -qF "$version" <<<"$out" || fail "routewright-cli.exe --version says '$out', not $version"

# The uninstaller runs a copy of itself from the temporary folder and returns at once: wait for the folder.
timeout 300 "$wine64" "$folder/Uninstall.exe" /S || fail "the uninstaller exited with $?"
for _ in $(seq 120); do
  [ -e "$folder" ] || break
  sleep 0.5
done
[ ! -e "$folder" ] || fail "the uninstaller left $folder: $(ls -A "$folder")"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start-menu entry"
echo "installer ok: $installer"
