// The main window's command table.  Commands whose subsystem is not built
// yet are listed with verfuegbar = false: the front end shows them disabled,
// with their hint, and Befehl() refuses them.
#include "store/Benutzer.h"
#include "views/Hauptfenster.h"

namespace zaq {

namespace {
constexpr std::uint32_t kBeitragseinzug = rBeitragseinzug | rBeitragsdatenBearbeiten | rBeitragsdatenAnzeigen;
constexpr std::uint32_t kMassenaenderung = rMassenaenderung;
constexpr std::uint32_t kImport = rMassenaenderung | rMassenaenderung2;
}  // namespace

#define ZAQ_NAME(name) #name,
const char* Name(Menue menue) {
  static constexpr const char* namen[] = {ZAQ_MENUES(ZAQ_NAME)};
  return namen[static_cast<std::size_t>(menue)];
}

const char* Name(Bef befehl) {
  static constexpr const char* namen[] = {ZAQ_BEFEHLE(ZAQ_NAME)};
  return namen[static_cast<std::size_t>(befehl)];
}
#undef ZAQ_NAME

THinweisZiel HinweisZielNamens(std::string_view name) {
  for (std::size_t i = 0; i < kAnzahlBefehle; ++i)
    if (name == Name(static_cast<Bef>(i))) return static_cast<Bef>(i);
  for (std::size_t i = 0; i < kAnzahlMenues; ++i)
    if (name == Name(static_cast<Menue>(i))) return static_cast<Menue>(i);
  return {};
}

std::span<const TMenue> TfrmZAQ::Menues() {
  static const TMenue menues[] = {
      {Menue::mnuDatei, std::nullopt, "&Datei", "Mitgliederlisten erstellen, öffnen, speichern..."},
      {Menue::mnuMitgl, std::nullopt, "&Mitglied", "Einzelnes Mitglied suchen, bearbeiten, drucken..."},
      {Menue::mnuTab, std::nullopt, "&Tabellen", "Tabellen und Listen erstellen"},
      {Menue::mnuSel, std::nullopt, "&Selektion", "Mitglieder anhand von Kriterien auswählen"},
      {Menue::mnuAufgaben, std::nullopt, "Aufgaben", "Allgemeine Aufgaben und Notizen"},
      {Menue::mnuLSV, std::nullopt, "&Beiträge", "Last- und Gutschriftenverwaltung"},
      {Menue::mnuExtras, std::nullopt, "&Extras", "Sortieren, Vereinsstammdaten, Mehrfachänderungen, Einstellungen"},
      {Menue::mnuSort, Menue::mnuExtras, "&Datensätze sortieren", "Mitgliederliste nach einem festen Kriterium sortieren"},
      {Menue::mnuExtrasMassen, Menue::mnuExtras, "&Mehrfachänderungen",
       "Anhand verschiedener Kriterien Datenänderungen durchführen"},
      {Menue::mnuLGVWechsel, std::nullopt, "&LGV", "Zur Last- und Gutschriftenverwaltung wechseln", false},
      {Menue::mnuSEPAWechsel, std::nullopt, "SE&PA", "Zur SEPA-Lastschriftenverwaltung wechseln", false},
      {Menue::mnuZubehoer, std::nullopt, "&Zubehör", "Zubehörprogramme"},
      {Menue::mnuInfo, std::nullopt, "&Info", "Informationen über Programm und Datei"},
  };
  return menues;
}

std::span<const TBefehl> TfrmZAQ::Befehle() {
  using Z = TfrmZAQ;
  static const TBefehl befehle[] = {
      // --- "&Datei" ---
      {.id = Bef::mnuDateiNeu, .menue = Menue::mnuDatei, .titel = "&Neu", .hinweis = "Neue, leere Mitgliederliste anlegen",
       .verfuegbar = true, .handler = &Z::mnuDateiNeuClick, .ohneListe = true},
      {.id = Bef::mnuDateiOeffnen, .menue = Menue::mnuDatei, .titel = "Ö&ffnen...",
       .hinweis = "Vorhandene Mitgliederliste öffnen", .verfuegbar = true, .handler = &Z::mnuDateiOeffnenClick,
       .ohneListe = true},
      {.id = Bef::mnuDateiSpeichernUnter, .menue = Menue::mnuDatei, .titel = "&Speichern unter...",
       .hinweis = "Mitgliederliste unter einem anderen Namen speichern", .verfuegbar = true,
       .handler = &Z::mnuDateiSpeichernUnterClick, .trennerDavor = true},
      {.id = Bef::mnuDateiKopieErstellen, .menue = Menue::mnuDatei, .titel = "&Kopie speichern unter...",
       .hinweis = "Kopie der Mitgliederliste speichern; die geöffnete Datei bleibt geöffnet", .verfuegbar = true,
       .handler = &Z::mnuDateiKopieErstellenClick},
      {.id = Bef::mnuDateiKopieAktualisieren, .menue = Menue::mnuDatei, .titel = "Von Server herunterladen",
       .hinweis = "Gemeinsame Mitgliederliste vom FTP-Server herunterladen", .verfuegbar = true, .handler = &Z::mnuDateiKopieAktualisierenClick, .trennerDavor = true},
      {.id = Bef::mnuDateiAusspeichern, .menue = Menue::mnuDatei, .titel = "FTP-Version ausspeichern...",
       .hinweis = "Gemeinsame Mitgliederliste zum Bearbeiten ausspeichern und reservieren", .rechte = {rJeder}, .verfuegbar = true, .handler = &Z::mnuDateiAusspeichernClick},
      {.id = Bef::mnuDateiEinspeichern, .menue = Menue::mnuDatei, .titel = "FTP-Version einspeichern...",
       .hinweis = "Bearbeitete Mitgliederliste wieder auf dem FTP-Server einspeichern", .rechte = {rJeder}, .verfuegbar = true, .handler = &Z::mnuDateiEinspeichernClick},
      {.id = Bef::mnuDateiZAQImport, .menue = Menue::mnuDatei, .titel = "Mitglieder importieren...",
       .hinweis = "Mitglieder aus einer anderen Mitgliederdatei übernehmen", .rechte = {kImport},
       .trennerDavor = true},
      {.id = Bef::Dateivergleich1, .menue = Menue::mnuDatei, .titel = "Liste vergleichen mit...",
       .hinweis = "Geöffnete Liste mit einer anderen Mitgliederdatei vergleichen", .verfuegbar = true,
       .handler = &Z::Dateivergleich1Click},
      {.id = Bef::mnuDateiDruckereinrichten, .menue = Menue::mnuDatei, .titel = "&Drucker einrichten...",
       .hinweis = "Drucker auswählen und einrichten", .verfuegbar = true, .handler = &Z::mnuDateiDruckereinrichtenClick,
       .trennerDavor = true},
      {.id = Bef::mnuDateiStammdatenDrucken, .menue = Menue::mnuDatei, .titel = "S&tammdaten drucken",
       .hinweis = "Vereinsstammdaten ausdrucken", .verfuegbar = true, .handler = &Z::mnuDateiStammdatenDruckenClick},
      {.id = Bef::mnuDateiBeenden, .menue = Menue::mnuDatei, .titel = "&Beenden", .hinweis = "Programm beenden",
       .verfuegbar = true, .handler = &Z::mnuDateiBeendenClick, .trennerDavor = true, .ohneListe = true},

      // --- "&Mitglied" ---
      {.id = Bef::mnuMitglSuchen, .menue = Menue::mnuMitgl, .titel = "&Suchen...", .taste = "F3",
       .hinweis = "Suchfenster anzeigen oder ausblenden", .verfuegbar = true, .handler = &Z::mnuMitglSuchenClick},
      {.id = Bef::mnuMitglMitfin, .menue = Menue::mnuMitgl, .titel = "&Mitfinanzierungen...", .taste = "F4",
       .hinweis = "Mitfinanzierungen anzeigen", .verfuegbar = true, .handler = &Z::mnuMitglMitfinClick},
      {.id = Bef::mnuMitgliedInfo, .menue = Menue::mnuMitgl, .titel = "Datensatz-Info...", .taste = "F2",
       .hinweis = "Erfassungs- und Änderungsdaten des Mitglieds anzeigen", .verfuegbar = true,
       .handler = &Z::mnuInfoDatensatzClick},
      {.id = Bef::mnuMitglVorher, .menue = Menue::mnuMitgl, .titel = "&Vorheriges", .taste = "PgDown",
       .hinweis = "Vorheriges selektiertes Mitglied", .verfuegbar = true, .handler = &Z::mnuMitglVorherClick,
       .trennerDavor = true},
      {.id = Bef::mnuMitglNaechst, .menue = Menue::mnuMitgl, .titel = "&Nächstes", .taste = "PgUp",
       .hinweis = "Nächstes selektiertes Mitglied", .verfuegbar = true, .handler = &Z::mnuMitglNchstesClick},
      {.id = Bef::mnuMitglAendern, .menue = Menue::mnuMitgl, .titel = "&Bearbeiten...", .taste = "F5",
       .hinweis = "Mitglied bearbeiten", .rechte = {rPersoenlicheDaten, rBeitragsdatenBearbeiten, rGruppen},
       .M = true, .verfuegbar = true, .handler = &Z::mnuMitglAendernClick, .trennerDavor = true},
      {.id = Bef::mnuMitglHinzu, .menue = Menue::mnuMitgl, .titel = "&Hinzufügen...", .taste = "F6",
       .hinweis = "Mitglied hinzufügen", .rechte = {rMitgliederHinzufuegen}, .R = true, .verfuegbar = true,
       .handler = &Z::mnuMitglHinzuClick},
      {.id = Bef::mnuMitglDuplizieren, .menue = Menue::mnuMitgl, .titel = "&Duplizieren...", .taste = "F7",
       .hinweis = "Kopie des Mitglieds als neues Mitglied hinzufügen", .rechte = {rMitgliederHinzufuegen},
       .R = true, .verfuegbar = true, .handler = &Z::mnuMitglDuplizierenClick},
      {.id = Bef::mnuMitglEntfernen, .menue = Menue::mnuMitgl, .titel = "&Entfernen", .taste = "F8",
       .hinweis = "Mitglied entfernen", .rechte = {rMitgliederHinzufuegen}, .M = true, .verfuegbar = true,
       .handler = &Z::mnuMitglEntfernenClick},
      {.id = Bef::mnuMitglMitglnraendern, .menue = Menue::mnuMitgl, .titel = "M&itgliedsnummer ändern...",
       .hinweis = "Mitgliedsnummer des Mitglieds ändern", .rechte = {rMassenaenderung}, .M = true,
       .verfuegbar = true, .handler = &Z::mnuMitglMitglnraendernClick},
      {.id = Bef::mnuMitglAnredKopieren, .menue = Menue::mnuMitgl, .titel = "&Anschrift kopieren", .taste = "Ctrl+A",
       .hinweis = "Anschrift des Mitglieds in die Zwischenablage kopieren", .verfuegbar = true,
       .handler = &Z::mnuMitglAnredKopierenClick, .trennerDavor = true},
      {.id = Bef::mnuMitglKopieren, .menue = Menue::mnuMitgl, .titel = "Da&ten kopieren", .taste = "Ctrl+K",
       .hinweis = "Alle Daten des Mitglieds in die Zwischenablage kopieren", .verfuegbar = true,
       .handler = &Z::mnuMitglKopierenClick},
      {.id = Bef::mnuMitglMitglDrucken, .menue = Menue::mnuMitgl, .titel = "Daten a&usdrucken", .taste = "Ctrl+D",
       .hinweis = "Daten des Mitglieds ausdrucken", .verfuegbar = true, .handler = &Z::mnuMitglMitglDruckenClick},
      {.id = Bef::mnuMitglSelekt, .menue = Menue::mnuMitgl, .titel = "Se&lektiert", .taste = "F9",
       .hinweis = "Mitglied selektieren", .verfuegbar = true, .handler = &Z::mnuMitglSelektClick,
       .trennerDavor = true},
      {.id = Bef::mnuMitglZugSelekt, .menue = Menue::mnuMitgl, .titel = "Mit&finanzierte selektieren", .taste = "F11",
       .hinweis = "Mitglied und alle von ihm mitfinanzierten Mitglieder selektieren", .verfuegbar = true,
       .handler = &Z::mnuMitglZugSelektClick},

      // --- "&Tabellen" ---
      {.id = Bef::mnuTabPers, .menue = Menue::mnuTab, .titel = "&Persönliche Daten...", .taste = "Shift+F1",
       .hinweis = "Tabelle mit persönlichen Daten", .verfuegbar = true, .handler = &Z::mnuTabPersClick},
      {.id = Bef::mnuTabVerein, .menue = Menue::mnuTab, .titel = "&Vereinsbezogene Daten...", .taste = "Shift+F2",
       .hinweis = "Tabelle mit vereinsbezogenen Daten", .verfuegbar = true, .handler = &Z::mnuTabVereinClick},
      {.id = Bef::mnuTabBeitr, .menue = Menue::mnuTab, .titel = "&Beitragsdaten...", .taste = "Shift+F3",
       .hinweis = "Tabelle mit Beitragsdaten", .verfuegbar = true, .handler = &Z::mnuTabBeitrClick},
      {.id = Bef::mnuTabBestand, .menue = Menue::mnuTab, .titel = "&Detaillierte Liste...", .taste = "Shift+F4",
       .hinweis = "Detaillierte Mitgliederliste", .verfuegbar = true, .handler = &Z::mnuTabBestandClick},
      {.id = Bef::mnuTabGebTag, .menue = Menue::mnuTab, .titel = "&Geburtstage...", .taste = "Shift+F5",
       .hinweis = "Liste der Geburtstagsjubiläen", .verfuegbar = true, .handler = &Z::mnuTabGebTagClick, .trennerDavor = true},
      {.id = Bef::mnuTabEhrungen, .menue = Menue::mnuTab, .titel = "&Ehrungen...", .taste = "Shift+F6",
       .hinweis = "Liste der fälligen Ehrungen", .verfuegbar = true, .handler = &Z::mnuTabEhrungenClick},
      {.id = Bef::mnuTabEMG, .menue = Menue::mnuTab, .titel = "E&hrenmitglieder...", .taste = "Shift+F7",
       .hinweis = "Liste der Ehrenmitglieder", .verfuegbar = true, .handler = &Z::mnuTabEMGClick},
      {.id = Bef::mnuTabGeloeschte, .menue = Menue::mnuTab, .titel = "Vorgemerkte &Austritte...", .taste = "Shift+F8",
       .hinweis = "Mitglieder mit Austrittsdatum, die automatisch gelöscht werden", .verfuegbar = true, .handler = &Z::mnuTabGeloeschteClick},

      // --- "&Selektion" ---
      {.id = Bef::mnuSelGesamt, .menue = Menue::mnuSel, .titel = "&Gesamtselektion...", .taste = "Ctrl+G",
       .hinweis = "Mitglieder anhand von Kriterien aus der ganzen Liste selektieren", .verfuegbar = true, .handler = &Z::mnuSelGesamtClick},
      {.id = Bef::mnuSelEinzel, .menue = Menue::mnuSel, .titel = "&Listenselektion...", .taste = "Ctrl+L",
       .hinweis = "Einzelne Mitglieder in einer Liste selektieren", .verfuegbar = true, .handler = &Z::mnuSelEinzelClick},
      {.id = Bef::mnuSelUmk, .menue = Menue::mnuSel, .titel = "Selektion &umkehren", .taste = "Ctrl+U",
       .hinweis = "Selektion aller Mitglieder umkehren", .verfuegbar = true, .handler = &Z::mnuSelUmkClick, .trennerDavor = true},
      {.id = Bef::mnuSelAufheben, .menue = Menue::mnuSel, .titel = "Selektion &zurücksetzen", .taste = "Ctrl+Z",
       .hinweis = "Selektion aller Mitglieder aufheben", .verfuegbar = true, .handler = &Z::mnuSelAufhebenClick},
      {.id = Bef::mnuSelSpeichern, .menue = Menue::mnuSel, .titel = "&Speichern...",
       .hinweis = "Selektion als Selektionsliste speichern", .verfuegbar = true, .handler = &Z::mnuSelSpeichernClick, .trennerDavor = true},
      {.id = Bef::mnuSelLaden, .menue = Menue::mnuSel, .titel = "L&aden...", .hinweis = "Selektionsliste laden", .verfuegbar = true, .handler = &Z::mnuSelLadenClick},
      {.id = Bef::mnuSelFragen, .menue = Menue::mnuSel, .titel = "Nachfragen",
       .hinweis = "Bei Listen wieder fragen, ob nur selektierte Mitglieder berücksichtigt werden",
       .verfuegbar = true, .handler = &Z::mnuSelFragenClick, .trennerDavor = true},
      {.id = Bef::mnuSelStatus, .menue = Menue::mnuSel, .titel = "S&tatus", .taste = "F12",
       .hinweis = "Anzahl der selektierten Mitglieder anzeigen", .verfuegbar = true, .handler = &Z::mnuSelStatusClick},

      // --- "Aufgaben": entries built from the club notes ---
      {.id = Bef::mnuAufgabenNotiz, .hinweis = "Vereinsnotiz öffnen", .rechte = {rNotizenAnzeigen, rNotizenBearbeiten}},
      {.id = Bef::mnuAufgabenNeu, .hinweis = "Neue Vereinsnotiz anlegen", .rechte = {rNotizenBearbeiten}, .R = true},
      // The notes button's pop-up: one entry per note of the member, then "new note".
      {.id = Bef::mnuNotizOeffnen, .hinweis = "Notiz öffnen", .rechte = {rNotizenAnzeigen, rNotizenBearbeiten}},
      {.id = Bef::mnuNotizNeu, .hinweis = "Neue Notiz anlegen", .rechte = {rNotizenBearbeiten}, .M = true},

      // --- "&Beiträge" ---
      {.id = Bef::mnuLSVOeffnen, .menue = Menue::mnuLSV, .titel = "SEPA-Lastschriften öffnen...",
       .hinweis = "Vorhandene SEPA-Lastschriftenliste öffnen", .verfuegbar = true, .handler = &Z::mnuLSVOeffnenClick},
      {.id = Bef::mnuLSVNeu, .menue = Menue::mnuLSV, .titel = "SEPA-Lastschriften anlegen...",
       .hinweis = "Leere SEPA-Lastschriftenliste anlegen", .verfuegbar = true, .handler = &Z::mnuLSVNeuClick},
      {.id = Bef::AlleMitgliedsbeitrgeberprfen1, .menue = Menue::mnuLSV, .titel = "Mitgliedsbeiträge überprüfen...",
       .hinweis = "Beitragsdaten aller Mitglieder überprüfen", .rechte = {kBeitragseinzug}, .verfuegbar = true,
       .handler = &Z::AlleMitgliedsbeitrgeberprfen1Click, .trennerDavor = true},
      {.id = Bef::mnuLSVTestlauf, .menue = Menue::mnuLSV, .titel = "Testlauf für Bankeinzug...",
       .hinweis = "Beitragseinzug zur Probe durchrechnen", .rechte = {kBeitragseinzug}, .verfuegbar = true, .handler = &Z::mnuLSVTestlaufClick},
      {.id = Bef::mnuLSVZahldatenUebernahme, .menue = Menue::mnuLSV, .titel = "Vorläufige Rechendaten übernehmen...",
       .hinweis = "Vorläufige Zahldaten als Bis-Bezahlt-Datum übernehmen", .rechte = {kBeitragseinzug}, .R = true,
       .verfuegbar = true, .handler = &Z::mnuLSVZahldatenUebernahmeClick},
      {.id = Bef::mnuLSVRechnungen, .menue = Menue::mnuLSV, .titel = "&Rechnungen ausstoßen...",
       .hinweis = "Rechnungen über die Mitgliedsbeiträge erstellen", .rechte = {kBeitragseinzug}, .R = true,
       .verfuegbar = true, .handler = &Z::mnuLSVRechnungenClick, .trennerDavor = true},
      {.id = Bef::mnuLSVBeitraege, .menue = Menue::mnuLSV, .titel = "Mitgliedsbeiträge einziehen...",
       .hinweis = "Mitgliedsbeiträge per SEPA-Lastschrift einziehen", .rechte = {kBeitragseinzug}, .R = true, .verfuegbar = true, .handler = &Z::mnuLSVBeitraegeClick},
      {.id = Bef::mnuLSVSonderbuchungen, .menue = Menue::mnuLSV, .titel = "Sonderbuchungen einziehen...",
       .hinweis = "Einen festen Sonderbetrag per SEPA-Lastschrift einziehen", .rechte = {kBeitragseinzug},
       .R = true, .verfuegbar = true, .handler = &Z::mnuLSVSonderbuchungenClick},
      {.id = Bef::mnuLSVLGVOeffnen, .menue = Menue::mnuLSV, .titel = "LGV-Datei ö&ffnen...",
       .hinweis = "Ältere Last- oder Gutschriftenliste öffnen", .verfuegbar = true,
       .handler = &Z::mnuLSVLGVOeffnenClick, .trennerDavor = true},

      // --- "&Extras" ---
      {.id = Bef::mnuSortName, .menue = Menue::mnuSort, .titel = "nach Nachname", .hinweis = "Nach Nachname sortieren",
       .verfuegbar = true, .handler = &Z::mnuSortNameClick},
      {.id = Bef::mnuSortVorname, .menue = Menue::mnuSort, .titel = "nach Vorname", .hinweis = "Nach Vorname sortieren",
       .verfuegbar = true, .handler = &Z::mnuSortVornameClick},
      {.id = Bef::mnuSortAdresse, .menue = Menue::mnuSort, .titel = "nach Adresse", .hinweis = "Nach Adresse sortieren",
       .verfuegbar = true, .handler = &Z::mnuSortAdresseClick},
      {.id = Bef::mnuSortGebtag, .menue = Menue::mnuSort, .titel = "nach Geburtstag",
       .hinweis = "Nach Geburtstag im Jahr sortieren",
       .verfuegbar = true, .handler = &Z::mnuSortGebtagClick, .trennerDavor = true},
      {.id = Bef::mnuSortGebDat, .menue = Menue::mnuSort, .titel = "nach Geburtsdatum",
       .hinweis = "Nach Geburtsdatum sortieren", .verfuegbar = true, .handler = &Z::mnuSortGebDatClick},
      {.id = Bef::mnuSortAlter, .menue = Menue::mnuSort, .titel = "nach Alter", .hinweis = "Nach Alter sortieren",
       .verfuegbar = true, .handler = &Z::mnuSortAlterClick},
      {.id = Bef::mnuSortEintritt, .menue = Menue::mnuSort, .titel = "nach Eintrittsdatum",
       .hinweis = "Nach Eintrittsdatum sortieren",
       .verfuegbar = true, .handler = &Z::mnuSortEintrittClick, .trennerDavor = true},
      {.id = Bef::mnuSortMitgl, .menue = Menue::mnuSort, .titel = "nach Mitgliedschaft",
       .hinweis = "Nach Dauer der Mitgliedschaft sortieren", .verfuegbar = true, .handler = &Z::mnuSortMitglClick},
      {.id = Bef::mnuSortAustritt, .menue = Menue::mnuSort, .titel = "nach Austrittsdatum",
       .hinweis = "Nach Austrittsdatum sortieren", .verfuegbar = true, .handler = &Z::mnuSortAustrittClick},
      {.id = Bef::mnuSortMNr, .menue = Menue::mnuSort, .titel = "nach Mitgliedsnummer",
       .hinweis = "Nach Mitgliedsnummer sortieren",
       .verfuegbar = true, .handler = &Z::mnuSortMNrClick, .trennerDavor = true},
      {.id = Bef::mnuSortAenderung, .menue = Menue::mnuSort, .titel = "nach letzter Änderung",
       .hinweis = "Nach der letzten Änderung sortieren", .verfuegbar = true, .handler = &Z::mnuSortAenderungClick},
      {.id = Bef::mnuSortErweitert, .menue = Menue::mnuSort, .titel = "Erweiterte Sortierung...", .taste = "Ctrl+O",
       .hinweis = "Nach frei gewählten Kriterien sortieren",
       .verfuegbar = true, .handler = &Z::mnuSortErweitertClick, .trennerDavor = true},
      {.id = Bef::mnuExtrasMassenEhrungenAkt, .menue = Menue::mnuExtrasMassen, .titel = "&Ehrungen aktualisieren...",
       .hinweis = "Ehrungen auf den aktuellen Stand bringen", .rechte = {kMassenaenderung}, .R = true},
      {.id = Bef::mnuExtrasMassenManipul, .menue = Menue::mnuExtrasMassen, .titel = "&Mitgliedsdaten ersetzen...",
       .hinweis = "Einzelne Felder von Datensätzen austauschen bzw. ersetzen", .rechte = {kMassenaenderung},
       .R = true},
      {.id = Bef::mnuExtrasMassenNeueMGN, .menue = Menue::mnuExtrasMassen, .titel = "&Neue Mitgliedsnummern...",
       .hinweis = "Alle Mitgliedsnummern neu vergeben", .rechte = {kMassenaenderung}, .R = true},
      {.id = Bef::mnuExtrasMassenSelekLoschen, .menue = Menue::mnuExtrasMassen,
       .titel = "&Selektierte Mitglieder löschen...",
       .hinweis = "Alle momentan selektierten Datensätze unwiderruflich löschen",
       .rechte = {rMassenaenderung | rMitgliederHinzufuegen}, .R = true, .verfuegbar = true,
       .handler = &Z::mnuExtrasMassenSelekLoschenClick, .eigenePruefung = true},
      {.id = Bef::mnuExtrasMassenBereinigung, .menue = Menue::mnuExtrasMassen, .titel = "&Datenbank bereinigen...",
       .rechte = {kMassenaenderung}, .R = true},
      {.id = Bef::mnuExtrasMassenSEPA, .menue = Menue::mnuExtrasMassen, .titel = "SE&PA-Umstellung...",
       .hinweis = "Bankdaten der Mitglieder auf IBAN und SEPA-Mandate umstellen", .rechte = {kMassenaenderung},
       .R = true, .verfuegbar = true, .handler = &Z::mnuExtrasMassenSEPAClick, .trennerDavor = true},
      {.id = Bef::mnuExtrasImport, .menue = Menue::mnuExtrasMassen, .titel = "Textdatei &importieren...",
       .hinweis = "Mitglieder aus einer Textdatei importieren", .rechte = {kImport}, .R = true,
       .verfuegbar = true, .handler = &Z::mnuExtrasImportClick, .trennerDavor = true},
      {.id = Bef::mnuExtrasExport, .menue = Menue::mnuExtrasMassen, .titel = "Textdatei &exportieren...",
       .hinweis = "Mitgliederdaten in eine Textdatei exportieren", .rechte = {rBeitragsdatenAnzeigen},
       .verfuegbar = true, .handler = &Z::mnuExtrasExportClick},
      {.id = Bef::mnuExtrasBesterh, .menue = Menue::mnuExtras, .titel = "&Bestandszählung...",
       .hinweis = "Mitglieder für Bestandserhebungen der Verbände zählen", .verfuegbar = true,
       .handler = &Z::mnuExtrasBesterhClick, .trennerDavor = true},
      {.id = Bef::mnuExtrasFreieMGN, .menue = Menue::mnuExtras, .titel = "&Freie Mitgliedsnummern...",
       .hinweis = "Freie Mitgliedsnummern auflisten", .verfuegbar = true, .handler = &Z::mnuExtrasFreieMGNClick},
      {.id = Bef::mnuExtrasBenutzer, .menue = Menue::mnuExtras, .titel = "Benutzerwechsel...",
       .hinweis = "Als anderer Benutzer anmelden", .verfuegbar = true, .handler = &Z::mnuExtrasBenutzerClick,
       .trennerDavor = true},
      {.id = Bef::mnuExtrasStammdaten, .menue = Menue::mnuExtras, .titel = "&Vereinsstammdaten...",
       .hinweis = "Vereinsstammdaten bearbeiten", .rechte = {rStammdaten}, .R = true},
      {.id = Bef::Dateieinstellungen1, .menue = Menue::mnuExtras, .titel = "Dateioptionen und Benutzer...",
       .hinweis = "Dateioptionen und Benutzer bearbeiten",
       .rechte = {rPersoenlicheEinstellungen, rDateieinstellungen, rFtpEinstellungen}, .R = true,
       .eigenePruefung = true},
      {.id = Bef::mnuExtrasAustritte, .menue = Menue::mnuExtras, .titel = "Ehemalige Mitglieder (Archiv)...",
       .hinweis = "Tabelle der ehemaligen Mitglieder", .verfuegbar = true, .handler = &Z::mnuExtrasAustritteClick, .eigenePruefung = true},
      {.id = Bef::mnuExtrasFormulare, .menue = Menue::mnuExtras, .titel = "Gemeinsame Formulare (online)...",
       .hinweis = "Gemeinsame Formulare auf dem FTP-Server"},
      {.id = Bef::mnuExtrasBankVerz, .menue = Menue::mnuExtras, .titel = "B&ankenverzeichnis...",
       .hinweis = "Bankenverzeichnis bei der Bank des Mitglieds öffnen", .verfuegbar = true,
       .handler = &Z::mnuExtrasBankVerzClick},
      {.id = Bef::mnuExtrasSchriftEinstellungen, .menue = Menue::mnuExtras, .titel = "&Schriftarten definieren...",
       .hinweis = "Schriftarten für Listen und Ausdrucke festlegen", .trennerDavor = true},
      {.id = Bef::mnuExtrasOptionen, .menue = Menue::mnuExtras, .titel = "&Programmeinstellungen...",
       .hinweis = "Programmeinstellungen ändern"},

      // --- "&Info" ---
      {.id = Bef::mnuInfoVerein, .menue = Menue::mnuInfo, .titel = "&Datei und Verein...", .taste = "F1",
       .hinweis = "Informationen zur Datei und zum Verein", .verfuegbar = true, .handler = &Z::mnuInfoVereinClick},
      {.id = Bef::mnuInfoDatensatz, .menue = Menue::mnuInfo, .titel = "D&atensatz-Info...", .taste = "F2",
       .hinweis = "Erfassungs- und Änderungsdaten des Mitglieds anzeigen", .verfuegbar = true,
       .handler = &Z::mnuInfoDatensatzClick},
      {.id = Bef::mnuInfoStatistik, .menue = Menue::mnuInfo, .titel = "Mitgliederstatistik...",
       .hinweis = "Altersverteilung und Durchschnittswerte", .verfuegbar = true,
       .handler = &Z::mnuInfoStatistikClick},
      {.id = Bef::mnuInfoVersion, .menue = Menue::mnuInfo, .titel = "Versionsänderungen...",
       .hinweis = "Änderungen der Programmausgaben anzeigen", .verfuegbar = true,
       .handler = &Z::mnuInfoVersionClick, .trennerDavor = true, .ohneListe = true},
      {.id = Bef::AufUpdateprfen1, .menue = Menue::mnuInfo, .titel = "Auf Update prüfen...",
       .hinweis = "Auf eine neuere Programmausgabe prüfen"},
      {.id = Bef::mnuInfoProgramm, .menue = Menue::mnuInfo, .titel = "&Programmausgabe...",
       .hinweis = "Programmausgabe und Version anzeigen", .verfuegbar = true, .handler = &Z::mnuInfoProgrammClick,
       .ohneListe = true},

      // --- tool bar and field commands ---
      {.id = Bef::cboSuche, .titel = "Suche...", .hinweis = "Suche...", .verfuegbar = true},
      {.id = Bef::befZur, .titel = "Zurück", .hinweis = "Vorheriges selektiertes Mitglied", .wie = Bef::mnuMitglVorher},
      {.id = Bef::befVor, .titel = "Nächstes", .hinweis = "Nächstes selektiertes Mitglied", .wie = Bef::mnuMitglNaechst},
      {.id = Bef::befMitfin, .hinweis = "Mitfinanzierungen anzeigen", .wie = Bef::mnuMitglMitfin},
      {.id = Bef::befNotiz},
      {.id = Bef::befBearb, .titel = "Bearbeiten", .hinweis = "Mitglied bearbeiten", .wie = Bef::mnuMitglAendern},
      {.id = Bef::befHinz, .titel = "Hinzufügen", .hinweis = "Mitglied hinzufügen", .wie = Bef::mnuMitglHinzu},
      {.id = Bef::befEntf, .titel = "Entfernen", .hinweis = "Mitglied entfernen", .wie = Bef::mnuMitglEntfernen},
      {.id = Bef::befSel, .titel = "Selektiert", .hinweis = "Mitglied selektieren", .wie = Bef::mnuMitglSelekt},
      {.id = Bef::befGesSel, .titel = "Selektion",
       .hinweis = "Gesamtselektion [Listenselektion]|[Umschalttaste] = Listenselektion", .wie = Bef::mnuSelGesamt,
       .wieUmschalt = Bef::mnuSelEinzel},
      {.id = Bef::befTabelle, .titel = "&Tabellen",
       .hinweis = "Tabelle mit persönlichen [vereinsbezogenen] Daten|[Umschalttaste] = vereinsbezogene Daten",
       .wie = Bef::mnuTabPers, .wieUmschalt = Bef::mnuTabVerein},
      {.id = Bef::bldlPos, .hinweis = "Strg + Mausrad = nur selektierte Mitglieder scrollen", .verfuegbar = true},
      {.id = Bef::befMail, .titel = "@", .hinweis = "Email an Mitglied verfassen", .verfuegbar = true,
       .handler = &Z::befMailClick},
      {.id = Bef::befHttp, .titel = "www", .hinweis = "Link öffnen", .verfuegbar = true, .handler = &Z::befHttpClick},
      {.id = Bef::befZWechsel, .titel = ">>>", .hinweis = "Zahlendes Mitglied anzeigen", .verfuegbar = true,
       .handler = &Z::befZWechselClick},
  };
  return befehle;
}

}  // namespace zaq
