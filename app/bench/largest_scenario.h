// The largest Scenario the limits allow, built in memory for the benchmarks:
// 50 accounts of every type in all ten groups, 150 events of every money
// kind, ages 20..119 (100 result rows).
#pragma once

void BuildLargestScenario();
