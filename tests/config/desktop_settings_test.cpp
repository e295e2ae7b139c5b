#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "config/configuration.hpp"
#include "support/scoped_env.hpp"

namespace pellamy::config {
namespace {

using testing::ScopedEnv;

struct DesktopCase {
    std::string name;
    DesktopSettings file;
    std::optional<std::uint16_t> port_override;
    std::optional<bool> browser_override;
    std::optional<std::string> port_variable;     // PELLAMY_WEBUI_PORT
    std::optional<std::string> browser_variable;  // PELLAMY_OPEN_BROWSER
    DesktopSettings expected;
    std::string error;  // empty on success
};

std::string desktop_name(const ::testing::TestParamInfo<DesktopCase>& param) {
    return param.param.name;
}

class DesktopResolution : public ::testing::TestWithParam<DesktopCase> {};

TEST_P(DesktopResolution, MergesOverridesVariablesAndFile) {
    const DesktopCase& c = GetParam();
    const ScopedEnv port{"PELLAMY_WEBUI_PORT", c.port_variable};
    const ScopedEnv browser{"PELLAMY_OPEN_BROWSER", c.browser_variable};
    Configuration configuration;
    configuration.settings.desktop = c.file;
    const auto resolved = configuration.desktop(c.port_override, c.browser_override);
    if (c.error.empty()) {
        ASSERT_TRUE(resolved.has_value()) << resolved.error().message;
        EXPECT_EQ(*resolved, c.expected);
    } else {
        ASSERT_FALSE(resolved.has_value());
        EXPECT_EQ(resolved.error().message, c.error);
    }
}

const DesktopSettings defaults{};
const std::string bad_port = "PELLAMY_WEBUI_PORT must be a port from 0 to 65535";
const std::string bad_browser = "PELLAMY_OPEN_BROWSER must be true, false, 1 or 0";
const std::string invalid_utf8 = "\xFF";

INSTANTIATE_TEST_SUITE_P(
    Table, DesktopResolution,
    ::testing::Values(
        DesktopCase{"defaults", defaults, {}, {}, {}, {}, {0, true}, ""},
        DesktopCase{"file", {9000, false}, {}, {}, {}, {}, {9000, false}, ""},
        DesktopCase{"variable_beats_file", {9000, true}, {}, {}, "8080", {}, {8080, true}, ""},
        DesktopCase{
            "override_beats_variable", {9000, true}, 7000, {}, "8080", {}, {7000, true}, ""},
        DesktopCase{
            "override_skips_bad_variable", defaults, 7000, {}, "junk", {}, {7000, true}, ""},
        DesktopCase{"override_skips_bad_text", defaults, 0, {}, invalid_utf8, {}, {0, true}, ""},
        DesktopCase{"plus_sign", defaults, {}, {}, "+8080", {}, {8080, true}, ""},
        DesktopCase{"leading_zero", defaults, {}, {}, "08080", {}, {8080, true}, ""},
        DesktopCase{"zero", {9000, true}, {}, {}, "0", {}, {0, true}, ""},
        DesktopCase{"highest", defaults, {}, {}, "65535", {}, {65535, true}, ""},
        DesktopCase{"too_high", defaults, {}, {}, "65536", {}, {}, bad_port},
        DesktopCase{"negative", defaults, {}, {}, "-1", {}, {}, bad_port},
        DesktopCase{"trailing_space", defaults, {}, {}, "80 ", {}, {}, bad_port},
        DesktopCase{"empty_port", defaults, {}, {}, "", {}, {}, bad_port},
        DesktopCase{"two_signs", defaults, {}, {}, "++80", {}, {}, bad_port},
        DesktopCase{"hexadecimal", defaults, {}, {}, "0x50", {}, {}, bad_port},
        DesktopCase{"port_not_text",
                    defaults,
                    {},
                    {},
                    invalid_utf8,
                    {},
                    {},
                    "PELLAMY_WEBUI_PORT must be valid text"},
        DesktopCase{"browser_zero", {0, true}, {}, {}, {}, "0", {0, false}, ""},
        DesktopCase{"browser_one", {0, false}, {}, {}, {}, "1", {0, true}, ""},
        DesktopCase{"browser_true", {0, false}, {}, {}, {}, "true", {0, true}, ""},
        DesktopCase{"browser_false", {0, true}, {}, {}, {}, "false", {0, false}, ""},
        DesktopCase{"open_beats_variable", defaults, {}, true, {}, "0", {0, true}, ""},
        DesktopCase{"open_skips_bad_variable", defaults, {}, true, {}, "yes", {0, true}, ""},
        DesktopCase{"no_open_beats_file", {0, true}, {}, false, {}, {}, {0, false}, ""},
        DesktopCase{"open_beats_file", {0, false}, {}, true, {}, {}, {0, true}, ""},
        DesktopCase{"browser_capitals", defaults, {}, {}, {}, "TRUE", {}, bad_browser},
        DesktopCase{"browser_yes", defaults, {}, {}, {}, "yes", {}, bad_browser},
        DesktopCase{"browser_empty", defaults, {}, {}, {}, "", {}, bad_browser},
        DesktopCase{"browser_spaced", defaults, {}, {}, {}, " 1", {}, bad_browser},
        DesktopCase{"browser_not_text",
                    defaults,
                    {},
                    {},
                    {},
                    invalid_utf8,
                    {},
                    "PELLAMY_OPEN_BROWSER must be valid text"},
        DesktopCase{"port_reported_first", defaults, {}, {}, "junk", "junk", {}, bad_port}),
    desktop_name);

}  // namespace
}  // namespace pellamy::config
