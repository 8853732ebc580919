#!/usr/bin/env bash
# shellcheck disable=SC2086,SC2046  # a place "x y" splits into its two numbers
# A user selects a row of a query result, right-clicks it and picks "Generate
# Delete SQL": the editor holds the DELETE for that row, formatted.
source "$(dirname "$0")/lib.sh"

start_zuno_on_demo

click_at $SQL_EDITOR_AT
type_text "select ITEM_ID, SKU, CATEGORY from SHOP.ITEMS where ITEM_ID in (1, 2) order by 1"
click_at $RUN_BUTTON_AT
read_screen wait-label "Row Count: 2" 20 >/dev/null || fail "$(read_screen label 'Row Count')"
sku=$(read_screen grid | sed -n 2p | cut -f2)

click_screen $(read_screen cell 1 1)
click_screen $(read_screen cell 0 1) 3   # a right click selects the row it points at
wait_for 10 read_screen item "Generate Delete SQL" >/dev/null || fail "no popup menu"
click_screen $(read_screen item "Generate Delete SQL")
wait_for 20 bash -c '/usr/bin/python3 '"$E2E_DIR"'/screen_reader.py text "SQL editor" | grep "^DELETE" >/dev/null' ||
  fail "editor: $(read_screen text 'SQL editor')"
editor=$(read_screen text "SQL editor" | tr '\n' ' ' | tr -s ' ')
[[ "$editor" == "DELETE FROM SHOP.ITEMS WHERE ITEM_ID = 1 AND SKU = '$sku' AND CATEGORY = "* ]] || fail "editor: $editor"

click_at $EXIT_BUTTON_AT
expect_clean_exit
echo "ok"
