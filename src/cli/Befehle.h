#pragma once
// zaq-cli, the scripting face of the core.  Run() is the whole program, so
// tests can call it in-process.
#include <ostream>
#include <string>
#include <vector>

namespace zaq::cli {

// Exit status: 0 success, 1 failed/refused/cancelled, 2 usage error.
int Run(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);

}  // namespace zaq::cli
