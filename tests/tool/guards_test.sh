#!/usr/bin/env bash
# What the tool refuses to damage: pages that would lose content, edits a
# page cannot hold, reference rewriting that would land elsewhere; and the
# input and output it must get right: bytes that are not UTF-8, fifos and
# pipes, unreadable folders, signals during a write, links, odd names.
# Usage: guards_test.sh TOOL SOURCE_DIR
. "$(dirname "$0")/lib.sh"
cd "$work" || exit 2
cat >loss.htm <<'PAGE'
<html><body>
<div id=Grid><table><tr><td>cell</td></tr></table></div>
<div id=Pic><img src=""></div>
<div id=T><p class=x>kept</p></div>
</body></html>
PAGE
cat >shapes.htm <<'PAGE'
<html><body>
<div id=Img style="left:0px"><img src='a b.gif'></div>
<div id=Sq style='position:absolute; left:0px'><p class=x>text</p></div>
<div id=Bare style="left:0px"><p>Text</p></div>
<div id=Cursor style="left:0px; cursor:hand"><p class=x>x</p></div>
</body></html>
PAGE
printf '<html><body><div id="srcLayer" style="left:1px"><img src="my pic.gif"></div></body></html>' >src.htm
printf '<html><body><div id=Amp><img src=my&pic.gif alt="a b"></div></body></html>' >amp.htm
printf '<html><head><title>Caf\xe9</title></head></html>' >cafe.htm

# JSON is UTF-8 whatever the page holds, and says when the page is not.
run 0 "$tool" show --json cafe.htm
iconv -f UTF-8 -t UTF-8 "$work/out" >/dev/null 2>&1 || fail "show --json is not UTF-8"
has $'"title": "Caf\xef\xbf\xbd"'
has '"utf8": false'

# Losses are named and refused; --allow-loss writes and still names them.
make_old out.htm
expect 1 "line 2: plain layer (no text, image or embed in it) Grid:" \
  "$tool" render loss.htm -o out.htm
says "line 3: image layer with an empty source Pic:"
unchanged out.htm
expect 0 "written without what the page held here:" \
  "$tool" render --allow-loss loss.htm -o out.htm
grep -q Grid out.htm || grep -q Pic out.htm && fail "the named layers were written"
grep -q kept out.htm || fail "the text layer was not written"
run 0 "$tool" check loss.htm
has "  warning: line 2: plain layer"
# Losses past a hundred of a kind are counted (how they are listed is the
# loss finder's unit test).
{ printf '<html><head></head>\n'; for i in $(seq 150); do printf '<body id=b%d>\n' "$i"; done
  printf '</body></html>\n'; } >"$work/bodies.htm"
run 0 "$tool" check "$work/bodies.htm"
has "1 pages: 1 read, 0 refused, 149 warnings"
# A loss is one JSON shape in check and show (no id: null).
run 0 "$tool" check --json "$work/bodies.htm"
has '"id": null,'
grep -o '"what": "[^"]*"' "$work/out" >"$work/checked"
run 0 "$tool" show --json "$work/bodies.htm"
grep -o '"what": "[^"]*"' "$work/out" | cmp -s - "$work/checked" ||
  fail "check and show tell the losses apart"

# Edits a page cannot hold, or that would change more than asked.
make_old out.htm
o=(-o out.htm)
expect 1 "its src value is in single quotes" \
  "$tool" edit shapes.htm --layer Img --src new.gif "${o[@]}"
expect 1 "its style value is in single quotes" \
  "$tool" edit shapes.htm --layer Sq --left 5 "${o[@]}"
expect 1 "the layer would be over 8192 bytes" \
  "$tool" edit shapes.htm --layer Sq --text "$(head -c 9000 /dev/zero | tr '\0' a)" "${o[@]}"
expect 1 "cannot hold markup" "$tool" edit shapes.htm --layer Sq --text 'a</p><p>b' "${o[@]}"
expect 1 "the source is over 1023 bytes" \
  "$tool" edit shapes.htm --layer Img --src "$(head -c 9000 /dev/zero | tr '\0' a)" "${o[@]}"
expect 1 "cannot hold a double quote" \
  "$tool" edit shapes.htm --layer Img --src 'a" onerror="x' "${o[@]}"
expect 1 "font size -2147483648 is out of range" \
  "$tool" edit shapes.htm --layer Sq --font-size=-2147483648 "${o[@]}"
expect 1 "its style holds cursor:hand, which the library would drop" \
  "$tool" edit shapes.htm --layer Cursor --top 3 "${o[@]}"
expect 1 "layer srcLayer would change more than its src" "$tool" render --encode src.htm
expect 1 "layer Amp would change more than its src: the <img> tag's alt" \
  "$tool" render --encode amp.htm
unchanged out.htm
run 0 "$tool" edit shapes.htm --layer Sq --text= "${o[@]}"
grep -q '<p class=x></p>' out.htm || fail "--text= did not empty the text"
# A text tag written bare, which the library's own rule passes over, takes
# a new text and keeps its tag as it was.
run 0 "$tool" edit shapes.htm --layer Bare --text new "${o[@]}"
grep -q '<div id=Bare style="left:0px"><p>new</p></div>' out.htm ||
  fail "the bare text tag's text was not set in place"
expect 1 "may hold only text, <b>, <i>, <font> and <br>, not <img" \
  "$tool" edit shapes.htm --layer Bare --content 'a<img src=x>' "${o[@]}"
expect 1 "closes </i> where it is not open" \
  "$tool" edit shapes.htm --layer Bare --content '<b>a</i>' "${o[@]}"
expect 1 "may not give <b> the attribute onclick" \
  "$tool" edit shapes.htm --layer Bare --content '<b onclick="x()">a</b>' "${o[@]}"
expect 1 "may style only the font and its colour, not background" \
  "$tool" edit shapes.htm --layer Bare --content '<font style="background:url(http://x/)">a</font>' "${o[@]}"
expect 1 "may not give <font> the attribute onmouseover" \
  "$tool" edit shapes.htm --layer Bare --content $'<font face=x\fonmouseover=go()>a</font>' "${o[@]}"
expect 1 "holds a control character inside the tag" \
  "$tool" edit shapes.htm --layer Bare --content $'<font face=x\vonmouseover=go()>a</font>' "${o[@]}"
expect 1 "may not hold a character reference in the style of <font>" \
  "$tool" edit shapes.htm --layer Bare --content '<font style="color:red&#59background:url&#40x&#41">a</font>' "${o[@]}"
expect 1 "may not call url()" \
  "$tool" edit shapes.htm --layer Bare --content "<font style='font:url(x)'>a</font>" "${o[@]}"
# A tag the layer holds already may keep its attributes, however new ones
# would be judged.
printf '<html><body><div id=K><p><b class=k>old</b></p></div></body></html>' >kept.htm
run 0 "$tool" edit kept.htm --layer K --content '<b class=k>new</b> <i>it</i>' "${o[@]}"
grep -q '<p><b class=k>new</b> <i>it</i></p>' out.htm || fail "a kept tag was not written"
run 0 "$tool" edit shapes.htm --layer Bare --content '<font face="Arial" size=3 style="font-size:12px; color:rgb(1,2,3)">a</font><br/>' "${o[@]}"
run 0 "$tool" edit shapes.htm --layer Bare --content 'a <b>bold</b><br>next' "${o[@]}"
grep -q '<p>a <b>bold</b><br>next</p></div>' out.htm ||
  fail "the content was not set in place"

# A page read from a fifo or a pipe; a folder that cannot be read.
mkfifo fifo.htm
cat "$src/examples/welcome.htm" >fifo.htm &
run 0 timeout 10 "$tool" check fifo.htm
if posix "/dev/stdin is no Windows name"; then
  run 0 "$tool" show /dev/stdin <"$src/examples/welcome.htm"
  has "Welcome to the garden club"
fi
mkdir -p site/a site/locked site/z
cp "$src/examples/blank.htm" site/a/
cp "$src/examples/blank.htm" site/z/
chmod -R a+rX site
if posix "wine cannot run as another user of the host"; then
  chmod 000 site/locked
  as_user=()
  [ "$(id -u)" -eq 0 ] && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  expect 2 "cannot read site/locked: Permission denied" "${as_user[@]}" "$tool" check site
  has "site/z/blank.htm: ok"
  has "2 pages: 2 read, 0 refused, 0 warnings"
  chmod 755 site/locked
fi

# Odd names print unambiguously; JSON carries them as they are.
if posix "a Windows file name cannot hold a line feed"; then
  cp "$src/examples/blank.htm" $'new\nline.htm'
  run 0 "$tool" check $'new\nline.htm' "$src/examples/blank.htm"
  has '"new\nline.htm": ok'
  run 0 "$tool" check --json $'new\nline.htm'
  has '"page": "new\nline.htm"'
fi

# A signal during a write leaves no temporary file; links are written
# through, even when their target does not exist yet.
{ printf '<html><head>'; head -c 20000000 /dev/zero | tr '\0' ' '
  printf '</head></html>'; } >big.htm
signals="INT TERM HUP KILL"
posix "on Windows only Ctrl+C runs code of ours; wine's TERM and HUP kill as KILL does" ||
  signals=INT
for signal in $signals; do
  "$tool" render big.htm -o big.out & pid=$!
  sleep 0.3; kill -$signal $pid 2>/dev/null; wait $pid 2>/dev/null
done
no_temporary
if posix "wine shows a link of the host as a plain file"; then
  ln -s made/target.htm link.htm
  mkdir made
  run 0 "$tool" render "$src/examples/blank.htm" -o link.htm
  [ -L link.htm ] && [ -f made/target.htm ] || fail "the link's target was not written"
fi
finish
