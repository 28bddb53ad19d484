#include "gui/Statistikfenster.h"

#include <QActionGroup>
#include <QApplication>
#include <QAreaSeries>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include "gui/QtOberflaeche.h"

namespace zaq::gui {

namespace {

QColor Farbe(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

}  // namespace

StatistikFenster::StatistikFenster(std::shared_ptr<TfrmStatistik> logik, QWidget* eltern)
    : QMainWindow(eltern, Qt::Window), FLogik(std::move(logik)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("frmStatistik"));
  setWindowTitle(QStringLiteral("Mitgliederstatistik"));
  FAnsicht = new QChartView(new QChart, this);
  FAnsicht->setRenderHint(QPainter::Antialiasing);
  setCentralWidget(FAnsicht);
  for (int i = 0; i < 3; ++i) {
    FStatus[i] = new QLabel(Q(FLogik->Statuszeile()[static_cast<std::size_t>(i)]), this);
    statusBar()->addWidget(FStatus[i], 1);
  }

  QMenu* diagramm = menuBar()->addMenu(QStringLiteral("&Diagramm"));
  auto* arten = new QActionGroup(this);
  for (const auto& [titel, mitgliedschaft] :
       {std::pair{QStringLiteral("Altersverteilung"), false}, std::pair{QStringLiteral("Vereinszugehörigkeit"), true}}) {
    QAction* a = diagramm->addAction(titel);
    a->setCheckable(true);
    a->setChecked(FLogik->FMitgliedschaft == mitgliedschaft);
    arten->addAction(a);
    connect(a, &QAction::triggered, this, [this, m = mitgliedschaft] {
      FLogik->FMitgliedschaft = m;
      Zeichnen();
    });
  }
  QMenu* glaettung = menuBar()->addMenu(QStringLiteral("&Glättung"));
  auto* breiten = new QActionGroup(this);
  const char* const namen[] = {"Stark", "Mittel", "Schwach", "Kaum", "Kein Filter"};
  for (std::size_t i = 0; i < std::size(kGlaettungen); ++i) {
    QAction* a = glaettung->addAction(QString::fromUtf8(namen[i]));
    a->setCheckable(true);
    a->setChecked(FLogik->FGlaettung == kGlaettungen[i]);
    breiten->addAction(a);
    connect(a, &QAction::triggered, this, [this, n = kGlaettungen[i]] {
      FLogik->FGlaettung = n;
      Zeichnen();
    });
  }
  QMenu* optionen = menuBar()->addMenu(QStringLiteral("&Optionen"));
  QAction* legende = optionen->addAction(QStringLiteral("Legende zeigen"));
  legende->setCheckable(true);
  legende->setChecked(FLogik->FLegende);
  connect(legende, &QAction::toggled, this, [this](bool an) {
    FLogik->FLegende = an;
    Zeichnen();
  });
  optionen->addSeparator();
  connect(optionen->addAction(QStringLiteral("Exportieren...")), &QAction::triggered, this, [this] {
    FLogik->Exportieren([this](const std::string& datei, bool pdf) { return Schreiben(Q(datei), pdf); });
  });
  connect(optionen->addAction(QStringLiteral("In Zwischenablage kopieren")), &QAction::triggered, this,
          [this] { QApplication::clipboard()->setPixmap(FAnsicht->grab()); });
  if (eltern) setGeometry(eltern->geometry().translated(80, 40));
  else resize(900, 560);
  Zeichnen();
}

void StatistikFenster::Zeichnen() {
  const TfrmStatistik& l = *FLogik;
  QChart* chart = FAnsicht->chart();
  chart->removeAllSeries();
  // A removed axis is handed back to us.
  for (QAbstractAxis* achse : chart->axes()) {
    chart->removeAxis(achse);
    delete achse;
  }
  const auto titel = l.Titel();
  chart->setTitle(Q(titel[0]) + QStringLiteral("<br>") + Q(titel[1]));
  const TGeglaettet reihen = l.Reihen();
  // Women stacked on men; the total as a black line on top.
  auto* maenner = new QLineSeries, *summe = new QLineSeries, *gesamt = new QLineSeries;
  for (std::size_t i = 0; i < reihen.size(); ++i) {
    const double x = static_cast<double>(i);
    maenner->append(x, reihen[i][0]);
    summe->append(x, reihen[i][0] + reihen[i][1]);
    gesamt->append(x, reihen[i][2]);
  }
  auto* flaecheMaenner = new QAreaSeries(maenner);
  flaecheMaenner->setName(QStringLiteral("Männer"));
  flaecheMaenner->setColor(Farbe(TfrmStatistik::kMaenner));
  flaecheMaenner->setBorderColor(Farbe(TfrmStatistik::kMaenner));
  auto* untere = new QLineSeries;
  for (const QPointF& p : maenner->points()) untere->append(p);
  auto* flaecheFrauen = new QAreaSeries(summe, untere);
  flaecheFrauen->setName(QStringLiteral("Frauen"));
  flaecheFrauen->setColor(Farbe(TfrmStatistik::kFrauen));
  flaecheFrauen->setBorderColor(Farbe(TfrmStatistik::kFrauen));
  // An area does not own its lines; as its children they go with it when
  // the chart removes its series.
  maenner->setParent(flaecheMaenner);
  summe->setParent(flaecheFrauen);
  untere->setParent(flaecheFrauen);
  gesamt->setName(QStringLiteral("Gesamt"));
  gesamt->setPen(QPen(Qt::black, 3));
  chart->addSeries(flaecheMaenner);
  chart->addSeries(flaecheFrauen);
  chart->addSeries(gesamt);
  auto* x = new QValueAxis;
  x->setTitleText(Q(l.Achse()));
  x->setLabelFormat(QStringLiteral("%d"));
  x->setRange(0, std::max<double>(1, static_cast<double>(reihen.size()) - 1));
  auto* y = new QValueAxis;
  double hoechster = 1;
  for (const auto& r : reihen) hoechster = std::max(hoechster, r[2]);
  y->setRange(0, hoechster * 1.1);
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (QAbstractSeries* s : chart->series()) {
    s->attachAxis(x);
    s->attachAxis(y);
  }
  chart->legend()->setVisible(l.FLegende);
}

bool StatistikFenster::Schreiben(const QString& datei, bool pdf) {
  if (!pdf) return FAnsicht->grab().save(datei, "PNG");
  QPdfWriter schreiber(datei);
  schreiber.setPageOrientation(QPageLayout::Landscape);
  QPainter maler;
  if (!maler.begin(&schreiber)) return false;
  FAnsicht->render(&maler);
  return maler.end();
}

// --- "Bestandszählung" ---

BestandszaehlungDialog::BestandszaehlungDialog(TfrmBestandszaehlung& logik, QWidget* eltern)
    : QDialog(eltern), FLogik(logik) {
  setWindowTitle(QStringLiteral("Bestandszählung"));
  auto* layout = new QVBoxLayout(this);
  auto* arten = new QHBoxLayout;
  auto* gruppe = new QButtonGroup(this);
  const std::pair<const char*, Bestandsart> kArten[] = {
      {"Alter", Bestandsart::Alter}, {"Geburtsjahr", Bestandsart::Geburtsjahr}, {"Geburtsdatum", Bestandsart::Geburtsdatum}};
  for (const auto& [name, art] : kArten) {
    auto* knopf = new QRadioButton(QString::fromUtf8(name), this);
    knopf->setChecked(FLogik.FArt == art);
    gruppe->addButton(knopf);
    arten->addWidget(knopf);
    connect(knopf, &QRadioButton::toggled, this, [this, a = art](bool an) {
      if (!an) return;
      Uebernehmen();
      FLogik.FArt = a;
      Zeigen();
    });
  }
  layout->addLayout(arten);
  auto* form = new QFormLayout;
  FVon = new QLineEdit(this);
  FVon->setObjectName(QStringLiteral("txtVon"));
  FBis = new QLineEdit(this);
  FBis->setObjectName(QStringLiteral("txtBis"));
  form->addRow(QStringLiteral("von:"), FVon);
  form->addRow(QStringLiteral("bis:"), FBis);
  auto* stichtag = new QComboBox(this);
  for (Tag t : FLogik.Stichtage()) stichtag->addItem(Q(DatumText(t)), t);
  stichtag->setEditable(true);
  stichtag->setCurrentText(Q(DatumText(FLogik.FStichtag)));
  form->addRow(QStringLiteral("Stichtag:"), stichtag);
  auto* abteilung = new QCheckBox(QStringLiteral("Abteilung:"), this);
  FAbteilung = new QLineEdit(this);
  form->addRow(abteilung, FAbteilung);
  auto* selektion = new QCheckBox(QStringLiteral("Selektion berücksichtigen"), this);
  selektion->setVisible(FLogik.SelektionMoeglich());
  selektion->setChecked(FLogik.FSelektion);
  form->addRow(selektion);
  layout->addLayout(form);
  FListe = new QTreeWidget(this);
  FListe->setHeaderLabels({QStringLiteral("von"), QStringLiteral("bis"), QStringLiteral("Männer"),
                           QStringLiteral("Frauen"), QStringLiteral("gesamt")});
  layout->addWidget(FListe, 1);
  auto* knoepfe = new QDialogButtonBox(this);
  auto* auflisten = knoepfe->addButton(QStringLiteral("Auflisten"), QDialogButtonBox::ActionRole);
  auto* neu = knoepfe->addButton(QStringLiteral("Neu"), QDialogButtonBox::ActionRole);
  auto* kopieren = knoepfe->addButton(QStringLiteral("Kopieren"), QDialogButtonBox::ActionRole);
  knoepfe->addButton(QDialogButtonBox::Close);
  layout->addWidget(knoepfe);
  connect(FVon, &QLineEdit::textEdited, this, [this] {
    Uebernehmen();
    FLogik.VonGeaendert();
    Zeigen();
  });
  connect(stichtag, &QComboBox::currentTextChanged, this, [this](const QString& t) {
    if (auto d = TextZuDatum(S(t))) FLogik.FStichtag = *d;
  });
  connect(abteilung, &QCheckBox::toggled, this, [this](bool an) { FLogik.FAbteilung = an; });
  connect(FAbteilung, &QLineEdit::textEdited, this, [this](const QString& t) { FLogik.FAbteilungText = S(t); });
  connect(selektion, &QCheckBox::toggled, this, [this](bool an) { FLogik.FSelektion = an; });
  connect(auflisten, &QPushButton::clicked, this, &BestandszaehlungDialog::Auflisten);
  connect(neu, &QPushButton::clicked, this, [this] {
    FLogik.Neu();
    FListe->clear();
  });
  connect(kopieren, &QPushButton::clicked, this, [this] { FLogik.Kopieren(); });
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Zeigen();
}

void BestandszaehlungDialog::Uebernehmen() {
  const std::string von = S(FVon->text()), bis = S(FBis->text());
  switch (FLogik.FArt) {
    case Bestandsart::Alter: FLogik.FAlterVon = von, FLogik.FAlterBis = bis; break;
    case Bestandsart::Geburtsjahr: FLogik.FJahrVon = von, FLogik.FJahrBis = bis; break;
    case Bestandsart::Geburtsdatum: FLogik.FDatumVon = von, FLogik.FDatumBis = bis; break;
  }
}

void BestandszaehlungDialog::Zeigen() {
  switch (FLogik.FArt) {
    case Bestandsart::Alter: FVon->setText(Q(FLogik.FAlterVon)), FBis->setText(Q(FLogik.FAlterBis)); break;
    case Bestandsart::Geburtsjahr: FVon->setText(Q(FLogik.FJahrVon)), FBis->setText(Q(FLogik.FJahrBis)); break;
    case Bestandsart::Geburtsdatum: FVon->setText(Q(FLogik.FDatumVon)), FBis->setText(Q(FLogik.FDatumBis)); break;
  }
}

void BestandszaehlungDialog::Auflisten() {
  Uebernehmen();
  if (!FLogik.Auflisten()) return;
  const TBestandszeile& z = FLogik.Zeilen().back();
  FListe->addTopLevelItem(new QTreeWidgetItem({Q(z.von), Q(z.bis), QString::number(z.maenner),
                                               QString::number(z.frauen), QString::number(z.gesamt)}));
}

// --- "Freie Mitgliedsnummern" ---

FreieNummernDialog::FreieNummernDialog(TfrmFreieNummern& logik, QWidget* eltern) : QDialog(eltern) {
  setWindowTitle(QStringLiteral("Freie Mitgliedsnummern"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Kleinste Mitgliedsnummer:"), new QLabel(Q(logik.Kleinste), this));
  form->addRow(QStringLiteral("Höchste Mitgliedsnummer:"), new QLabel(Q(logik.Hoechste), this));
  layout->addLayout(form);
  layout->addWidget(new QLabel(QStringLiteral("Freie Zwischennummern:"), this));
  auto* liste = new QListWidget(this);
  liste->setObjectName(QStringLiteral("lstFrei"));
  for (const auto& n : logik.Frei) liste->addItem(Q(n));
  layout->addWidget(liste, 1);
  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Close, this);
  layout->addWidget(knoepfe);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void RegistriereStatistikfenster() {
  RegistriereModal<BestandszaehlungDialog, TfrmBestandszaehlung>();
  RegistriereModal<FreieNummernDialog, TfrmFreieNummern>();
  QtOberflaeche::RegistriereFenster(std::string(TfrmStatistik::kArt), [](std::shared_ptr<FensterDaten> d, QWidget* eltern) {
    auto* f = new StatistikFenster(std::static_pointer_cast<TfrmStatistik>(std::move(d)), eltern);
    f->show();
    return static_cast<QWidget*>(f);
  });
}

}  // namespace zaq::gui
