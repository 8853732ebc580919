/* The pieces of the SQLite extension that makes a SQLite database answer like
 * a Db2/LUW catalog: STRIP(), aliases, and the SYSIBM and SYSCAT schemas.
 *
 * The database the extension is loaded into (the "main" schema) names the
 * rest of the data in two tables of its own:
 *   zuno_schemas (SCHEMA, FILE)  one database file per data schema, attached
 *                                under the schema's name; a relative FILE is
 *                                found beside the main database file
 *   zuno_aliases (CREATOR, NAME, BASE_SCHEMA, BASE_NAME)
 *                                the aliases, each a zuno_alias virtual table
 *                                CREATOR.NAME reading BASE_SCHEMA.BASE_NAME
 * Both are optional: without them the connection gets only the catalog. */
#ifndef ZUNO_DEMO_DB2_CATALOG_H
#define ZUNO_DEMO_DB2_CATALOG_H

#include <sqlite3ext.h>

/* Registers the scalar function strip(x). */
int db2_register_strip(sqlite3 *db);

/* Registers the virtual table module "zuno_alias": a read-only table whose
 * rows are those of another table, named by the two module arguments
 * (schema, table), e.g. CREATE VIRTUAL TABLE ME.ORD USING zuno_alias(MYSCHEMA, ORDERS). */
int db2_register_alias_module(sqlite3 *db);

/* The SQL script that creates the views of SYSIBM and SYSCAT. */
extern const char *const db2_catalog_views_sql;

/* Attaches the schema files listed in main.zuno_schemas and the in-memory
 * SYSIBM and SYSCAT schemas with their views, and copies main.zuno_aliases
 * into them. Uses no function of the extension, so it can run before any is
 * registered. On failure everything it attached is detached again and *error
 * holds a sqlite3_malloc'ed text. */
int db2_build_catalog(sqlite3 *db, char **error);

/* Creates the zuno_alias table of every alias listed in main.zuno_aliases
 * that does not exist yet. An alias whose table cannot be made (its base
 * table or its schema is missing) is left out; the others are still made. */
void db2_create_aliases(sqlite3 *db);

/* True when the catalog schemas are already attached to this connection. */
int db2_catalog_present(sqlite3 *db);

#endif
