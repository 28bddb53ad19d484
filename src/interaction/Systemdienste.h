#pragma once
// Services of the system that report their failures to the user.
#include <string>

namespace zaq {

// Starts a program or opens a document with the desktop's program for it;
// the process number, or -1 after the failure has been reported.
long StarteProgramm(const std::string& programm, const std::string& parameter, const std::string& verzeichnis);
// Copies a file (the target is replaced whole); false after the message.
bool KopiereDatei(const std::string& quelle, const std::string& ziel);

}  // namespace zaq
