#include "core/center_key.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/base64_url.hpp"

namespace pellamy::core {
namespace {

struct DecodeCase {
    std::string text;
    std::vector<std::uint8_t> bytes;  // empty with an error
    std::string error;                // empty on success
};

class Base64UrlDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Base64UrlDecode, DecodesOrRefuses) {
    const DecodeCase& c = GetParam();
    const auto decoded = decode_base64_url(c.text);
    if (c.error.empty()) {
        ASSERT_TRUE(decoded.has_value()) << decoded.error().display();
        EXPECT_EQ(*decoded, c.bytes);
    } else {
        ASSERT_FALSE(decoded.has_value());
        EXPECT_EQ(decoded.error().kind(), ErrorKind::Invalid);
        EXPECT_EQ(decoded.error().display(), c.error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Base64UrlDecode,
    ::testing::Values(
        DecodeCase{"", {}, ""}, DecodeCase{"AA", {0x00}, ""}, DecodeCase{"AAE", {0x00, 0x01}, ""},
        DecodeCase{"AAEC", {0x00, 0x01, 0x02}, ""}, DecodeCase{"-_8", {0xFB, 0xFF}, ""},
        DecodeCase{"Zm9vYmFy", {'f', 'o', 'o', 'b', 'a', 'r'}, ""},
        // Impossible lengths, padding, the standard alphabet, stray characters.
        DecodeCase{"A", {}, "invalid encoding"}, DecodeCase{"AAAAA", {}, "invalid encoding"},
        DecodeCase{"AA==", {}, "invalid encoding"}, DecodeCase{"AAE=", {}, "invalid encoding"},
        DecodeCase{"+/8", {}, "invalid encoding"}, DecodeCase{"AA A", {}, "invalid encoding"},
        DecodeCase{"AA\n", {}, "invalid encoding"},
        DecodeCase{std::string{"AA\0A", 4}, {}, "invalid encoding"},
        // Bits past the last byte must be zero: "AB" and "AAF" encode nothing more than "AA",
        // "AAE".
        DecodeCase{"AB", {}, "invalid encoding"}, DecodeCase{"AAF", {}, "invalid encoding"}));

const std::string valid_key(43, 'A');  // 32 zero bytes

struct KeyCase {
    std::string text;
    ErrorKind kind;
    std::string error;  // empty on success
};

class CenterKeyDecode : public ::testing::TestWithParam<KeyCase> {};

TEST_P(CenterKeyDecode, AcceptsOnlyThirtyTwoBytes) {
    const KeyCase& c = GetParam();
    const auto key = decode_center_key(c.text);
    if (c.error.empty()) {
        EXPECT_TRUE(key.has_value()) << key.error().display();
    } else {
        ASSERT_FALSE(key.has_value());
        EXPECT_EQ(key.error().kind(), c.kind);
        EXPECT_EQ(key.error().display(), c.error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CenterKeyDecode,
    ::testing::Values(KeyCase{valid_key, ErrorKind::Invalid, ""},
                      KeyCase{"-_" + std::string(40, 'w') + "w", ErrorKind::Invalid, ""},
                      KeyCase{valid_key + "=", ErrorKind::Invalid, "invalid encoding"},
                      KeyCase{"+" + valid_key.substr(1), ErrorKind::Invalid, "invalid encoding"},
                      KeyCase{"/" + valid_key.substr(1), ErrorKind::Invalid, "invalid encoding"},
                      KeyCase{valid_key + "A", ErrorKind::Invalid, "invalid key length"},
                      KeyCase{std::string(42, 'A'), ErrorKind::Invalid, "invalid key length"},
                      KeyCase{"", ErrorKind::Invalid, "invalid key length"}));

TEST(CenterKeyDecode, RefusesHugeTextBeforeDecoding) {
    // Past the limit by one byte, and not Base64 at all: the limit decides.
    const std::string huge(center_key_text_limit + 1, '=');
    const auto key = decode_center_key(huge);
    ASSERT_FALSE(key.has_value());
    EXPECT_EQ(key.error().kind(), ErrorKind::Limit);
    EXPECT_EQ(key.error().display(), "size or capacity limit exceeded");
}

TEST(CenterKeyDecode, KeepsTheDecodedBytes) {
    const auto key = decode_center_key("AQIDBAUGBwgJCgsMDQ4PEBESExQVFhcYGRobHB0eHyA");
    ASSERT_TRUE(key.has_value());
    for (std::size_t i = 0; i < key->size(); ++i) {
        EXPECT_EQ((*key)[i], i + 1);
    }
}

}  // namespace
}  // namespace pellamy::core
