#!/usr/bin/env bash
# Fails when an #include runs up the house: launcher | app > editor > filer > view > shell > charset > model.
# A file may include its own floor and the floors below it; launcher and app include neither each other.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."

declare -A floor=([model]=0 [charset]=1 [shell]=2 [view]=3 [filer]=4 [editor]=5 [app]=6 [launcher]=6)
bad=0
while IFS= read -r hit; do
  file=${hit%%:*}
  rest=${hit#*:}; line=${rest%%:*}
  target=$(sed -E 's/^[^"]*"([^"]+)".*/\1/' <<<"${rest#*:}")
  # Paths with ".." are relative to the including file; others are relative to the root.
  if [[ $target == ../* || $target == ./* ]]; then
    target=$(realpath -m --relative-to=. "$(dirname "$file")/$target")
  fi
  from=${file%%/*}
  to=${target%%/*}
  [[ $target == */* && -n ${floor[$to]:-} ]] || continue
  if (( floor[$to] > floor[$from] )) || { (( floor[$to] == floor[$from] )) && [[ $to != "$from" ]]; }; then
    echo "$file:$line: $from includes $target, which lies above it" >&2
    bad=1
  fi
done < <(grep -rnE --include='*.cpp' --include='*.h' --include='*.inc' --include='*.rc' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' \
           model charset shell view filer editor app launcher)
[ $bad -eq 0 ] && echo "layers: every include points down"
exit $bad
