# Shared by the cross-build scripts: package installation and the cache folder.

# Installs the Debian packages given that are not installed yet.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# The folder for builds kept between runs, outside the repository.
cache_dir() {
    if [ -n "${MCM_CACHE:-}" ]; then
        echo "$MCM_CACHE"
    elif mkdir -p /var/cache/mcm-mcd 2>/dev/null && [ -w /var/cache/mcm-mcd ]; then
        echo /var/cache/mcm-mcd
    else
        echo "${XDG_CACHE_HOME:-$HOME/.cache}/mcm-mcd"
    fi
}
