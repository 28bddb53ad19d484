#include "gui/Selektionsfenster.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/QtOberflaeche.h"
#include "interaction/Einstellungen.h"
#include "store/ZAQ.h"
#include "views/Beitragsdialoge.h"
#include "views/Eingabe.h"

namespace zaq::gui {

namespace {

void OhneHilfeKnopf(QDialog& d) { d.setWindowFlags(d.windowFlags() & ~Qt::WindowContextHelpButtonHint); }

// Dates take "," as "."; names 100 characters, dates 10, numbers 3, keys 5,
// bank codes 8.
enum class Art { Text, Datum, Zahl, Schluessel, BLZ };

TEingaberegel Regel(Art art) {
  switch (art) {
    case Art::Text: return {100, false, false};
    case Art::Datum: return {10, false, true};
    case Art::Zahl: return {3, false, true};
    case Art::Schluessel: return {5, true, false};
    case Art::BLZ: return {8, false, false};
  }
  return {};
}

QLineEdit* Eingabe(QWidget* eltern, const std::string& text, Art art, const QString& name) {
  auto* feld = new QLineEdit(Q(text), eltern);
  feld->setObjectName(name);
  const TEingaberegel regel = Regel(art);
  feld->setMaxLength(static_cast<int>(regel.laenge));
  QObject::connect(feld, &QLineEdit::textEdited, feld, [feld, regel](const QString& t) {
    const QString neu = Q(Getippt(regel, S(t)));
    if (neu == t) return;
    const int pos = feld->cursorPosition();
    feld->setText(neu);
    feld->setCursorPosition(std::min(pos, static_cast<int>(neu.size())));
  });
  return feld;
}

}  // namespace

// --- "Gesamtselektion" -------------------------------------------------------

SelGesamtFenster::SelGesamtFenster(TfrmZAQSelGesamt& logik, QWidget* eltern) : QDialog(eltern), FLogik(logik) {
  OhneHilfeKnopf(*this);
  setWindowTitle(Q(std::string(TfrmZAQSelGesamt::kArt)));
  auto* layout = new QVBoxLayout(this);
  auto* spalten = new QHBoxLayout;
  layout->addLayout(spalten);
  using K = TSelektionskriterien;
  auto gruppe = [&](const char* titel, QBoxLayout* ziel) {
    auto* g = new QGroupBox(Q(titel), this);
    auto* gitter = new QGridLayout(g);
    gitter->addWidget(new QLabel(QStringLiteral("von"), g), 0, 1);
    gitter->addWidget(new QLabel(QStringLiteral("bis"), g), 0, 2);
    ziel->addWidget(g);
    return gitter;
  };
  auto paar = [&](QGridLayout* gitter, const char* text, const char* name, std::string K::*von,
                  std::string K::*bis, Art art) {
    const int zeile = gitter->rowCount();
    gitter->addWidget(new QLabel(Q(text), this), zeile, 0);
    auto* a = Eingabe(this, FLogik.K.*von, art, QString::fromLatin1(name) + QStringLiteral("Von"));
    auto* b = Eingabe(this, FLogik.K.*bis, art, QString::fromLatin1(name) + QStringLiteral("Bis"));
    gitter->addWidget(a, zeile, 1);
    gitter->addWidget(b, zeile, 2);
    FTexte.push_back({a, von});
    FTexte.push_back({b, bis});
    return std::pair{a, b};
  };
  auto einzeln = [&](QGridLayout* gitter, const char* text, const char* name, std::string K::*wert, Art art) {
    const int zeile = gitter->rowCount();
    gitter->addWidget(new QLabel(Q(text), this), zeile, 0);
    auto* f = Eingabe(this, FLogik.K.*wert, art, QString::fromLatin1(name));
    gitter->addWidget(f, zeile, 1, 1, 2);
    FTexte.push_back({f, wert});
    return f;
  };

  auto* links = new QVBoxLayout;
  auto* rechts = new QVBoxLayout;
  spalten->addLayout(links);
  spalten->addLayout(rechts);

  QGridLayout* person = gruppe("&Persönliche Angaben", links);
  paar(person, "Nachname", "Nachname", &K::NachnameVon, &K::NachnameBis, Art::Text);
  paar(person, "Postleitzahl", "PLZ", &K::PLZVon, &K::PLZBis, Art::Text);
  paar(person, "Wohnort", "Wohnort", &K::WohnortVon, &K::WohnortBis, Art::Text);
  paar(person, "Land", "Land", &K::LandVon, &K::LandBis, Art::Text);
  paar(person, "Geburtsdatum", "Geburtsdatum", &K::GeburtsdatumVon, &K::GeburtsdatumBis, Art::Datum);
  paar(person, "Alter", "Alter", &K::AlterVon, &K::AlterBis, Art::Zahl);
  FMaenner = new QCheckBox(QStringLiteral("Männer"), this);
  FFrauen = new QCheckBox(QStringLiteral("Frauen"), this);
  person->addWidget(FMaenner, person->rowCount(), 1);
  person->addWidget(FFrauen, person->rowCount() - 1, 2);
  connect(FMaenner, &QCheckBox::clicked, this, [this](bool an) {
    FLogik.SetzeMaenner(an);
    Zeigen();
  });
  connect(FFrauen, &QCheckBox::clicked, this, [this](bool an) {
    FLogik.SetzeFrauen(an);
    Zeigen();
  });

  QGridLayout* verein = gruppe("&Vereinsbezogene Daten", links);
  paar(verein, "Eintrittsdatum", "Eintrittsdatum", &K::EintrittsdatumVon, &K::EintrittsdatumBis, Art::Datum);
  paar(verein, "Mitgliedschaft", "Mitgliedschaft", &K::MitgliedschaftVon, &K::MitgliedschaftBis, Art::Zahl);
  paar(verein, "Austrittsdatum", "Austrittsdatum", &K::AustrittsdatumVon, &K::AustrittsdatumBis, Art::Datum);
  paar(verein, "Ehrung", "Ehrung", &K::EhrungVon, &K::EhrungBis, Art::Zahl);
  FEhren = new QButtonGroup(this);
  auto* ehren = new QHBoxLayout;
  const char* ehrenTexte[] = {"&egal", "&Ehrenmitglied", "kein &Ehrenmitgl."};
  for (int i = 0; i < 3; ++i) {
    auto* r = new QRadioButton(Q(ehrenTexte[i]), this);
    FEhren->addButton(r, i);
    ehren->addWidget(r);
  }
  verein->addLayout(ehren, verein->rowCount(), 0, 1, 3);
  QLineEdit* abteilung = einzeln(verein, "Abteilung", "Abteilung", &K::Abteilung, Art::Text);
  abteilung->setToolTip(Q(TfrmZAQSelGesamt::kAbteilungHinweis));
  const int gruppenZeile = verein->rowCount();
  verein->addWidget(new QLabel(QStringLiteral("Gruppe"), this), gruppenZeile, 0);
  FGruppe = new QComboBox(this);
  for (const auto& g : FLogik.Gruppenliste()) FGruppe->addItem(Q(g));
  verein->addWidget(FGruppe, gruppenZeile, 1, 1, 2);

  QGridLayout* beitrag = gruppe("&Beitragsdaten", rechts);
  FRechnung = new QCheckBox(QStringLiteral("Rechnung"), this);
  FLastschrift = new QCheckBox(QStringLiteral("Lastschrift"), this);
  FMitfin = new QCheckBox(QStringLiteral("Mitfinanziert"), this);
  auto* zahlart = new QHBoxLayout;
  for (QCheckBox* c : {FRechnung, FLastschrift, FMitfin}) zahlart->addWidget(c);
  beitrag->addLayout(zahlart, beitrag->rowCount(), 0, 1, 3);
  // The key fields open the chooser from their ">>>" buttons.
  auto schluessel = [&](const char* text, const char* name, std::string K::*wert, int art) {
    QLineEdit* f = einzeln(beitrag, text, name, wert, Art::Schluessel);
    auto* knopf = new QPushButton(QStringLiteral(">>>"), this);
    knopf->setMaximumWidth(40);
    beitrag->addWidget(knopf, beitrag->rowCount() - 1, 3);
    connect(knopf, &QPushButton::clicked, this, [this, f, art] {
      std::string s = S(f->text());
      if (ZeigeSchlAuswahl(FLogik.Liste().FStammdaten, s, art)) f->setText(Q(s));
    });
  };
  schluessel("Beitragsschlüssel", "Beitragsschluessel", &K::Beitragsschluessel, skBeitragsklasse);
  paar(beitrag, "Bezahlt-Datum", "Bezahlt", &K::BezahltVon, &K::BezahltBis, Art::Datum);
  schluessel("Empfängerkontoschlüssel", "Empfaengerkonto", &K::Empfaengerkonto, skVereinskonto);
  paar(beitrag, "Bankleitzahl", "BLZ", &K::BLZVon, &K::BLZBis, Art::BLZ);
  auto [erstVon, erstBis] =
      paar(beitrag, "Erstbuchungsdatum", "Erstbuchung", &K::ErstbuchungVon, &K::ErstbuchungBis, Art::Datum);
  connect(erstVon, &QLineEdit::textChanged, this, [this, erstBis = erstBis](const QString& t) {
    FLogik.SetzeErstbuchungVon(S(t));
    if (t.isEmpty()) erstBis->setText(Q(FLogik.K.ErstbuchungBis));
  });

  QGridLayout* datensatz = gruppe("&Datensatz", rechts);
  paar(datensatz, "Erstelldatum", "Erstellt", &K::ErstelltVon, &K::ErstelltBis, Art::Datum);
  paar(datensatz, "Letzte Änderung", "Geaendert", &K::GeaendertVon, &K::GeaendertBis, Art::Datum);

  FOder = new QCheckBox(QStringLiteral("Vorhandene Selektion beibehalten (ODER)"), this);
  FUnd = new QCheckBox(QStringLiteral("Nur selektierte Mitglieder berücksichtigen (UND)"), this);
  layout->addWidget(FOder);
  layout->addWidget(FUnd);
  connect(FOder, &QCheckBox::clicked, this, [this](bool an) {
    FLogik.SetzeOption(TSelektionskriterien::oder, an);
    Zeigen();
  });
  connect(FUnd, &QCheckBox::clicked, this, [this](bool an) {
    FLogik.SetzeOption(TSelektionskriterien::und, an);
    Zeigen();
  });
  FStatus = new QLabel(this);
  layout->addWidget(FStatus);
  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  knoepfe->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  connect(knoepfe, &QDialogButtonBox::accepted, this, &SelGesamtFenster::OK);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(knoepfe);
  Zeigen();
  if (const auto x = LeseEinstellungZahl(esSelektionX), y = LeseEinstellungZahl(esSelektionY);
      x && y && (*x != 0 || *y != 0))
    move(*x, *y);
}

QLineEdit* SelGesamtFenster::Feld(const QString& name) const {
  for (const Textfeld& t : FTexte)
    if (t.feld->objectName() == name) return t.feld;
  return nullptr;
}

QCheckBox* SelGesamtFenster::Schalter(const QString& text) const {
  for (QCheckBox* c : {FMaenner, FFrauen, FRechnung, FLastschrift, FMitfin, FOder, FUnd})
    if (c->text() == text) return c;
  return nullptr;
}

void SelGesamtFenster::Zeigen() {
  const TSelektionskriterien& k = FLogik.K;
  FMaenner->setChecked(k.Maenner);
  FFrauen->setChecked(k.Frauen);
  FRechnung->setChecked(k.Rechnung);
  FLastschrift->setChecked(k.Lastschrift);
  FMitfin->setChecked(k.Mitfinanziert);
  FEhren->button(static_cast<int>(k.Ehrenmitglied))->setChecked(true);
  FGruppe->setCurrentIndex(k.Gruppe);
  const bool optionen = FLogik.OptionenMoeglich();
  FOder->setEnabled(optionen);
  FUnd->setEnabled(optionen);
  FOder->setChecked(k.Option == TSelektionskriterien::oder);
  FUnd->setChecked(k.Option == TSelektionskriterien::und);
  FStatus->setText(Q(FLogik.Status()));
}

void SelGesamtFenster::Uebernehmen() {
  TSelektionskriterien& k = FLogik.K;
  for (const Textfeld& t : FTexte) k.*(t.wert) = S(t.feld->text());
  k.Rechnung = FRechnung->isChecked();
  k.Lastschrift = FLastschrift->isChecked();
  k.Mitfinanziert = FMitfin->isChecked();
  k.Ehrenmitglied = static_cast<TSelektionskriterien::Ehren>(std::max(0, FEhren->checkedId()));
  k.Gruppe = std::max(0, FGruppe->currentIndex());
}

void SelGesamtFenster::OK() {
  Uebernehmen();
  if (FLogik.OK()) accept();
  else Zeigen();
}

void SelGesamtFenster::done(int ergebnis) {
  SchreibeEinstellungZahl(esSelektionX, x());
  SchreibeEinstellungZahl(esSelektionY, y());
  QDialog::done(ergebnis);
}

// --- "Listenselektion" -------------------------------------------------------

SelListeFenster::SelListeFenster(TfrmZAQSelListe& logik, QWidget* eltern) : QDialog(eltern), FLogik(logik) {
  OhneHilfeKnopf(*this);
  setWindowTitle(Q(std::string(TfrmZAQSelListe::kArt)));
  auto* layout = new QVBoxLayout(this);
  FListe = new QTableWidget(static_cast<int>(logik.FZeilen.size()), 4, this);
  FListe->setHorizontalHeaderLabels({QStringLiteral("MNr."), QStringLiteral("Sel."), QStringLiteral("Name"),
                                     QStringLiteral("Anschrift")});
  FListe->verticalHeader()->hide();
  FListe->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FListe->setSelectionBehavior(QAbstractItemView::SelectRows);
  for (int i = 0; i < static_cast<int>(logik.FZeilen.size()); ++i) {
    const auto& z = logik.FZeilen[static_cast<std::size_t>(i)];
    FListe->setItem(i, 0, new QTableWidgetItem(Q(z.nummer)));
    FListe->setItem(i, 2, new QTableWidgetItem(Q(z.name)));
    FListe->setItem(i, 3, new QTableWidgetItem(Q(z.anschrift)));
    Zeile(i);
  }
  connect(FListe, &QTableWidget::cellClicked, this, [this](int zeile, int) {
    FLogik.Umschalten(zeile);
    Zeile(zeile);
  });
  layout->addWidget(FListe);
  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  knoepfe->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  connect(knoepfe, &QDialogButtonBox::accepted, this, [this] {
    FEntschieden = true;
    accept();
  });
  connect(knoepfe, &QDialogButtonBox::rejected, this, [this] {
    FEntschieden = true;
    reject();
  });
  layout->addWidget(knoepfe);
  // Over the main window, 40 pixels up and left, with its size; the name
  // takes 40 % and the address 60 % of what the two narrow columns leave.
  if (eltern) setGeometry(eltern->geometry().translated(-40, -40));
  else resize(800, 600);
  FListe->setColumnWidth(0, 40);
  FListe->setColumnWidth(1, 40);
  const int rest = std::max(0, width() - 80 - 40);
  FListe->setColumnWidth(2, rest * 40 / 100);
  FListe->setColumnWidth(3, rest * 60 / 100);
}

void SelListeFenster::Zeile(int i) {
  const bool an = FLogik.FZeilen[static_cast<std::size_t>(i)].selektiert;
  FListe->setItem(i, 1, new QTableWidgetItem(an ? QStringLiteral("X") : QString()));
}

void SelListeFenster::closeEvent(QCloseEvent* e) {
  if (FEntschieden) {
    QDialog::closeEvent(e);
    return;
  }
  // Closed otherwise: the logic asks whether the changes are taken over.
  FEntschieden = true;
  FLogik.Schliessen();
  reject();
  e->accept();
}

// --- "Nachfragen" ------------------------------------------------------------

SelFrageFenster::SelFrageFenster(TfrmZAQSelFrage& logik, QWidget* eltern) : QDialog(eltern), FLogik(logik) {
  OhneHilfeKnopf(*this);
  setWindowTitle(Q(std::string(TfrmZAQSelFrage::kArt)));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(Q(logik.FText), this));
  layout->addWidget(new QLabel(Q(TfrmZAQSelFrage::kFrage), this));
  auto* merken = new QCheckBox(QStringLiteral("Antwort merken"), this);
  layout->addWidget(merken);
  auto* knoepfe = new QHBoxLayout;
  auto* alle = new QPushButton(QStringLiteral("&Alle"), this);
  auto* selektiert = new QPushButton(QStringLiteral("&Selektiert"), this);
  auto* abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
  for (QPushButton* k : {alle, selektiert, abbrechen}) knoepfe->addWidget(k);
  layout->addLayout(knoepfe);
  QPushButton* zuerst = logik.FSelektiertZuerst ? selektiert : alle;
  zuerst->setDefault(true);
  zuerst->setFocus();
  const auto antwort = [this, merken](int a) {
    FLogik.FAntwort = a;
    FLogik.FAntwortMerken = merken->isChecked();
    if (a == 0) reject();
    else accept();
  };
  connect(alle, &QPushButton::clicked, this, [antwort] { antwort(1); });
  connect(selektiert, &QPushButton::clicked, this, [antwort] { antwort(2); });
  connect(abbrechen, &QPushButton::clicked, this, [antwort] { antwort(0); });
}

// --- "Ehrungsliste erstellen" ------------------------------------------------

EhrungFenster::EhrungFenster(TfrmZAQTabEhrung& logik, QWidget* eltern) : QDialog(eltern), FLogik(logik) {
  OhneHilfeKnopf(*this);
  setWindowTitle(Q(std::string(TfrmZAQTabEhrung::kArt)));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(Q(TfrmZAQTabEhrung::kFrage), this));
  auto* kalender = new QCalendarWidget(this);
  layout->addWidget(kalender);
  auto* auswahl = new QLabel(this);
  layout->addWidget(auswahl);
  const QDate tagNull(1899, 12, 30);
  const auto zeigen = [this, kalender, auswahl, tagNull] {
    kalender->setSelectedDate(tagNull.addDays(FLogik.FDatum));
    auswahl->setText(Q(FLogik.AuswahlText()));
  };
  connect(kalender, &QCalendarWidget::clicked, this, [this, auswahl, tagNull](QDate d) {
    FLogik.FDatum = static_cast<Tag>(tagNull.daysTo(d));
    auswahl->setText(Q(FLogik.AuswahlText()));
  });
  auto* knoepfeJahr = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) {
    auto* k = new QPushButton(Q(logik.KnopfText(i)), this);
    connect(k, &QPushButton::clicked, this, [this, i, zeigen] {
      FLogik.Knopf(i);
      zeigen();
    });
    knoepfeJahr->addWidget(k);
  }
  layout->addLayout(knoepfeJahr);
  auto* nurSel = new QCheckBox(Q(TfrmZAQTabEhrung::kNurSelektierte), this);
  nurSel->setChecked(logik.FNurSelektierte);
  nurSel->setVisible(logik.NurSelektierteMoeglich());
  layout->addWidget(nurSel);
  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  knoepfe->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  connect(knoepfe, &QDialogButtonBox::accepted, this, [this, nurSel] {
    FLogik.FNurSelektierte = nurSel->isChecked();
    accept();
  });
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(knoepfe);
  zeigen();
}

void RegistriereSelektionsfenster() {
  RegistriereModal<SelGesamtFenster, TfrmZAQSelGesamt>();
  RegistriereModal<SelListeFenster, TfrmZAQSelListe>();
  RegistriereModal<SelFrageFenster, TfrmZAQSelFrage>();
  RegistriereModal<EhrungFenster, TfrmZAQTabEhrung>();
}

}  // namespace zaq::gui
