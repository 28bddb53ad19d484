#include "gui/Dateiinfo.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gui/QtOberflaeche.h"

namespace zaq::gui {

DateiInfoDialog::DateiInfoDialog(TfrmDateiInfo& logik, QWidget* eltern) : QDialog(eltern) {
  setWindowTitle(QStringLiteral("Informationen zur Datei"));
  resize(640, 560);
  auto* layout = new QVBoxLayout(this);
  FListe = new QTreeWidget(this);
  FListe->setObjectName(QStringLiteral("lstInfo"));
  FListe->setRootIsDecorated(false);
  FListe->setHeaderLabels({QStringLiteral("Schlüssel"), QStringLiteral("Eintrag")});
  for (const auto& [key, wert] : logik.Zeilen) FListe->addTopLevelItem(new QTreeWidgetItem({Q(key), Q(wert)}));
  FListe->header()->resizeSection(0, 260);
  layout->addWidget(FListe, 1);
  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Close, this);
  auto* kopieren = knoepfe->addButton(QStringLiteral("Kopieren"), QDialogButtonBox::ActionRole);
  auto* drucken = knoepfe->addButton(QStringLiteral("Drucken"), QDialogButtonBox::ActionRole);
  drucken->setEnabled(static_cast<bool>(logik.Drucken));
  layout->addWidget(knoepfe);
  connect(kopieren, &QPushButton::clicked, this, [&logik] { logik.Kopieren(); });
  connect(drucken, &QPushButton::clicked, this, [&logik] { logik.Drucken(); });
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

namespace {

QGroupBox* Rahmen(QWidget* eltern, const QString& titel,
                  const std::vector<std::pair<std::string, const std::vector<std::uint8_t>*>>& teile) {
  auto* rahmen = new QGroupBox(titel, eltern);
  auto* layout = new QVBoxLayout(rahmen);
  for (const auto& [text, bild] : teile) {
    auto* zeile = new QHBoxLayout;
    if (bild && !bild->empty()) {
      QPixmap pixmap;
      if (pixmap.loadFromData(bild->data(), static_cast<uint>(bild->size()))) {
        auto* b = new QLabel(rahmen);
        b->setPixmap(pixmap.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        zeile->addWidget(b);
      }
    }
    auto* l = new QLabel(Q(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), rahmen);
    l->setWordWrap(true);
    zeile->addWidget(l, 1);
    layout->addLayout(zeile);
  }
  return rahmen;
}

}  // namespace

DatensatzInfoDialog::DatensatzInfoDialog(TfrmDatensatzInfo& logik, QWidget* eltern) : QDialog(eltern) {
  setWindowTitle(QStringLiteral("Datensatzinfo"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Rahmen(this, QStringLiteral("Aufnahme und letzte Änderung"),
                           {{logik.Aufnahme, &logik.BildErsteller}, {logik.Aenderung, &logik.BildBearbeiter}}));
  layout->addWidget(Rahmen(this, QStringLiteral("Austritt"), {{logik.Austritt, &logik.BildAustritt}}));
  layout->addWidget(Rahmen(this, QStringLiteral("Speicherbedarf"), {{logik.Speicherbedarf, nullptr}}));
  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Close, this);
  layout->addWidget(knoepfe);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void RegistriereDateiinfo() {
  RegistriereModal<DateiInfoDialog, TfrmDateiInfo>();
  RegistriereModal<DatensatzInfoDialog, TfrmDatensatzInfo>();
}

}  // namespace zaq::gui
