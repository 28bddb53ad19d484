#pragma once
// The Qt front end of the core's user interaction.
#include <QDialog>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "interaction/Oberflaeche.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace zaq::gui {

// The wait window: text line, 21-step progress bar, "Abbrechen".
class WarteFenster : public QDialog {
  Q_OBJECT
 public:
  explicit WarteFenster(QWidget* eltern = nullptr);
  void Anzeigen(const WarteZustand& zustand);

 protected:
  void closeEvent(QCloseEvent* e) override;
  void reject() override;

 private:
  QLabel* FText;
  QProgressBar* FBalken;
  QPushButton* FAbbrechen;
};

class QtOberflaeche : public Oberflaeche {
 public:
  using DialogFunktion = std::function<bool(DialogDaten&, QWidget* eltern)>;
  // Creates and shows the window of a window's data; the window owns it.
  using FensterFunktion = std::function<QWidget*(std::shared_ptr<FensterDaten>, QWidget* eltern)>;

  QtOberflaeche();
  ~QtOberflaeche() override;

  // Each dialog described as data has a Qt window, found by its Art().
  static void Registriere(const std::string& art, DialogFunktion funktion);
  static void RegistriereFenster(const std::string& art, FensterFunktion funktion);
  void SetzeHauptfenster(QWidget* fenster) { FHauptfenster = fenster; }

  Antwort Meldung(const MeldungsDaten& meldung) override;
  void WartenZeigen(const WarteZustand& zustand) override;
  void WartenVerbergen() override;
  void Verarbeiten() override;
  std::optional<std::string> DateiOeffnen(DateiDialog& dialog) override;
  std::optional<std::string> DateiSpeichern(DateiDialog& dialog) override;
  std::optional<std::string> Eingabe(const std::string& titel, const std::string& frage,
                                     const std::string& vorgabe) override;
  bool Dialog(DialogDaten& dialog) override;
  void MeldungsListe(const std::vector<std::string>& zeilen) override;
  void Zwischenablage(const std::string& text) override;
  void ZwischenablageRtf(const std::string& text, const std::string& rtf) override;
  void Fenster(std::shared_ptr<FensterDaten> fenster) override;
  // A PDF file can always be written, so there is always a printer.
  bool DruckerVorhanden() override { return true; }
  std::vector<std::string> Druckerliste() override;
  int Standarddrucker() override;
  void DruckerEinrichten() override;
  bool Drucken(TDruckauftrag& auftrag) override;

 private:
  static std::map<std::string, FensterFunktion>& Fensterarten();
  QWidget* Eltern() const;
  static std::map<std::string, DialogFunktion>& Dialoge();
  QPointer<QWidget> FHauptfenster;
  WarteFenster* FWarten = nullptr;
};

// Registers the Qt window Fenster for the dialog data Daten: it is shown
// modally and the dialog counts as confirmed when the window was accepted.
template <class Fenster, class Daten>
void RegistriereModal() {
  QtOberflaeche::Registriere(std::string(Daten::kArt), [](DialogDaten& d, QWidget* eltern) {
    Fenster fenster(static_cast<Daten&>(d), eltern);
    return fenster.exec() == QDialog::Accepted;
  });
}

QString Q(const std::string& utf8);
std::string S(const QString& text);

}  // namespace zaq::gui
