#include "db/odbc_layer.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <optional>
#include <vector>

#include "db/bound_block.h"
#include "db/driver_failure.h"
#include "db/idle_trim.h"
#include "db/odbc_handles.h"
#include "db/wide_text.h"

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the driver manager must speak UTF-16");

namespace zuno {
namespace {

constexpr SQLSMALLINT kNameUnits = 100;          // data source names and descriptions
constexpr SQLSMALLINT kColumnNameUnits = 4096;   // DescribeColumn
constexpr SQLSMALLINT kWholeNameUnits = 128;  // a longer name leaves a column without size and kind
constexpr SQLSMALLINT kDiagnosticBytes = 16384;
constexpr SQLLEN kPieceUnits = 2048;             // GetText reads this many characters a call
// A block's arrays take about this much memory, for at most this many rows;
// a text column is bound when its values fit one piece.
constexpr SQLLEN kBlockBytes = 256 * 1024;
constexpr SQLULEN kMaxBlockRows = 512;
constexpr int kMaxBoundUnits = kPieceUnits;
// Room past a text's reported size: a decimal's sign, point and leading zero
// come on top of its digits.
constexpr int kTextSlack = 8;

bool Succeeded(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

bool SetAutocommitOn(SQLHDBC dbc, bool on) {
  const SQLULEN value = on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
  return Succeeded(SQLSetConnectAttrW(dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(value), SQL_IS_UINTEGER));
}

std::u16string Wide(std::string_view utf8) { return Utf8ToUtf16(utf8); }

SQLWCHAR* Units(std::u16string& s) { return reinterpret_cast<SQLWCHAR*>(s.data()); }

// Lengths are given in code units rather than as terminated texts: the
// driver manager's conversion of a terminated wide text reads past its end.
SQLSMALLINT Length(const std::u16string& s) { return static_cast<SQLSMALLINT>(s.size()); }

std::string Narrow(const SQLWCHAR* units, size_t count) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(units), count));
}

// Units up to the first terminator, at most max.
size_t TerminatedLength(const SQLWCHAR* units, size_t max) {
  size_t n = 0;
  while (n < max && units[n] != 0) ++n;
  return n;
}

std::string DiagnosticText(SQLSMALLINT type, SQLHANDLE handle) {
  std::vector<SQLWCHAR> buffer(kDiagnosticBytes / sizeof(SQLWCHAR), 0);
  SQLSMALLINT length = 0;
  SQLGetDiagFieldW(type, handle, 1, SQL_DIAG_MESSAGE_TEXT, buffer.data(), kDiagnosticBytes, &length);
  return Narrow(buffer.data(), TerminatedLength(buffer.data(), buffer.size() - 1));
}

// The five characters of the first diagnostic record's SQLSTATE; empty where
// the driver left none.
std::string DiagnosticState(SQLSMALLINT type, SQLHANDLE handle) {
  SQLWCHAR state[6] = {};
  SQLSMALLINT length = 0;
  SQLGetDiagFieldW(type, handle, 1, SQL_DIAG_SQLSTATE, state, sizeof state, &length);
  return Narrow(state, TerminatedLength(state, 5));
}

// What a failure that left no diagnostic record says.
constexpr std::string_view kNoEnvironment = "The ODBC environment could not be set up.";
constexpr std::string_view kNoConnectionHandle = "The driver manager gave no connection handle.";
constexpr std::string_view kNoStatementHandle = "The driver gave no statement handle.";
constexpr std::string_view kNotConnected = "There is no connection: click Connect first.";
constexpr std::string_view kDriverSaidNothing = "The driver reported a failure without a message.";

struct Connection {
  ConnectionHandle dbc;
  StatementHandle current;  // the last ExecuteQuery's statement, if any
  StatementHandle spare;    // allocated in advance for the next statement
  std::int32_t affectedRows = 0;
  // With autocommit off: a statement ran since the transaction began.
  bool inTransaction = false;
  // Whether the driver reads a value of a fetched block again on request,
  // which a value that did not fit its bound element needs.
  bool rereadsInBlocks = false;

  StatementHandle NewStatement() const {
    SQLHSTMT h = SQL_NULL_HSTMT;
    if (SQLAllocHandle(SQL_HANDLE_STMT, dbc.get(), &h) != SQL_SUCCESS) return {};
    return StatementHandle(h);
  }
  // The spare statement, allocated now where an earlier allocation failed.
  StatementHandle TakeSpare() {
    StatementHandle s = std::move(spare);
    if (!s) s = NewStatement();
    spare = NewStatement();
    return s;
  }
};

enum class Cursor { Idle, FirstFetched, Delivering };

struct Described {
  SQLRETURN rc = SQL_ERROR;
  SQLSMALLINT dataType = 0;
  SQLULEN size = 0;
  SQLSMALLINT nameLength = 0;
};

}  // namespace

struct OdbcLayer::State {
  EnvironmentHandle env;  // goes after the connection made in it
  bool usable = false;

  Cursor cursor = Cursor::Idle;
  SQLWCHAR name[kNameUnits] = {};
  SQLWCHAR description[kNameUnits] = {};

  BoundBlock block;  // declared first: goes after the statement bound to it
  std::optional<Connection> connection;
  std::string lastError;
  bool autocommit = true;  // what each Connect sets

  // The statement a cancel request may reach: set while it executes or its
  // rows are fetched, cleared before it is freed, under the mutex both ways.
  std::mutex activeMutex;
  SQLHSTMT active = SQL_NULL_HSTMT;
  std::atomic<bool> cancelled{false};
  OdbcLayer::FetchEnd fetchEnd = OdbcLayer::FetchEnd::EndOfRows;
  bool readFailed = false;
  bool readCutShort = false;

  void SetActive(SQLHSTMT stmt) {
    std::lock_guard lock(activeMutex);
    active = stmt;
  }
  // Frees a statement no cancel request can be reaching.
  void Retire(StatementHandle& stmt) {
    {
      std::lock_guard lock(activeMutex);
      if (active == stmt.get()) active = SQL_NULL_HSTMT;
    }
    stmt.Reset();
  }
  // Ends the current result: its statement goes, and the arrays bound to it.
  void RetireCurrent() {
    Retire(connection->current);
    block.Unbind(SQL_NULL_HSTMT);
  }
  std::vector<SQLWCHAR> text;  // ReadText's buffer, kept so a long list reuses it

  // Keeps the text of a failed call on the handle; true when the call has
  // lost the connection.
  bool Fail(SQLSMALLINT type, SQLHANDLE handle, std::string_view fallback) {
    DriverFailure f = DescribeDriverFailure(DiagnosticText(type, handle), DiagnosticState(type, handle), fallback);
    lastError = std::move(f.text);
    return f.connectionGone;
  }
  // A call that could not get a statement handle says so in the driver's
  // words, where the connection has any.
  void FailWithoutStatement() {
    Fail(SQL_HANDLE_DBC, connection->dbc.get(), kNoStatementHandle);
  }

  SQLHSTMT Current() const {
    return connection && connection->current ? connection->current.get() : SQL_NULL_HSTMT;
  }

  // The statement to read a value from the driver with: in a block, placed
  // on the current row first; none when that fails.
  SQLHSTMT ReadStatement() const {
    SQLHSTMT stmt = Current();
    if (stmt == SQL_NULL_HSTMT || !block.Bound()) return stmt;
    return Succeeded(SQLSetPos(stmt, block.RowNumber(), SQL_POSITION, SQL_LOCK_NO_CHANGE)) ? stmt : SQL_NULL_HSTMT;
  }

  // Fetches in the direction, then onwards past every name that does not fit
  // the buffer: a name cut short cannot be connected to, and stopping at it
  // would hide every data source after it. A description cut short does not
  // matter, it is never shown.
  bool FetchDataSource(SQLUSMALLINT direction) {
    for (;;) {
      SQLSMALLINT nameLength = 0, descriptionLength = 0;
      SQLRETURN rc = SQLDataSourcesW(env.get(), direction, name, kNameUnits, &nameLength, description,
                                     kNameUnits, &descriptionLength);
      if (!Succeeded(rc)) return false;
      if (nameLength < kNameUnits) return true;
      direction = SQL_FETCH_NEXT;
    }
  }

  Described Describe(int column, std::vector<SQLWCHAR>& name) const {
    Described d;
    SQLHSTMT stmt = Current();
    if (stmt == SQL_NULL_HSTMT) return d;
    name.assign(static_cast<size_t>(kColumnNameUnits), 0);
    SQLSMALLINT decimals = 0, nullable = 0;
    d.rc = SQLDescribeColW(stmt, static_cast<SQLUSMALLINT>(column + 1), name.data(), kColumnNameUnits,
                           &d.nameLength, &d.dataType, &d.size, &decimals, &nullable);
    return d;
  }

  // The value and its NULL-ness in one call; a failed conversion leaves 0
  // and marks the read as failed.
  template <typename T>
  std::optional<T> ReadFixed(int column, SQLSMALLINT cType) {
    T value{};
    SQLLEN indicator = 0;
    if (const void* bound = block.Value(column, cType, indicator)) {
      readFailed = false;
      if (indicator == SQL_NULL_DATA) return std::nullopt;
      std::memcpy(&value, bound, sizeof value);
      return value;
    }
    SQLHSTMT stmt = ReadStatement();
    SQLRETURN rc = SQL_ERROR;
    if (stmt != SQL_NULL_HSTMT)
      rc = SQLGetData(stmt, static_cast<SQLUSMALLINT>(column + 1), cType, &value, sizeof value, &indicator);
    readFailed = !Succeeded(rc);
    if (!readFailed && indicator == SQL_NULL_DATA) return std::nullopt;
    return value;
  }
};

OdbcLayer::OdbcLayer() : s_(std::make_unique<State>()) {}

OdbcLayer::~OdbcLayer() { CloseConnection(); }

// Once open, the environment stays: a connection may have been made in it.
bool OdbcLayer::OpenEnvironment() {
  if (s_->usable) return true;
  s_->env.Reset();
  SQLHENV env = SQL_NULL_HENV;
  SQLRETURN rc = SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
  if (env != SQL_NULL_HENV) s_->env = EnvironmentHandle(env);
  if (rc != SQL_SUCCESS) return false;
  s_->usable = SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION,
                             reinterpret_cast<SQLPOINTER>(static_cast<SQLLEN>(SQL_OV_ODBC3)),
                             SQL_IS_INTEGER) == SQL_SUCCESS;
  return s_->usable;
}

bool OdbcLayer::FirstDataSource() {
  if (!s_->env) return false;
  if (!s_->FetchDataSource(SQL_FETCH_FIRST)) return false;
  s_->cursor = Cursor::FirstFetched;
  return true;
}

bool OdbcLayer::NextDataSource() {
  switch (s_->cursor) {
    case Cursor::FirstFetched:
      s_->cursor = Cursor::Delivering;
      return true;
    case Cursor::Delivering:
      if (s_->FetchDataSource(SQL_FETCH_NEXT)) return true;
      s_->cursor = Cursor::Idle;
      return false;
    case Cursor::Idle:
      return false;
  }
  return false;
}

std::string OdbcLayer::DataSourceName() const {
  if (s_->cursor != Cursor::Delivering) return {};
  return Narrow(s_->name, TerminatedLength(s_->name, kNameUnits - 1));
}

bool OdbcLayer::Connect(std::string_view dsn, std::string_view user, std::string_view password) {
  CloseConnection();
  if (!s_->usable) {
    s_->lastError = kNoEnvironment;
    return false;
  }
  s_->lastError.clear();

  SQLHDBC h = SQL_NULL_HDBC;
  if (SQLAllocHandle(SQL_HANDLE_DBC, s_->env.get(), &h) != SQL_SUCCESS) {
    s_->Fail(SQL_HANDLE_ENV, s_->env.get(), kNoConnectionHandle);
    return false;
  }
  Connection c;
  c.dbc = ConnectionHandle(h);

  std::u16string d = Wide(dsn), u = Wide(user), p = Wide(password);
  if (!Succeeded(SQLConnectW(h, Units(d), Length(d), Units(u), Length(u), Units(p), Length(p)))) {
    s_->Fail(SQL_HANDLE_DBC, h, kDriverSaidNothing);
    return false;  // the handle disconnects and frees itself
  }
  c.spare = c.NewStatement();
  if (!c.spare) {
    s_->Fail(SQL_HANDLE_DBC, h, kNoStatementHandle);
    return false;
  }
  if (!s_->autocommit && !SetAutocommitOn(h, false)) {
    s_->Fail(SQL_HANDLE_DBC, h, kDriverSaidNothing);
    return false;
  }
  constexpr SQLUINTEGER kReread = SQL_GD_ANY_COLUMN | SQL_GD_ANY_ORDER | SQL_GD_BLOCK | SQL_GD_BOUND;
  SQLUINTEGER getData = 0;
  if (SQLGetInfo(h, SQL_GETDATA_EXTENSIONS, &getData, sizeof getData, nullptr) == SQL_SUCCESS)
    c.rereadsInBlocks = (getData & kReread) == kReread;
  s_->connection = std::move(c);
  return true;
}

bool OdbcLayer::ExecuteQuery(std::string_view sql) {
  std::u16string text = Wide(sql);
  return ExecuteWith([&text](void* stmt) {
    return SQLExecDirectW(stmt, Units(text), static_cast<SQLINTEGER>(text.size()));
  });
}

bool OdbcLayer::ExecuteWith(const StatementCall& run) {
  if (!s_->connection) return NotConnected();
  Connection& c = *s_->connection;
  s_->lastError.clear();
  s_->cancelled = false;
  HoldTrim();
  s_->RetireCurrent();
  c.current = c.TakeSpare();
  if (!c.current) {
    s_->FailWithoutStatement();
    return false;
  }

  // The statement stays reachable for a cancel until it is freed: its rows
  // are fetched after this call.
  s_->SetActive(c.current.get());
  c.inTransaction = !s_->autocommit;
  SQLRETURN rc = run(c.current.get());
  // No data: a statement that touched no row ran well and has no rows.
  if (Succeeded(rc) || rc == SQL_NO_DATA) return true;
  if (s_->Fail(SQL_HANDLE_STMT, c.current.get(), kDriverSaidNothing)) LoseConnection();
  return false;
}

bool OdbcLayer::ExecuteUpdate(std::string_view sql) {
  if (!s_->connection) return NotConnected();
  Connection& c = *s_->connection;
  s_->lastError.clear();
  s_->cancelled = false;
  c.affectedRows = 0;
  StatementHandle s = c.TakeSpare();
  if (!s) {
    s_->FailWithoutStatement();
    return false;
  }

  std::u16string text = Wide(sql);
  s_->SetActive(s.get());
  c.inTransaction = !s_->autocommit;
  SQLRETURN rc = SQLExecDirectW(s.get(), Units(text), static_cast<SQLINTEGER>(text.size()));
  bool ok = true, gone = false;
  if (rc == SQL_NO_DATA) {
    // nothing matched: 0 rows changed
  } else if (!Succeeded(rc)) {
    gone = s_->Fail(SQL_HANDLE_STMT, s.get(), kDriverSaidNothing);
    ok = false;
  } else {
    SQLLEN count = 0;
    if (SQLRowCount(s.get(), &count) == SQL_SUCCESS) c.affectedRows = static_cast<std::int32_t>(count);
  }
  s_->Retire(s);
  if (gone) LoseConnection();
  return ok;
}

bool OdbcLayer::NotConnected() {
  // The text of a Connect that failed says more, and stays.
  if (s_->lastError.empty()) s_->lastError = kNotConnected;
  return false;
}

void OdbcLayer::LoseConnection() {
  CloseConnection();
  TrimAfterRest();
}

int OdbcLayer::ColumnCount() {
  SQLHSTMT stmt = s_->Current();
  SQLSMALLINT count = 0;
  if (stmt == SQL_NULL_HSTMT || SQLNumResultCols(stmt, &count) != SQL_SUCCESS) return 0;
  return count;
}

OdbcLayer::ColumnDescription OdbcLayer::DescribeColumn(int column) {
  std::vector<SQLWCHAR> name;
  Described d = s_->Describe(column, name);
  ColumnDescription out;
  if (name.empty()) return out;
  size_t units = std::min<size_t>(static_cast<size_t>(std::max<SQLSMALLINT>(d.nameLength, 0)), name.size() - 1);
  out.name = Narrow(name.data(), TerminatedLength(name.data(), units));
  if (d.rc == SQL_SUCCESS && d.nameLength < kWholeNameUnits) {
    out.size = static_cast<std::int32_t>(d.size);
    out.kind = zuno::ColumnKindOf(d.dataType);
    out.sqlType = d.dataType;
  }
  return out;
}

bool OdbcLayer::FetchInBlocks(const std::vector<BoundColumn>& columns, int maxRows) {
  SQLHSTMT stmt = s_->Current();
  if (stmt == SQL_NULL_HSTMT || !s_->connection->rereadsInBlocks) return false;
  std::vector<BoundBlock::Column> bound;
  std::size_t arrays = 0;
  SQLLEN rowBytes = sizeof(SQLUSMALLINT);
  for (const BoundColumn& c : columns) {
    BoundBlock::Column b;
    switch (c.as) {
      case BoundAs::Text:
        // A text that may be longer than an element should be is read from
        // the driver, as a long one is.
        if (c.units < 0 || c.units > kMaxBoundUnits) break;
        b = {SQL_C_WCHAR, static_cast<SQLLEN>((c.units + kTextSlack + 1) * sizeof(SQLWCHAR))};
        break;
      case BoundAs::Long: b = {SQL_C_SLONG, sizeof(SQLINTEGER)}; break;
      case BoundAs::Quad: b = {SQL_C_SBIGINT, sizeof(SQLBIGINT)}; break;
      case BoundAs::Float: b = {SQL_C_FLOAT, sizeof(SQLREAL)}; break;
      case BoundAs::Double: b = {SQL_C_DOUBLE, sizeof(SQLDOUBLE)}; break;
      case BoundAs::Unbound: break;
    }
    if (b.width > 0) {
      rowBytes += b.width + static_cast<SQLLEN>(sizeof(SQLLEN));
      ++arrays;
    }
    bound.push_back(b);
  }
  // Nothing to gain where every value is read from the driver anyway.
  if (arrays == 0) return false;
  SQLULEN rows = std::min(static_cast<SQLULEN>(kBlockBytes / rowBytes), kMaxBlockRows);
  if (maxRows > 0) rows = std::min(rows, static_cast<SQLULEN>(maxRows));
  return rows > 1 && s_->block.Bind(stmt, std::move(bound), rows);
}

bool OdbcLayer::NextRow() {
  SQLHSTMT stmt = s_->Current();
  SQLRETURN rc = SQL_NO_DATA;
  if (stmt != SQL_NULL_HSTMT && !s_->cancelled) {
    if (!s_->block.Bound()) rc = SQLFetch(stmt);
    else if (s_->block.Next(stmt, rc)) return true;
  }
  if (Succeeded(rc)) return true;
  // A cancel that reaches the driver mid-fetch ends it with an error.
  if (s_->cancelled)
    s_->fetchEnd = FetchEnd::Cancelled;
  else if (rc == SQL_NO_DATA)
    s_->fetchEnd = FetchEnd::EndOfRows;
  else {
    s_->fetchEnd = FetchEnd::Error;
    if (s_->Fail(SQL_HANDLE_STMT, stmt, kDriverSaidNothing)) LoseConnection();
  }
  return false;
}

bool OdbcLayer::RowEndsBlock() const { return !s_->block.Bound() || s_->block.LastOfBlock(); }

OdbcLayer::FetchEnd OdbcLayer::LastFetchEnd() const { return s_->fetchEnd; }

bool OdbcLayer::ReadFailed() const { return s_->readFailed; }

bool OdbcLayer::ReadText(int column, std::string& text, std::size_t maxUnits) {
  text.clear();
  s_->readCutShort = false;
  SQLLEN indicator = 0;
  if (const void* bound = s_->block.Value(column, SQL_C_WCHAR, indicator)) {
    s_->readFailed = false;
    if (indicator == SQL_NULL_DATA) return false;
    // By its length: a NUL inside the value is one of its characters.
    AppendUtf16AsUtf8(text, std::u16string_view(static_cast<const char16_t*>(bound),
                                                static_cast<size_t>(indicator) / sizeof(SQLWCHAR)));
    return true;
  }
  SQLHSTMT stmt = s_->ReadStatement();
  s_->readFailed = stmt == SQL_NULL_HSTMT;
  if (stmt == SQL_NULL_HSTMT) return true;
  // Pieces of 2,048 characters; each next piece starts on the terminator of
  // the one before, so a value of any length needs no up-front size. The
  // value's length comes from the driver, not from a terminator: a NUL
  // inside it is kept.
  std::vector<SQLWCHAR>& buffer = s_->text;
  buffer.resize(kPieceUnits + 1);
  buffer[0] = 0;
  size_t p = 0;
  auto append = [&] {
    AppendUtf16AsUtf8(text, std::u16string_view(reinterpret_cast<const char16_t*>(buffer.data()), p));
  };
  for (;;) {
    SQLLEN indicator = 0;
    SQLRETURN rc = SQLGetData(stmt, static_cast<SQLUSMALLINT>(column + 1), SQL_C_WCHAR, buffer.data() + p,
                              (kPieceUnits + 1) * sizeof(SQLWCHAR), &indicator);
    if (rc == SQL_SUCCESS_WITH_INFO) {
      p += kPieceUnits;
      if (p >= maxUnits) {
        // The rest stays with the driver; a character cut in two goes.
        if (IsHighSurrogate(static_cast<char16_t>(buffer[p - 1]))) --p;
        s_->readCutShort = true;
        append();
        return true;
      }
      buffer.resize(p + kPieceUnits + 1, 0);
      continue;
    }
    if (rc == SQL_SUCCESS) {
      if (indicator == SQL_NULL_DATA) return false;
      const size_t last = indicator >= 0 ? static_cast<size_t>(indicator) / sizeof(SQLWCHAR)
                                         : TerminatedLength(buffer.data() + p, kPieceUnits);
      p += std::min<size_t>(last, kPieceUnits);
    } else {
      s_->readFailed = true;
    }
    // What arrived before a failed piece is kept.
    append();
    return true;
  }
}

bool OdbcLayer::ReadCutShort() const { return s_->readCutShort; }

bool OdbcLayer::ReadBinary(int column, std::string& bytes, std::size_t limit) {
  bytes.clear();
  SQLHSTMT stmt = s_->ReadStatement();
  s_->readFailed = stmt == SQL_NULL_HSTMT;
  if (stmt == SQL_NULL_HSTMT) return true;
  char piece[8192];
  for (;;) {
    SQLLEN indicator = 0;
    SQLRETURN rc = SQLGetData(stmt, static_cast<SQLUSMALLINT>(column + 1), SQL_C_BINARY, piece, sizeof piece,
                              &indicator);
    if (rc == SQL_NO_DATA) return true;  // the last piece came whole before
    if (!Succeeded(rc)) {
      s_->readFailed = true;
      return true;
    }
    if (indicator == SQL_NULL_DATA) return false;
    // A piece that did not hold the rest is full; the last one holds its length.
    const bool full = rc == SQL_SUCCESS_WITH_INFO || indicator == SQL_NO_TOTAL ||
                      indicator > static_cast<SQLLEN>(sizeof piece);
    bytes.append(piece, full ? sizeof piece : static_cast<std::size_t>(indicator));
    if (!full || bytes.size() > limit) return true;
  }
}

std::string OdbcLayer::GetText(int column) {
  std::string text;
  ReadText(column, text);
  return text;
}

std::optional<std::int32_t> OdbcLayer::ReadLong(int column) { return s_->ReadFixed<SQLINTEGER>(column, SQL_C_SLONG); }
std::optional<std::int64_t> OdbcLayer::ReadQuad(int column) {
  return s_->ReadFixed<SQLBIGINT>(column, SQL_C_SBIGINT);
}
std::optional<float> OdbcLayer::ReadFloat(int column) { return s_->ReadFixed<SQLREAL>(column, SQL_C_FLOAT); }
std::optional<double> OdbcLayer::ReadDouble(int column) { return s_->ReadFixed<SQLDOUBLE>(column, SQL_C_DOUBLE); }

bool OdbcLayer::NextResultSet() {
  SQLHSTMT stmt = s_->Current();
  s_->block.Unbind(stmt);  // the next result has columns of its own
  return stmt != SQL_NULL_HSTMT && !s_->cancelled && Succeeded(SQLMoreResults(stmt));
}

void OdbcLayer::FinishQuery() {
  if (!s_->connection || !s_->connection->current) return;
  s_->RetireCurrent();
  TrimAfterRest();
}

void OdbcLayer::Cancel() {
  s_->cancelled = true;
  std::lock_guard lock(s_->activeMutex);
  if (s_->active != SQL_NULL_HSTMT) SQLCancel(s_->active);
}

bool OdbcLayer::SetAutocommit(bool on) {
  if (s_->connection) {
    s_->lastError.clear();
    Connection& c = *s_->connection;
    // Switched on, the driver commits what the transaction holds.
    if (!SetAutocommitOn(c.dbc.get(), on)) {
      if (s_->Fail(SQL_HANDLE_DBC, c.dbc.get(), kDriverSaidNothing)) LoseConnection();
      return false;
    }
    if (on) c.inTransaction = false;
  }
  s_->autocommit = on;
  return true;
}

bool OdbcLayer::Autocommit() const { return s_->autocommit; }

bool OdbcLayer::EndTransaction(TransactionEnd end) {
  if (!s_->connection) return NotConnected();
  Connection& c = *s_->connection;
  s_->lastError.clear();
  // A result still open would keep its cursor across the end, or make the
  // driver refuse it.
  s_->RetireCurrent();
  const SQLSMALLINT type = end == TransactionEnd::Commit ? SQL_COMMIT : SQL_ROLLBACK;
  if (!Succeeded(SQLEndTran(SQL_HANDLE_DBC, c.dbc.get(), type))) {
    if (s_->Fail(SQL_HANDLE_DBC, c.dbc.get(), kDriverSaidNothing)) LoseConnection();
    return false;
  }
  c.inTransaction = false;
  return true;
}

bool OdbcLayer::InTransaction() const { return s_->connection && s_->connection->inTransaction; }

std::int32_t OdbcLayer::AffectedRows() const {
  return s_->connection ? s_->connection->affectedRows : 0;
}

const std::string& OdbcLayer::LastError() const { return s_->lastError; }

bool OdbcLayer::Connected() const { return s_->connection.has_value(); }

void OdbcLayer::CloseConnection() {
  if (!s_->connection) return;
  // Statements first, then the connection.
  s_->RetireCurrent();
  s_->connection->spare.Reset();
  s_->connection.reset();
}

}  // namespace zuno
