// Where the table lists (Catalog, Last Creator, a creator's tables) hold
// what a row names, by column position.
#pragma once

namespace zuno {

constexpr int kSchemaColumn = 0;
constexpr int kNameColumn = 1;
constexpr int kTypeColumn = 2;
// An alias's base table.
constexpr int kBaseSchemaColumn = 5;
constexpr int kBaseNameColumn = 6;

}  // namespace zuno
