#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "shell_fixture.h"

namespace {

TEST_F(ShellTest, EveryHelpContextHasItsOwnPage) {
    ASSERT_EQ(HelpTopics().size(), 42u);
    for (const auto& t : HelpTopics()) {
        std::string page = HelpPageName(HelpContext, t.context);
        ASSERT_EQ(page, "topic" + std::to_string(t.context) + ".html");
        std::ifstream in(std::string(HELP_PAGES) + "/" + page);
        ASSERT_TRUE(in.good()) << page;
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_NE(text.str().find("<title>"), std::string::npos) << page;
    }
    for (const char* page : {"contents.html", "helponhelp.html"})
        EXPECT_TRUE(std::filesystem::exists(std::string(HELP_PAGES) + "/" + page)) << page;
    // The contents page links every topic.
    std::ifstream in(std::string(HELP_PAGES) + "/contents.html");
    std::stringstream contents;
    contents << in.rdbuf();
    for (const auto& t : HelpTopics())
        EXPECT_NE(contents.str().find("topic" + std::to_string(t.context) + ".html"), std::string::npos);
}

std::string HelpPage(const std::string& name) {
    std::ifstream in(std::string(HELP_PAGES) + "/" + name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// Every page carries its topic's title as title and heading, closes the blocks
// it opens, links only to pages that exist and leads back to the contents; a
// renamed or forgotten page shows up here rather than as a blank help window.
TEST_F(ShellTest, HelpPagesAreTitledClosedAndLinkedToExistingPages) {
    std::map<std::string, std::string> titles = {{"contents.html", "Contents"},
                                                 {"helponhelp.html", "Help On Help"}};
    for (const auto& t : HelpTopics()) titles["topic" + std::to_string(t.context) + ".html"] = t.title;
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(HELP_PAGES))
        if (entry.path().extension() == ".html") ++files;
    EXPECT_EQ(files, titles.size()) << "a page no topic opens";

    const std::regex link("href=\"([^\"]*)\"");
    for (const auto& [name, title] : titles) {
        const std::string page = HelpPage(name);
        std::string escaped = std::regex_replace(title, std::regex("&"), "&amp;");
        EXPECT_NE(page.find("<title>" + escaped + "</title>"), std::string::npos) << name;
        EXPECT_NE(page.find("<h1>" + escaped + "</h1>"), std::string::npos) << name;
        for (const char* tag : {"p", "ul", "ol", "li", "table", "tr", "td", "th", "pre", "b", "i", "a", "h2"})
            EXPECT_EQ(Count(page, std::string("<") + tag + ">") + Count(page, std::string("<") + tag + " "),
                      Count(page, std::string("</") + tag + ">"))
                << name << " <" << tag << ">";
        bool toContents = false;
        for (auto m = std::sregex_iterator(page.begin(), page.end(), link); m != std::sregex_iterator(); ++m) {
            const std::string target = (*m)[1];
            EXPECT_TRUE(titles.count(target)) << name << " links to " << target;
            toContents = toContents || target == "contents.html";
        }
        EXPECT_TRUE(toContents || name == "contents.html") << name;
    }
}

TEST_F(ShellTest, HelpCommandsAndQuickTipsOpenTheirTopics) {
    DispatchCommand(CmdHelpContents);
    DispatchCommand(CmdHelpOnHelp);
    DispatchCommand(776);
    DispatchCommand(780);
    DispatchCommand(789);
    EXPECT_EQ(screen.helpPages, (std::vector<std::string>{"contents.html", "helponhelp.html", "topic1542.html",
                                                          "topic1554.html", "topic1588.html"}));
    for (int id = CmdQuickTipFirst; id <= CmdQuickTipLast; ++id) {
        if (id == CmdAdjustMonteCarlo) continue;
        EXPECT_NE(HelpPageName(HelpContext, QuickTipContext(id)), "") << id;
    }
    // An unknown context falls back to the contents.
    EXPECT_EQ(Help(HelpContext, 4242), 1);
    EXPECT_EQ(screen.helpPages.back(), "contents.html");
}

// Companions are found beside the program first, then on the PATH, and
// get exactly their command lines; a missing one is said, not passed over.
TEST_F(ShellTest, CompanionsStartWithTheirFileFromBesideTheProgramAndAMissingOneIsSaid) {
    const std::string beside = (dir / "bin").string(), onPath = (dir / "path").string();
    std::filesystem::create_directories(beside);
    std::filesystem::create_directories(onPath);
    auto put = [](const std::string& path) {
        Put(path, "#!/bin/sh\n");
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    };
    put(beside + "/kvplot3");
    put(onPath + "/kvplot3");
    put(onPath + "/kvviewer");
    Put(beside + "/kvcomp", "not runnable");
    const char* saved = std::getenv("PATH");
    const std::string savedPath = saved ? saved : "";
    setenv("PATH", onPath.c_str(), 1);
    SetCompanionDirectory(beside);
    StartUp();
    screen.choices = {2};
    DispatchCommand(CmdNew);
    screen.Clear();
    screen.programs = {beside + "/kvplot3", onPath + "/kvviewer"};
    EXPECT_EQ(DispatchCommand(CmdGraphWindow), 1);
    EXPECT_EQ(shell.graphWindowOpen, 1);
    DispatchCommand(CmdCompareScenarios);
    DispatchCommand(CmdMonteCarloStatistics);
    ASSERT_EQ(screen.launches.size(), 2u);
    EXPECT_EQ(screen.launches[0].program, beside + "/kvplot3");
    EXPECT_EQ(screen.launches[0].arguments, std::vector<std::string>{"plotinf01.tmp"});
    EXPECT_EQ(screen.launches[1].program, onPath + "/kvviewer");
    EXPECT_TRUE(screen.launches[1].arguments.empty());
    // kvcomp beside the program cannot run and is on no PATH.
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "The program kvcomp could not be found beside Tillory or in the path.");
    EXPECT_EQ(screen.messages[0].caption, "Execution Error");

    // Found but refused by the system.
    screen.Clear();
    screen.programs.clear();
    EXPECT_EQ(StartCompanion("kvplot3.exe plotinf01.tmp"), 0);
    EXPECT_EQ(screen.messages.back().text, "The program " + beside + "/kvplot3 could not be started.");
    setenv("PATH", savedPath.c_str(), 1);
    SetCompanionDirectory("");
}

TEST_F(ShellTest, TheCalculatorIsTheOneCompanionWhoseAbsenceIsReported) {
    EXPECT_EQ(CommandWindowsCalculator(), 0);
    EXPECT_EQ(screen.launches.front().program, "calc.exe");
    EXPECT_GT(screen.launches.size(), 2u);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "The Window's Calculator could not be found in the path.");
    EXPECT_EQ(screen.messages[0].caption, "Execution Error");
    EXPECT_EQ(screen.messages[0].icon, ui::Icon::Stop);

    screen.Clear();
    screen.programs = {"kcalc"};
    EXPECT_EQ(CommandWindowsCalculator(), 1);
    EXPECT_EQ(screen.launches.back().program, "kcalc");
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(ShellTest, BrowserAndMailGoThroughTheDesktopWithTheirMessages) {
    screen.answers = {ui::Answer::No};
    EXPECT_EQ(DispatchCommand(CmdDownloadManual), 0);
    EXPECT_TRUE(screen.addresses.empty());
    EXPECT_EQ(screen.messages[0].text, "Do you wish to download the PDF version of the manual now?");

    screen.Clear();
    screen.answers = {ui::Answer::Yes};
    EXPECT_EQ(DispatchCommand(CmdDownloadManual), 1);
    EXPECT_EQ(screen.addresses, std::vector<std::string>{ManualAddress()});

    screen.Clear();
    screen.failAddresses = true;
    screen.answers = {ui::Answer::Yes};
    DispatchCommand(CmdDownloadManual);
    EXPECT_EQ(screen.messages.back().text, "There is a problem opening up the default browser.");
    EXPECT_EQ(screen.messages.back().caption, "Browser Error");
    DispatchCommand(CmdMailMaker);
    EXPECT_EQ(screen.addresses.back(), "mailto:" + MakerMailAddress());
    EXPECT_EQ(screen.messages.back().text, "There is a problem opening up you Email program.");
    EXPECT_EQ(screen.messages.back().caption, "Email Error");
}

}  // namespace
