#include <gtest/gtest.h>

#include <optional>

#include "dashboard_support.hpp"

namespace pellamy::desktop::web::testing {
namespace {

class StatusApi : public DashboardSuite {};

std::string document(std::string_view head, std::string_view service) {
    return std::string{head} + ",\"app_version\":\"0.1.3\",\"platform\":\"" +
           std::string{platform_name} + "\",\"service\":" + std::string{service} + "}";
}

TEST_F(StatusApi, ServesTheSnapshotAsCompactJson) {
    const std::uint64_t started = dashboard->shared->snapshot().checked_at;
    DesktopDetails details;
    details.vaults = 2;
    details.proxies = 1;
    details.providers = {Provider::OneDrive, Provider::GoogleDrive, Provider::OneDrive};
    details.outbox_pending = 3;
    details.applied = 18446744073709551615u;

    struct Case {
        std::string_view why;
        std::optional<StatusSnapshot> snapshot;  // none: as the server started
        std::string body;
    };
    const Case cases[] = {
        {"before the first probe", std::nullopt,
         document("{\"connected\":false,\"checked_at\":" + std::to_string(started), "null")},
        {"probe failed", StatusSnapshot::probed(std::nullopt, 1700000002),
         document("{\"connected\":false,\"checked_at\":1700000002", "null")},
        {"record without details",
         StatusSnapshot::probed(DesktopStatus{"0.9.0", true, false, std::nullopt}, 1700000000),
         document("{\"connected\":true,\"checked_at\":1700000000",
                  "{\"version\":\"0.9.0\",\"initialized\":true,\"unlocked\":false,"
                  "\"details\":null}")},
        {"record with details",
         StatusSnapshot::probed(DesktopStatus{"2.0 \"\xc3\xa9t\xc3\xa9\"", true, true, details}, 0),
         document("{\"connected\":true,\"checked_at\":0",
                  "{\"version\":\"2.0 \\\"\xc3\xa9t\xc3\xa9\\\"\",\"initialized\":true,"
                  "\"unlocked\":true,\"details\":{\"vaults\":2,\"proxies\":1,\"remote_sessions\":0,"
                  "\"providers\":[\"onedrive\",\"google_drive\",\"onedrive\"],\"syncing\":[],"
                  "\"outbox_pending\":3,\"inbox_pending\":0,\"applied\":18446744073709551615,"
                  "\"rejected\":0,\"dirty_vaults\":0}}")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        if (c.snapshot) {
            dashboard->shared->replace(*c.snapshot);
        }
        const RawResponse response = dashboard->get("/api/status");
        EXPECT_EQ(response.status, 200);
        EXPECT_EQ(response.body, c.body);
        EXPECT_EQ(response.values("content-type"), std::vector<std::string>{"application/json"});
        expect_security_headers(response);
    }
}

}  // namespace
}  // namespace pellamy::desktop::web::testing
