#include "views/Tabellenfenster.h"

#include <algorithm>
#include <cmath>

#include "interaction/Einstellungen.h"
#include "lists/Selektion.h"
#include "store/ZAQ.h"
#include "views/Druckdialoge.h"
#include "views/Sortieren.h"
#include "views/Tabellenvorlage.h"

namespace zaq {

TfrmTab::TfrmTab(std::shared_ptr<TTabelle> tabelle) : FTabelle(std::move(tabelle)) {}

bool TfrmTab::Eigenschaften() {
  if (!MitListe()) return false;
  const auto& stamm = FTabelle->Liste()->FStammdaten;
  std::vector<std::string> gruppen(stamm.FGruppenname.begin(),
                                   stamm.FGruppenname.begin() + std::min<int>(stamm.FGruppenAnzahl, kGruppen));
  const int modus = FTabelle->Filtertabelle() ? TfrmZAQBenutzerTab::mdFilter : TfrmZAQBenutzerTab::mdTabelle;
  if (!BearbeiteVorlage(FTabelle->Vorlage(), modus, gruppen)) return false;
  FTabelle->Aufbauen();
  return true;
}

bool TfrmTab::MitgliederSelektion() {
  if (!MitListe() || !GesamtSelektion(*FTabelle->Liste())) return false;
  FTabelle->Aufbauen();
  return true;
}

bool TfrmTab::Sortiere(int nummer) {
  if (!MitListe()) return false;
  Sortierschluessel schluessel = FTabelle->Vorlage().FSortierung;
  if (!SortierSchluessel(nummer, schluessel)) return false;
  FTabelle->SortiereNach(schluessel);
  return true;
}

bool TfrmTab::Schrift(bool kopf) {
  TFormat& format = kopf ? FTabelle->Vorlage().FKopfFormat : FTabelle->Vorlage().FTabellenFormat;
  TSchriftDialog d(format.Schrift());
  if (!UI().Dialog(d)) return false;
  format.SetzeSchrift(d.FSchrift);
  if (FTabelle->Fuellen()) FTabelle->Spaltenbreiten();
  return true;
}

bool TfrmTab::Drucken() { return TabelleDrucken(*FTabelle); }

void TfrmTab::Ausblenden(int erste, int letzte) {
  if (MitListe()) FTabelle->SpaltenAusblenden(erste, letzte);
}

namespace {
bool An(Einstellung e) { return LeseEinstellung(e) == "1"; }
void Setze(Einstellung e, bool an) { SchreibeEinstellungZahl(e, an ? 1 : 0); }
}  // namespace

bool TfrmTab::SpaltenSkalieren() { return An(esSpaltenSkalieren); }
void TfrmTab::SetzeSpaltenSkalieren(bool an) { Setze(esSpaltenSkalieren, an); }
bool TfrmTab::HorizontaleLinien() { return An(esGitternetzX); }
void TfrmTab::SetzeHorizontaleLinien(bool an) { Setze(esGitternetzX, an); }
bool TfrmTab::VertikaleLinien() { return An(esGitternetzY); }
void TfrmTab::SetzeVertikaleLinien(bool an) { Setze(esGitternetzY, an); }
bool TfrmTab::DruckrandZeigen() { return An(esSeitenrandZeigen); }
void TfrmTab::SetzeDruckrandZeigen(bool an) { Setze(esSeitenrandZeigen, an); }

void TfrmTab::GroesseBeginnt(int innenbreite) {
  FStartbreite = innenbreite;
  FStartbreiten = FTabelle->Breiten();
}

void TfrmTab::GroesseAendert(int innenbreite, bool minimiert) {
  // A change without a recorded start (maximizing) leaves the widths.
  if (FStartbreiten.empty() || FStartbreite <= 0 || minimiert || !SpaltenSkalieren()) return;
  for (std::size_t i = 0; i < FStartbreiten.size(); ++i) {
    const auto breite = static_cast<std::int64_t>(innenbreite) * FStartbreiten[i] / FStartbreite;
    FTabelle->SetzeBreite(static_cast<int>(i), static_cast<int>(std::max<std::int64_t>(30, breite)));
  }
}

TfrmZAQTabEhrung::TfrmZAQTabEhrung(Tag heute, int selektiert) : FSelektiert(selektiert) {
  const Datum d = ZerlegeDatum(heute);
  FJahr = d.jahr;
  FDatum = KodiereDatum(d.monat >= 7 ? FJahr + 1 : FJahr, 12, 31);
  FNurSelektierte = selektiert > 0 && LeseEinstellung(esJubiListenSelektiert) == "1";
}

std::string TfrmZAQTabEhrung::KnopfText(int i) const { return "Dezember " + std::to_string(FJahr + i); }

void TfrmZAQTabEhrung::Knopf(int i) { FDatum = KodiereDatum(FJahr + i, 12, 31); }

void TfrmZAQTabEhrung::Bestaetigen() {
  if (!NurSelektierteMoeglich()) FNurSelektierte = false;
  SchreibeEinstellungZahl(esSelektion, FNurSelektierte ? 1 : 0);
}

}  // namespace zaq
