/* Builds the demo database at build time:
 *   demo_data_builder OUTPUT_DIR SCRIPT EXTENSION
 * runs SCRIPT on a new OUTPUT_DIR/zuno_demo.db with OUTPUT_DIR as working
 * directory (the script attaches its schema files by relative names), then
 * connects again with EXTENSION loaded, as the data source will, so that the
 * aliases are made and stored in their schema files, and checks that every
 * alias reads the rows of its base table. */
#include <sqlite3.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

static char *read_file(const char *path)
{
    FILE *file = fopen(path, "rb");
    if (file == NULL)
        return NULL;
    char *text = NULL;
    size_t length = 0;
    char chunk[65536];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0) {
        char *grown = realloc(text, length + got + 1);
        if (grown == NULL) {
            free(text);
            fclose(file);
            return NULL;
        }
        text = grown;
        for (size_t i = 0; i < got; ++i)
            text[length + i] = chunk[i];
        length += got;
    }
    fclose(file);
    if (text == NULL)
        text = calloc(1, 1);
    else
        text[length] = '\0';
    return text;
}

static int fail(sqlite3 *db, const char *what, char *message)
{
    fprintf(stderr, "demo_data_builder: %s: %s\n", what, message != NULL ? message : sqlite3_errmsg(db));
    sqlite3_free(message);
    sqlite3_close(db);
    return 1;
}

/* Counts the rows of the first column's query; -1 when it fails. */
static long long count_of(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *query = NULL;
    long long count = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &query, NULL) == SQLITE_OK && sqlite3_step(query) == SQLITE_ROW)
        count = sqlite3_column_int64(query, 0);
    sqlite3_finalize(query);
    return count;
}

static int check_aliases(sqlite3 *db)
{
    sqlite3_stmt *aliases = NULL;
    if (sqlite3_prepare_v2(db, "SELECT CREATOR, NAME, BASE_SCHEMA, BASE_NAME FROM main.zuno_aliases", -1, &aliases,
                           NULL) != SQLITE_OK)
        return fail(db, "reading the aliases", NULL);
    int faults = 0;
    while (sqlite3_step(aliases) == SQLITE_ROW) {
        const char *names[4];
        for (int i = 0; i < 4; ++i)
            names[i] = (const char *)sqlite3_column_text(aliases, i);
        char *alias_sql = sqlite3_mprintf("SELECT count(*) FROM \"%w\".\"%w\"", names[0], names[1]);
        char *base_sql = sqlite3_mprintf("SELECT count(*) FROM \"%w\".\"%w\"", names[2], names[3]);
        char *listed_sql = sqlite3_mprintf("SELECT count(*) FROM sysibm.systables WHERE CREATOR = '%q' AND NAME = '%q'"
                                           " AND TYPE = 'A' AND BASE_SCHEMA = '%q' AND BASE_NAME = '%q'",
                                           names[0], names[1], names[2], names[3]);
        long long through_alias = count_of(db, alias_sql);
        long long in_base = count_of(db, base_sql);
        if (through_alias < 0 || through_alias != in_base || count_of(db, listed_sql) != 1) {
            fprintf(stderr, "demo_data_builder: alias %s.%s does not show %s.%s\n", names[0], names[1], names[2],
                    names[3]);
            ++faults;
        }
        sqlite3_free(alias_sql);
        sqlite3_free(base_sql);
        sqlite3_free(listed_sql);
    }
    sqlite3_finalize(aliases);
    if (faults > 0) {
        sqlite3_close(db);
        return 1;
    }
    return 0;
}

int main(int argc, char **argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: demo_data_builder OUTPUT_DIR SCRIPT EXTENSION\n");
        return 2;
    }
    char *script = read_file(argv[2]);
    if (script == NULL) {
        fprintf(stderr, "demo_data_builder: cannot read %s\n", argv[2]);
        return 1;
    }
    if (chdir(argv[1]) != 0) {
        fprintf(stderr, "demo_data_builder: cannot enter %s\n", argv[1]);
        free(script);
        return 1;
    }
    if (access("zuno_demo.db", F_OK) == 0) {
        fprintf(stderr, "demo_data_builder: %s/zuno_demo.db exists already\n", argv[1]);
        free(script);
        return 1;
    }

    sqlite3 *db = NULL;
    char *message = NULL;
    if (sqlite3_open("zuno_demo.db", &db) != SQLITE_OK) {
        free(script);
        return fail(db, "zuno_demo.db", NULL);
    }
    int rc = sqlite3_exec(db, script, NULL, NULL, &message);
    free(script);
    if (rc != SQLITE_OK)
        return fail(db, argv[2], message);
    sqlite3_close(db);

    db = NULL;
    if (sqlite3_open("zuno_demo.db", &db) != SQLITE_OK)
        return fail(db, "zuno_demo.db", NULL);
    sqlite3_enable_load_extension(db, 1);
    if (sqlite3_load_extension(db, argv[3], NULL, &message) != SQLITE_OK)
        return fail(db, argv[3], message);
    if (check_aliases(db) != 0)
        return 1;
    long long objects = count_of(db, "SELECT count(*) FROM sysibm.systables WHERE CREATOR NOT IN ('SYSIBM', 'SYSCAT')");
    long long columns =
        count_of(db, "SELECT count(*) FROM sysibm.syscolumns WHERE TBCREATOR NOT IN ('SYSIBM', 'SYSCAT')");
    sqlite3_close(db);
    printf("demo data: %lld tables, views and aliases with %lld columns\n", objects, columns);
    return 0;
}
