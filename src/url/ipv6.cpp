#include "url/ipv6.hpp"

#include <fmt/format.h>

#include <optional>
#include <utility>

#include "url/ascii.hpp"

namespace pellamy::url {
namespace {

// Walks the text like the standard's pointer: at() past the end is '\0',
// which no branch accepts.
class Ipv6Parser {
public:
    explicit Ipv6Parser(std::string_view text) : text_(text) {}

    std::optional<Ipv6Address> run() {
        if (at() == ':') {
            if (at(1) != ':') {
                return std::nullopt;
            }
            pos_ += 2;
            compress_ = ++piece_;
        }
        while (!done()) {
            if (piece_ == 8) {
                return std::nullopt;
            }
            if (at() == ':') {
                if (compress_) {
                    return std::nullopt;
                }
                ++pos_;
                compress_ = ++piece_;
                continue;
            }
            unsigned value = 0;
            std::size_t length = 0;
            for (; length < 4 && hex_value(at()); ++length, ++pos_) {
                value = value * 16 + *hex_value(at());
            }
            if (at() == '.') {
                if (length == 0) {
                    return std::nullopt;
                }
                pos_ -= length;
                if (!ipv4_tail()) {
                    return std::nullopt;
                }
                break;
            }
            if (at() == ':') {
                ++pos_;
                if (done()) {
                    return std::nullopt;
                }
            } else if (!done()) {
                return std::nullopt;
            }
            address_[piece_++] = static_cast<std::uint16_t>(value);
        }
        if (compress_) {
            // Move the pieces after "::" to the end.
            std::size_t swaps = piece_ - *compress_;
            for (std::size_t index = 7; index != 0 && swaps > 0; --index, --swaps) {
                std::swap(address_[index], address_[*compress_ + swaps - 1]);
            }
        } else if (piece_ != 8) {
            return std::nullopt;
        }
        return address_;
    }

private:
    char at(std::size_t ahead = 0) const {
        return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
    }
    bool done() const { return pos_ >= text_.size(); }

    // Four decimal bytes filling the last two pieces.
    bool ipv4_tail() {
        if (piece_ > 6) {
            return false;
        }
        int numbers_seen = 0;
        while (!done()) {
            if (numbers_seen > 0) {
                if (at() != '.' || numbers_seen >= 4) {
                    return false;
                }
                ++pos_;
            }
            if (!is_ascii_digit(at())) {
                return false;
            }
            std::optional<unsigned> byte;
            for (; is_ascii_digit(at()); ++pos_) {
                if (byte == 0u) {
                    return false;  // no leading zeros
                }
                byte = byte.value_or(0) * 10 + static_cast<unsigned>(at() - '0');
                if (*byte > 255) {
                    return false;
                }
            }
            address_[piece_] = static_cast<std::uint16_t>(address_[piece_] * 0x100 + *byte);
            ++numbers_seen;
            if (numbers_seen == 2 || numbers_seen == 4) {
                ++piece_;
            }
        }
        return numbers_seen == 4;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    Ipv6Address address_{};
    std::size_t piece_ = 0;
    std::optional<std::size_t> compress_;
};

// The start of the first longest run of at least two zero pieces.
std::optional<std::size_t> compressed_run(const Ipv6Address& address) {
    std::optional<std::size_t> best;
    std::size_t best_length = 1;
    for (std::size_t i = 0; i < address.size();) {
        std::size_t end = i;
        while (end < address.size() && address[end] == 0) {
            ++end;
        }
        if (end - i > best_length) {
            best = i;
            best_length = end - i;
        }
        i = end == i ? i + 1 : end;
    }
    return best;
}

}  // namespace

std::expected<Ipv6Address, ParseError> parse_ipv6(std::string_view text) {
    if (auto address = Ipv6Parser{text}.run()) {
        return *address;
    }
    return std::unexpected(ParseError{"invalid IPv6 address"});
}

void append_ipv6(std::string& out, const Ipv6Address& address) {
    const auto compress = compressed_run(address);
    bool skipping_zeros = false;
    for (std::size_t i = 0; i < address.size(); ++i) {
        if (skipping_zeros && address[i] == 0) {
            continue;
        }
        skipping_zeros = false;
        if (compress == i) {
            out += i == 0 ? "::" : ":";
            skipping_zeros = true;
            continue;
        }
        fmt::format_to(std::back_inserter(out), "{:x}", address[i]);
        if (i != 7) {
            out += ':';
        }
    }
}

}  // namespace pellamy::url
