#include "debits/Buchungsdruck.h"

#include <algorithm>

#include "interaction/Warten.h"
#include "lists/Druck.h"

namespace zaq {

namespace {

// The settings fonts of booking lists: headings, booking lines, bank lines.
constexpr int kKopfSchrift = 21, kBuchungSchrift = 22, kBankSchrift = 23;

}  // namespace

bool DruckeBuchungen(const TBuchungsblatt& blatt, int von, int bis, const std::function<TDruckbuchung(int)>& buchung,
                     TDruckgeraet& geraet) {
  WartenSchliessen schliessen;
  Warten().ZeigeStatus("Drucke Buchungen");
  TSeite s(geraet);
  const TSeitenmasse& M = s.M();
  const auto& links = blatt.links;
  const auto& rechts = blatt.rechts;
  const int xNr = M.links + M.B * 5 / 100, xName = M.links + M.B * 6 / 100, xZweck = M.links + M.B * 45 / 100,
            xBetrag = M.links + M.B;
  // The heading block and the table's headings, at the top of every page;
  // the foot line at the bottom.
  const auto kopf = [&](int& y) {
    y = M.oben;
    s.SetzeSchrift(kKopfSchrift);
    for (std::size_t i = 0; i < std::max(links.size(), rechts.size()); ++i) {
      int z = y;
      if (i < links.size()) s.DruckeText(M.links, z, kLinks, links[i], 0);
      if (i < rechts.size()) s.DruckeText(xBetrag, z, kRechts, rechts[i], 0);
      s.Vorschub(y, 1);
    }
    s.DruckeLinie(y, M.links, xBetrag, false, 1, M.mm / 5);
    int z = y;
    s.DruckeText(xNr, z, kRechts, "Nr.", 0);
    s.DruckeText(xName, z, kLinks, "Zahlungspflichtiger /", 0);
    s.DruckeText(xZweck, z, kLinks, "Verwendungszweck /", 0);
    s.DruckeText(xBetrag, y, kRechts, "Buchungsbetrag /", 1);
    z = y;
    s.DruckeText(xName, z, kLinks, blatt.kopfUnten[0], 0);
    s.DruckeText(xZweck, z, kLinks, blatt.kopfUnten[1], 0);
    s.DruckeText(xBetrag, y, kRechts, blatt.kopfUnten[2], 1);
    s.DruckeLinie(y, M.links, xBetrag, true, 0.5, M.mm / 10);
    if (!blatt.fuss.empty()) {
      const int h = s.SetzeSchrift(kKopfSchrift);
      int f = M.oben + M.H - h;
      s.DruckeText(xBetrag, f, kRechts, blatt.fuss, 0);
    }
  };
  const int fusshoehe = blatt.fuss.empty() ? 0 : s.SetzeSchrift(kKopfSchrift);
  int y = 0;
  kopf(y);
  for (int i = von; i <= bis; ++i) {
    const TDruckbuchung b = buchung(i);
    const int zeilen = std::max<int>(3, static_cast<int>(b.zweck.size()));
    const int hoehe = std::max(s.SetzeSchrift(kBuchungSchrift), s.SetzeSchrift(kBankSchrift));
    if (y + zeilen * hoehe > M.oben + M.H - fusshoehe) {
      s.NeueSeite();
      kopf(y);
    }
    const int start = y;
    s.SetzeSchrift(kBuchungSchrift);
    int z = start;
    s.DruckeText(xNr, z, kRechts, std::to_string(i), 0);
    s.DruckeText(xName, z, kLinks, b.name, 0);
    s.DruckeText(xBetrag, z, kRechts, b.betrag, 0);
    for (std::size_t j = 0; j < b.zweck.size(); ++j) {
      z = start + static_cast<int>(j) * hoehe;
      s.DruckeText(xZweck, z, kLinks, b.zweck[j], 0);
    }
    s.SetzeSchrift(kBankSchrift);
    z = start + hoehe;
    s.DruckeText(xName, z, kLinks, b.bank, 0);
    z = start + hoehe;
    s.DruckeText(xBetrag, z, kRechts, b.unten, 0);
    y = start + zeilen * hoehe;
    Warten().Fortschritt(static_cast<double>(i - von + 1) / std::max(1, bis - von + 1));
    Warten().Verarbeiten();
    if (Warten().AbbruchGewuenscht()) {
      Meldung("Der Druckauftrag wurde abgebrochen.", MeldungsArt::Information);
      return false;
    }
  }
  return true;
}

}  // namespace zaq
