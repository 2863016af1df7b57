// The five companion programs as a person's script runs them: pictures from
// what tillory-cli leaves behind, exit status 1 with a message for bad input,
// and kvcomp's differences against two runs of tillory-cli.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "companions/files.h"

namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class CompanionPrograms : public ::testing::Test {
protected:
    fs::path home, dir;
    void SetUp() override {
        home = fs::current_path();
        dir = fs::temp_directory_path() / ("tillory-programs-" + std::to_string(getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::current_path(dir);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    void TearDown() override {
        fs::current_path(home);
        fs::remove_all(dir);
    }
    // Runs a program of the build; its standard error goes to `stderrText`.
    int Run(const std::string& program, const std::string& arguments, const std::string& environment = "") {
        std::string line = (environment.empty() ? "" : environment + " ") + (program == "tillory-cli" ? std::string(TILLORY_CLI) : std::string(PROGRAMS) + "/" + program) +
                           " " + arguments + " >out.txt 2>err.txt";
        int status = std::system(line.c_str());
        stderrText = Bytes("err.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string stderrText;
};

TEST_F(CompanionPrograms, EachDrawsItsFileIntoEveryPictureKind) {
    ASSERT_EQ(Run("tillory-cli", "run " + std::string(TILLORY_EXAMPLES) + "/retirement.ret"), 0) << stderrText;
    ASSERT_EQ(Run("tillory-cli", "montecarlo " + std::string(TILLORY_EXAMPLES) + "/retirement.ret --seed 3 --trials 30"), 0)
        << stderrText;
    std::ofstream("trade.tmp") << "1\nDummy\nDummy\nDummy\n5.000000\n2\nLease\nBuy\n"
                                  "0.0\n0.0\n0.000000 0.000000 -3000.000000 \n"
                                  "0.0\n0.0\n1.000000 -400.000000 -2500.000000 \n"
                                  "0.0\n0.0\n2.000000 -800.000000 -2000.000000 \n"
                                  "0.0\n0.0\n3.000000 -1200.000000 -1500.000000 \n"
                                  "0.0\n0.0\n4.000000 -1600.000000 -1000.000000 \nDone\nDone\n";
    std::ofstream("ref.tmp") << "1\nDummy\nDummy\nDummy\n24.000000\n2\nExisting Mortgage\nRefinanced Mortgage\n"
                                "0.0\n0.0\n0.000000 150000.000000 148000.000000\n"
                                "0.0\n0.0\n4.000000 151000.000000 149500.000000\n"
                                "0.0\n0.0\n8.000000 152000.000000 151000.000000\n"
                                "0.0\n0.0\n12.000000 153000.000000 152600.000000\nDone\nDone\n";
    struct Case {
        const char* program;
        const char* file;
    };
    for (const Case& c : {Case{"kvplot3", "plotinf01.tmp"}, Case{"kvcomp", "plotinf01.tmp"}, Case{"kvtplot", "trade.tmp"},
                          Case{"kvref", "ref.tmp"}, Case{"kvviewer", ""}}) {
        for (const char* kind : {"png", "svg", "pdf"}) {
            std::string out = std::string(c.program) + "." + kind;
            ASSERT_EQ(Run(c.program, std::string(c.file) + " --export " + out), 0) << c.program << " " << stderrText;
            std::string head = Bytes(out).substr(0, 200);
            const std::string k = kind;
            const std::string mark = k == "png" ? "PNG" : k == "svg" ? "<svg" : "%PDF";
            EXPECT_NE(head.find(mark), std::string::npos) << out;
        }
    }
}

// --help answers on a terminal with no display at all.
TEST_F(CompanionPrograms, TheDesktopProgramAnswersHelpWithoutADisplay) {
    ASSERT_EQ(Run("tillory", "--help", "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb"), 0) << stderrText;
    EXPECT_EQ(Bytes("out.txt").rfind("Usage: tillory [--desktop", 0), 0u);
}

TEST_F(CompanionPrograms, BadInputEndsWithStatusOneAndSaysWhy) {
    std::ofstream("short.tmp") << "1\nFile: x\nDate: y\nTime: z\n21.00\n";
    std::ofstream("noise.tmp") << std::string("\x01\xff\x00garbage\n", 12);
    std::ofstream("noise.ret") << std::string("\x01\xff\x00garbage\n", 12);
    struct Case {
        const char* program;
        const char* arguments;
        const char* says;
    };
    for (const Case& c : {
             Case{"kvplot3", "short.tmp --export a.png", "short.tmp: line 5: the file ends"},
             Case{"kvplot3", "missing.tmp --export a.png", "Cannot open missing.tmp"},
             Case{"kvplot3", "short.tmp short.tmp --export a.png", "Usage: kvplot3"},
             Case{"kvplot3", "--export", "--export needs a file name"},
             Case{"kvcomp", "noise.tmp --export a.png", "noise.tmp: line 1"},
             Case{"kvcomp", "a b c d e --export a.png", "one to four plans"},
             Case{"kvcomp", "missing.ret --csv a.csv", "Cannot open missing.ret"},
             Case{"kvcomp", "noise.ret --csv a.csv", "noise.ret doesn't seem to be a valid"},
             Case{"kvtplot", "noise.tmp --export a.png", "noise.tmp: line 1"},
             Case{"kvref", "short.tmp --export a.png", "short.tmp: line"},
             Case{"kvviewer", "--export a.png", "Cannot open stats.dat"},
         }) {
        EXPECT_EQ(Run(c.program, c.arguments), 1) << c.program << " " << c.arguments;
        EXPECT_NE(stderrText.find(c.says), std::string::npos) << c.program << " " << c.arguments << ": " << stderrText;
        EXPECT_FALSE(fs::exists("a.png"));
    }
    // A picture kind that is none of the three.
    ASSERT_EQ(Run("tillory-cli", "run " + std::string(TILLORY_EXAMPLES) + "/retirement.ret"), 0);
    EXPECT_EQ(Run("kvplot3", "plotinf01.tmp --export a.bmp"), 1);
    EXPECT_NE(stderrText.find(".png, .svg or .pdf"), std::string::npos) << stderrText;
    // Today's dollars: a damaged factor list is refused, and only the graph window takes it.
    EXPECT_EQ(Run("kvplot3", "plotinf01.tmp --todays-dollars 55:1,x --export a.png"), 1);
    EXPECT_NE(stderrText.find("--todays-dollars expects AGE:FACTOR"), std::string::npos) << stderrText;
    EXPECT_EQ(Run("kvcomp", "plotinf01.tmp --todays-dollars 55:1 --export a.png"), 1);
    EXPECT_FALSE(fs::exists("a.png"));
    EXPECT_EQ(Run("kvplot3", "plotinf01.tmp --todays-dollars 55:1,1.03 --export a.png"), 0) << stderrText;
    EXPECT_TRUE(fs::exists("a.png"));
}

// kvcomp projects scenario files itself; its differences must be those of
// the plot files tillory-cli leaves for the same two scenarios.
TEST_F(CompanionPrograms, ComparisonDifferencesAreThoseOfTwoCliRuns) {
    const std::string example = std::string(TILLORY_EXAMPLES) + "/retirement.ret";
    std::string json = Bytes(std::string(TILLORY_EXAMPLES) + "/retirement.json");
    for (auto [from, to] : {std::pair<std::string, std::string>{"\"inflationRate\": 3", "\"inflationRate\": 4"},
                            {"\"retirementSavingsRate\": 6.5", "\"retirementSavingsRate\": 5"}}) {
        size_t at = json.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        json.replace(at, from.size(), to);
    }
    std::ofstream("another.json") << json;
    ASSERT_EQ(Run("tillory-cli", "build another.json another.ret"), 0) << stderrText;

    companions::PlotFile first, second;
    std::string error;
    fs::create_directories("a");
    fs::create_directories("b");
    fs::current_path("a");
    ASSERT_EQ(std::system((std::string(TILLORY_CLI) + " run " + example + " >/dev/null").c_str()), 0);
    fs::current_path(dir / "b");
    ASSERT_EQ(std::system((std::string(TILLORY_CLI) + " run ../another.ret >/dev/null").c_str()), 0);
    fs::current_path(dir);
    ASSERT_EQ(companions::ReadPlotFile("a/plotinf01.tmp", first, error), 1) << error;
    ASSERT_EQ(companions::ReadPlotFile("b/plotinf01.tmp", second, error), 1) << error;
    ASSERT_EQ(first.years.size(), second.years.size());

    const std::string before = Bytes("a/plotinf01.tmp");
    fs::current_path("a");
    ASSERT_EQ(Run("kvcomp", example + " ../another.ret --csv ../cmp.csv"), 0) << stderrText;
    // The working folder's plot file is left as it was.
    EXPECT_EQ(Bytes("plotinf01.tmp"), before);
    fs::current_path(dir);

    std::istringstream csv(Bytes("cmp.csv"));
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line, "Age,retirement.ret,another.ret,another.ret - retirement.ret");
    size_t rows = 0, differing = 0;
    char expected[160];
    for (; std::getline(csv, line); ++rows) {
        ASSERT_LT(rows, first.years.size());
        const float a = first.years[rows].record[6], b = second.years[rows].record[6];
        std::snprintf(expected, sizeof expected, "%.1f,%.2f,%.2f,%.2f", static_cast<double>(first.years[rows].record[0]),
                      static_cast<double>(a), static_cast<double>(b), static_cast<double>(b - a));
        EXPECT_EQ(line, expected);
        differing += a != b;
    }
    EXPECT_EQ(rows, first.years.size());
    EXPECT_GT(differing, rows / 2);

    // The plot file against its own scenario: nothing differs, and the
    // program's plot file goes by the plan it was run from.
    ASSERT_EQ(Run("kvcomp", "a/plotinf01.tmp " + example + " --csv same.csv"), 0) << stderrText;
    std::istringstream same(Bytes("same.csv"));
    std::getline(same, line);
    EXPECT_EQ(line, "Age,retirement.ret,retirement.ret (2),retirement.ret (2) - retirement.ret");
    while (std::getline(same, line)) EXPECT_EQ(line.substr(line.rfind(',')), ",0.00") << line;
}

}  // namespace
