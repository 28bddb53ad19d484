#include <QApplication>

#include "gui/Bearbeiten.h"
#include "gui/Beitragsdialoge.h"
#include "gui/Dateiinfo.h"
#include "gui/Dialoge.h"
#include "gui/Druckfenster.h"
#include "gui/Einzugsfenster.h"
#include "gui/Fenster.h"
#include "gui/Hauptfenster.h"
#include "gui/Importfenster.h"
#include "gui/Lgvfenster.h"
#include "gui/QtOberflaeche.h"
#include "gui/Rechnungsfenster.h"
#include "gui/Selektionsfenster.h"
#include "gui/Sepafenster.h"
#include "gui/Sortierfenster.h"
#include "gui/Statistikfenster.h"
#include "gui/Tabellenfenster.h"
#include "interaction/Einstellungen.h"
#include "interaction/Warten.h"
#include "platform/Plattform.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ZAQ Mitgliederverwaltung"));
  zaq::gui::QtOberflaeche ui;
  zaq::OberflaecheSetzen setzen(ui);
  zaq::gui::RegistriereDialoge();

  zaq::plattform::Einzelinstanz instanz("ZAQ Mitgliederverwaltung");
  if (instanz.BereitsVorhanden()) {
    zaq::Meldung("ZAQ Mitgliederverwaltung läuft bereits, sie kann nur einmal ausgeführt werden.",
                 zaq::MeldungsArt::Fehler);
    return 0;
  }
  zaq::PruefeEinstellungsdatei();
  zaq::gui::RegistriereFenster();
  zaq::gui::RegistriereBearbeiten();
  zaq::gui::RegistriereBeitragsdialoge();
  zaq::gui::RegistriereSortierfenster();
  zaq::gui::RegistriereSelektionsfenster();
  zaq::gui::RegistriereTabellenfenster();
  zaq::gui::RegistriereEinzugsfenster();
  zaq::gui::RegistriereSepafenster();
  zaq::gui::RegistriereRechnungsfenster();
  zaq::gui::RegistriereDruckfenster();
  zaq::gui::RegistriereImportfenster();
  zaq::gui::RegistriereLgvfenster();
  zaq::gui::RegistriereStatistikfenster();
  zaq::gui::RegistriereDateiinfo();

  zaq::gui::Hauptfenster fenster;
  ui.SetzeHauptfenster(&fenster);
  zaq::Warten().ZeigeStatus("Starte Mitgliederverwaltung");
  std::vector<std::string> argumente;
  for (const QString& a : QApplication::arguments().mid(1)) argumente.push_back(zaq::gui::S(a));
  fenster.show();
  if (!fenster.Programm().Starten(argumente)) return 0;
  int ergebnis = QApplication::exec();
  zaq::Warten().Schliessen();
  return ergebnis;
}
