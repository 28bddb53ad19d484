#include "cli/BankBefehle.h"

#include <memory>

#include "bank/BLZImport.h"
#include "bank/Bank.h"
#include "bank/Pruefung.h"
#include "base/Text.h"
#include "interaction/Oberflaeche.h"
#include "store/DateiEA.h"

namespace zaq::cli {
namespace {

constexpr const char* kNichtGefunden = "Die angegebene Bankleitzahl wurde im BLZ-Verzeichnis nicht gefunden.";

// The directory of the program directory, as the program itself uses it.
std::unique_ptr<TBank> LadeVerzeichnis() {
  auto bank = std::make_unique<TBank>();
  if (!bank->Geoeffnet()) return nullptr;
  return bank;
}

// True when the text has the form of a bank code; else the message is shown.
bool BLZGeformt(const std::string& blz) {
  if (blz.size() != 8) {
    Meldung("Eine Bankleitzahl ist immer achtstellig. Prüfen Sie bitte Ihre Eingabe!", MeldungsArt::Fehler);
    return false;
  }
  if (!NurZiffern(blz)) {
    Meldung("Eine Bankleitzahl darf nur aus Ziffern bestehen. Prüfen Sie bitte Ihre Eingabe!", MeldungsArt::Fehler);
    return false;
  }
  return true;
}

}  // namespace

int BLZImport(const std::string& datei, const std::string& verzeichnis, const std::string& regeln,
              std::ostream& aus) {
  BLZImportBericht bericht;
  bool ok = ErzeugeBLZVerzeichnis(datei, verzeichnis, regeln, bericht);
  for (const auto& zeile : bericht.Zeilen()) aus << zeile << '\n';
  return ok ? 0 : 1;
}

int BankZeigen(const std::string& eingabe, std::ostream& aus) {
  std::string blz = OhneLeerzeichen(eingabe);
  if (!BLZGeformt(blz)) return 2;
  BankverzeichnisSetzen setzen(LadeVerzeichnis());
  TBank* bank = Bankverzeichnis();
  if (!bank) return 1;
  if (!bank->Lade(blz)) {
    Meldung(kNichtGefunden, MeldungsArt::Fehler);
    return 1;
  }
  Json j = Json::object();
  j["blz"] = bank->BLZ();
  j["bezeichnung"] = bank->Bezeichnung();
  j["kurzbezeichnung"] = bank->Kurzbezeichnung();
  j["plz"] = bank->PLZ();
  j["ort"] = bank->Ort();
  j["bic"] = bank->BIC();
  j["pruefverfahren"] = bank->Pruefverfahren();
  j["pruefverfahrenKennzeichen"] = KennzeichenVonVerfahren(bank->Pruefverfahren());
  j["pruefverfahrenImplementiert"] = TBank::VerfahrenImplementiert(bank->Pruefverfahren());
  j["ibanRegel"] = bank->IBANRegel();
  j["ibanRegelVersion"] = bank->IBANRegelVersion();
  j["ibanRegelImplementiert"] = TBank::IBANRegelImplementiert(bank->IBANRegel(), bank->IBANRegelVersion());
  aus << j.dump(1) << '\n';
  return 0;
}

int KontoPruefen(const std::string& blzEingabe, const std::string& kontoEingabe, std::ostream& aus) {
  std::string blz = OhneLeerzeichen(blzEingabe);
  std::string konto = OhneLeerzeichen(kontoEingabe);
  if (!BLZGeformt(blz)) return 2;
  if (konto.size() > 10) {
    Meldung("Eine Kontonummer darf nicht mehr als zehn Stellen aufweisen. Prüfen Sie bitte Ihre Eingabe!",
            MeldungsArt::Fehler);
    return 2;
  }
  if (!konto.empty() && !NurZiffern(konto)) {
    Meldung("Eine Kontonummer darf nur aus Ziffern bestehen. Prüfen Sie bitte Ihre Eingabe!", MeldungsArt::Fehler);
    return 2;
  }
  konto = NullenAuffuellen(konto, 10);
  if (konto == "0000000000") {
    Meldung("Bitte geben Sie eine vollständige Kontonummer an oder lassen Sie die Bankleitzahl weg!",
            MeldungsArt::Fehler);
    return 2;
  }
  BankverzeichnisSetzen setzen(LadeVerzeichnis());
  TBank* bank = Bankverzeichnis();
  if (!bank) return 3;
  if (!bank->Lade(blz)) {
    Meldung(kNichtGefunden, MeldungsArt::Fehler);
    return 3;
  }
  int verfahren = bank->Pruefverfahren();
  int ergebnis = PruefeKonto(verfahren, konto);
  Json j = Json::object();
  j["blz"] = blz;
  j["konto"] = konto;
  j["pruefverfahren"] = verfahren;
  j["pruefverfahrenKennzeichen"] = KennzeichenVonVerfahren(verfahren);
  if (!TBank::VerfahrenImplementiert(verfahren)) j["ergebnis"] = "nicht implementiert";
  else if (ergebnis == kKontoGueltig) j["ergebnis"] = "gültig";
  else if (ergebnis == kKontoUngueltig) j["ergebnis"] = "ungültig";
  else j["ergebnis"] = "nicht prüfbar";
  aus << j.dump() << '\n';
  if (!TBank::VerfahrenImplementiert(verfahren)) return 3;
  return ergebnis == kKontoGueltig ? 0 : ergebnis == kKontoUngueltig ? 1 : 3;
}

}  // namespace zaq::cli
