#include <gtest/gtest.h>

#include <optional>
#include <thread>

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

// The monitor replaces the snapshot on its own thread while the server copies
// it for each request: every answer is one whole snapshot, never a mixture.
TEST_F(StatusApi, AnswersDuringReplacementAreWholeSnapshots) {
    DesktopStatus status{"1.0.0", true, true, DesktopDetails{}};
    status.details->providers.assign(32, Provider::GoogleDrive);
    const StatusSnapshot online = StatusSnapshot::probed(status, 1);
    const StatusSnapshot offline = StatusSnapshot::probed(std::nullopt, 2);
    std::string online_body;
    std::string offline_body;
    write_json(online, online_body);
    write_json(offline, offline_body);

    // Before the thread starts, so no answer can show the fixture's own snapshot.
    dashboard->shared->replace(online);
    const std::jthread monitor{[&](const std::stop_token& stop) {
        for (bool up = true; !stop.stop_requested(); up = !up) {
            dashboard->shared->replace(up ? online : offline);
        }
    }};
    for (int i = 0; i < 200; ++i) {
        const RawResponse response = dashboard->get("/api/status");
        ASSERT_EQ(response.status, 200);
        ASSERT_TRUE(response.body == online_body || response.body == offline_body) << response.body;
    }
}

}  // namespace
}  // namespace pellamy::desktop::web::testing
