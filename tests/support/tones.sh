#!/usr/bin/env bash
# usage: tones.sh RAW_FILE (mono signed 16-bit little-endian samples at 44.1 kHz, as parec writes)
# Prints "HZ SECONDS" per tone heard, in order (a tone broken by up to 0.3 s of silence, as a busy
# machine may drop, counts once), then "gap ANY CHANGE": the longest silence within the sound, and
# the longest where one tone gives way to another; then "quiet SECONDS" of silence at the end.
ffmpeg -nostdin -nostats -hide_banner -v info -f s16le -ar 44100 -ac 1 -i "$1" -af \
    "asetnsamples=n=1764:p=0,astats=metadata=1:reset=1:measure_perchannel=RMS_level+Zero_crossings_rate:measure_overall=none,ametadata=print:file=-,silencedetect=n=-50dB:d=0.002" \
    -f null - 2>&1 | awk '
    function same(a, b) { return (a == 0) == (b == 0) && a - b <= 30 && b - a <= 30 }
    /^frame:/ { n++ }
    /RMS_level=/ { split($0, v, "="); loud[n - 1] = v[2] != "-inf" && v[2] + 0 > -40 }
    /Zero_crossings_rate=/ { split($0, v, "="); hz[n - 1] = loud[n - 1] ? v[2] * 22050 : 0 }
    /silence_start: / { start = $NF; last = "" }
    /silence_end: / { match($0, /silence_end: [0-9.]+/); last = quiet[start] = substr($0, RSTART + 13, RLENGTH - 13) }
    END {
        # Runs of 40 ms windows of one tone or of silence; a run of a tone shorter than 0.1 s is
        # where one sound turns into another.
        for (i = 0; i < n; i++) {
            if (runs && same(f[runs], hz[i])) {
                f[runs] = (f[runs] * s[runs] + hz[i] * 0.04) / (s[runs] + 0.04); s[runs] += 0.04
            } else { f[++runs] = hz[i]; s[runs] = 0.04 }
        }
        for (r = 1; r <= runs; r++) {
            if (f[r] == 0) { silence += s[r]; continue }
            if (s[r] < 0.1) continue
            if (tones && silence <= 0.3 && same(tf[tones], f[r])) {
                tf[tones] = (tf[tones] * ts[tones] + f[r] * s[r]) / (ts[tones] + s[r]); ts[tones] += s[r]
            } else { tf[++tones] = f[r]; ts[tones] = s[r] }
            silence = 0
        }
        for (t = 1; t <= tones; t++) printf "%.0f %.2f\n", tf[t], ts[t]
        for (b in quiet) {
            if (b + 0 == 0 || quiet[b] + 0 >= (n - 1) * 0.04) continue
            any = quiet[b] - b > any ? quiet[b] - b : any
            before = hz[int(b / 0.04) - 1]; after = hz[int(quiet[b] / 0.04) + 1]
            if (before && after && !same(before, after) && quiet[b] - b > change) change = quiet[b] - b
        }
        printf "gap %.3f %.3f\nquiet %.2f\n", any, change, last == "" || last < (n - 1) * 0.04 ? 0 : last - start
    }'
