#include "data/quoted_field.h"

namespace zemtral {
namespace {

// Length of the UTF-8 sequence starting at `at`, 0 when the bytes there are no valid sequence.
std::size_t sequenceLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    unsigned codePoint = 0;
    if (lead < 0x80) {
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07u;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    // Overlong forms, surrogates, values beyond Unicode and the C1 controls are not shown as such.
    static constexpr unsigned kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallest[length] || (codePoint >= 0xD800 && codePoint <= 0xDFFF) ||
        codePoint > 0x10FFFF || (codePoint >= 0x80 && codePoint < 0xA0)) {
        return 0;
    }
    return length;
}

std::string escaped(unsigned char byte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("\\x") + kHex[byte >> 4] + kHex[byte & 0x0F];
}

}  // namespace

std::string quotedField(std::string_view text) {
    std::string out = "'";
    std::size_t shown = 0;
    std::size_t at = 0;
    while (at < text.size() && shown < kQuotedFieldLength) {
        const std::size_t length = sequenceLength(text, at);
        const auto byte = static_cast<unsigned char>(text[at]);
        if (length == 0 || (length == 1 && (byte < 0x20 || byte == 0x7F))) {
            out += escaped(byte);
            ++at;
        } else {
            out.append(text, at, length);
            at += length;
        }
        ++shown;
    }
    if (at < text.size()) {
        out += "...";
    }
    return out + "'";
}

}  // namespace zemtral
