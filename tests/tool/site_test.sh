#!/usr/bin/env bash
# The site command on a small site with every kind of reference: the text
# and JSON reports exactly, what --fix and --encode change and what they
# leave, a second run that changes nothing, and fixes cut short by a kill.
# Usage: site_test.sh TOOL SOURCE_DIR
. "$(dirname "$0")/lib.sh"
cafe=$'Caf\xc3\xa9'

# The site: pages in the library's own layout, so that a fix changes only
# the references.
make_site() {
  local d=$1
  mkdir -p "$d/Pics" "$d/Scripts" "$d/Sounds" "$d/Movies" "$d/Sub"
  touch "$d/Scripts/Menu.js" "$d/Sounds/tune.MID" "$d/Pics/back.jpg" \
    "$d/Pics/Logo.gif" "$d/Pics/my pic.gif" "$d/Pics/$cafe.gif" \
    "$d/Movies/Clip.avi" "$d/old.gif" "$d/Pics/unused file.gif"
  local layer='<div id="%s" style="position:absolute; left:0px">%s</div>\n'
  {
    printf '<html><head><title>Home</title>\n'
    printf '<script src="scripts/menu.js"></script></head>\n'
    printf '<bgsound src="Sounds/Tune.mid" loop=-1>\n'
    printf '<body background="pics/back.jpg" '
    printf 'onLoad="MM_preloadImages('"'"'pics/Logo.gif'"'"')">\n'
    printf "$layer" T1 '<p><a href="Sub/Page.htm">sub</a> <a href="http://example.com/">x</a> <a href="mailto:a@b.c">m</a> <a href="#top">t</a> <a href=pics/back.jpg>bare</a></p>'
    printf "$layer" Logo '<img src="Pics/logo.gif">'
    printf "$layer" Blank '<img src="Pics/my pic.gif">'
    printf "$layer" Cafe "<img src=\"pics/$cafe.gif\">"
    printf "$layer" Gone '<img src="Pics/gone.gif">'
    printf "$layer" Abs '<img src="/abs.gif">'
    printf "$layer" Clip '<img dynsrc="Movies/Clip.avi">'
    printf '</body></html>\n'
  } >"$d/index.htm"
  {
    printf '<html><head></head><body>\n'
    printf "$layer" Home '<p><a href="../INDEX.htm">home</a> <a href="../../up.htm">up</a></p>'
    printf '</body></html>\n'
  } >"$d/Sub/Page.htm"
  printf '<html><head><link rel=x></head></html>' >"$d/bad.htm"
  for page in index.htm Sub/Page.htm; do
    "$tool" render "$d/$page" -o "$d/$page.new" && mv "$d/$page.new" "$d/$page"
  done
}

# Checksums and modification times of every file below a folder.
state() { (cd "$1" && find . -type f -exec stat -c '%n %Y' {} + -exec md5sum {} + | sort); }

site=$work/site
make_site "$site"
cd "$site" || exit 2
run 1 "$tool" site . --json "$work/report.json" --html "$work/report.html" \
  --sarif "$work/report.sarif" --junit "$work/report.xml"
cat >"$work/want" <<TEXT
.: 3 pages (1 do not read), 17 references: 2 ok, 8 case, 1 missing, 2 outside, 3 external, 1 unsafe; 2 files unused
Sub/Page.htm:
  line 5: case: ../INDEX.htm (text layer Home) on disk: ../index.htm
  line 5: outside: ../../up.htm (text layer Home)
bad.htm:1:13: <link rel=x> in the head: a layout page's head holds title, meta, style and script only (HTML syntax error at Ln1, Col19)
index.htm:
  line 6: case: scripts/menu.js (script) on disk: Scripts/Menu.js
  line 8: case: Sounds/Tune.mid (background sound) on disk: Sounds/tune.MID
  line 9: case: pics/back.jpg (body) on disk: Pics/back.jpg
  line 9: case: pics/Logo.gif (body) on disk: Pics/Logo.gif
  line 10: case: pics/back.jpg (text layer T1) on disk: Pics/back.jpg
  line 12: case: Pics/logo.gif (image layer Logo) on disk: Pics/Logo.gif
  line 14: unsafe: Pics/my pic.gif (image layer Blank)
  line 16: case: pics/$cafe.gif (image layer Cafe) on disk: Pics/$cafe.gif
  line 18: missing: Pics/gone.gif (image layer Gone)
  line 20: outside: /abs.gif (image layer Abs)
unused: Pics/unused file.gif
unused: old.gif
TEXT
diff "$work/want" "$work/out" || fail "the text report differs"
diff "$src/tests/tool/site_report.json" "$work/report.json" ||
  fail "the JSON report differs"
# The CI reports hold the JSON report's problems; the SARIF log passes the
# SARIF multitool's validation (installed with the browser suite's tools).
multitool=$src/tests/browser/node_modules/@microsoft/sarif-multitool-linux/Sarif.Multitool
[ -f "$multitool" ] && chmod u+x "$multitool" ||
  { echo "note: no SARIF multitool, the SARIF log is not validated"; multitool=; }
check_ci_reports() {
  python3 "$src/tests/tool/check_ci_reports.py" "$1.json" "$1.sarif" "$1.xml" \
    $multitool || fail "the CI reports of $1 differ from its JSON report"
}
check_ci_reports "$work/report"
run 0 "$tool" sources --all index.htm
[ "$(wc -l <"$work/out")" -eq 13 ] || fail "sources --all lists $(wc -l <"$work/out") files"

# A dry run prints the change and writes nothing.
before=$(state .)
run 1 "$tool" site . --fix --dry-run
has '-</head><bgsound src="Sounds/Tune.mid" loop=-1>'
has '+</head><bgsound src="Sounds/tune.MID" loop=-1>'
says "would fix 7 references in 2 pages, 1 left alone"
[ "$(state .)" = "$before" ] || fail "a dry run changed the site"

# The fix changes each wrong reference and nothing else; the unquoted one
# and the pages with nothing to fix stay as they are.
sed -e 's|"scripts/menu.js"|"Scripts/Menu.js"|; s|"Sounds/Tune.mid"|"Sounds/tune.MID"|' \
  -e 's|"pics/back.jpg"|"Pics/back.jpg"|; s|'"'"'pics/Logo.gif'"'"'|'"'"'Pics/Logo.gif'"'"'|' \
  -e 's|"Pics/logo.gif"|"Pics/Logo.gif"|; s|"pics/'"$cafe"'.gif"|"Pics/'"$cafe"'.gif"|' \
  index.htm >"$work/index.want"
sed 's|"../INDEX.htm"|"../index.htm"|' Sub/Page.htm >"$work/page.want"
stat -c '%n %Y' bad.htm Pics/*.gif >"$work/untouched"
run 1 "$tool" site . --fix
has "fixed 7 references in 2 pages, 1 left alone"
has "left alone: its value is not in quotes"
cmp -s index.htm "$work/index.want" || fail "index.htm: $(diff "$work/index.want" index.htm)"
cmp -s Sub/Page.htm "$work/page.want" || fail "Sub/Page.htm was not fixed as planned"
stat -c '%n %Y' bad.htm Pics/*.gif | cmp -s - "$work/untouched" || fail "other files changed"
before=$(state .)
run 1 "$tool" site . --fix
has "9 ok, 1 case"
has "fixed 0 references in 0 pages, 1 left alone"
[ "$(state .)" = "$before" ] || fail "a second fix changed the site"

# --encode renames files to match, unless the name is taken (what else
# keeps a name, and the bytes a fix keeps, are the site fix's unit tests;
# links and loops the site tree's).
touch "Pics/a b.gif" "Pics/a_b.gif"
sed -i 's|"/abs.gif"|"Pics/a b.gif"|' index.htm
run 1 "$tool" site . --fix --encode
has "renamed Pics/my pic.gif -> Pics/my_pic.gif"
has "not renamed Pics/a b.gif -> Pics/a_b.gif: Pics/a_b.gif exists already"
[ -e Pics/my_pic.gif ] && [ ! -e "Pics/my pic.gif" ] || fail "my pic.gif not renamed"
grep -q '"Pics/my_pic.gif"' index.htm || fail "the encoded reference is missing"
grep -q '"Pics/a b.gif"' index.htm || fail "a reference to an unrenamed file changed"
# A site with nothing to report; usage.
mkdir -p "$work/clean/Pics" && touch "$work/clean/Pics/a.gif"
printf '<html><body><div id=A><img src="Pics/a.gif"></div></body></html>' >"$work/clean/a.htm"
run 0 "$tool" site "$work/clean"
has "1 pages, 1 references: 1 ok, 0 case"
# Escapes are decoded and handlers' images counted: nothing unused.
mkdir -p "$work/escapes/pics" && touch "$work/escapes/pics/a b.gif" "$work/escapes/pics/o.gif"
printf '<html>\n<body>\n<div id="A">\n<a href="#" onMouseOver="MM_swapImage(%s)"><img src="pics/a%%20b.gif?v=1"></a></div>\n</body>\n</html>\n' \
  "'A','','pics/o.gif',1" >"$work/escapes/index.htm"
run 0 "$tool" site "$work/escapes"
has "3 references: 2 ok, 0 case, 0 missing, 0 outside, 1 external, 0 unsafe; 0 files unused"
# A report written inside the site is no page of it on the next run.
run 0 "$tool" site "$work/escapes" --html "$work/escapes/report.html"
run 0 "$tool" site "$work/escapes" --html "$work/escapes/report.html"
has "escapes: 1 pages, 3 references"
# A report never goes over a file of the site that is no report.
expect 2 "will not write the report over" "$tool" site "$work/escapes" \
  --html "$work/escapes/index.htm"
expect 2 "will not write the report over" "$tool" site "$work/escapes" \
  --json "$work/escapes/pics/o.gif"
expect 2 "will not write the report over" "$tool" site "$work/escapes" \
  --junit "$work/escapes/index.htm"
grep -q MM_swapImage "$work/escapes/index.htm" || fail "the page was overwritten"
expect 2 "cannot read" "$tool" site "$work/none"
# With both Images/ and images/, a name in another case is fixed to the one
# that holds the file; one both hold is ambiguous and left as it is.
# Reports written inside the site are not unused on the next run.
mkdir -p "$work/pair/Images" "$work/pair/images"
touch "$work/pair/images/b.gif" "$work/pair/Images/c.gif" "$work/pair/images/c.gif"
printf '<html><body><div id=A><img src="IMAGES/b.gif"></div><div id=B><img src="IMAGES/C.gif"></div></body></html>' >"$work/pair/a.htm"
run 1 "$tool" site "$work/pair" --fix --json "$work/pair/report.json" \
  --sarif "$work/pair/report.sarif" --junit "$work/pair/report.xml"
check_ci_reports "$work/pair/report"
has "1 case, 0 missing, 0 outside, 0 external, 0 unsafe, 1 ambiguous"
has "ambiguous: IMAGES/C.gif"
grep -q '"images/b.gif"' "$work/pair/a.htm" || fail "the case pair was not fixed"
run 1 "$tool" site "$work/pair"
has "2 files unused"
grep -q report "$work/out" && fail "a report is listed: $(cat "$work/out")"
run 2 "$tool" site . --encode

# A fix killed at any moment leaves each page as it was or fully fixed;
# one ended by SIGTERM leaves no temporary file either.
many=$work/many
for copy in pages fixed; do
  mkdir -p "$work/$copy/Pics" && touch "$work/$copy/Pics/A.gif"
  for i in $(seq 1000); do
    printf '<html><head></head><body>\n<div id="L%d" style="position:absolute"><img src="pics/a.gif"></div>\n</body></html>\n' "$i" >"$work/$copy/p$i.htm"
  done
done
"$tool" site "$work/fixed" --fix >/dev/null || fail "the pages were not fixed"
sums() { (cd "$1" && md5sum p*.htm); }
for round in 0.05:KILL 0.1:TERM 0.2:KILL; do
  cp -r "$work/pages" "$many"
  "$tool" site "$many" --fix >/dev/null 2>&1 &
  sleep "${round%:*}"
  kill -"${round#*:}" $! 2>/dev/null
  wait $! 2>/dev/null
  { sums "$work/pages"; sums "$work/fixed"; echo now; sums "$many"; } |
    awk '$1 == "now" { now = 1; next }
         !now { ok[$2 " " $1] = 1; next }
         !ok[$2 " " $1] { print "half fixed: " $2 }' >"$work/half"
  [ -s "$work/half" ] && fail "$(head -3 "$work/half")"
  # A Windows program removes its temporary file on Ctrl+C; a SIGTERM to
  # wine ends it without that handler.
  [ "${round#*:}" = TERM ] &&
    posix "under wine a SIGTERM ends the program without its Ctrl+C handler" &&
    ls -A "$many" | grep -q '^\.' && fail "a temporary file was left"
  rm -rf "$many"
done
finish
