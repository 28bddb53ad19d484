// The fee menu: opening and creating booking lists, the test run,
// collecting fees and special bookings (their lists go to the SEPA window),
// the fee check and the invoices.
#include "interaction/Warten.h"
#include "lists/Selektion.h"
#include "platform/Plattform.h"
#include "store/ZAQ.h"
#include "views/Einzug.h"
#include "views/Hauptfenster.h"

namespace zaq {

TfrmSEPA& TfrmZAQ::NeuesSepaFenster() {
  if (FSepa) FSepa->Liste().Schliessen();
  if (!FSepa || &FSepa->Verein() != Liste()) {
    FSepa = std::make_shared<TfrmSEPA>(*Liste());
    FSepa->BeimSchliessen = [this] {
      FSEPAOffen = false;
      Darstellen();
    };
    FSepa->AktuellesMitglied = [this] { return AktuellesMitglied(); };
  }
  return *FSepa;
}

void TfrmZAQ::ZeigeSepa() {
  FSEPAOffen = true;
  UI().Fenster(FSepa);
  Darstellen();
}

void TfrmZAQ::ZeigeSepa(const TSammelErgebnis& e) {
  FSepa->ZeigeListe();
  FSepa->FBefunde = e.Befunde;
  ZeigeSepa();
}

bool TfrmZAQ::MenueSichtbar(Menue menue) const {
  switch (menue) {
    case Menue::mnuLSV: return !FSEPAOffen && !FLGVOffen;
    case Menue::mnuSEPAWechsel: return FSEPAOffen;
    case Menue::mnuLGVWechsel: return FLGVOffen;
    default:
      for (const TMenue& m : Menues())
        if (m.id == menue) return m.sichtbar;
      return true;
  }
}

void TfrmZAQ::mnuSEPAWechselClick() {
  if (FSEPAOffen && FSepa) UI().Fenster(FSepa);
}

void TfrmZAQ::mnuLGVWechselClick() {
  if (FLGVOffen && FLgv) UI().Fenster(FLgv);
}

void TfrmZAQ::mnuLSVLGVOeffnenClick() {
  if (FLgv && FLGVOffen) {
    UI().Fenster(FLgv);
    return;
  }
  auto lgv = std::make_shared<TfrmLGV>(*Liste());
  if (!lgv->OeffnenDialog()) return;
  lgv->BeimSchliessen = [this] {
    FLGVOffen = false;
    FLgv.reset();
    Darstellen();
  };
  FLgv = lgv;
  FLGVOffen = true;
  UI().Fenster(FLgv);
  Darstellen();
}

void TfrmZAQ::mnuLSVOeffnenClick() {
  if (NeuesSepaFenster().OeffnenDialog()) ZeigeSepa();
}

void TfrmZAQ::mnuLSVNeuClick() {
  if (NeuesSepaFenster().Neu()) ZeigeSepa();
}

void TfrmZAQ::AlleMitgliedsbeitrgeberprfen1Click() {
  if (!FBeitragspruefung || &FBeitragspruefung->Liste() != Liste())
    FBeitragspruefung = std::make_shared<TfrmBeitragspruefung>(*Liste(), Heute());
  UI().Fenster(FBeitragspruefung);
}

void TfrmZAQ::mnuLSVRechnungenClick() {
  TfrmRechnungsAssistent assistent(*Liste(), Heute());
  if (UI().Dialog(assistent) && assistent.Fertig()) assistent.Ausfuehren();
  AktualisiereAnzeige(true);
}

void TfrmZAQ::mnuLSVTestlaufClick() {
  TZAQ& verein = *Liste();
  const int antwort = FrageNurSelektierte(verein);
  Darstellen();
  if (antwort == 0) return;
  TSepa& liste = NeuesSepaFenster().Liste();
  if (!liste.Anlegen(verein.Verzeichnis() + "Testlauf Beitragseinzug.slv")) return;
  TSepaSammelOptionen o;
  o.Vorlage = "Testlauf";
  o.Kontoschluessel = "TEST";
  o.VollesJahr = true;
  o.NurSelektierte = antwort == 2;
  const TSammelErgebnis e = Einzugslauf(liste, verein, o, "Testlauf für Beitragseinzug", 2, Heute(),
                                        "Erstelle Buchungsliste");
  if (e.Buchungen > 0) ZeigeSepa(e);
  AktualisiereAnzeige(true);
}

void TfrmZAQ::Einziehen(bool sonder) {
  TZAQ& verein = *Liste();
  TfrmSEPAAssistent assistent(verein, sonder, Heute());
  if (!UI().Dialog(assistent) || !assistent.Fertig()) {
    AktualisiereAnzeige(true);
    return;
  }
  TSepa& liste = NeuesSepaFenster().Liste();
  const std::string vorschlag = assistent.FBeschreibung + " - " + assistent.Kontoschluessel();
  if (!NeueListeAnlegen(liste, vorschlag, verein.Verzeichnis())) return;
  const TSammelErgebnis e =
      Einzugslauf(liste, verein, assistent.Optionen(), assistent.FBeschreibung, sonder ? 0 : 2, Jetzt() + 3,
                  sonder ? "Erstelle Sonderbeiträge" : "Erstelle Mitgliedsbeiträge");
  if (e.Buchungen > 0) ZeigeSepa(e);
  AktualisiereAnzeige(true);
}

}  // namespace zaq
