# shellcheck shell=bash
# What the packaging cases share: the build installed into a fresh prefix,
# and the layout a packager expects to find there.
# A case sources this file with the build directory and the application id
# (the name of the desktop entry and the metainfo) as its arguments.
set -euo pipefail

BUILD_DIR=$(readlink -f "$1")
APP_ID=$2
PACKAGING_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck disable=SC2034  # the cases read it
ROOT=$(cd "$PACKAGING_DIR/../.." && pwd)
CASE_NAME=$(basename "$0" .sh)
# Kept inside the build tree until the case runs again, to look at after a
# failure. The space in the prefix catches a command that splits paths.
STAGE=$BUILD_DIR/packaging/test-stage/$CASE_NAME
PREFIX="$STAGE/pre fix"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

need_tool() {
  command -v "$1" >/dev/null || fail "$1 is not installed (scripts/setup installs it)"
}

install_into_prefix() {
  rm -rf "$STAGE"
  mkdir -p "$STAGE"
  cmake --install "$BUILD_DIR" --prefix "$PREFIX" >"$STAGE/install.log" 2>&1 ||
    { cat "$STAGE/install.log" >&2; fail "cmake --install into a temporary prefix failed"; }
}

# The value of KEY in the [Desktop Entry] group of a desktop file.
desktop_key() {
  awk -F= -v key="$2" '
    /^\[/ { group = $0 }
    group == "[Desktop Entry]" && $1 == key { sub(/^[^=]*=/, ""); print; exit }
  ' "$1"
}

# Every file an installation holds, below the prefix, with what it must be:
#   command  the zuno command, a shell script, executable
#   program  the program, an ELF executable
#   script   the formatter front, a Python script, executable
#   png:N    an N x N PNG picture
#   svg      an SVG picture
#   gzip     a gzip-compressed file (the man page)
#   jpeg     a JPEG picture (the logo)
#   text     anything else that is read, not run
expected_layout() {
  cat <<EOF
command bin/zuno
program lib/zuno/zuno
script lib/zuno/bin/sqlformat
text share/applications/$APP_ID.desktop
text share/metainfo/$APP_ID.metainfo.xml
svg share/icons/hicolor/scalable/apps/zuno.svg
gzip share/man/man1/zuno.1.gz
jpeg share/zuno/ZUNO.JPG
EOF
  local size
  for size in 16 22 24 32 48 64 128 256; do
    echo "png:$size share/icons/hicolor/${size}x${size}/apps/zuno.png"
  done
}

# The width and height of a PNG picture, from its header.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }'
}

starts_with_bytes() {
  local file=$1 hex=$2
  [[ "$(od -An -tx1 -N$((${#hex} / 2)) "$file" | tr -d ' \n')" == "$hex" ]]
}

# Checks one file of the layout; prints what is wrong with it, if anything.
check_file() {
  local kind=$1 file=$2
  [[ -f "$file" && ! -L "$file" ]] || { echo "missing"; return; }
  local mode
  mode=$(stat -c %a "$file")
  case "$kind" in
    command | program | script) [[ "$mode" == 755 ]] || echo "mode $mode, not 755" ;;
    *) [[ "$mode" == 644 ]] || echo "mode $mode, not 644" ;;
  esac
  case "$kind" in
    command) [[ "$(head -n 1 "$file")" == "#!/bin/sh" ]] || echo "not a shell script" ;;
    program) starts_with_bytes "$file" 7f454c46 || echo "not an ELF program" ;;
    script) [[ "$(head -n 1 "$file")" == "#!/usr/bin/python3" ]] || echo "not run by Debian's python3" ;;
    png:*)
      local size=${kind#png:}
      starts_with_bytes "$file" 89504e470d0a1a0a || { echo "not a PNG"; return; }
      [[ "$(png_size "$file")" == "$size $size" ]] || echo "$(png_size "$file" | tr ' ' x), not ${size}x$size"
      ;;
    svg) grep -q '<svg' "$file" || echo "not an SVG" ;;
    gzip) starts_with_bytes "$file" 1f8b || echo "not gzip-compressed" ;;
    jpeg) starts_with_bytes "$file" ffd8ff || echo "not a JPEG" ;;
    text) ;;
  esac
}

# Fails unless the tree below the prefix holds exactly the expected files,
# each as it must be.
check_layout() {
  local prefix=$1 problems="" kind path wrong
  while read -r kind path; do
    wrong=$(check_file "$kind" "$prefix/$path")
    [[ -z "$wrong" ]] || problems+="  $path: $wrong"$'\n'
  done < <(expected_layout)
  local extra
  extra=$(comm -13 <(expected_layout | cut -d' ' -f2 | sort) \
    <(cd "$prefix" && find . ! -type d | sed 's|^\./||' | sort))
  [[ -z "$extra" ]] || problems+=$(sed 's/^/  /; s/$/: not expected/' <<<"$extra")$'\n'
  [[ -z "$problems" ]] || fail "the installed tree under $prefix is not as expected:"$'\n'"$problems"
}
