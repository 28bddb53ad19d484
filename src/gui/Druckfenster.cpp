#include "gui/Druckfenster.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/QtOberflaeche.h"
#include "qtdruck/QtDrucker.h"

namespace zaq::gui {

DruckDialogFenster::DruckDialogFenster(TDruckDialog& logik, QWidget* eltern) : QDialog(eltern), FLogik(logik) {
  auto* tabelle = dynamic_cast<TfrmTabDrucken*>(&logik);
  auto* buchungen = dynamic_cast<TfrmBuchungenDrucken*>(&logik);
  setWindowTitle(Q(std::string(logik.Art())));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  FTitel = new QLineEdit(Q(tabelle ? tabelle->FTitel : buchungen ? buchungen->FBeschreibung : std::string()), this);
  FTitel->setObjectName(QStringLiteral("txtTitel"));
  form->addRow(tabelle ? QStringLiteral("Titel:") : QStringLiteral("Beschreibung:"), FTitel);
  FVon = new QLineEdit(Q(logik.FVon), this);
  FVon->setObjectName(QStringLiteral("txtVon"));
  FBis = new QLineEdit(Q(logik.FBis), this);
  FBis->setObjectName(QStringLiteral("txtBis"));
  auto* zeilen = new QHBoxLayout;
  zeilen->addWidget(FVon);
  zeilen->addWidget(new QLabel(QStringLiteral("bis"), this));
  zeilen->addWidget(FBis);
  form->addRow(tabelle ? QStringLiteral("Zeilen von:") : QStringLiteral("Buchungen von:"), zeilen);
  FKopien = new QLineEdit(Q(logik.FKopien), this);
  FKopien->setObjectName(QStringLiteral("txtKopien"));
  form->addRow(QStringLiteral("Exemplare:"), FKopien);
  if (tabelle) {
    FSkalierung = new QComboBox(this);
    for (const auto& s : TfrmTabDrucken::Skalierungen()) FSkalierung->addItem(Q(s));
    FSkalierung->setCurrentIndex(tabelle->FSkalierung);
    form->addRow(QStringLiteral("Skalierung:"), FSkalierung);
  }
  auto* ausrichtung = new QHBoxLayout;
  auto* hoch = new QRadioButton(QStringLiteral("Hochformat"), this);
  FQuer = new QRadioButton(QStringLiteral("Querformat"), this);
  (logik.FQuer ? FQuer : hoch)->setChecked(true);
  ausrichtung->addWidget(hoch);
  ausrichtung->addWidget(FQuer);
  form->addRow(QStringLiteral("Ausrichtung:"), ausrichtung);
  FDrucker = new QComboBox(this);
  for (const auto& d : logik.FDrucker) FDrucker->addItem(Q(d));
  FDrucker->setCurrentIndex(logik.FDruckerIndex);
  form->addRow(QStringLiteral("Drucker:"), FDrucker);
  layout->addLayout(form);

  auto* knoepfe = new QDialogButtonBox(this);
  QPushButton* einrichten = knoepfe->addButton(QStringLiteral("&Einrichten..."), QDialogButtonBox::ActionRole);
  // The fonts dialog and the margin page come with the program settings.
  knoepfe->addButton(QStringLiteral("&Schriftart..."), QDialogButtonBox::ActionRole)->setEnabled(false);
  knoepfe->addButton(QStringLiteral("&Abstände..."), QDialogButtonBox::ActionRole)->setEnabled(false);
  QPushButton* vorschau = knoepfe->addButton(QStringLiteral("&Vorschau..."), QDialogButtonBox::ActionRole);
  knoepfe->addButton(QDialogButtonBox::Ok);
  knoepfe->addButton(QDialogButtonBox::Cancel);
  layout->addWidget(knoepfe);
  connect(einrichten, &QPushButton::clicked, this, [this] { FLogik.Einrichten(); });
  connect(vorschau, &QPushButton::clicked, this, [this] { OK(true); });
  connect(knoepfe, &QDialogButtonBox::accepted, this, [this] { OK(false); });
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void DruckDialogFenster::Uebernehmen() {
  if (auto* t = dynamic_cast<TfrmTabDrucken*>(&FLogik)) {
    t->FTitel = S(FTitel->text());
    t->FSkalierung = FSkalierung->currentIndex();
  } else if (auto* b = dynamic_cast<TfrmBuchungenDrucken*>(&FLogik)) {
    b->FBeschreibung = S(FTitel->text());
  }
  FLogik.FVon = S(FVon->text());
  FLogik.FBis = S(FBis->text());
  FLogik.FKopien = S(FKopien->text());
  FLogik.FQuer = FQuer->isChecked();
  FLogik.FDruckerIndex = FDrucker->currentIndex();
}

void DruckDialogFenster::OK(bool vorschau) {
  Uebernehmen();
  FLogik.FVorschau = vorschau;
  const bool ok = dynamic_cast<TfrmBuchungenDrucken*>(&FLogik) ? static_cast<TfrmBuchungenDrucken&>(FLogik).OK()
                                                                : FLogik.OK();
  if (ok) accept();
}

// --- printing ---

namespace {

TDruckerMasse Masse(QPrinter& p) {
  TDruckerMasse m;
  const QRect papier = p.paperRect(QPrinter::DevicePixel).toRect();
  const QRect seite = p.pageRect(QPrinter::DevicePixel).toRect();
  m.HR = p.width();
  m.VR = p.height();
  m.PW = papier.width();
  m.PH = papier.height();
  m.OX = seite.x() - papier.x();
  m.OY = seite.y() - papier.y();
  m.HS = std::max(1, p.widthMM());
  m.VS = std::max(1, p.heightMM());
  m.dpi = p.resolution();
  m.vorhanden = true;
  return m;
}

bool Drucke(TDruckauftrag& auftrag, QPrinter& drucker) {
  QPainter maler;
  if (!maler.begin(&drucker)) return false;
  qtdruck::QtDruckgeraet geraet(drucker, maler, Masse(drucker));
  const bool fertig = auftrag.drucken && auftrag.drucken(geraet);
  if (!fertig) drucker.abort();
  maler.end();
  return fertig;
}

bool Vorschau(TDruckauftrag& auftrag, QPrinter& drucker, QWidget* eltern) {
  QPrintPreviewDialog vorschau(&drucker, eltern);
  QObject::connect(&vorschau, &QPrintPreviewDialog::paintRequested, [&](QPrinter* p) { Drucke(auftrag, *p); });
  return vorschau.exec() == QDialog::Accepted;
}

}  // namespace

std::vector<std::string> QtDruckerliste() {
  std::vector<std::string> liste;
  for (const QString& name : QPrinterInfo::availablePrinterNames()) liste.push_back(S(name));
  liste.push_back(kPdfDrucker);
  return liste;
}

int QtStandarddrucker() {
  const auto liste = QtDruckerliste();
  const std::string standard = S(QPrinterInfo::defaultPrinterName());
  for (std::size_t i = 0; i < liste.size(); ++i)
    if (!standard.empty() && liste[i] == standard) return static_cast<int>(i);
  return static_cast<int>(liste.size()) - 1;
}

void QtDruckerEinrichten(QWidget* eltern) {
  QPrinter drucker(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
  QPageSetupDialog dialog(&drucker, eltern);
  dialog.exec();
}

bool QtDrucken(TDruckauftrag& auftrag, QWidget* eltern) {
  const std::string name = auftrag.drucker.empty() ? S(QPrinterInfo::defaultPrinterName()) : auftrag.drucker;
  if (name.empty() || name == kPdfDrucker) {
    if (auftrag.vorschau) {
      // Without a printer the preview shows the pages; its own print button writes a PDF.
      QPrinter drucker(QPrinter::HighResolution);
      drucker.setPageOrientation(auftrag.quer ? QPageLayout::Landscape : QPageLayout::Portrait);
      Vorschau(auftrag, drucker, eltern);
      return true;
    }
    DateiDialog d;
    d.titel = "Als PDF speichern";
    d.filter = {{"PDF-Dateien", "*.pdf"}};
    d.vorschlag = auftrag.titel;
    d.endung = "pdf";
    d.ueberschreibenFragen = true;
    const auto datei = UI().DateiSpeichern(d);
    return datei && qtdruck::DruckeAlsPdf(auftrag, *datei);
  }
  const QPrinterInfo info = QPrinterInfo::printerInfo(Q(name));
  if (info.isNull() || info.state() == QPrinter::Error) {
    Meldung("Der Drucker ist nicht bereit.", MeldungsArt::Fehler);
    return false;
  }
  QPrinter drucker(info, QPrinter::HighResolution);
  drucker.setDocName(Q(auftrag.titel));
  drucker.setCopyCount(auftrag.kopien);
  drucker.setPageOrientation(auftrag.quer ? QPageLayout::Landscape : QPageLayout::Portrait);
  return auftrag.vorschau ? Vorschau(auftrag, drucker, eltern) : Drucke(auftrag, drucker);
}

void RegistriereDruckfenster() {
  RegistriereModal<DruckDialogFenster, TfrmTabDrucken>();
  RegistriereModal<DruckDialogFenster, TfrmBuchungenDrucken>();
}

}  // namespace zaq::gui
