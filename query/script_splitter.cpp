#include "query/script_splitter.h"

#include <algorithm>
#include <array>
#include <optional>

#include "base/text_lines.h"
#include "base/utf8.h"
#include "sql/sql_characters.h"
#include "sql/sql_lexer.h"

namespace zuno {
namespace {

bool OneOf(std::string_view word, std::initializer_list<std::string_view> words) {
  for (std::string_view w : words)
    if (word == w) return true;
  return false;
}

// The new terminator of a line "--#SET TERMINATOR x" that starts its line
// (after blanks); nullopt for any other comment.
std::optional<std::string> TerminatorDirective(std::string_view script, const SqlToken& comment) {
  std::size_t lineStart = comment.begin;
  while (lineStart > 0 && kLineBlanks.find(script[lineStart - 1]) != std::string_view::npos) --lineStart;
  if (lineStart > 0 && !IsLineEndChar(script[lineStart - 1])) return std::nullopt;
  std::string_view text = TokenText(script, comment);
  constexpr std::string_view kSet = "--#SET";
  if (AsciiUpper(text.substr(0, kSet.size())) != kSet) return std::nullopt;
  std::size_t at = text.find_first_not_of(kLineBlanks, kSet.size());
  constexpr std::string_view kTerminator = "TERMINATOR";
  if (at == kSet.size() || at == std::string_view::npos || AsciiUpper(text.substr(at, kTerminator.size())) != kTerminator)
    return std::nullopt;
  at += kTerminator.size();
  const std::size_t from = text.find_first_not_of(kLineBlanks, at);
  if (from == at || from == std::string_view::npos) return std::nullopt;
  const std::size_t to = text.find_first_of(kLineBlanks, from);
  return std::string(text.substr(from, to == std::string_view::npos ? to : to - from));
}

// Walks the tokens once, keeping the statement being read and how deep in
// compound bodies the reading is.
class Splitter {
 public:
  explicit Splitter(std::string_view script) : script_(script), tokens_(LexSql(script)) {}

  std::vector<ScriptStatement> Split() {
    for (i_ = 0; i_ < tokens_.size(); ++i_) {
      const SqlToken& t = tokens_[i_];
      if (t.kind == SqlTokenKind::LineComment) {
        if (auto terminator = TerminatorDirective(script_, t)) terminator_ = *terminator;
      } else if (!IsSignificant(t)) {
        continue;
      } else if (terminator_ == ";") {
        ReadWithSemicolon(t);
      } else {
        ReadWithTerminator(t);
      }
    }
    Finish();
    return std::move(statements_);
  }

 private:
  void Take(std::size_t begin, std::size_t end) {
    if (begin >= end) return;
    if (!open_) {
      open_ = true;
      begin_ = begin;
      head_.clear();
      depth_ = 0;
      parens_ = 0;
      endsWord_ = false;
    }
    end_ = end;
  }

  void Finish() {
    if (!open_) return;
    open_ = false;
    ScriptStatement st;
    st.text = std::string(script_.substr(begin_, end_ - begin_));
    st.begin = begin_;
    st.end = end_;
    Locate(st);
    statements_.push_back(std::move(st));
  }

  // Line and column, counted on from the statement before.
  void Locate(ScriptStatement& st) {
    for (; counted_ < st.begin; ++counted_) {
      if (ClosesLine(script_, counted_)) {
        ++line_;
        column_ = 1;
      } else if (!utf8::IsContinuation(script_[counted_])) {
        ++column_;
      }
    }
    st.line = line_;
    st.column = column_;
  }

  void ReadWithSemicolon(const SqlToken& t) {
    const std::string_view text = TokenText(script_, t);
    if (IsSymbol(script_, t, ';')) {
      if (depth_ == 0) Finish();
      else end_ = t.end;
      return;
    }
    Take(t.begin, t.end);
    if (t.kind == SqlTokenKind::Word) Count(AsciiUpper(text));
    if (depth_ == 0 && IsSymbol(script_, t, '(')) ++parens_;
    if (depth_ == 0 && IsSymbol(script_, t, ')') && parens_ > 0) --parens_;
  }

  // Compound bodies: BEGIN and CASE open, END closes unless it ends an IF,
  // WHILE, LOOP, REPEAT or FOR (which opened nothing). A BEGIN outside any
  // body opens one only where a body can stand. BEGIN and END as names
  // (t.end, "begin = 1", "start, end") open and close nothing.
  void Count(const std::string& word) {
    if (head_.size() < kHeadWords && parens_ == 0) head_.push_back(word);
    if (endsWord_) {
      endsWord_ = false;  // the IF of END IF opens nothing
    } else if (PreviousSymbol() == "." || PreviousSymbol() == ",") {
      // a name in a list or after a qualifier
    } else if (word == "BEGIN") {
      if (NextIsSymbol()) return;
      if (depth_ > 0 || BodyStartsHere()) ++depth_;
    } else if (word == "CASE") {
      if (depth_ > 0) ++depth_;
    } else if (word == "END" && depth_ > 0) {
      const std::string next = NextWord();
      endsWord_ = OneOf(next, {"IF", "WHILE", "LOOP", "REPEAT", "FOR", "CASE"});
      if (next != "IF" && next != "WHILE" && next != "LOOP" && next != "REPEAT" && next != "FOR") --depth_;
    }
  }

  // Outside parentheses, a BEGIN that opens the statement (after a label,
  // if any) is a compound statement of its own; in the statements whose
  // syntax holds a routine's or trigger's body (in Db2's SQL reference:
  // CREATE [OR REPLACE] PROCEDURE, FUNCTION, TRIGGER, METHOD and TYPE, ALTER
  // MODULE ... ADD or PUBLISH PROCEDURE or FUNCTION, and the versions of
  // ALTER PROCEDURE, FUNCTION and TRIGGER) it opens that body.
  bool BodyStartsHere() {
    if (parens_ > 0) return false;
    const bool opensStatement = head_.size() == 1 || (head_.size() == 2 && PreviousSymbol() == ":");
    if (opensStatement) {
      // BEGIN as a statement of its own starts a transaction on some databases.
      const std::string next = NextWord();
      return !OneOf(next, {"", "TRANSACTION", "WORK", "DEFERRED", "IMMEDIATE", "EXCLUSIVE", "ISOLATION"});
    }
    return HoldsBody();
  }

  bool HoldsBody() const {
    auto among = [this](std::size_t from, std::size_t to, std::initializer_list<std::string_view> words) {
      for (std::size_t k = from; k < std::min(to, head_.size()); ++k)
        if (OneOf(head_[k], words)) return true;
      return false;
    };
    if (head_.size() < 2) return false;
    if (head_[0] == "CREATE") return among(1, 5, {"PROCEDURE", "FUNCTION", "TRIGGER", "METHOD", "TYPE"});
    if (head_[0] != "ALTER") return false;
    if (OneOf(head_[1], {"PROCEDURE", "FUNCTION", "TRIGGER"})) return true;
    if (head_[1] != "MODULE") return false;
    for (std::size_t k = 2; k + 1 < head_.size(); ++k)
      if (OneOf(head_[k], {"ADD", "PUBLISH"})) return OneOf(head_[k + 1], {"PROCEDURE", "FUNCTION", "SPECIFIC"});
    return false;
  }

  bool NextIsSymbol() const {
    for (std::size_t k = i_ + 1; k < tokens_.size(); ++k)
      if (IsSignificant(tokens_[k])) return tokens_[k].kind == SqlTokenKind::Symbol;
    return false;
  }

  // The next significant token's text in upper case when it is a word, else empty.
  std::string NextWord() const {
    for (std::size_t k = i_ + 1; k < tokens_.size(); ++k) {
      if (!IsSignificant(tokens_[k])) continue;
      return tokens_[k].kind == SqlTokenKind::Word ? AsciiUpper(TokenText(script_, tokens_[k])) : std::string();
    }
    return {};
  }

  std::string PreviousSymbol() const {
    for (std::size_t k = i_; k-- > 0;) {
      if (!IsSignificant(tokens_[k])) continue;
      return tokens_[k].kind == SqlTokenKind::Symbol ? std::string(TokenText(script_, tokens_[k])) : std::string();
    }
    return {};
  }

  // Any other terminator ends a statement wherever it stands outside strings,
  // names and comments, also inside a word (END@).
  void ReadWithTerminator(const SqlToken& t) {
    std::size_t from = t.begin;
    if (t.kind == SqlTokenKind::Word || t.kind == SqlTokenKind::Symbol) {
      for (std::size_t at = script_.find(terminator_, from); at != std::string_view::npos && at < t.end;
           at = script_.find(terminator_, from)) {
        if (!InCode(at, at + terminator_.size())) break;
        Take(from, at);
        Finish();
        from = at + terminator_.size();
        SkipTokensBefore(from);
      }
    }
    Take(from, std::max(from, t.end));
  }

  // Whether the bytes from begin to end stand in words and symbols only.
  bool InCode(std::size_t begin, std::size_t end) const {
    for (std::size_t k = i_; k < tokens_.size() && tokens_[k].begin < end; ++k)
      if (tokens_[k].end > begin && tokens_[k].kind != SqlTokenKind::Word && tokens_[k].kind != SqlTokenKind::Symbol)
        return false;
    return true;
  }

  // A terminator of several characters may reach into the tokens after
  // this one: they are read already.
  void SkipTokensBefore(std::size_t position) {
    while (i_ + 1 < tokens_.size() && tokens_[i_ + 1].end <= position) ++i_;
  }

  static constexpr std::size_t kHeadWords = 8;  // ALTER MODULE S.M PUBLISH PROCEDURE

  std::string_view script_;
  std::vector<SqlToken> tokens_;
  std::size_t i_ = 0;
  std::string terminator_ = ";";
  std::vector<ScriptStatement> statements_;
  bool open_ = false;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::vector<std::string> head_;  // the statement's first words, upper case
  int depth_ = 0;
  int parens_ = 0;  // open parentheses outside bodies
  bool endsWord_ = false;  // the next word is the one END ends
  std::size_t counted_ = 0;
  int line_ = 1;
  int column_ = 1;
};

}  // namespace

std::vector<ScriptStatement> SplitScript(std::string_view script) { return Splitter(script).Split(); }

int LineAt(std::string_view text, std::size_t offset) {
  int line = 1;
  for (std::size_t at = 0; at < offset && at < text.size(); ++at) line += ClosesLine(text, at);
  return line;
}

std::size_t StatementAt(const std::vector<ScriptStatement>& statements, std::size_t cursor) {
  if (statements.empty()) return 0;
  std::size_t found = 0;
  for (std::size_t k = 0; k < statements.size() && statements[k].begin <= cursor; ++k) found = k;
  return found;
}

}  // namespace zuno
