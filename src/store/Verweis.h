#pragma once
// References find their targets again by key; they never own them.
#include <cstdint>
#include <string>

#include "store/DateiEA.h"
#include "store/Lebenszeichen.h"

namespace zaq {

class TZAQ;
class TMitglied;
class TBenutzer;

class TVerweis : public TDateiEA {
 public:
  explicit TVerweis(TZAQ* liste = nullptr) : FListe(liste) {}
  void StreamSchreiben(TZAQStream& s, std::uint32_t flags, bool& ok) const override;
  void FeldLesen(std::uint16_t id, TZAQStream& s, bool& ok, bool& unbekannt,
                 std::int32_t groesse) override;
  void ZuJson(Json& j) const override;

  TZAQ* FListe;
  double FZeit = 0;

 protected:
  virtual void EigeneFelderSchreiben(TZAQStream& s) const = 0;
  virtual bool EigenesFeldLesen(std::uint16_t id, TZAQStream& s, std::int32_t groesse) = 0;
  virtual void EigeneFelderZuJson(Json& j) const = 0;
};

class TVerweisMitgl : public TVerweis {
 public:
  explicit TVerweisMitgl(TZAQ* liste = nullptr, TMitglied* mitglied = nullptr);
  TVerweisMitgl(const TVerweisMitgl& q);
  TVerweisMitgl& operator=(const TVerweisMitgl& q);
  const char* KlassenName() const override { return "TVerweisMitgl"; }

  void Setze(TMitglied* mitglied);
  bool Passt(const TMitglied* mitglied) const;
  TMitglied* GetZiel();
  bool IstGesetzt() { return GetZiel() != nullptr; }

  std::uint16_t FNummer = 0;
  std::int32_t FGeburtsdatum = 0;

 protected:
  void EigeneFelderSchreiben(TZAQStream& s) const override;
  bool EigenesFeldLesen(std::uint16_t id, TZAQStream& s, std::int32_t groesse) override;
  void EigeneFelderZuJson(Json& j) const override;

 private:
  Zwischenspeicher<TMitglied> FZiel;
};

class TVerweisBen : public TVerweis {
 public:
  explicit TVerweisBen(TZAQ* liste = nullptr, TBenutzer* benutzer = nullptr);
  TVerweisBen(const TVerweisBen& q);
  TVerweisBen& operator=(const TVerweisBen& q);
  const char* KlassenName() const override { return "TVerweisBen"; }

  void Setze(TBenutzer* benutzer, bool mitZeit = true);
  bool Gleich(const TBenutzer* benutzer) const;
  TBenutzer* GetZiel();
  const TBenutzer* GetZiel() const { return const_cast<TVerweisBen*>(this)->GetZiel(); }
  bool IstGesetzt() const { return GetZiel() != nullptr; }

  std::string FLogin;
  std::uint16_t FBenutzerNr = 0;

 protected:
  void EigeneFelderSchreiben(TZAQStream& s) const override;
  bool EigenesFeldLesen(std::uint16_t id, TZAQStream& s, std::int32_t groesse) override;
  void EigeneFelderZuJson(Json& j) const override;

 private:
  Zwischenspeicher<TBenutzer> FZiel;
};

}  // namespace zaq
