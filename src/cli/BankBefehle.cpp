#include "cli/BankBefehle.h"

#include <memory>
#include <optional>

#include "bank/BLZImport.h"
#include "bank/Bank.h"
#include "bank/Pruefung.h"
#include "base/Text.h"
#include "interaction/Oberflaeche.h"
#include "store/DateiEA.h"

namespace zaq::cli {
namespace {
constexpr const char* kNichtGefunden = "Die angegebene Bankleitzahl wurde im BLZ-Verzeichnis nicht gefunden.";
}  // namespace

std::unique_ptr<TBank> Befehlsverzeichnis::Lade() {
  auto bank = std::make_unique<TBank>();
  if (!bank->Geoeffnet()) return nullptr;
  return bank;
}

TBank* Befehlsverzeichnis::Bank(const std::string& blz) {
  TBank* bank = Bankverzeichnis();
  if (bank && !bank->Lade(blz)) {
    Meldung(kNichtGefunden, MeldungsArt::Fehler);
    return nullptr;
  }
  return bank;
}

namespace {

// True when the text has the form of a bank code; else the message is shown.
bool BLZGeformt(const std::string& blz) {
  const int code = blz.size() != 8 ? bpBLZLaenge : !NurZiffern(blz) ? bpBLZZeichen : bpGueltig;
  if (code != bpGueltig) Meldung(Pruefungstext(code, "", ""), MeldungsArt::Fehler);
  return code == bpGueltig;
}

// The account number as the program takes it: without blanks, up to ten
// digits, left-padded with zeros; else the message.
std::optional<std::string> KontoGeformt(const std::string& eingabe) {
  std::string konto = OhneLeerzeichen(eingabe);
  int code = konto.size() > 10 ? bpKontoLaenge : !konto.empty() && !NurZiffern(konto) ? bpKontoZeichen : bpGueltig;
  konto = NullenAuffuellen(konto, 10);
  if (code == bpGueltig && konto == "0000000000") code = bpBLZOhneKonto;
  if (code != bpGueltig) {
    Meldung(Pruefungstext(code, "", ""), MeldungsArt::Fehler);
    return std::nullopt;
  }
  return konto;
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
  Befehlsverzeichnis verzeichnis;
  TBank* bank = verzeichnis.Bank(blz);
  if (!bank) return 1;
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
  if (!BLZGeformt(blz)) return 2;
  const auto geformt = KontoGeformt(kontoEingabe);
  if (!geformt) return 2;
  const std::string& konto = *geformt;
  Befehlsverzeichnis verzeichnis;
  TBank* bank = verzeichnis.Bank(blz);
  if (!bank) return 3;
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

int IBANBerechnen(const std::string& blzEingabe, const std::string& kontoEingabe, std::ostream& aus) {
  const std::string blz = OhneLeerzeichen(blzEingabe);
  if (!BLZGeformt(blz)) return 2;
  const auto konto = KontoGeformt(kontoEingabe);
  if (!konto) return 2;
  Befehlsverzeichnis verzeichnis;
  TBank* bank = verzeichnis.Bank(blz);
  if (!bank) return 1;
  std::string iban;
  if (!BerechneIBAN(blz, *konto, iban)) {
    // The words of the SEPA conversion, which computes IBANs the same way.
    Meldung("Die IBAN-Berechnung erfolgt nur bei Bankleitzahlen, die nach der BLZ-Datei der deutschen Bundesbank "
            "die IBAN-Regel 0 Revision 0 verwenden. Alle anderen IBAN müssen manuell bestimmt werden.",
            MeldungsArt::Fehler);
    return 1;
  }
  aus << iban << '\n';
  return 0;
}

int IBANPruefen(const std::string& eingabe, std::ostream& aus) {
  const std::string iban = OhneLeerzeichen(eingabe);
  const int code = IBANCode(iban, true);
  aus << (code == bpGueltig ? "gültig" : "ungültig") << '\n';
  // Why, in the words of the interactive check; it asks about wrong check
  // digits, which is told here as a statement.
  if (code == bpIBANPruefziffer)
    Meldung("Die angegebende IBAN " + iban + " wurde geprüft und ist wahrscheinlich falsch.", MeldungsArt::Fehler);
  else if (code != bpGueltig) Meldung(Pruefungstext(code, "", iban), MeldungsArt::Fehler);
  return code == bpGueltig ? 0 : 1;
}

}  // namespace zaq::cli
