#!/usr/bin/env bash
# An installation into an empty prefix holds the command, the program, the
# formatter front, the desktop entry, the metainfo, the icons of every size,
# the man page and the logo, each as it must be, and nothing else.
source "$(dirname "$0")/lib.sh"

install_into_prefix
check_layout "$PREFIX"
echo "ok"
