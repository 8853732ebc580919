// UTF-8 <-> UTF-16 conversion for the texts that cross the driver boundary.
#pragma once

#include <string>
#include <string_view>

namespace zuno {

// The two halves of a character beyond the first 65,536, as UTF-16 writes it.
constexpr bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Each ill-formed sequence (a stray byte, a cut-off or overlong sequence, an
// encoded surrogate, a value above U+10FFFF) becomes one U+FFFD, so text
// from a file or the clipboard in another encoding still reaches the driver.
std::u16string Utf8ToUtf16(std::string_view utf8);

// An unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);
// The same, added to the end of out, whose room a caller may reuse.
void AppendUtf16AsUtf8(std::string& out, std::u16string_view utf16);
// The same for a value in a buffer the driver filled: up to max units or to
// the first 0 unit, whichever comes first.
void AppendTerminatedUtf16AsUtf8(std::string& out, const char16_t* units, size_t max);

}  // namespace zuno
