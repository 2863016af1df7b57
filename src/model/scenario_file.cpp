#include "model/model.h"

int SaveScenario() { return 0; }
int SaveScenarioAs(const std::string&) { return 0; }
int OpenScenario(const std::string&) { return 0; }
int SaveTemporaryScenario(int) { return 0; }
ui::Answer AskToSave() { return ui::Answer::No; }
void SetScenarioPath(const std::string& path) { SetFieldText(state.scenarioPath, path); }
void SetTitleWithPath() {}
void TakeOutsideValuesFrom(const Scenario&) {}
int ReplaceFileContent(const std::string&, const std::string&, bool) { return 0; }
