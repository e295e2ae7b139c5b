#include <benchmark/benchmark.h>

#include <boost/json.hpp>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "url/url.hpp"

namespace {

// The inputs of the web-platform-tests URL data that need no base URL; all of
// them, or only those that parse.
std::vector<std::string> wpt_inputs(bool valid_only) {
    std::ifstream file(PELLAMY_SOURCE_DIR "/tests/url/data/urltestdata.json");
    std::ostringstream text;
    text << file.rdbuf();
    const auto data = boost::json::parse(text.str());
    std::vector<std::string> inputs;
    for (const auto& value : data.as_array()) {
        if (!value.is_object()) {
            continue;
        }
        const auto& entry = value.as_object();
        if (entry.at("base").is_null() && !(valid_only && entry.contains("failure"))) {
            inputs.emplace_back(entry.at("input").as_string());
        }
    }
    return inputs;
}

void parse_wpt_inputs(benchmark::State& state) {
    const auto inputs = wpt_inputs(state.range(0) != 0);
    for (auto _ : state) {
        for (const auto& input : inputs) {
            auto url = pellamy::url::parse(input);
            benchmark::DoNotOptimize(url);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(inputs.size()));
    state.SetLabel(std::to_string(inputs.size()) + " URLs");
}
BENCHMARK(parse_wpt_inputs)->ArgName("valid_only")->Arg(0)->Arg(1);

// What the configuration checks parse: short loopback and https URLs.
void parse_config_url(benchmark::State& state) {
    for (auto _ : state) {
        auto url = pellamy::url::parse("http://127.0.0.1:11434/v1/embeddings");
        benchmark::DoNotOptimize(url);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(parse_config_url);

}  // namespace
