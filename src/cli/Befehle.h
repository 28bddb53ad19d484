#pragma once
// zaq-cli, the scripting face of the core.  Run() is the whole program, so
// tests can call it in-process.
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace zaq::cli {

// Exit status: 0 success, 1 failed/refused/cancelled, 2 usage error.
// Reads what a command reads from standard input from std::cin.
int Run(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);
int Run(const std::vector<std::string>& argumente, std::istream& ein, std::ostream& aus, std::ostream& fehler);

}  // namespace zaq::cli
