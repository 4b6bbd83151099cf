# The test ontologies: data/ontologies/ keeps the small files as text and
# the large ones compressed (NAME.xz); every user reads them unpacked, from
# BUILD/data/ontologies of a build tree. CMake unpacks them when it configures
# a tree; the scripts that run outside CMake (benches, fuzzing, the digests
# script) source this file and call ontologies_dir.
#
# Sourced: ontologies_dir BUILD prints the unpacked folder of BUILD, after
#   bringing it up to date. Fails, saying why, when a file cannot be unpacked.
# Run: bash scripts/lib/ontologies.sh BUILD does the same (CMake's way in).
#
# The unpacked folder mirrors data/ontologies/: a file is written again only
# when its source is newer, files whose source is gone are removed, and each
# file appears whole and read-only (written aside, then renamed), so that
# runs at the same time do not see half a file.

ONTOLOGIES_SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../data/ontologies" && pwd)

# Unpacks (or copies) data/ontologies/REL to DEST/REL without .xz.
ontologies_unpack_file() {
    local rel=$1 dest=$2 source target part
    source=$ONTOLOGIES_SOURCE/$rel
    target=$dest/${rel%.xz}
    [ "$target" -nt "$source" ] && return 0
    mkdir -p "$(dirname "$target")" || return 1
    part=$target.unpacking.$$
    case $rel in
    *.xz) xz -dc "$source" >"$part" ;;
    *) cp "$source" "$part" ;;
    esac || {
        rm -f "$part"
        echo "cannot unpack $source into $target" >&2
        return 1
    }
    # Read-only: the copy is refreshed from its source, never edited.
    chmod a-w "$part" && mv -f "$part" "$target"
}

# Brings DEST up to date with data/ontologies/.
ontologies_unpack() {
    local dest=$1 rel
    if ! command -v xz >/dev/null; then
        echo "xz is not installed (apt-get install xz-utils): it unpacks data/ontologies/" >&2
        return 1
    fi
    local sources
    sources=$(cd "$ONTOLOGIES_SOURCE" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) || return 1
    local duplicate
    duplicate=$(printf '%s\n' "$sources" | sed 's/\.xz$//' | LC_ALL=C sort | uniq -d)
    if [ -n "$duplicate" ]; then
        echo "data/ontologies/ holds both a file and its .xz: $duplicate" >&2
        return 1
    fi
    while IFS= read -r rel; do
        ontologies_unpack_file "$rel" "$dest" || return 1
    done <<<"$sources"
    # Files whose source is gone; the parts of other runs stay.
    [ -d "$dest" ] || return 0
    (cd "$dest" && find . -type f ! -name '*.unpacking.*' | sed 's|^\./||') | while IFS= read -r rel; do
        case $rel in
        *.xz) rm -f "$dest/$rel" ;;
        *) [ -f "$ONTOLOGIES_SOURCE/$rel" ] || [ -f "$ONTOLOGIES_SOURCE/$rel.xz" ] || rm -f "$dest/$rel" ;;
        esac
    done
}

# The unpacked folder of build tree BUILD, brought up to date.
ontologies_dir() {
    local dest
    dest=$(mkdir -p "$1" && cd "$1" && pwd)/data/ontologies || return 1
    ontologies_unpack "$dest" || return 1
    printf '%s\n' "$dest"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    [ $# -eq 1 ] || { echo "usage: bash scripts/lib/ontologies.sh BUILD" >&2; exit 2; }
    ontologies_dir "$1"
fi
