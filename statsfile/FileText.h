// The text of a stats file, as UTF-8, from its bytes as they are read piece by piece: the first bytes
// say the encoding (statsfile/TextForm.h), and the rest is decoded as it comes. UTF-8 passes through
// untouched, so the common file costs nothing here. A byte-order mark stays at the start of the text
// (as UTF-8's mark, whatever the file's encoding): the header's reading skips it.
#pragma once

#include "statsfile/TextForm.h"
#include "statsfile/Utf16Decoder.h"

#include <optional>
#include <string>
#include <string_view>

class FileTextDecoder {
public:
    // The text that `bytes` continue the file's text with: a view of `bytes` themselves, or of a buffer
    // valid until the next call. Empty while the first bytes do not tell the encoding yet. Throws
    // StatsFileError, with the reason, when they tell that the file is no text the layout rule reads.
    std::string_view text(std::string_view bytes);
    // At the end of the bytes read so far: the text still held back (first bytes too few to judge
    // otherwise, the half of a character). Throws as text() does.
    std::string_view flush();

    // The encoding, once the first bytes told it.
    std::optional<TextEncoding> encoding() const { return encoding_; }
    bool byteOrderMark() const { return byteOrderMark_; }
    // Whether bytes wait for more before they give text: first bytes too few to judge, or the half of a
    // character.
    bool holdsBytes() const { return !held_.empty() || (utf16_ && utf16_->carries()); }

private:
    std::string_view decided(const FirstBytesVerdict& verdict);

    std::optional<TextEncoding> encoding_;
    bool byteOrderMark_ = false;
    std::optional<Utf16Decoder> utf16_;
    std::string held_;   // the first bytes, until they tell the encoding
    std::string buffer_; // decoded text
};
