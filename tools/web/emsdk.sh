# Sourced by the web build scripts: Debian's emscripten laid out as the emsdk
# that Qt's CMake looks for (it reads the folder from EMSDK), in the cache.
# Debian's emscripten keeps its own prebuilt, frozen cache of system libraries;
# the layout only links to it, so every compile still finds them.
emscripten_version=$(cat /usr/share/emscripten/emscripten-version.txt)
export EMSDK="$(cache_dir)/emsdk-$emscripten_version"
export NODE_PATH=/usr/share/nodejs
if [ ! -f "$EMSDK/.emscripten" ]; then
    rm -rf "$EMSDK"
    mkdir -p "$EMSDK/upstream/emscripten"
    for entry in /usr/share/emscripten/* /usr/share/emscripten/.emscripten; do
        ln -s "$entry" "$EMSDK/upstream/emscripten/"
    done
    for tool in emcc em++ emar emranlib; do
        ln -s "/usr/bin/$tool" "$EMSDK/upstream/emscripten/$tool"
    done
    echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" > "$EMSDK/.emscripten"
fi
