# Shell functions both end-to-end tests share, over the command-line companion: road tiles near targets and
# the facts of a saved race. Sourced; needs $cli, a routewright-cli this machine runs.

# The road tile nearest to each "X,Y" target of the city file $1 (ring by ring around it), "X,Y" per line.
road_tiles() {
  local city=$1 target tx ty r x y
  shift
  for target in "$@"; do
    tx=${target%,*}
    ty=${target#*,}
    for ((r = 0; r < 128; r++)); do
      for ((x = tx - r; x <= tx + r; x++)); do
        for ((y = ty - r; y <= ty + r; y++)); do
          if ((x >= 0 && y >= 0 && x < 128 && y < 128)) &&
            ((x == tx - r || x == tx + r || y == ty - r || y == ty + r)) &&
            "$cli" city tile "$city" "$x" "$y" | grep -q '"road": true'; then
            echo "$x,$y"
            continue 4
          fi
        done
      done
    done
    return 1
  done
}

# Fails unless the scenario file $1 holds the title $2, the city file $3 and the checkpoints "X,Y X,Y ..." $4.
check_saved_race() {
  local json flat checkpoints
  json=$("$cli" scenario dump "$1") || fail "routewright-cli scenario dump refused $1"
  grep -q "\"name\": *\"$2\"" <<<"$json" || fail "the saved race lacks the title $2: $json"
  grep -q "\"cityFile\": *\"$3\"" <<<"$json" || fail "the saved race lacks the city file $3: $json"
  flat=$(tr -d ' \n' <<<"$json")
  checkpoints=$(grep -o '"checkpoints":\[[][0-9,]*\]' <<<"$flat" | sed -e 's/^"checkpoints":\[//' -e 's/\]$//' \
    -e 's/\],\[/ /g' -e 's/[][]//g')
  [ "$checkpoints" = "$4" ] || fail "the saved checkpoints are \"$checkpoints\", not \"$4\""
}
