#include "gui/Einzugsfenster.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/Text.h"
#include "debits/sepa/Buchungsliste.h"
#include "fees/Beitrag.h"
#include "gui/QtOberflaeche.h"
#include "views/Hauptfenster.h"

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

// --- the wizards ----------------------------------------------------------

AssistentFenster::AssistentFenster(TfrmSEPAAssistent& logik, QWidget* eltern) : QDialog(eltern), FLogik(logik) {
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  setWindowTitle(Q(logik.Titel()));
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
  s->addWidget(new QLabel(QStringLiteral("Dateibeschreibung:"), this));
  FBeschreibung = new QLineEdit(Q(logik.FBeschreibung), this);
  FBeschreibung->setObjectName(QStringLiteral("txtBeschreibung"));
  FBeschreibung->setMaxLength(static_cast<int>(TfrmSEPAAssistent::kBeschreibungLaenge));
  s->addWidget(FBeschreibung);
  s->addStretch();

  Seite(FSeiten, s);
  s->addWidget(new QLabel(QStringLiteral("Verwendungszweck:"), this));
  FZweck = new QLineEdit(Q(logik.FZweck), this);
  FZweck->setObjectName(QStringLiteral("txtZweck"));
  FZweck->setMaxLength(static_cast<int>(TfrmSEPAAssistent::kZweckLaenge));
  s->addWidget(FZweck);
  auto* variablen = new QPushButton(QStringLiteral("Variablen..."), this);
  connect(variablen, &QPushButton::clicked, this, [] {
    Meldung(TfrmSEPAAssistent::VariablenText(), MeldungsArt::Information);
  });
  s->addWidget(variablen, 0, Qt::AlignLeft);
  FBetrag = new QLineEdit(Q(logik.FBetrag), this);
  FBetrag->setObjectName(QStringLiteral("txtBetrag"));
  if (logik.Sonder()) {
    s->addWidget(new QLabel(QStringLiteral("Betrag je Mitglied:"), this));
    s->addWidget(FBetrag);
  } else {
    FBetrag->hide();
  }
  s->addStretch();

  Seite(FSeiten, s);
  s->addWidget(new QLabel(QStringLiteral("Rechendatum:"), this));
  FRechendatum = new QDateEdit(kTagNull.addDays(logik.FRechendatum), this);
  FRechendatum->setCalendarPopup(true);
  FRechendatum->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  s->addWidget(FRechendatum);
  FVollesJahr = new QCheckBox(QStringLiteral("Vollen Jahresbeitrag einziehen"), this);
  s->addWidget(FVollesJahr);
  FTestlauf = new QRadioButton(Q(TfrmSEPAAssistent::kKeineAenderung), this);
  FVorlaeufig = new QRadioButton(Q(TfrmSEPAAssistent::kVorlaeufig), this);
  s->addWidget(FTestlauf);
  s->addWidget(FVorlaeufig);
  s->addStretch();

  Seite(FSeiten, s);
  s->addWidget(new QLabel(QStringLiteral("Vereinskonto:"), this));
  FKonten = new QListWidget(this);
  for (const auto& k : logik.FKonten) FKonten->addItem(Q(k));
  s->addWidget(FKonten);

  Seite(FSeiten, s);
  FKontofilter = new QRadioButton(Q(TfrmSEPAAssistent::kKontofilter), this);
  FAlleKonten = new QRadioButton(Q(TfrmSEPAAssistent::kAlleKonten), this);
  auto* kontoGruppe = new QButtonGroup(this);
  kontoGruppe->addButton(FKontofilter);
  kontoGruppe->addButton(FAlleKonten);
  s->addWidget(FKontofilter);
  s->addWidget(FAlleKonten);
  s->addStretch();

  Seite(FSeiten, s);
  FNurSelektierte = new QRadioButton(Q(TfrmSEPAAssistent::kNurSelektierte), this);
  FAlleMitglieder = new QRadioButton(Q(TfrmSEPAAssistent::kAlleMitglieder), this);
  auto* mitgliedGruppe = new QButtonGroup(this);
  mitgliedGruppe->addButton(FNurSelektierte);
  mitgliedGruppe->addButton(FAlleMitglieder);
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
    FGesamt->setEnabled(an);
    FListe->setEnabled(an);
  });
  connect(FGesamt, &QPushButton::clicked, this, [this] { FLogik.Gesamtselektion(); });
  connect(FListe, &QPushButton::clicked, this, [this] { FLogik.Listenselektion(); });

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
  connect(FZurueck, &QPushButton::clicked, this, &AssistentFenster::Zurueck);
  connect(FWeiter, &QPushButton::clicked, this, &AssistentFenster::Weiter);
  connect(abbrechen, &QPushButton::clicked, this, &QDialog::reject);
  Zeigen();
  resize(480, 300);
}

void AssistentFenster::Uebernehmen() {
  FLogik.FBeschreibung = S(FBeschreibung->text());
  FLogik.FZweck = S(FZweck->text());
  FLogik.FBetrag = S(FBetrag->text());
  FLogik.FRechendatum = static_cast<Tag>(kTagNull.daysTo(FRechendatum->date()));
  FLogik.FVollesJahr = FVollesJahr->isChecked();
  FLogik.FDatumwahl = FVorlaeufig->isChecked()  ? TfrmSEPAAssistent::vorlaeufig
                      : FTestlauf->isChecked() ? TfrmSEPAAssistent::testlauf
                                               : TfrmSEPAAssistent::keine;
  FLogik.FKonto = FKonten->currentRow();
  FLogik.FKontofilter = FKontofilter->isChecked();
  FLogik.FNurSelektierte = FNurSelektierte->isChecked();
}

void AssistentFenster::Zeigen() {
  FSchritt->setText(Q(FLogik.SchrittTitel()));
  FSeiten->setCurrentIndex(static_cast<int>(FLogik.AktuelleSeite()));
  FKonten->setCurrentRow(FLogik.FKonto);
  FKontofilter->setChecked(FLogik.FKontofilter);
  FAlleKonten->setChecked(!FLogik.FKontofilter);
  FNurSelektierte->setChecked(FLogik.FNurSelektierte);
  FAlleMitglieder->setChecked(!FLogik.FNurSelektierte);
  FGesamt->setEnabled(FLogik.SelektionMoeglich());
  FListe->setEnabled(FLogik.SelektionMoeglich());
  FZurueck->setEnabled(FLogik.Schritt() > 1);
  FWeiter->setText(FLogik.Letzter() ? QStringLiteral("Speichern") : QStringLiteral("Weiter"));
}

void AssistentFenster::Weiter() {
  Uebernehmen();
  if (!FLogik.Weiter()) return;
  if (FLogik.Fertig()) {
    accept();
    return;
  }
  Zeigen();
}

void AssistentFenster::Zurueck() {
  Uebernehmen();
  FLogik.Zurueck();
  Zeigen();
}

void RegistriereEinzugsfenster() {
  RegistriereModal<AssistentFenster, TfrmSEPAAssistent>();
}

}  // namespace zaq::gui
