#include "gui/Formularfenster.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "gui/QtOberflaeche.h"

namespace zaq::gui {

namespace {

QString OhneKuerzel(QString titel) { return titel.remove(QLatin1Char('&')); }

}  // namespace

void SetzeText(QLineEdit* feld, const std::string& text) {
  if (feld->text() != Q(text)) feld->setText(Q(text));
}

FormularFenster::FormularFenster(TFormularfenster& logik, QWidget* eltern)
    : QMainWindow(eltern, Qt::Window), FFormular(logik) {
  setAttribute(Qt::WA_DeleteOnClose);
}

QAction* FormularFenster::Neu(QMenu* menue, const QString& titel, std::function<void()> wirkung, bool verfuegbar) {
  QAction* a = menue->addAction(titel);
  a->setObjectName(OhneKuerzel(titel));
  a->setEnabled(verfuegbar);
  if (wirkung)
    connect(a, &QAction::triggered, this, [this, wirkung = std::move(wirkung)] {
      wirkung();
      Aktualisieren();
    });
  FBefehle.push_back(a);
  return a;
}

QAction* FormularFenster::Befehl(const QString& titel) const {
  for (QAction* a : FBefehle)
    if (a->objectName() == OhneKuerzel(titel)) return a;
  return nullptr;
}

void FormularFenster::Navigation(QMenu* menue) {
  FVorherige = Neu(menue, QStringLiteral("Vorherige"), [this] { FFormular.Vorherige(); });
  FNaechste = Neu(menue, QStringLiteral("Nächste"), [this] { FFormular.Naechste(); });
}

void FormularFenster::SucheBefehl(QMenu* menue) {
  Neu(menue, QStringLiteral("&Suchen..."), [this] {
    FFormular.FSucheSichtbar = !FFormular.FSucheSichtbar;
    if (FFormular.FSucheSichtbar && !FSuche)
      FSuche = new ZahlungSuchFenster(*this, FFormular, [this] { Aktualisieren(); });
  });
}

void FormularFenster::ZaqBefehl() {
  QAction* zaq = menuBar()->addAction(QStringLiteral("&ZAQ"));
  connect(zaq, &QAction::triggered, this, [this] {
    if (QWidget* w = parentWidget()) {
      w->raise();
      w->activateWindow();
    }
  });
}

QScrollBar* FormularFenster::Positionsleiste(QWidget* eltern) {
  FPosition = new QScrollBar(Qt::Horizontal, eltern);
  FPosition->setObjectName(QStringLiteral("bldlPos"));
  connect(FPosition, &QScrollBar::actionTriggered, this, [this](int) {
    // The scroll bar's new value is set after this signal.
    QMetaObject::invokeMethod(this, [this] {
      if (!FImDarstellen) FFormular.GeheZu(FPosition->value());
      Aktualisieren();
    }, Qt::QueuedConnection);
  });
  return FPosition;
}

void FormularFenster::RahmenAktualisieren() {
  if (FVorherige) FVorherige->setEnabled(FFormular.VorherigeMoeglich());
  if (FNaechste) FNaechste->setEnabled(FFormular.NaechsteMoeglich());
  if (FPosition) {
    const int n = FFormular.Anzahl();
    FPosition->setRange(n > 0 ? 1 : 0, n);
    FPosition->setValue(FFormular.Index());
  }
  if (!FFormular.FSucheSichtbar && FSuche) {
    FSuche->deleteLater();
    FSuche = nullptr;
  }
  if (FSuche) FSuche->Aktualisieren();
}

void FormularFenster::closeEvent(QCloseEvent* e) {
  if (!FFormular.Schliessen()) {
    e->ignore();
    return;
  }
  if (FSuche) FSuche->deleteLater();
  FSuche = nullptr;
  QMainWindow::closeEvent(e);
}

// --- "Zahlung suchen" ---

ZahlungSuchFenster::ZahlungSuchFenster(QWidget& fenster, TFormularfenster& logik, std::function<void()> aktualisieren)
    : QDialog(&fenster), FLogik(logik), FAktualisieren(std::move(aktualisieren)) {
  setWindowTitle(QStringLiteral("Zahlung suchen"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  FText = new QLineEdit(this);
  FText->setObjectName(QStringLiteral("txtSuche"));
  FAuto = new QCheckBox(QStringLiteral("&Automatisch suchen"), this);
  FAuto->setChecked(FLogik.FAutoSuche);
  auto* suchen = new QPushButton(QStringLiteral("Suchen"), this);
  suchen->setDefault(true);
  layout->addWidget(FText);
  auto* unten = new QHBoxLayout;
  unten->addWidget(FAuto);
  unten->addStretch();
  unten->addWidget(suchen);
  layout->addLayout(unten);
  connect(FText, &QLineEdit::textEdited, this, [this](const QString& t) {
    FLogik.SuchtextGeaendert(S(t));
    FAktualisieren();
  });
  connect(FAuto, &QCheckBox::toggled, this, [this](bool an) { FLogik.FAutoSuche = an; });
  connect(suchen, &QPushButton::clicked, this, [this] {
    FLogik.FSuchtext = S(FText->text());
    FLogik.SucheWeiter();
    FAktualisieren();
  });
  show();
}

void ZahlungSuchFenster::Aktualisieren() {
  if (FLogik.FSucheAuswaehlen) {
    FText->selectAll();
    FText->setFocus();
    FLogik.FSucheAuswaehlen = false;
  }
}

void ZahlungSuchFenster::closeEvent(QCloseEvent* e) {
  FLogik.FSucheSichtbar = false;
  QDialog::closeEvent(e);
}

}  // namespace zaq::gui
