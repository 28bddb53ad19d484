#include "debits/lgv/LgvDruck.h"

#include <algorithm>

#include "bank/Banktexte.h"
#include "debits/lgv/Lgv.h"
#include "debits/sepa/Buchungsliste.h"
#include "fees/Beitrag.h"
#include "platform/Plattform.h"

namespace zaq {

bool DruckeLgv(const TLGV& liste, const TBuchungsdruck& druck, TDruckgeraet& geraet) {
  const TLGVKopf k = liste.Kopf();
  const TKontrollsummen summen = liste.Kontrollsummen();
  TBuchungsblatt blatt;
  blatt.links = {druck.beschreibung,
                 std::string(liste.Art() == 2 ? "Gutschriften" : "Lastschriften") + " aus " +
                     plattform::PfadText(plattform::Pfad(liste.Dateiname()).filename())};
  blatt.rechts = {"", "Konto-Nr.: " + KontoText(k.Kontonummer), "Bankleitzahl: " + BLZText(k.BLZ),
                  "Gesamtbetrag: " + BetragText(summen.SummeCent) + " €"};
  blatt.kopfUnten[0] = "Bankverbindung";
  blatt.kopfUnten[1] = "Verwendungszweck";
  blatt.fuss = "ZAQ Mitgliederverwaltung";
  return DruckeBuchungen(blatt, std::max(1, druck.von), std::min(druck.bis, liste.Anzahl()),
                         [&](int i) {
                           const TLGVBuchung b = liste.Lesen(i);
                           TDruckbuchung d;
                           d.name = b.Kontoinhaber;
                           d.bank = "BLZ " + BLZText(b.BLZ) + ", Kto. " + KontoText(b.Kontonummer);
                           // Purpose lines up to the last one with text.
                           std::size_t n = b.Zweck.size();
                           while (n > 1 && b.Zweck[n - 1].empty()) --n;
                           d.zweck.assign(b.Zweck.begin(), b.Zweck.begin() + static_cast<std::ptrdiff_t>(n));
                           d.betrag = BetragText(BetragInCent(b.Betrag).value_or(0)) + " €";
                           return d;
                         },
                         geraet);
}

}  // namespace zaq
