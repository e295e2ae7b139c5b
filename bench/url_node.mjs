// The inputs of url_bench through Node's URL: every input without a base
// (failures throw, which dominates), and the valid ones alone.
//   node bench/url_node.mjs
import { readFileSync } from "node:fs";

const data = JSON.parse(
  readFileSync(new URL("../tests/url/data/urltestdata.json", import.meta.url)),
);
const entries = data.filter((e) => typeof e === "object" && e.base === null);
const all = entries.map((e) => e.input);
const valid = entries.filter((e) => !e.failure).map((e) => e.input);

function parseAll(inputs) {
  let length = 0;
  for (const input of inputs) {
    try {
      length += new URL(input).href.length;
    } catch {
      // a failure is a parsed input too
    }
  }
  return length;
}

// Per second of CPU time, as Google Benchmark counts, so that other load on
// the machine does not skew the ratio.
function cpuSeconds(since) {
  const used = process.cpuUsage(since);
  return (used.user + used.system) / 1e6;
}

function urlsPerSecond(inputs) {
  for (let i = 0; i < 100; i++) parseAll(inputs); // warm up the JIT
  const start = process.cpuUsage();
  let rounds = 0;
  while (cpuSeconds(start) < 3) {
    parseAll(inputs);
    rounds++;
  }
  return (rounds * inputs.length) / cpuSeconds(start);
}

for (const [name, inputs] of [["all", all], ["valid", valid]]) {
  const rate = urlsPerSecond(inputs);
  console.log(`${name}: ${inputs.length} URLs, ${(rate / 1e6).toFixed(3)} M URLs/s`);
}
