#include "desktop/status.hpp"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <array>
#include <boost/json/parse.hpp>

namespace pellamy::desktop {
namespace {

namespace json = boost::json;

constexpr std::array<std::pair<std::string_view, std::string_view>, 10> detail_defaults{{
    {"vaults", "1"},
    {"proxies", "2"},
    {"remote_sessions", "3"},
    {"providers", R"(["onedrive"])"},
    {"syncing", "[]"},
    {"outbox_pending", "4"},
    {"inbox_pending", "5"},
    {"applied", "6"},
    {"rejected", "7"},
    {"dirty_vaults", "8"},
}};

// A details object with one member's value replaced.
std::string details_with(std::string_view member = {}, std::string_view value = {}) {
    std::string out = "{";
    for (const auto& [name, fallback] : detail_defaults) {
        out += fmt::format("\"{}\":{},", name, name == member ? value : fallback);
    }
    out.back() = '}';
    return out;
}

std::string with_details(std::string_view details) {
    return R"({"version":"1.0","initialized":true,"unlocked":true,"details":)" +
           std::string{details} + "}";
}

const std::string plain = R"({"version":"1.0","initialized":true,"unlocked":false,"details":null})";
const std::string full = with_details(details_with());

struct ReadCase {
    std::string name;
    std::string input;
    std::optional<std::string> written;  // none: the record is rejected
};

class ReadStatus : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadStatus, AcceptsOrRejectsWholeRecord) {
    const ReadCase& c = GetParam();
    json::parse_options options;
    options.max_depth = 128;
    const json::value value = json::parse(c.input, {}, options);

    const auto status = read_status(value);

    if (!c.written) {
        EXPECT_FALSE(status.has_value()) << "accepted as " << [&] {
            std::string out;
            write_json(*status, out);
            return out;
        }();
        return;
    }
    ASSERT_TRUE(status.has_value()) << status.error();
    std::string out;
    write_json(*status, out);
    EXPECT_EQ(out, *c.written);
    EXPECT_EQ(read_status(json::parse(out)), status) << "round trip";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadStatus,
    ::testing::Values(
        ReadCase{"WithoutDetails", R"({"version":"1.0","initialized":true,"unlocked":false})",
                 plain},
        ReadCase{"NullDetails", plain, plain}, ReadCase{"FullDetails", full, full},
        ReadCase{"ExtraMembersAtBothLevels",
                 R"({"x":1,"version":"1.0","initialized":true,"unlocked":true,"details":{"y":[],)" +
                     details_with().substr(1) + "}",
                 full},
        ReadCase{"LastDuplicateWins",
                 R"({"version":"0","version":"1.0","unlocked":true,"unlocked":false,)"
                 R"("initialized":true})",
                 plain},
        ReadCase{"MemberNamesAreCaseSensitive",
                 R"({"Version":"1.0","initialized":true,"unlocked":false})", std::nullopt},
        ReadCase{"ArrayForm", R"(["1.0",true,false,null])", plain},
        ReadCase{"ArrayFormWithArrayDetails",
                 R"(["1.0",true,true,[1,2,3,["onedrive"],[],4,5,6,7,8]])", full},
        ReadCase{"ArrayOfThree", R"(["1.0",true,false])", std::nullopt},
        ReadCase{"ArrayOfFive", R"(["1.0",true,false,null,null])", std::nullopt},
        ReadCase{"DetailsArrayOfNine", with_details("[1,2,3,[],[],4,5,6,7]"), std::nullopt},
        ReadCase{"EmptyVersion", R"({"version":"","initialized":false,"unlocked":false})",
                 R"({"version":"","initialized":false,"unlocked":false,"details":null})"},
        ReadCase{"VersionEscapesAndUtf8",
                 R"({"version":"a\"\\\/\b\f\n\r\t\u0001\u001f\u007f é😀","initialized":false,)"
                 R"("unlocked":false})",
                 "{\"version\":\"a\\\"\\\\/\\b\\f\\n\\r\\t\\u0001\\u001f\x7f é😀\","
                 "\"initialized\":false,\"unlocked\":false,\"details\":null}"},
        ReadCase{"MissingVersion", R"({"initialized":true,"unlocked":true})", std::nullopt},
        ReadCase{"NumericVersion", R"({"version":1,"initialized":true,"unlocked":true})",
                 std::nullopt},
        ReadCase{"NullInitialized", R"({"version":"1","initialized":null,"unlocked":true})",
                 std::nullopt},
        ReadCase{"NumericUnlocked", R"({"version":"1","initialized":true,"unlocked":1})",
                 std::nullopt},
        ReadCase{"StringUnlocked", R"({"version":"1","initialized":true,"unlocked":"true"})",
                 std::nullopt},
        ReadCase{"MissingUnlocked", R"({"version":"1","initialized":true})", std::nullopt},
        ReadCase{"LargestCounter", with_details(details_with("applied", "18446744073709551615")),
                 with_details(details_with("applied", "18446744073709551615"))},
        ReadCase{"NegativeZeroCounter", with_details(details_with("vaults", "-0")),
                 with_details(details_with("vaults", "0"))},
        ReadCase{"NegativeCounter", with_details(details_with("applied", "-1")), std::nullopt},
        ReadCase{"FractionCounter", with_details(details_with("applied", "2.0")), std::nullopt},
        ReadCase{"ExponentCounter", with_details(details_with("applied", "1e3")), std::nullopt},
        ReadCase{"CounterOverflow", with_details(details_with("applied", "18446744073709551616")),
                 std::nullopt},
        ReadCase{"StringCounter", with_details(details_with("vaults", "\"1\"")), std::nullopt},
        ReadCase{"DetailsLackOneMember",
                 with_details(R"({"vaults":1,"proxies":2,"remote_sessions":3,"providers":[],)"
                              R"("syncing":[],"outbox_pending":4,"inbox_pending":5,"applied":6,)"
                              R"("rejected":7})"),
                 std::nullopt},
        ReadCase{"DetailsOfWrongType", with_details("true"), std::nullopt},
        ReadCase{"EmptyProviders", with_details(details_with("providers", "[]")),
                 with_details(details_with("providers", "[]"))},
        ReadCase{"NullProviders", with_details(details_with("providers", "null")), std::nullopt},
        ReadCase{
            "RepeatedProvidersKeepOrder",
            with_details(details_with("syncing", R"(["onedrive","google_drive","onedrive"])")),
            with_details(details_with("syncing", R"(["onedrive","google_drive","onedrive"])"))},
        ReadCase{"ProviderAsObject",
                 with_details(details_with("providers", R"([{"google_drive":null}])")),
                 with_details(details_with("providers", R"(["google_drive"])"))},
        ReadCase{"ProviderObjectWithValue",
                 with_details(details_with("providers", R"([{"google_drive":1}])")), std::nullopt},
        ReadCase{
            "ProviderObjectNamingBoth",
            with_details(details_with("providers", R"([{"onedrive":null,"google_drive":null}])")),
            std::nullopt},
        ReadCase{"ProviderEmptyObject", with_details(details_with("providers", "[{}]")),
                 std::nullopt},
        ReadCase{"UnknownProvider", with_details(details_with("providers", R"(["dropbox"])")),
                 std::nullopt},
        ReadCase{"ProviderWrongCase", with_details(details_with("providers", R"(["OneDrive"])")),
                 std::nullopt},
        ReadCase{"ProviderAsNumber", with_details(details_with("syncing", "[0]")), std::nullopt},
        ReadCase{"Null", "null", std::nullopt}, ReadCase{"Boolean", "true", std::nullopt},
        ReadCase{"Number", "1", std::nullopt}, ReadCase{"String", R"("status")", std::nullopt}),
    [](const ::testing::TestParamInfo<ReadCase>& param) { return param.param.name; });

struct StateCase {
    bool connected;
    std::optional<DesktopStatus> service;
    StatusState state;
    std::string_view text;
};

TEST(StatusState, FirstMatchingRuleDecides) {
    const auto record = [](bool initialized, bool unlocked) {
        return DesktopStatus{.version = "1",
                             .initialized = initialized,
                             .unlocked = unlocked,
                             .details = DesktopDetails{}};
    };
    for (const StateCase& c : {
             StateCase{false, record(true, true), StatusState::Offline, "Daemon offline"},
             StateCase{false, std::nullopt, StatusState::Offline, "Daemon offline"},
             StateCase{true, std::nullopt, StatusState::SetupRequired, "Setup required"},
             StateCase{true, record(false, true), StatusState::SetupRequired, "Setup required"},
             StateCase{true, record(true, false), StatusState::Locked, "Vault locked"},
             StateCase{true, record(true, true), StatusState::Unlocked, "Vault unlocked"},
         }) {
        const StatusState state = status_state(c.connected, c.service);
        EXPECT_EQ(state, c.state) << c.text;
        EXPECT_EQ(state_text(state), c.text);
    }
}

}  // namespace
}  // namespace pellamy::desktop
