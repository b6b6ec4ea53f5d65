#!/usr/bin/env bash
# The real editor from a demo game folder under Xvfb with the real X platform plugin: load a city through
# the picker, click road tiles on the map, type a title, save through the Save As dialog, exit, and check
# the saved file. Along the way: F1 for the About box, and Enter Vortane starting a stand-in game.
# usage: EndToEndTest.sh EDITOR HELPER CLI     exit 77 = skipped (no Xvfb, xdotool or CLI)
set -euo pipefail
editor=$1
helper=$2
cli=${3:-}

if [ ! -x "$cli" ]; then
  echo "SKIPPED: the end-to-end test fills its game folder with routewright-cli, which is not built."
  exit 77
fi
for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed; the end-to-end test needs Xvfb and xdotool (scripts/install-deps)."
    exit 77
  fi
done

work=$(mktemp -d)
xvfb_pid=""
editor_pid=""
cleanup() {
  [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  [ -s "$work/editor.log" ] && sed 's/^/editor: /' "$work/editor.log" >&2
  [ -s "$work/xvfb.log" ] && sed 's/^/xvfb: /' "$work/xvfb.log" >&2
  if [ -n "${DISPLAY:-}" ] && command -v import >/dev/null 2>&1; then
    import -window root "${TMPDIR:-/tmp}/routewright-e2e-failure.png" 2>/dev/null &&
      echo "screen saved to ${TMPDIR:-/tmp}/routewright-e2e-failure.png" >&2
  fi
  exit 1
}
source "$(dirname "$0")/../support/EndToEndFiles.sh"

# Waits up to 20 s for a visible window whose title matches the regular expression; prints its id.
wait_window() {
  local id=""
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

wait_gone() {
  for _ in $(seq 200); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

click_at() {
  xdotool mousemove --sync "$1" "$2" click 1
  sleep 0.2
}

# The demo game folder: the editor inside it, cities and races from the CLI.
game=$work/game
"$cli" make-demo "$game" >/dev/null
cp "$editor" "$game/routewright"
# A stand-in game that notes where it was started.
printf '#!/bin/sh\npwd > launched.txt\n' > "$game/vortane.exe"
chmod +x "$game/vortane.exe"
# The picker sorts the names; End picks the last one.
city=$(cd "$game/cities" && ls | LC_ALL=C sort -f | tail -n 1)
mapfile -t tiles < <(road_tiles "$game/cities/$city" 20,20 100,30 64,100)
[ ${#tiles[@]} -eq 3 ] || fail "no road tiles found in $city"

# A display of our own. Servers started at the same moment elsewhere can announce the same number, so
# each server gets a screen height of its own and the display counts as ours only when it reports it.
start_display() {
  local attempt height
  for attempt in 1 2 3 4 5; do
    height=$((1024 + RANDOM % 500))
    rm -f "$work/display"
    exec 3> "$work/display"
    Xvfb -displayfd 3 -screen 0 "1280x${height}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    if [ -s "$work/display" ]; then
      local number
      number=$(head -n 1 "$work/display")
      export DISPLAY=":$number"
      for _ in $(seq 20); do
        sleep 0.2
        if kill -0 "$xvfb_pid" 2>/dev/null && [ "$(xdotool getdisplaygeometry 2>/dev/null)" = "1280 $height" ]; then
          return 0
        fi
      done
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
    sleep "0.$((RANDOM % 9 + 1))"
  done
  return 1
}
start_display || fail "Xvfb did not start"
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORMTHEME

# Rarely the display server is gone by the time the editor connects (it answered the check in
# start_display): the editor then ends at once, and the display is started once more.
for attempt in 1 2; do
  (cd "$game" && exec ./routewright) >"$work/editor.log" 2>&1 &
  editor_pid=$!
  main=$(wait_window '^Vortane of Metrova Race Course Editor$') && break
  if [ "$attempt" = 2 ] || ! grep -q "could not connect to display" "$work/editor.log"; then
    fail "the editor window did not appear"
  fi
  echo "note: the editor could not reach display $DISPLAY; starting the display again"
  [ -s "$work/xvfb.log" ] && sed 's/^/xvfb: /' "$work/xvfb.log"
  editor_pid=""
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  start_display || fail "Xvfb did not start"
done
eval "$("$helper" geometry)"
eval "$(xdotool getwindowgeometry --shell "$main")"
origin_x=$X
origin_y=$Y

# F1 opens the About box; Escape closes it.
xdotool windowfocus --sync "$main" 2>/dev/null || true
xdotool key F1
wait_window '^About Routewright$' >/dev/null || fail "F1 did not open the About box"
xdotool key Escape
wait_gone '^About Routewright$' || fail "Escape did not close the About box"

# Load City File, then in the picker: Tab to the list past OK and Cancel, End, Return (= OK).
click_at $((origin_x + LOADCITY_X)) $((origin_y + LOADCITY_Y))
picker=$(wait_window '^Select City File$') || fail "the city picker did not open"
xdotool windowfocus --sync "$picker" 2>/dev/null || true
xdotool key --delay 100 Tab Tab End Return
wait_gone '^Select City File$' || fail "the city picker did not close"
sleep 0.5

for tile in "${tiles[@]}"; do
  tx=${tile%,*}
  ty=${tile#*,}
  click_at $((origin_x + MAP_X + 2 * tx + 1)) $((origin_y + MAP_Y + 2 * ty + 1))
done

click_at $((origin_x + TITLE_X)) $((origin_y + TITLE_Y))
xdotool key --delay 50 ctrl+a BackSpace
xdotool type --delay 50 "Night Run"

click_at $((origin_x + SAVE_X)) $((origin_y + SAVE_Y))
save_as=$(wait_window '^Save As$') || fail "the Save As dialog did not open"
xdotool windowfocus --sync "$save_as" 2>/dev/null || true
xdotool type --delay 50 "e2e_race"
xdotool key Return
saved=$game/scenarios/movie/e2e_race.scn
for _ in $(seq 100); do [ -f "$saved" ] && break; sleep 0.1; done
[ -f "$saved" ] || fail "the race was not saved to $saved"
wait_gone '^Save As$' || fail "the Save As dialog did not close"

# Saved: Enter Vortane starts the game at once, in the game folder.
click_at $((origin_x + ENTER_X)) $((origin_y + ENTER_Y))
for _ in $(seq 100); do [ -s "$game/launched.txt" ] && break; sleep 0.1; done
[ "$(cat "$game/launched.txt" 2>/dev/null)" = "$(cd "$game" && pwd)" ] || fail "the game was not started in $game"

# Exit asks nothing and ends the program.
click_at $((origin_x + EXIT_X)) $((origin_y + EXIT_Y))
for _ in $(seq 100); do kill -0 "$editor_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$editor_pid" 2>/dev/null; then fail "the editor did not end after Exit"; fi
wait "$editor_pid" || fail "the editor ended with status $?"
editor_pid=""

check_saved_race "$saved" "Night Run" "$city" "${tiles[*]}"
echo "PASSED: saved $city race with checkpoints ${tiles[*]}"
