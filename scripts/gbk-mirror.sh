#!/usr/bin/env bash
# Keeps a GBK copy of the sources the fuzz build compiles: clang reads UTF-8
# sources but cannot turn their literals into GBK, so it compiles this copy,
# whose literals it keeps byte for byte. Only files whose converted bytes
# changed are rewritten, so the copy's build stays incremental.
# Usage: gbk-mirror.sh SOURCE_ROOT MIRROR_ROOT
set -euo pipefail
source_root=$1
mirror_root=$2
cd "$source_root"
mkdir -p "$mirror_root"
converted=$(mktemp)
trap 'rm -f "$converted"' EXIT
while IFS= read -r -d '' file; do
  target="$mirror_root/$file"
  iconv -f UTF-8 -t CP936 "$file" >"$converted"
  if ! cmp -s "$converted" "$target" 2>/dev/null; then
    mkdir -p "$(dirname "$target")"
    cp "$converted" "$target"
  fi
done < <(find CMakeLists.txt cmake runtime app tests/fuzz -type f \
           \( -name '*.cpp' -o -name '*.h' -o -name '*.txt' -o -name '*.cmake' \) -print0)
