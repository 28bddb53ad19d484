#include <iostream>

#include "cli/Befehle.h"

int main(int argc, char** argv) {
  std::vector<std::string> argumente(argv + 1, argv + argc);
  return zaq::cli::Run(argumente, std::cout, std::cerr);
}
