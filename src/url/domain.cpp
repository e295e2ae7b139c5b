#include "url/domain.hpp"

#include <unicode/uidna.h>

#include <algorithm>
#include <climits>
#include <memory>

#include "url/ascii.hpp"

namespace pellamy::url {
namespace {

struct IdnaCloser {
    void operator()(UIDNA* idna) const { uidna_close(idna); }
};
using IdnaHandle = std::unique_ptr<UIDNA, IdnaCloser>;

IdnaHandle open_uts46(bool be_strict) {
    std::uint32_t options = UIDNA_CHECK_BIDI | UIDNA_CHECK_CONTEXTJ |
                            UIDNA_NONTRANSITIONAL_TO_ASCII | UIDNA_NONTRANSITIONAL_TO_UNICODE;
    if (be_strict) {
        options |= UIDNA_USE_STD3_RULES;
    }
    UErrorCode status = U_ZERO_ERROR;
    IdnaHandle idna{uidna_openUTS46(options, &status)};
    return U_SUCCESS(status) ? std::move(idna) : nullptr;
}

// ICU reports label errors only in these bits. Hyphen rules are never checked,
// and the DNS length rules (empty labels included) only in strict mode.
std::uint32_t fatal_errors(bool be_strict) {
    std::uint32_t ignored =
        UIDNA_ERROR_LEADING_HYPHEN | UIDNA_ERROR_TRAILING_HYPHEN | UIDNA_ERROR_HYPHEN_3_4;
    if (!be_strict) {
        ignored |=
            UIDNA_ERROR_EMPTY_LABEL | UIDNA_ERROR_LABEL_TOO_LONG | UIDNA_ERROR_DOMAIN_NAME_TOO_LONG;
    }
    return ~ignored;
}

bool uts46_to_ascii(std::string& out, std::string_view domain, bool be_strict) {
    static const IdnaHandle lenient = open_uts46(false);
    static const IdnaHandle strict = open_uts46(true);
    const UIDNA* idna = be_strict ? strict.get() : lenient.get();
    if (idna == nullptr || domain.size() > INT32_MAX) {
        return false;
    }
    const auto start = out.size();
    // Mapping rarely grows a name by more than this; ICU says when it does.
    auto capacity =
        static_cast<std::int32_t>(std::min<std::size_t>(domain.size() * 2 + 16, INT32_MAX));
    for (int attempt = 0; attempt < 2; ++attempt) {
        out.resize(start + static_cast<std::size_t>(capacity));
        UIDNAInfo info = UIDNA_INFO_INITIALIZER;
        UErrorCode status = U_ZERO_ERROR;
        const auto length =
            uidna_nameToASCII_UTF8(idna, domain.data(), static_cast<std::int32_t>(domain.size()),
                                   out.data() + start, capacity, &info, &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            capacity = length;
            continue;
        }
        out.resize(start + static_cast<std::size_t>(std::max(length, 0)));
        if (U_SUCCESS(status) && (info.errors & fatal_errors(be_strict)) == 0) {
            return true;
        }
        break;
    }
    out.resize(start);
    return false;
}

}  // namespace

std::expected<void, ParseError> append_domain_to_ascii(std::string& out, std::string_view domain,
                                                       bool be_strict) {
    const auto start = out.size();
    const bool ascii =
        std::ranges::none_of(domain, [](char c) { return static_cast<unsigned char>(c) > 0x7F; });
    if (ascii && !be_strict) {
        // UTS #46 would only lower-case it; ASCII "xn--" labels pass unchecked too.
        std::ranges::transform(domain, std::back_inserter(out), to_ascii_lower);
    } else if (!uts46_to_ascii(out, domain, be_strict)) {
        return std::unexpected(ParseError{"invalid domain"});
    }
    const std::string_view result = std::string_view{out}.substr(start);
    if (result.empty() ||
        (!be_strict && std::ranges::any_of(result, is_forbidden_domain_code_point))) {
        out.resize(start);
        return std::unexpected(ParseError{"invalid domain"});
    }
    return {};
}

std::expected<std::string, ParseError> domain_to_ascii(std::string_view domain, bool be_strict) {
    std::string out;
    if (auto appended = append_domain_to_ascii(out, domain, be_strict); !appended) {
        return std::unexpected(std::move(appended.error()));
    }
    return out;
}

}  // namespace pellamy::url
