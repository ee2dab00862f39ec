#!/usr/bin/env bash
# serve of the Windows tool under wine, asked with curl: the API wants the
# token; each path of tests/data/confined_paths.json is opened, served and
# taken as a source only when Windows resolves it below the folder (a host
# link is a junction to wine); no upload goes to a device; a save writes
# the page. Usage: serve_test.sh TOOL SOURCE_DIR
. "$(dirname "$0")/../tool/lib.sh"
export LC_ALL=C  # paths are escaped byte by byte
"$tool" --version >"$work/out" 2>&1 || { echo "skipped: wine cannot run it: $(cat "$work/out")"; exit 77; }
site=$work/site
mkdir -p "$site/images" "$site/long folder" "$site/.git"
cp "$src/examples/welcome.htm" "$site/page.htm" && cp "$src/examples/images/rose.gif" "$site/images/"
touch "$work/outside.htm" "$site/long folder/p.htm" "$site/.git/config"
ln -s "$work" "$site/up" && ln -s "$work/outside.htm" "$site/out.htm"
"$tool" serve "$site" >"$work/serve" 2>&1 &
server=$!
trap 'kill $server; rm -rf "$work"' EXIT
for _ in $(seq 120); do grep -q token= "$work/serve" && break; sleep 0.5; done
address=$(grep -o 'http://127.0.0.1:[0-9]*/?token=[0-9a-f]*' "$work/serve") ||
  { fail "serve printed no address: $(cat "$work/serve")"; finish; exit; }
base=${address%/?token=*} token=${address#*token=}
# call METHOD PATH [BODY]: $status and $work/body, from the editor's page
# with its token (none when $token is empty).
call() {
  status=$(curl -s -o "$work/body" -w '%{http_code}' -X "$1" -H "Origin: $base" \
    -H "X-Htmlmemdoc-Token: $token" ${3:+--data-binary "$3"} "$base$2")
}
json() { local s=${1//\\/\\\\}; printf '"%s"' "${s//\"/\\\"}"; }
escape() { local i; for ((i = 0; i < ${#1}; i++)); do printf '%%%02X' "'${1:i:1}"; done; }

token="" call GET /api/pages
[ "$status" = 403 ] || fail "a request without the token: $status"
call GET /api/pages
grep -q '"page.htm"' "$work/body" || fail "the pages with the token: $status"
call POST /api/open '{"path":"page.htm"}'
session=$(grep -o '"session":"[0-9a-f]*"' "$work/body" | cut -d'"' -f4)
while IFS=$'\t' read -r path below; do
  call POST /api/open "{\"path\":$(json "$path")}" && opened=$status
  call GET "/s/$session/site/$(escape "$path")" && served=$status
  call POST /api/edit "{\"session\":\"$session\",\"layer\":\"Rose\",\"property\":\"src\",\"value\":$(json "$path")}"
  # One taken is a source (a page or file named through `..` is not opened).
  if [ -n "$below" ]; then
    [ "$status" = 200 ] || fail "the source $path: $status"
  elif [ "$opened $served $status" != "404 404 422" ]; then
    fail "$path was taken: open $opened, file $served, source $status"
  fi
done < <(python3 -c 'import json, sys
for c in json.load(open(sys.argv[1]))["cases"]: print(c["path"] + "\t" + (c["windows"] or ""))' \
  "$src/tests/data/confined_paths.json")
# A file copied in under a device's name would be written to the device.
for name in con.gif lpt1.gif nul photo.gif.; do
  call POST "/api/upload?folder=&name=$name" x
  [ "$status" = 422 ] || fail "an upload named $name: $status"
done
# wine shows a host link to a file as a plain file: replacing it would
# replace the file outside DIR.
call POST "/api/upload?folder=&name=out.htm&replace=1" x
[ "$status" = 409 ] && [ -f "$work/outside.htm" ] || fail "an upload over out.htm: $status"
call POST /api/edit "{\"session\":\"$session\",\"layer\":\"Rose\",\"property\":\"left\",\"value\":390}"
call POST /api/save "{\"session\":\"$session\"}"
[ "$status" = 200 ] && grep -q 'left:390px' "$site/page.htm" || fail "the save: $status $(cat "$work/body")"
finish
