#include "gui/Assistent.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "gui/QtOberflaeche.h"

namespace zaq::gui {

AssistentRahmen::AssistentRahmen(TAssistent& logik, const QString& titel, const QString& letzterKnopf,
                                 QWidget* eltern)
    : QDialog(eltern), FLogik(logik), FLetzterKnopf(letzterKnopf) {
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  setWindowTitle(titel);
  auto* layout = new QVBoxLayout(this);
  FSchritt = new QLabel(this);
  QFont fett = FSchritt->font();
  fett.setBold(true);
  FSchritt->setFont(fett);
  layout->addWidget(FSchritt);
  FSeiten = new QStackedWidget(this);
  layout->addWidget(FSeiten);
}

QVBoxLayout* AssistentRahmen::NeueSeite() {
  auto* w = new QWidget(FSeiten);
  auto* layout = new QVBoxLayout(w);
  FSeiten->addWidget(w);
  return layout;
}

void AssistentRahmen::Mitgliederseite() {
  QVBoxLayout* s = NeueSeite();
  FNurSelektierte = new QRadioButton(Q(TAssistent::kNurSelektierte), this);
  FAlleMitglieder = new QRadioButton(Q(TAssistent::kAlleMitglieder), this);
  auto* gruppe = new QButtonGroup(this);
  gruppe->addButton(FNurSelektierte);
  gruppe->addButton(FAlleMitglieder);
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
}

void AssistentRahmen::Knoepfe() {
  auto* knoepfe = new QHBoxLayout;
  FZurueck = new QPushButton(QStringLiteral("Zurück"), this);
  FWeiter = new QPushButton(QStringLiteral("Weiter"), this);
  auto* abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
  knoepfe->addStretch();
  knoepfe->addWidget(FZurueck);
  knoepfe->addWidget(FWeiter);
  knoepfe->addWidget(abbrechen);
  static_cast<QVBoxLayout*>(layout())->addLayout(knoepfe);
  FWeiter->setDefault(true);
  connect(FZurueck, &QPushButton::clicked, this, &AssistentRahmen::Zurueck);
  connect(FWeiter, &QPushButton::clicked, this, &AssistentRahmen::Weiter);
  connect(abbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

void AssistentRahmen::Uebernehmen() {
  if (FNurSelektierte) FLogik.FNurSelektierte = FNurSelektierte->isChecked();
}

void AssistentRahmen::Zeigen() {
  FSchritt->setText(Q(FLogik.SchrittTitel()));
  FSeiten->setCurrentIndex(FLogik.Seite());
  if (FNurSelektierte) {
    FNurSelektierte->setChecked(FLogik.FNurSelektierte);
    FAlleMitglieder->setChecked(!FLogik.FNurSelektierte);
    FGesamt->setEnabled(FLogik.SelektionMoeglich());
    FListe->setEnabled(FLogik.SelektionMoeglich());
  }
  if (FZurueck) FZurueck->setEnabled(FLogik.Schritt() > 1);
  if (FWeiter) FWeiter->setText(FLogik.Letzter() ? FLetzterKnopf : QStringLiteral("Weiter"));
}

void AssistentRahmen::Weiter() {
  Uebernehmen();
  if (!FLogik.Weiter()) return;
  if (FLogik.Fertig()) {
    accept();
    return;
  }
  Zeigen();
}

void AssistentRahmen::Zurueck() {
  Uebernehmen();
  FLogik.Zurueck();
  Zeigen();
}

}  // namespace zaq::gui
