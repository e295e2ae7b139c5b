#include "config/utf8.hpp"

namespace pellamy::config {
namespace {

bool is_continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The bytes a sequence led by `lead` takes, and the range its second byte must
// fall in to rule out overlong forms, surrogates and values past U+10FFFF.
struct Sequence {
    std::size_t length;
    unsigned char second_low;
    unsigned char second_high;
};

constexpr Sequence invalid_sequence{0, 0, 0};

Sequence sequence_for(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return {2, 0x80, 0xBF};
    }
    if (lead == 0xE0) {
        return {3, 0xA0, 0xBF};
    }
    if (lead == 0xED) {
        return {3, 0x80, 0x9F};
    }
    if (lead >= 0xE1 && lead <= 0xEF) {
        return {3, 0x80, 0xBF};
    }
    if (lead == 0xF0) {
        return {4, 0x90, 0xBF};
    }
    if (lead >= 0xF1 && lead <= 0xF3) {
        return {4, 0x80, 0xBF};
    }
    if (lead == 0xF4) {
        return {4, 0x80, 0x8F};
    }
    return invalid_sequence;
}

}  // namespace

bool is_utf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const Sequence sequence = sequence_for(lead);
        if (sequence.length == 0 || bytes.size() - i < sequence.length) {
            return false;
        }
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        if (second < sequence.second_low || second > sequence.second_high) {
            return false;
        }
        for (std::size_t k = 2; k < sequence.length; ++k) {
            if (!is_continuation(static_cast<unsigned char>(bytes[i + k]))) {
                return false;
            }
        }
        i += sequence.length;
    }
    return true;
}

}  // namespace pellamy::config
