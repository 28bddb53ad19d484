#pragma once
// The club's master data and the shared-server settings of a member file.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "store/BtrKlasse.h"
#include "store/DateiEA.h"
#include "store/Konto.h"
#include "store/TabVorlage.h"

namespace zaq {

class TZAQ;
class TVereinskonto;

inline constexpr int kGruppen = 32;

class TStammdaten : public TFeldDatensatz<TStammdaten> {
 public:
  explicit TStammdaten(TZAQ* liste = nullptr);
  const char* KlassenName() const override { return "TStammdaten"; }
  static std::span<const Feldbeschreibung<TStammdaten>> Felder();
  void StreamLesen(TZAQStream& s, std::int64_t groesse, bool& ok) override;

  void BerechneStichtage();
  const TVereinskonto* SucheVereinskonto(const std::string& schluessel) const;
  TVereinskonto* SucheVereinskonto(const std::string& schluessel);
  // Fields of a club account by key; empty when there is none.
  std::string KontoBezeichnung(const std::string& schluessel) const;
  std::string KontoBLZ(const std::string& schluessel) const;
  std::string KontoKontonummer(const std::string& schluessel) const;
  std::string KontoIBAN(const std::string& schluessel) const;
  std::string KontoBankname(const std::string& schluessel) const;
  std::string KontoGlaeubigerID(const std::string& schluessel) const;
  std::string KontoInhaber(const std::string& schluessel) const;
  // The first fee class with exactly this key; none for a blank key.
  const TBtrKlasse* SucheBtrKlasse(const std::string& schluessel) const { return FBtrKlassen.Suche(schluessel); }
  TBtrKlasse* SucheBtrKlasse(const std::string& schluessel) { return FBtrKlassen.Suche(schluessel); }
  // Fee statistics over all fee classes; sums in cents.
  void StatistikZuruecksetzen();
  std::int64_t StatistikSumme() const;
  std::int32_t StatistikAnzahl() const;

  std::string FVereinsname;
  std::string FVereinsPLZ;
  std::string FVereinsort;
  std::int32_t FGruendungsdatum = 0;
  std::string FVereinsnummern;
  std::uint8_t FJahresberechnung = 1;
  std::int32_t FJahresdatum1 = 36891;
  std::int32_t FJahresdatum2 = 36891;
  std::int32_t FJahresdatum3 = 40543;
  std::string FGeburtstage = "65;70;75;80;85;90;95;100;105";
  std::string FEhrungen = "10;25;40;50;60;70;80;90;100";
  std::uint8_t FGeburtstagsJahre = 2;
  std::uint8_t FBeitragsberechnung = 1;
  std::int32_t FBeitragsdatum1 = 36891;
  std::int32_t FBeitragsdatum2 = 36891;
  std::int32_t FBeitragsdatum3 = 40543;
  std::string FZweckVorlage = "Beitrag %Jahre%";
  TVereinskontenListe FVereinskonten;
  TBtrKlassenListe FBtrKlassen;
  TTabVorlagenListe FTabVorlagen;
  std::uint8_t FGruppenAnzahl = 8;
  std::array<std::string, kGruppen> FGruppenname;

  // Run-time.
  std::int32_t FAlterStichtag = 0;
  std::int32_t FBeitragStichtag = 0;
  TZAQ* FListe;
};

// Reads the master data of an older member file from its additional file.
// False when a fee class held a number that does not fit; everything else
// has been read.
bool LeseZusatzdatei(const std::string& datei, TZAQ& liste);
// A club account from the additional file's section "KSL" + key.
void LadeAusIni(TVereinskonto& konto, const std::string& datei, const std::string& schluessel);

class TFtpDaten : public TFeldDatensatz<TFtpDaten> {
 public:
  explicit TFtpDaten(TZAQ* liste = nullptr) : FListe(liste) {}
  const char* KlassenName() const override { return "TFtpDaten"; }
  static std::span<const Feldbeschreibung<TFtpDaten>> Felder();
  void StreamSchreiben(TZAQStream& s, std::uint32_t flags, bool& ok) const override;

  bool HatZugangsdaten() const;
  bool IstAktiv() const;
  bool IstAusgespeichert() const;
  void SetzeAusgespeichert(const std::string& login);
  std::string Serverdateiname(const std::string& erweiterung) const;
  void NeuerSchluessel();
  void SchluesselEntfernen();
  std::uint32_t SchluesselPruefwert() const;

  std::string FServer;
  std::string FFtpBenutzer;
  std::string FFtpKennwort;
  std::string FServerDatei;
  bool FDeaktiviert = false;
  std::string FAusgespeichertVon;
  double FLetzteAktualisierung = 0;
  std::string FUploadVon;
  double FUploadZeit = 0;
  std::string FUploadVersion;
  std::int16_t FArchivTage = 730;
  double FSchluesselZeit = 0;
  Bytes FSchluessel;

  TZAQ* FListe;
};

std::uint32_t CRC32(const Bytes& daten);

}  // namespace zaq
