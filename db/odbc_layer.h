// The program's only path to the database: a thin, synchronous wrapper over
// the wide-character call set of the ODBC driver manager. It owns the
// environment, the one connection with its statements, the data-source
// cursor and the text of the last error. Texts cross this boundary as UTF-8.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/column_kind.h"

namespace zuno {

class OdbcLayer {
 public:
  OdbcLayer();
  ~OdbcLayer();
  OdbcLayer(const OdbcLayer&) = delete;
  OdbcLayer& operator=(const OdbcLayer&) = delete;

  // Allocates the environment and asks for ODBC 3 behaviour; false (and every
  // later Connect false) when either step does not succeed exactly.
  bool OpenEnvironment();

  // The configured data sources, user and system, first to last, without
  // the names longer than 99 characters:
  // if (FirstDataSource()) while (NextDataSource()) use DataSourceName().
  bool FirstDataSource();
  bool NextDataSource();
  std::string DataSourceName() const;

  // Every false below leaves a text in LastError: the driver's message, or
  // the layer's own where the driver gave none, ending with the SQLSTATE.
  // A failure of the connection itself (SQLSTATE class 08, or the driver's
  // "connection lost") also closes it: Connected is false from then on, and
  // the text says so and how to connect again.

  // Closes any existing connection first, also when the new attempt fails.
  bool Connect(std::string_view dsn, std::string_view user, std::string_view password);

  // Runs a statement whose result set the column and row operations read.
  // Without a connection false, keeping the text of the Connect that failed.
  bool ExecuteQuery(std::string_view sql);
  // The same with run executing the statement: given the statement handle
  // (an SQLHSTMT), it binds what it needs and returns the driver's code
  // (an SQLRETURN). For the files of db/ that make other calls than a plain
  // execution: bound parameters, the driver's catalog calls.
  using StatementCall = std::function<short(void* statement)>;
  bool ExecuteWith(const StatementCall& run);
  // Runs a statement for its row count. A searched UPDATE or DELETE that
  // touched no row ends with no data; that is a success with 0 rows.
  bool ExecuteUpdate(std::string_view sql);

  int ColumnCount();
  // Name, size and kind from one describe call. A name of 128 or more code
  // units gives size 0 and kind None, as a describe with a 128-unit name
  // buffer reports it cut short.
  struct ColumnDescription {
    std::string name;
    int size = 0;
    ColumnKind kind = ColumnKind::None;
    int sqlType = 0;  // the driver's type code, 0 where kind is None
  };
  ColumnDescription DescribeColumn(int column);

  // How a bound column's values land in its array, as the reads below take
  // them: text, or a number of the reader's own size; or not bound at all,
  // each value read from the driver on its row of the block, as a long or
  // large-object value is, in pieces of any size.
  enum class BoundAs { Text, Long, Quad, Float, Double, Unbound };
  struct BoundColumn {
    BoundAs as = BoundAs::Text;
    // For text: the characters the driver says a value may have. A longer
    // value, or any of a column that says 0 (as Db2 does for ''), is read
    // again from the driver.
    int units = 0;
  };
  // Fetches the current result's rows in blocks of up to maxRows (0: as many
  // as fit a block's memory) into arrays bound per column; the reads below
  // then take each value from there, and read an unbound column's value
  // (or a text wider than an element may be) from the driver on its row.
  // False, and the reads stay one driver call per value, when the driver
  // cannot read a value of a block again (a text longer than its column
  // says, a value it could not convert), does not take the row array, or no
  // column is bound. Call before the first NextRow.
  bool FetchInBlocks(const std::vector<BoundColumn>& columns, int maxRows);

  bool NextRow();
  // Whether the row NextRow gave is the last the driver has handed over:
  // the last of its block, or any row where rows come one a fetch.
  bool RowEndsBlock() const;
  // How the last NextRow that gave false ended: past the last row, by a
  // cancel, or by an error whose text LastError then holds.
  enum class FetchEnd { EndOfRows, Cancelled, Error };
  FetchEnd LastFetchEnd() const;
  // Each value is read together with whether it is NULL, in one call per
  // value (a long text in pieces). ReadText gives false for NULL, else fills
  // text with the value whole (a NUL character in it as well), or with what
  // arrived before a piece failed, or with its first maxUnits UTF-16 units
  // or a little more where the value is longer: ReadCutShort then says so.
  // The number reads give nothing for NULL and 0 for a value the driver
  // cannot convert; ReadFailed tells such a value from a real 0.
  static constexpr std::size_t kWholeValue = static_cast<std::size_t>(-1);
  bool ReadText(int column, std::string& text, std::size_t maxUnits = kWholeValue);
  // Whether the last ReadText stopped at its bound before the value's end.
  bool ReadCutShort() const;
  // The bytes of a binary value, false for NULL. Reading stops once more
  // than limit bytes arrived: bytes holds more than limit for a longer one.
  bool ReadBinary(int column, std::string& bytes, std::size_t limit);
  // Whether the last read could not give its value whole.
  bool ReadFailed() const;
  std::optional<std::int32_t> ReadLong(int column);
  std::optional<std::int64_t> ReadQuad(int column);
  std::optional<float> ReadFloat(int column);
  std::optional<double> ReadDouble(int column);
  // The value's text; the empty text for NULL.
  std::string GetText(int column);
  // Moves on to the statement's next result (a procedure may return several
  // result sets); false when none follows. The rest of the current one is
  // dropped.
  bool NextResultSet();
  void FinishQuery();

  // Asks the driver to stop the statement that runs or is being fetched,
  // and ends the fetch: NextRow gives false from then on. The one call that
  // may come from another thread while a statement runs.
  void Cancel();

  // Autocommit as the driver does it, on by default, or off: every
  // statement then runs in a transaction that EndTransaction ends. Taken by
  // each later Connect, and set on the connection at once. False, with the
  // driver's text in LastError, where it refused.
  bool SetAutocommit(bool on);
  bool Autocommit() const;
  enum class TransactionEnd { Commit, Rollback };
  // Ends the connection's transaction (SQLEndTran). Without a connection
  // false, as a statement is.
  bool EndTransaction(TransactionEnd end);
  // Whether, with autocommit off, a statement has run on the connection
  // since it was made or its transaction last ended: the server may hold
  // locks for it. A connection that goes rolls its transaction back.
  bool InTransaction() const;

  std::int32_t AffectedRows() const;
  const std::string& LastError() const;
  bool Connected() const;
  void CloseConnection();

 private:
  bool NotConnected();
  void LoseConnection();

  struct State;
  std::unique_ptr<State> s_;
};

}  // namespace zuno
