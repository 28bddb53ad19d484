#pragma once
// The Qt LGV window: one booking of an older debit or credit list at a time,
// the window's commands in menus and tool bar, the search window, and the
// dialogs "Buchungsstammdaten" and "Verwendungszweckfelder und Beträge
// setzen".
#include <QDialog>
#include <QMainWindow>
#include <functional>
#include <memory>

#include "gui/Formularfenster.h"
#include "views/Lgvfenster.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QTableWidget;

namespace zaq::gui {

class LgvFenster : public FormularFenster {
  Q_OBJECT
 public:
  LgvFenster(std::shared_ptr<TfrmLGV> logik, QWidget* eltern);
  void Aktualisieren() override;
  TfrmLGV& Logik() { return *FLogik; }
  QLineEdit* Kontoinhaber() const { return FKontoinhaber; }
  QLineEdit* BLZ() const { return FBLZ; }
  QLineEdit* Kontonummer() const { return FKonto; }
  QLineEdit* Betrag() const { return FBetrag; }
  QLineEdit* Zweck1() const { return FZweck1; }
  QTableWidget* Zweckzeilen() const { return FZeilen; }
  QLabel* Formular() const { return FFormular; }
  QLabel* Betragsbeschriftung() const { return FBetragsbeschriftung; }

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  void Getippt();
  std::shared_ptr<TfrmLGV> FLogik;
  QLabel *FFormular, *FBank, *FBetragsbeschriftung, *FSumme;
  QLineEdit *FKontoinhaber, *FBLZ, *FKonto, *FBetrag, *FZweck1;
  QTableWidget* FZeilen;
};

class LgvStammdatenDialog : public QDialog {
  Q_OBJECT
 public:
  LgvStammdatenDialog(TfrmLgvStammdaten& logik, QWidget* eltern);
  void OK();

 private:
  void Zeigen();
  TfrmLgvStammdaten& FLogik;
  QLineEdit *FReferenz, *FAuftraggeber, *FBankname, *FBeschreibung, *FBLZ, *FKonto;
};

class LgvMehrfachDialog : public QDialog {
  Q_OBJECT
 public:
  LgvMehrfachDialog(TfrmLgvMehrfach& logik, QWidget* eltern);
  void OK();

 private:
  TfrmLgvMehrfach& FLogik;
  QLineEdit* FBetrag;
  std::vector<QLineEdit*> FZeilen;
  QCheckBox* FAnfuegen;
};

void RegistriereLgvfenster();

}  // namespace zaq::gui
