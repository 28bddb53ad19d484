#include "gui/Bearbeiten.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "gui/QtOberflaeche.h"
#include "views/Mitgliederdialoge.h"

namespace zaq::gui {
namespace {

const QDate kNullTag(1899, 12, 30);

QDate AlsQDate(Tag t) { return kNullTag.addDays(t); }
Tag AlsTag(const QDate& d) { return static_cast<Tag>(kNullTag.daysTo(d)); }

// A line edit bound to a text of the logic.
QLineEdit* Zeile(QWidget* eltern, std::string& ziel, int laenge, bool gross = false) {
  auto* e = new QLineEdit(eltern);
  if (laenge > 0) e->setMaxLength(laenge);
  QObject::connect(e, &QLineEdit::textEdited, e, [&ziel, e, gross](const QString& t) {
    if (gross && t != t.toUpper()) {
      const int pos = e->cursorPosition();
      e->setText(t.toUpper());
      e->setCursorPosition(pos);
    }
    ziel = S(e->text());
  });
  return e;
}

// A date picker; day 2 (01.01.1900) shows as a date still to be entered.
QDateEdit* Datum(QWidget* eltern, Tag& ziel) {
  auto* e = new QDateEdit(eltern);
  e->setCalendarPopup(true);
  e->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  e->setMinimumDate(QDate(1900, 1, 1));
  e->setSpecialValueText(QStringLiteral("TT.MM.JJJJ"));
  QObject::connect(e, &QDateEdit::dateChanged, e, [&ziel](const QDate& d) { ziel = AlsTag(d); });
  return e;
}

}  // namespace

BearbeitenFenster::BearbeitenFenster(TfrmZAQBearbeiten& logik, QWidget* eltern) : QDialog(eltern), FLogik(logik) {
  setWindowTitle(Q(logik.FTitel));
  Aufbauen();
  Anzeigen();
}

void BearbeitenFenster::Aufbauen() {
  using Seite = TfrmZAQBearbeiten::Seite;
  auto* layout = new QVBoxLayout(this);
  FSeiten = new QTabWidget(this);
  layout->addWidget(FSeiten);
  std::vector<std::function<void()>> anzeigen;

  // --- "&Persönliche Daten" ---
  auto* persoenlich = new QWidget;
  auto* p = new QFormLayout(persoenlich);
  auto feld = [&](const char* name, const char* titel, std::string& ziel, int laenge, const char* hinweis = nullptr) {
    QLineEdit* e = Zeile(persoenlich, ziel, laenge);
    e->setObjectName(QString::fromLatin1(name));
    if (hinweis) e->setToolTip(QString::fromUtf8(hinweis));
    p->addRow(QString::fromUtf8(titel), e);
    anzeigen.push_back([e, &ziel] { e->setText(Q(ziel)); });
    return e;
  };
  QLineEdit* nachname = feld("txtNNa", "Nachname:", FLogik.txtNNa, 100);
  feld("txtVNa", "Vorname:", FLogik.txtVNa, 100);
  feld("txtZus", "Zusatz:", FLogik.txtZus, 100, "Zusatzbezeichnung (z.B. \"jun.\" oder \"sen.\")");
  feld("txtTitel", "Titel:", FLogik.txtTitel, 100);
  auto* geschlecht = new QHBoxLayout;
  auto* maennlich = new QRadioButton(QStringLiteral("M"), persoenlich);
  auto* weiblich = new QRadioButton(QStringLiteral("W"), persoenlich);
  geschlecht->addWidget(maennlich);
  geschlecht->addWidget(weiblich);
  geschlecht->addStretch();
  p->addRow(QStringLiteral("Geschlecht:"), geschlecht);
  connect(maennlich, &QRadioButton::toggled, this, [this](bool an) { FLogik.optGe1 = an; });
  anzeigen.push_back([=, this] { (FLogik.optGe1 ? maennlich : weiblich)->setChecked(true); });
  feld("txtStr", "Straße:", FLogik.txtStr, 100, "Straße mit Hausnummer");
  QLineEdit* plz = feld("txtPLZ", "PLZ:", FLogik.txtPLZ, 100, "Postleitzahl, fünfstellig");
  QLineEdit* ort = feld("txtOrt", "Ort:", FLogik.txtOrt, 100);
  connect(plz, &QLineEdit::textEdited, this, [this, ort] {
    if (FLogik.PLZEingegeben()) ort->setFocus();
  });
  auto* land = new QComboBox(persoenlich);
  land->setEditable(true);
  for (const auto& [code, name] : TfrmZAQBearbeiten::Laender()) land->addItem(Q(name), Q(code));
  connect(land, qOverload<int>(&QComboBox::activated), this, [this, land](int i) {
    land->setEditText(land->itemData(i).toString());
    FLogik.txtLand = S(land->currentText());
  });
  connect(land, &QComboBox::editTextChanged, this, [this](const QString& t) { FLogik.txtLand = S(t); });
  anzeigen.push_back([=, this] { land->setEditText(Q(FLogik.txtLand)); });
  p->addRow(QStringLiteral("Land:"), land);
  feld("txtTel", "Telefon:", FLogik.txtTel, 100);
  feld("txtMob", "Mobil:", FLogik.txtMob, 100);
  feld("txtMail", "E-Mail/Fax:", FLogik.txtMail, 200);
  feld("txtLink", "Link:", FLogik.txtLink, 200);
  QDateEdit* geburt = Datum(persoenlich, FLogik.txtGebDt);
  QDateEdit* eintritt = Datum(persoenlich, FLogik.txtEinDt);
  p->addRow(QStringLiteral("Geburtsdatum:"), geburt);
  p->addRow(QStringLiteral("Eintrittsdatum:"), eintritt);
  anzeigen.push_back([=, this] {
    geburt->setDate(AlsQDate(FLogik.txtGebDt));
    eintritt->setDate(AlsQDate(FLogik.txtEinDt));
  });
  eintritt->installEventFilter(this);
  eintritt->setObjectName(QStringLiteral("txtEinDt"));
  feld("txtAbt", "Abteilungen:", FLogik.txtAbt, 100, "Abteilungen durch Kommas getrennt");
  QLineEdit* ehrenmitglied = feld("txtEMG", "Ehrenmitglied seit:", FLogik.txtEMG, 10);
  ehrenmitglied->installEventFilter(this);
  feld("txtEhr", "Letzte Ehrung:", FLogik.txtEhr, 3, "Ehrung, die das Mitglied zuletzt erhielt");
  feld("txtAnr", "Anrechnung:", FLogik.txtAnr, 3, "Jahre, die dem Mitglied angerechnet werden");
  auto* weiter1 = new QPushButton(QStringLiteral("Weiter..."), persoenlich);
  p->addRow(QString(), weiter1);
  FSeiten->addTab(persoenlich, QStringLiteral("&Persönliche Daten"));

  // --- "&Gruppenzuordnung" ---
  auto* gruppen = new QWidget;
  auto* g = new QVBoxLayout(gruppen);
  auto* liste = new QListWidget(gruppen);
  const auto namen = FLogik.GruppenNamen();
  for (std::size_t i = 0; i < namen.size(); ++i) {
    auto* eintrag = new QListWidgetItem(Q(namen[i]), liste);
    eintrag->setFlags(eintrag->flags() | Qt::ItemIsUserCheckable);
  }
  connect(liste, &QListWidget::itemChanged, this, [this, liste](QListWidgetItem* e) {
    FLogik.lstGruppen[static_cast<std::size_t>(liste->row(e))] = e->checkState() == Qt::Checked;
  });
  connect(liste, &QListWidget::itemDoubleClicked, this, [this, liste](QListWidgetItem* e) {
    const int i = liste->row(e);
    if (FLogik.GruppeUmbenennen(i + 1)) e->setText(Q(FLogik.GruppenNamen()[static_cast<std::size_t>(i)]));
  });
  anzeigen.push_back([=, this] {
    for (int i = 0; i < liste->count(); ++i)
      liste->item(i)->setCheckState(FLogik.lstGruppen[static_cast<std::size_t>(i)] ? Qt::Checked : Qt::Unchecked);
  });
  g->addWidget(liste);
  auto* weiter2 = new QPushButton(QStringLiteral("Weiter..."), gruppen);
  g->addWidget(weiter2, 0, Qt::AlignRight);
  FSeiten->addTab(gruppen, QStringLiteral("&Gruppenzuordnung"));

  // --- "&Mitgliedsbeitrag" ---
  auto* beitrag = new QWidget;
  auto* b = new QFormLayout(beitrag);
  auto* bts = new QHBoxLayout;
  QLineEdit* schluessel = Zeile(beitrag, FLogik.txtBTS, 5, true);
  schluessel->setObjectName(QStringLiteral("txtBTS"));
  auto* btsWahl = new QPushButton(QStringLiteral("..."), beitrag);
  bts->addWidget(schluessel);
  bts->addWidget(btsWahl);
  b->addRow(QStringLiteral("Beitragsschlüssel:"), bts);
  QDateEdit* bezahlt = Datum(beitrag, FLogik.txtZahlDt);
  b->addRow(QStringLiteral("Bezahlt bis:"), bezahlt);
  auto* vorlaeufig = new QCheckBox(beitrag);
  connect(vorlaeufig, &QCheckBox::toggled, this, [this](bool an) { FLogik.kntrZahlVorl = an; });
  b->addRow(QString(), vorlaeufig);
  auto* zahlart = new QHBoxLayout;
  QButtonGroup* arten = new QButtonGroup(beitrag);
  const char* artTexte[] = {"Rechnung", "Lastschrift", "Mitfinanziert"};
  for (int i = 0; i < 3; ++i) {
    auto* r = new QRadioButton(QString::fromUtf8(artTexte[i]), beitrag);
    r->setObjectName(QString::fromLatin1(i == 0 ? "optRechnung" : i == 1 ? "optLastschrift" : "optMitfin"));
    arten->addButton(r, i);
    zahlart->addWidget(r);
  }
  b->addRow(QStringLiteral("Zahlart:"), zahlart);
  auto* zahlseiten = new QStackedWidget(beitrag);
  auto* rechnung = new QLabel(QStringLiteral("Mitglied zahlt den Beitrag per Rechnung"));
  zahlseiten->addWidget(rechnung);
  auto* lastschrift = new QWidget;
  auto* l = new QFormLayout(lastschrift);
  auto bankfeld = [&](const char* titel, std::string& ziel, int laenge, const char* name, bool gross = false) {
    QLineEdit* e = Zeile(lastschrift, ziel, laenge, gross);
    e->setObjectName(QString::fromLatin1(name));
    e->installEventFilter(this);
    l->addRow(QString::fromUtf8(titel), e);
    anzeigen.push_back([e, &ziel] { e->setText(Q(ziel)); });
    return e;
  };
  bankfeld("Bankleitzahl:", FLogik.txtBLZ, 10, "txtBLZ");
  bankfeld("Kontonummer:", FLogik.txtKNR, 13, "txtKNR");
  bankfeld("IBAN:", FLogik.txtIBAN, 42, "txtIBAN", true);
  bankfeld("Kontoinhaber:", FLogik.txtKIN, 35, "txtKIN");
  QLineEdit* mandat = bankfeld("Mandatsreferenz:", FLogik.txtMandref, 35, "txtMandref");
  bankfeld("Mandatsdatum:", FLogik.txtMandDat, 10, "txtMandDat");
  auto* eks = new QHBoxLayout;
  QLineEdit* empfaenger = Zeile(lastschrift, FLogik.txtEKS, 5, true);
  auto* eksWahl = new QPushButton(QStringLiteral("..."), lastschrift);
  eks->addWidget(empfaenger);
  eks->addWidget(eksWahl);
  l->addRow(QStringLiteral("Empfängerkonto:"), eks);
  auto* bank = new QLabel(lastschrift);
  l->addRow(QStringLiteral("Bank:"), bank);
  zahlseiten->addWidget(lastschrift);
  auto* mitfin = new QWidget;
  auto* mf = new QFormLayout(mitfin);
  auto* zmg = new QHBoxLayout;
  QLineEdit* zahler = Zeile(mitfin, FLogik.txtZMG, 5);
  auto* zmgWahl = new QPushButton(QStringLiteral("..."), mitfin);
  zmg->addWidget(zahler);
  zmg->addWidget(zmgWahl);
  mf->addRow(QStringLiteral("Zahlendes Mitglied:"), zmg);
  zahlseiten->addWidget(mitfin);
  b->addRow(zahlseiten);
  connect(arten, &QButtonGroup::idClicked, this, [this, zahlseiten](int i) {
    FLogik.FZahlart = i;
    zahlseiten->setCurrentIndex(i);
  });
  connect(mandat, &QLineEdit::textEdited, this, [this] {
    FLogik.MandatsreferenzGeaendert();
    FAktualisieren();
  });
  connect(btsWahl, &QPushButton::clicked, this, [this, schluessel] {
    if (FLogik.WaehleBeitragsschluessel()) schluessel->setText(Q(FLogik.txtBTS));
  });
  connect(eksWahl, &QPushButton::clicked, this, [this, empfaenger] {
    if (FLogik.WaehleEmpfaengerkonto()) empfaenger->setText(Q(FLogik.txtEKS));
  });
  connect(zmgWahl, &QPushButton::clicked, this, [this, zahler] {
    if (FLogik.WaehleZahlerVorschlag()) zahler->setText(Q(FLogik.txtZMG));
  });
  anzeigen.push_back([=, this] {
    schluessel->setText(Q(FLogik.txtBTS));
    bezahlt->setDate(AlsQDate(FLogik.txtZahlDt));
    vorlaeufig->setText(Q(FLogik.kntrZahlVorlText));
    vorlaeufig->setChecked(FLogik.kntrZahlVorl);
    vorlaeufig->setEnabled(FLogik.kntrZahlVorlAktiv);
    arten->button(FLogik.FZahlart)->setChecked(true);
    zahlseiten->setCurrentIndex(FLogik.FZahlart);
    empfaenger->setText(Q(FLogik.txtEKS));
    bank->setText(Q(FLogik.txtBnk));
    zahler->setText(Q(FLogik.txtZMG));
  });
  const int beitragIndex = FSeiten->addTab(beitrag, QStringLiteral("&Mitgliedsbeitrag"));

  // --- "&Austritt und Erfassung" ---
  auto* austritt = new QWidget;
  auto* a = new QFormLayout(austritt);
  auto* datum = new QComboBox(austritt);
  datum->setEditable(true);
  datum->setToolTip(QStringLiteral("An diesem Datum ist das Mitglied noch im Verein (Info: Das Austrittsdatum begrenzt das Bezugsdatum)"));
  for (const auto& t : TLoeschDialog::Datumsvorschlaege()) datum->addItem(Q(t));
  connect(datum, &QComboBox::editTextChanged, this, [this](const QString& t) { FLogik.txtADt = S(t); });
  a->addRow(QStringLiteral("Austrittsdatum:"), datum);
  auto* grund = new QComboBox(austritt);
  grund->setEditable(true);
  grund->setToolTip(QStringLiteral("Notiz bzw. Austrittsgrund"));
  for (const auto& t : TfrmZAQBearbeiten::Austrittsgruende()) grund->addItem(Q(t));
  connect(grund, &QComboBox::editTextChanged, this, [this](const QString& t) { FLogik.txtATx = S(t); });
  a->addRow(QStringLiteral("Grund:"), grund);
  auto erfassung = [&](const char* titel, const TfrmZAQBearbeiten::Erfassung& e) {
    if (!e.sichtbar) return;
    a->addRow(new QLabel(QString::fromUtf8(titel)));
    a->addRow(QString(), new QLabel(Q(e.durch + "\n" + e.am)));
  };
  erfassung("Löschvermerk", FLogik.FLoeschung);
  erfassung("Aufnahme des Mitglieds in die Datenbank", FLogik.FAufnahme);
  erfassung("Letzte Bearbeitung des Mitglieds", FLogik.FAenderung);
  anzeigen.push_back([=, this] {
    datum->setEditText(Q(FLogik.txtADt));
    grund->setEditText(Q(FLogik.txtATx));
  });
  const int austrittIndex = FSeiten->addTab(austritt, QStringLiteral("&Austritt und Erfassung"));

  // Pages by rights and mode.
  FSeiten->setTabEnabled(0, FLogik.SeiteAktiv(Seite::Persoenlich));
  FSeiten->setTabEnabled(1, FLogik.SeiteAktiv(Seite::Gruppen));
  FSeiten->setTabEnabled(beitragIndex, FLogik.SeiteAktiv(Seite::Beitrag));
  FSeiten->setTabVisible(beitragIndex, FLogik.SeiteSichtbar(Seite::Beitrag));
  FSeiten->setTabEnabled(austrittIndex, FLogik.SeiteAktiv(Seite::Austritt));
  FSeiten->setTabVisible(austrittIndex, FLogik.SeiteSichtbar(Seite::Austritt));
  persoenlich->setEnabled(FLogik.SeiteAktiv(Seite::Persoenlich));
  gruppen->setEnabled(FLogik.SeiteAktiv(Seite::Gruppen));
  beitrag->setEnabled(FLogik.SeiteAktiv(Seite::Beitrag));
  austritt->setEnabled(FLogik.SeiteAktiv(Seite::Austritt));
  connect(weiter1, &QPushButton::clicked, this, [this] { FSeiten->setCurrentIndex(1); });
  connect(weiter2, &QPushButton::clicked, this, [this, beitragIndex] { FSeiten->setCurrentIndex(beitragIndex); });

  auto* knoepfe = new QDialogButtonBox(this);
  QPushButton* ok = knoepfe->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setToolTip(QStringLiteral("Datensatz speichern"));
  ok->setDefault(true);
  knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(knoepfe);

  FAktualisieren = [anzeigen] {
    for (const auto& f : anzeigen) f();
  };
  // The tabs are in the order of the pages.
  const Seite start = FLogik.Startseite();
  FSeiten->setCurrentIndex(static_cast<int>(start));
  if (FLogik.SeiteAktiv(start)) {
    QWidget* erstes[] = {nachname, liste, schluessel, datum};
    erstes[static_cast<int>(start)]->setFocus();
  }
  connect(this, &QDialog::finished, this,
          [this] { FLogik.Schliessen(static_cast<Seite>(FSeiten->currentIndex())); });
}

void BearbeitenFenster::Anzeigen() { FAktualisieren(); }

bool BearbeitenFenster::eventFilter(QObject* objekt, QEvent* ereignis) {
  const QString name = objekt->objectName();
  if (ereignis->type() == QEvent::FocusIn) {
    if (name == QLatin1String("txtKIN")) FLogik.BetreteKontoinhaber();
    else if (name == QLatin1String("txtIBAN")) FLogik.BetreteIBAN();
    else if (name == QLatin1String("txtMandref")) FLogik.BetreteMandatsreferenz();
    else if (name == QLatin1String("txtMandDat")) FLogik.BetreteMandatsdatum();
    else return QDialog::eventFilter(objekt, ereignis);
    Anzeigen();
    if (auto* e = qobject_cast<QLineEdit*>(objekt)) e->selectAll();
  } else if (ereignis->type() == QEvent::FocusOut) {
    if (name == QLatin1String("txtEinDt")) FLogik.VerlasseEintrittsdatum();
    else if (name == QLatin1String("txtEMG")) FLogik.VerlasseDatumstext(FLogik.txtEMG);
    else if (name == QLatin1String("txtMandDat")) FLogik.VerlasseDatumstext(FLogik.txtMandDat);
    else if (name == QLatin1String("txtBLZ") || name == QLatin1String("txtIBAN")) FLogik.VerlasseBank();
    else return QDialog::eventFilter(objekt, ereignis);
    Anzeigen();
  }
  return QDialog::eventFilter(objekt, ereignis);
}

void BearbeitenFenster::accept() {
  if (FLogik.OK()) QDialog::accept();
}

void RegistriereBearbeiten() { RegistriereModal<BearbeitenFenster, TfrmZAQBearbeiten>(); }

}  // namespace zaq::gui
