#include "db/procedure_parameters.h"

#include <sql.h>
#include <sqlext.h>

#include <algorithm>

#include "db/wide_text.h"

namespace zuno {
namespace {

// What SQLProcedureColumns gives, by column (counted from 0 as the layer counts).
constexpr int kColumnName = 3;
constexpr int kColumnType = 4;
constexpr int kDataType = 5;
constexpr int kColumnSize = 7;
constexpr int kDecimalDigits = 9;

// The units an output buffer holds: the parameter's size, within bounds a
// number's or a date's text fits and a long value does not overrun.
constexpr std::uint32_t kFewestUnits = 64;
constexpr std::uint32_t kMostUnits = 32768;

std::optional<ParameterMode> ModeOf(std::int32_t columnType) {
  switch (columnType) {
    case SQL_PARAM_INPUT: return ParameterMode::In;
    case SQL_PARAM_INPUT_OUTPUT: return ParameterMode::InOut;
    case SQL_PARAM_OUTPUT: return ParameterMode::Out;
    default: return std::nullopt;  // a result column, a return value, unknown
  }
}

SQLSMALLINT Direction(ParameterMode m) {
  switch (m) {
    case ParameterMode::In: return SQL_PARAM_INPUT;
    case ParameterMode::InOut: return SQL_PARAM_INPUT_OUTPUT;
    case ParameterMode::Out: return SQL_PARAM_OUTPUT;
  }
  return SQL_PARAM_INPUT;
}

}  // namespace

std::optional<std::vector<ProcedureParameter>> ReadProcedureParameters(OdbcLayer& db, std::string_view schema,
                                                                       std::string_view name) {
  std::u16string s = Utf8ToUtf16(schema), n = Utf8ToUtf16(name);
  const bool ran = db.ExecuteWith([&](void* stmt) {
    // No schema: any the driver searches.
    return SQLProcedureColumnsW(stmt, nullptr, 0, s.empty() ? nullptr : reinterpret_cast<SQLWCHAR*>(s.data()),
                                static_cast<SQLSMALLINT>(s.size()), reinterpret_cast<SQLWCHAR*>(n.data()),
                                static_cast<SQLSMALLINT>(n.size()), nullptr, 0);
  });
  if (!ran) return std::nullopt;
  std::vector<ProcedureParameter> parameters;
  while (db.NextRow()) {
    const std::optional<ParameterMode> mode = ModeOf(db.ReadLong(kColumnType).value_or(0));
    if (!mode) continue;
    parameters.push_back({.name = db.GetText(kColumnName),
                          .mode = *mode,
                          .sqlType = static_cast<short>(db.ReadLong(kDataType).value_or(SQL_VARCHAR)),
                          .size = static_cast<std::uint32_t>(std::max(0, db.ReadLong(kColumnSize).value_or(0))),
                          .digits = static_cast<short>(db.ReadLong(kDecimalDigits).value_or(0))});
  }
  const bool failed = db.LastFetchEnd() != OdbcLayer::FetchEnd::EndOfRows;
  db.FinishQuery();
  if (failed) return std::nullopt;
  return parameters;
}

struct BoundParameters::Slot {
  ProcedureParameter parameter;
  std::u16string buffer;  // the input value, then room for the output
  SQLLEN indicator = 0;
};

BoundParameters::BoundParameters() = default;
BoundParameters::~BoundParameters() = default;

void BoundParameters::Add(const ProcedureParameter& p, std::string_view input) {
  auto slot = std::make_unique<Slot>();
  slot->parameter = p;
  slot->buffer = Utf8ToUtf16(input);
  slot->indicator = static_cast<SQLLEN>(slot->buffer.size() * sizeof(char16_t));
  const std::size_t room = std::clamp(p.size, kFewestUnits, kMostUnits);
  if (p.mode != ParameterMode::In) slot->buffer.resize(std::max(room, slot->buffer.size()) + 1, u'\0');
  slots_.push_back(std::move(slot));
}

std::size_t BoundParameters::Count() const { return slots_.size(); }

std::optional<std::string> BoundParameters::Value(std::size_t marker) const {
  const Slot& slot = *slots_.at(marker);
  if (slot.indicator == SQL_NULL_DATA) return std::nullopt;
  const std::size_t units = slot.indicator < 0 ? slot.buffer.size()
                                               : static_cast<std::size_t>(slot.indicator) / sizeof(char16_t);
  std::string text;
  AppendTerminatedUtf16AsUtf8(text, slot.buffer.data(), std::min(units, slot.buffer.size()));
  return text;
}

bool BoundParameters::Execute(OdbcLayer& db, std::string_view statement) {
  std::u16string text = Utf8ToUtf16(statement);
  return db.ExecuteWith([&](void* stmt) -> SQLRETURN {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
      Slot& slot = *slots_[i];
      const ProcedureParameter& p = slot.parameter;
      SQLRETURN rc = SQLBindParameter(
          stmt, static_cast<SQLUSMALLINT>(i + 1), Direction(p.mode), SQL_C_WCHAR, p.sqlType,
          std::max<SQLULEN>(p.size, 1), p.digits, slot.buffer.data(),
          static_cast<SQLLEN>(slot.buffer.size() * sizeof(char16_t)), &slot.indicator);
      if (!SQL_SUCCEEDED(rc)) return rc;
    }
    return SQLExecDirectW(stmt, reinterpret_cast<SQLWCHAR*>(text.data()), static_cast<SQLINTEGER>(text.size()));
  });
}

}  // namespace zuno
