#include "gui/Bankdaten.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "gui/QtOberflaeche.h"

namespace zaq::gui {

BankdatenFenster::BankdatenFenster(const std::string& blz, QWidget* eltern) : QDialog(eltern), FLogik(blz) {
  setWindowTitle(Q(TfrmBankdaten::kTitel));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  auto* layout = new QVBoxLayout(this);
  auto* suche = new QHBoxLayout;
  suche->addWidget(new QLabel(Q(TfrmBankdaten::kBLZBeschriftung), this));
  FBLZ = new QLineEdit(Q(FLogik.txtBLZ), this);
  FBLZ->setObjectName(QStringLiteral("txtBLZ"));
  FBLZ->setMaxLength(10);  // room for "370 400 44"
  suche->addWidget(FBLZ, 1);
  auto* suchen = new QPushButton(QStringLiteral("Suchen"), this);
  suchen->setObjectName(QStringLiteral("befSuchen"));
  suchen->setDefault(true);
  suche->addWidget(suchen);
  layout->addLayout(suche);

  auto* felder = new QFormLayout;
  auto feld = [&](const char* beschriftung, const char* name) {
    auto* l = new QLabel(this);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setMinimumWidth(360);
    felder->addRow(Q(beschriftung), l);
    return l;
  };
  FBezeichnung = feld(TfrmBankdaten::kBezeichnungBeschriftung, "txtBezeichnung");
  FSitz = feld(TfrmBankdaten::kSitzBeschriftung, "txtSitz");
  FKurzbezeichnung = feld(TfrmBankdaten::kKurzbezeichnungBeschriftung, "txtKurzbezeichnung");
  FBIC = feld(TfrmBankdaten::kBICBeschriftung, "txtBIC");
  FVerfahren = feld(TfrmBankdaten::kVerfahrenBeschriftung, "txtVerfahren");
  FIBANRegel = feld(TfrmBankdaten::kIBANRegelBeschriftung, "txtIBANRegel");
  layout->addLayout(felder);

  auto* knoepfe = new QDialogButtonBox(this);
  knoepfe->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
  layout->addWidget(knoepfe);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(suchen, &QPushButton::clicked, this, &BankdatenFenster::Suchen);
  connect(FBLZ, &QLineEdit::returnPressed, this, &BankdatenFenster::Suchen);
}

void BankdatenFenster::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (FGezeigt) return;
  FGezeigt = true;
  FLogik.FormShow();
  Anzeigen();
}

void BankdatenFenster::Suchen() {
  FLogik.txtBLZ = S(FBLZ->text());
  FLogik.befSuchenClick();
  Anzeigen();
}

void BankdatenFenster::Anzeigen() {
  FBezeichnung->setText(Q(FLogik.txtBezeichnung));
  FSitz->setText(Q(FLogik.txtSitz));
  FKurzbezeichnung->setText(Q(FLogik.txtKurzbezeichnung));
  FBIC->setText(Q(FLogik.txtBIC));
  FVerfahren->setText(Q(FLogik.txtVerfahren));
  FIBANRegel->setText(Q(FLogik.txtIBANRegel));
  if (FLogik.FBLZAuswaehlen) {
    FLogik.FBLZAuswaehlen = false;
    FBLZ->setFocus();
    FBLZ->selectAll();
  }
}

void ZeigeBankdaten(QWidget* eltern, const std::string& blz) {
  BankdatenFenster fenster(blz, eltern);
  fenster.exec();
}

}  // namespace zaq::gui
