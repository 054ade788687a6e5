#!/bin/sh
# Instructions per EDID of tessarin-report, net of process start: callgrind
# counts a run over 40 sample EDIDs and a run over the first of them, and the
# difference is divided by 39. Not part of the test run; see the README.
#   bench/report_instructions.sh BUILD_DIR [SAMPLES_DIR] [FORMAT...]
# FORMAT is one of the tool's formats, with ":standard" for the report
# without the complete decode (text:standard); the default is the text and
# RTF reports, each with and without it.
set -eu
build=${1:?usage: $0 BUILD_DIR [SAMPLES_DIR] [FORMAT...]}
samples=${2:-$(dirname "$0")/../../shared/corpus/samples}
shift $(( $# > 1 ? 2 : 1 ))
[ $# -gt 0 ] || set -- text:standard rtf:standard text rtf
tool=$build/cli/tessarin-report
[ -x "$tool" ] || tool=$build/tessarin-report
if [ ! -d "$samples" ]; then
    echo "no sample EDIDs in $samples: skipped" >&2
    exit 0
fi
files=$(ls "$samples"/*.bin | LC_ALL=C sort | head -n 40)
first=$(printf '%s\n' $files | head -n 1)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

instructions() { # FORMAT[:standard] FILE...
    format=${1%:standard}
    standard=
    [ "$format" = "$1" ] || standard=--standard
    shift
    valgrind --tool=callgrind --callgrind-out-file="$work/out" \
        "$tool" --format "$format" $standard --output-dir "$work/reports" "$@" >/dev/null 2>"$work/log"
    sed -n 's/^summary: //p' "$work/out"
}

for format in "$@"; do
    many=$(instructions "$format" $files)
    one=$(instructions "$format" "$first")
    echo "$format: $(( (many - one) / 39 )) instructions per EDID"
done
