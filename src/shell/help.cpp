// Help requests and the programs outside the system: companion programs,
// the desktop calculator, the browser and the mail program.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "shell/shell.h"
#include "ui/ui.h"

#ifndef TILLORY_MANUAL_URL
#define TILLORY_MANUAL_URL "https://tillory.example.org/manual/tillory-manual.pdf"
#endif
#ifndef TILLORY_MAIL_ADDRESS
#define TILLORY_MAIL_ADDRESS "support@tillory.example.org"
#endif

namespace {

const std::vector<HelpTopic> topics = {
    {257, "Deposit"},
    {259, "Mortgage"},
    {260, "Loan; Refinance Analysis Details"},
    {261, "Transfer"},
    {262, "Fundamentals"},
    {513, "Edit Accounts"},
    {514, "Event List"},
    {515, "Schedule Window"},
    {516, "Withdrawal"},
    {517, "Initial Values"},
    {518, "Account Information"},
    {1536, "Mortgage Calculator"},
    {1537, "Refinance Analysis"},
    {1540, "Trade-Off Analysis"},
    {1541, "Groups"},
    {1542, "Quick Tips: Importing Account Data From A Tab-Delimited File"},
    {1543, "Quick Tips: Exporting Account Data To A Tab-Delimited File"},
    {1544, "Quick Tips: Graph Functionality"},
    {1553, "Quick Tips: Accounts Folder"},
    {1554, "Quick Tips: Results Folder"},
    {1555, "Accelerated Mortgage Payment Analysis"},
    {1556, "Taxes, Inflation and Your Investment"},
    {1557, "Quick Tips: Summary Folder"},
    {1558, "Calculate Effective Yearly Rate"},
    {1559, "Reports Options"},
    {1568, "Create New Accounts"},
    {1569, "Update Accounts From a File"},
    {1570, "Export Accounts to a File"},
    {1571, "Asset Allocation Withdrawal Options"},
    {1572, "Preferences; Required Minimum Distribution Options"},
    {1573, "Life Expectancy Values From IRS Tables"},
    {1574, "Quick Tips: Required Minimum Distribution"},
    {1575, "Quick Tips: Printing Reports"},
    {1576, "Quick Tips: Asset Allocation Withdrawals"},
    {1577, "Quick Tips: Revenue Code Section 529"},
    {1584, "Quick Tips: Lighter Banding"},
    {1585, "Budget"},
    {1586, "Credit Card Debt"},
    {1587, "Quick Tips: Adding Summary Information to Results"},
    {1588, "Quick Tips: Monte Carlo Analysis"},
    {1589, "Monte Carlo Analysis"},
    {1590, "Find Safe Spending"},
};

// Desktop calculators tried, in order, when "calc.exe" is not there.
const char* const calculators[] = {"calc.exe",  "gnome-calculator", "kcalc", "mate-calc",
                                   "galculator", "qalculate-gtk",   "xcalc"};

}  // namespace

const std::vector<HelpTopic>& HelpTopics() { return topics; }

std::string HelpPageName(int operation, int context) {
    if (operation == HelpIndex) return "contents.html";
    if (operation == HelpOnHelp) return "helponhelp.html";
    for (const auto& t : topics)
        if (t.context == context) return "topic" + std::to_string(context) + ".html";
    return "";
}

int Help(int operation, int context) {
    std::string page = HelpPageName(operation, context);
    // An unknown topic still opens the help, at its contents.
    if (page.empty()) page = "contents.html";
    return ui::Current().ShowHelpPage(page);
}

int QuickTipContext(int command) {
    switch (command) {
        case 776: return 1542;
        case 777: return 1543;
        case 778: return 1544;
        case 779: return 1553;
        case 780: return 1554;
        case 781: return 1557;
        case 782: return 1576;
        case 783: return 1574;
        case 784: return 1575;
        case 785: return 1577;
        case 786: return 1584;
        case 787: return 1587;
        case 789: return 1588;
        default: return 0;
    }
}

namespace {

std::string companionDirectory;
bool companionDirectorySet = false;

// The folder of the running program, from the link the system keeps.
std::string RunningProgramDirectory() {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return "";
    std::string p(path, static_cast<size_t>(n));
    size_t slash = p.rfind('/');
    return slash == std::string::npos ? "" : p.substr(0, slash);
}

bool Runnable(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

void SetCompanionDirectory(const std::string& directory) {
    companionDirectory = directory;
    companionDirectorySet = true;
}

std::string FindCompanion(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos) return Runnable(name) ? name : "";
    std::string beside = companionDirectorySet ? companionDirectory : RunningProgramDirectory();
    if (!beside.empty() && Runnable(beside + "/" + name)) return beside + "/" + name;
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        if (dir.empty()) dir = ".";
        if (Runnable(dir + "/" + name)) return dir + "/" + name;
        start = end + 1;
    }
    return "";
}

int StartCompanion(const std::string& commandLine) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < commandLine.size()) {
        while (i < commandLine.size() && commandLine[i] == ' ') ++i;
        size_t start = i;
        while (i < commandLine.size() && commandLine[i] != ' ') ++i;
        if (i > start) words.push_back(commandLine.substr(start, i - start));
    }
    if (words.empty()) return 0;
    // The companions here carry no ".exe"; the command lines keep their names.
    std::string name = words.front();
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".exe") == 0) name.resize(name.size() - 4);
    words.erase(words.begin());
    // A missing companion is said: silence would leave the key looking dead.
    std::string program = FindCompanion(name);
    if (program.empty()) {
        ui::Message("The program " + name + " could not be found beside Tillory or in the path.", "Execution Error");
        return 0;
    }
    if (ui::Current().StartProgram(program, words)) return 1;
    ui::Message("The program " + program + " could not be started.", "Execution Error");
    return 0;
}

int CommandWindowsCalculator() {
    for (const char* program : calculators)
        if (ui::Current().StartProgram(program, {})) return 1;
    ui::Message("The Window's Calculator could not be found in the path.", "Execution Error");
    return 0;
}

std::string ManualAddress() { return TILLORY_MANUAL_URL; }
std::string MakerMailAddress() { return TILLORY_MAIL_ADDRESS; }

int CommandDownloadManual() {
    if (ui::Message("Do you wish to download the PDF version of the manual now?", "Download Manual",
                    ui::Buttons::YesNo, ui::Icon::Question) != ui::Answer::Yes)
        return 0;
    if (ui::Current().OpenAddress(ManualAddress())) return 1;
    ui::Message("There is a problem opening up the default browser.", "Browser Error");
    return 0;
}

int CommandMailMaker() {
    if (ui::Current().OpenAddress("mailto:" + MakerMailAddress())) return 1;
    ui::Message("There is a problem opening up you Email program.", "Email Error");
    return 0;
}
