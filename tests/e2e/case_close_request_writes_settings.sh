#!/usr/bin/env bash
# shellcheck disable=SC2086,SC2046  # a place "x y" splits into its two numbers
# A user types a data source and a user, then closes the Main Window by the
# window manager's close box: the program ends with code 0 and the Settings
# File holds exactly the two lines.
source "$(dirname "$0")/lib.sh"

start_window_manager
start_zuno
click_at $DATA_SOURCE_BOX_AT
type_text "SAMPLE"
click_at $USER_FIELD_AT
type_text "db2inst1"
close_window "$MAIN_WINDOW"

expect_clean_exit
expect_file_bytes "$HOME/zuno.ini" 'lastconnect=SAMPLE\r\nlastuser=db2inst1\r\n'
echo "ok"
