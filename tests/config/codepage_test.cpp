#include "config/codepage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace kestrix {
namespace {

TEST(CodePage, ConvertsBothWaysWhereTheCodePageHoldsTheText) {
    struct Case {
        const char* utf8;
        const char* cp932;
    };
    const Case cases[] = {
        {"Style1", "Style1"},
        {"ｽﾀｲﾙ1", "\xBD\xC0\xB2\xD9"
                  "1"},
        {"ソ", "\x83\x5C"},                   // second byte is a backslash
        {"ダクト", "\x83_\x83N\x83g"},        // second bytes are ASCII letters
        {"１～６４", "\x82P\x81`\x82U\x82S"}, // full-width digits, wave dash 0x81 0x60
        {"：", "\x81\x46"},
        {"　", "\x81\x40"}, // ideographic space
        {"☆", "\x81\x99"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(ToCp932(QString::fromUtf8(c.utf8)), std::optional<std::string>(c.cp932));
        EXPECT_EQ(FromCp932(c.cp932), QString::fromUtf8(c.utf8));
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8);
        EXPECT_EQ(Utf8ToCp932(c.utf8), std::optional<std::string>(c.cp932));
    }
}

TEST(CodePage, AsciiReadsAsItselfWithOrWithoutConverter) {
    std::string ascii;
    for (int c = 1; c < 0x80; ++c)
        ascii += char(c);
    const QString text = QString::fromLatin1(ascii.data(), qsizetype(ascii.size()));
    EXPECT_EQ(FromCp932(ascii), text);
    EXPECT_EQ(Cp932ToUtf8(ascii), ascii);
    EXPECT_EQ(ToCp932(text), std::optional<std::string>(ascii));
    EXPECT_EQ(Utf8ToCp932(ascii), std::optional<std::string>(ascii));
    // A text that needs the converter keeps its ASCII part just the same,
    // the backslash and the tilde included.
    const std::string mixed = ascii + "\xB1";
    EXPECT_EQ(FromCp932(mixed), text + QString::fromUtf8("ｱ"));
    EXPECT_EQ(ToCp932(text + QString::fromUtf8("ｱ")), std::optional<std::string>(mixed));
}

TEST(CodePage, TakesTheJisFormsAsTheirCodePageTwins) {
    // Input methods give U+301C for the wave dash; the code page holds it as 0x81 0x60.
    EXPECT_EQ(ToCp932(QString(QChar(0x301C))), std::optional<std::string>("\x81\x60"));
    EXPECT_EQ(ToCp932(QString(QChar(0x2212))), std::optional<std::string>("\x81\x7C"));
    EXPECT_EQ(ToCp932(QString(QChar(0x2016))), std::optional<std::string>("\x81\x61"));
    // Em dash, cent, pound and not sign.
    EXPECT_EQ(ToCp932(QString::fromUtf8("\u2014\u00A2\u00A3\u00AC")),
              std::optional<std::string>("\x81\x5C\x81\x91\x81\x92\x81\xCA"));
}

TEST(CodePage, RefusesCharactersTheCodePageCannotHold) {
    const char* const texts[] = {
        "Price ¥100", // the code page would turn it into a backslash
        "€",          "한국어", "😀",
        "a\xC3", // broken UTF-8 becomes U+FFFD, which has no place either
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Utf8ToCp932(text), std::nullopt);
    }
    EXPECT_EQ(ToCp932(QString(QChar(0xD800))), std::nullopt); // lone surrogate
    // A refused text leaves nothing behind for the next one.
    EXPECT_EQ(Utf8ToCp932("ｱ1"), std::optional<std::string>("\xB1"
                                                            "1"));
}

TEST(CodePage, ShowsBrokenBytesAsReplacementAndGoesOn) {
    EXPECT_EQ(Cp932ToUtf8("\x80"
                          "a"),
              "\xEF\xBF\xBD"
              "a");
    EXPECT_EQ(Cp932ToUtf8("a\x83"), "a\xEF\xBF\xBD"); // lead byte cut off at the end
    EXPECT_EQ(FromCp932("\xFD\xBD"), QString::fromUtf8("\xEF\xBF\xBDｽ"));
    EXPECT_EQ(Cp932ToUtf8(""), "");
}

TEST(CodePage, WellFormedTextAcceptsCharactersAndRefusesBrokenSequences) {
    EXPECT_TRUE(IsWellFormedCp932Text(""));
    EXPECT_TRUE(IsWellFormedCp932Text("Office A, 2F"));
    EXPECT_TRUE(IsWellFormedCp932Text("\xBD\xC0\xB2\xD9\x83\x5C\x81\x40"));
    const char* const broken[] = {
        "a\x83",    // lead byte without its second byte
        "\x83\x22", // a quote is no second byte
        "\x83,",    // nor a comma
        "\x83 ",    // nor a blank
        "\x80",     // not a character
        "\xA0",     // not a character
        "\xFD\x40", // not a lead byte
        "a\tb",     // control character
        "a\x7F",    // DEL
    };
    for (const char* text : broken) {
        SCOPED_TRACE(::testing::PrintToString(std::string(text)));
        EXPECT_FALSE(IsWellFormedCp932Text(text));
    }
}

// The whole code page, one row per first byte: how many of its two-byte
// sequences (second byte 0x40-0xFC) are characters, and digests of what each
// sequence reads as and of what each character read writes back as. Row 0
// holds the 256 single bytes. Taken from the iconv conversion; the Windows
// conversion must give the same, broken sequences included.
struct CodePageRow {
    int first;
    int characters;
    std::uint32_t read;
    std::uint32_t written;
};

CodePageRow DigestRow(int first) {
    CodePageRow row{first, 0, 2166136261u, 2166136261u};
    auto mix = [](std::uint32_t& h, std::uint32_t v) {
        for (int i = 0; i < 4; ++i, v >>= 8)
            h = (h ^ (v & 0xFF)) * 16777619u;
    };
    auto digest = [&](const std::string& bytes) {
        const QString text = FromCp932(bytes);
        for (const QChar c : text)
            mix(row.read, c.unicode());
        mix(row.read, 0xFFFFFFFFu);
        if (text.size() != 1 || text.at(0) == QChar(0xFFFD)) return;
        ++row.characters;
        const std::optional<std::string> back = ToCp932(text);
        for (const char b : back.value_or("none"))
            mix(row.written, static_cast<unsigned char>(b));
        mix(row.written, 0xFFFFFFFFu);
    };
    if (first == 0) {
        for (int b = 0; b < 256; ++b)
            digest(std::string(1, char(b)));
    } else {
        for (int second = 0x40; second <= 0xFC; ++second)
            if (second != 0x7F) digest({char(first), char(second)});
    }
    return row;
}

TEST(CodePage, EveryCharacterOfTheCodePageReadsAndWritesAsTheTableSays) {
    const CodePageRow table[] = {
#include "cp932_digests.inc"
    };
    int characters = 0;
    for (const CodePageRow& want : table) {
        const CodePageRow got = DigestRow(want.first);
        EXPECT_TRUE(got.characters == want.characters && got.read == want.read &&
                    got.written == want.written)
            << std::hex << "row " << want.first << " gives {0x" << got.first << ", " << std::dec
            << got.characters << ", 0x" << std::hex << got.read << "u, 0x" << got.written << "u},";
        characters += got.characters;
    }
    // ASCII, the half-width katakana, the double-byte characters and the
    // user-defined area.
    EXPECT_EQ(characters, 9795);
}

} // namespace
} // namespace kestrix
