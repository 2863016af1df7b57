// Account import from delimited files and the export of the yearly balances,
// under the scripted ui and dialogs.
#include <gtest/gtest.h>

#include "dialogs_fixture.h"
#include "exchange/exchange.h"

namespace {

class ExchangeTest : public DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        InstallExchangeCommands();
        shell.scenarioCommands = 1;
    }
    static float AmountOf(const char* name) {
        for (int i = 0; i < scenario.accountTable.accountCount; ++i)
            if (FieldText(scenario.accountTable.accounts[i].name) == name)
                return scenario.accountTable.accounts[i].initialAmount;
        return -1;
    }
    static int Count() { return scenario.accountTable.accountCount; }
    // Shown message texts and captions, in order.
    std::vector<std::string> Shown() const {
        std::vector<std::string> s;
        for (const auto& m : screen.messages) s.push_back(m.caption + ": " + m.text);
        return s;
    }
};

std::string Convert(const std::string& line, char separator) {
    std::string name, value;
    if (!ConvertLine(line, separator, name, value)) return "-";
    return name + "|" + value;
}

TEST(ExchangeRules, ValuesAreCleanedOrRefused) {
    EXPECT_EQ(CleanValue("1,234.56"), "1234.56");
    EXPECT_EQ(CleanValue("(500.00)"), "-500.00");
    EXPECT_EQ(CleanValue(" (500.00)"), "-500.00");
    EXPECT_EQ(CleanValue("  1,000 CR"), "1000");
    EXPECT_EQ(CleanValue("12.5%"), "12.5");
    EXPECT_EQ(CleanValue("$1,234.56"), "");
    EXPECT_EQ(CleanValue("12a4"), "");
    EXPECT_EQ(CleanValue("5."), "5");
    EXPECT_EQ(CleanName("\"Checking\""), "Checking");
    EXPECT_EQ(CleanName("  Savings *\t,,"), "Savings");
}

TEST(ExchangeRules, SummaryLinesAreSkipped) {
    EXPECT_FALSE(IsSkippedLine("Balanced Fund\t100.00"));
    for (const char* line : {"Balance Forward\t1.00", "Account Balance", "Total Assets\t9.00", "TOTAL\t\t900.00",
                             "Net Worth\t5.00", "LIABILITIES", "Liabilities\t2.00", "ab\t12"})
        EXPECT_TRUE(IsSkippedLine(line)) << line;
    // The create step's check on intermediate lines knows fewer words.
    EXPECT_FALSE(IsSkippedLine("Net Worth\t5.00", false));
    EXPECT_TRUE(IsSkippedLine("TOTAL\t900.00", false));
}

TEST(ExchangeRules, ReportLinesGiveNameAndValue) {
    EXPECT_EQ(Convert("Checking\t1,234.56\r\n", '\t'), "Checking|1234.56");
    EXPECT_EQ(Convert("Car Loan\t\t(500.00)", '\t'), "Car Loan|-500.00");
    EXPECT_EQ(Convert("Brokerage\t\"12,345.67\"", '\t'), "Brokerage|12345.67");
    EXPECT_EQ(Convert("Cash Box\t$12.00", '\t'), "-");
    EXPECT_EQ(Convert("Cash Box\t5", '\t'), "-");
    EXPECT_EQ(Convert("No separator 100.00", '\t'), "-");
    EXPECT_EQ(Convert("X\t100.00", '\t'), "-");
    EXPECT_EQ(Convert("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234\t10.00", '\t'), "ABCDEFGHIJKLMNOPQRSTUVWXYZ12|10.00");
    // The cut at 28 bytes never splits a UTF-8 letter ("é" is two bytes).
    EXPECT_EQ(Convert("Compte \xc3\xa9pargne retraite \xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\t10.00", '\t'),
              "Compte \xc3\xa9pargne retraite \xc3\xa9|10.00");
    EXPECT_EQ(Convert("\"Savings Acct\",\"1,000.50\"", ','), "\"Savings Acct\"|1000.50");
    EXPECT_EQ(Convert("Savings,x,2000", ','), "Savings|2000");
}

TEST_F(ExchangeTest, ConversionWritesTheIntermediateFile) {
    Put("report.kvi", "Account\tType\tBalance\r\nChecking\tBank\t1,234.56\r\nVisa\tCard\t(50.25)\r\n"
                      "Total Assets\t\t1,184.31\r\nBalanced Fund\tFund\t7,000.00\r\n");
    ASSERT_EQ(ConvertDelimitedFile("report.kvi", ImportTab), 1);
    EXPECT_EQ(Bytes("tabout.tmp"), "Checking\t1234.56\nVisa\t-50.25\nBalanced Fund\t7000.00\n");
    EXPECT_EQ(ConvertDelimitedFile("missing.csv", ImportComma), 0);
    EXPECT_EQ(Shown(), std::vector<std::string>{"File Open Error: Cannot open missing.csv."});
}

// Lines ended by a lone carriage return (older Macintosh files) are lines too,
// and a last line without its end counts.
TEST_F(ExchangeTest, EveryKindOfLineEndSeparatesLines) {
    Put("mac.csv", "Checking,10.00\rSavings,20.00\r\nBonds,30.00\nCash,40.00");
    ASSERT_EQ(ConvertDelimitedFile("mac.csv", ImportComma), 1);
    EXPECT_EQ(Bytes("csvout.tmp"), "Checking\t10.00\nSavings\t20.00\nBonds\t30.00\nCash\t40.00\n");
}

// An amount no float holds is refused with a message, never stored as infinity.
TEST_F(ExchangeTest, AnAmountTooLargeIsRefused) {
    const std::string huge(40, '9');
    Put("big.csv", "Checking," + huge + ".00\nHouse,1.00\n");
    screen.choices = {1};
    screen.files = {"big.csv"};
    screen.answers = {ui::Answer::Yes};
    EXPECT_EQ(DispatchCommand(CmdImportAccounts), 1);
    EXPECT_EQ(AmountOf("Checking"), 5000.0f);
    EXPECT_EQ(AmountOf("House"), 1.0f);
    ASSERT_EQ(Shown().size(), 2u);
    EXPECT_EQ(Shown()[1], "AMOUNT ERROR: The amount " + huge + ".00 of Checking is too large; the line is skipped.");
}

TEST_F(ExchangeTest, UpdateSetsAmountsByNameAndAsksAboutNewNames) {
    Put("bank.csv", "Checking,\"1,500.00\"\nBonds,(20.00)\nbonds,99.00\nCash Box,300.00\n");
    screen.choices = {1};
    screen.files = {"bank.csv"};
    screen.answers = {ui::Answer::Yes, ui::Answer::No, ui::Answer::No};
    EXPECT_EQ(DispatchCommand(CmdImportAccounts), 1);
    EXPECT_EQ(screen.optionDialogs.at(0).caption, "Update Accounts From a File");
    EXPECT_EQ(screen.fileDialogs.at(0).title, "Update Accounts From a Comma-delimited(*.CSV) File");
    EXPECT_EQ(AmountOf("Checking"), 1500.0f);
    EXPECT_EQ(AmountOf("Bonds"), -20.0f);
    EXPECT_EQ(AmountOf("House"), 300000.0f);
    EXPECT_EQ(Count(), 3);
    EXPECT_EQ(Shown(), (std::vector<std::string>{
                           "Updating Accounts: Updating 2 out of 3 accounts.\nDo you wish to continue?",
                           "New Account Found: Account bonds is not an existing account.\nDo you wish to add it?",
                           "New Account Found: Account Cash Box is not an existing account.\nDo you wish to add it?"}));
    EXPECT_EQ(state.modified, 1);
}

TEST_F(ExchangeTest, UpdateWithNoKnownNameChangesNothing) {
    Put("other.kvi", "Groceries\t120.00\nRent\t900.00\n");
    const std::string before = Raw(scenario.accountTable);
    EXPECT_EQ(UpdateAccountsFromFile("other.kvi", ImportTab), 0);
    EXPECT_EQ(Shown(), std::vector<std::string>{"Possible incorrect file type.: Found 0 accounts in the file "
                                                "other.kvi.\nPlease make sure this is the correct delimited file type."});
    EXPECT_EQ(Raw(scenario.accountTable), before);
    screen.Clear();
    Put("bank.kvi", "Checking\t10.00\n");
    EXPECT_EQ(UpdateAccountsFromFile("bank.kvi", ImportTab), 0);  // No to "Updating Accounts"
    EXPECT_EQ(Raw(scenario.accountTable), before);
}

TEST_F(ExchangeTest, AcceptedNewAccountGetsImportDefaults) {
    Put("bank.kvi", "Checking\t10.00\nCash Box\t300.00\nMoney Market\t40.00\n");
    screen.answers = {ui::Answer::Yes, ui::Answer::Yes, ui::Answer::Yes};
    Script({Ok()});      // Cash Box accepted as shown
    Script({});          // Money Market cancelled
    EXPECT_EQ(UpdateAccountsFromFile("bank.kvi", ImportTab), 1);
    ASSERT_EQ(Count(), 4);
    const Account& a = scenario.accountTable.accounts[3];
    EXPECT_EQ(FieldText(a.name), "Cash Box");
    EXPECT_EQ(+a.initialAmount, 300.0f);
    EXPECT_EQ(+a.yearlyRate, 10.0f);
    EXPECT_EQ(+a.accountType, AccountInvestmentSavings);
    EXPECT_EQ(+a.randomMinRate, 0.0f);
    EXPECT_EQ(+a.randomMaxRate, 20.0f);
    EXPECT_EQ(FieldText(a.accessOrder), "3");
    EXPECT_EQ(dialogs.runs.at(0).Shown(FieldAccountName), "Cash Box");
    EXPECT_EQ(AmountOf("Money Market"), -1.0f);
    EXPECT_EQ(+scenario.accountTable.accounts[4].name[0], 0);  // the cancelled record is put back
}

TEST_F(ExchangeTest, FullTableRefusesNewAccountsAndGoesOn) {
    for (int i = Count(); i < MaxAccounts; ++i) AddAccount(("Fund " + std::to_string(i)).c_str(), 2, 1, 1);
    Put("bank.kvi", "Cash Box\t300.00\nChecking\t10.00\n");
    screen.answers = {ui::Answer::Yes, ui::Answer::Yes};
    EXPECT_EQ(UpdateAccountsFromFile("bank.kvi", ImportTab), 1);
    EXPECT_EQ(LastCaption(), "Account Error");
    EXPECT_EQ(LastText(), "Number of accounts exceed limit.");
    EXPECT_EQ(AmountOf("Checking"), 10.0f);
    EXPECT_EQ(Count(), MaxAccounts);
}

TEST_F(ExchangeTest, NeighbouringDuplicatesKeepTheLaterOne) {
    // Checking at 1 and 2 (the later one just added), Bonds once.
    AddAccount("Checking", AccountInvestmentSavings, 77, 1);
    std::swap(scenario.accountTable.accounts[2], scenario.accountTable.accounts[3]);
    const int oldId = IdOf("Checking");
    const int newId = scenario.accountTable.accounts[2].accountId;
    scenario.accountOptions.rmdTable[scenario.accountTable.accounts[1].optionsSlot] = 20;
    EXPECT_EQ(RemoveNeighbourDuplicates({newId}), 1);
    ASSERT_EQ(Count(), 3);
    EXPECT_EQ(AmountOf("Checking"), 77.0f);
    EXPECT_EQ(+scenario.accountTable.accounts[1].accountId, oldId);  // events keep naming it
    EXPECT_EQ(FieldText(scenario.accountTable.accounts[2].name), "House");
    std::vector<int> slots;
    for (const Account& a : scenario.accountTable.accounts) slots.push_back(a.optionsSlot);
    std::sort(slots.begin(), slots.end());
    EXPECT_EQ(std::unique(slots.begin(), slots.end()), slots.end());
    EXPECT_EQ(+scenario.accountOptions.rmdTable[scenario.accountTable.accounts[3].optionsSlot], 0);
}

TEST_F(ExchangeTest, NewFromFileCreatesAccountsUpToTheLimit) {
    std::string text = "Name,Balance\n";
    for (int i = 0; i < 52; ++i) text += "Fund " + std::to_string(i) + ",1" + std::to_string(i) + ".00\n";
    Put("funds.csv", text);
    scenario.settings.groupName[0][0] = 'G';
    screen.files = {"funds.csv"};
    for (int i = 0; i < MaxAccounts; ++i) Script({Ok()});
    EXPECT_EQ(DispatchCommand(CmdNewFromCsv), 1);
    EXPECT_EQ(screen.fileDialogs.at(0).title, "Read Accounts From a CSV (comma-delimited) File");
    ASSERT_EQ(Count(), MaxAccounts);
    EXPECT_EQ(AmountOf("Fund 49"), 149.0f);
    EXPECT_EQ(dialogs.runs.size(), 50u);  // reading stopped at the 51st
    EXPECT_EQ(Shown(), std::vector<std::string>{"Account Error: Number of accounts exceed limit."});
    EXPECT_EQ(+scenario.settings.groupName[0][0], 0);
    EXPECT_EQ(FieldText(scenario.accountOptions.rmdName2), "IRA 2");
}

TEST_F(ExchangeTest, TabDialogsFollowQuil) {
    screen.choices = {0, 0};
    EXPECT_EQ(DispatchCommand(CmdImportAccounts), 0);
    shell.quil = 1;
    EXPECT_EQ(DispatchCommand(CmdImportAccounts), 0);
    ASSERT_EQ(screen.fileDialogs.size(), 2u);
    EXPECT_EQ(screen.fileDialogs[0].title, "Update Accounts From a Tab File");
    EXPECT_EQ(screen.fileDialogs[0].defaultExtension, "kvi");
    EXPECT_EQ(screen.fileDialogs[0].directory, "");
    EXPECT_EQ(screen.fileDialogs[1].defaultExtension, "txt");
    EXPECT_EQ(screen.fileDialogs[1].filters.at(0).pattern, "*.txt");
    EXPECT_EQ(screen.fileDialogs[1].directory, std::filesystem::current_path().string());
}

TEST_F(ExchangeTest, ExportWritesHeaderAndYearRows) {
    scenario.initialValues.startAge = 40;
    scenario.initialValues.endAge = 42;
    scenario.initialValues.taxRate = 0;
    scenario.initialValues.inflationRate = 0;
    screen.choices = {0, 1, 1, 0};
    screen.files = {"out", "out", "named", "out"};
    EXPECT_EQ(DispatchCommand(CmdExportAccounts), 1);
    EXPECT_EQ(screen.optionDialogs.at(0).caption, "Export Accounts to a File");
    EXPECT_EQ(screen.fileDialogs.at(0).title, "Export Results To a Tab-delimited File (*.KVE)");
    EXPECT_EQ(Bytes("out.kve"),
              "Age\tBonds\tChecking\tHouse\tEquity\tTotal\n"
              "40.00\t20000.00\t5000.00\t300000.00\t0.00\t325000.00\n"
              "41.00\t20800.00\t5050.00\t306000.00\t0.00\t331850.00\n"
              "42.00\t21632.00\t5100.50\t312120.00\t0.00\t338852.50\n");
    EXPECT_EQ(DispatchCommand(CmdExportAccounts), 1);
    EXPECT_EQ(Bytes("out.csv"),
              "Age,Bonds,Checking,House,Equity,Total,\n"
              "40.00,20000.00,5000.00,300000.00,0.00,325000.00\n"
              "41.00,20800.00,5050.00,306000.00,0.00,331850.00\n"
              "42.00,21632.00,5100.50,312120.00,0.00,338852.50\n");
    // A name with a comma or a quote is quoted in the comma-delimited file.
    for (int i = 0; i < scenario.accountTable.accountCount; ++i)
        if (FieldText(scenario.accountTable.accounts[i].name) == "Checking")
            SetFieldText(scenario.accountTable.accounts[i].name, "Checking, \"Joint\"");
    EXPECT_EQ(DispatchCommand(CmdExportAccounts), 1);
    EXPECT_EQ(Bytes("named.csv").substr(0, Bytes("named.csv").find('\n')),
              "Age,Bonds,\"Checking, \"\"Joint\"\"\",House,Equity,Total,");
    EXPECT_EQ(+runSwitches.exportTab, 0);
    EXPECT_EQ(+runSwitches.exportComma, 0);
    EXPECT_EQ(runSwitches.exportFile, nullptr);
    // An existing file is replaced only on Yes.
    const std::string kept = Bytes("out.kve");
    scenario.initialValues.endAge = 41;
    EXPECT_EQ(DispatchCommand(CmdExportAccounts), 0);
    EXPECT_EQ(LastText(), "out.kve exists - Overwrite anyway?");
    EXPECT_EQ(Bytes("out.kve"), kept);
    EXPECT_EQ(ExportAccounts("no-such-folder/out.kve", 0), 0);
    EXPECT_EQ(LastCaption(), "FILE ERROR");
    EXPECT_EQ(LastText(), "Cannot open export file");
    // The old export is replaced only by a complete new one, and a write
    // that fails is reported.
    TakeEveryPartName("out.kve");
    screen.answers = {ui::Answer::Yes, ui::Answer::Yes};
    EXPECT_EQ(ExportAccounts("out.kve", 0), 0);
    EXPECT_EQ(LastText(), "Cannot open export file\n\n" + NoNewFileText("out.kve"));
    EXPECT_EQ(Bytes("out.kve"), kept);
    EXPECT_EQ(ExportAccounts("/dev/full", 1), 0);
    EXPECT_EQ(LastText(), "Cannot write export file /dev/full");
}

}  // namespace
