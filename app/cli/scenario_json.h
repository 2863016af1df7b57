// The JSON text form of a Scenario: one key per record field, under the
// field's own name. Every key may be left out; what is missing keeps the
// value of a Scenario created by hand.
#pragma once

#include <string>

// Replaces the Scenario in memory (`scenario`, and the live event count) with
// the one described by `text`. Returns 1; or 0 with `error` naming the key
// and what is wrong with it, the Scenario in memory left as it was.
int ScenarioFromJson(const std::string& text, std::string& error);

// The whole Scenario in memory as that JSON text, every byte of every block
// the file holds, so that ScenarioFromJson of the result gives the same file.
std::string ScenarioToJson();
