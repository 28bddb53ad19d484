#pragma once
// zaq-cli's commands for members to and from text files, and for the older
// debit and credit lists (.lsv, .gsv).
#include <ostream>
#include <string>
#include <vector>

namespace zaq::cli {

class CliOberflaeche;

// export FILE OUT.txt: 0 written; 1 refused (right, same file, write error).
int Export(const std::string& datei, const std::string& ziel);

struct ImportAufruf {
  std::string datei, textdatei;
  bool pruefen = false;   // --dry-run
  bool anwenden = false;  // --apply
  std::vector<int> felder;
  int kopfzeilen = 1;
  bool archiv = false;
};
// import: 0 imported (or, with --dry-run, would be); 1 refused, FILE as it was.
int Import(const ImportAufruf& aufruf, CliOberflaeche& ui);
// Reads "10,20,,0,21": field numbers from the left; empty means 0.
bool LeseFelder(const std::string& text, std::vector<int>& felder);

// vergleichen A B: A as the open list, B compared with it; prints the
// states, the fields that differ, the tables and the summary.  0 compared;
// 1 a file not opened, or B is A.
int Vergleichen(const std::string& a, const std::string& b, std::ostream& aus);

// lgv-dump LIST: 0 read, 1 not a list.
int LgvDump(const std::string& liste, std::ostream& aus);
// lgv-save LIST NEW: 0 saved; 1 refused.
int LgvSpeichern(const std::string& liste, const std::string& ziel);
// lgv-sort LIST KEY (1 to 4): 0 sorted and written; 1 refused.
int LgvSortieren(const std::string& liste, int schluessel);

}  // namespace zaq::cli
