#!/usr/bin/env bash
# shellcheck disable=SC2086,SC2046  # a place "x y" splits into its two numbers
# A user starts a statement against the PostgreSQL test data source and
# closes the Main Window by its close box while it runs: the statement
# finishes, the program ends with code 0 and the Settings File is written.
# The statement waits for a lock this case holds, so it runs for as long as
# the case needs, however fast or slow the machine: the close lands while
# it runs, and it ends only when the case lets it.
source "$(dirname "$0")/lib.sh"

start_zuno_on_test_postgres

psql_value() { "$ZUNO_PSQL" plain -t -A -c "$1"; }
waiting_for_lock() {
  [[ "$(psql_value "select count(*) from pg_stat_activity where query = 'select pg_advisory_lock(4242)'
                     and wait_event_type = 'Lock'")" == 1 ]]
}

# The lock, held by a session of the case's own until it says so.
coproc HOLDER { "$ZUNO_PSQL" plain -t -A; }
echo "select 'held' from (select pg_advisory_lock(4242)) l;" >&"${HOLDER[1]}"
# shellcheck disable=SC2015  # either fails the case alike
read -r -t 30 held <&"${HOLDER[0]}" && [[ "$held" == held ]] || fail "the lock was not taken"

click_at $SQL_EDITOR_AT
type_text "select pg_advisory_lock(4242)"
click_at $RUN_BUTTON_AT
timeout 10 xdotool search --sync --onlyvisible --name '^running\.\.\.$' >/dev/null || fail "no busy window"
wait_for 30 waiting_for_lock || fail "the statement does not wait for the lock"
close_window "$MAIN_WINDOW"

# The program goes on answering (its loop takes the close meanwhile) and
# does not end while its statement waits.
timeout 30 /usr/bin/python3 "$E2E_DIR/screen_reader.py" title >/dev/null || fail "the program does not answer"
kill -0 "$ZUNO_PID" 2>/dev/null || fail "the program ended while its statement ran"
waiting_for_lock || fail "the statement ended before the lock was let go"

echo "select pg_advisory_unlock(4242);" >&"${HOLDER[1]}"
echo '\q' >&"${HOLDER[1]}"
expect_clean_exit
expect_file_bytes "$HOME/zuno.ini" "lastconnect=ZUNO_PG_PLAIN\r\nlastuser=$ZUNO_PG_USER\r\n"
echo "ok"
