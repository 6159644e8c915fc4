// UTF-16 decoded block by block: every way to cut the bytes gives the same text.
#include "statsfile/Utf16Decoder.h"
#include "statsfile/TextForm.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

// ASCII, two and three UTF-8 bytes, and two characters written as surrogate pairs.
const std::string kText =
    "Hoops\t\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\xE6\x95\xB0 \xF0\x9F\x98\x80\xF0\x9D\x84\x9E!\r\n";

std::string decodedInPieces(const std::string& bytes, bool bigEndian, const std::vector<std::size_t>& cuts) {
    Utf16Decoder decoder(bigEndian);
    std::string text;
    std::size_t from = 0;
    for (const std::size_t cut : cuts) {
        decoder.decode(std::string_view(bytes).substr(from, cut - from), text);
        from = cut;
    }
    decoder.decode(std::string_view(bytes).substr(from), text);
    decoder.finish(text);
    return text;
}

std::string encoded(std::string_view text, TextEncoding encoding) {
    std::string bytes;
    appendEncoded(text, encoding, bytes);
    return bytes;
}

const std::string kReplacement = "\xEF\xBF\xBD";

} // namespace

TEST(Utf16Decoder, ACharacterCutBetweenTwoBlocksReadsAsOne) {
    for (const bool bigEndian : {false, true}) {
        const std::string bytes = encoded(kText, bigEndian ? TextEncoding::utf16be : TextEncoding::utf16le);
        // Every single cut (within a character's bytes, between the halves of a surrogate pair) and
        // every pair of cuts.
        for (std::size_t first = 0; first <= bytes.size(); ++first) {
            EXPECT_EQ(decodedInPieces(bytes, bigEndian, {first}), kText) << first;
            for (std::size_t second = first; second <= bytes.size(); ++second)
                ASSERT_EQ(decodedInPieces(bytes, bigEndian, {first, second}), kText)
                    << first << " " << second;
        }
        // Byte by byte.
        std::vector<std::size_t> everyByte;
        for (std::size_t at = 1; at < bytes.size(); ++at)
            everyByte.push_back(at);
        EXPECT_EQ(decodedInPieces(bytes, bigEndian, everyByte), kText);
    }
}

TEST(Utf16Decoder, WhatDoesNotDecodeBecomesAReplacementCharacter) {
    // A low surrogate alone; a high surrogate followed by a plain character; a high surrogate at the end.
    EXPECT_EQ(decodedInPieces("\x00\xDC"
                              "a\0"s,
                              false, {}),
              kReplacement + "a");
    EXPECT_EQ(decodedInPieces("\x3D\xD8"
                              "a\0"s,
                              false, {1, 2}),
              kReplacement + "a");
    EXPECT_EQ(decodedInPieces("a\0\x3D\xD8"s, false, {3}), "a" + kReplacement);
    EXPECT_EQ(decodedInPieces("\xD8\x3D\xD8\x3D\xDE\x00"s, true, {}), kReplacement + "\xF0\x9F\x98\x80")
        << "a second high surrogate starts the pair";
}

TEST(Utf16Decoder, AnOddByteIsCarriedUntilItsPartnerComesOrTheEnd) {
    Utf16Decoder decoder(false);
    std::string text;
    decoder.decode("a\0b"s, text);
    EXPECT_EQ(text, "a");
    EXPECT_TRUE(decoder.carries());
    decoder.decode("\0"s, text);
    EXPECT_EQ(text, "ab");
    EXPECT_FALSE(decoder.carries());

    decoder.decode("c"s, text);
    EXPECT_TRUE(decoder.carries());
    decoder.finish(text);
    EXPECT_EQ(text, "ab" + kReplacement) << "the file ended in the half of a character";
    EXPECT_FALSE(decoder.carries());
    decoder.finish(text);
    EXPECT_EQ(text, "ab" + kReplacement) << "nothing is carried twice";
}
