#include "debits/sepa/Druck.h"

#include <algorithm>
#include <vector>

#include "bank/Banktexte.h"
#include "debits/sepa/Buchungsliste.h"
#include "fees/Beitrag.h"
#include "platform/Plattform.h"
#include "store/Konto.h"
#include "store/Stammdaten.h"

namespace zaq {

namespace {

std::vector<std::string> Zeilen(const std::string& text) {
  std::vector<std::string> z;
  for (std::size_t a = 0;;) {
    const std::size_t e = text.find("\r\n", a);
    z.push_back(text.substr(a, e == std::string::npos ? std::string::npos : e - a));
    if (e == std::string::npos) break;
    a = e + 2;
  }
  return z;
}

}  // namespace

bool DruckeBuchungsliste(const TSepa& liste, const TStammdaten& stamm, const TBuchungsdruck& druck,
                         TDruckgeraet& geraet) {
  const int n = liste.Anzahl();
  const std::string summe = "Gesamtbetrag: " + BetragText(liste.Gesamtbetrag()) + " €";
  const std::string datei = "Datei: " + plattform::PfadText(plattform::Pfad(liste.Dateiname()).filename());
  const std::string zahl = "Zahl der Lastschriften: " + std::to_string(n);
  TBuchungsblatt blatt;
  if (const TVereinskonto* k = liste.Vereinskonto(stamm)) {
    blatt.links = {druck.beschreibung, datei, "Vereinskonto: " + k->FBezeichnung, "Gläubiger-ID: " + k->FGlaeubigerID,
                   zahl};
    blatt.rechts = {"", "Konto-Nr.: " + k->FKontonummer, "Bankleitzahl: " + k->FBLZ, "IBAN: " + IBANText(k->FIBAN),
                    "bei " + k->FBankname, summe};
  } else {
    blatt.links = {druck.beschreibung, datei, zahl};
    blatt.rechts = {"", "", summe};
  }
  blatt.kopfUnten[0] = "Bankverbindung";
  blatt.kopfUnten[1] = "Verwendungszweck";
  blatt.kopfUnten[2] = "Kundenreferenznummer";
  return DruckeBuchungen(blatt, std::max(1, druck.von), std::min(druck.bis, n),
                         [&](int i) {
                           const TSepaBuchung b = liste.Lesen(i);
                           return TDruckbuchung{b.Name, IBANText(b.IBAN), Zeilen(b.Verwendungszweck),
                                                BetragText(BetragInCent(b.Betrag).value_or(0)) + " €",
                                                b.Kundenreferenz};
                         },
                         geraet);
}

}  // namespace zaq
