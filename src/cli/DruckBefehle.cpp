#include "cli/DruckBefehle.h"

#include <QGuiApplication>
#include <cstdio>
#include <memory>

#include "cli/BankBefehle.h"
#include "cli/CliOberflaeche.h"
#include "cli/ListenBefehle.h"
#include "lists/Druck.h"
#include "lists/Tabelle.h"
#include "qtdruck/QtDrucker.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"

namespace zaq::cli {

namespace {

// Qt lays out text only with an application; the command line has no screen.
std::unique_ptr<QGuiApplication> Anwendung() {
  if (QGuiApplication::instance()) return nullptr;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's notes about the platform are no messages of this program.
  qInstallMessageHandler([](QtMsgType art, const QMessageLogContext&, const QString& text) {
    if (art == QtCriticalMsg || art == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(text));
  });
  static int argc = 1;
  static char name[] = "zaq-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

int Drucke(const Druckaufruf& a, CliOberflaeche& ui) {
  Befehlsverzeichnis verzeichnis;
  auto liste = TZAQ::CreateAusDatei(a.datei);
  if (!liste) return 1;
  const auto anwendung = Anwendung();
  ui.PdfDatei = a.ziel;
  std::unique_ptr<TTabelle> tabelle;
  TDruckauftrag auftrag;
  if (a.mitglied) {
    TMitglied* m = liste->SucheNummer(*a.mitglied);
    if (!m) {
      Meldung("Mitgliedsnummer ist nicht vorhanden.", MeldungsArt::Fehler);
      return 1;
    }
    auftrag.titel = "ZAQ Einzelausdruck";
    // The job runs after this block: the member goes in by value.
    auftrag.drucken = [&liste, m](TDruckgeraet& g) { return DruckeMitglied(*liste, *m, g); };
  } else if (a.stammdaten) {
    auftrag.titel = "ZAQ Stammdatenausdruck";
    auftrag.drucken = [&liste](TDruckgeraet& g) { return DruckeStammdaten(*liste, g); };
  } else {
    tabelle = BaueTabelle(*liste, a.vorlage, a.datum);
    if (!tabelle) return 1;
    auftrag.titel = "ZAQ Tabellenausdruck";
    const TTabellendruck druck = Tabellendruck(*tabelle);
    auftrag.drucken = [&tabelle, druck](TDruckgeraet& g) { return DruckeTabelle(*tabelle, druck, g); };
  }
  return UI().Drucken(auftrag) ? 0 : 1;
}

}  // namespace zaq::cli
