// Accounts read from and balances written to tab- and comma-delimited files.
#pragma once

// Installs the import and export commands and the New-from-file hook.
void InstallExchangeCommands();
