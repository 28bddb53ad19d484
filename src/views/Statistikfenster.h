#pragma once
// The read-only views of the member list: the statistics window with its
// chart ("Mitgliederstatistik"), the member count for association surveys
// ("Bestandszählung") and the free member numbers.  The chart itself is
// the front end's; the logic supplies its series, titles and colours and
// chooses the export file.
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "interaction/Oberflaeche.h"
#include "lists/Statistik.h"

namespace zaq {

class TZAQ;

class TfrmStatistik : public FensterDaten {
 public:
  static constexpr std::string_view kArt = "Mitgliederstatistik";
  std::string_view Art() const override { return kArt; }
  // Colours of the series, 0x00BBGGRR.
  static constexpr std::uint32_t kMaenner = 16744576, kFrauen = 8421631;

  explicit TfrmStatistik(const TZAQ& liste, Tag bezug = 0);
  const TStatistik& Daten() const { return FDaten; }

  // The chart: "Altersverteilung" or "Vereinszugehörigkeit", the smoothing
  // and the legend.
  bool FMitgliedschaft = false;
  int FGlaettung = 15;
  bool FLegende = true;
  // Two lines: the club's name, "Bezugsdatum: " and the date.
  std::array<std::string, 2> Titel() const;
  std::string Achse() const;
  // The shown histogram, smoothed: men, women, all per year.
  TGeglaettet Reihen() const;
  std::array<std::string, 3> Statuszeile() const { return FDaten.Statuszeile(); }

  // "Exportieren...": the save dialog "Diagramm exportieren" (PNG or PDF),
  // the question before replacing a file (No asks again), then schreiben
  // writes it; its failure gets "Fehler beim Speichern von <name>.".
  bool Exportieren(const std::function<bool(const std::string& datei, bool pdf)>& schreiben);

 private:
  std::string FVerein, FVerzeichnis, FDateiname;
  TStatistik FDaten;
};

class TfrmBestandszaehlung : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Bestandszählung";
  std::string_view Art() const override { return kArt; }
  explicit TfrmBestandszaehlung(const TZAQ& liste);

  Bestandsart FArt = Bestandsart::Alter;
  // The bounds as typed, per kind.
  std::string FAlterVon = "0", FAlterBis = "99", FJahrVon = "1900", FJahrBis = "2100", FDatumVon = "01.01.1900",
              FDatumBis = "31.12.2100";
  // The reference dates offered: the last days of 36 months from January
  // of the previous year; the one chosen.
  std::vector<Tag> Stichtage() const { return FStichtage; }
  Tag FStichtag;
  bool FAbteilung = false;
  std::string FAbteilungText;
  bool SelektionMoeglich() const { return FSelektionMoeglich; }
  bool FSelektion = false;
  // Changing a "from" field copies it into the matching "to" field.
  void VonGeaendert();
  // "Auflisten": a line below the others; false after the message.
  bool Auflisten();
  void Neu() { FZeilen.clear(); }
  // "Kopieren": the lines on the clipboard; false without one.
  bool Kopieren() const;
  const std::vector<TBestandszeile>& Zeilen() const { return FZeilen; }

 private:
  const TZAQ& FListe;
  std::vector<Tag> FStichtage;
  bool FSelektionMoeglich = false;
  std::vector<TBestandszeile> FZeilen;
};

class TfrmFreieNummern : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Freie Mitgliedsnummern";
  std::string_view Art() const override { return kArt; }
  explicit TfrmFreieNummern(const TZAQ& liste);
  // "Kleinste Mitgliedsnummer:", "Höchste Mitgliedsnummer:" (empty without
  // an active member) and "Freie Zwischennummern:", in display form.
  std::string Kleinste, Hoechste;
  std::vector<std::string> Frei;
};

}  // namespace zaq
