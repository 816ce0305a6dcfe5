#!/bin/sh
# make-chapter.sh PAGE.gz TITLE OUT
# Takes the chapter headed ".SH TITLE" from a gzipped Japanese manual page,
# keeps its running text (roff requests and font escapes dropped, the words
# of font macros kept) and writes it as one Quenta message in code page 932:
# every source line ends in <R>, and "<" is doubled so that it stays text.
set -eu
page=$1
title=$2
out=$3

gzip -dc "$page" |
  awk -v heading=".SH $title" '
    /^\.SH/ { line = $0; gsub(/"/, "", line); sub(/ +$/, "", line); inside = (line == heading); next }
    inside' |
  sed -e 's/^\.\(B\|I\|SM\|SB\|BR\|RB\|IR\|RI\|BI\|IB\|SS\)  *//' \
      -e '/^[.'"'"']/d' \
      -e 's/\\f[BIRPC]//g; s/\\f([A-Z][A-Z]//g; s/\\f\[[^]]*\]//g' \
      -e 's/\\(em/--/g; s/\\(en/-/g; s/\\(aq/'"'"'/g; s/\\(dq/"/g; s/\\([a-z][a-z]//g' \
      -e 's/\\\[[^]]*\]//g; s/\\-/-/g; s/\\e/\\/g; s/\\ / /g; s/\\[&|^%]//g' \
      -e 's/"//g' \
      -e 's/</<</g' |
  awk '{ printf "%s<R>", $0 }' >"$out.utf8"

# -c drops the few characters code page 932 lacks; iconv then exits 1.
iconv -c -f UTF-8 -t CP932 "$out.utf8" >"$out.tmp" || test -s "$out.tmp"
rm -f "$out.utf8"
mv "$out.tmp" "$out"
