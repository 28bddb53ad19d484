#pragma once
// Qt windows of sorting, searching and table templates; the logic is in
// views/Sortieren and views/Tabellenvorlage.
#include <QDialog>
#include <QListWidget>
#include <array>
#include <functional>

#include "views/Sortieren.h"
#include "views/Tabellenvorlage.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;

namespace zaq::gui {

class SortierFenster : public QDialog {
  Q_OBJECT

 public:
  explicit SortierFenster(TfrmZAQSort& logik, QWidget* eltern = nullptr);
  QComboBox* Wahl(int j) const { return FWahl[static_cast<std::size_t>(j)]; }
  QCheckBox* Absteigend(int j) const { return FAbsteigend[static_cast<std::size_t>(j)]; }
  void Sortieren();

 private:
  TfrmZAQSort& FLogik;
  std::array<QComboBox*, 3> FWahl{};
  std::array<QCheckBox*, 3> FAbsteigend{};
};

// "Mitglied suchen": stays on top beside the main window.
class SuchFenster : public QDialog {
  Q_OBJECT

 public:
  SuchFenster(TfrmZAQSuchen& logik, QWidget* eltern = nullptr);
  QLineEdit* Text() const { return FText; }
  QCheckBox* Automatisch() const { return FAutomatisch; }
  void Suchen();
  // The logic's state into the widgets.
  void Zeige();

 protected:
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;

 private:
  TfrmZAQSuchen& FLogik;
  QLineEdit* FText;
  QCheckBox* FAutomatisch;
  bool FPlatziert = false;
};

// A field list of the template window: entries are dragged between the two
// lists and within the chosen one; the logic decides, the lists show it.
class Feldliste : public QListWidget {
  Q_OBJECT

 public:
  explicit Feldliste(QWidget* eltern = nullptr);
  std::function<void(Feldliste* quelle, int zeile, int luecke)> Abgelegt;
  // The gap nearest to a point in the list.
  int Luecke(const QPoint& punkt) const;

 protected:
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;
};

class VorlagenFenster : public QDialog {
  Q_OBJECT

 public:
  VorlagenFenster(TfrmZAQBenutzerTab& logik, QWidget* eltern = nullptr);
  Feldliste* Verfuegbar() const { return FVerfuegbar; }
  Feldliste* Gewaehlt() const { return FGewaehlt; }
  QLineEdit* TitelFeld() const { return FTitel; }
  QComboBox* Sortierung(int j) const { return FSortierung[static_cast<std::size_t>(j)]; }
  // An entry was dropped: from quelle's row zeile into ziel before gap luecke.
  void Ablegen(Feldliste* quelle, int zeile, Feldliste* ziel, int luecke);
  void Bestaetigen();

 private:
  void ZeigeListen();
  void Uebertragen();
  TfrmZAQBenutzerTab& FLogik;
  QLineEdit* FTitel;
  QLineEdit* FAbteilungen = nullptr;
  QDateEdit* FBezugsdatum = nullptr;
  Feldliste* FVerfuegbar;
  Feldliste* FGewaehlt;
  std::array<QCheckBox*, kTabFilter> FKriterien{};
  QListWidget* FGruppen = nullptr;
  std::array<QComboBox*, 3> FSortierung{};
  std::array<QCheckBox*, 3> FAbsteigend{};
  QRadioButton* FVorlagenSchrift = nullptr;
  QRadioButton* FProgrammSchrift = nullptr;
  std::array<QRadioButton*, 3> FSkalierung{};
};

void RegistriereSortierfenster();

}  // namespace zaq::gui
