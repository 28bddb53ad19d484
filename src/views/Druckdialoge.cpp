#include "views/Druckdialoge.h"

#include <algorithm>

#include "base/Text.h"
#include "debits/lgv/Lgv.h"
#include "debits/lgv/LgvDruck.h"
#include "debits/sepa/Buchungsliste.h"
#include "debits/sepa/Druck.h"
#include "lists/Druck.h"
#include "lists/Tabelle.h"
#include "store/TabVorlage.h"
#include "store/ZAQ.h"

namespace zaq {

namespace {

std::optional<int> Zahl(const std::string& text) {
  const std::string t = Trim(text);
  if (t.empty() || t.size() > 9 || !NurZiffern(t)) return std::nullopt;
  return std::stoi(t);
}

// The dialog can only be shown when there is a printer to choose.
bool DruckerBereit(const TDruckDialog& d) {
  if (d.FDruckerIndex >= 0) return true;
  Meldung("Es ist kein Standarddrucker ausgewählt. Verwenden Sie hierzu die Druckereinrichtung!",
          MeldungsArt::Fehler);
  return false;
}

}  // namespace

TDruckDialog::TDruckDialog(int anzahl)
    : FVon("1"), FBis(std::to_string(std::max(1, anzahl))), FDrucker(UI().Druckerliste()),
      FDruckerIndex(UI().Standarddrucker()), FAnzahl(anzahl) {}

int TDruckDialog::Von() const { return std::clamp(Zahl(FVon).value_or(1), 1, std::max(1, FAnzahl)); }
int TDruckDialog::Bis() const { return std::clamp(Zahl(FBis).value_or(FAnzahl), 1, std::max(1, FAnzahl)); }

bool TDruckDialog::OK() {
  if (!Zahl(FVon) || !Zahl(FBis) || !Zahl(FKopien)) {
    Meldung("Geben Sie nur Zahlen bei Exemplaren und Zeilen an!", MeldungsArt::Fehler);
    return false;
  }
  if (Von() > Bis()) {
    Meldung("Die Anfangszeile darf nicht nach der Endzeile liegen.", MeldungsArt::Fehler);
    return false;
  }
  return true;
}

TDruckauftrag TDruckDialog::Auftrag(std::string titel) const {
  TDruckauftrag a;
  a.titel = std::move(titel);
  a.kopien = std::max(1, Zahl(FKopien).value_or(1));
  a.quer = FQuer;
  a.vorschau = FVorschau;
  if (FDruckerIndex >= 0 && FDruckerIndex < static_cast<int>(FDrucker.size()))
    a.drucker = FDrucker[static_cast<std::size_t>(FDruckerIndex)];
  return a;
}

TfrmTabDrucken::TfrmTabDrucken(const TTabelle& tabelle) : TDruckDialog(tabelle.Zeilenzahl()) {
  const TTabellendruck d = Tabellendruck(tabelle);
  FTitel = d.titel;
  FSkalierung = d.skalierung == tdNichtSkalieren ? 0 : d.skalierung == tdAnpassen ? 2 : 1;
}

std::vector<std::string> TfrmTabDrucken::Skalierungen() {
  return {"nicht skalieren", "auf Seitenbreite verkleinern", "auf Seitenbreite anpassen"};
}

std::uint8_t TfrmTabDrucken::Skalierung() const {
  return FSkalierung == 0 ? tdNichtSkalieren : FSkalierung == 2 ? tdAnpassen : tdVerkleinern;
}

TfrmBuchungenDrucken::TfrmBuchungenDrucken(const TSepa& liste)
    : TfrmBuchungenDrucken(liste.Anzahl(), liste.Kopf().Beschreibung) {}

TfrmBuchungenDrucken::TfrmBuchungenDrucken(int anzahl, std::string beschreibung)
    : TDruckDialog(anzahl), FBeschreibung(std::move(beschreibung)) {}

bool TfrmBuchungenDrucken::OK() {
  if (!TDruckDialog::OK()) return false;
  if (Zahl(FKopien).value_or(0) < 1 || Zahl(FKopien).value_or(0) > 100) {
    Meldung("Geben Sie nur Zahlen bei Exemplaren und Zeilen an!", MeldungsArt::Fehler);
    return false;
  }
  return true;
}

bool TabelleDrucken(TTabelle& tabelle) {
  if (!PruefeDrucker()) return false;
  TfrmTabDrucken d(tabelle);
  if (!DruckerBereit(d) || !UI().Dialog(d)) return false;
  TTabellendruck druck;
  druck.titel = d.FTitel;
  druck.von = d.Von();
  druck.bis = d.Bis();
  druck.skalierung = d.Skalierung();
  // The choice of scaling stays with the template.
  TTabVorlage& v = tabelle.Vorlage();
  v.FDruckOptionen =
      static_cast<std::uint8_t>((v.FDruckOptionen & ~(tdNichtSkalieren | tdAnpassen | tdVerkleinern)) | druck.skalierung);
  tabelle.FKopfLinks[0] = druck.titel;
  TDruckauftrag a = d.Auftrag("ZAQ Tabellenausdruck");
  a.drucken = [&tabelle, druck](TDruckgeraet& g) { return DruckeTabelle(tabelle, druck, g); };
  return UI().Drucken(a);
}

bool BuchungenDrucken(const TSepa& liste, const TZAQ& verein) {
  if (!PruefeDrucker()) return false;
  TfrmBuchungenDrucken d(liste);
  if (!DruckerBereit(d) || !UI().Dialog(d)) return false;
  TBuchungsdruck druck{d.FBeschreibung, d.Von(), d.Bis()};
  TDruckauftrag a = d.Auftrag("LGV Ausdruck");
  a.drucken = [&liste, &verein, druck](TDruckgeraet& g) {
    return DruckeBuchungsliste(liste, verein.FStammdaten, druck, g);
  };
  return UI().Drucken(a);
}

bool LgvDrucken(const TLGV& liste) {
  if (!PruefeDrucker()) return false;
  const TLGVKopf k = liste.Kopf();
  TfrmBuchungenDrucken d(liste.Anzahl(), k.Beschreibung1 + k.Beschreibung2);
  if (!DruckerBereit(d) || !UI().Dialog(d)) return false;
  TBuchungsdruck druck{d.FBeschreibung, d.Von(), d.Bis()};
  TDruckauftrag a = d.Auftrag("LGV Ausdruck");
  a.drucken = [&liste, druck](TDruckgeraet& g) { return DruckeLgv(liste, druck, g); };
  return UI().Drucken(a);
}

bool MitgliedDrucken(TZAQ& liste, TMitglied& m) {
  if (!PruefeDrucker()) return false;
  TDruckauftrag a;
  a.titel = "ZAQ Einzelausdruck";
  a.drucken = [&liste, &m](TDruckgeraet& g) { return DruckeMitglied(liste, m, g); };
  return UI().Drucken(a);
}

bool StammdatenDrucken(TZAQ& liste) {
  if (!PruefeDrucker()) return false;
  TDruckauftrag a;
  a.titel = "ZAQ Stammdatenausdruck";
  a.drucken = [&liste](TDruckgeraet& g) { return DruckeStammdaten(liste, g); };
  return UI().Drucken(a);
}

void DruckerEinrichten() {
  if (PruefeDrucker()) UI().DruckerEinrichten();
}

}  // namespace zaq
