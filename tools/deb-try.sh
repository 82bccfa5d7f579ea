#!/usr/bin/env bash
# Tries the Debian package on this machine as a school uses it: installs it
# with apt, lets a throwaway account of the group games play a whole game
# under Xvfb and beat the record, upgrades the package, removes it and
# installs it again (the record stays each time), and purges it (nothing of
# it stays). Deletes the account and leaves the machine as it found it; the
# tools it installs (Xvfb, xdotool, the accessibility bus) stay.
# Refuses to run where the game is installed or its record folder exists.
# Usage: tools/deb-try.sh [PACKAGE.deb]   (as root; default: the newest in dist/)
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
deb=$(realpath "${1:-$(ls -t "$top"/dist/mcm-mcd_*.deb | head -n 1)}")
records=/var/games/mcm-mcd
fail() { echo "deb-try: $*" >&2; exit 1; }

[ "$(id -u)" -eq 0 ] || fail "run me as root: I install and purge a package and add an account"
if dpkg-query -W -f='${Status}' mcm-mcd 2>/dev/null | grep -qv 'not-installed' || [ -e "$records" ]; then
    fail "mcm-mcd or $records is already on this machine: I leave a real record alone"
fi

apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=600 "$@" >/dev/null; }
tools=(xvfb xdotool at-spi2-core python3-pyatspi dbus)
for package in "${tools[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        apt_get update
        apt_get install "${tools[@]}"
        break
    fi
done

child=mcm-try-$$
scratch=$(mktemp -d)
chmod 755 "$scratch"
cleanup() {
    [ -z "${xvfb:-}" ] || kill "$xvfb" 2>/dev/null || true
    if getent passwd "$child" >/dev/null; then userdel -r "$child" 2>/dev/null || true; fi
    rm -rf "/tmp/runtime-$child" # where Qt works without a session's runtime folder
    if dpkg-query -W mcm-mcd >/dev/null 2>&1; then apt_get purge mcm-mcd || true; fi
    rm -rf "$scratch"
}
trap cleanup EXIT

# The child reads the question as a screen reader would, and answers right.
cat >"$scratch/answer.py" <<'EOF'
import math
import pyatspi

def nodes(node):
    yield node
    for child in node:
        if child is not None:
            yield from nodes(child)

game = next(a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "mcm-mcd")
numbers, kind = {}, None
for node in nodes(game):
    if node.getRoleName() == "text" and node.name in ("Primo numero", "Secondo numero"):
        text = node.queryText()
        numbers[node.name] = int(text.getText(0, text.characterCount))
    if node.name in ("minimo comune multiplo", "Massimo Comune Divisore"):
        kind = node.name
a, b = numbers["Primo numero"], numbers["Secondo numero"]
print(a * b // math.gcd(a, b) if kind == "minimo comune multiplo" else math.gcd(a, b))
EOF

# One game, by the keyboard alone: the name, one right answer, Alt+X, Sì, and
# the record message. Without a window manager a window has the keyboard
# only once it is given the focus.
cat >"$scratch/play.sh" <<'EOF'
set -eu
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 mcm-mcd &
game=$!
focus_top() { sleep 2; xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '' | tail -n 1)"; }
focus_top; xdotool type --delay 50 Anna; xdotool key Return
focus_top; xdotool key Return
focus_top; xdotool type --delay 50 "$(/usr/bin/python3 "$1")"; xdotool key Return
focus_top; xdotool key alt+x
focus_top; xdotool key Tab space
focus_top; xdotool key Return
for _ in $(seq 20); do kill -0 "$game" 2>/dev/null || break; sleep 1; done
kill "$bus"
! kill -0 "$game" 2>/dev/null || { kill "$game"; echo "the game did not end" >&2; exit 1; }
EOF

expect_record() {
    cmp -s <(printf '1\r\n') "$records/primato.txt" && cmp -s <(printf 'Anna\r\n') "$records/nprimato.txt" ||
        fail "$1: the record is not 1 by Anna: $(cat -A "$records/primato.txt" "$records/nprimato.txt" 2>&1)"
}

apt_get install "$deb"
[ "$(stat -c '%U:%G %a' "$records")" = "root:games 2775" ] || fail "install left $records as $(stat -c '%U:%G %a' "$records")"
[ -x /usr/bin/mcm-mcd ] && man -w mcm-mcd >/dev/null || fail "install has no /usr/bin/mcm-mcd or no manual page"

useradd --create-home --groups games "$child"
Xvfb -displayfd 3 -ac -screen 0 1024x768x24 3>"$scratch/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 20); do [ -s "$scratch/display" ] && break; sleep 0.5; done
su - "$child" -c "DISPLAY=:$(cat "$scratch/display") dbus-run-session -- sh $scratch/play.sh $scratch/answer.py" ||
    fail "the game was not played to its end"
expect_record "a whole game"
[ "$(stat -c %G "$records/primato.txt")" = games ] || fail "the record file is not the group's"

# An upgrade: the same package under a higher version.
dpkg-deb --raw-extract "$deb" "$scratch/newer"
sed -i 's/^Version: .*/&+try1/' "$scratch/newer/DEBIAN/control"
dpkg-deb --root-owner-group --build "$scratch/newer" "$scratch/newer.deb" >/dev/null
apt_get install "$scratch/newer.deb"
[ "$(dpkg-query -W -f='${Version}' mcm-mcd)" = "$(dpkg-deb -f "$deb" Version)+try1" ] || fail "apt did not upgrade"
expect_record "upgrade"

apt_get remove mcm-mcd
[ ! -e /usr/bin/mcm-mcd ] || fail "remove left /usr/bin/mcm-mcd"
expect_record "remove"
apt_get install "$deb"
expect_record "install after remove"

apt_get purge mcm-mcd
[ ! -e "$records" ] || fail "purge left $records: $(ls -A "$records")"
! dpkg-query -W mcm-mcd >/dev/null 2>&1 || fail "purge left mcm-mcd known to dpkg"
echo "deb-try: $deb installs, plays a whole game, keeps the record through upgrade, remove and reinstall, and leaves nothing on purge"
