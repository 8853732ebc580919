/* STRIP(x): the value as text without leading and trailing blanks, as Db2's
 * one-argument STRIP does. NULL stays NULL. */
#include "db2_catalog.h"

#include <string.h>

SQLITE_EXTENSION_INIT3

static void strip_value(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    (void)argc;
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const unsigned char *text = sqlite3_value_text(argv[0]);
    if (text == NULL) {
        sqlite3_result_error_nomem(context);
        return;
    }
    int length = sqlite3_value_bytes(argv[0]);
    int start = 0;
    while (start < length && text[start] == ' ')
        ++start;
    int end = length;
    while (end > start && text[end - 1] == ' ')
        --end;
    sqlite3_result_text(context, (const char *)text + start, end - start, SQLITE_TRANSIENT);
}

int db2_register_strip(sqlite3 *db)
{
    return sqlite3_create_function_v2(db, "strip", 1,
                                      SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                      NULL, strip_value, NULL, NULL, NULL);
}
