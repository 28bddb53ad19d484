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

QWidget* Seite(QStackedWidget* stapel, QVBoxLayout*& layout) {
  auto* w = new QWidget(stapel);
  layout = new QVBoxLayout(w);
  stapel->addWidget(w);
  return w;
}

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
    : QDialog(eltern), FLogik(logik) {
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  setWindowTitle(Q(TfrmRechnungsAssistent::kTitel));
  auto* layout = new QVBoxLayout(this);
  FSchritt = new QLabel(this);
  QFont fett = FSchritt->font();
  fett.setBold(true);
  FSchritt->setFont(fett);
  layout->addWidget(FSchritt);
  FSeiten = new QStackedWidget(this);
  layout->addWidget(FSeiten);
  QVBoxLayout* s = nullptr;

  Seite(FSeiten, s);
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

  Seite(FSeiten, s);
  FNurSelektierte = new QRadioButton(Q(TfrmRechnungsAssistent::kNurSelektierte), this);
  FAlleMitglieder = new QRadioButton(Q(TfrmRechnungsAssistent::kAlleMitglieder), this);
  auto* mitglieder = new QButtonGroup(this);
  mitglieder->addButton(FNurSelektierte);
  mitglieder->addButton(FAlleMitglieder);
  (logik.FNurSelektierte ? FNurSelektierte : FAlleMitglieder)->setChecked(true);
  s->addWidget(FNurSelektierte);
  s->addWidget(FAlleMitglieder);
  auto* selektion = new QHBoxLayout;
  FGesamt = new QPushButton(QStringLiteral("Gesamtselektion..."), this);
  FListe = new QPushButton(QStringLiteral("Listenselektion..."), this);
  selektion->addWidget(FGesamt);
  selektion->addWidget(FListe);
  s->addLayout(selektion);
  s->addStretch();
  connect(FNurSelektierte, &QRadioButton::toggled, this, [this](bool an) {
    FLogik.FNurSelektierte = an;
    Zeigen();
  });
  connect(FGesamt, &QPushButton::clicked, this, [this] { FLogik.Gesamtselektion(); });
  connect(FListe, &QPushButton::clicked, this, [this] { FLogik.Listenselektion(); });

  Seite(FSeiten, s);
  FDatumText = new QLabel(this);
  s->addWidget(FDatumText);
  FTestlauf = new QRadioButton(Q(TfrmRechnungsAssistent::kTestlauf), this);
  FVorlaeufig = new QRadioButton(Q(TfrmRechnungsAssistent::kVorlaeufig), this);
  s->addWidget(FTestlauf);
  s->addWidget(FVorlaeufig);
  s->addStretch();

  auto* knoepfe = new QHBoxLayout;
  FZurueck = new QPushButton(QStringLiteral("Zurück"), this);
  FWeiter = new QPushButton(QStringLiteral("Weiter"), this);
  auto* abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
  knoepfe->addStretch();
  knoepfe->addWidget(FZurueck);
  knoepfe->addWidget(FWeiter);
  knoepfe->addWidget(abbrechen);
  layout->addLayout(knoepfe);
  FWeiter->setDefault(true);
  connect(FZurueck, &QPushButton::clicked, this, &RechnungsAssistentFenster::Zurueck);
  connect(FWeiter, &QPushButton::clicked, this, &RechnungsAssistentFenster::Weiter);
  connect(abbrechen, &QPushButton::clicked, this, &QDialog::reject);
  Zeigen();
  resize(480, 280);
}

void RechnungsAssistentFenster::Uebernehmen() {
  FLogik.FRechendatum = static_cast<Tag>(kTagNull.daysTo(FRechendatum->date()));
  FLogik.FVollesJahr = FVollesJahr->isChecked();
  FLogik.FNullbetraege = FNullbetraege->isChecked();
  FLogik.FNurSelektierte = FNurSelektierte->isChecked();
  FLogik.FDatumwahl = FVorlaeufig->isChecked()  ? TfrmRechnungsAssistent::vorlaeufig
                      : FTestlauf->isChecked() ? TfrmRechnungsAssistent::testlauf
                                               : TfrmRechnungsAssistent::keine;
}

void RechnungsAssistentFenster::Zeigen() {
  FSchritt->setText(Q(FLogik.SchrittTitel()));
  FSeiten->setCurrentIndex(FLogik.Schritt() - 1);
  FDatumText->setText(Q(FLogik.RechendatumText()));
  FGesamt->setEnabled(FLogik.SelektionMoeglich());
  FListe->setEnabled(FLogik.SelektionMoeglich());
  FZurueck->setEnabled(FLogik.Schritt() > 1);
  FWeiter->setText(FLogik.Letzter() ? QStringLiteral("OK") : QStringLiteral("Weiter"));
}

void RechnungsAssistentFenster::Weiter() {
  Uebernehmen();
  if (!FLogik.Weiter()) return;
  if (FLogik.Fertig()) {
    accept();
    return;
  }
  Zeigen();
}

void RechnungsAssistentFenster::Zurueck() {
  Uebernehmen();
  FLogik.Zurueck();
  Zeigen();
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
