#include "statsfile/FileText.h"

#include "statsfile/StatsFileError.h"

std::string_view FileTextDecoder::text(std::string_view bytes) {
    if (encoding_ == TextEncoding::utf8)
        return bytes;
    if (utf16_) {
        buffer_.clear();
        utf16_->decode(bytes, buffer_);
        return buffer_;
    }
    held_.append(bytes);
    return decided(judgeFirstBytes(held_, false));
}

std::string_view FileTextDecoder::flush() {
    if (!encoding_)
        return decided(judgeFirstBytes(held_, true));
    if (!utf16_ || !utf16_->carries())
        return {};
    buffer_.clear();
    utf16_->finish(buffer_);
    return buffer_;
}

std::string_view FileTextDecoder::decided(const FirstBytesVerdict& verdict) {
    switch (verdict.kind) {
    case FirstBytesVerdict::undecided:
        return {};
    case FirstBytesVerdict::refused:
        throw StatsFileError(verdict.reason);
    case FirstBytesVerdict::text:
        break;
    }
    encoding_ = verdict.encoding;
    byteOrderMark_ = verdict.byteOrderMark;
    buffer_.clear();
    if (verdict.encoding == TextEncoding::utf8) {
        buffer_.swap(held_);
    } else {
        utf16_.emplace(verdict.encoding == TextEncoding::utf16be);
        utf16_->decode(held_, buffer_);
        held_.clear();
    }
    return buffer_;
}
