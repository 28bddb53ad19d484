// The text of the window "Versionsänderungen".
#include "platform/Version.h"
#include "views/Hauptfenster.h"

namespace zaq {

std::string Versionsaenderungen() {
  return "Versionsänderungen der ZAQ Mitgliederverwaltung\r\n"
         "\r\n" +
         Ausgabe() +
         "\r\n"
         "- Hauptfenster mit Mitgliederansicht: persönliche Daten, Beitragsdaten, Zahlart mit\r\n"
         "  Lastschrift- und Zahlerdaten, Prüfung der IBAN und Anzeige der Bank\r\n"
         "- Blättern mit Bildlaufleiste, Mausrad und Tasten, auch nur durch selektierte Mitglieder\r\n"
         "- Schnellsuche nach Mitgliedsnummer und Namen; neue Mitglieder direkt aus der Suche anlegen\r\n"
         "- Mitglieder hinzufügen, duplizieren, bearbeiten, löschen und Mitgliedsnummern ändern\r\n"
         "- Benutzeranmeldung mit Rechten und Kennwortabfrage\r\n"
         "- Bankenverzeichnis mit Prüfziffernverfahren und IBAN-Berechnung\r\n";
}

}  // namespace zaq
