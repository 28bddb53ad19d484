#include "store/Anmeldung.h"

#include <cmath>

#include "base/Datum.h"
#include "interaction/Zeichenpruefung.h"
#include "platform/Kodierung.h"
#include "store/ZAQ.h"

namespace zaq {

std::optional<std::string> FrageKennwort(const std::string& titel, const std::string& zeile1,
                                         const std::string& zeile2) {
  TKennwortDialog d;
  d.FTitel = titel;
  d.FZeile1 = zeile1;
  d.FZeile2 = zeile2;
  if (!UI().Dialog(d)) return std::nullopt;
  return d.FKennwort;
}

bool KennwortStimmt(const TBenutzer& benutzer, const std::string& kennwort, const std::string& falsch,
                    MeldungsArt art) {
  if (benutzer.PruefeKennwort(kennwort)) return true;
  if (const auto zeichen = ErstesFremdzeichen(kennwort)) Meldung(FremdzeichenText(*zeichen, "Kennwort"), MeldungsArt::Fehler);
  else Meldung(falsch, art);
  return false;
}

TAnmeldeDialog::TAnmeldeDialog(TZAQ& liste) : FListe(liste) {
  for (const auto& b : liste.FBenutzer) {
    std::string login = b->FLogin;
    if (liste.IstAngemeldet(b.get())) login += " (angemeldet)";
    FZeilen.push_back({b.get(), login, b->FVollerName, b->FFunktion});
  }
}

std::string TAnmeldeDialog::Titel() const { return "Anmeldung an " + FListe.FBeschreibung; }

int TAnmeldeDialog::SichtbareZeilen() const {
  const int n = static_cast<int>(FZeilen.size());
  return n > 10 ? 7 : n;
}

std::string TAnmeldeDialog::Gruss(double zeit) {
  const double stunden = (zeit - std::floor(zeit)) * 24.0;
  if (stunden < 3) return "Guten Abend ";
  if (stunden < 9) return "Guten Morgen ";
  if (stunden < 12) return "Moin Moin ";
  if (stunden >= 18) return "Guten Abend ";
  return "Hallo ";
}

bool TAnmeldeDialog::Waehle(int i) {
  if (i < 0 || i >= static_cast<int>(FZeilen.size())) return false;
  TBenutzer* benutzer = const_cast<TBenutzer*>(FZeilen[static_cast<std::size_t>(i)].benutzer);
  const std::string gruss = Gruss(Jetzt());
  if (!benutzer->IstGueltig(static_cast<Tag>(std::floor(FListe.FGeaendertAm)))) {
    Meldung("Das Zugangsprofil ist abgelaufen. Kontaktieren Sie den Administrator.", MeldungsArt::Information);
    return false;
  }
  auto kennwort = FrageKennwort("Anmeldung", gruss + benutzer->FLogin + ",",
                                "die Anmeldung erfordert ein Kennwort. Alternativ können Sie in den "
                                "Einstellungen auch einen Standard-Login hinterlegen.");
  if (!kennwort) return false;
  if (!KennwortStimmt(*benutzer, *kennwort, "Das Kennwort ist falsch, probieren Sie es nochmal.", MeldungsArt::Fehler))
    return false;
  FGewaehlt = benutzer;
  return true;
}

}  // namespace zaq
