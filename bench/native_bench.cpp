#include <benchmark/benchmark.h>

#include <thread>
#include <vector>

#include "desktop/native/event_loop.hpp"
#include "desktop/native/headless_backend.hpp"
#include "desktop/native/icon.hpp"

namespace {

using namespace pellamy::desktop::native;

// The render step makes the icon again on every status change.
void BM_IconFromRgba(benchmark::State& state) {
    std::vector<std::uint8_t> pixels(Icon::byte_count);
    for (std::size_t y = 9; y <= 23; ++y) {
        for (std::size_t x = 8; x <= 23; ++x) {
            pixels[(y * Icon::side + x) * 4 + 3] = (x + y) % 3 == 0 ? 255 : 0;
        }
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(Icon::from_rgba(pixels, IconStyle::Template));
    }
}
BENCHMARK(BM_IconFromRgba);

// Menu clicks posted from another thread until the handler has seen them all.
void BM_PostedEventsReachTheHandler(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        auto loop = EventLoop::create(std::make_shared<HeadlessBackend>());
        std::thread poster{[proxy = loop->proxy(), count] {
            for (std::size_t i = 0; i < count; ++i) {
                (void)proxy.post({"1"});
            }
        }};
        std::size_t seen = 0;
        loop->run([&](const Event& event, ControlFlow& flow) {
            seen += std::holds_alternative<MenuEvent>(event) ? 1 : 0;
            if (seen == count) {
                flow.exit(0);
            }
        });
        poster.join();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * count));
}
BENCHMARK(BM_PostedEventsReachTheHandler)->Arg(1)->Arg(1000)->UseRealTime();

}  // namespace
