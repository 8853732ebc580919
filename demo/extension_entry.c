/* The entry point SQLite calls when it loads libzuno_db2_catalog.so into a
 * connection. SQLite derives the name from the file name (its letters after
 * "lib", up to the first dot), so the SQLite ODBC driver's LoadExt option
 * needs nothing but the path. */
#include "db2_catalog.h"

SQLITE_EXTENSION_INIT1

__attribute__((visibility("default"))) int sqlite3_zunodbcatalog_init(sqlite3 *db, char **error,
                                                                      const sqlite3_api_routines *api)
{
    SQLITE_EXTENSION_INIT2(api);
    /* Loaded a second time into the same connection: the catalog is there. */
    if (db2_catalog_present(db))
        return SQLITE_OK;
    /* The catalog comes first: when it fails, SQLite unloads the library
     * again, so nothing that points into it may have been registered yet. */
    int rc = db2_build_catalog(db, error);
    if (rc != SQLITE_OK)
        return rc;
    /* Registering fails only when memory runs out; whatever was registered
     * by then points into the library, so it must stay loaded either way. */
    if (db2_register_strip(db) != SQLITE_OK || db2_register_alias_module(db) != SQLITE_OK)
        return SQLITE_OK_LOAD_PERMANENTLY;
    db2_create_aliases(db);
    return SQLITE_OK;
}
