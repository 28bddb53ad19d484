#include "views/Tabellenvorlage.h"

#include <algorithm>

#include "base/Text.h"
#include "store/Mitglied.h"

namespace zaq {

namespace {

std::string Eintragstext(std::int32_t art) {
  std::string nummer = std::to_string(art);
  return std::string(3 - std::min<std::size_t>(3, nummer.size()), '0') + nummer + ";" +
         TMitglied::SpaltenTitel(art, false);
}

}  // namespace

TfrmZAQBenutzerTab::TfrmZAQBenutzerTab(const TTabVorlage& vorlage, int modus, std::vector<std::string> gruppennamen)
    : FKopie(vorlage), FModus(modus), FGruppennamen(modus == mdProgramm ? std::vector<std::string>{} : std::move(gruppennamen)) {
  for (std::int32_t art = 0; art <= kHoechsteSpalte; ++art)
    if (TMitglied::SpaltenTitel(art, false) != "?") FVerfuegbar.push_back({art, Eintragstext(art), IstGruppenkopf(art)});
  for (std::size_t i = 0; i < FGruppennamen.size(); ++i)
    FGruppen.push_back(i < 32 && (FKopie.FGruppen >> i & 1) != 0);
  FTitel = FKopie.FTitel;
  FAbteilungen = FKopie.FAbteilungen;
  FBezugsdatum = FKopie.FBezugsdatum;
  for (int b = 0; b < kTabFilter; ++b) FKriterien[static_cast<std::size_t>(b)] = (FKopie.FFilter >> b & 1) != 0;
  for (std::size_t j = 0; j < 3; ++j) {
    const int index = j < FKopie.FSortierung.size() ? SortierIndex(FKopie.FSortierung[j]) : -1;
    FSortWahl[j] = index < 0 ? kSortierArten : index;
    FAbsteigend[j] = index >= 0 && FKopie.FSortierung[j] < 0;
  }
  const std::uint8_t d = FKopie.FDruckOptionen;
  if (d & tdVorlagenSchrift) FProgrammSchrift = false;
  if (d & tdProgrammSchrift) FProgrammSchrift = true;
  if (d & tdNichtSkalieren) FSkalierung = skNicht;
  if (d & tdVerkleinern) FSkalierung = skVerkleinern;
  if (d & tdAnpassen) FSkalierung = skAnpassen;
  // The columns in order; a kind that is not available (a heading, a number
  // without heading, or one already chosen) drops out.
  for (std::int32_t art : FKopie.FSpalten) {
    auto it = std::find_if(FVerfuegbar.begin(), FVerfuegbar.end(),
                           [art](const Eintrag& e) { return e.art == art && !e.kopf; });
    if (it != FVerfuegbar.end()) Waehle(static_cast<int>(it - FVerfuegbar.begin()));
  }
}

std::string TfrmZAQBenutzerTab::Titel() const {
  switch (FModus) {
    case mdProgramm: return "Programmtabellenvorlage bearbeiten";
    case mdVerein: return "Vereinstabellenvorlage bearbeiten";
    case mdTabelle: return "Tabelleneigenschaften";
    default: return "Eigenschaften der Filtertabelle";
  }
}

bool TfrmZAQBenutzerTab::Waehle(int i, int ziel) {
  if (i < 0 || i >= static_cast<int>(FVerfuegbar.size()) || FVerfuegbar[static_cast<std::size_t>(i)].kopf) return false;
  const Eintrag e = FVerfuegbar[static_cast<std::size_t>(i)];
  FVerfuegbar.erase(FVerfuegbar.begin() + i);
  const int n = static_cast<int>(FGewaehlt.size());
  FGewaehlt.insert(FGewaehlt.begin() + (ziel < 0 || ziel > n ? n : ziel), e);
  return true;
}

bool TfrmZAQBenutzerTab::Entferne(int i) {
  if (i < 0 || i >= static_cast<int>(FGewaehlt.size())) return false;
  const Eintrag e = FGewaehlt[static_cast<std::size_t>(i)];
  FGewaehlt.erase(FGewaehlt.begin() + i);
  auto platz = std::lower_bound(FVerfuegbar.begin(), FVerfuegbar.end(), e,
                                [](const Eintrag& a, const Eintrag& b) { return a.text < b.text; });
  FVerfuegbar.insert(platz, e);
  return true;
}

bool TfrmZAQBenutzerTab::Verschiebe(int von, int luecke) {
  const int n = static_cast<int>(FGewaehlt.size());
  if (von < 0 || von >= n || luecke < 0 || luecke > n) return false;
  const Eintrag e = FGewaehlt[static_cast<std::size_t>(von)];
  FGewaehlt.erase(FGewaehlt.begin() + von);
  if (luecke > von) --luecke;
  FGewaehlt.insert(FGewaehlt.begin() + luecke, e);
  return true;
}

int TfrmZAQBenutzerTab::NaechsteLuecke(int y, int zeilenhoehe, int zeilen) {
  if (zeilenhoehe <= 0 || y <= 0) return 0;
  const int luecke = (y + zeilenhoehe / 2) / zeilenhoehe;
  return std::min(luecke, zeilen);
}

std::vector<std::string> TfrmZAQBenutzerTab::SortierAuswahl() {
  std::vector<std::string> texte;
  for (int i = 0; i < kSortierArten; ++i) texte.emplace_back(SortierText(i));
  texte.emplace_back(kKeineSortierung);
  return texte;
}

void TfrmZAQBenutzerTab::KopfSchrift() {
  TSchriftDialog d(FKopie.FKopfFormat.Schrift());
  if (UI().Dialog(d)) FKopie.FKopfFormat.SetzeSchrift(d.FSchrift);
}

void TfrmZAQBenutzerTab::TabellenSchrift() {
  TSchriftDialog d(FKopie.FTabellenFormat.Schrift());
  if (UI().Dialog(d)) FKopie.FTabellenFormat.SetzeSchrift(d.FSchrift);
}

void TfrmZAQBenutzerTab::Uebernehmen() {
  FKopie.FTitel = Trim(FTitel);
  FKopie.FAbteilungen = Trim(FAbteilungen);
  FKopie.FBezugsdatum = FBezugsdatum;
  FKopie.FFilter = 0;
  for (int b = 0; b < kTabFilter; ++b)
    if (FKriterien[static_cast<std::size_t>(b)]) FKopie.FFilter = static_cast<std::uint8_t>(FKopie.FFilter | 1u << b);
  for (std::size_t i = 0; i < FGruppen.size() && i < 32; ++i) {
    const std::uint32_t bit = 1u << i;
    FKopie.FGruppen = FGruppen[i] ? FKopie.FGruppen | bit : FKopie.FGruppen & ~bit;
  }
  std::vector<std::int32_t> schluessel;
  for (std::size_t j = 0; j < 3; ++j) {
    const std::int32_t art = SortierArt(FSortWahl[j]);
    schluessel.push_back(FAbsteigend[j] ? -art : art);
  }
  if (std::all_of(schluessel.begin(), schluessel.end(), [](std::int32_t k) { return k == 0; })) schluessel.clear();
  FKopie.FSortierung = schluessel;
  const std::uint8_t skalierung = FSkalierung == skNicht ? tdNichtSkalieren
                                  : FSkalierung == skAnpassen ? tdAnpassen
                                                              : tdVerkleinern;
  FKopie.FDruckOptionen = static_cast<std::uint8_t>((FProgrammSchrift ? tdProgrammSchrift : tdVorlagenSchrift) | skalierung);
  FKopie.FSpalten.clear();
  for (const Eintrag& e : FGewaehlt) FKopie.FSpalten.push_back(e.art);
}

bool BearbeiteVorlage(TTabVorlage& vorlage, int modus, const std::vector<std::string>& gruppennamen) {
  TfrmZAQBenutzerTab dialog(vorlage, modus, gruppennamen);
  if (!UI().Dialog(dialog)) return false;
  dialog.Uebernehmen();
  vorlage = dialog.Kopie();
  return true;
}

std::optional<std::string> BearbeiteProgrammvorlage(const std::string& zeile) {
  TTabVorlage vorlage;
  vorlage.LeseZeile(zeile);
  if (!BearbeiteVorlage(vorlage, TfrmZAQBenutzerTab::mdProgramm)) return std::nullopt;
  return vorlage.SchreibeZeile();
}

}  // namespace zaq
