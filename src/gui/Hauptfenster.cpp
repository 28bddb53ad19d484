#include "gui/Hauptfenster.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

#include "gui/QtOberflaeche.h"
#include "ui/Allgemein.h"

namespace zaq::gui {

void GuiProgramm::ListeGewechselt() { FFenster.Aktualisieren(); }

Hauptfenster::Hauptfenster() : FProgramm(*this) {
  setWindowTitle(QStringLiteral("ZAQ Mitgliederverwaltung"));
  FInhalt = new QLabel(this);
  FInhalt->setAlignment(Qt::AlignCenter);
  setCentralWidget(FInhalt);
  QMenu* datei = menuBar()->addMenu(QStringLiteral("&Datei"));
  auto befehl = [&](const QString& text, QKeySequence taste, auto handler) {
    QAction* a = datei->addAction(text);
    a->setShortcut(taste);
    connect(a, &QAction::triggered, this, [this, handler] {
      handler();
      Aktualisieren();
    });
    return a;
  };
  befehl(QStringLiteral("&Neu"), QKeySequence::New, [this] { FProgramm.mnuDateiNeuClick(); });
  befehl(QStringLiteral("Ö&ffnen..."), QKeySequence::Open, [this] { FProgramm.mnuDateiOeffnenClick(); });
  datei->addSeparator();
  befehl(QStringLiteral("Speichern &unter..."), QKeySequence::SaveAs, [this] { FProgramm.mnuDateiSpeichernUnterClick(); });
  befehl(QStringLiteral("&Kopie speichern unter..."), QKeySequence(), [this] { FProgramm.mnuDateiKopieErstellenClick(); });
  datei->addSeparator();
  QAction* ende = datei->addAction(QStringLiteral("&Beenden"));
  connect(ende, &QAction::triggered, this, &QWidget::close);
  resize(900, 640);
}

void Hauptfenster::Aktualisieren() {
  const TZAQ* liste = FProgramm.Liste();
  if (!liste) {
    FInhalt->setText(QString());
    return;
  }
  std::string name = liste->HatDateiname() ? liste->FDateiname : std::string("(neue Liste)");
  FInhalt->setText(Q(name + "\n" + liste->FBeschreibung));
  statusBar()->showMessage(Q(liste->FGeaendert ? "geändert" : ""));
}

void Hauptfenster::closeEvent(QCloseEvent* e) {
  if (!FProgramm.FormCloseQuery()) {
    e->ignore();
    return;
  }
  FProgramm.FormClose();
  e->accept();
}

}  // namespace zaq::gui
