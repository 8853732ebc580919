/* The "zuno_alias" virtual table: a Db2 alias. Reading it reads its base
 * table, row by row, with the base table's column names and declared types,
 * so the ODBC driver describes the columns as it does for the base table. */
#include "db2_catalog.h"

#include <string.h>

SQLITE_EXTENSION_INIT3

typedef struct {
    sqlite3_vtab base;
    sqlite3 *db;
    char *select_sql;
} alias_table;

typedef struct {
    sqlite3_vtab_cursor base;
    sqlite3_stmt *rows;
    int at_end;
    sqlite3_int64 rowid;
} alias_cursor;

/* A module argument as the name it stands for: without the quotes SQLite
 * leaves on it, and with a doubled quote inside read as one. */
static char *unquoted(const char *argument)
{
    size_t length = strlen(argument);
    char close = argument[0] == '[' ? ']' : argument[0];
    if (length < 2 || (close != '"' && close != '\'' && close != '`' && close != ']') || argument[length - 1] != close)
        return sqlite3_mprintf("%s", argument);
    sqlite3_str *name = sqlite3_str_new(NULL);
    for (size_t i = 1; i + 1 < length; ++i) {
        sqlite3_str_appendchar(name, 1, argument[i]);
        if (argument[i] == close && argument[i + 1] == close && i + 2 < length)
            ++i;
    }
    return sqlite3_str_finish(name);
}

/* "CREATE TABLE x("A" INTEGER, "B" VARCHAR(20))" for the base table, or NULL
 * when it has no columns (it does not exist). */
static char *declaration_of(sqlite3 *db, const char *schema, const char *table)
{
    sqlite3_stmt *info = NULL;
    if (sqlite3_prepare_v2(db, "SELECT name, type FROM pragma_table_info(?1, ?2) ORDER BY cid", -1, &info, NULL) !=
        SQLITE_OK)
        return NULL;
    sqlite3_bind_text(info, 1, table, -1, SQLITE_STATIC);
    sqlite3_bind_text(info, 2, schema, -1, SQLITE_STATIC);
    sqlite3_str *text = sqlite3_str_new(db);
    sqlite3_str_appendall(text, "CREATE TABLE x(");
    int columns = 0;
    while (sqlite3_step(info) == SQLITE_ROW) {
        if (columns++ > 0)
            sqlite3_str_appendall(text, ", ");
        sqlite3_str_appendf(text, "\"%w\" %s", (const char *)sqlite3_column_text(info, 0),
                            (const char *)sqlite3_column_text(info, 1));
    }
    sqlite3_finalize(info);
    sqlite3_str_appendall(text, ")");
    char *declaration = sqlite3_str_finish(text);
    if (columns == 0) {
        sqlite3_free(declaration);
        return NULL;
    }
    return declaration;
}

static int alias_connect(sqlite3 *db, void *aux, int argc, const char *const *argv, sqlite3_vtab **table_out,
                         char **error)
{
    (void)aux;
    if (argc != 5) {
        *error = sqlite3_mprintf("zuno_alias needs two arguments: the base table's schema and name");
        return SQLITE_ERROR;
    }
    char *schema = unquoted(argv[3]);
    char *name = unquoted(argv[4]);
    int rc = SQLITE_NOMEM;
    char *declaration = NULL;
    alias_table *table = NULL;
    if (schema == NULL || name == NULL)
        goto done;
    declaration = declaration_of(db, schema, name);
    if (declaration == NULL) {
        *error = sqlite3_mprintf("alias base table %s.%s not found", schema, name);
        rc = SQLITE_ERROR;
        goto done;
    }
    rc = sqlite3_declare_vtab(db, declaration);
    if (rc != SQLITE_OK)
        goto done;
    sqlite3_vtab_config(db, SQLITE_VTAB_INNOCUOUS);
    table = sqlite3_malloc(sizeof *table);
    if (table == NULL) {
        rc = SQLITE_NOMEM;
        goto done;
    }
    memset(table, 0, sizeof *table);
    table->db = db;
    table->select_sql = sqlite3_mprintf("SELECT * FROM \"%w\".\"%w\"", schema, name);
    if (table->select_sql == NULL) {
        sqlite3_free(table);
        rc = SQLITE_NOMEM;
        goto done;
    }
    *table_out = &table->base;
    rc = SQLITE_OK;
done:
    sqlite3_free(declaration);
    sqlite3_free(schema);
    sqlite3_free(name);
    return rc;
}

static int alias_disconnect(sqlite3_vtab *base)
{
    alias_table *table = (alias_table *)base;
    sqlite3_free(table->select_sql);
    sqlite3_free(table);
    return SQLITE_OK;
}

/* Every read is a full scan of the base table; SQLite applies the WHERE
 * clause itself. */
static int alias_best_index(sqlite3_vtab *base, sqlite3_index_info *info)
{
    (void)base;
    info->estimatedCost = 1000000.0;
    return SQLITE_OK;
}

static int alias_open(sqlite3_vtab *base, sqlite3_vtab_cursor **cursor_out)
{
    (void)base;
    alias_cursor *cursor = sqlite3_malloc(sizeof *cursor);
    if (cursor == NULL)
        return SQLITE_NOMEM;
    memset(cursor, 0, sizeof *cursor);
    *cursor_out = &cursor->base;
    return SQLITE_OK;
}

static int alias_close(sqlite3_vtab_cursor *base)
{
    alias_cursor *cursor = (alias_cursor *)base;
    sqlite3_finalize(cursor->rows);
    sqlite3_free(cursor);
    return SQLITE_OK;
}

static int alias_step(alias_cursor *cursor)
{
    int rc = sqlite3_step(cursor->rows);
    if (rc == SQLITE_ROW) {
        ++cursor->rowid;
        cursor->at_end = 0;
        return SQLITE_OK;
    }
    cursor->at_end = 1;
    if (rc == SQLITE_DONE)
        return SQLITE_OK;
    alias_table *table = (alias_table *)cursor->base.pVtab;
    sqlite3_free(table->base.zErrMsg);
    table->base.zErrMsg = sqlite3_mprintf("%s", sqlite3_errmsg(table->db));
    return rc;
}

static int alias_filter(sqlite3_vtab_cursor *base, int index_number, const char *index_text, int argc,
                        sqlite3_value **argv)
{
    (void)index_number;
    (void)index_text;
    (void)argc;
    (void)argv;
    alias_cursor *cursor = (alias_cursor *)base;
    alias_table *table = (alias_table *)base->pVtab;
    sqlite3_finalize(cursor->rows);
    cursor->rows = NULL;
    cursor->rowid = 0;
    int rc = sqlite3_prepare_v2(table->db, table->select_sql, -1, &cursor->rows, NULL);
    if (rc != SQLITE_OK) {
        sqlite3_free(table->base.zErrMsg);
        table->base.zErrMsg = sqlite3_mprintf("%s", sqlite3_errmsg(table->db));
        cursor->at_end = 1;
        return rc;
    }
    return alias_step(cursor);
}

static int alias_next(sqlite3_vtab_cursor *base)
{
    return alias_step((alias_cursor *)base);
}

static int alias_eof(sqlite3_vtab_cursor *base)
{
    return ((alias_cursor *)base)->at_end;
}

static int alias_column(sqlite3_vtab_cursor *base, sqlite3_context *context, int column)
{
    alias_cursor *cursor = (alias_cursor *)base;
    sqlite3_result_value(context, sqlite3_column_value(cursor->rows, column));
    return SQLITE_OK;
}

static int alias_rowid(sqlite3_vtab_cursor *base, sqlite3_int64 *rowid)
{
    *rowid = ((alias_cursor *)base)->rowid;
    return SQLITE_OK;
}

static const sqlite3_module alias_module = {
    .iVersion = 0,
    .xCreate = alias_connect,
    .xConnect = alias_connect,
    .xBestIndex = alias_best_index,
    .xDisconnect = alias_disconnect,
    .xDestroy = alias_disconnect,
    .xOpen = alias_open,
    .xClose = alias_close,
    .xFilter = alias_filter,
    .xNext = alias_next,
    .xEof = alias_eof,
    .xColumn = alias_column,
    .xRowid = alias_rowid,
};

int db2_register_alias_module(sqlite3 *db)
{
    return sqlite3_create_module_v2(db, "zuno_alias", &alias_module, NULL, NULL);
}
