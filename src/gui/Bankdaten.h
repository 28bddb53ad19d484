#pragma once
// The bank data viewer window: renders TfrmBankdaten.
#include <QDialog>
#include <string>

#include "views/Bankdaten.h"

class QLabel;
class QLineEdit;

namespace zaq::gui {

class BankdatenFenster : public QDialog {
  Q_OBJECT
 public:
  explicit BankdatenFenster(const std::string& blz, QWidget* eltern = nullptr);
  TfrmBankdaten& Logik() { return FLogik; }

  // The search as the button runs it (also for tests).
  void Suchen();

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void Anzeigen();
  TfrmBankdaten FLogik;
  bool FGezeigt = false;
  QLineEdit* FBLZ;
  QLabel* FBezeichnung;
  QLabel* FSitz;
  QLabel* FKurzbezeichnung;
  QLabel* FBIC;
  QLabel* FVerfahren;
  QLabel* FIBANRegel;
};

// Opens the viewer modally for a bank code ("00000000" when none is known).
void ZeigeBankdaten(QWidget* eltern, const std::string& blz);

}  // namespace zaq::gui
