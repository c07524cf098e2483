// Texts from outside put into messages: control characters escaped, text
// that is not UTF-8 shown byte by byte, long texts cut.
#include <gtest/gtest.h>

#include "general/untMostrable.h"

TEST(Mostrable, Casos) {
    struct Caso { std::string texto; std::string mostrado; };
    const Caso casos[] = {
        {"FlujCaud", "FlujCaud"},
        {"año_º_⚠ \"x\" \\ y", "año_º_⚠ \"x\" \\ y"},  // printable UTF-8, quotes and backslashes stay
        {"", ""},
        {"\x1b[31mrojo\x1b[0m", "\\x1b[31mrojo\\x1b[0m"},
        {"a\tb\nc\rd\x7f", "a\\x09b\\x0ac\\x0dd\\x7f"},
        {std::string("a\0b", 3), "a\\x00b"},
        {"\xc2\x9b" "2J", "\\u009b2J"},  // C1 control sequence introducer
        {"abc\xe2\x80\xae" "fdp.exe", "abc\\u202efdp.exe"},  // right-to-left override
        {"\xff\xfe", "\\xff\\xfe"},
        {"\xc3", "\\xc3"},                 // cut sequence
        {"\xc0\xaf", "\\xc0\\xaf"},        // overlong
        {"\xed\xa0\x80", "\\xed\\xa0\\x80"},  // surrogate
        {std::string(60, 'x'), std::string(60, 'x')},
        {std::string(61, 'x'), std::string(60, 'x') + "…"},
        {std::string(70, '\x01'), [] {
             std::string r;
             for (int i = 0; i < 60; ++i) r += "\\x01";
             return r + "…";
         }()},
        {std::string(30, 'a') + std::string(40, 'n') + "ñ", std::string(30, 'a') + std::string(30, 'n') + "…"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.mostrado);
        EXPECT_EQ(Mostrable(c.texto), c.mostrado);
    }
    EXPECT_EQ(Mostrable(std::string(100, 'x'), std::string::npos), std::string(100, 'x'));
    EXPECT_EQ(Mostrable("ñandú", 3), "ñan…");
}
