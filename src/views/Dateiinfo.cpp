#include "views/Dateiinfo.h"

#include "bank/Banktexte.h"
#include "base/Datum.h"
#include "base/Text.h"
#include "fees/Beitrag.h"
#include "platform/Plattform.h"
#include "store/Benutzer.h"
#include "store/BtrKlasse.h"
#include "store/Konto.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"

namespace zaq {

std::string Tausender(long long zahl) {
  const bool negativ = zahl < 0;
  std::string ziffern = std::to_string(negativ ? -zahl : zahl);
  for (int i = static_cast<int>(ziffern.size()) - 3; i > 0; i -= 3) ziffern.insert(static_cast<std::size_t>(i), ".");
  return (negativ ? "-" : "") + ziffern;
}

namespace {

std::string Zeit(double zeit) { return FormatDatum("dd.mm.yyyy, hh:nn:ss", GueltigeZeit(zeit)); }

std::string BenutzerName(const TVerweisBen& v) {
  const TBenutzer* b = v.GetZiel();
  return b ? b->FVollerName : std::string();
}

std::string Euro(float betrag) { return BetragText(std::max<std::int64_t>(0, RundeCent(betrag)), false) + " €"; }

}  // namespace

TfrmDateiInfo::TfrmDateiInfo(const TZAQ& liste, const std::vector<std::string>& fenster) {
  auto z = [this](std::string key, std::string wert) { Zeilen.emplace_back(std::move(key), std::move(wert)); };
  auto leer = [this] { Zeilen.emplace_back(); };
  const auto pfad = plattform::Pfad(liste.FDateiname);
  z("Dateibeschreibung:", liste.FBeschreibung);
  z("Dateierstellung:", Zeit(liste.FErstellt));
  z("Dateiversion (Dateiformat):", std::to_string(liste.FFormatVersion));
  leer();
  z("Dateiname:", plattform::PfadText(pfad.filename()));
  z("Verzeichnis:", plattform::PfadText(pfad.parent_path()));
  z("Letzte Dateiänderung am:", Zeit(liste.FGeaendertAm));
  z("Letzte Dateiänderung von:", BenutzerName(liste.FLetzteAenderungVon));
  z("Anzahl von Schreibvorgängen:", Tausender(liste.FSchreibvorgaenge));
  z("Verschleierte Datenspeicherung:", liste.FVerschleiert ? "ja" : "nein");
  leer();
  z("Dateigröße beim Öffnen:", Tausender(liste.FGeleseneGroesse) + " Bytes");
  z("Größe der Stammdaten und Benutzerverw.", Tausender(liste.FStammdatenGroesse) + " Bytes");
  z("Größe der Mitgliedsdaten:", Tausender(liste.FMitgliederGroesse) + " Bytes bei " +
                                     std::to_string(liste.AnzahlMitglieder()) + " Datensätzen");
  z("Größe des Archivs:",
    Tausender(liste.FArchivGroesse) + " Bytes bei " + std::to_string(liste.AnzahlArchiv()) + " Datensätzen");
  z("Zahl unbekannter Dateielemente:", std::to_string(liste.FAnzahlUnbekannt));
  leer();
  z("Status:", liste.FGeaendert ? "geändert" : "nicht geändert");
  z("Referenzen auf globales Vereinsobjekt: " + std::to_string(fenster.size()), fenster.empty() ? "" : fenster[0]);
  for (std::size_t i = 1; i < fenster.size(); ++i) z("", fenster[i]);
  const TFtpDaten& ftp = liste.FFtpDaten;
  if (!Trim(ftp.FServer).empty()) {
    z("FTP-Dateiname:", ftp.FServerDatei);
    z("FTP-Serveradresse:", ftp.FServer);
    z("FTP-Aktualisierung:", Zeit(ftp.FLetzteAktualisierung));
    z("FTP-Upload-Zeit:", Zeit(ftp.FUploadZeit));
    z("FTP-Upload-Benutzer:", ftp.FUploadVon);
    z("FTP-Upload-ZAQ-Vers.:", ftp.FUploadVersion);
    z("Länge des FTP-Schlüssels:", Tausender(static_cast<long long>(liste.Schluessel().size())) + " Bytes");
  }
  z("Hauptanwender:", liste.FHauptanwender);
  const TBenutzer* admin = const_cast<TZAQ&>(liste).Administrator();
  z("Name des Administrators:", admin ? admin->FVollerName : std::string());
  const TBenutzer* aktuell = liste.AktuellerBenutzer();
  z("Angemeldeter Benutzer:", aktuell ? aktuell->FVollerName : std::string());
  leer();
  const TStammdaten& st = liste.FStammdaten;
  z("Vereinsbezeichnung:", st.FVereinsname);
  z("Ort des Vereins:", Trim(st.FVereinsPLZ + " " + st.FVereinsort));
  z("Gründungsdatum:", DatumText(st.FGruendungsdatum, true));
  z("Vereinsnummer:", st.FVereinsnummern);
  leer();
  z("Jubiläum Geburtstag:", Ersetze(st.FGeburtstage, ";", ", "));
  z("Jubiläum Mitgliedschaft:", Ersetze(st.FEhrungen, ";", ", "));
  z("Anzahl Vereinskonten:", std::to_string(st.FVereinskonten.Anzahl()));
  for (const auto& k : st.FVereinskonten) {
    z("-", "-");
    z("Vereinskonto " + k->FKontoSchluessel + ":", k->FBezeichnung);
    z("  >  Gläubigername:", k->FInhaber);
    z("  >  Gläubiger-ID:", k->FGlaeubigerID);
    z("  >  Kontonummer:", KontoText(k->FKontonummer));
    z("  >  Bankleitzahl:", BLZText(k->FBLZ));
    z("  >  IBAN:", IBANText(k->FIBAN));
    z("  >  Geldinstitut:", k->FBankname);
  }
  z("-", "-");
  z("Anzahl Beitragsklassen:", std::to_string(st.FBtrKlassen.Anzahl()));
  auto statistik = [&](const TAltKlasse& a) {
    if (a.FSumme != 0) z("  >  Rechensumme", BetragText(a.FSumme, false) + " €");
    if (a.FAnzahl != 0) z("  >  Rechenanzahl", std::to_string(a.FAnzahl) + " Mitglied(er)");
  };
  for (const auto& k : st.FBtrKlassen) {
    z("-", "-");
    z("Beitragsklasse " + k->FSchluessel + ":", k->FBezeichnung);
    const auto& alter = k->FAltKlassen;
    if (k->FFamilienbeitrag) {
      z("Option:", "Familienbeitrag");
      if (!alter.empty()) {
        z("  >  Bezeichnung:", alter[0].FVerwendungszweck);
        z("  >  Betrag:", Euro(alter[0].FBetrag));
        statistik(alter[0]);
      }
      if (k->FFamilienIst != 0) z("  >  Beschränkung:", "genau " + std::to_string(k->FFamilienIst) + " Erwachsene");
      if (k->FFamilienMax != 0) z("  >  Beschränkung:", "maximal " + std::to_string(k->FFamilienMax) + " Erwachsene");
      if (k->FFamilienIst != 0 || k->FFamilienMax != 0)
        z("  >  Erwachsen bedeutet:", "ab " + std::to_string(k->FFamilienAlter) + " Jahren");
    } else {
      z("Option:", "Altersklassen");
      for (std::size_t i = 0; i < alter.size(); ++i) {
        z("  >  Altersklasse " + std::to_string(i + 1) + ":", alter[i].FVerwendungszweck);
        z("  >  Alter:", "bis " + std::to_string(alter[i].FAlterBis) + " Jahre");
        z("  >  Betrag:", Euro(alter[i].FBetrag));
        statistik(alter[i]);
      }
    }
  }
}

void TfrmDateiInfo::Kopieren() const {
  std::string text = "ZAQ Mitgliederverwaltung";
  for (const auto& [key, wert] : Zeilen) text += "\r\n" + key + (key.empty() && wert.empty() ? "" : "\t" + wert);
  UI().Zwischenablage(text);
}

TfrmDatensatzInfo::TfrmDatensatzInfo(TMitglied& m) {
  if (const TBenutzer* b = m.FErstelltVon.GetZiel()) {
    Aufnahme = m.NameAnzeige() + " wurde am " + Zeit(m.FErstelltVon.FZeit) + "\r\nvon " + b->FVollerName +
               " angelegt.";
    BildErsteller = b->FBild;
  } else {
    Aufnahme = "Ersteller nicht vorhanden";
  }
  if (const TBenutzer* b = m.FGeaendertVon.GetZiel()) {
    Aenderung = "Die letzte Änderung fand am " + Zeit(m.FGeaendertVon.FZeit) + "\r\ndurch " + b->FVollerName +
                " statt.";
    BildBearbeiter = b->FBild;
  } else {
    Aenderung = "Der Datensatz wurde noch nicht bearbeitet.";
  }
  if (m.FAustrittsdatum > 0) {
    const TBenutzer* b = m.FAustrittVon.GetZiel();
    Austritt = "Am " + DatumText(m.FAustrittsdatum) + " endet die " + std::to_string(m.Mitgliedsjahre()) +
               "jährige Mitgliedschaft. \r\nAls Austrittsgrund ist angegeben: " + m.FAustrittsgrund +
               "\r\nDas Löschen wurde am " + Zeit(m.FAustrittVon.FZeit) + "\r\nvon " +
               (b ? b->FVollerName : std::string()) + " eingeleitet.";
    if (b) BildAustritt = b->FBild;
  } else {
    Austritt = "Es liegt keine Austrittserklärung vor.";
  }
  Speicherbedarf = "Der Speicherbedarf beträgt " + Tausender(m.FGroesse) + " Bytes.";
}

}  // namespace zaq
