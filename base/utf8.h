// Steps through UTF-8 text by characters. Every walker of UTF-8 in the
// program uses these; what a walker does with broken bytes is its own choice,
// and each function says how it treats them.
//
// Three places repair broken text, each for its own reader:
// - text sent to the driver (db/wide_text.h) gets one U+FFFD for each
//   ill-formed sequence, as UTF-16 has no way to carry the bytes and the
//   statement should still run;
// - text read back from another program's file (tools/temp_file_text.h),
//   which may be in a one-byte encoding, gets "?" for each bad byte, one mark
//   a byte, and ends at a zero byte, where such a program's text ends;
// - text handed to a widget (windows/gtk_text.h) is mended by GLib's own
//   rule, which GTK's text checks agree with; it is shown, never stored.
#pragma once

#include <cstddef>
#include <string_view>

namespace zuno::utf8 {

constexpr bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Bytes of the sequence a lead byte announces: 2 for C2-DF, 3 for E0-EF, 4 for
// F0-F4, and 1 for ASCII and for every byte that starts no sequence.
std::size_t AnnouncedLength(char lead);

// Whether a byte may follow lead as the second of its sequence: narrower than
// 80-BF after E0, ED, F0 and F4, so that over-long forms, surrogates and values
// above U+10FFFF are refused at the first byte that gives them away.
bool SecondByteFits(char lead, char second);

// The length of the well-formed sequence at the start of bytes; 0 for ASCII
// and for anything not well formed.
std::size_t WellFormedLength(std::string_view bytes);

// Where the character at `at` ends: after at most the bytes its lead
// announces, and before the first byte that does not continue it. A stray
// byte is a character of its own.
std::size_t NextCharacter(std::string_view text, std::size_t at);

// The first byte at or after `at` that is not a continuation byte (or the
// end): a run of stray continuation bytes goes with the character before it.
std::size_t NextLead(std::string_view text, std::size_t at);

// Where the character that ends before `end` starts: back over continuation
// bytes, at most four bytes in all.
std::size_t PreviousCharacter(std::string_view text, std::size_t end);

// Back from `at` to the first byte of the character it falls in, so a cut
// there never splits a character.
std::size_t CharacterStart(std::string_view text, std::size_t at);

// Characters counted by the bytes that are not continuation bytes.
std::size_t CharacterCount(std::string_view text);

}  // namespace zuno::utf8
