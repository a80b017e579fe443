#!/usr/bin/env bash
# The folders of src/ are layers, and an include may only point down: a
# folder includes its own headers and those of the layers below it. This
# walks every #include "folder/..." of the game's sources and fails, naming
# the line, on one that points up or sideways.
#
# The layers, lowest first. The screens' folders (hud, console, navigation,
# combat) and the composition root (game) still include one another, so
# for now they form one layer; everything below them is kept clean.
set -euo pipefail
src=${1:?usage: check_layers.sh SRC_DIR}

declare -A below=(
  [base]=""
  [platform]="base"
  [graphics]="base platform"
  [sound]="base platform"
  [universe]="base platform"
  [hud]="base platform graphics sound universe console navigation combat game"
  [console]="base platform graphics sound universe hud navigation combat game"
  [navigation]="base platform graphics sound universe hud console combat game"
  [combat]="base platform graphics sound universe hud console navigation game"
  [game]="base platform graphics sound universe hud console navigation combat"
  [shell]="base platform graphics sound universe hud console navigation combat game"
)

status=0
for dir in "$src"/*/; do
  folder=$(basename "$dir")
  if [[ ! -v below[$folder] ]]; then
    echo "src/$folder/: a folder that no layer names; add it to tools/layers/check_layers.sh"
    status=1
    continue
  fi
  allowed=" $folder ${below[$folder]} "
  while IFS=: read -r file line text; do
    target=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$text")
    if [[ "$allowed" != *" $target "* ]]; then
      echo "${file#"$src"/}:$line: src/$folder/ may not include $target/ ($text)"
      status=1
    fi
  done < <(grep -rnE '^#include "[^/"]+/' "$dir" || true)
done
exit $status
