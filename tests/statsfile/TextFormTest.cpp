// What a file's first bytes say about its text, and writing text in a file's encoding.
#include "statsfile/TextForm.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

FirstBytesVerdict judged(const std::string& first, bool wholeFile = true) {
    return judgeFirstBytes(first, wholeFile);
}

std::string encoded(std::string_view utf8, TextEncoding encoding) {
    std::string bytes;
    appendEncoded(utf8, encoding, bytes);
    return bytes;
}

} // namespace

TEST(TextForm, AByteOrderMarkTellsTheEncoding) {
    const struct {
        std::string first;
        TextEncoding encoding;
        bool mark;
    } cases[] = {
        {"Assists,Demos\n", TextEncoding::utf8, false},
        {"\xEF\xBB\xBF"
         "Assists\n",
         TextEncoding::utf8, true},
        {"\xFF\xFE"
         "A\0s\0"s,
         TextEncoding::utf16le, true},
        {"\xFE\xFF\0A\0s"s, TextEncoding::utf16be, true},
        {"\xFF\xFE", TextEncoding::utf16le, true}, // the mark and nothing else
        {"", TextEncoding::utf8, false},
        {"Spiel\xE4;Tore\n", TextEncoding::utf8, false}, // a code page's bytes are read as they are
    };
    for (const auto& test : cases) {
        const FirstBytesVerdict verdict = judged(test.first);
        EXPECT_EQ(verdict.kind, FirstBytesVerdict::text) << test.first;
        EXPECT_EQ(verdict.encoding, test.encoding) << test.first;
        EXPECT_EQ(verdict.byteOrderMark, test.mark) << test.first;
    }
}

TEST(TextForm, FilesThatAreNoTextSayWhatTheyAre) {
    const struct {
        std::string first;
        const char* says;
        const char* advice = "save it as CSV";
    } cases[] = {
        {"PK\x03\x04\x14\x00\x06\x00\x08\x00\x00\x00!\x00"s, "it looks like a workbook (.xlsx or .ods)"},
        {"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0\0\0"s, "Excel 97-2003 workbook (.xls)"},
        {"A\0s\0s\0i\0s\0t\0s\0\r\0\n\0"s, "UTF-16 text (little-endian) without a byte-order mark"},
        {"\0A\0s\0s\0i\0s\0t\0s\0\r\0\n"s, "UTF-16 text (big-endian) without a byte-order mark"},
        {"\xFF\xFE\0\0A\0\0\0"s, "is UTF-32 text"},
        {"\0\0\xFE\xFF\0\0\0A"s, "is UTF-32 text"},
        {std::string(600, '\0'), "it begins with zero bytes", "restore it from a backup"},
        {"\x7F"
         "ELF\x02\x01\x01\0\0\0"s,
         "is not a text file"},
        {"Assists\0Demos\n"s, "its first line holds zero bytes"},
    };
    for (const auto& test : cases) {
        const FirstBytesVerdict verdict = judged(test.first);
        EXPECT_EQ(verdict.kind, FirstBytesVerdict::refused) << test.says;
        EXPECT_NE(verdict.reason.find(test.says), std::string::npos) << verdict.reason;
        EXPECT_NE(verdict.reason.find(test.advice), std::string::npos) << verdict.reason;
    }
}

TEST(TextForm, ZeroBytesBelowTheFirstLineAreNoReasonToRefuse) {
    // A power cut leaves a run of zero bytes at the end of a file that was text.
    const FirstBytesVerdict verdict = judged("Assists,Demos\n1,2\n" + std::string(4096, '\0'));
    EXPECT_EQ(verdict.kind, FirstBytesVerdict::text);
}

TEST(TextForm, TooFewBytesWaitForMore) {
    // Each could still become a mark, a signature, or a first line with a zero byte in it.
    for (const std::string& first :
         {""s, "\xFF"s, "\xFF\xFE"s, "\xFF\xFE\0"s, "\xEF\xBB"s, "PK\x03"s, "Assists"s})
        EXPECT_EQ(judged(first, false).kind, FirstBytesVerdict::undecided) << first;
    // Decided as soon as the bytes tell.
    const std::string littleMarkAndA = "\xFF\xFE"s + "A\0"s;
    EXPECT_EQ(judged(littleMarkAndA, false).kind, FirstBytesVerdict::text);
    EXPECT_EQ(judged("\xFE\xFF", false).kind, FirstBytesVerdict::text);
    EXPECT_EQ(judged("\xEF\xBB\xBF", false).kind, FirstBytesVerdict::text);
    EXPECT_EQ(judged("Assists\n", false).kind, FirstBytesVerdict::text);
    EXPECT_EQ(judged("Ass\0"s, false).kind, FirstBytesVerdict::refused);
    EXPECT_EQ(judged(std::string(kJudgedBytes, 'A'), false).kind, FirstBytesVerdict::text);
}

TEST(TextForm, TextIsWrittenInTheFilesEncoding) {
    // ASCII, two and three bytes, and a character beyond the Basic Multilingual Plane.
    const std::string text = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    EXPECT_EQ(encoded(text, TextEncoding::utf8), text);
    EXPECT_EQ(encoded(text, TextEncoding::utf16le), "A\0\xE9\0\xAC\x20\x3D\xD8\x00\xDE"s);
    EXPECT_EQ(encoded(text, TextEncoding::utf16be), "\0A\0\xE9\x20\xAC\xD8\x3D\xDE\x00"s);
    EXPECT_EQ(encoded(lineEndText(LineEnd::crlf), TextEncoding::utf16le), "\r\0\n\0"s);
    EXPECT_EQ(encoded(byteOrderMarkOf(TextEncoding::utf8), TextEncoding::utf16be),
              std::string(byteOrderMarkOf(TextEncoding::utf16be)));
}

TEST(TextForm, BytesThatAreNoUtf8BecomeReplacementCharactersInUtf16) {
    // A lone continuation byte, a cut character, an overlong form, an encoded surrogate, and a byte
    // that never starts a character: each is one U+FFFD, and what follows it reads on.
    for (const std::string& bad : {"\x80"s, "\xE2\x82"s, "\xC0\xAF"s, "\xED\xA0\x80"s, "\xFF"s}) {
        const std::string bytes = encoded(bad + "x", TextEncoding::utf16le);
        ASSERT_GE(bytes.size(), 4u) << bad;
        EXPECT_EQ(bytes.substr(0, 2), "\xFD\xFF") << bad;
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "x\0"s) << bad;
    }
    EXPECT_EQ(encoded("\xE2\x82x", TextEncoding::utf16be), "\xFF\xFD\xFF\xFD\0x"s)
        << "each byte of a cut character on its own";
}
