#!/usr/bin/env bash
# The build itself refuses an include against the arrows: a file planted in a
# folder's library that includes a header its row does not allow does not
# compile, and one that includes a header its row allows does, so the refusal
# is the include's and not a broken build.
set -euo pipefail
build=$1
shift
failed=0
for planted in "$@"; do
  IFS=: read -r target library header expected <<<"$planted"
  if out=$(cmake --build "$build" --target "$target" 2>&1); then
    outcome=built
  elif [[ $out == *"$header: No such file or directory"* ]]; then
    outcome=refused
  else
    echo "$library planting $header failed for another reason:" >&2
    echo "$out" | tail -20 >&2
    failed=1
    continue
  fi
  if [[ $outcome != "$expected" ]]; then
    echo "$library including $header: $outcome, not $expected" >&2
    failed=1
  fi
done
exit $failed
