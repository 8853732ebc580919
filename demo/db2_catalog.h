/* The pieces of the SQLite extension that makes a SQLite database answer like
 * a Db2/LUW catalog: STRIP(), aliases, and the SYSIBM and SYSCAT schemas. */
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

/* Attaches the schema files listed in main.zuno_schemas, the in-memory
 * SYSIBM and SYSCAT schemas with their views, and creates the aliases listed
 * in main.zuno_aliases. On failure *error holds a sqlite3_malloc'ed text. */
int db2_build_catalog(sqlite3 *db, char **error);

#endif
