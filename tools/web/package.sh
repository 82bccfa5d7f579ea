#!/usr/bin/env bash
# Lays out the web version of the game as a folder of static files for any web
# server, each text file also compressed (.br, .gz) for servers that can send
# those as they are, and zips the folder: DIST_DIR/mcm-mcd-VERSION-web.zip.
# BUILD_DIR is the folder with the built mcm-mcd.js and mcm-mcd.wasm, or the
# build tree with them in app/. The last line printed is the folder.
# Usage: tools/web/package.sh BUILD_DIR DIST_DIR VERSION
set -euo pipefail

top=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "web package: $*" >&2; exit 1; }

[ $# -eq 3 ] || fail "usage: $0 BUILD_DIR DIST_DIR VERSION"
build=$1
dist=$2
version=$3
# The version goes into file names and into the worker's code.
[[ $version =~ ^[0-9A-Za-z][0-9A-Za-z.+~-]*$ ]] || fail "version '$version': letters, digits and . + ~ - only"
[ -f "$build/mcm-mcd.wasm" ] || build=$build/app
for file in mcm-mcd.js mcm-mcd.wasm; do
    [ -f "$build/$file" ] || fail "no $file in $1 nor in $1/app"
done
for tool in brotli gzip zip; do
    command -v "$tool" >/dev/null || fail "$tool missing"
done

web=$top/packaging/web
name=mcm-mcd-$version-web
mkdir -p "$dist"
dist=$(cd "$dist" && pwd)
folder=$dist/$name
rm -rf "$folder" "$dist/$name.zip"
mkdir -p "$folder/icons"

cp "$web/page.js" "$web/page.css" "$web/manifest.webmanifest" "$folder/"
cp "$web"/icons/*.png "$top/ui/pictures/hicolor/mcm-mcd-32.png" "$top/ui/pictures/mcm-mcd.svg" "$folder/icons/"
install -m 644 "$build/mcm-mcd.js" "$build/mcm-mcd.wasm" "$folder/"
wasm_bytes=$(stat -c %s "$folder/mcm-mcd.wasm")
sed "s/@WASM_BYTES@/$wasm_bytes/" "$web/index.html" >"$folder/index.html"

# The worker keeps every file of the folder, and the folder itself for the
# page's address without index.html; written last, it does not list itself.
files=$(cd "$folder" && find . -type f -printf '%P\n' | LC_ALL=C sort | sed "s/.*/'&'/" | paste -sd, -)
sed -e "s/@VERSION@/$version/" -e "s|'@FILES@'|'./',$files|" "$web/sw.js" >"$folder/sw.js"

find "$folder" -type f \( -name '*.wasm' -o -name '*.js' -o -name '*.html' -o -name '*.css' \
    -o -name '*.webmanifest' -o -name '*.svg' \) -print0 |
    while IFS= read -r -d '' file; do
        brotli -q 11 -f -o "$file.br" "$file"
        gzip -9 -n -c "$file" >"$file.gz"
        for copy in "$file.br" "$file.gz"; do
            [ "$(stat -c %s "$copy")" -lt "$(stat -c %s "$file")" ] || rm "$copy"
        done
    done

(cd "$dist" && TZ=UTC zip -q -r -X "$name.zip" "$name")
echo "$folder"
