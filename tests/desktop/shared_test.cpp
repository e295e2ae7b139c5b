#include "desktop/shared.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace pellamy::desktop {
namespace {

using namespace std::chrono_literals;

DesktopStatus unlocked_record() {
    return DesktopStatus{
        .version = "2.4.1",
        .initialized = true,
        .unlocked = true,
        .details = DesktopDetails{.vaults = 2,
                                  .providers = {Provider::OneDrive, Provider::GoogleDrive},
                                  .syncing = {Provider::OneDrive},
                                  .applied = 18446744073709551615U},
    };
}

TEST(Shared, StartsOfflineCheckedAtCreation) {
    const auto before = unix_seconds(std::chrono::system_clock::now());
    const auto shared = Shared::create();
    const auto after = unix_seconds(std::chrono::system_clock::now());

    const StatusSnapshot snapshot = shared->snapshot();
    EXPECT_FALSE(snapshot.connected);
    EXPECT_FALSE(snapshot.service.has_value());
    EXPECT_GE(snapshot.checked_at, before);
    EXPECT_LE(snapshot.checked_at, after);
    EXPECT_EQ(snapshot.app_version, "0.1.3");
    EXPECT_EQ(snapshot.platform, "linux");
    EXPECT_FALSE(shared->stop_requested());
}

TEST(UnixSeconds, DropsFractionsAndClampsBeforeEpoch) {
    using std::chrono::system_clock;
    EXPECT_EQ(unix_seconds(system_clock::time_point{}), 0U);
    EXPECT_EQ(unix_seconds(system_clock::time_point{1999ms}), 1U);
    EXPECT_EQ(unix_seconds(system_clock::time_point{-1ms}), 0U);
    EXPECT_EQ(unix_seconds(system_clock::time_point{-86400s}), 0U);
}

TEST(SnapshotJson, WritesMembersInOrderWithoutWhitespace) {
    std::string offline;
    write_json(StatusSnapshot::probed(std::nullopt, 1700000000), offline);
    EXPECT_EQ(offline, R"({"connected":false,"checked_at":1700000000,"app_version":"0.1.3",)"
                       R"("platform":"linux","service":null})");

    std::string online = "prefix:";
    write_json(StatusSnapshot::probed(unlocked_record(), 7), online);
    EXPECT_EQ(
        online,
        R"(prefix:{"connected":true,"checked_at":7,"app_version":"0.1.3","platform":"linux",)"
        R"("service":{"version":"2.4.1","initialized":true,"unlocked":true,"details":)"
        R"({"vaults":2,"proxies":0,"remote_sessions":0,"providers":["onedrive","google_drive"],)"
        R"("syncing":["onedrive"],"outbox_pending":0,"inbox_pending":0,)"
        R"("applied":18446744073709551615,"rejected":0,"dirty_vaults":0}}})");
}

TEST(Shared, ReadersSeeWholeSnapshotsDuringReplacement) {
    const auto shared = Shared::create();
    DesktopStatus big = unlocked_record();
    big.version.assign(4096, 'v');
    big.details->syncing.assign(64, Provider::GoogleDrive);
    const StatusSnapshot online = StatusSnapshot::probed(big, 1);
    const StatusSnapshot offline = StatusSnapshot::probed(std::nullopt, 2);

    shared->replace(offline);

    std::atomic<bool> done{false};
    std::atomic<int> mixed{0};
    std::vector<std::jthread> readers;
    for (int i = 0; i < 2; ++i) {
        readers.emplace_back([&] {
            while (!done.load()) {
                const StatusSnapshot seen = shared->snapshot();
                if (seen != online && seen != offline) {
                    mixed.fetch_add(1);
                }
            }
        });
    }
    for (int i = 0; i < 20000; ++i) {
        shared->replace(i % 2 == 0 ? online : offline);
    }
    done = true;
    readers.clear();
    EXPECT_EQ(mixed.load(), 0);
}

TEST(Shared, StopRequestedBeforeWaitEndsTheWaitAtOnce) {
    const auto shared = Shared::create();
    EXPECT_FALSE(shared->wait_for_stop(1ms));

    shared->request_stop();

    EXPECT_TRUE(shared->stop_requested());
    EXPECT_TRUE(shared->wait_for_stop(1h));
}

TEST(Shared, StopRequestWakesAWaiter) {
    const auto shared = Shared::create();
    std::atomic<bool> woken{false};
    std::jthread waiter{[&] { woken = shared->wait_for_stop(1h); }};

    shared->request_stop();
    waiter.join();

    EXPECT_TRUE(woken.load());
}

}  // namespace
}  // namespace pellamy::desktop
