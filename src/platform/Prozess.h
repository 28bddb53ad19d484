#pragma once
// Starting programs and opening documents with the desktop's program.
#include <string>
#include <string_view>
#include <vector>

namespace zaq::plattform {

// Splits a command line at blanks; double quotes group.
std::vector<std::string> ZerlegeKommandozeile(std::string_view zeile);

struct Programmstart {
  enum class Fehler { Keiner, PfadFehlt, DateiFehlt, KeinProgramm };
  long prozess = -1;  // process number, or -1
  Fehler fehler = Fehler::Keiner;
  std::string pfad;   // the document or its directory the error is about
};

// Starts a program with its parameters in a directory (default: the program
// directory), or opens a document with the program the desktop associates
// with it; a document without a directory is looked up in the program directory.
Programmstart StarteProgramm(const std::string& programm, const std::string& parameter,
                             const std::string& verzeichnis);

}  // namespace zaq::plattform
