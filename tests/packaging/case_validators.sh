#!/usr/bin/env bash
# The desktop entry and the AppStream metainfo pass the validators that
# software centres and distributions run, and point at what is installed.
source "$(dirname "$0")/lib.sh"

need_tool desktop-file-validate
need_tool appstreamcli
install_into_prefix

desktop=$PREFIX/share/applications/$APP_ID.desktop
metainfo=$PREFIX/share/metainfo/$APP_ID.metainfo.xml

validators=(
  "desktop-file-validate|$desktop"
  "appstreamcli validate --no-net|$metainfo"
)
for entry in "${validators[@]}"; do
  command=${entry%%|*}
  file=${entry#*|}
  # shellcheck disable=SC2086
  if ! output=$($command "$file" 2>&1); then
    fail "$command rejects $(basename "$file"):"$'\n'"$output"
  fi
  # desktop-file-validate passes a file it only warns about.
  [[ "$command" != desktop-file-validate || -z "$output" ]] ||
    fail "$command warns about $(basename "$file"):"$'\n'"$output"
done

# What the two files name must be there.
exec_command=$(desktop_key "$desktop" Exec)
[[ -x "$PREFIX/bin/${exec_command%% *}" ]] ||
  fail "the desktop entry runs '$exec_command', which is not in $PREFIX/bin"
icon=$(desktop_key "$desktop" Icon)
[[ -f "$PREFIX/share/icons/hicolor/48x48/apps/$icon.png" && -f "$PREFIX/share/icons/hicolor/scalable/apps/$icon.svg" ]] ||
  fail "the desktop entry shows icon '$icon', which the hicolor theme does not hold"

read_metainfo() {
  /usr/bin/python3 - "$metainfo" "$1" <<'PY'
import sys
import xml.etree.ElementTree as tree
node = tree.parse(sys.argv[1]).getroot().find(sys.argv[2])
print(node.text.strip() if node is not None and node.text else "")
PY
}
metainfo_facts=(
  "id|$APP_ID"
  "launchable|$APP_ID.desktop"
  "provides/binary|${exec_command%% *}"
)
for fact in "${metainfo_facts[@]}"; do
  element=${fact%%|*}
  expected=${fact#*|}
  got=$(read_metainfo "$element")
  [[ "$got" == "$expected" ]] || fail "the metainfo's $element is '$got', expected '$expected'"
done
[[ -f "$PREFIX/share/applications/$(read_metainfo launchable)" ]] ||
  fail "the metainfo launches $(read_metainfo launchable), which is not installed"
screenshot=$(read_metainfo screenshots/screenshot/image)
[[ "$screenshot" == */docs/main-window.png && -f "$ROOT/docs/main-window.png" ]] ||
  fail "the metainfo's screenshot $screenshot is not the repository's docs/main-window.png"
echo "ok"
