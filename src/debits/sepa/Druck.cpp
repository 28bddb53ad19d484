#include "debits/sepa/Druck.h"

#include <algorithm>
#include <vector>

#include "bank/Banktexte.h"
#include "base/Text.h"
#include "debits/sepa/Buchungsliste.h"
#include "fees/Beitrag.h"
#include "interaction/Warten.h"
#include "lists/Druck.h"
#include "platform/Plattform.h"
#include "store/Konto.h"
#include "store/Stammdaten.h"

namespace zaq {

namespace {

// The settings fonts of booking lists: headings, booking lines, bank lines.
constexpr int kKopfSchrift = 21, kBuchungSchrift = 22, kBankSchrift = 23;

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
  WartenSchliessen schliessen;
  Warten().ZeigeStatus("Drucke Buchungen");
  TSeite s(geraet);
  const TSeitenmasse& M = s.M();
  const int n = liste.Anzahl();
  const std::string summe = "Gesamtbetrag: " + BetragText(liste.Gesamtbetrag()) + " €";
  const std::string datei = "Datei: " + plattform::PfadText(plattform::Pfad(liste.Dateiname()).filename());
  const std::string zahl = "Zahl der Lastschriften: " + std::to_string(n);
  std::vector<std::string> links, rechts;
  if (const TVereinskonto* k = liste.Vereinskonto(stamm)) {
    links = {druck.beschreibung, datei, "Vereinskonto: " + k->FBezeichnung, "Gläubiger-ID: " + k->FGlaeubigerID, zahl};
    rechts = {"", "Konto-Nr.: " + k->FKontonummer, "Bankleitzahl: " + k->FBLZ, "IBAN: " + IBANText(k->FIBAN),
              "bei " + k->FBankname, summe};
  } else {
    links = {druck.beschreibung, datei, zahl};
    rechts = {"", "", summe};
  }
  const int xNr = M.links + M.B * 5 / 100, xName = M.links + M.B * 6 / 100, xZweck = M.links + M.B * 45 / 100,
            xBetrag = M.links + M.B;
  // The heading block and the table's headings, at the top of every page.
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
    s.DruckeText(xName, z, kLinks, "Bankverbindung", 0);
    s.DruckeText(xZweck, z, kLinks, "Verwendungszweck", 0);
    s.DruckeText(xBetrag, y, kRechts, "Kundenreferenznummer", 1);
    s.DruckeLinie(y, M.links, xBetrag, true, 0.5, M.mm / 10);
  };
  int y = 0;
  kopf(y);
  const int von = std::max(1, druck.von), bis = std::min(druck.bis, n);
  for (int i = von; i <= bis; ++i) {
    const TSepaBuchung b = liste.Lesen(i);
    const std::vector<std::string> zweck = Zeilen(b.Verwendungszweck);
    const int zeilen = std::max<int>(3, static_cast<int>(zweck.size()));
    const int hoehe = std::max(s.SetzeSchrift(kBuchungSchrift), s.SetzeSchrift(kBankSchrift));
    if (y + zeilen * hoehe > M.oben + M.H) {
      s.NeueSeite();
      kopf(y);
    }
    const int start = y;
    s.SetzeSchrift(kBuchungSchrift);
    int z = start;
    s.DruckeText(xNr, z, kRechts, std::to_string(i), 0);
    s.DruckeText(xName, z, kLinks, b.Name, 0);
    s.DruckeText(xBetrag, z, kRechts, BetragText(BetragInCent(b.Betrag).value_or(0)) + " €", 0);
    for (std::size_t j = 0; j < zweck.size(); ++j) {
      z = start + static_cast<int>(j) * hoehe;
      s.DruckeText(xZweck, z, kLinks, zweck[j], 0);
    }
    s.SetzeSchrift(kBankSchrift);
    z = start + hoehe;
    s.DruckeText(xName, z, kLinks, IBANText(b.IBAN), 0);
    z = start + hoehe;
    s.DruckeText(xBetrag, z, kRechts, b.Kundenreferenz, 0);
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
