# Sourced by scripts/quickstart and .ci/run: the one place that installs
# Debian packages, from scripts/debian-packages.txt.

tessarin_packages() {
    sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$(dirname "${BASH_SOURCE[0]}")/debian-packages.txt"
    echo libdisplay-info-dev
}

# Where apt's sources and the release name are read; overridable so the
# backports logic can be tried on a fake folder.
TESSARIN_APT_DIR=${TESSARIN_APT_DIR:-/etc/apt}
TESSARIN_OS_RELEASE=${TESSARIN_OS_RELEASE:-/etc/os-release}

# "bookworm" on Debian 12, and so on; nothing on other systems.
tessarin_debian_codename() {
    [ -r "$TESSARIN_OS_RELEASE" ] || return 0
    (
        # shellcheck disable=SC1090
        . "$TESSARIN_OS_RELEASE"
        [ "${ID:-}" = debian ] && echo "${VERSION_CODENAME:-}"
    )
}

# Whether any source entry (one-line or deb822, comments aside) already
# names the suite $1.
tessarin_has_suite() {
    local suite=$1 file content
    for file in "$TESSARIN_APT_DIR"/sources.list "$TESSARIN_APT_DIR"/sources.list.d/*.list \
        "$TESSARIN_APT_DIR"/sources.list.d/*.sources; do
        [ -r "$file" ] || continue
        content=$(sed -e 's/#.*//' "$file")
        grep -Eq "(^|[[:space:]])$suite([[:space:]]|\$)" <<< "$content" && return 0
    done
    return 1
}

# The URIs and Signed-By of the machine's own entry for suite $1, as two
# lines: deb822 files first (debian.sources), then the one-line list. Empty
# when there is no such entry; Signed-By may be empty (apt's default keys).
tessarin_debian_entry() {
    local suite=$1 file
    for file in "$TESSARIN_APT_DIR"/sources.list.d/debian.sources "$TESSARIN_APT_DIR"/sources.list.d/*.sources; do
        [ -r "$file" ] || continue
        awk -v suite="$suite" '
            function flush() {
                if (!done && types ~ /(^| )deb( |$)/ && (" " suites " ") ~ (" " suite " ") && uris != "") {
                    print uris; print signed; done = 1
                }
                types = ""; suites = ""; uris = ""; signed = ""
            }
            /^[[:space:]]*#/ { next }
            /^[[:space:]]*$/ { flush(); next }
            {
                key = $1; sub(/:$/, "", key); value = $0; sub(/^[^:]*:[[:space:]]*/, "", value)
                if (key == "Types") types = value
                else if (key == "Suites") suites = value
                else if (key == "URIs") uris = value
                else if (key == "Signed-By") signed = value
            }
            END { flush() }' "$file" | grep . && return 0
    done
    [ -r "$TESSARIN_APT_DIR/sources.list" ] || return 0
    awk -v suite="$suite" '
        $1 != "deb" { next }
        {
            i = 2; signed = ""
            if ($2 ~ /^\[/) {
                while (i <= NF) {
                    if ($i ~ /^\[?signed-by=/) { signed = $i; sub(/^\[?signed-by=/, "", signed); sub(/\]$/, "", signed) }
                    if ($i ~ /\]$/) { i++; break }
                    i++
                }
            }
            if ($(i + 1) == suite) { print $i; print signed; exit }
        }' "$TESSARIN_APT_DIR/sources.list"
}

# Debian 12 has libdisplay-info-dev in bookworm-backports only. Enables that
# suite, when no entry names it yet, with the URIs and keyring of the
# machine's own Debian entry (so a mirror or proxy it uses is kept). Says what
# it does; returns 1 when there is nothing to copy the entry from.
tessarin_enable_backports() {
    local codename entry uris signed target
    codename=$(tessarin_debian_codename)
    [ "$codename" = bookworm ] || return 0
    tessarin_has_suite "$codename-backports" && return 0
    entry=$(tessarin_debian_entry "$codename")
    uris=$(echo "$entry" | sed -n 1p)
    signed=$(echo "$entry" | sed -n 2p)
    if [ -z "$uris" ]; then
        echo "no Debian entry for $codename in $TESSARIN_APT_DIR: enable $codename-backports by hand" \
            "for libdisplay-info-dev" >&2
        return 1
    fi
    target=$TESSARIN_APT_DIR/sources.list.d/$codename-backports.sources
    echo "enabling $codename-backports for libdisplay-info-dev: writing $target" \
        "(URIs: $uris${signed:+, Signed-By: $signed})"
    {
        echo "Types: deb"
        echo "URIs: $uris"
        echo "Suites: $codename-backports"
        echo "Components: main"
        [ -z "$signed" ] || echo "Signed-By: $signed"
    } | tessarin_as_root tee "$target" >/dev/null
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
    # Debian 12 has libdisplay-info only in backports, so the plain name takes
    # it from there and nothing else comes from backports.
    if echo "$packages" | grep -qx libdisplay-info-dev; then
        tessarin_enable_backports || true
    fi
    tessarin_as_root env DEBIAN_FRONTEND=noninteractive apt-get update
    # shellcheck disable=SC2086 # one word a package
    tessarin_as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends $packages
}
