// What a statement does to the transaction it runs in, read through the one
// lexer: a COMMIT or ROLLBACK that ends it (the program ends it through the
// driver instead, so what it shows never differs from the server), or a
// statement that leaves work to commit or not.
#pragma once

#include <optional>
#include <string_view>

#include "db/odbc_layer.h"

namespace zuno {

// COMMIT [WORK] and ROLLBACK [WORK] in any case, a final ";" allowed. A
// ROLLBACK TO SAVEPOINT, a SAVEPOINT or RELEASE SAVEPOINT goes
// to the database as it is: nullopt.
std::optional<OdbcLayer::TransactionEnd> ReadTransactionStatement(std::string_view text);

// Whether a statement that ran well leaves work the user must commit:
// INSERT, UPDATE, DELETE and MERGE when they changed a row (or the driver
// does not know: affectedRows -1); DDL, GRANT and any other statement the
// program does not know to change nothing; a CALL, whose procedure may
// change rows; a query only where it reads a data-change table (FINAL,
// NEW or OLD TABLE). SET, VALUES, SAVEPOINT, RELEASE and ROLLBACK TO
// SAVEPOINT change nothing to commit.
bool LeavesWorkToCommit(std::string_view text, long long affectedRows);

}  // namespace zuno
