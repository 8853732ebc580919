/* Puts a connection's schemas together: the data schemas from their own
 * files, the catalog schemas in memory, and the aliases. */
#include "db2_catalog.h"

#include <string.h>
#include <sys/stat.h>

SQLITE_EXTENSION_INIT3

/* The most schemas SQLite attaches to one connection by default, less the two
 * catalog schemas. */
#define MAX_DATA_SCHEMAS 8

typedef struct {
    char *schema;
    char *file;
} schema_file;

/* The names this build attached so far, to detach them again on failure. */
typedef struct {
    char *names[MAX_DATA_SCHEMAS + 2];
    int count;
} attached_list;

static int first_row_exists(sqlite3 *db, const char *sql, const char *argument)
{
    sqlite3_stmt *query = NULL;
    if (sqlite3_prepare_v2(db, sql, -1, &query, NULL) != SQLITE_OK)
        return 0;
    sqlite3_bind_text(query, 1, argument, -1, SQLITE_STATIC);
    int found = sqlite3_step(query) == SQLITE_ROW;
    sqlite3_finalize(query);
    return found;
}

static int schema_attached(sqlite3 *db, const char *schema)
{
    return first_row_exists(db, "SELECT 1 FROM pragma_database_list WHERE name = ?1 COLLATE NOCASE", schema);
}

static int main_has_table(sqlite3 *db, const char *table)
{
    return first_row_exists(db, "SELECT 1 FROM main.sqlite_schema WHERE type = 'table' AND name = ?1", table);
}

int db2_catalog_present(sqlite3 *db)
{
    return schema_attached(db, "sysibm");
}

static void detach_all(sqlite3 *db, attached_list *attached)
{
    for (int i = attached->count - 1; i >= 0; --i) {
        char *sql = sqlite3_mprintf("DETACH \"%w\"", attached->names[i]);
        if (sql != NULL)
            sqlite3_exec(db, sql, NULL, NULL, NULL);
        sqlite3_free(sql);
        sqlite3_free(attached->names[i]);
    }
    attached->count = 0;
}

static void forget_all(attached_list *attached)
{
    for (int i = 0; i < attached->count; ++i)
        sqlite3_free(attached->names[i]);
    attached->count = 0;
}

static int attach(sqlite3 *db, const char *file, const char *schema, attached_list *attached, char **error)
{
    if (attached->count == MAX_DATA_SCHEMAS + 2) {
        *error = sqlite3_mprintf("too many schemas: %s is one more than %d", schema, MAX_DATA_SCHEMAS);
        return SQLITE_ERROR;
    }
    sqlite3_stmt *statement = NULL;
    int rc = sqlite3_prepare_v2(db, "ATTACH ?1 AS ?2", -1, &statement, NULL);
    if (rc == SQLITE_OK) {
        sqlite3_bind_text(statement, 1, file, -1, SQLITE_STATIC);
        sqlite3_bind_text(statement, 2, schema, -1, SQLITE_STATIC);
        rc = sqlite3_step(statement);
        rc = rc == SQLITE_DONE ? SQLITE_OK : rc;
    }
    if (rc != SQLITE_OK)
        *error = sqlite3_mprintf("cannot attach %s as schema %s: %s", file, schema, sqlite3_errmsg(db));
    sqlite3_finalize(statement);
    if (rc != SQLITE_OK)
        return rc;
    attached->names[attached->count] = sqlite3_mprintf("%s", schema);
    if (attached->names[attached->count] == NULL)
        return SQLITE_NOMEM;
    ++attached->count;
    return SQLITE_OK;
}

/* A relative file name is taken from the directory of the main database
 * file, so the data source works whatever the program's working directory. */
static char *resolved_path(sqlite3 *db, const char *file)
{
    const char *main_file = sqlite3_db_filename(db, "main");
    const char *slash = main_file != NULL ? strrchr(main_file, '/') : NULL;
    if (file[0] == '/' || slash == NULL)
        return sqlite3_mprintf("%s", file);
    return sqlite3_mprintf("%.*s/%s", (int)(slash - main_file), main_file, file);
}

/* The rows of main.zuno_schemas, read whole before anything is attached:
 * ATTACH cannot run while a statement still reads. */
static int read_schema_files(sqlite3 *db, schema_file *files, int *count, char **error)
{
    *count = 0;
    if (!main_has_table(db, "zuno_schemas"))
        return SQLITE_OK;
    sqlite3_stmt *rows = NULL;
    int rc = sqlite3_prepare_v2(db, "SELECT SCHEMA_NAME, FILE_NAME FROM main.zuno_schemas ORDER BY rowid", -1, &rows,
                                NULL);
    if (rc != SQLITE_OK) {
        *error = sqlite3_mprintf("main.zuno_schemas: %s", sqlite3_errmsg(db));
        return rc;
    }
    while ((rc = sqlite3_step(rows)) == SQLITE_ROW) {
        const char *schema = (const char *)sqlite3_column_text(rows, 0);
        const char *file = (const char *)sqlite3_column_text(rows, 1);
        if (schema == NULL || file == NULL || schema[0] == '\0' || file[0] == '\0')
            continue;
        if (*count == MAX_DATA_SCHEMAS) {
            *error = sqlite3_mprintf("main.zuno_schemas lists more than %d schemas", MAX_DATA_SCHEMAS);
            rc = SQLITE_ERROR;
            break;
        }
        files[*count].schema = sqlite3_mprintf("%s", schema);
        files[*count].file = resolved_path(db, file);
        ++*count;
        if (files[*count - 1].schema == NULL || files[*count - 1].file == NULL) {
            rc = SQLITE_NOMEM;
            break;
        }
    }
    sqlite3_finalize(rows);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

static int attach_data_schemas(sqlite3 *db, attached_list *attached, char **error)
{
    schema_file files[MAX_DATA_SCHEMAS];
    int count = 0;
    int rc = read_schema_files(db, files, &count, error);
    for (int i = 0; rc == SQLITE_OK && i < count; ++i) {
        if (schema_attached(db, files[i].schema))
            continue;
        /* ATTACH would create a missing file, empty; a missing schema is an
         * error to show, not a schema to make up. */
        struct stat status;
        if (stat(files[i].file, &status) != 0 || !S_ISREG(status.st_mode)) {
            *error = sqlite3_mprintf("the file %s of schema %s does not exist", files[i].file, files[i].schema);
            rc = SQLITE_CANTOPEN;
            break;
        }
        rc = attach(db, files[i].file, files[i].schema, attached, error);
    }
    for (int i = 0; i < count; ++i) {
        sqlite3_free(files[i].schema);
        sqlite3_free(files[i].file);
    }
    return rc;
}

static int run_script(sqlite3 *db, const char *sql, char **error)
{
    char *message = NULL;
    int rc = sqlite3_exec(db, sql, NULL, NULL, &message);
    if (rc != SQLITE_OK) {
        *error = sqlite3_mprintf("%s", message != NULL ? message : sqlite3_errstr(rc));
        sqlite3_free(message);
    }
    return rc;
}

int db2_build_catalog(sqlite3 *db, char **error)
{
    attached_list attached = {.count = 0};
    int rc = attach_data_schemas(db, &attached, error);
    if (rc == SQLITE_OK)
        rc = attach(db, ":memory:", "sysibm", &attached, error);
    if (rc == SQLITE_OK)
        rc = attach(db, ":memory:", "syscat", &attached, error);
    if (rc == SQLITE_OK)
        rc = run_script(db, db2_catalog_views_sql, error);
    if (rc == SQLITE_OK && main_has_table(db, "zuno_aliases")) {
        /* The catalog views cannot read another schema, so each catalog
         * schema gets its own copy of the alias list. */
        rc = run_script(db,
                        "INSERT INTO sysibm.zuno_aliases SELECT upper(CREATOR), upper(NAME), upper(BASE_SCHEMA),"
                        " upper(BASE_NAME) FROM main.zuno_aliases;"
                        "INSERT INTO syscat.zuno_aliases SELECT * FROM sysibm.zuno_aliases;",
                        error);
    }
    if (rc == SQLITE_NOMEM && *error == NULL)
        *error = sqlite3_mprintf("out of memory");
    if (rc != SQLITE_OK)
        detach_all(db, &attached);
    else
        forget_all(&attached);
    return rc;
}

void db2_create_aliases(sqlite3 *db)
{
    if (!main_has_table(db, "zuno_aliases"))
        return;
    sqlite3_stmt *rows = NULL;
    if (sqlite3_prepare_v2(db,
                           "SELECT printf('CREATE VIRTUAL TABLE IF NOT EXISTS \"%w\".\"%w\""
                           " USING zuno_alias(\"%w\", \"%w\")', CREATOR, NAME, BASE_SCHEMA, BASE_NAME)"
                           " FROM main.zuno_aliases ORDER BY rowid",
                           -1, &rows, NULL) != SQLITE_OK)
        return;
    /* Read whole first: a table cannot be created while a statement reads. */
    char **statements = NULL;
    int count = 0;
    while (sqlite3_step(rows) == SQLITE_ROW) {
        char **grown = sqlite3_realloc64(statements, (sqlite3_uint64)(count + 1) * sizeof *statements);
        if (grown == NULL)
            break;
        statements = grown;
        statements[count] = sqlite3_mprintf("%s", (const char *)sqlite3_column_text(rows, 0));
        if (statements[count] == NULL)
            break;
        ++count;
    }
    sqlite3_finalize(rows);
    /* Each on its own, so that an alias that cannot be made does not keep
     * the others from being made. */
    for (int i = 0; i < count; ++i) {
        sqlite3_exec(db, statements[i], NULL, NULL, NULL);
        sqlite3_free(statements[i]);
    }
    sqlite3_free(statements);
}
