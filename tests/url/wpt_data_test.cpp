#include <gtest/gtest.h>
#include <unicode/uversion.h>

#include <boost/json.hpp>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "url/url.hpp"

namespace pellamy::url {
namespace {

namespace json = boost::json;

json::array load(const std::string& name) {
    std::ifstream file(std::string{PELLAMY_SOURCE_DIR} + "/tests/url/data/" + name);
    std::ostringstream text;
    text << file.rdbuf();
    return json::parse(text.str()).as_array();
}

std::string_view field(const json::object& entry, std::string_view key) {
    return entry.at(key).as_string();
}

void expect_components(const Url& url, const json::object& expected) {
    const std::pair<const char*, std::string_view> components[] = {
        {"href", url.href()},         {"protocol", url.protocol()}, {"username", url.username()},
        {"password", url.password()}, {"host", url.host()},         {"hostname", url.hostname()},
        {"port", url.port()},         {"pathname", url.pathname()}, {"search", url.search()},
        {"hash", url.hash()},
    };
    for (const auto& [name, actual] : components) {
        EXPECT_EQ(actual, field(expected, name)) << name;
    }
}

// Every entry without a base URL: failure where the data says so, otherwise
// every component, and the serialisation must parse back to itself.
TEST(WptUrlTestData, EveryEntryWithoutBase) {
    std::size_t checked = 0;
    for (const auto& value : load("urltestdata.json")) {
        if (!value.is_object() || !value.as_object().at("base").is_null()) {
            continue;
        }
        const auto& entry = value.as_object();
        const std::string input{field(entry, "input")};
        SCOPED_TRACE(json::serialize(entry.at("input")));
        ++checked;
        const auto url = parse(input);
        if (entry.contains("failure")) {
            EXPECT_FALSE(url) << "parsed as " << url->href();
            continue;
        }
        ASSERT_TRUE(url) << url.error().reason;
        expect_components(*url, entry);
        const auto again = parse(url->href());
        ASSERT_TRUE(again) << again.error().reason;
        EXPECT_EQ(again->href(), url->href());
    }
    EXPECT_GT(checked, 0u);
}

// Entries that follow the Unicode 16 mapping table (ICU 76 and later): U+180E
// and U+206B became ignored, U+04C0, U+2183, U+1E9E and U+2F868 mapped.
bool needs_unicode_16(std::string_view input) {
    static const std::set<std::string_view> entries{
        "look\u180Eout.net", "look\u206Bout.net", "\u04C0.com",     "\u2183.com",
        "\U0002F868.com",    "\u1E9E.com",        "\u1E9E.foo.com",
    };
    return U_ICU_VERSION_MAJOR_NUM < 76 && entries.contains(input);
}

// The domain cases, both on their own and as the host of an https URL.
TEST(WptToAsciiData, EveryEntry) {
    for (const auto& value : load("toascii.json")) {
        if (!value.is_object()) {
            continue;
        }
        const auto& entry = value.as_object();
        const std::string input{field(entry, "input")};
        SCOPED_TRACE(json::serialize(entry.at("input")));
        if (needs_unicode_16(input)) {
            continue;
        }
        const auto domain = domain_to_ascii(input);
        const auto url = parse("https://" + input + "/x");
        if (entry.at("output").is_null()) {
            EXPECT_FALSE(domain) << "gave " << *domain;
            EXPECT_FALSE(url) << "parsed as " << url->href();
            continue;
        }
        const std::string output{field(entry, "output")};
        EXPECT_EQ(domain.value_or("(failure)"), output);
        if (!url) {
            ADD_FAILURE() << "URL failed: " << url.error().reason;
            continue;
        }
        EXPECT_EQ(url->host(), output);
        EXPECT_EQ(url->hostname(), output);
        EXPECT_EQ(url->pathname(), "/x");
        EXPECT_EQ(url->href(), "https://" + output + "/x");
    }
}

}  // namespace
}  // namespace pellamy::url
