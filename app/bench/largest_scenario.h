// The largest Scenario the limits allow, built in memory for the benchmarks:
// 50 accounts of every type in all ten groups, 150 events of every money
// kind, ages 20..119 (100 result rows).
#pragma once

void BuildLargestScenario();
// The same with random rates for a Monte Carlo analysis: `source` 0 random
// account rates, 1 group rates; `kind` the distribution (0..2).
void BuildLargestRandomScenario(int source, int kind);
