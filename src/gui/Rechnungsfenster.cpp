#include "gui/Rechnungsfenster.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/Text.h"
#include "gui/QtOberflaeche.h"

namespace zaq::gui {

namespace {

const QDate kTagNull(1899, 12, 30);

}  // namespace

// --- "Mitgliedsbeiträge überprüfen" ---

BeitragspruefungFenster::BeitragspruefungFenster(std::shared_ptr<TfrmBeitragspruefung> logik, QWidget* eltern)
    : QDialog(eltern), FLogik(std::move(logik)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Mitgliedsbeiträge überprüfen"));
  auto* layout = new QHBoxLayout(this);
  auto* links = new QVBoxLayout;
  FKalender = new QCalendarWidget(this);
  FKalender->setSelectedDate(kTagNull.addDays(FLogik->FRechendatum));
  links->addWidget(new QLabel(QStringLiteral("Rechendatum:"), this));
  links->addWidget(FKalender);
  FVollesJahr = new QCheckBox(Q(TfrmBeitragspruefung::kVollesJahr), this);
  links->addWidget(FVollesJahr);
  auto* berechnen = new QPushButton(QStringLiteral("Berechnen"), this);
  berechnen->setDefault(true);
  links->addWidget(berechnen);
  links->addStretch();
  layout->addLayout(links);
  FBericht = new QTreeWidget(this);
  FBericht->setRootIsDecorated(false);
  QStringList spalten;
  for (const auto& s : TfrmBeitragspruefung::Spalten()) spalten << Q(s);
  FBericht->setHeaderLabels(spalten);
  layout->addWidget(FBericht, 1);
  connect(berechnen, &QPushButton::clicked, this, &BeitragspruefungFenster::Berechnen);
  resize(900, 450);
  Aktualisieren();
}

void BeitragspruefungFenster::Berechnen() {
  FLogik->FRechendatum = static_cast<Tag>(kTagNull.daysTo(FKalender->selectedDate()));
  FLogik->FVollesJahr = FVollesJahr->isChecked();
  FLogik->Berechnen();
  Aktualisieren();
}

void BeitragspruefungFenster::Aktualisieren() {
  FBericht->clear();
  for (const std::string& zeile : FLogik->Bericht().Zeilen) {
    QStringList spalten;
    for (int i = 1; i <= std::max(FeldAnzahl(zeile, ";"), 1); ++i) spalten << Q(Feld(zeile, ";", i));
    FBericht->addTopLevelItem(new QTreeWidgetItem(spalten));
  }
  for (int i = 0; i < FBericht->columnCount(); ++i) FBericht->resizeColumnToContents(i);
}

// --- the invoice wizard ---

RechnungsAssistentFenster::RechnungsAssistentFenster(TfrmRechnungsAssistent& logik, QWidget* eltern)
    : AssistentRahmen(logik, Q(TfrmRechnungsAssistent::kTitel), QStringLiteral("OK"), eltern), FLogik(logik) {
  QVBoxLayout* s = NeueSeite();
  s->addWidget(new QLabel(QStringLiteral("Rechendatum:"), this));
  FRechendatum = new QDateEdit(kTagNull.addDays(logik.FRechendatum), this);
  FRechendatum->setCalendarPopup(true);
  FRechendatum->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  s->addWidget(FRechendatum);
  FVollesJahr = new QCheckBox(Q(TfrmRechnungsAssistent::kVollesJahr), this);
  FNullbetraege = new QCheckBox(Q(TfrmRechnungsAssistent::kNullbetraege), this);
  FNullbetraege->setChecked(logik.FNullbetraege);
  s->addWidget(FVollesJahr);
  s->addWidget(FNullbetraege);
  s->addStretch();

  Mitgliederseite();

  s = NeueSeite();
  FDatumText = new QLabel(this);
  s->addWidget(FDatumText);
  FTestlauf = new QRadioButton(Q(TfrmRechnungsAssistent::kTestlauf), this);
  FVorlaeufig = new QRadioButton(Q(TfrmRechnungsAssistent::kVorlaeufig), this);
  s->addWidget(FTestlauf);
  s->addWidget(FVorlaeufig);
  s->addStretch();

  Knoepfe();
  Zeigen();
  resize(480, 280);
}

void RechnungsAssistentFenster::Uebernehmen() {
  AssistentRahmen::Uebernehmen();
  FLogik.FRechendatum = static_cast<Tag>(kTagNull.daysTo(FRechendatum->date()));
  FLogik.FVollesJahr = FVollesJahr->isChecked();
  FLogik.FNullbetraege = FNullbetraege->isChecked();
  FLogik.FDatumwahl = FVorlaeufig->isChecked()  ? TfrmRechnungsAssistent::vorlaeufig
                      : FTestlauf->isChecked() ? TfrmRechnungsAssistent::testlauf
                                               : TfrmRechnungsAssistent::keine;
}

void RechnungsAssistentFenster::Zeigen() {
  AssistentRahmen::Zeigen();
  FDatumText->setText(Q(FLogik.RechendatumText()));
}

void RegistriereRechnungsfenster() {
  RegistriereModal<RechnungsAssistentFenster, TfrmRechnungsAssistent>();
  QtOberflaeche::RegistriereFenster(std::string(TfrmBeitragspruefung::kArt),
                                    [](std::shared_ptr<FensterDaten> d, QWidget* eltern) {
                                      auto* f = new BeitragspruefungFenster(
                                          std::static_pointer_cast<TfrmBeitragspruefung>(std::move(d)), eltern);
                                      f->show();
                                      return static_cast<QWidget*>(f);
                                    });
}

}  // namespace zaq::gui
