#pragma once
// zaq-cli's shared-server commands: the status query, check-out, check-in
// and the forced download of a member file's shared list.  None runs the
// automatic check-in or the refresh at opening; a command that fails never
// writes the file, and a successful one leaves no local temporary file.
#include <ostream>
#include <string>

namespace zaq::cli {

// ftp-status: prints the status as JSON; 0 for codes 0 to 6, else 1.
int FtpStatus(const std::string& datei, std::ostream& aus);
// ausspeichern, einspeichern: on success the file is saved.
int FtpAusspeichern(const std::string& datei);
int FtpEinspeichern(const std::string& datei);
// herunterladen: 0 and 200 ("nothing to do") save the file.
int FtpHerunterladen(const std::string& datei);

}  // namespace zaq::cli
