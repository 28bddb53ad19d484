// The operations zaq-cli slv-edit reads from stdin.  Whatever they are, the
// list stays a list that opens; input that is no array of operations
// leaves it untouched, and a run that ends well reports what the file holds.
#include <cstring>
#include <sstream>

#include "Fuzzhilfen.h"
#include "cli/SepaBefehle.h"
#include "debits/sepa/Buchungsliste.h"
#include "platform/Plattform.h"
#include "store/DateiEA.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace zaq;
  // "speichern_unter" writes wherever it is told; not on this machine.
  const Json ops = Json::parse(fuzz::Text(daten, groesse), nullptr, false);
  if (ops.is_array())
    for (const Json& o : ops)
      if (o.is_object() && o.contains("op") && o["op"] == "speichern_unter") return 0;
  const std::string datei = (fuzz::Verzeichnis() / "liste.slv").string();
  {
    TSepa l;
    if (!l.Anlegen(datei, false)) __builtin_trap();
    TSepaBuchung b = TSepaBuchung::Vorgabe();
    b.IBAN = "DE89370400440532013000";
    b.Betrag = 10.5f;
    for (const char* name : {"BERG", "ADAM", "CEM"}) {
      b.Name = name;
      b.Verwendungszweck = name;
      if (!l.Schreiben(b, l.Anzahl() + 1)) __builtin_trap();
    }
  }
  plattform::Bytes vorher, nachher;
  if (!plattform::LeseDatei(plattform::Pfad(datei), vorher)) __builtin_trap();
  std::istringstream ein(std::string(fuzz::Text(daten, groesse)));
  std::ostringstream aus, fehler;
  const int code = cli::SlvEdit(datei, "", ein, aus, fehler);
  if (!plattform::LeseDatei(plattform::Pfad(datei), nachher)) __builtin_trap();
  if (code == 2 && nachher != vorher) __builtin_trap();
  TSepa l;
  if (!l.Oeffnen(datei) || nachher.size() % kSepaSatzgroesse != 0) __builtin_trap();
  if (code == 0 && aus.str().find("\"Anzahl\":" + std::to_string(l.Anzahl()) + ",") == std::string::npos)
    __builtin_trap();
  return 0;
}
