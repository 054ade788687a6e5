#!/usr/bin/env bash
# scripts/packages.sh's backports logic on fake apt folders: which entry it
# copies, that it adds no second backports entry, and that it leaves other
# releases alone. Nothing here touches the machine's apt.
set -euo pipefail
source "$(dirname "$0")/../../scripts/packages.sh"
tessarin_as_root() { "$@"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() { # name, expected, actual
    if [ "$2" != "$3" ]; then
        echo "FAIL $1"; echo "  expected: $2"; echo "  actual:   $3"; failures=$((failures + 1))
    else
        echo "ok   $1"
    fi
}
fresh() { # codename
    rm -rf "$work/etc"; mkdir -p "$work/etc/apt/sources.list.d"
    printf 'ID=debian\nVERSION_CODENAME=%s\n' "$1" > "$work/etc/os-release"
    export TESSARIN_APT_DIR=$work/etc/apt TESSARIN_OS_RELEASE=$work/etc/os-release
}
written() { cat "$TESSARIN_APT_DIR/sources.list.d/bookworm-backports.sources" 2>/dev/null || echo "(none)"; }

fresh bookworm
cat > "$TESSARIN_APT_DIR/sources.list.d/debian.sources" <<'X'
Types: deb
# a snapshot mirror in a comment
URIs: http://mirror.example/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://mirror.example/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
X
tessarin_enable_backports > "$work/said"
check "deb822: the main entry's URIs and keyring" "Types: deb
URIs: http://mirror.example/debian
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" "$(written)"
check "says so on the terminal" 1 "$(grep -c 'enabling bookworm-backports' "$work/said")"
before=$(ls "$TESSARIN_APT_DIR/sources.list.d" | wc -l)
tessarin_enable_backports > "$work/said"
check "no second entry once enabled" "$before" "$(ls "$TESSARIN_APT_DIR/sources.list.d" | wc -l)"

fresh bookworm
echo 'deb [arch=amd64 signed-by=/etc/keys/debian.gpg] http://proxy.example:3142/debian bookworm main' \
    > "$TESSARIN_APT_DIR/sources.list"
echo 'deb http://proxy.example:3142/debian-security bookworm-security main' >> "$TESSARIN_APT_DIR/sources.list"
tessarin_enable_backports > /dev/null
check "one-line list: URI and signed-by option" "Types: deb
URIs: http://proxy.example:3142/debian
Suites: bookworm-backports
Components: main
Signed-By: /etc/keys/debian.gpg" "$(written)"

fresh bookworm
echo 'deb http://deb.example/debian bookworm main' > "$TESSARIN_APT_DIR/sources.list"
printf 'Types: deb\nURIs: http://deb.example/debian\nSuites: bookworm-backports\nComponents: main\n' \
    > "$TESSARIN_APT_DIR/sources.list.d/by-hand.sources"
tessarin_enable_backports > /dev/null
check "an entry made by hand is respected" "(none)" "$(written)"

fresh bookworm
echo '# deb http://deb.example/debian bookworm-backports main' > "$TESSARIN_APT_DIR/sources.list"
echo 'deb http://deb.example/debian bookworm main' >> "$TESSARIN_APT_DIR/sources.list"
tessarin_enable_backports > /dev/null
check "a commented-out entry does not count" "http://deb.example/debian" "$(written | sed -n 's/^URIs: //p')"

fresh bookworm
status=0
tessarin_enable_backports 2> "$work/err" > /dev/null || status=$?
check "no Debian entry: nothing written, a message" "1 (none) 1" "$status $(written) $(grep -c 'by hand' "$work/err")"

fresh trixie
echo 'deb http://deb.example/debian trixie main' > "$TESSARIN_APT_DIR/sources.list"
tessarin_enable_backports > /dev/null
check "Debian 13: no backports needed" "(none)" "$(written)"

[ "$failures" -eq 0 ]
