#!/usr/bin/env bash
# The shell scripts pass shellcheck (a finding is fixed, or a directive beside
# it says why it stands), and the C and C++ lines changed since the branch
# left main are laid out as .clang-format says. Older lines are not reformatted
# by the way: a change touches only its own.
set -euo pipefail
root=$1
cd "$root"

mapfile -t scripts < <(git ls-files scripts tests | while read -r f; do
  [[ -f $f ]] || continue
  if [[ $f == *.sh ]] || head -1 "$f" | grep -q '^#!.*\(bash\|/sh\)'; then echo "$f"; fi
done)
shellcheck "${scripts[@]}"

base=$(git merge-base HEAD main 2>/dev/null || git merge-base HEAD origin/main 2>/dev/null || true)
if [[ -z $base ]]; then
  echo "no main branch to compare with: the layout of changed lines is not checked"
  exit 0
fi
out=$(git clang-format --binary clang-format-14 --diff --extensions c,cpp,h "$base" -- . 2>&1) || true
if [[ $out == *"diff --git"* ]]; then
  echo "changed lines not laid out as .clang-format says (git clang-format $base fixes them):" >&2
  echo "$out" >&2
  exit 1
fi
