#!/usr/bin/env bash
# Holds the sources to their layers. Each folder is a layer, and a file may
# include only from its own folder and from the layers below it:
#
#   text -> model -> xmlout -> ontylog | owl | maintenance -> frontend
#
# so nothing reaches up into a higher layer, and the three siblings share
# code only through the layers below them. Prints one line per include that
# breaks this and exits with 1; exits with 0 when there is none.
#
# usage: tools/check_layers.sh [REPOSITORY]
set -u
cd "${1:-$(dirname "$0")/..}" || exit 2

rank() {
    case "$1" in
    text) echo 1 ;;
    model) echo 2 ;;
    xmlout) echo 3 ;;
    ontylog | owl | maintenance) echo 4 ;;
    frontend) echo 5 ;;
    *) echo 0 ;;
    esac
}

status=0
checked=0
for layer in text model xmlout ontylog owl maintenance frontend; do
    for file in "$layer"/*.h "$layer"/*.cpp; do
        [ -f "$file" ] || continue
        checked=$((checked + 1))
        while IFS=: read -r line folder; do
            [ "$folder" = "$layer" ] && continue
            if [ "$(rank "$folder")" -eq 0 ] || [ "$(rank "$folder")" -ge "$(rank "$layer")" ]; then
                echo "$file:$line: includes from $folder/, which is not below $layer/"
                status=1
            fi
        done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' "$file" |
            sed -E 's|^([0-9]+):.*include[[:space:]]*"([^/"]+)/.*|\1:\2|')
    done
done
[ "$checked" -gt 0 ] || { echo "check_layers.sh: no sources found"; exit 2; }
[ "$status" -eq 0 ] && echo "layers: $checked files, every include points down"
exit "$status"
