#!/bin/sh
# The loudspeaker of the test. speech-dispatcher's generic module runs
#   speaker.sh LOG TEXT LANGUAGE
# for every text it would say aloud. The text is written to LOG, then this
# takes as long as espeak-ng needs to say it at Orca's usual pace. When the
# screen reader interrupts, speech-dispatcher kills us: the text then has a
# "say" line and no "done" line in LOG.
log=$1 text=$2 lang=${3:-it}
# espeak-ng's WAV output: 22050 samples of 2 bytes a second after a 44-byte header.
seconds=$(espeak-ng -v "$lang" -s 170 --stdout -- "$text" 2>/dev/null | wc -c |
          awk '{ s = ($1 - 44) / 44100; printf "%.2f", (s > 0 ? s : 0) }')
printf 'say\t%s\t%s\t%s\t%s\n' "$(date +%s.%N)" "$$" "$seconds" "$(printf '%s' "$text" | tr '\n\t' '  ')" >>"$log"
sleep "$seconds"
printf 'done\t%s\t%s\n' "$(date +%s.%N)" "$$" >>"$log"
