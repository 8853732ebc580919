#!/usr/bin/env bash
# A user starts a 4-second statement against the PostgreSQL test data source
# and closes the Main Window by its close box while it runs: the statement
# finishes, the program ends with code 0 and the Settings File is written.
source "$(dirname "$0")/lib.sh"

if [[ -z "${ZUNO_FIXTURE_DIR:-}" ]]; then
  echo "skipped: the test data sources are not up"
  exit 0
fi

start_window_manager
start_zuno
connect_to_test_postgres

click_at $SQL_EDITOR_AT
type_text "select pg_sleep(4)"
click_at $RUN_BUTTON_AT
timeout 10 xdotool search --sync --onlyvisible --name '^running\.\.\.$' >/dev/null || fail "no busy window"
close_window "$MAIN_WINDOW"

expect_clean_exit
expect_file_bytes "$HOME/zuno.ini" "lastconnect=ZUNO_PG_PLAIN\r\nlastuser=$ZUNO_PG_USER\r\n"
echo "ok"
