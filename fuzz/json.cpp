// The JSON text form of a Scenario, and the check a loaded Scenario gets.
#include <string>

#include "fuzz_support.h"
#include "model/model.h"
#include "scenario_json.h"

TILLORY_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (ScenarioFromJson(text, error)) {
        CheckLoadedScenario(scenario, scenario.initialValues.eventCount);
        const std::string again = ScenarioToJson();
        if (!ScenarioFromJson(again, error)) std::abort();  // a dump always reads back
    }
    return 0;
}
