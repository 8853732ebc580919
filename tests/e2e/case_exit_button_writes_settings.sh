#!/usr/bin/env bash
# shellcheck disable=SC2086,SC2046  # a place "x y" splits into its two numbers
# The settings of an earlier run come back at start; the user shortens both
# texts and clicks Exit: the program ends with code 0 and the Settings File
# holds the two new lines only, nothing of the longer old content.
source "$(dirname "$0")/lib.sh"

printf 'lastconnect=A_MUCH_LONGER_DATA_SOURCE\r\nlastuser=olduser\r\n' >"$HOME/zuno.ini"

start_window_manager
start_zuno
click_at $DATA_SOURCE_BOX_AT
xdotool key --delay 25 ctrl+a BackSpace
type_text "DEMO"
click_at $USER_FIELD_AT
xdotool key --delay 25 ctrl+a BackSpace
type_text "ann"
click_at $EXIT_BUTTON_AT

expect_clean_exit
expect_file_bytes "$HOME/zuno.ini" 'lastconnect=DEMO\r\nlastuser=ann\r\n'
echo "ok"
