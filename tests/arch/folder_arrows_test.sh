#!/usr/bin/env bash
# The source tree keeps the arrows docs/ARCHITECTURE.md draws; and the check
# does see a wrong include, planted in a copy of two folders, and a table
# whose arrows run back up.
set -euo pipefail
root=$1
here=$(cd "$(dirname "$0")" && pwd)
python3 "$here/folder_arrows.py" "$root"

copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
mkdir -p "$copy/docs" "$copy/grid" "$copy/app"
cp "$root/docs/ARCHITECTURE.md" "$copy/docs/"
echo '#include "session/session.h"' >"$copy/grid/planted.cpp"
if out=$(python3 "$here/folder_arrows.py" "$copy"); then
  echo "a grid file including app/ went unseen" >&2
  exit 1
fi
[[ $out == *'grid/planted.cpp: includes "session/session.h"'* ]] || { echo "unexpected report: $out" >&2; exit 1; }

# shellcheck disable=SC2016  # the table's backquotes, as sed is to find them
sed -i 's/^| `grid\/` |\(.*\)| `base\/` |$/| `grid\/` |\1| `base\/`, `app\/` |/' "$copy/docs/ARCHITECTURE.md"
rm "$copy/grid/planted.cpp"
if out=$(python3 "$here/folder_arrows.py" "$copy"); then
  echo "a table letting grid/ include app/ went unseen" >&2
  exit 1
fi
[[ $out == *'arrows run in a circle'* ]] || { echo "unexpected report: $out" >&2; exit 1; }
