#!/usr/bin/env bash
# Checks that the services layer's rooms include one way only (text <
# page < site < export < report: no file includes a room above its own) and that
# only report/ uses the JSON library.
set -euo pipefail
cd "$(dirname "$0")/../htmlmemdoc/pages"
rooms=(text page site export report)
status=0
for at in "${!rooms[@]}"; do
  room=${rooms[$at]}
  for above in "${rooms[@]:$((at + 1))}"; do
    if grep -n "#include \"htmlmemdoc/pages/$above/" "$room"/*.cpp "$room"/*.h; then
      echo "$room/ includes $above/, a room above it" >&2
      status=1
    fi
  done
  if [ "$room" != report ] && grep -n "nlohmann" "$room"/*.cpp "$room"/*.h; then
    echo "$room/ uses the JSON library, which only report/ may" >&2
    status=1
  fi
done
exit $status
