// The editing commands of the Edit menu: each opens its dialog, and a change
// ends by rebuilding the folder that shows it.
#include "shell/dialogs_internal.h"

namespace {

int ThenScenarioFolder(int result) {
    if (result) ShowFolder(FolderScenario);
    return result;
}

}  // namespace

int CommandInitialValues() { return ThenScenarioFolder(InitialValuesDialog()); }
int CommandWithdrawal() { return ThenScenarioFolder(WithdrawalDialog()); }
int CommandDeposit() { return ThenScenarioFolder(DepositDialog()); }
int CommandLoan() { return ThenScenarioFolder(LoanDialog()); }
int CommandCreditCardDebt() { return ThenScenarioFolder(CreditCardDialog()); }
int CommandCreditCardPayoff() { return CreditCardCalculatorDialog(); }
int CommandMortgage() { return ThenScenarioFolder(MortgageDialog()); }
int CommandTransfer() { return ThenScenarioFolder(TransferDialog()); }
int CommandFundamentals() { return ThenScenarioFolder(FundamentalsDialog()); }
int CommandAddEvent() { return AddEventDialog(); }
int CommandPreferences() { return PreferencesDialog(); }
int CommandGroupNames() { return GroupsDialog(); }
int CommandAddAccount() {
    NamedStep step("Add Account");  // the Accounts folder's Add button calls this directly
    int result = AccountListAdd();
    if (result) {
        RunShellProjection(0);
        ShowFolder(FolderAccounts);
    }
    return result;
}
int CommandAssetAllocation() { return ThenScenarioFolder(AssetAllocationDialog()); }
int CommandRequiredMinimum() { return ThenScenarioFolder(RmdOptionsDialog()); }
int CommandAdjustMonteCarlo() {
    int result = MonteCarloSettingsDialog();
    if (result && FolderOfTab(shell.currentTab) == FolderMonteCarlo) ShowFolder(FolderMonteCarlo);
    return result;
}
int CommandReportOptions() {
    int result = ReportOptionsDialog();
    if (result) ShowFolder(FolderOfTab(shell.currentTab));
    return result;
}
int CommandBudgetNumber(int number) {
    const int result = BudgetDialog(number);
    RunShellProjection(0);
    ShowFolder(FolderOfTab(shell.currentTab));
    return result;
}
