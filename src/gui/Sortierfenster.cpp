#include "gui/Sortierfenster.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "gui/QtOberflaeche.h"

namespace zaq::gui {

namespace {

void OhneHilfeKnopf(QDialog& d) { d.setWindowFlags(d.windowFlags() & ~Qt::WindowContextHelpButtonHint); }

const QDate kTagNull(1899, 12, 30);

QComboBox* Auswahl(const std::vector<std::string>& texte, QWidget* eltern) {
  auto* c = new QComboBox(eltern);
  for (const auto& t : texte) c->addItem(Q(t));
  return c;
}

}  // namespace

// --- extended sort ----------------------------------------------------------

SortierFenster::SortierFenster(TfrmZAQSort& logik, QWidget* eltern) : QDialog(eltern), FLogik(logik) {
  OhneHilfeKnopf(*this);
  setWindowTitle(Q(std::string(TfrmZAQSort::kArt)));
  auto* layout = new QVBoxLayout(this);
  auto* gitter = new QGridLayout;
  for (int j = 0; j < 3; ++j) {
    const auto i = static_cast<std::size_t>(j);
    gitter->addWidget(new QLabel(Q(TfrmZAQSort::kKriterien[i]), this), j, 0);
    FWahl[i] = Auswahl(TfrmZAQSort::Auswahl(), this);
    FWahl[i]->setCurrentIndex(logik.FWahl[i]);
    gitter->addWidget(FWahl[i], j, 1);
    FAbsteigend[i] = new QCheckBox(QStringLiteral("Absteigend"), this);
    FAbsteigend[i]->setToolTip(Q(TfrmZAQSort::kAbsteigendHinweis));
    FAbsteigend[i]->setChecked(logik.FAbsteigend[i]);
    gitter->addWidget(FAbsteigend[i], j, 2);
  }
  layout->addLayout(gitter);
  auto* knoepfe = new QDialogButtonBox(this);
  auto* sortieren = knoepfe->addButton(QStringLiteral("&Sortieren"), QDialogButtonBox::AcceptRole);
  sortieren->setDefault(true);
  knoepfe->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
  connect(knoepfe, &QDialogButtonBox::accepted, this, &SortierFenster::Sortieren);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(knoepfe);
}

void SortierFenster::Sortieren() {
  for (std::size_t i = 0; i < 3; ++i) {
    FLogik.FWahl[i] = FWahl[i]->currentIndex();
    FLogik.FAbsteigend[i] = FAbsteigend[i]->isChecked();
  }
  accept();
}

// --- search window ------------------------------------------------------------

SuchFenster::SuchFenster(TfrmZAQSuchen& logik, QWidget* eltern) : QDialog(eltern), FLogik(logik) {
  OhneHilfeKnopf(*this);
  setWindowFlags(windowFlags() | Qt::Tool | Qt::WindowStaysOnTopHint);
  setWindowTitle(Q(TfrmZAQSuchen::kTitel));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  FText = new QLineEdit(this);
  FText->setObjectName(QStringLiteral("txtSuchen"));
  layout->addWidget(FText);
  FAutomatisch = new QCheckBox(QStringLiteral("&Automatisch suchen"), this);
  layout->addWidget(FAutomatisch);
  auto* knoepfe = new QDialogButtonBox(this);
  auto* suchen = knoepfe->addButton(QStringLiteral("Suchen"), QDialogButtonBox::ActionRole);
  suchen->setDefault(true);
  knoepfe->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
  connect(suchen, &QPushButton::clicked, this, &SuchFenster::Suchen);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::hide);
  layout->addWidget(knoepfe);
  connect(FText, &QLineEdit::textEdited, this, [this](const QString& text) { FLogik.TextGeaendert(S(text)); });
  connect(FAutomatisch, &QCheckBox::toggled, this, [this](bool an) { FLogik.FAutomatisch = an; });
}

void SuchFenster::Suchen() {
  FLogik.FText = S(FText->text());
  FLogik.Suchen();
  Zeige();
}

void SuchFenster::Zeige() {
  if (FAutomatisch->isChecked() != FLogik.FAutomatisch) FAutomatisch->setChecked(FLogik.FAutomatisch);
  if (FLogik.FTextAuswaehlen) {
    FLogik.FTextAuswaehlen = false;
    FText->selectAll();
    FText->setFocus();
  }
}

void SuchFenster::showEvent(QShowEvent* e) {
  if (!FPlatziert) {
    FPlatziert = true;
    const auto platz = TfrmZAQSuchen::GespeicherterPlatz();
    // Only inside the visible desktop: a stored place may be on a screen that is gone.
    const QPoint punkt(platz.x, platz.y);
    for (const QScreen* s : QGuiApplication::screens())
      if (s->availableGeometry().contains(punkt)) move(punkt);
  }
  Zeige();
  QDialog::showEvent(e);
}

void SuchFenster::hideEvent(QHideEvent* e) {
  TfrmZAQSuchen::SpeicherePlatz({x(), y()});
  QDialog::hideEvent(e);
  if (FLogik.Sichtbar()) FLogik.SetzeSichtbar(false);
}

// --- field lists --------------------------------------------------------------

Feldliste::Feldliste(QWidget* eltern) : QListWidget(eltern) {
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::MoveAction);
  setSelectionMode(QAbstractItemView::SingleSelection);
}

int Feldliste::Luecke(const QPoint& punkt) const {
  const int hoehe = count() > 0 ? visualItemRect(item(0)).height() : 1;
  const int oben = count() > 0 ? visualItemRect(item(0)).top() : 0;
  return TfrmZAQBenutzerTab::NaechsteLuecke(punkt.y() - oben, hoehe, count());
}

void Feldliste::dragMoveEvent(QDragMoveEvent* e) {
  if (qobject_cast<Feldliste*>(e->source())) e->acceptProposedAction();
  else e->ignore();
}

void Feldliste::dropEvent(QDropEvent* e) {
  auto* quelle = qobject_cast<Feldliste*>(e->source());
  // The lists are rebuilt from the logic; Qt must not move anything itself.
  e->setDropAction(Qt::IgnoreAction);
  e->accept();
  if (quelle && Abgelegt) Abgelegt(quelle, quelle->currentRow(), Luecke(e->position().toPoint()));
}

// --- template window ------------------------------------------------------------

VorlagenFenster::VorlagenFenster(TfrmZAQBenutzerTab& logik, QWidget* eltern) : QDialog(eltern), FLogik(logik) {
  OhneHilfeKnopf(*this);
  setWindowTitle(Q(logik.Titel()));
  auto* layout = new QVBoxLayout(this);
  auto* kopf = new QFormLayout;
  FTitel = new QLineEdit(Q(logik.FTitel), this);
  FTitel->setObjectName(QStringLiteral("txtTitel"));
  kopf->addRow(QStringLiteral("&Titel:"), FTitel);
  if (logik.ZeigtBezugsdatum()) {
    FBezugsdatum = new QDateEdit(kTagNull.addDays(logik.FBezugsdatum), this);
    FBezugsdatum->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    FBezugsdatum->setCalendarPopup(true);
    kopf->addRow(QStringLiteral("&Bezugsdatum:"), FBezugsdatum);
  }
  layout->addLayout(kopf);

  auto* listen = new QHBoxLayout;
  auto* links = new QVBoxLayout;
  links->addWidget(new QLabel(QStringLiteral("Verfügbare Felder:"), this));
  FVerfuegbar = new Feldliste(this);
  FVerfuegbar->setObjectName(QStringLiteral("lstVerfuegbar"));
  links->addWidget(FVerfuegbar);
  auto* rechts = new QVBoxLayout;
  rechts->addWidget(new QLabel(QStringLiteral("Spalten der Tabelle:"), this));
  FGewaehlt = new Feldliste(this);
  FGewaehlt->setObjectName(QStringLiteral("lstGewaehlt"));
  rechts->addWidget(FGewaehlt);
  listen->addLayout(links);
  listen->addLayout(rechts);
  // The field lists take the left and most of the room; the options stand beside them.
  auto* mitte = new QHBoxLayout;
  mitte->addLayout(listen, 3);
  auto* optionen = new QVBoxLayout;
  mitte->addLayout(optionen, 2);
  layout->addLayout(mitte, 1);
  FVerfuegbar->setMinimumHeight(320);
  FVerfuegbar->Abgelegt = [this](Feldliste* q, int z, int l) { Ablegen(q, z, FVerfuegbar, l); };
  FGewaehlt->Abgelegt = [this](Feldliste* q, int z, int l) { Ablegen(q, z, FGewaehlt, l); };
  connect(FVerfuegbar, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* e) { Ablegen(FVerfuegbar, FVerfuegbar->row(e), FGewaehlt, -1); });
  connect(FGewaehlt, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* e) { Ablegen(FGewaehlt, FGewaehlt->row(e), FVerfuegbar, -1); });

  if (logik.ZeigtKriterien()) {
    auto* box = new QGroupBox(QStringLiteral("Kriterien:"), this);
    auto* k = new QGridLayout(box);
    for (int b = 0; b < kTabFilter; ++b) {
      auto* c = new QCheckBox(Q(std::string(FilterText(b))), box);
      c->setChecked(logik.FKriterien[static_cast<std::size_t>(b)]);
      FKriterien[static_cast<std::size_t>(b)] = c;
      k->addWidget(c, b, 0);
    }
    optionen->addWidget(box);
    auto* unten = new QHBoxLayout;
    auto* gruppen = new QGroupBox(QStringLiteral("Gruppen:"), this);
    auto* g = new QVBoxLayout(gruppen);
    FGruppen = new QListWidget(gruppen);
    for (std::size_t i = 0; i < logik.Gruppennamen().size(); ++i) {
      auto* e = new QListWidgetItem(Q(logik.Gruppennamen()[i]), FGruppen);
      e->setFlags(e->flags() | Qt::ItemIsUserCheckable);
      e->setCheckState(logik.FGruppen[i] ? Qt::Checked : Qt::Unchecked);
    }
    FGruppen->setEnabled(logik.GruppenAenderbar());
    g->addWidget(FGruppen);
    unten->addWidget(gruppen);
    auto* abteilungen = new QGroupBox(QStringLiteral("Abteilungen:"), this);
    auto* a = new QVBoxLayout(abteilungen);
    FAbteilungen = new QLineEdit(Q(logik.FAbteilungen), abteilungen);
    a->addWidget(FAbteilungen);
    a->addWidget(new QLabel(Q(TfrmZAQBenutzerTab::kAbteilungenHinweis), abteilungen));
    a->addStretch();
    unten->addWidget(abteilungen);
    optionen->addLayout(unten);
  }
  if (logik.ZeigtSortierung()) {
    auto* box = new QGroupBox(QStringLiteral("Sortierung:"), this);
    auto* s = new QGridLayout(box);
    for (std::size_t j = 0; j < 3; ++j) {
      FSortierung[j] = Auswahl(TfrmZAQBenutzerTab::SortierAuswahl(), box);
      FSortierung[j]->setCurrentIndex(logik.FSortWahl[j]);
      FAbsteigend[j] = new QCheckBox(QStringLiteral("absteigend"), box);
      FAbsteigend[j]->setChecked(logik.FAbsteigend[j]);
      s->addWidget(FSortierung[j], static_cast<int>(j), 0);
      s->addWidget(FAbsteigend[j], static_cast<int>(j), 1);
    }
    optionen->addWidget(box);
  }
  if (logik.ZeigtDruck()) {
    auto* box = new QGroupBox(QStringLiteral("Druck:"), this);
    auto* d = new QGridLayout(box);
    auto* schrift = new QGroupBox(QStringLiteral("Schrift:"), box);
    auto* sl = new QVBoxLayout(schrift);
    FVorlagenSchrift = new QRadioButton(QStringLiteral("Schrift aus dieser Vorlage verwenden"), schrift);
    FProgrammSchrift = new QRadioButton(QStringLiteral("aus Programmeinstellungen übernehmen"), schrift);
    (logik.FProgrammSchrift ? FProgrammSchrift : FVorlagenSchrift)->setChecked(true);
    sl->addWidget(FVorlagenSchrift);
    sl->addWidget(FProgrammSchrift);
    auto* schriften = new QHBoxLayout;
    auto* kopfSchrift = new QPushButton(QStringLiteral("Kopfzeile..."), schrift);
    auto* tabellenSchrift = new QPushButton(QStringLiteral("Tabelle..."), schrift);
    connect(kopfSchrift, &QPushButton::clicked, this, [this] { FLogik.KopfSchrift(); });
    connect(tabellenSchrift, &QPushButton::clicked, this, [this] { FLogik.TabellenSchrift(); });
    schriften->addWidget(kopfSchrift);
    schriften->addWidget(tabellenSchrift);
    sl->addLayout(schriften);
    d->addWidget(schrift, 0, 0);
    auto* skalierung = new QGroupBox(QStringLiteral("Skalierung:"), box);
    auto* kl = new QVBoxLayout(skalierung);
    const char* texte[] = {"nicht skalieren", "auf Seitenbreite verkleinern", "auf Seitenbreite anpassen"};
    for (std::size_t i = 0; i < 3; ++i) {
      FSkalierung[i] = new QRadioButton(QString::fromUtf8(texte[i]), skalierung);
      kl->addWidget(FSkalierung[i]);
    }
    FSkalierung[static_cast<std::size_t>(logik.FSkalierung)]->setChecked(true);
    d->addWidget(skalierung, 0, 1);
    optionen->addWidget(box);
  }
  optionen->addStretch();
  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  knoepfe->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  connect(knoepfe, &QDialogButtonBox::accepted, this, &VorlagenFenster::Bestaetigen);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(knoepfe);
  ZeigeListen();
  resize(980, 640);
}

void VorlagenFenster::ZeigeListen() {
  auto fuelle = [](QListWidget* liste, const std::vector<TfrmZAQBenutzerTab::Eintrag>& eintraege) {
    liste->clear();
    for (const auto& e : eintraege) {
      auto* item = new QListWidgetItem(Q(e.text), liste);
      if (e.kopf) {
        QFont f = item->font();
        f.setBold(true);
        item->setFont(f);
        item->setFlags(Qt::ItemIsEnabled);
      }
    }
  };
  fuelle(FVerfuegbar, FLogik.FVerfuegbar);
  fuelle(FGewaehlt, FLogik.FGewaehlt);
}

void VorlagenFenster::Ablegen(Feldliste* quelle, int zeile, Feldliste* ziel, int luecke) {
  if (zeile < 0) return;
  if (quelle == FVerfuegbar && ziel == FGewaehlt) FLogik.Waehle(zeile, luecke);
  else if (quelle == FGewaehlt && ziel == FVerfuegbar) FLogik.Entferne(zeile);
  else if (quelle == FGewaehlt && ziel == FGewaehlt) FLogik.Verschiebe(zeile, luecke < 0 ? FGewaehlt->count() : luecke);
  else return;
  ZeigeListen();
}

void VorlagenFenster::Uebertragen() {
  FLogik.FTitel = S(FTitel->text());
  if (FAbteilungen) FLogik.FAbteilungen = S(FAbteilungen->text());
  if (FBezugsdatum) FLogik.FBezugsdatum = static_cast<Tag>(kTagNull.daysTo(FBezugsdatum->date()));
  for (std::size_t b = 0; b < FKriterien.size(); ++b)
    if (FKriterien[b]) FLogik.FKriterien[b] = FKriterien[b]->isChecked();
  if (FGruppen && FGruppen->isEnabled())
    for (int i = 0; i < FGruppen->count(); ++i)
      FLogik.FGruppen[static_cast<std::size_t>(i)] = FGruppen->item(i)->checkState() == Qt::Checked;
  for (std::size_t j = 0; j < 3; ++j) {
    if (!FSortierung[j]) continue;
    FLogik.FSortWahl[j] = FSortierung[j]->currentIndex();
    FLogik.FAbsteigend[j] = FAbsteigend[j]->isChecked();
  }
  if (FProgrammSchrift) FLogik.FProgrammSchrift = FProgrammSchrift->isChecked();
  for (std::size_t i = 0; i < 3; ++i)
    if (FSkalierung[i] && FSkalierung[i]->isChecked()) FLogik.FSkalierung = static_cast<int>(i);
}

void VorlagenFenster::Bestaetigen() {
  Uebertragen();
  accept();
}

void RegistriereSortierfenster() {
  RegistriereModal<SortierFenster, TfrmZAQSort>();
  RegistriereModal<VorlagenFenster, TfrmZAQBenutzerTab>();
  // The platform's font chooser; the colour stays as it was.
  QtOberflaeche::Registriere(std::string(TSchriftDialog::kArt), [](DialogDaten& d, QWidget* eltern) {
    auto& s = static_cast<TSchriftDialog&>(d);
    QFont f(Q(s.FSchrift.name), s.FSchrift.groesse);
    f.setBold(s.FSchrift.stil & 1);
    f.setItalic(s.FSchrift.stil & 2);
    f.setUnderline(s.FSchrift.stil & 4);
    f.setStrikeOut(s.FSchrift.stil & 8);
    bool ok = false;
    const QFont neu = QFontDialog::getFont(&ok, f, eltern, QStringLiteral("Schriftart"));
    if (!ok) return false;
    s.FSchrift.name = S(neu.family());
    s.FSchrift.groesse = neu.pointSize() > 0 ? neu.pointSize() : s.FSchrift.groesse;
    s.FSchrift.stil = static_cast<std::uint8_t>((neu.bold() ? 1 : 0) | (neu.italic() ? 2 : 0) |
                                                (neu.underline() ? 4 : 0) | (neu.strikeOut() ? 8 : 0));
    return true;
  });
}

}  // namespace zaq::gui
