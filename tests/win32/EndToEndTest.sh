#!/usr/bin/env bash
# The real routewright.exe under Wine on the current X display: load a city through the picker, click road
# tiles on the map (one undone with Ctrl+Z and clicked again), type a title, save through the real Save As
# dialog, exit, and check the saved file with CLI, a routewright-cli this machine runs, which also fills the
# game folder.
# usage: EndToEndTest.sh EDITOR.exe HELPER.exe WINE64 CLI     exit 77 = skipped (no display, xdotool or CLI)
set -euo pipefail
editor=$1
helper=$2
wine=$3
cli=${4:-}

if [ ! -x "$cli" ]; then
  echo "SKIPPED: the Windows end-to-end test needs the build machine's routewright-cli (RW_HOST_CLI)"
  exit 77
fi
if [ -z "${DISPLAY:-}" ] || ! command -v xdotool >/dev/null 2>&1; then
  echo "SKIPPED: the Windows end-to-end test needs an X display (scripts/windows-tests starts Xvfb) and xdotool"
  exit 77
fi

work=$(mktemp -d)
editor_pid=""
cleanup() {
  [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  [ -s "$work/editor.log" ] && sed 's/^/editor: /' "$work/editor.log" >&2
  if command -v xwd >/dev/null 2>&1; then
    xwd -root -silent >"${TMPDIR:-/tmp}/routewright-win32-e2e-failure.xwd" 2>/dev/null &&
      echo "screen saved to ${TMPDIR:-/tmp}/routewright-win32-e2e-failure.xwd" >&2
  fi
  exit 1
}
source "$(dirname "$0")/../support/EndToEndFiles.sh"

helper() { "$wine" "$helper" "$@" | tr -d '\r'; }

# Waits up to 20 s for the window titled $1 (and control $2) and sets X, Y, W, H to its screen rectangle.
where() {
  local rect=""
  for _ in $(seq 100); do
    rect=$(helper where "$@" 2>/dev/null || true)
    [ -n "$rect" ] && break
    sleep 0.2
  done
  [ -n "$rect" ] || return 1
  read -r X Y W H <<<"$rect"
}

gone() {
  for _ in $(seq 100); do
    helper where "$1" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  return 1
}

click_at() {
  xdotool mousemove --sync "$1" "$2" click 1
  sleep 0.3
}

# Clicks the middle of control $2 of the window titled $1. Wine without a window manager moves the keyboard
# focus on clicks, so the tests click rather than rely on where the focus is.
click_control() {
  where "$1" "$2" || fail "control $2 of \"$1\" not found"
  click_at $((X + W / 2)) $((Y + H / 2))
}

game=$work/game
"$cli" make-demo "$game" >/dev/null
cp "$editor" "$game/routewright.exe"
# The picker sorts the names and selects the first.
city=$(cd "$game/cities" && ls | LC_ALL=C sort -f | head -n 1)
mapfile -t tiles < <(road_tiles "$game/cities/$city" 20,20 100,30 64,100)
[ ${#tiles[@]} -eq 3 ] || fail "no road tiles found in $city"

(cd "$game" && exec "$wine" routewright.exe) >"$work/editor.log" 2>&1 &
editor_pid=$!
main="Vortane of Metrova Race Course Editor"
where "$main" || fail "the editor window did not appear"

click_control "$main" 1022
where "Select City File" || fail "the city picker did not open"
click_control "Select City File" 1
gone "Select City File" || fail "the city picker did not close"
sleep 0.5

where "$main" 1041 || fail "no map area"
[ "$W $H" = "256 256" ] || fail "the map area is $W x $H, not 256 x 256"
for tile in "${tiles[@]}"; do
  click_at $((X + 2 * ${tile%,*} + 1)) $((Y + 2 * ${tile#*,} + 1))
done
# Ctrl+Z, through the program's own message loop, takes the last one back; it is clicked again.
xdotool key ctrl+z
sleep 0.3
click_at $((X + 2 * ${tiles[2]%,*} + 1)) $((Y + 2 * ${tiles[2]#*,} + 1))

click_control "$main" 1077
xdotool key --delay 50 Home shift+End BackSpace
xdotool type --delay 50 "Night Run"

click_control "$main" 1009
where "*.scn" || fail "the Save As dialog did not open"
sleep 0.5
# The file name field of the system's Save As dialog (edt1; a combo box, cmb13, in newer dialogs), then Save.
if helper where "*.scn" 1152 >/dev/null 2>&1; then name_field=1152; else name_field=1148; fi
click_control "*.scn" "$name_field"
xdotool key --delay 50 End shift+Home BackSpace
xdotool type --delay 50 "e2e_race"
click_control "*.scn" 1
saved=$game/scenarios/movie/e2e_race.scn
for _ in $(seq 100); do [ -f "$saved" ] && break; sleep 0.1; done
[ -f "$saved" ] || fail "the race was not saved to $saved"
gone "*.scn" || fail "the Save As dialog did not close"

# Saved, so Exit asks nothing and ends the program.
click_control "$main" 1109
for _ in $(seq 100); do kill -0 "$editor_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$editor_pid" 2>/dev/null; then fail "the editor did not end after Exit"; fi
editor_pid=""

check_saved_race "$saved" "Night Run" "$city" "${tiles[*]}"
echo "PASSED: saved $city race with checkpoints ${tiles[*]}"
