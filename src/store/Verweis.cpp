#include "store/Verweis.h"

#include "base/Datum.h"
#include "store/Benutzer.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"

namespace zaq {

void TVerweis::StreamSchreiben(TZAQStream& s, std::uint32_t flags, bool& ok) const {
  SchreibeDouble(s, FZeit, 10);
  EigeneFelderSchreiben(s);
  TDateiEA::StreamSchreiben(s, flags, ok);
}

void TVerweis::FeldLesen(std::uint16_t id, TZAQStream& s, bool&, bool& unbekannt,
                         std::int32_t groesse) {
  if (id == 10) LeseDouble(s, FZeit, groesse);
  else if (!EigenesFeldLesen(id, s, groesse)) unbekannt = true;
}

void TVerweis::ZuJson(Json& j) const {
  j = Json::object();
  j["FZeit"] = FZeit;
  EigeneFelderZuJson(j);
  UnbekannteZuJson(j);
}

// --- member references ---

TVerweisMitgl::TVerweisMitgl(TZAQ* liste, TMitglied* mitglied) : TVerweis(liste) {
  if (mitglied) Setze(mitglied);
}

TVerweisMitgl::TVerweisMitgl(const TVerweisMitgl& q)
    : TVerweis(q), FNummer(q.FNummer), FGeburtsdatum(q.FGeburtsdatum) {}

TVerweisMitgl& TVerweisMitgl::operator=(const TVerweisMitgl& q) {
  if (this != &q) {
    TDateiEA::operator=(q);
    FZeit = q.FZeit;
    FNummer = q.FNummer;
    FGeburtsdatum = q.FGeburtsdatum;
    FZiel.Leeren();
  }
  return *this;
}

void TVerweisMitgl::Setze(TMitglied* mitglied) {
  if (!mitglied) {
    FNummer = 0;
    FGeburtsdatum = 0;
    FZeit = 0;
    FZiel.Leeren();
    return;
  }
  FNummer = mitglied->FMitgliedsnummer;
  FGeburtsdatum = mitglied->FGeburtsdatum;
  FZeit = OhneMillisekunden(Jetzt());
  FZiel.Setze(mitglied);
}

bool TVerweisMitgl::Passt(const TMitglied* mitglied) const {
  return mitglied && mitglied->FMitgliedsnummer == FNummer &&
         mitglied->FGeburtsdatum == FGeburtsdatum;
}

TMitglied* TVerweisMitgl::GetZiel() {
  if (FNummer == 0) return nullptr;
  TMitglied* ziel = FZiel.Get();
  // Archived or detached members are never targets.
  if (ziel && (ziel->ImArchiv() || !ziel->InListe() || ziel->Liste() != FListe)) ziel = nullptr;
  if (!Passt(ziel)) ziel = FListe ? FListe->SucheNummer(FNummer) : nullptr;
  if (!Passt(ziel)) ziel = nullptr;
  FZiel.Setze(ziel);
  return ziel;
}

void TVerweisMitgl::EigeneFelderSchreiben(TZAQStream& s) const {
  SchreibeInt16(s, FNummer, 200);
  SchreibeInt32(s, FGeburtsdatum, 210);
}

bool TVerweisMitgl::EigenesFeldLesen(std::uint16_t id, TZAQStream& s, std::int32_t groesse) {
  if (id == 200) LeseInt16(s, FNummer, groesse);
  else if (id == 210) LeseInt32(s, FGeburtsdatum, groesse);
  else return false;
  return true;
}

void TVerweisMitgl::EigeneFelderZuJson(Json& j) const {
  j["FNummer"] = FNummer;
  j["FGeburtsdatum"] = FGeburtsdatum;
}

// --- user references ---

TVerweisBen::TVerweisBen(TZAQ* liste, TBenutzer* benutzer) : TVerweis(liste) {
  if (benutzer) Setze(benutzer);
}

TVerweisBen::TVerweisBen(const TVerweisBen& q) : TVerweis(q), FLogin(q.FLogin), FBenutzerNr(q.FBenutzerNr) {}

TVerweisBen& TVerweisBen::operator=(const TVerweisBen& q) {
  if (this != &q) {
    TDateiEA::operator=(q);
    FZeit = q.FZeit;
    FLogin = q.FLogin;
    FBenutzerNr = q.FBenutzerNr;
    FZiel.Leeren();
  }
  return *this;
}

void TVerweisBen::Setze(TBenutzer* benutzer, bool mitZeit) {
  if (!benutzer) {
    FLogin.clear();
    FBenutzerNr = 0;
    FZeit = 0;
    FZiel.Leeren();
    return;
  }
  FLogin = benutzer->FLogin;
  FBenutzerNr = benutzer->FBenutzerNr;
  if (mitZeit) FZeit = OhneMillisekunden(Jetzt());
  FZiel.Setze(benutzer);
}

bool TVerweisBen::Gleich(const TBenutzer* benutzer) const {
  return benutzer && benutzer->FLogin == FLogin && benutzer->FBenutzerNr == FBenutzerNr;
}

TBenutzer* TVerweisBen::GetZiel() {
  if (FBenutzerNr == 0) return nullptr;
  TBenutzer* ziel = FZiel.Get();
  if (!Gleich(ziel)) ziel = FListe ? FListe->SucheBenutzer(FLogin, FBenutzerNr) : nullptr;
  FZiel.Setze(ziel);
  return ziel;
}

void TVerweisBen::EigeneFelderSchreiben(TZAQStream& s) const {
  SchreibeText(s, FLogin, 400);
  SchreibeInt16(s, FBenutzerNr, 410);
}

bool TVerweisBen::EigenesFeldLesen(std::uint16_t id, TZAQStream& s, std::int32_t groesse) {
  if (id == 400) LeseText(s, FLogin, groesse);
  else if (id == 410) LeseInt16(s, FBenutzerNr, groesse);
  else return false;
  return true;
}

void TVerweisBen::EigeneFelderZuJson(Json& j) const {
  j["FLogin"] = FLogin;
  j["FBenutzerNr"] = FBenutzerNr;
}

}  // namespace zaq
