#!/usr/bin/env bash
# The export of a site for current browsers: the site only read, the
# export's folder apart from it, a second run that redoes nothing, a file
# that fails to convert reported while the rest completes, an export
# ended by a signal leaving no temporary file, links in the export never
# written through. The converters are ffmpeg and FluidSynth when they are
# installed; the cases that need them say so when they are not.
# Usage: export_test.sh TOOL SOURCE_DIR
. "$(dirname "$0")/lib.sh"
cd "$work" || exit 2
converters() {
  posix "$1: the converters run as POSIX programs" || return 1
  command -v ffmpeg >/dev/null && command -v fluidsynth >/dev/null && return 0
  echo "SKIP: $1 needs ffmpeg and fluidsynth (apt-get install ffmpeg fluidsynth timgm6mb-soundfont)"
  skipped=$((skipped + 1))
  return 1
}

# A site: a page with a background sound, a video layer and an embedded
# sound; a page playing a movie that does not convert; a page that does
# not read.
mkdir -p site/media site/images
cp "$src/examples/images/rose.gif" site/images/
printf 'MThd\0\0\0\6\0\0\0\1\1\340MTrk\0\0\0\16\0\220\74\144\203\140\200\74\0\0\377\57\0' >site/media/theme.mid
printf 'RIFF not a movie' >site/media/broken.avi
cat >site/index.htm <<'PAGE'
<html>
<head>
<title>Home</title>
</head>
<bgsound src="media/theme.mid" loop="-1">
<body bgcolor="#ffffff">
<div id="Pic" style="position:absolute; left:10px; top:10px; width:200px; height:150px; z-index:1">
<img src="Images/Rose.gif" width="200" height="150"></div>
<div id="Clip" style="position:absolute; left:220px; top:10px; width:160px; height:120px; z-index:2">
<img dynsrc="media/clip.mpg" src="images/rose.gif" width="160" height="120"></div>
</body>
</html>
PAGE
cat >site/broken.htm <<'PAGE'
<html>
<head>
<meta charset="utf-8">
</head>
<body>
<div id="Bad" style="position:absolute; left:0px; top:0px; width:100px; height:80px">
<embed src="media/broken.avi" width="100" height="80"></div>
</body>
</html>
PAGE
printf '<html><body><p>not a layer</p></body></html>\n' >site/notes.htm
if command -v ffmpeg >/dev/null; then
  ffmpeg -loglevel error -f lavfi -i testsrc=duration=1:size=160x120:rate=25 \
    -c:v mpeg1video -f mpeg site/media/clip.mpg -y
else
  printf 'mpeg' >site/media/clip.mpg
fi
snapshot() { (cd site && find . -printf '%p %s %T@ %m\n' | sort && find . -type f -exec md5sum {} + | sort); }
snapshot >site.before

# The converters run through wrappers that count their runs.
mkdir bin
for program in ffmpeg fluidsynth; do
  real=$(command -v "$program") || continue
  printf '#!/bin/sh\necho %s >>"%s/runs"\nexec "%s" "$@"\n' "$program" "$work" "$real" >"bin/$program"
  chmod +x "bin/$program"
done
export PATH="$work/bin:$PATH"

if converters "converting media"; then
  run 1 "$tool" export site -o exported --json report.json --html report.html
  has "2 pages (1 more do not read)"
  has "2 converted"
  has "failed: media/broken.avi: it could not be converted: ffmpeg exited with"
  has "broken.htm:"
  has "notes.htm:"
  [ -s exported/media/theme.opus ] && [ -s exported/media/clip.mp4 ] || fail "media not converted"
  [ ! -e exported/media/broken.mp4 ] || fail "a failed conversion left its output"
  grep -q '<audio src="media/theme.opus" loop' exported/index.htm || fail "no <audio> for the sound"
  grep -q '<video width="160" height="120" src="media/clip.mp4" poster="images/rose.gif"' exported/index.htm ||
    fail "no <video> for the video layer"
  grep -q '<embed src="media/broken.avi"' exported/broken.htm || fail "the broken movie's embed changed"
  grep -q '<img src="images/rose.gif" width="200"' exported/index.htm || fail "a reference kept its wrong case"
  # Every reference of the export names its file exactly.
  run 1 "$tool" site exported
  has "0 case, 0 missing"
  cmp -s site/notes.htm exported/notes.htm || fail "a page that does not read was not copied as it is"
  cmp -s site/media/broken.avi exported/media/broken.avi || fail "the broken movie was not copied"
  grep -q '"state": "failed"' report.json || fail "the JSON report lacks the failure"
  grep -q '"ffmpeg": ".*/ffmpeg"' report.json || fail "the JSON report lacks the converters"
  grep -q 'data-count="converted">2<' report.html || fail "the HTML report lacks the counts"
  runs=$(wc -l <runs)
  find exported -type f -printf '%p %T@\n' | sort >exported.before
  # A second run into the same folder writes nothing and converts nothing.
  run 1 "$tool" export site -o exported
  has "0 written"
  has "(0 new)"
  [ "$(wc -l <runs)" -eq "$runs" ] || fail "the second run started a converter"
  find exported -type f -printf '%p %T@\n' | sort | cmp -s - exported.before ||
    fail "the second run rewrote files"
  # A changed source is converted again (its page, the same, is not
  # rewritten).
  sleep 0.01
  printf 'MThd\0\0\0\6\0\0\0\1\1\340MTrk\0\0\0\4\0\377\57\0' >site/media/theme.mid
  run 1 "$tool" export site -o exported
  has "0 written"
  [ "$(wc -l <runs)" -gt "$runs" ] || fail "a changed MIDI file was not converted again"
  snapshot >site.before
  # A playlist dressed as a movie is read as the movie it says it is (and
  # fails), never followed outside the site; two movies of one name keep
  # a converted file each; nothing is made writable by everyone.
  mkdir -p hostile/outside hostile/site
  ffmpeg -loglevel error -f lavfi -i testsrc=duration=1:size=64x48:rate=10 \
    -f mpegts hostile/outside/secret.ts
  printf '#EXTM3U\n#EXTINF:1,\n../outside/secret.ts\n#EXT-X-ENDLIST\n' >hostile/site/evil.avi
  cp site/media/clip.mpg hostile/site/clip.mpg
  ffmpeg -loglevel error -f lavfi -i testsrc=duration=1:size=64x48:rate=10 \
    -c:v msvideo1 hostile/site/clip.avi
  run 1 "$tool" export hostile/site -o hostile/out
  has "failed: evil.avi: it could not be converted: ffmpeg exited with"
  [ -s hostile/out/clip.mp4 ] && [ -s hostile/out/clip.mpg.mp4 ] ||
    fail "two movies of one name share a converted file"
  [ -z "$(find hostile/out exported -perm -o+w ! -type l)" ] ||
    fail "files writable by everyone: $(find hostile/out exported -perm -o+w ! -type l | head -3)"
  # Sounds as MP3 instead.
  run 1 "$tool" export --audio-format mp3 site -o mp3
  [ "$(head -c 3 mp3/media/theme.mp3 | od -An -c | tr -d ' ')" = ID3 ] ||
    [ "$(head -c 2 mp3/media/theme.mp3 | od -An -tx1 | tr -d ' ')" = fffb ] ||
    fail "the sound is not MP3"
  grep -q '<audio src="media/theme.mp3" loop' mp3/index.htm || fail "the page does not name the MP3"
fi

# Without converting, everything is copied and what will not play is named.
run 1 "$tool" export --media copy site -o copied
has "cannot play: media/theme.mid: no current browser plays midi files, and it was copied as it is"
cmp -s site/media/clip.mpg copied/media/clip.mpg || fail "media not copied as it is"
grep -q '<bgsound src="media/theme.mid"' copied/index.htm || fail "the sound was rewritten without its file"

# Without the converters on the PATH, media is copied and the report names
# what would convert it; a page with no character set is told the one of
# --code-page.
if posix "wine needs its PATH"; then
  printf '<html>\n<head>\n<title>Jp</title>\n</head>\n<body>\n</body>\n</html>\n' >site/jp.htm
  run 1 env PATH=/nonexistent "$tool" --code-page 932 export site -o bare
  has "converting it needs fluidsynth and ffmpeg"
  grep -q '<meta charset="shift_jis">' bare/jp.htm ||
    fail "no character set declared for code page 932"
  rm site/jp.htm
  snapshot >site.before
fi

# The export's folder may not be the site, lie inside it or hold it.
expect 2 "would lie inside the site it copies" "$tool" export site -o site/exported
[ ! -e site/exported ] || fail "the refused export made its folder"
expect 2 "would lie inside the site it copies" "$tool" export site -o site
expect 2 "the site lies inside its export" "$tool" export site -o .
expect 2 "cannot read" "$tool" export missing -o exported2
expect 2 "cannot read" "$tool" export site/index.htm -o exported3
[ ! -e exported3 ] || fail "an export of no site made its folder"

# A link inside the export is not written through.
if posix "wine makes no links"; then
  mkdir -p linked elsewhere
  ln -s "$work/elsewhere" linked/images
  run 1 "$tool" export --media copy site -o linked
  has "not copied: images/rose.gif:"
  [ -z "$(ls -A elsewhere)" ] || fail "the export wrote through a link"
fi

# Ended by a signal while a movie converts: no temporary file is left,
# and each file it finished is whole.
if converters "a signal during a conversion"; then
  mkdir -p long/media
  ffmpeg -loglevel error -f lavfi -i testsrc=duration=30:size=640x480:rate=25 \
    -c:v mpeg1video -f mpeg long/media/long.mpg -y
  cp site/index.htm long/
  "$tool" export long -o stopped >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 200); do
    find stopped -name '.htmlmemdoc-*' -size +0 2>/dev/null | grep -q . && break
    sleep 0.05
  done
  kill -TERM "$pid"
  wait "$pid" 2>/dev/null
  sleep 0.5
  [ -z "$(find stopped -name '.htmlmemdoc-*')" ] || fail "a temporary file was left: $(find stopped -name '.htmlmemdoc-*')"
  [ ! -e stopped/media/long.mp4 ] || fail "an unfinished conversion took its name"
  for file in $(cd stopped && find . -type f ! -name '*.htm'); do
    cmp -s "long/$file" "stopped/$file" || fail "stopped/$file is not whole"
  done
fi

# The site was only read: its files, sizes, times and modes are as they were.
snapshot | cmp -s - site.before || fail "the site changed"
finish
