// A Scenario of the largest size that uses every kind of Event: deposits
// (taxed and not, one-time), withdrawals (own account or not), the five
// Budget withdrawals, transfers (transfer-all too), loans into savings and
// into an asset that is sold, credit-card debt, mortgages (accelerated,
// sold), rate changes, the asset-allocation option and the three RMD
// option Events; ages 20..119.
#pragma once

void BuildEveryEventScenario();
