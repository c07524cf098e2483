// Texts that came from outside (a CSV header, a field name in a problem
// file, a command-line argument, a cell) put into a message for a terminal
// or a window: control characters would move the cursor, change colours or
// clear the screen, and a long text would drown the message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Longest text shown, in characters, before it is cut with "…".
inline constexpr std::size_t kLargoMostrable = 60;

// The text as it can be shown: printable UTF-8 stays as it is; control
// bytes (below 0x20, 0x7f) and bytes that are not UTF-8 become "\xNN",
// C1 controls and the characters that reorder or break lines (U+0080 to
// U+009F, U+2028, U+2029, U+202A to U+202E, U+2066 to U+2069) "\uNNNN".
// Past `largo` characters of the text (an escaped one counts as one) the
// rest is cut and "…" added.
std::string Mostrable(std::string_view texto, std::size_t largo = kLargoMostrable);
