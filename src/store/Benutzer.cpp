#include "store/Benutzer.h"

#include <random>

#include "base/Datum.h"
#include "base/Hex.h"
#include "base/Text.h"
#include "interaction/Einstellungen.h"
#include "interaction/Warten.h"
#include "platform/Kodierung.h"
#include "store/Bild.h"

namespace zaq {

std::span<const RechtText> RechteTexte() {
  static const RechtText texte[] = {
      {rOnline, "Teilnahme am Online-Verfahren (aktiver Benutzer)"},
      {rPersoenlicheEinstellungen, "Änderung pers. Einstellungen (Kennwort und Bild)"},
      {rNotizenAnzeigen, "Anzeigen von Notizen über Mitglieder"},
      {rFremdeAufgabenAnzeigen, "Anzeigen von Aufgaben, die an andere gerichtet sind"},
      {rNotizenBearbeiten, "Bearbeiten und Eintragen von Notizen und Aufgaben"},
      {rFormulareAnzeigen, "Anzeigen von Online-Formularen"},
      {rFormulareBearbeiten, "Bearbeiten von Online-Formularen"},
      {rPersoenlicheDaten, "Bearbeiten von persönlichen Mitgliedsdaten"},
      {rGruppen, "Bearbeiten der Gruppen eines Mitglieds"},
      {rBeitragsdatenAnzeigen, "Anzeigen von Beitragsdaten der Mitglieder"},
      {rBeitragsdatenBearbeiten, "Bearbeiten von Beitragsdaten eines Mitglieds"},
      {rMitgliederHinzufuegen, "Hinzufügen und Löschen von Mitgliedern"},
      {rMassenaenderung | rMassenaenderung2, "Durchführen von Massenänderungen"},
      {rArchiv, "Anzeigen ausgeschiedener Mitglieder (Archiv)"},
      {rBeitragseinzug, "Durchführen des Beitragseinzugs (inkl. Rechnungen)"},
      {rStammdaten, "Bearbeiten der Vereinsstammdaten"},
      {rDateieinstellungen, "Änderungen an Dateieinstellungen durchführen"},
      {rFtpEinstellungen, "Anlegen der FTP-Liste und FTP-Einstellungen"},
      {rOhneAusspeichern, "Änderungen auch ohne Ausspeichern durchführbar"},
  };
  return texte;
}

Hash KennwortHash(const std::string& kennwort, const std::string& login) {
  std::string md5 = TextAusHex(MD5Text(Utf8ZuCp1252(kennwort + login)));
  Hash h{};
  std::copy(md5.begin(), md5.end(), h.begin());
  return h;
}

bool SpeichereAutomatischeAnmeldung(const std::string& login, const std::string& kennwort) {
  if (ErstesFremdzeichen(login) || ErstesFremdzeichen(kennwort)) return false;
  SchreibeEinstellungHex(esAutoLogin, login);
  const Hash hash = KennwortHash(kennwort, login);
  SchreibeEinstellung(esAutoHash, HexText(std::string(hash.begin(), hash.end())));
  return true;
}

TBenutzer::TBenutzer(const std::string& login) : FLogin(login) {
  SetzeKennwort("");
  static std::mt19937 zufall{std::random_device{}()};
  FBenutzerNr = static_cast<std::uint16_t>(std::uniform_int_distribution<int>(1, 65535)(zufall));
  FGueltigBis = PlusJahre(Heute(), 2);
}

std::span<const Feldbeschreibung<TBenutzer>> TBenutzer::Felder() {
  using B = TBenutzer;
  static const Feldbeschreibung<B> felder[] = {
      {10, "FLogin", &B::FLogin},
      {20, "FKennwortHash",
       Sonderfeld<B>{[](const B& b, TZAQStream& s, std::uint16_t id, std::uint32_t, bool&) {
                       SchreibeBlock(s, b.FKennwortHash.data(), 16, id);
                     },
                     [](B& b, TZAQStream& s, std::int32_t g, bool&) { LeseBlock(s, b.FKennwortHash.data(), 16, g); },
                     [](const B& b, Json& j, const char* name) {
                       j[name] = HexText(std::string_view(reinterpret_cast<const char*>(b.FKennwortHash.data()), 16));
                     }}},
      {30, "FBenutzerNr", &B::FBenutzerNr},
      {200, "FVollerName", &B::FVollerName},
      {210, "FFunktion", &B::FFunktion},
      {220, "FBildNr", &B::FBildNr},
      {230, "FBild", &B::FBild},
      {400, "FGueltigBis", &B::FGueltigBis},
      {410, "FRechte",
       Sonderfeld<B>{[](const B& b, TZAQStream& s, std::uint16_t id, std::uint32_t, bool&) {
                       SchreibeBlock(s, &b.FRechte, 4, id);
                     },
                     [](B& b, TZAQStream& s, std::int32_t g, bool&) { LeseBlockTolerant(s, &b.FRechte, 4, g); },
                     [](const B& b, Json& j, const char* name) { j[name] = b.FRechte; }}},
      {420, "FKennwortAktionen",
       Sonderfeld<B>{[](const B& b, TZAQStream& s, std::uint16_t id, std::uint32_t, bool&) {
                       SchreibeBlock(s, &b.FKennwortAktionen, 4, id);
                     },
                     [](B& b, TZAQStream& s, std::int32_t g, bool&) { LeseBlockTolerant(s, &b.FKennwortAktionen, 4, g); },
                     [](const B& b, Json& j, const char* name) { j[name] = b.FKennwortAktionen; }}},
  };
  return felder;
}

bool TBenutzer::SetzeKennwort(const std::string& kennwort) {
  if (ErstesFremdzeichen(kennwort)) return false;
  FKennwortHash = KennwortHash(kennwort, FLogin);
  return true;
}

bool TBenutzer::PruefeKennwort(const std::string& kennwort) const {
  return KennwortHash(kennwort, FLogin) == FKennwortHash;
}

bool TBenutzer::VergleicheHash(const Bytes& hash) const {
  return hash.size() == 16 && std::equal(hash.begin(), hash.end(), FKennwortHash.begin());
}

bool TBenutzer::IstAdministrator() const { return Gross(FLogin) == "ADMIN"; }

bool TBenutzer::IstGueltig(std::int32_t stichtag) const {
  if (IstAdministrator()) return true;
  return Heute() <= FGueltigBis && (stichtag == 0 || FGueltigBis >= stichtag);
}

bool TBenutzer::HatRecht(std::uint32_t m1, std::uint32_t m2, std::uint32_t m3, std::uint32_t m4) const {
  // The administrator always has every right, whatever is stored.
  const std::uint32_t rechte = (IstAdministrator() ? kAlleRechte : FRechte) | rJeder;
  for (std::uint32_t m : {m1, m2, m3, m4})
    if (m != 0 && (m & rechte) == m) return true;
  return false;
}

bool TBenutzer::SetzeBild(int nummer) {
  FBild.clear();
  const bool vorhanden = nummer >= 0 && nummer < AnzahlEingebauteBilder();
  FBildNr = static_cast<std::uint8_t>(vorhanden ? nummer : 0);
  return vorhanden;
}

bool TBenutzer::LadeBild(const std::string& dateiname) {
  WartenSchliessen schliessen;
  Warten().ZeigeStatus("Lade Bild");
  auto bild = LadeBilddatei(dateiname);
  if (!bild) return false;
  Bytes jpeg = AlsJpeg(Verkleinere(*bild, 64), 98);
  if (jpeg.empty()) return false;
  FBild = std::move(jpeg);
  FBildNr = kEigenesBild;
  return true;
}

std::string TBenutzer::NameFunktion() const {
  return FFunktion.empty() ? FVollerName : FVollerName + ", " + FFunktion;
}

}  // namespace zaq
