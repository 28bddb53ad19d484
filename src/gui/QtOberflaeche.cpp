#include "gui/QtOberflaeche.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMimeData>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/Druckfenster.h"
#include "gui/Fenster.h"
#include "interaction/Warten.h"
#include "views/Fenster.h"

namespace zaq::gui {

QString Q(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
std::string S(const QString& text) { return text.toUtf8().toStdString(); }

namespace {
const QString kTitel = QStringLiteral("ZAQ Mitgliederverwaltung");

QString Filter(const std::vector<DateiFilter>& filter) {
  QStringList teile;
  for (const auto& f : filter) teile << Q(f.beschreibung + " (" + f.muster + ")");
  return teile.join(QStringLiteral(";;"));
}
}  // namespace

WarteFenster::WarteFenster(QWidget* eltern) : QDialog(eltern) {
  setWindowTitle(QStringLiteral("Mitgliederverwaltung"));
  setWindowModality(Qt::ApplicationModal);
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  auto* layout = new QVBoxLayout(this);
  auto* titel = new QLabel(QStringLiteral("Bitte warten!"), this);
  QFont f = titel->font();
  f.setBold(true);
  titel->setFont(f);
  layout->addWidget(titel);
  FText = new QLabel(this);
  FText->setMinimumWidth(320);
  layout->addWidget(FText);
  FBalken = new QProgressBar(this);
  FBalken->setRange(0, 20);
  FBalken->setTextVisible(false);
  layout->addWidget(FBalken);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addStretch();
  FAbbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
  knoepfe->addWidget(FAbbrechen);
  layout->addLayout(knoepfe);
  connect(FAbbrechen, &QPushButton::clicked, this, [] { Warten().AbbrechenGeklickt(); });
}

void WarteFenster::Anzeigen(const WarteZustand& zustand) {
  FText->setText(Q(zustand.text));
  FBalken->setValue(zustand.schritt);
  FAbbrechen->setEnabled(zustand.abbruchMoeglich);
  if (!isVisible()) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    show();
  }
}

void WarteFenster::closeEvent(QCloseEvent* e) {
  // Closing the window is the cancel button.
  e->ignore();
  Warten().AbbrechenGeklickt();
}

void WarteFenster::reject() { Warten().AbbrechenGeklickt(); }

QtOberflaeche::QtOberflaeche() = default;
QtOberflaeche::~QtOberflaeche() { delete FWarten; }

std::map<std::string, QtOberflaeche::DialogFunktion>& QtOberflaeche::Dialoge() {
  static std::map<std::string, DialogFunktion> dialoge;
  return dialoge;
}

void QtOberflaeche::Registriere(const std::string& art, DialogFunktion funktion) {
  Dialoge()[art] = std::move(funktion);
}

QWidget* QtOberflaeche::Eltern() const {
  if (QWidget* aktiv = QApplication::activeModalWidget(); aktiv && aktiv != FWarten) return aktiv;
  return FHauptfenster;
}

Antwort QtOberflaeche::Meldung(const MeldungsDaten& m) {
  QMessageBox box(Eltern());
  box.setWindowTitle(kTitel);
  box.setText(Q(m.text));
  switch (m.art) {
    case MeldungsArt::Warnung: box.setIcon(QMessageBox::Warning); break;
    case MeldungsArt::Fehler: box.setIcon(QMessageBox::Critical); break;
    case MeldungsArt::Information: box.setIcon(QMessageBox::Information); break;
    case MeldungsArt::Frage: box.setIcon(QMessageBox::Question); break;
  }
  auto antworten = KnoepfeVon(m.knoepfe);
  std::vector<QAbstractButton*> knoepfe;
  for (Antwort a : antworten) {
    QMessageBox::ButtonRole rolle = QMessageBox::AcceptRole;
    if (a == Antwort::Nein) rolle = QMessageBox::NoRole;
    else if (a == Antwort::Abbrechen || a == Antwort::Abbruch) rolle = QMessageBox::RejectRole;
    else if (a == Antwort::Ja) rolle = QMessageBox::YesRole;
    knoepfe.push_back(box.addButton(Q(std::string(AntwortText(a))), rolle));
  }
  box.setDefaultButton(qobject_cast<QPushButton*>(knoepfe[static_cast<std::size_t>(
      m.vorgabe >= 1 && static_cast<std::size_t>(m.vorgabe) <= knoepfe.size() ? m.vorgabe - 1 : 0)]));
  if (antworten.size() == 1) box.setEscapeButton(knoepfe[0]);
  box.exec();
  for (std::size_t i = 0; i < knoepfe.size(); ++i)
    if (box.clickedButton() == knoepfe[i]) return antworten[i];
  // Closed by the window frame: the most careful answer.
  return antworten.back();
}

void QtOberflaeche::WartenZeigen(const WarteZustand& zustand) {
  if (!FWarten) FWarten = new WarteFenster(FHauptfenster);
  FWarten->Anzeigen(zustand);
  QApplication::processEvents();
}

void QtOberflaeche::WartenVerbergen() {
  if (FWarten && FWarten->isVisible()) {
    FWarten->hide();
    QApplication::restoreOverrideCursor();
  }
}

void QtOberflaeche::Verarbeiten() { QApplication::processEvents(); }

std::optional<std::string> QtOberflaeche::DateiOeffnen(DateiDialog& d) {
  QString gewaehlt;
  QString name = QFileDialog::getOpenFileName(Eltern(), Q(d.titel), Q(d.vorschlag), Filter(d.filter), &gewaehlt);
  if (name.isEmpty()) return std::nullopt;
  return S(name);
}

std::optional<std::string> QtOberflaeche::DateiSpeichern(DateiDialog& d) {
  QString filter = Filter(d.filter);
  QString gewaehlt = filter.split(QStringLiteral(";;")).value(d.filterIndex);
  QString name = QFileDialog::getSaveFileName(
      Eltern(), Q(d.titel), Q(d.vorschlag), filter, &gewaehlt,
      d.ueberschreibenFragen ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite);
  if (name.isEmpty()) return std::nullopt;
  if (!d.endung.empty() && QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".") + Q(d.endung);
  d.filterIndex = static_cast<int>(filter.split(QStringLiteral(";;")).indexOf(gewaehlt));
  return S(name);
}

std::optional<std::string> QtOberflaeche::Eingabe(const std::string& titel, const std::string& frage,
                                                  const std::string& vorgabe) {
  bool ok = false;
  QString text = QInputDialog::getText(Eltern(), Q(titel), Q(frage), QLineEdit::Normal, Q(vorgabe), &ok);
  if (!ok) return std::nullopt;
  return S(text);
}

bool QtOberflaeche::Dialog(DialogDaten& dialog) {
  auto it = Dialoge().find(std::string(dialog.Art()));
  if (it == Dialoge().end()) return false;
  return it->second(dialog, Eltern());
}

void QtOberflaeche::MeldungsListe(const std::vector<std::string>& zeilen) {
  (new MeldungsFenster(TfrmMeldung(zeilen), FHauptfenster))->show();
}

void QtOberflaeche::Zwischenablage(const std::string& text) { QApplication::clipboard()->setText(Q(text)); }

void QtOberflaeche::ZwischenablageRtf(const std::string& text, const std::string& rtf) {
  auto* daten = new QMimeData;
  daten->setText(Q(text));
  const QByteArray bytes(rtf.data(), static_cast<qsizetype>(rtf.size()));
  daten->setData(QStringLiteral("text/rtf"), bytes);
  daten->setData(QStringLiteral("application/rtf"), bytes);
  // The name Windows programs look for.
  daten->setData(QStringLiteral("application/x-qt-windows-mime;value=\"Rich Text Format\""), bytes);
  QApplication::clipboard()->setMimeData(daten);
}

std::map<std::string, QtOberflaeche::FensterFunktion>& QtOberflaeche::Fensterarten() {
  static std::map<std::string, FensterFunktion> arten;
  return arten;
}

void QtOberflaeche::RegistriereFenster(const std::string& art, FensterFunktion funktion) {
  Fensterarten()[art] = std::move(funktion);
}

void QtOberflaeche::Fenster(std::shared_ptr<FensterDaten> fenster) {
  // A window already open for the same data shows it anew.
  static std::map<const FensterDaten*, QPointer<QWidget>> offen;
  if (auto alt = offen.find(fenster.get()); alt != offen.end() && alt->second) {
    QMetaObject::invokeMethod(alt->second, "Aktualisieren");
    alt->second->show();
    alt->second->raise();
    alt->second->activateWindow();
    return;
  }
  auto it = Fensterarten().find(std::string(fenster->Art()));
  if (it == Fensterarten().end()) return;
  const FensterDaten* schluessel = fenster.get();
  offen[schluessel] = it->second(std::move(fenster), FHauptfenster);
}

std::vector<std::string> QtOberflaeche::Druckerliste() { return QtDruckerliste(); }
int QtOberflaeche::Standarddrucker() { return QtStandarddrucker(); }
void QtOberflaeche::DruckerEinrichten() { QtDruckerEinrichten(Eltern()); }
bool QtOberflaeche::Drucken(TDruckauftrag& auftrag) { return QtDrucken(auftrag, Eltern()); }

}  // namespace zaq::gui
