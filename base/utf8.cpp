#include "base/utf8.h"

namespace zuno::utf8 {
namespace {

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

}  // namespace

std::size_t AnnouncedLength(char lead) {
  const unsigned char b = Byte(lead);
  if (b >= 0xC2 && b <= 0xDF) return 2;
  if (b >= 0xE0 && b <= 0xEF) return 3;
  if (b >= 0xF0 && b <= 0xF4) return 4;
  return 1;
}

bool SecondByteFits(char lead, char second) {
  const unsigned char s = Byte(second);
  switch (Byte(lead)) {
    case 0xE0: return s >= 0xA0 && s <= 0xBF;
    case 0xED: return s >= 0x80 && s <= 0x9F;
    case 0xF0: return s >= 0x90 && s <= 0xBF;
    case 0xF4: return s >= 0x80 && s <= 0x8F;
    default: return IsContinuation(second);
  }
}

std::size_t WellFormedLength(std::string_view bytes) {
  if (bytes.empty()) return 0;
  const std::size_t length = AnnouncedLength(bytes[0]);
  if (length == 1 || bytes.size() < length || !SecondByteFits(bytes[0], bytes[1])) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if (!IsContinuation(bytes[i])) return 0;
  return length;
}

std::size_t NextCharacter(std::string_view text, std::size_t at) {
  const std::size_t limit = at + AnnouncedLength(text[at]);
  std::size_t next = at + 1;
  while (next < text.size() && next < limit && IsContinuation(text[next])) ++next;
  return next;
}

std::size_t NextLead(std::string_view text, std::size_t at) {
  while (at < text.size() && IsContinuation(text[at])) ++at;
  return at;
}

std::size_t PreviousCharacter(std::string_view text, std::size_t end) {
  std::size_t at = end;
  while (at > 0) {
    --at;
    if (!IsContinuation(text[at]) || end - at == 4) break;
  }
  return at;
}

std::size_t CharacterStart(std::string_view text, std::size_t at) {
  while (at > 0 && at < text.size() && IsContinuation(text[at])) --at;
  return at;
}

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text)
    if (!IsContinuation(c)) ++count;
  return count;
}

}  // namespace zuno::utf8
