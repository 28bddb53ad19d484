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

}  // namespace

AssistentFenster::AssistentFenster(TfrmSEPAAssistent& logik, QWidget* eltern)
    : AssistentRahmen(logik, Q(logik.Titel()), QStringLiteral("Speichern"), eltern), FLogik(logik) {
  QVBoxLayout* s = NeueSeite();
  s->addWidget(new QLabel(QStringLiteral("Dateibeschreibung:"), this));
  FBeschreibung = new QLineEdit(Q(logik.FBeschreibung), this);
  FBeschreibung->setObjectName(QStringLiteral("txtBeschreibung"));
  FBeschreibung->setMaxLength(static_cast<int>(TfrmSEPAAssistent::kBeschreibungLaenge));
  s->addWidget(FBeschreibung);
  s->addStretch();

  s = NeueSeite();
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

  s = NeueSeite();
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

  s = NeueSeite();
  s->addWidget(new QLabel(QStringLiteral("Vereinskonto:"), this));
  FKonten = new QListWidget(this);
  for (const auto& k : logik.FKonten) FKonten->addItem(Q(k));
  s->addWidget(FKonten);

  s = NeueSeite();
  FKontofilter = new QRadioButton(Q(TfrmSEPAAssistent::kKontofilter), this);
  FAlleKonten = new QRadioButton(Q(TfrmSEPAAssistent::kAlleKonten), this);
  auto* kontoGruppe = new QButtonGroup(this);
  kontoGruppe->addButton(FKontofilter);
  kontoGruppe->addButton(FAlleKonten);
  s->addWidget(FKontofilter);
  s->addWidget(FAlleKonten);
  s->addStretch();

  Mitgliederseite();
  Knoepfe();
  Zeigen();
  resize(480, 300);
}

void AssistentFenster::Uebernehmen() {
  AssistentRahmen::Uebernehmen();
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
}

void AssistentFenster::Zeigen() {
  AssistentRahmen::Zeigen();
  FKonten->setCurrentRow(FLogik.FKonto);
  FKontofilter->setChecked(FLogik.FKontofilter);
  FAlleKonten->setChecked(!FLogik.FKontofilter);
}

void RegistriereEinzugsfenster() {
  RegistriereModal<AssistentFenster, TfrmSEPAAssistent>();
}

}  // namespace zaq::gui
