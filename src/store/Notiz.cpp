#include "store/Notiz.h"

#include "store/Benutzer.h"
#include "store/ZAQ.h"

namespace zaq {

TNotiz::TNotiz(TZAQ* liste) : FVerfasser(liste), FBearbeiter(liste) {}

TNotiz& TNotiz::operator=(const TNotiz& q) {
  if (this == &q) return *this;
  TDateiEA::operator=(q);
  // A copy names the users as they resolve now; a user who is gone leaves it
  // empty.  The time stays: it records when the note was written, not copied.
  auto umsetzen = [](TVerweisBen& ziel, const TVerweisBen& quelle) {
    TBenutzer* benutzer = const_cast<TVerweisBen&>(quelle).GetZiel();
    ziel.Setze(benutzer, false);
    ziel.FZeit = benutzer ? quelle.FZeit : 0;
  };
  umsetzen(FVerfasser, q.FVerfasser);
  umsetzen(FBearbeiter, q.FBearbeiter);
  FBetreff = q.FBetreff;
  FTermin = q.FTermin;
  FBreite = q.FBreite;
  FHoehe = q.FHoehe;
  FInhalt = q.FInhalt;
  return *this;
}

std::span<const Feldbeschreibung<TNotiz>> TNotiz::Felder() {
  using N = TNotiz;
  static const Feldbeschreibung<N> felder[] = {
      {10, "FArt", &N::FArt},
      {20, "FBetreff", &N::FBetreff},
      {30, "FTermin", &N::FTermin},
      {40, "FInhalt", &N::FInhalt},
      {50, "FBreite", &N::FBreite},
      {60, "FHoehe", &N::FHoehe},
      {200, "FVerfasser", Unterfeld<N>{[](const N& n) -> const TDateiEA& { return n.FVerfasser; }}},
      {210, "FBearbeiter", Unterfeld<N>{[](const N& n) -> const TDateiEA& { return n.FBearbeiter; }}},
  };
  return felder;
}

void TNotiz::SetzeListe(TZAQ* liste) {
  FVerfasser.FListe = liste;
  FBearbeiter.FListe = liste;
}

void TNotizListe::SetzeListe(TZAQ* liste) {
  SetzeErzeuger([liste] { return std::make_unique<TNotiz>(liste); });
  for (auto& n : *this) n->SetzeListe(liste);
}

}  // namespace zaq
