#include <gtest/gtest.h>

#include <string>

#include "url/url.hpp"

namespace pellamy::url {
namespace {

struct StrictCase {
    std::string domain;
    std::string lenient;  // empty: failure
    std::string strict;   // empty: failure
};

// Strict mode adds the STD3 character rules and the DNS length limits.
TEST(DomainToAscii, StrictModeAddsStd3AndLengthRules) {
    const std::string label63(63, 'a');
    const std::string label64(64, 'a');
    const StrictCase cases[] = {
        {"Example.COM", "example.com", "example.com"},
        {"b\xC3\xBC"
         "cher.de",
         "xn--bcher-kva.de", "xn--bcher-kva.de"},
        {"a_b.example", "a_b.example", ""},
        {"a..b", "a..b", ""},
        {"example.", "example.", "example."},
        {label63 + ".x", label63 + ".x", label63 + ".x"},
        {label64 + ".x", label64 + ".x", ""},
        {"-x.example", "-x.example", "-x.example"},
        {"", "", ""},
        {"a<b", "", ""},
        {"a%b", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.domain);
        EXPECT_EQ(domain_to_ascii(c.domain).value_or(""), c.lenient);
        EXPECT_EQ(domain_to_ascii(c.domain, true).value_or(""), c.strict);
    }
}

}  // namespace
}  // namespace pellamy::url
