#include "model/model.h"

int WriteAccountsFile(const std::string&) { return 0; }
int ReadAccountsFile(const std::string&) { return 0; }
void ReadPreferences() {}
void WritePreferences() {}
int ReadProgramSettings() { return 0; }
void WriteProgramSettings() {}
void AddRecentFile(const std::string&) {}
std::string RecentFileMenuText(int) { return ""; }
int RecentFileMenuId(int) { return 0; }
int WriteAccountsCommand(const std::string&) { return 0; }
int ReadAccountsCommand(const std::string&) { return 0; }
