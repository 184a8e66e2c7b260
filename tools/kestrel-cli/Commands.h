#pragma once

#include <string>
#include <vector>

// Exit codes of kestrel-cli.
enum CliExit : int { EXIT_OK = 0, EXIT_REFUSED = 1, EXIT_USAGE = 2 };

// Each command takes the arguments after its name and returns an exit code.
int RunCatalogCommand(const std::vector<std::string>& args);
