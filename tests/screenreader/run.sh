#!/bin/bash
# Plays a game with the real screen reader listening and checks what it says.
#
#   tests/screenreader/run.sh BUILD_DIR [WORKDIR]
#
# Starts, all private to this run: an X server (Xvfb) with a window manager
# (openbox), a D-Bus session with the accessibility bus, speech-dispatcher
# whose only voice is speaker.sh, and Orca in Italian with its default
# settings. Then play.py starts BUILD_DIR/tests/screenreader/mcm-mcd-listened
# and plays it with real keys, listening after each key until the voice is
# quiet. What Orca said is in WORKDIR/transcript.txt (default
# BUILD_DIR/screenreader). Exit status 0 when every check passed, 1 when one
# failed, 2 when something it needs is missing (tools/setup.sh installs it).
# One run at a time: Orca will not start beside another Orca of the same user.
set -u
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" = "--session" ]; then
    game=$2 work=$3
    children=()
    stop_children() {
        local pid
        for pid in "${children[@]}"; do kill "$pid" 2>/dev/null; done
        for pid in "${children[@]}"; do wait "$pid" 2>/dev/null; done
    }
    trap stop_children EXIT
    trap 'exit 1' TERM INT HUP

    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    children+=($!)
    exec 3>&-
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
    export DISPLAY=:$(head -1 "$work/display")

    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
    children+=($!)
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    children+=($!)
    speech-dispatcher --run-single --timeout 0 --communication-method unix_socket \
        --socket-path "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" >"$work/speechd.log" 2>&1 &
    children+=($!)
    for _ in $(seq 100); do
        [ -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" ] && xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null |
            grep -q 'window id' && break
        sleep 0.1
    done
    /usr/bin/python3 "$here/play.py" "$game" "$work"
    exit $?
fi

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 BUILD_DIR [WORKDIR]" >&2
    exit 2
fi
game=$(cd "$1" && pwd)/tests/screenreader/mcm-mcd-listened
[ -x "$game" ] || { echo "not built: $game" >&2; exit 2; }
work=${2:-$1/screenreader}
mkdir -p "$work" && work=$(cd "$work" && pwd)

missing=
for tool in orca speech-dispatcher espeak-ng Xvfb xdotool xprop openbox dbus-run-session localedef \
            /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || missing="$missing $tool"
done
[ -z "$missing" ] || { echo "missing:$missing (tools/setup.sh installs them)" >&2; exit 2; }
if pgrep -u "$(id -u)" -x orca >/dev/null; then
    echo "another Orca of this user is running: one run at a time" >&2
    exit 2
fi

# Orca speaks Italian when its locale is Italian. Debian builds that locale
# only on request, so it is built once here when the system lacks it.
if ! locale -a | grep -qix 'it_IT.utf8'; then
    [ -e "$work/locale/it_IT.UTF-8/LC_CTYPE" ] || { mkdir -p "$work/locale" &&
        localedef -i it_IT -f UTF-8 "$work/locale/it_IT.UTF-8"; } ||
        { echo "no it_IT.UTF-8 locale" >&2; exit 2; }
    export LOCPATH=$work/locale
fi

# A new home for every run: Orca's default settings, and a speech-dispatcher
# that speaks through speaker.sh only.
rm -rf "$work/home" "$work/run" "$work"/records* "$work"/*.log "$work/display" "$work/transcript.txt"
export HOME=$work/home XDG_RUNTIME_DIR=$work/run
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<CONF
DefaultLanguage "it"
DefaultModule speaker
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "speaker" "sd_generic" "$XDG_CONFIG_HOME/speech-dispatcher/speaker.conf"
SymbolsPreproc "char"
SymbolsPreprocFile "symbols.dic"
SymbolsPreprocFile "orca.dic"
SymbolsPreprocFile "orca-chars.dic"
CONF
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speaker.conf" <<CONF
GenericExecuteSynth "exec $here/speaker.sh $work/speech.log \'\$DATA\' \'\$LANGUAGE\'"
GenericMaxChunkLength 10000
GenericDelimiters "~"
GenericLanguage "it" "it" "utf-8"
AddVoice "it" "MALE1" "it"
DefaultVoice "it"
CONF
: >"$work/speech.log"

# The whole session, every process in it, stops after 600 s at the latest.
timeout -k 5 600 dbus-run-session -- "$0" --session "$game" "$work" 2>"$work/play.log"
status=$?
cat "$work/transcript.txt" 2>/dev/null
[ $status -eq 124 ] && echo "the run passed its 600 s limit" >&2
[ $status -eq 0 ] || { echo "screen-reader test FAILED (logs in $work)" >&2; exit 1; }
echo "screen-reader test passed"
