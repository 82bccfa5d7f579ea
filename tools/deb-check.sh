#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian (any error or warning
# fails), and runs its maintainer scripts on a scratch root: install, remove,
# upgrade and purge must keep or take away the shared record as they should.
# Usage: tools/deb-check.sh   (as root or through sudo)
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
fail() { echo "deb-check: $*" >&2; exit 1; }

bash "$top/tools/deb.sh"
deb=$(ls -t "$top"/dist/mcm-mcd_*.deb | head -n 1)

if ! command -v lintian >/dev/null; then
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q lintian
fi
lintian --fail-on error,warning --display-info "$deb" || fail "lintian does not pass $deb"

scratch=$(mktemp -d)
trap '$sudo rm -rf "$scratch"' EXIT
dpkg-deb --control "$deb" "$scratch/control"
root=$scratch/root
records=$root/var/games/mcm-mcd
own=(primato.txt nprimato.txt primato.lock primato.txt.new nprimato.txt.new primato.txt.commit)

# dpkg tells the maintainer scripts which root they act on in DPKG_ROOT.
run() { $sudo env DPKG_ROOT="$root" sh "$scratch/control/$1" "${@:2}" || fail "$* failed"; }
make_record() { for name in "${own[@]}" "$@"; do echo 7 | $sudo tee "$records/$name" >/dev/null; done; }
expect_record() {
    for name in "${own[@]}"; do
        [ -f "$records/$name" ] || fail "$1 lost $name"
    done
}
expect_folder() {
    [ "$(stat -c '%U:%G %a' "$records")" = "root:games 2775" ] ||
        fail "$1 left /var/games/mcm-mcd as $(stat -c '%U:%G %a' "$records"), not root:games 2775"
}

mkdir -p "$root"
run postinst configure
expect_folder "install"
make_record
run postrm remove
expect_record "remove"
run postinst configure 1.0.0
expect_record "install after remove"
run postrm upgrade 1.0.0
run postinst configure 1.0.0
expect_record "upgrade"
expect_folder "upgrade"

run postrm purge
[ ! -e "$records" ] || fail "purge left /var/games/mcm-mcd: $(ls -A "$records")"
[ ! -e "$root/var/games" ] || fail "purge left an empty /var/games that no package ships"

# A teacher's own file, or a link where a record file would be, is not the
# game's: purge takes the game's files and leaves the folder with the rest.
run postinst configure
make_record appunti.txt
$sudo rm "$records/nprimato.txt"
$sudo ln -s /etc/hostname "$records/nprimato.txt"
run postrm purge
[ "$(ls -A "$records" | tr '\n' ' ')" = "appunti.txt nprimato.txt " ] ||
    fail "purge beside a teacher's files left: $(ls -A "$records")"

# /var/games as a link to a folder elsewhere is the administrator's: purge
# empties the game's folder through it and leaves the link.
$sudo rm -r "$root/var"
$sudo mkdir -p "$root/var" "$root/srv/games"
$sudo ln -s ../srv/games "$root/var/games"
run postinst configure
make_record
run postrm purge
[ -L "$root/var/games" ] && [ -z "$(ls -A "$root/srv/games")" ] ||
    fail "purge through a linked /var/games left: $(ls -lA "$root/var" "$root/srv/games")"

# The scripts ask the dpkg database under DPKG_ROOT, not this machine's: a
# stat override there keeps the folder as the administrator made it, and a
# package there that ships /var/games keeps that folder at purge.
$sudo rm -r "$root/var" "$root/srv"
admin=$root/var/lib/dpkg
$sudo mkdir -p "$admin/info"
echo "root root 750 /var/games/mcm-mcd" | $sudo tee "$admin/statoverride" >/dev/null
printf '%s\n' "Package: altro-gioco" "Status: install ok installed" "Version: 1" "Architecture: all" \
    "Maintainer: Prova <prova@example.org>" "Description: another game" | $sudo tee "$admin/status" >/dev/null
printf '%s\n' /. /var /var/games | $sudo tee "$admin/info/altro-gioco.list" >/dev/null
$sudo install -d -m 750 "$records"
run postinst configure
[ "$(stat -c '%U:%G %a' "$records")" = "root:root 750" ] ||
    fail "postinst set /var/games/mcm-mcd to $(stat -c '%U:%G %a' "$records") despite its stat override"
run postrm purge
[ -d "$root/var/games" ] && [ ! -e "$records" ] ||
    fail "purge with /var/games shipped by another package left: $(ls -A "$root/var/games" 2>&1)"

echo "deb-check: $deb passes lintian and its maintainer scripts keep the record as they should"
