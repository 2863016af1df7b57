// A fresh Scenario, a scripted ui and a private working directory for each
// test of the file routines (the fixed-name files live in the working one).
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "model/model.h"
#include "scripted_ui.h"

class FilesTest : public ::testing::Test {
protected:
    ui::ScriptedUi screen;
    ui::ScopedUi scope{&screen};
    std::filesystem::path previous, dir;

    void SetUp() override {
        previous = std::filesystem::current_path();
        dir = std::filesystem::temp_directory_path() /
              ("tillory-files-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
        std::memset(&scenario, 0, sizeof scenario);
        state = ScenarioState{};
        ResetScenario();
        screen.Clear();
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(dir);
    }

    static std::string Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void Put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // Packed array elements are compared through copies (unary +).
    static void ExpectDefaultOptions(float penaltyAge, float penaltyRate) {
        for (int i = 0; i < MaxAccounts; ++i) {
            EXPECT_EQ(+scenario.accountTable.accounts[i].optionsSlot, i);
            EXPECT_EQ(+scenario.accountOptions.penaltyAge[i], penaltyAge);
            EXPECT_EQ(+scenario.accountOptions.penaltyRate[i], penaltyRate);
            EXPECT_EQ(+scenario.accountOptions.assetAllocation[i], 0);
        }
    }
    // Every name a replacement could be written under is taken: the folder
    // accepts no new file beside `path`, as a read-only folder would (the
    // tests may run as root, whom a read-only folder does not stop).
    static void TakeEveryPartName(const std::string& path) {
        for (int k = 0; k < 100; ++k) std::filesystem::create_directory(path + ".part" + std::to_string(k));
    }
    // Runs `write` with no file allowed to grow beyond `bytes`: a disk that fills.
    template <typename Write>
    static int WithFullDisk(long bytes, Write write) {
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        auto previousHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = static_cast<rlim_t>(bytes);
        setrlimit(RLIMIT_FSIZE, &small);
        int result = write();
        setrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, previousHandler);
        return result;
    }
    template <typename T>
    static std::string Raw(const T& block) {
        return std::string(reinterpret_cast<const char*>(&block), sizeof block);
    }
};
