# Sourced by scripts/quickstart and .ci/run: the one place that installs
# Debian packages, from scripts/debian-packages.txt.

tessarin_packages() {
    sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$(dirname "${BASH_SOURCE[0]}")/debian-packages.txt"
}

tessarin_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "needs root (or sudo) for: $*" >&2
        return 1
    fi
}

# The packages of the list that are not installed, one a line.
tessarin_missing_packages() {
    local package
    for package in $(tessarin_packages); do
        if [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" != installed ]; then
            echo "$package"
        fi
    done
}

# Installs what is missing; with --always, updates and installs the whole list
# (CI on a fresh machine). With everything installed it needs no root.
tessarin_install_packages() {
    local packages
    if [ "${1:-}" = --always ]; then
        packages=$(tessarin_packages)
    else
        packages=$(tessarin_missing_packages)
        [ -n "$packages" ] || return 0
        echo "installing: $(echo $packages)"
    fi
    tessarin_as_root env DEBIAN_FRONTEND=noninteractive apt-get update
    # shellcheck disable=SC2086 # one word a package
    tessarin_as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends $packages
}
