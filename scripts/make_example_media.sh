#!/usr/bin/env bash
# Makes the media the example pages play, small, so that examples/ is a
# site whose every reference exists: a short MIDI tune and a minimal Flash
# movie written byte by byte, a short chime and a one-second movie in a
# format no current browser plays (MPEG-1) made with ffmpeg's test
# sources. The files are committed; run this again to remake them.
# Usage: make_example_media.sh [EXAMPLES_DIR]
set -euo pipefail
dir=${1:-"$(dirname "$0")/../examples"}
mkdir -p "$dir/audio" "$dir/video" "$dir/media"
# Seven flute notes: a format-0 MIDI file, 480 ticks a beat.
printf '\x4d\x54\x68\x64\x00\x00\x00\x06\x00\x00\x00\x01\x01\xe0\x4d\x54\x72\x6b\x00\x00\x00\x46\x00\xc0\x49\x00\x90\x48\x5a\x81\x70\x80\x48\x00\x00\x90\x4c\x5a\x81\x70\x80\x4c\x00\x00\x90\x4f\x5a\x81\x70\x80\x4f\x00\x00\x90\x54\x5a\x81\x70\x80\x54\x00\x00\x90\x4f\x5a\x81\x70\x80\x4f\x00\x00\x90\x4c\x5a\x81\x70\x80\x4c\x00\x00\x90\x48\x5a\x81\x70\x80\x48\x00\x00\xff\x2f\x00' >"$dir/audio/birdsong.mid"
# A 180 x 180 Flash movie of one green frame: header, SetBackgroundColor,
# ShowFrame, End.
printf '\x46\x57\x53\x06\x1d\x00\x00\x00\x68\x00\x1c\x20\x00\x07\x08\x00\x00\x0c\x01\x00\x43\x02\x33\x99\x33\x40\x00\x00\x00' >"$dir/media/map.swf"
command -v ffmpeg >/dev/null ||
  { echo "make_example_media.sh: the chime and the movie need ffmpeg (apt-get install ffmpeg)" >&2; exit 2; }
ffmpeg -loglevel error -y -f lavfi -i sine=frequency=660:duration=0.5 \
  -ar 8000 -ac 1 -c:a pcm_u8 -fflags +bitexact "$dir/audio/chime.wav"
ffmpeg -loglevel error -y -f lavfi -i testsrc=duration=1:size=160x120:rate=25 \
  -c:v mpeg1video -q:v 8 -fflags +bitexact -f mpeg "$dir/video/tour.mpg"
