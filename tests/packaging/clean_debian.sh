# shellcheck shell=bash
# Sourced by the scripts that try ZUNO on a clean Debian 12: a minimal system
# made with debootstrap in a throwaway directory, the few mounts a program
# needs inside it, and a way to run commands there. Needs root and the Debian
# mirror. The sourcing script sets CLEAN_ROOT before calling clean_root_make
# and calls clean_root_cleanup from its exit trap.

CLEAN_MOUNTS=()

# Runs a command inside the root with a bare environment, as root.
in_root() {
  chroot "$CLEAN_ROOT" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8 HOME=/root "$@"
}

mount_into_root() {
  mkdir -p "$CLEAN_ROOT$2"
  mount "${@:3}" "$1" "$CLEAN_ROOT$2"
  CLEAN_MOUNTS+=("$CLEAN_ROOT$2")
}

# clean_root_make LOG [PACKAGE,...]: a minimal Debian 12 (debootstrap's
# minbase with the packages named) with /proc, /dev, shared memory and the
# X server sockets of this machine, and no services started inside.
clean_root_make() {
  local log=$1 include=${2:-}
  debootstrap --variant=minbase ${include:+--include="$include"} bookworm "$CLEAN_ROOT" >"$log" 2>&1 ||
    { tail -n 20 "$log" >&2; return 1; }
  clean_root_mount
}

# Mounts what programs inside need; also for a root copied from another.
clean_root_mount() {
  mount_into_root proc /proc -t proc
  mount_into_root /dev /dev --bind
  mount_into_root /dev/pts /dev/pts --bind
  mount_into_root tmpfs /dev/shm -t tmpfs
  mkdir -p /tmp/.X11-unix
  mount_into_root /tmp/.X11-unix /tmp/.X11-unix --bind
  cp /etc/resolv.conf "$CLEAN_ROOT/etc/resolv.conf"
  printf '#!/bin/sh\nexit 101\n' >"$CLEAN_ROOT/usr/sbin/policy-rc.d"
  chmod 755 "$CLEAN_ROOT/usr/sbin/policy-rc.d"
}

clean_root_unmount() {
  local i
  for ((i = ${#CLEAN_MOUNTS[@]} - 1; i >= 0; i--)); do
    umount "${CLEAN_MOUNTS[i]}" 2>/dev/null || umount -l "${CLEAN_MOUNTS[i]}" || true
  done
  CLEAN_MOUNTS=()
}

# Unmounts and removes the root; never while a mount of this machine is
# still inside it.
clean_root_cleanup() {
  clean_root_unmount
  [[ -n ${CLEAN_ROOT:-} && -d $CLEAN_ROOT ]] || return 0
  if ! grep -q " $CLEAN_ROOT" /proc/mounts; then
    rm -rf --one-file-system "$CLEAN_ROOT"
  else
    echo "$CLEAN_ROOT still has mounts; left in place" >&2
  fi
}

# Starts a private X server with a window manager on this machine; the root
# reaches it through the bound socket directory. Sets DISPLAY, CLEAN_X_PID,
# CLEAN_WM_PID.
clean_x_start() {
  local dir=$1 size=${2:-1024x768x24}
  exec 3>"$dir/display"
  Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp >"$dir/xvfb.log" 2>&1 &
  CLEAN_X_PID=$!
  exec 3>&-
  for _ in $(seq 100); do [[ -s "$dir/display" ]] && break; sleep 0.1; done
  DISPLAY=:$(head -n 1 "$dir/display")
  export DISPLAY
  openbox --sm-disable >/dev/null 2>&1 &
  CLEAN_WM_PID=$!
}

clean_x_stop() {
  [[ -n ${CLEAN_WM_PID:-} ]] && kill "$CLEAN_WM_PID" 2>/dev/null
  [[ -n ${CLEAN_X_PID:-} ]] && kill "$CLEAN_X_PID" 2>/dev/null
  CLEAN_WM_PID="" CLEAN_X_PID=""
  return 0
}
