// Reading the tool's status document and writing the dashboard's snapshot.
#include <benchmark/benchmark.h>

#include "desktop/probe.hpp"
#include "desktop/shared.hpp"

namespace {

using namespace pellamy::desktop;

constexpr std::string_view document =
    R"({"result":{"version":"0.1.3","initialized":true,"unlocked":true,"details":{"vaults":2,)"
    R"("proxies":1,"remote_sessions":1,"providers":["onedrive","google_drive"],)"
    R"("syncing":["onedrive"],"outbox_pending":3,"inbox_pending":1,"applied":128,"rejected":0,)"
    R"("dirty_vaults":1}}})"
    "\n";

StatusSnapshot realistic_snapshot() {
    return StatusSnapshot::probed(*parse_probe_output(document), 1765432100);
}

void BM_ReadStatusDocument(benchmark::State& state) {
    for (auto _ : state) {
        auto status = parse_probe_output(document);
        benchmark::DoNotOptimize(status);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * document.size()));
}
BENCHMARK(BM_ReadStatusDocument);

// As the status endpoint does it: a fresh buffer with room for 128 bytes.
void BM_WriteSnapshotJson(benchmark::State& state) {
    const StatusSnapshot snapshot = realistic_snapshot();
    for (auto _ : state) {
        std::string out;
        out.reserve(128);
        write_json(snapshot, out);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_WriteSnapshotJson);

void BM_TakeSnapshot(benchmark::State& state) {
    const auto shared = Shared::create();
    shared->replace(realistic_snapshot());
    for (auto _ : state) {
        auto copy = shared->snapshot();
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_TakeSnapshot);

}  // namespace
