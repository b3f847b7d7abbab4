#pragma once

#include <string>
#include <string_view>

// Every string inside the program is UTF-8. Files from the reference platform
// are Windows-1252, newer ones UTF-8; these helpers bring both to UTF-8.
// (The UTF-16 of version information is in text/Utf16.h.)
namespace qntcalc::text {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Valid UTF-8 unchanged; each ill-formed sequence (a stray byte, or the
// start of a character cut short) becomes one U+FFFD, as JSON output does.
// For names that are only bytes, such as a file's.
std::string ValidUtf8(std::string_view bytes);

// The one UTF-8 encoder: one code point, at most U+10FFFF and no surrogate,
// appended as one to four bytes.
void AppendUtf8(std::string& out, char32_t code);

// Each byte as its Windows-1252 character. The five bytes that code page
// leaves undefined map to the C1 controls of the same value, as Windows does.
std::string Windows1252ToUtf8(std::string_view bytes);

// Valid UTF-8 unchanged, anything else read as Windows-1252.
std::string ToUtf8(std::string_view bytes);

// UTF-16 code units as UTF-8; an unpaired surrogate or an odd last byte
// becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);

// A whole file's bytes as UTF-8 text with LF line ends: a file that begins
// with a UTF-16 byte order mark is read as UTF-16 of that byte order,
// leading UTF-8 byte order marks are dropped, a file that is not valid UTF-8
// is read as Windows-1252, a text without any LF has its lines end in CR
// alone, and carriage returns at the end of a line or of the text are
// dropped, so CRLF becomes LF. Elsewhere a CR inside a line stays. Decoding
// the result again changes nothing.
std::string DecodeFileText(std::string_view bytes);

} // namespace qntcalc::text
