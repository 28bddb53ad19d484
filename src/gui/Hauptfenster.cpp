#include "gui/Hauptfenster.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "base/Text.h"
#include "gui/Beitragsdialoge.h"
#include "gui/Bilder.h"
#include "gui/QtOberflaeche.h"
#include "gui/Sortierfenster.h"

namespace zaq::gui {

namespace {

constexpr int kNameRolle = Qt::UserRole + 1;
constexpr int kOrtRolle = Qt::UserRole + 2;

QString Hinweistext(const std::string& hinweis) { return Q(Ersetze(KurzHinweis(hinweis), "\r\n", "\n")); }

// A match of the quick search: status picture, the list name 8 pixels right
// of it, the town 200 pixels further right.
class TrefferDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem o = option;
    initStyleOption(&o, index);
    o.text.clear();
    o.icon = QIcon();
    o.widget->style()->drawControl(QStyle::CE_ItemViewItem, &o, p, o.widget);
    const QRect r = option.rect;
    const QPixmap bild = index.data(Qt::DecorationRole).value<QPixmap>();
    p->drawPixmap(r.left() + 2, r.top() + (r.height() - 16) / 2, bild);
    p->setPen(option.state & QStyle::State_Selected ? option.palette.highlightedText().color()
                                                    : option.palette.text().color());
    const int name = r.left() + 2 + 16 + 8;
    p->drawText(QRect(name, r.top(), 196, r.height()), Qt::AlignVCenter | Qt::AlignLeft,
                index.data(kNameRolle).toString());
    p->drawText(QRect(name + 200, r.top(), r.right() - name - 200, r.height()), Qt::AlignVCenter | Qt::AlignLeft,
                index.data(kOrtRolle).toString());
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(400, std::max(18, QStyledItemDelegate::sizeHint(option, index).height()));
  }
};

// Keys without text by their code; a typed character the logic classifies
// (every letter is a letter, Ä and ß included).
SuchTaste Suchtaste(const QKeyEvent& e) {
  switch (e.key()) {
    case Qt::Key_Escape: return SuchTaste::Escape;
    case Qt::Key_Return:
    case Qt::Key_Enter: return SuchTaste::Enter;
    case Qt::Key_Up: return SuchTaste::PfeilHoch;
    case Qt::Key_Down: return SuchTaste::PfeilRunter;
    default: return SuchtasteFuerText(S(e.text()));
  }
}

// The name the command table gives a key that works wherever the focus is.
const char* Blaettertaste(const QKeyEvent& e) {
  if (e.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier)) return nullptr;
  if (e.key() == Qt::Key_PageUp) return "PgUp";
  if (e.key() == Qt::Key_PageDown) return "PgDown";
  return nullptr;
}

}  // namespace

void Suchfeld::keyPressEvent(QKeyEvent* e) {
  if (BeiTaste && BeiTaste(e)) {
    e->accept();
    return;
  }
  QComboBox::keyPressEvent(e);
}

void Suchfeld::focusInEvent(QFocusEvent* e) {
  if (BeiFokus && e->reason() != Qt::PopupFocusReason) BeiFokus(true);
  QComboBox::focusInEvent(e);
}

void Suchfeld::focusOutEvent(QFocusEvent* e) {
  if (BeiFokus && e->reason() != Qt::PopupFocusReason) BeiFokus(false);
  QComboBox::focusOutEvent(e);
}

void GuiProgramm::Darstellen() { FFenster.Darstellen(); }

void GuiProgramm::Schliessen() { FFenster.close(); }

Hauptfenster::Hauptfenster() : FProgramm(*this) {
  setObjectName(QStringLiteral("frmZAQ"));
  BaueMenues();
  BaueWerkzeugleiste();
  setCentralWidget(BaueAnsicht());
  for (int i = 0; i < 3; ++i) {
    FStatus[i] = new QLabel(this);
    FStatus[i]->setObjectName(QStringLiteral("Status%1").arg(i + 1));
    FStatus[i]->setMinimumWidth(i == 0 ? 110 : 150);
    statusBar()->addWidget(FStatus[i], i == 2 ? 1 : 0);
  }
  FMitfin = new MitfinanzierungsFenster(this);
  FMitfin->MitgliedGewaehlt = [this](TMitglied* m) {
    if (FAufgebaut) FProgramm.ZeigeMitgliedRef(m);
  };
  FMitfin->SichtbarGeaendert = [this](bool sichtbar) {
    if (FAufgebaut && !FImDarstellen) FProgramm.SetzeMitfinSichtbar(sichtbar);
  };
  FSuchfenster = new SuchFenster(FProgramm.Suchfenster(), this);
  FNotizTimer.setInterval(1000);
  connect(&FNotizTimer, &QTimer::timeout, this, [this] {
    if (FAufgebaut) FProgramm.NotizTimerTick();
  });
  qApp->installEventFilter(this);
  resize(860, 660);
  // The search box clears itself when it gets the focus; it must not start with it.
  FBildlauf->setFocus();
  FAufgebaut = true;
  FProgramm.AktualisiereMenues();
  FProgramm.AktualisiereAnzeige(true);
}

Hauptfenster::~Hauptfenster() {
  // The widgets outlive the window logic by a little: nothing may reach it any more.
  FAufgebaut = false;
  qApp->removeEventFilter(this);
  FSuche->BeiTaste = nullptr;
  FSuche->BeiFokus = nullptr;
  FMitfin->MitgliedGewaehlt = nullptr;
  FMitfin->SichtbarGeaendert = nullptr;
  FNotizTimer.stop();
}

void Hauptfenster::Ausfuehren(Bef befehl) {
  const bool umschalt = QApplication::keyboardModifiers() & Qt::ShiftModifier;
  FProgramm.Befehl(befehl, umschalt);
  Darstellen();
}

QAction* Hauptfenster::NeueAktion(const TBefehl& b, QObject* eltern) {
  auto* a = new QAction(Q(b.titel), eltern);
  a->setObjectName(QString::fromLatin1(Name(b.id)));
  if (*b.taste) a->setShortcut(QKeySequence(QString::fromLatin1(b.taste)));
  // Page Up and Page Down are taken before any field (see eventFilter); the
  // menu only shows them.
  if (TfrmZAQ::BefehlFuerTaste("PgUp") == b.id || TfrmZAQ::BefehlFuerTaste("PgDown") == b.id)
    a->setShortcutContext(Qt::WidgetShortcut);
  // The status tip carries the command's name: the window logic supplies the text.
  a->setStatusTip(QString::fromLatin1(Name(b.id)));
  connect(a, &QAction::triggered, this, [this, befehl = b.id] {
    if (FAufgebaut) Ausfuehren(befehl);
  });
  FAktionen[static_cast<std::size_t>(b.id)] = a;
  return a;
}

void Hauptfenster::BaueMenues() {
  std::map<Menue, QMenu*> menues;
  const auto einrichten = [&](QMenu* menue, const TMenue& m) {
    menue->setObjectName(QString::fromLatin1(Name(m.id)));
    menue->menuAction()->setStatusTip(QString::fromLatin1(Name(m.id)));
    menue->menuAction()->setVisible(m.sichtbar);
    connect(menue, &QMenu::aboutToHide, this, [this] {
      if (FAufgebaut) FProgramm.ZeigeHinweis({});
    });
    return menues.emplace(m.id, menue).first;
  };
  for (const TMenue& m : TfrmZAQ::Menues())
    if (!m.eltern) FMenues.push_back({m.id, einrichten(menuBar()->addMenu(Q(m.titel)), m)->second});
  // "SE&PA" and "&LGV" are commands in the menu bar rather than menus.
  for (const auto& [id, wechsel] : {std::pair{Menue::mnuSEPAWechsel, &TfrmZAQ::mnuSEPAWechselClick},
                                    std::pair{Menue::mnuLGVWechsel, &TfrmZAQ::mnuLGVWechselClick}}) {
    QMenu* menue = menues.at(id);
    connect(menue, &QMenu::aboutToShow, this, [this, menue, wechsel] {
      QMetaObject::invokeMethod(menue, &QMenu::close, Qt::QueuedConnection);
      if (FAufgebaut) (FProgramm.*wechsel)();
    });
  }
  FAufgabenMenue = menues.at(Menue::mnuAufgaben);
  FTabellenMenue = menues.at(Menue::mnuTab);
  for (const TBefehl& b : TfrmZAQ::Befehle()) {
    if (!b.menue) continue;
    auto it = menues.find(*b.menue);
    // A submenu appears where its first command stands.
    for (const TMenue& m : TfrmZAQ::Menues())
      if (it == menues.end() && *b.menue == m.id) it = einrichten(menues.at(*m.eltern)->addMenu(Q(m.titel)), m);
    if (b.trennerDavor && !it->second->isEmpty()) it->second->addSeparator();
    it->second->addAction(NeueAktion(b, it->second));
  }
}

void Hauptfenster::BaueWerkzeugleiste() {
  QToolBar* leiste = addToolBar(QStringLiteral("Werkzeuge"));
  leiste->setObjectName(QStringLiteral("Werkzeugleiste"));
  leiste->setMovable(false);
  leiste->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  leiste->setIconSize(QSize(20, 20));

  FSuche = new Suchfeld(leiste);
  FSuche->setObjectName(QStringLiteral("cboSuche"));
  FSuche->setEditable(true);
  FSuche->setInsertPolicy(QComboBox::NoInsert);
  FSuche->setMinimumWidth(150);
  FSuche->setStatusTip(QStringLiteral("cboSuche"));
  FSuche->BeiTaste = [this](QKeyEvent* e) {
    if (!FAufgebaut) return false;
    const bool geschluckt = FProgramm.cboSucheTaste(Suchtaste(*e));
    Darstellen();
    return geschluckt;
  };
  FSuche->BeiFokus = [this](bool hinein) {
    if (!FAufgebaut) return;
    if (hinein) FProgramm.cboSucheEnter();
    else if (!FCompleter->popup()->isVisible()) FProgramm.cboSucheExit();
  };
  FTrefferModell = new QStandardItemModel(this);
  FCompleter = new QCompleter(FTrefferModell, this);
  FCompleter->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  FCompleter->setWidget(FSuche);
  FCompleter->setMaxVisibleItems(20);
  FCompleter->popup()->setItemDelegate(new TrefferDelegate(FCompleter->popup()));
  connect(FCompleter, qOverload<const QModelIndex&>(&QCompleter::activated), this, [this](const QModelIndex& i) {
    if (!FAufgebaut) return;
    FProgramm.cboSucheWahl(i.row());
    Darstellen();
  });
  connect(FSuche->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
    if (!FAufgebaut) return;
    FProgramm.cboSucheAenderung(S(text));
    Darstellen();
  });
  connect(FSuche, &Suchfeld::ListeGewuenscht, this, [this] {
    if (!FTrefferTexte.empty()) FCompleter->complete(QRect(0, 0, 400, FSuche->height()));
  });
  leiste->addWidget(FSuche);
  leiste->addSeparator();

  const auto werkzeug = [&](Bef befehl, QStyle::StandardPixmap bild) {
    QAction* a = NeueAktion(TfrmZAQ::SucheBefehl(befehl), leiste);
    if (bild != QStyle::SP_CustomBase) a->setIcon(style()->standardIcon(bild));
    leiste->addAction(a);
    return a;
  };
  werkzeug(Bef::befZur, QStyle::SP_ArrowBack);
  werkzeug(Bef::befVor, QStyle::SP_ArrowForward);
  leiste->addSeparator();
  werkzeug(Bef::befBearb, QStyle::SP_FileDialogDetailedView);
  werkzeug(Bef::befHinz, QStyle::SP_FileIcon);
  werkzeug(Bef::befEntf, QStyle::SP_TrashIcon);
  werkzeug(Bef::befSel, QStyle::SP_CustomBase)->setIcon(QIcon(Statusbild(Statussymbol::Selektiert)));
  Aktion(Bef::befSel)->setCheckable(true);
  leiste->addSeparator();
  for (Bef befehl : {Bef::befGesSel, Bef::befTabelle, Bef::befMitfin})
    werkzeug(befehl, QStyle::SP_CustomBase)->setIcon(QIcon(Werkzeugbild(befehl)));
  leiste->addSeparator();

  FNotizKnopf = new QToolButton(leiste);
  QAction* notiz = NeueAktion(TfrmZAQ::SucheBefehl(Bef::befNotiz), FNotizKnopf);
  notiz->setIcon(QIcon(Notizbild()));
  FNotizKnopf->setDefaultAction(notiz);
  FNotizKnopf->setToolButtonStyle(Qt::ToolButtonIconOnly);
  FNotizKnopf->setIconSize(QSize(24, 24));
  FNotizMenue = new QMenu(FNotizKnopf);
  FNotizMenue->setObjectName(QStringLiteral("mnuNotizenPopup"));
  FNotizKnopf->setMenu(FNotizMenue);
  FNotizKnopf->setPopupMode(QToolButton::MenuButtonPopup);
  leiste->addWidget(FNotizKnopf);
}

QLineEdit* Hauptfenster::NeuesFeld(Anzeige feld) {
  auto* e = new QLineEdit(this);
  e->setObjectName(QString::fromLatin1(Name(feld)));
  e->setReadOnly(true);
  e->setFocusPolicy(Qt::ClickFocus);
  FFelder[static_cast<std::size_t>(feld)] = e;
  return e;
}

QWidget* Hauptfenster::BaueAnsicht() {
  auto* ansicht = new QWidget(this);
  auto* aussen = new QHBoxLayout(ansicht);
  auto* spalte = new QVBoxLayout;
  aussen->addLayout(spalte, 1);

  auto beschriftung = [&](const char* text, std::optional<Anzeige> feld) {
    auto* l = new QLabel(QString::fromUtf8(text), this);
    if (feld) FBeschriftungen[static_cast<std::size_t>(*feld)] = l;
    return l;
  };
  // Label and field in columns 0/1 or 2/3 of a grid row.
  auto paar = [&](QGridLayout* g, int zeile, int spalteNr, const char* text, Anzeige feld) {
    g->addWidget(beschriftung(text, feld), zeile, spalteNr);
    g->addWidget(NeuesFeld(feld), zeile, spalteNr + 1);
  };
  auto knopf = [&](Bef befehl) {
    auto* b = new QToolButton(this);
    b->setDefaultAction(NeueAktion(TfrmZAQ::SucheBefehl(befehl), b));
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
  };
  auto raster = [](QWidget* eltern) {
    auto* g = new QGridLayout(eltern);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(4);
    return g;
  };

  FRahmen1 = new QGroupBox(this);
  FRahmen1->setObjectName(QStringLiteral("Rahmen1"));
  QGridLayout* p = raster(FRahmen1);
  paar(p, 0, 0, "Name:", Anzeige::txtNNa);
  paar(p, 0, 2, "Vorname:", Anzeige::txtVNa);
  paar(p, 1, 0, "Titel:", Anzeige::txtTit);
  paar(p, 1, 2, "Zusatz:", Anzeige::txtZus);
  paar(p, 2, 0, "Straße:", Anzeige::txtStr);
  paar(p, 2, 2, "Geschlecht:", Anzeige::txtGes);
  p->addWidget(beschriftung("PLZ, Ort:", std::nullopt), 3, 0);
  auto* ort = new QHBoxLayout;
  ort->addWidget(NeuesFeld(Anzeige::txtPLZ));
  ort->addWidget(NeuesFeld(Anzeige::txtOrt), 3);
  Feld(Anzeige::txtPLZ)->setMaximumWidth(70);
  p->addLayout(ort, 3, 1);
  paar(p, 3, 2, "Land:", Anzeige::txtLand);
  paar(p, 4, 0, "Telefon:", Anzeige::txtTel);
  paar(p, 4, 2, "Mobil:", Anzeige::txtMob);
  p->addWidget(beschriftung("E-Mail / Fax:", std::nullopt), 5, 0);
  auto* mail = new QHBoxLayout;
  mail->addWidget(NeuesFeld(Anzeige::txtMail), 1);
  mail->addWidget(knopf(Bef::befMail));
  p->addLayout(mail, 5, 1, 1, 3);
  paar(p, 6, 0, "Geburtsdatum:", Anzeige::txtGDt);
  paar(p, 6, 2, "Eintritt:", Anzeige::txtEDt);
  paar(p, 7, 0, "Abteilungen:", Anzeige::txtAbt);
  paar(p, 7, 2, "Ehrenmitglied seit:", Anzeige::txtEMG);
  FBreiten.push_back({p, 7, Anzeige::txtAbt, {FBeschriftungen[static_cast<std::size_t>(Anzeige::txtEMG)], Feld(Anzeige::txtEMG)}, true});
  paar(p, 8, 0, "Letzte Ehrung:", Anzeige::txtEhr);
  paar(p, 9, 0, "Gruppen:", Anzeige::txtGru);
  p->addWidget(beschriftung("Homepage:", Anzeige::txtHTTP), 9, 2);
  auto* link = new QWidget(this);
  auto* linkZeile = new QHBoxLayout(link);
  linkZeile->setContentsMargins(0, 0, 0, 0);
  linkZeile->addWidget(NeuesFeld(Anzeige::txtHTTP), 1);
  linkZeile->addWidget(knopf(Bef::befHttp));
  p->addWidget(link, 9, 3);
  FBreiten.push_back({p, 9, Anzeige::txtGru, {FBeschriftungen[static_cast<std::size_t>(Anzeige::txtHTTP)], link}, true});
  spalte->addWidget(FRahmen1);

  FRahmen2 = new QGroupBox(this);
  FRahmen2->setObjectName(QStringLiteral("Rahmen2"));
  QGridLayout* b = raster(FRahmen2);
  paar(b, 0, 0, "Beitragsklasse:", Anzeige::txtBtrKlasse);
  paar(b, 0, 2, "Beitrag:", Anzeige::txtBetrag);
  paar(b, 1, 0, "Bezahlt bis:", Anzeige::txtZahlDt);
  FZahlart = new QTabWidget(this);
  FZahlart->setObjectName(QStringLiteral("raZahlart"));
  auto* rechnung = new QWidget(this);
  auto* rechnungZeile = new QVBoxLayout(rechnung);
  rechnungZeile->addWidget(new QLabel(Q(kRechnungText), rechnung));
  rechnungZeile->addStretch();
  FZahlart->addTab(rechnung, QStringLiteral("Rechnung"));
  auto* lastschrift = new QWidget(this);
  QGridLayout* l = raster(lastschrift);
  paar(l, 0, 0, "Kontoinhaber:", Anzeige::txtKIn);
  paar(l, 0, 2, "Empfängerkonto:", Anzeige::txtEKO);
  paar(l, 1, 0, "BLZ:", Anzeige::txtBLZ);
  paar(l, 1, 2, "Kontonummer:", Anzeige::txtKNr);
  paar(l, 2, 0, "IBAN:", Anzeige::txtSepaIBAN);
  paar(l, 2, 2, "Bank:", Anzeige::txtBnk);
  paar(l, 3, 0, "Mandatsreferenz:", Anzeige::txtSepaMand);
  paar(l, 3, 2, "Mandatsdatum:", Anzeige::txtSepaDate);
  FZahlart->addTab(lastschrift, QStringLiteral("Lastschrift"));
  auto* mitfin = new QWidget(this);
  QGridLayout* m = raster(mitfin);
  m->addWidget(beschriftung("Zahler-Nr.:", std::nullopt), 0, 0);
  auto* zahler = new QHBoxLayout;
  zahler->addWidget(NeuesFeld(Anzeige::txtZNr), 1);
  zahler->addWidget(knopf(Bef::befZWechsel));
  m->addLayout(zahler, 0, 1);
  paar(m, 0, 2, "Name:", Anzeige::txtZNa);
  paar(m, 1, 0, "Geburtsdatum:", Anzeige::txtZGd);
  paar(m, 1, 2, "Anschrift:", Anzeige::txtZAd);
  paar(m, 2, 0, "BLZ:", Anzeige::txtZBa);
  paar(m, 2, 2, "Kontonummer:", Anzeige::txtZKo);
  paar(m, 3, 0, "IBAN:", Anzeige::txtZIb);
  paar(m, 3, 2, "Empfängerkonto:", Anzeige::txtZEK);
  FZahlart->addTab(mitfin, QStringLiteral("Mitfinanziert"));
  // The page follows the member's payment kind; the tabs only show it.
  connect(FZahlart, &QTabWidget::currentChanged, this, [this](int) {
    if (FAufgebaut && !FImDarstellen && FProgramm.FZahlartSeite >= 0)
      FZahlart->setCurrentIndex(FProgramm.FZahlartSeite);
  });
  b->addWidget(FZahlart, 2, 0, 1, 4);
  spalte->addWidget(FRahmen2);
  spalte->addStretch();

  FBildlauf = new QScrollBar(Qt::Vertical, this);
  FBildlauf->setObjectName(QStringLiteral("bldlPos"));
  FBildlauf->setStatusTip(QStringLiteral("bldlPos"));
  FBildlauf->setFocusPolicy(Qt::StrongFocus);
  connect(FBildlauf, &QScrollBar::valueChanged, this, [this](int wert) {
    if (!FAufgebaut || FImDarstellen) return;
    FProgramm.bldlPosScroll(wert, FBildlauf->isSliderDown());
  });
  connect(FBildlauf, &QScrollBar::sliderReleased, this, [this] {
    if (FAufgebaut) FProgramm.bldlPosScroll(FBildlauf->value(), false);
  });
  aussen->addWidget(FBildlauf);
  return ansicht;
}

void Hauptfenster::BaueTabellenmenue() {
  for (QAction* a : FTabellenAktionen) {
    FTabellenMenue->removeAction(a);
    a->deleteLater();
  }
  FTabellenAktionen.clear();
  for (std::size_t i = 0; i < FTabellenEintraege.size(); ++i) {
    const TTabellenEintrag& e = FTabellenEintraege[i];
    QAction* a = e.trenner ? FTabellenMenue->addSeparator() : FTabellenMenue->addAction(Q(e.text));
    if (!e.trenner) {
      a->setToolTip(Q(e.hinweis));
      a->setStatusTip(Q(e.hinweis));
      connect(a, &QAction::triggered, this, [this, i] {
        if (!FAufgebaut) return;
        FProgramm.TabellenMenueWahl(static_cast<int>(i));
        Darstellen();
      });
    }
    FTabellenAktionen.push_back(a);
  }
}

void Hauptfenster::BaueNotizmenue(QMenu* menue, const std::vector<TNotizEintrag>& eintraege, Bef oeffnen,
                                  Bef neu) {
  menue->clear();
  for (const auto& e : eintraege) {
    if (e.trenner) {
      menue->addSeparator();
      continue;
    }
    QAction* a = menue->addAction(Q(e.text));
    if (e.bild) a->setIcon(QIcon(Benutzerbild(*e.bild, 64, true)));
    const Bef befehl = e.notiz >= 0 ? oeffnen : neu;
    a->setEnabled(FProgramm.Zustand(befehl).aktiv);
    a->setStatusTip(QString::fromLatin1(Name(befehl)));
  }
}

void Hauptfenster::ZeigeTreffer() {
  std::vector<std::string> texte;
  for (const auto& t : FProgramm.FTreffer) texte.push_back(t.text + "\t" + t.name);
  if (texte != FTrefferTexte) {
    FTrefferTexte = texte;
    FTrefferModell->clear();
    for (const auto& t : FProgramm.FTreffer) {
      auto* eintrag = new QStandardItem(Q(t.text));
      eintrag->setData(Statusbild(t.symbol), Qt::DecorationRole);
      eintrag->setData(Q(t.name), kNameRolle);
      eintrag->setData(Q(t.ort), kOrtRolle);
      FTrefferModell->appendRow(eintrag);
    }
  }
  QAbstractItemView* liste = FCompleter->popup();
  if (FProgramm.FTrefferOffen && !FTrefferTexte.empty()) {
    if (!liste->isVisible()) FCompleter->complete(QRect(0, 0, 400, FSuche->height()));
  } else if (liste->isVisible()) {
    liste->hide();
  }
}

void Hauptfenster::Darstellen() {
  if (!FAufgebaut || FImDarstellen) return;
  FImDarstellen = true;
  GuiProgramm& p = FProgramm;
  setWindowTitle(Q(p.FTitel));
  QPalette farben = palette();
  farben.setColor(QPalette::Window, p.FAusgespeichertFarbe ? QColor(208, 223, 240)
                                                           : QApplication::palette().color(QPalette::Window));
  setPalette(farben);

  for (std::size_t i = 0; i < kAnzahlAnzeigefelder; ++i) {
    QLineEdit* e = FFelder[i];
    if (!e) continue;
    const TAnzeigefeld& f = p.Feld(static_cast<Anzeige>(i));
    if (e->text() != Q(f.text)) {
      e->setText(Q(f.text));
      e->setCursorPosition(0);
    }
    e->setToolTip(Hinweistext(f.hinweis));
    QPalette pal = e->palette();
    pal.setColor(QPalette::Text, f.rot ? Qt::red : QApplication::palette().color(QPalette::Text));
    e->setPalette(pal);
    e->setVisible(f.sichtbar);
    if (FBeschriftungen[i]) FBeschriftungen[i]->setVisible(f.sichtbar);
  }
  for (auto& z : FBreiten) {
    const bool halb = p.Feld(z.feld).halbeBreite;
    for (QWidget* w : z.partner) w->setVisible(halb);
    if (halb == z.halb) continue;
    z.halb = halb;
    QLineEdit* feld = Feld(z.feld);
    z.raster->removeWidget(feld);
    z.raster->addWidget(feld, z.zeile, 1, 1, halb ? 1 : 3);
  }
  FRahmen1->setTitle(Q(p.FRahmen1));
  FRahmen2->setTitle(Q(p.FRahmen2));
  if (FRahmen2->isVisibleTo(this) != p.FRahmen2Sichtbar) {
    // The window grows and shrinks by the fee frame.
    FRahmen2->setVisible(p.FRahmen2Sichtbar);
    centralWidget()->layout()->activate();
    resize(width(), sizeHint().height());
  }
  for (int i = 0; i < FZahlart->count(); ++i) FZahlart->setTabEnabled(i, i == p.FZahlartSeite);
  if (p.FZahlartSeite >= 0) FZahlart->setCurrentIndex(p.FZahlartSeite);
  for (int i = 0; i < 3; ++i) FStatus[i]->setText(Q(p.Status(i + 1)));

  for (const auto& [id, menue] : FMenues) menue->menuAction()->setVisible(p.MenueSichtbar(id));
  for (std::size_t i = 0; i < kAnzahlBefehle; ++i) {
    QAction* a = FAktionen[i];
    if (!a) continue;
    const Bef befehl = static_cast<Bef>(i);
    const TBefehlsZustand z = p.Zustand(befehl);
    a->setEnabled(z.aktiv);
    a->setVisible(z.sichtbar);
    if (z.markiert) a->setCheckable(true);
    if (a->isCheckable()) a->setChecked(z.markiert);
    a->setToolTip(Hinweistext(p.Hinweis(befehl)));
  }
  QAction* notiz = Aktion(Bef::befNotiz);
  if (p.FNotizTimer && p.FNotizAutorZeigen)
    notiz->setIcon(QIcon(p.FNotizAutor ? Benutzerbild(*p.FNotizAutor, 32) : LeeresBild(32)));
  else
    notiz->setIcon(QIcon(Notizbild()));
  if (p.FNotizTimer != FNotizTimer.isActive()) p.FNotizTimer ? FNotizTimer.start() : FNotizTimer.stop();
  std::vector<std::string> texte;
  for (const auto& e : p.FNotizMenue) texte.push_back(e.text);
  if (texte != FNotizTexte) {
    FNotizTexte = texte;
    BaueNotizmenue(FNotizMenue, p.FNotizMenue, Bef::mnuNotizOeffnen, Bef::mnuNotizNeu);
  }
  if (p.FTabellenMenue != FTabellenEintraege) {
    FTabellenEintraege = p.FTabellenMenue;
    BaueTabellenmenue();
  }
  texte.clear();
  for (const auto& e : p.FAufgaben) texte.push_back(e.text);
  if (texte != FAufgabenTexte) {
    FAufgabenTexte = texte;
    BaueNotizmenue(FAufgabenMenue, p.FAufgaben, Bef::mnuAufgabenNotiz, Bef::mnuAufgabenNeu);
  }

  if (p.FMitfinSichtbar && p.FMitfinStand != FMitfinStand) {
    FMitfinStand = p.FMitfinStand;
    FMitfin->Zeige(p.Liste(), p.AktuellesMitglied());
  }
  if (FMitfin->isVisible() != p.FMitfinSichtbar) FMitfin->setVisible(p.FMitfinSichtbar);
  if (FSuchfenster->isVisible() != p.Suchfenster().Sichtbar()) FSuchfenster->setVisible(p.Suchfenster().Sichtbar());

  QLineEdit* suche = FSuche->lineEdit();
  if (suche->text() != Q(p.cboSucheText)) suche->setText(Q(p.cboSucheText));
  QPalette such = suche->palette();
  such.setColor(QPalette::Text, p.FNamenssuche ? Qt::red : QApplication::palette().color(QPalette::Text));
  suche->setPalette(such);
  if (p.FSucheAuswaehlen) {
    p.FSucheAuswaehlen = false;
    suche->selectAll();
  }
  ZeigeTreffer();

  FBildlauf->setRange(1, p.FBereich);
  FBildlauf->setPageStep(p.FGrosserSchritt);
  if (!FBildlauf->isSliderDown()) FBildlauf->setValue(p.AktuellePosition());
  if (p.FFokusBildlauf) {
    p.FFokusBildlauf = false;
    FBildlauf->setFocus();
  }
  FImDarstellen = false;
}

bool Hauptfenster::event(QEvent* e) {
  if (!FAufgebaut) return QMainWindow::event(e);
  switch (e->type()) {
    case QEvent::StatusTip:
      FProgramm.ZeigeHinweis(HinweisZielNamens(S(static_cast<QStatusTipEvent*>(e)->tip())));
      return true;
    case QEvent::WindowActivate:
    case QEvent::Show:
      FProgramm.FormActivate();
      break;
    default:
      break;
  }
  return QMainWindow::event(e);
}

bool Hauptfenster::eventFilter(QObject* objekt, QEvent* e) {
  if (!FAufgebaut) return false;
  if (e->type() == QEvent::KeyPress || e->type() == QEvent::ShortcutOverride) {
    auto* w = qobject_cast<QWidget*>(objekt);
    const char* taste = Blaettertaste(*static_cast<QKeyEvent*>(e));
    if (!taste || !w || w->window() != this || QApplication::activeModalWidget()) return false;
    // The override is accepted so that no field keeps the key for itself.
    if (e->type() == QEvent::ShortcutOverride) {
      e->accept();
      return true;
    }
    if (auto befehl = TfrmZAQ::BefehlFuerTaste(taste)) {
      FProgramm.Befehl(*befehl);
      Darstellen();
    }
    return true;
  }
  if (e->type() == QEvent::Wheel) {
    auto* w = qobject_cast<QWidget*>(objekt);
    if (!w || w->window() != this) return false;
    auto* rad = static_cast<QWheelEvent*>(e);
    FProgramm.FormMausrad(rad->angleDelta().y(), rad->modifiers() == Qt::ControlModifier);
    return true;
  }
  return false;
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
