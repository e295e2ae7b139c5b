// The dashboard server with a fixed, realistic status, for load tests:
//   dashboard_fixture BODY_FILE
// writes the status document to BODY_FILE, prints the dashboard URL and serves
// until standard input closes.
#include <cstdio>
#include <fstream>
#include <iostream>

#include "desktop/shared.hpp"
#include "desktop/web/server.hpp"

int main(int argc, char** argv) {
    using namespace pellamy::desktop;
    if (argc != 2) {
        std::cerr << "usage: dashboard_fixture BODY_FILE\n";
        return 2;
    }
    DesktopDetails details;
    details.vaults = 3;
    details.proxies = 1;
    details.remote_sessions = 2;
    details.providers = {Provider::OneDrive, Provider::GoogleDrive};
    details.syncing = {Provider::OneDrive};
    details.outbox_pending = 4;
    details.applied = 1280;
    details.dirty_vaults = 1;
    auto shared = Shared::create();
    shared->replace(
        StatusSnapshot::probed(DesktopStatus{"0.9.4", true, true, details}, 1765400000));

    std::string body;
    write_json(shared->snapshot(), body);
    std::ofstream{argv[1], std::ios::binary} << body;

    auto server = web::Server::start(0, shared);
    if (!server) {
        std::cerr << "dashboard_fixture: " << server.error().message() << '\n';
        return 1;
    }
    std::cout << server->url() << std::endl;
    while (std::getchar() != EOF) {
    }
}
