#include "views/Mitgliederdialoge.h"

#include "base/Datum.h"
#include "base/Text.h"
#include "interaction/Zeichenpruefung.h"
#include "store/ZAQ.h"

namespace zaq {

TLoeschDialog::TLoeschDialog(const TMitglied& m, bool alle) {
  if (alle) {
    FText = "Hiermit werden alle selektierten Mitglieder gelöscht.";
    FBitte = "Bitte wählen Sie, ob die Mitglieder sofort gelöscht werden sollen, oder geben Sie ein "
             "Austrittsdatum für späteres Löschen an!";
  } else {
    FText = "Hiermit wird " + m.NameAnzeige() + " gelöscht.";
    FBitte = "Bitte wählen Sie, ob das Mitglied sofort gelöscht werden soll, oder geben Sie ein "
             "Austrittsdatum für späteres Löschen an!";
  }
  FDatum = DatumText(m.FAustrittsdatum > 0 ? m.FAustrittsdatum : Jahresende());
  FBegruendung = m.FAustrittsgrund;
  FWiderrufenMoeglich = !alle && m.FAustrittsdatum > 0;
}

std::vector<std::string> TLoeschDialog::Gruende() { return {"Austritt", "Ausschluß", "Todesfall"}; }

std::vector<std::string> TLoeschDialog::Datumsvorschlaege() {
  Datum d = ZerlegeDatum(Heute());
  std::vector<std::string> tage;
  for (int i = 0; i < 25; ++i) {
    int monat = (d.monat - 1 + i) % 12 + 1, jahr = d.jahr + (d.monat - 1 + i) / 12;
    Tag erster = monat == 12 ? KodiereDatum(jahr + 1, 1, 1) : KodiereDatum(jahr, monat + 1, 1);
    tage.push_back(DatumText(erster - 1));
  }
  return tage;
}

bool TLoeschDialog::Druecke(Knopf knopf) {
  if ((knopf == Knopf::Sofort || knopf == Knopf::NachAustrittsdatum) && !IstDatum(FDatum)) {
    Meldung("Ungültiges oder kein Austrittsdatum angegeben.", MeldungsArt::Fehler);
    return false;
  }
  if (knopf == Knopf::Widerrufen && !FWiderrufenMoeglich) return false;
  if ((knopf == Knopf::Sofort || knopf == Knopf::NachAustrittsdatum) && !Speicherbar(FBegruendung, "Begründung"))
    return false;
  FKnopf = knopf;
  return true;
}

TNummerDialog::TNummerDialog(TMitglied& aktuell) : FListe(*aktuell.Liste()), FAktuell(aktuell) {
  FAlt = FNeu = aktuell.MitgliedsnummerText();
}

void TNummerDialog::SetzeGlobal(bool global) {
  FGlobal = global;
  if (!global) FAlt = FAktuell.MitgliedsnummerText();
}

bool TNummerDialog::Ausfuehren() {
  auto alt = ZuZahl(FAlt), neu = ZuZahl(FNeu);
  if (!alt || !neu || *alt < 0 || *alt > 65535 || *neu < 0 || *neu > 65535 || !NurZiffern(Trim(FAlt)) ||
      !NurZiffern(Trim(FNeu))) {
    Meldung("Ungültige Mitliedsnummer.", MeldungsArt::Fehler);
    return false;
  }
  if (*neu < 1 || *neu > 9999) {
    Meldung("Die Mitgliedsnummer muß im Bereich von 1 bis 9999 liegen.", MeldungsArt::Warnung);
    return false;
  }
  if (FListe.SucheNummer(static_cast<std::uint16_t>(*neu))) {
    Meldung("Die Mitgliedsnummer " + Trim(FNeu) + " ist bereits vergeben.", MeldungsArt::Warnung);
    return false;
  }
  if (FGlobal) {
    TMitglied* m = FListe.SucheNummer(static_cast<std::uint16_t>(*alt));
    FErgebnis = m ? FListe.AendereMitgliedsnummer(*m, static_cast<std::uint16_t>(*neu), true) : 0;
  } else {
    FErgebnis = FListe.AendereMitgliedsnummer(FAktuell, static_cast<std::uint16_t>(*neu), false);
  }
  if (FErgebnis == 0) {
    Meldung("Die Mitgliedsnummer konnte nicht geändert werden.", MeldungsArt::Warnung);
    return false;
  }
  if (FErgebnis == 1) Meldung("Die Mitgliedsnummer wurde bei einem Mitglied geändert.", MeldungsArt::Information);
  else Meldung("Die Mitgliedsnummer wurde bei " + std::to_string(FErgebnis) + " Mitgliedern geändert.",
               MeldungsArt::Information);
  return true;
}

}  // namespace zaq
