#include <gtest/gtest.h>

#include <string>

#include "url/url.hpp"

namespace pellamy::url {
namespace {

// How the parser writes hosts that a loopback rule compares as text.
struct HostCase {
    std::string input;
    std::string hostname;  // empty: parsing must fail
    std::string port = "";
};

class LoopbackHost : public ::testing::TestWithParam<HostCase> {};

TEST_P(LoopbackHost, SerialisesTheHost) {
    const HostCase& c = GetParam();
    const auto url = parse(c.input);
    if (c.hostname.empty()) {
        EXPECT_FALSE(url) << "parsed as " << url->href();
        return;
    }
    ASSERT_TRUE(url) << url.error().reason;
    EXPECT_EQ(url->hostname(), c.hostname);
    EXPECT_EQ(url->port(), c.port);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoopbackHost,
    ::testing::Values(
        // Short, octal, hexadecimal and single-number IPv4 forms.
        HostCase{"http://127.1", "127.0.0.1"}, HostCase{"http://0x7f.0.0.1", "127.0.0.1"},
        HostCase{"http://0177.0.0.1/", "127.0.0.1"}, HostCase{"http://2130706433", "127.0.0.1"},
        HostCase{"http://127.0.0.0x1.", "127.0.0.1"}, HostCase{"http://127.0.0.2", "127.0.0.2"},
        HostCase{"http://0x100.0.0.1", ""}, HostCase{"http://127.0.0.1.2", ""},
        HostCase{"http://127.0.0.09", ""}, HostCase{"http://4294967296", ""},
        // IPv6 compresses to one form; the IPv4-mapped address stays distinct.
        HostCase{"http://[0:0::1]", "[::1]"},
        HostCase{"http://[0:0:0:0:0:0:0:1]:8080", "[::1]", "8080"},
        HostCase{"http://[::ffff:127.0.0.1]", "[::ffff:7f00:1]"}, HostCase{"http://[::1", ""},
        HostCase{"http://[::1]x", ""}, HostCase{"http://[::1:]", ""},
        // Domains are lower-cased, percent-decoded and mapped, never trimmed.
        HostCase{"ws://LOCALHOST:9000", "localhost", "9000"},
        HostCase{"http://%6C%6F%63%61%6C%68%6F%73%74", "localhost"},
        HostCase{"http://ＬＯＣａｌhost", "localhost"}, HostCase{"http://localhost.", "localhost."},
        HostCase{"http://local%00host", ""},
        // Tabs and newlines vanish anywhere; outer spaces and controls are cut.
        HostCase{"http://loc\talhost", "localhost"},
        HostCase{"  http://local\nhost:80/\r\n ", "localhost"},
        // The last '@' ends the userinfo, and a backslash ends a special authority.
        HostCase{"http://localhost@evil.example", "evil.example"},
        HostCase{"http://localhost:80@evil.example/", "evil.example"},
        HostCase{"http://a@localhost@evil.example", "evil.example"},
        HostCase{"http://evil.example\\@localhost", "evil.example"},
        HostCase{"http://localhost\\.evil.example", "localhost"},
        HostCase{"http:\\\\localhost", "localhost"}, HostCase{"ws:localhost", "localhost"},
        HostCase{"http://@localhost", "localhost"}, HostCase{"http://localhost@", ""},
        // Default ports vanish, others stay, out-of-range ones fail.
        HostCase{"http://127.0.0.1:0080/", "127.0.0.1"},
        HostCase{"wss://relay.example:443", "relay.example"},
        HostCase{"ws://127.0.0.1:443", "127.0.0.1", "443"}, HostCase{"http://localhost:65536", ""},
        HostCase{"http://localhost:8o", ""}, HostCase{"http://:80", ""}));

TEST(UrlComponents, CredentialsPathQueryAndFragment) {
    const auto url = parse("HTTP://us%65r:p@ss@[::1]:3000/a/./b/../c?q=1 2#f g");
    ASSERT_TRUE(url) << url.error().reason;
    EXPECT_EQ(url->href(), "http://us%65r:p%40ss@[::1]:3000/a/c?q=1%202#f%20g");
    EXPECT_EQ(url->protocol(), "http:");
    EXPECT_EQ(url->username(), "us%65r");
    EXPECT_EQ(url->password(), "p%40ss");
    EXPECT_EQ(url->host(), "[::1]:3000");
    EXPECT_EQ(url->pathname(), "/a/c");
    EXPECT_EQ(url->search(), "?q=1%202");
    EXPECT_EQ(url->hash(), "#f%20g");
}

struct PresenceCase {
    std::string input;
    bool query;
    bool fragment;
};

TEST(UrlComponents, EmptyQueryAndFragmentCountAsPresent) {
    const PresenceCase cases[] = {
        {"http://h/", false, false}, {"http://h/?", true, false},  {"http://h/#", false, true},
        {"http://h?#", true, true},  {"mailto:a@b?", true, false}, {"foo://h#", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        const auto url = parse(c.input);
        ASSERT_TRUE(url) << url.error().reason;
        EXPECT_EQ(url->has_query(), c.query);
        EXPECT_EQ(url->has_fragment(), c.fragment);
        EXPECT_EQ(url->search(), "");
        EXPECT_EQ(url->hash(), "");
    }
}

// Without "//" after a non-special scheme, what looks like a host is a path.
TEST(UrlComponents, NoHostWithoutAnAuthority) {
    const std::pair<const char*, const char*> cases[] = {
        {"mailto:localhost@example.com", "localhost@example.com"},
        {"localhost:8080", "8080"},
        {"foo:/localhost", "/localhost"},
    };
    for (const auto& [input, pathname] : cases) {
        SCOPED_TRACE(input);
        const auto url = parse(input);
        ASSERT_TRUE(url) << url.error().reason;
        EXPECT_EQ(url->host(), "");
        EXPECT_EQ(url->username(), "");
        EXPECT_EQ(url->pathname(), pathname);
    }
}

TEST(UrlInput, InvalidUtf8IsReplacedNotPassedThrough) {
    const auto url = parse("http://h/\xFF\xE2\x82?\xC0\x80");
    ASSERT_TRUE(url) << url.error().reason;
    EXPECT_EQ(url->pathname(), "/%EF%BF%BD%EF%BF%BD");
    EXPECT_EQ(url->search(), "?%EF%BF%BD%EF%BF%BD");
    EXPECT_FALSE(parse("http://\xFFh/"));
}

TEST(UrlInput, FailuresSayWhy) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "missing scheme"},
        {"127.0.0.1:8080", "missing scheme"},
        {"//localhost", "missing scheme"},
        {"http://", "missing host"},
        {"http://[::1", "invalid IPv6 address"},
        {"http://1.2.3.256", "invalid IPv4 address"},
        {"http://a b", "invalid domain"},
        {"foo://a b", "forbidden host code point"},
        {"http://h:x", "invalid port"},
        {"http://h:99999", "port out of range"},
    };
    for (const auto& [input, reason] : cases) {
        SCOPED_TRACE(input);
        const auto url = parse(input);
        ASSERT_FALSE(url);
        EXPECT_EQ(url.error().reason, reason);
    }
}

}  // namespace
}  // namespace pellamy::url
