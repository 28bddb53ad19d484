#pragma once
// A user of one member file: login, password hash, rights, picture.
#include <array>
#include <cstdint>
#include <string>

#include "store/DateiEA.h"
#include "store/Lebenszeichen.h"

namespace zaq {

// Rights bits.
enum Recht : std::uint32_t {
  rOnline = 0x1,
  rPersoenlicheEinstellungen = 0x2,
  rNotizenAnzeigen = 0x4,
  rFremdeAufgabenAnzeigen = 0x8,
  rNotizenBearbeiten = 0x10,
  rFormulareAnzeigen = 0x20,
  rFormulareBearbeiten = 0x40,
  rPersoenlicheDaten = 0x80,
  rGruppen = 0x100,
  rBeitragsdatenAnzeigen = 0x200,
  rBeitragsdatenBearbeiten = 0x400,
  rMitgliederHinzufuegen = 0x800,
  rMassenaenderung = 0x1000,
  rArchiv = 0x2000,
  rBeitragseinzug = 0x4000,
  rStammdaten = 0x8000,
  rDateieinstellungen = 0x10000,
  rMassenaenderung2 = 0x20000,
  rFtpEinstellungen = 0x40000,
  rJeder = 0x80000,  // never stored: every user has it in every check
  rOhneAusspeichern = 0x100000,
};
inline constexpr std::uint32_t kAlleRechte = 0x1FFFFF;
inline constexpr std::uint32_t kStandardKennwortAktionen = 0x39D80;

// The rights as the user administration lists them.
struct RechtText {
  std::uint32_t maske;
  const char* text;
};
std::span<const RechtText> RechteTexte();

using Hash = std::array<std::uint8_t, 16>;

// FBildNr of a user with a picture of his own.
inline constexpr std::uint8_t kEigenesBild = 255;

// MD5 of the Windows-1252 bytes of password + login.
Hash KennwortHash(const std::string& kennwort, const std::string& login);

// Stores the automatic login in the settings ("Auto-Login", "Auto-Hash");
// false, and nothing stored, for a login or password the file's character
// set cannot hold (such a password would be the same as "?" in its place).
bool SpeichereAutomatischeAnmeldung(const std::string& login, const std::string& kennwort);

class TBenutzer : public TFeldDatensatz<TBenutzer> {
 public:
  explicit TBenutzer(const std::string& login = "");
  const char* KlassenName() const override { return "TBenutzer"; }
  static std::span<const Feldbeschreibung<TBenutzer>> Felder();

  // False, and the old password kept, for characters the file cannot hold.
  bool SetzeKennwort(const std::string& kennwort);
  // A password stored before such characters were refused was hashed with
  // "?" in their place; typing it still logs in.
  bool PruefeKennwort(const std::string& kennwort) const;
  bool HatKennwort() const { return !PruefeKennwort(""); }
  bool VergleicheHash(const Bytes& hash) const;
  bool IstAdministrator() const;
  bool IstGueltig(std::int32_t stichtag) const;
  bool HatRecht(std::uint32_t m1, std::uint32_t m2 = 0, std::uint32_t m3 = 0,
                std::uint32_t m4 = 0) const;
  bool VerlangtKennwort(std::uint32_t maske) const { return (FKennwortAktionen & maske) != 0; }
  bool SetzeBild(int nummer);
  bool LadeBild(const std::string& dateiname);
  std::string NameFunktion() const;

  std::string FLogin;
  Hash FKennwortHash{};
  std::uint16_t FBenutzerNr = 0;
  std::string FVollerName;
  std::string FFunktion;
  std::uint8_t FBildNr = 0;
  Bytes FBild;
  std::int32_t FGueltigBis = 0;
  std::uint32_t FRechte = kAlleRechte;
  std::uint32_t FKennwortAktionen = kStandardKennwortAktionen;

  Lebenszeichen FLebt;
};

class TBenutzerListe : public TListe<TBenutzer> {
 public:
  const char* KlassenName() const override { return "TBenutzerListe"; }
};

}  // namespace zaq
