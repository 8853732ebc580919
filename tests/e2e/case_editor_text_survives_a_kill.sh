#!/usr/bin/env bash
# shellcheck disable=SC2086,SC2046  # a place "x y" splits into its two numbers
# The user types into the SQL editor and the program is killed (kill -9)
# once the typing has rested: at the next start the text is back, since it
# was kept while the program ran, not only at a normal exit.
source "$(dirname "$0")/lib.sh"

export XDG_STATE_HOME=$CASE_DIR/state
STATE=$XDG_STATE_HOME/zuno/editor-state
TEXT="select 'kept through a crash' from t"

start_window_manager
start_zuno
click_at $SQL_EDITOR_AT
type_text "$TEXT"
wait_for 30 grep -qF "$TEXT" "$STATE" || fail "the text was not kept while the program ran"
[[ $(stat -c %a "$STATE") == 600 ]] || fail "the editor state has mode $(stat -c %a "$STATE")"

kill -9 "$ZUNO_PID"
wait "$ZUNO_PID" 2>/dev/null || true
ZUNO_PID=

start_zuno
expect_screen "$TEXT" text "SQL editor"
close_window "$MAIN_WINDOW"
expect_clean_exit
echo "ok"
