/* The views of the SYSIBM and SYSCAT schemas. They read SQLite's own
 * catalog (pragma_table_list, pragma_table_info) each time they are queried,
 * so a table created a moment ago is listed at once. Names come out in upper
 * case, as Db2 stores them; the schema of an object is the name its database
 * is attached under. Objects named sqlite_* or zuno_* and the temp schema are
 * left out. An alias is a zuno_alias virtual table listed in zuno_aliases (a
 * copy of main.zuno_aliases in each catalog schema): it is listed with TYPE 'A'
 * and its base table, and, as in Db2, it has no columns of its own. A column
 * without a declared type (a computed column of a view) is shown as VARCHAR,
 * which is how the SQLite ODBC driver describes it. */
#include "db2_catalog.h"

SQLITE_EXTENSION_INIT3

/* Objects of every attached database that the catalog shows. */
#define LISTED_OBJECTS                                                                                                 \
    "t.schema <> 'temp' AND t.type <> 'shadow'"                                                                        \
    " AND t.name NOT LIKE 'sqlite\\_%' ESCAPE '\\' AND t.name NOT LIKE 'zuno\\_%' ESCAPE '\\'"

/* One row per listed object: t (pragma_table_list) joined with its alias
 * entry a, if any, from the zuno_aliases copy held in the given schema. */
#define OBJECTS_OF(schema)                                                                                             \
    " FROM pragma_table_list AS t LEFT JOIN " schema ".zuno_aliases AS a"                                              \
    " ON a.CREATOR = upper(t.schema) AND a.NAME = upper(t.name) WHERE " LISTED_OBJECTS

#define OBJECT_TYPE                                                                                                    \
    "CASE WHEN a.NAME IS NOT NULL THEN 'A'"                                                                            \
    " WHEN t.type = 'view' AND lower(t.schema) <> 'sysibm' THEN 'V' ELSE 'T' END"

/* An alias has no columns of its own. */
#define COLUMN_COUNT "CASE WHEN a.NAME IS NOT NULL THEN 0 ELSE t.ncol END"

/* One row per column of every listed object that is not an alias, with the
 * declared type split into the word before "(" (BASETYPE) and the whole
 * declaration (DECLARED), both in upper case. */
#define COLUMNS_OF(schema)                                                                                             \
    " FROM (SELECT *, trim(CASE WHEN instr(DECLARED, '(') > 0"                                                         \
    "         THEN substr(DECLARED, 1, instr(DECLARED, '(') - 1) ELSE DECLARED END) AS BASETYPE"                       \
    "       FROM (SELECT upper(c.name) AS COLNAME, upper(t.name) AS TABNAME, upper(t.schema) AS TABSCHEMA,"            \
    "               c.cid AS COLNO, upper(c.type) AS DECLARED,"                                                        \
    "               CASE WHEN c.\"notnull\" THEN 'N' ELSE 'Y' END AS NULLS"                                            \
    "             FROM pragma_table_list AS t JOIN pragma_table_info(t.name, t.schema) AS c"                           \
    "             WHERE " LISTED_OBJECTS " AND NOT EXISTS (SELECT 1 FROM " schema ".zuno_aliases AS a"                 \
    "               WHERE a.CREATOR = upper(t.schema) AND a.NAME = upper(t.name))))"

/* The Db2 type word of a column, e.g. INTEGER, VARCHAR, DECIMAL, TIMESTMP. */
#define DB2_TYPE(timestamp_word)                                                                                       \
    "CASE BASETYPE WHEN 'INT' THEN 'INTEGER' WHEN 'FLOAT' THEN 'DOUBLE' WHEN 'DOUBLE PRECISION' THEN 'DOUBLE'"         \
    " WHEN 'NUMERIC' THEN 'DECIMAL' WHEN 'DEC' THEN 'DECIMAL' WHEN 'CHARACTER' THEN 'CHAR'"                            \
    " WHEN 'CHARACTER VARYING' THEN 'VARCHAR' WHEN 'TEXT' THEN 'CLOB' WHEN 'TIMESTAMP' THEN '" timestamp_word "'"      \
    " WHEN '' THEN 'VARCHAR' ELSE BASETYPE END"

#define LENGTH_AND_SCALE                                                                                               \
    " CASE WHEN instr(DECLARED, '(') > 0 THEN CAST(substr(DECLARED, instr(DECLARED, '(') + 1) AS INTEGER)"             \
    "   ELSE CASE BASETYPE WHEN 'SMALLINT' THEN 2 WHEN 'INT' THEN 4 WHEN 'INTEGER' THEN 4 WHEN 'BIGINT' THEN 8"        \
    "     WHEN 'REAL' THEN 4 WHEN 'DOUBLE' THEN 8 WHEN 'DOUBLE PRECISION' THEN 8 WHEN 'FLOAT' THEN 8"                  \
    "     WHEN 'DATE' THEN 4 WHEN 'TIME' THEN 3 WHEN 'TIMESTAMP' THEN 10 WHEN '' THEN 255"                             \
    "     ELSE 0 END END AS LENGTH,"                                                                                   \
    " CASE WHEN instr(DECLARED, ',') > 0 THEN CAST(substr(DECLARED, instr(DECLARED, ',') + 1) AS INTEGER)"             \
    "   ELSE 0 END AS SCALE"

#define ALIAS_TABLE(schema)                                                                                            \
    "CREATE TABLE " schema ".zuno_aliases (CREATOR VARCHAR(128) NOT NULL, NAME VARCHAR(128) NOT NULL,"                 \
    " BASE_SCHEMA VARCHAR(128) NOT NULL, BASE_NAME VARCHAR(128) NOT NULL, PRIMARY KEY (CREATOR, NAME));"

/* clang-format off */
const char *const db2_catalog_views_sql =
    ALIAS_TABLE("sysibm")
    ALIAS_TABLE("syscat")

    "CREATE VIEW sysibm.systables AS SELECT upper(t.schema) AS CREATOR, upper(t.name) AS NAME, " OBJECT_TYPE " AS TYPE,"
    " -1 AS CARD, CAST(NULL AS VARCHAR(254)) AS REMARKS, a.BASE_SCHEMA AS BASE_SCHEMA, a.BASE_NAME AS BASE_NAME,"
    " " COLUMN_COUNT " AS COLCOUNT" OBJECTS_OF("sysibm") ";"

    "CREATE VIEW sysibm.syscolumns AS SELECT COLNAME AS NAME, TABNAME AS TBNAME, TABSCHEMA AS TBCREATOR, COLNO,"
    " printf('%-8s', " DB2_TYPE("TIMESTMP") ") AS COLTYPE," LENGTH_AND_SCALE ", NULLS,"
    " CAST(NULL AS VARCHAR(254)) AS REMARKS" COLUMNS_OF("sysibm") ";"

    "CREATE VIEW sysibm.sysdummy1 AS SELECT 'Y' AS IBMREQD;"

    "CREATE VIEW syscat.useroptions AS SELECT CAST(NULL AS VARCHAR(128)) AS AUTHID,"
    " CAST(NULL AS CHAR(1)) AS AUTHIDTYPE, CAST(NULL AS VARCHAR(128)) AS OPTION,"
    " CAST(NULL AS VARCHAR(255)) AS SETTING WHERE 0;"

    "CREATE VIEW syscat.tables AS SELECT upper(t.schema) AS TABSCHEMA, upper(t.name) AS TABNAME,"
    " 'SYSIBM' AS OWNER, " OBJECT_TYPE " AS TYPE, -1 AS CARD, CAST(NULL AS VARCHAR(254)) AS REMARKS,"
    " a.BASE_SCHEMA AS BASE_TABSCHEMA, a.BASE_NAME AS BASE_TABNAME, " COLUMN_COUNT " AS COLCOUNT"
    OBJECTS_OF("syscat") ";"

    "CREATE VIEW syscat.columns AS SELECT TABSCHEMA, TABNAME, COLNAME, COLNO, " DB2_TYPE("TIMESTAMP") " AS TYPENAME,"
    LENGTH_AND_SCALE ", NULLS, CAST(NULL AS VARCHAR(254)) AS REMARKS" COLUMNS_OF("syscat") ";"

    "CREATE VIEW syscat.schemata AS SELECT upper(name) AS SCHEMANAME, 'SYSIBM' AS OWNER"
    " FROM pragma_database_list WHERE name <> 'temp';";
/* clang-format on */
