#!/usr/bin/env bash
# The installed zuno command, found on PATH, becomes the program: its Main
# Window appears with the logo copied from the share directory, as the man
# page tells, the desktop entry's StartupWMClass matches the window, and
# Format SQL runs the formatter front beside the program, not Debian's
# sqlformat, which takes other arguments, though PATH finds Debian's.
source "$(dirname "$0")/lib.sh"

if [[ -z "${ZUNO_E2E_ON_DISPLAY:-}" ]]; then
  install_into_prefix
  exec env ZUNO_E2E_ON_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- bash "$0" "$@" 2> >(grep -v 'Failed to set fd limit' >&2)
fi

# Only what the installation brings, and the system's own programs.
export PATH="$PREFIX/bin:/usr/bin:/bin"
[[ "$(command -v sqlformat)" != "$PREFIX"/* ]] || fail "the front is on PATH before the command runs"
source "$ROOT/tests/e2e/lib.sh" "$PREFIX/bin/zuno"
ZUNO=zuno

cp "$PREFIX/share/zuno/ZUNO.JPG" "$WORK_DIR/"
start_window_manager
start_zuno

# The command handed its process over to the program (the window belongs to
# the started process), with PATH as it was.
[[ "$(readlink "/proc/$ZUNO_PID/exe")" == "$PREFIX/lib/zuno/zuno" ]] ||
  fail "the window belongs to $(readlink "/proc/$ZUNO_PID/exe"), not the installed program"
program_path=$(tr '\0' '\n' <"/proc/$ZUNO_PID/environ" | sed -n 's/^PATH=//p')
[[ "$program_path" == "$PATH" ]] || fail "the program runs with PATH=$program_path"

wm_class=$(xprop -id "$MAIN_WINDOW" WM_CLASS | sed 's/.*= //')
startup_class=$(desktop_key "$PREFIX/share/applications/$APP_ID.desktop" StartupWMClass)
[[ "$wm_class" == *"\"$startup_class\""* ]] ||
  fail "the desktop entry's StartupWMClass $startup_class does not match the window's WM_CLASS $wm_class"

# The logo's dark blue fills the lower left corner of the window.
logo_pixel=$(import -window "$MAIN_WINDOW" png:- | convert png:- -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' -crop 1x1+20+540 info:)
read -r red green blue <<<"$logo_pixel"
((red < 60 && green < 90 && blue > 70 && blue < 130)) || fail "no logo in the lower left corner (pixel $logo_pixel)"

# shellcheck disable=SC2086
click_at $SQL_EDITOR_AT
type_text "select a from t where x = 1"
# shellcheck disable=SC2046
click_screen $(read_screen button "Format SQL")
# shellcheck disable=SC2016  # the code bash -c runs, with the reader as its $0
wait_for 20 bash -c '[[ "$(/usr/bin/python3 "$0" text "SQL editor")" == SELECT* ]]' "$E2E_DIR/screen_reader.py" ||
  fail "Format SQL left the text as '$(read_screen text "SQL editor")'"
expect_screen $'SELECT a\nFROM t\nWHERE x = 1' text "SQL editor"

# shellcheck disable=SC2086
click_at $EXIT_BUTTON_AT
expect_clean_exit
echo "ok"
