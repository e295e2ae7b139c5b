#include "core/center_config.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/case_name.hpp"
#include "support/expect_result.hpp"

namespace pellamy::core {
namespace {

const std::string key(43, 'A');

CenterConfig center(std::string id, std::string url = "https://c.example",
                    std::string public_key = key) {
    return CenterConfig{std::move(id), std::move(url), std::move(public_key)};
}

struct CenterCase {
    std::string name;
    CenterConfig center;
    std::string error;  // empty when accepted
};

class CenterValidate : public ::testing::TestWithParam<CenterCase> {};

TEST_P(CenterValidate, ChecksIdUrlAndKeyInOrder) {
    const CenterCase& c = GetParam();
    testing::expect_result(c.center.validate(), c.error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CenterValidate,
    ::testing::Values(
        CenterCase{"accepted", center("Team-1_b"), ""},
        CenterCase{"id_64", center(std::string(64, 'a')), ""},
        CenterCase{"id_65", center(std::string(65, 'a')), "center id must be 1-64 characters"},
        CenterCase{"id_empty", center(""), "center id must be 1-64 characters"},
        CenterCase{"id_dot", center("team.a"), "center id must be alphanumeric, '-' or '_'"},
        CenterCase{"id_non_ascii", center("caf\xC3\xA9"),
                   "center id must be alphanumeric, '-' or '_'"},
        CenterCase{"id_before_url", center("a b", "not a url"),
                   "center id must be alphanumeric, '-' or '_'"},
        CenterCase{"url_unparsable", center("a", "not a url"), "invalid center URL"},
        CenterCase{"url_ftp", center("a", "ftp://c.example"), "center URL must be http(s)://"},
        CenterCase{"url_mailto", center("a", "mailto:a@c.example"),
                   "center URL must be http(s)://"},
        CenterCase{"http_loopback_port", center("a", "http://127.0.0.1:8443/x"), ""},
        CenterCase{"http_localhost", center("a", "http://LOCALHOST"), ""},
        CenterCase{"http_ipv6_loopback", center("a", "http://[::1]:1"), ""},
        CenterCase{"http_private", center("a", "http://192.168.1.2"),
                   "non-loopback center URL must use https://"},
        CenterCase{"http_other_loopback", center("a", "http://127.0.0.2"),
                   "non-loopback center URL must use https://"},
        CenterCase{"http_localhost_dot", center("a", "http://localhost./"),
                   "non-loopback center URL must use https://"},
        CenterCase{"http_mapped_ipv4", center("a", "http://[::ffff:127.0.0.1]"),
                   "non-loopback center URL must use https://"},
        // Credentials, query and fragment are not a center's concern.
        CenterCase{"https_with_extras", center("a", "https://u:p@c.example/?q#f"), ""},
        CenterCase{"key_padded", center("a", "https://c.example", key + "="), "invalid encoding"},
        CenterCase{"key_33_bytes", center("a", "https://c.example", key + "A"),
                   "invalid key length"}),
    testing::case_name<CenterCase>);

struct ListCase {
    std::string name;
    std::vector<CenterConfig> centers;
    std::string error;
};

class CentersValidateAll : public ::testing::TestWithParam<ListCase> {};

TEST_P(CentersValidateAll, StopsAtTheFirstFailure) {
    const ListCase& c = GetParam();
    testing::expect_result(validate_all(c.centers), c.error);
}

INSTANTIATE_TEST_SUITE_P(Table, CentersValidateAll,
                         ::testing::Values(ListCase{"empty", {}, ""},
                                           ListCase{"case_differs", {center("a"), center("A")}, ""},
                                           ListCase{"duplicate",
                                                    {center("a"), center("b"), center("a")},
                                                    "duplicate center id"},
                                           ListCase{"bad_url_before_duplicate",
                                                    {center("a", "ftp://x"), center("a")},
                                                    "center URL must be http(s)://"},
                                           ListCase{"second_checked",
                                                    {center("a"), center("b", "https://x", "")},
                                                    "invalid key length"}),
                         testing::case_name<ListCase>);

}  // namespace
}  // namespace pellamy::core
