#include "qtdruck/QtDrucker.h"

#include <QBuffer>
#include <QPdfWriter>

#include "interaction/Oberflaeche.h"
#include "platform/Plattform.h"

namespace zaq::qtdruck {

namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QColor Farbe(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

constexpr int kPdfDpi = 600;

}  // namespace

QtDruckgeraet::QtDruckgeraet(QPagedPaintDevice& geraet, QPainter& maler, TDruckerMasse masse)
    : FGeraet(geraet), FMaler(maler), FMasse(masse), FMetrik(maler.font(), &geraet) {}

void QtDruckgeraet::NeueSeite() {
  FGeraet.newPage();
  ++FSeite;
}

void QtDruckgeraet::SetzeSchrift(const TSchrift& schrift) {
  QFont f(Q(schrift.name));
  f.setPointSizeF(std::max(1, schrift.groesse));
  f.setBold(schrift.stil & 1);
  f.setItalic(schrift.stil & 2);
  f.setUnderline(schrift.stil & 4);
  f.setStrikeOut(schrift.stil & 8);
  // Qt shapes without ligatures only when letters are spaced; a 64th of a
  // pixel is invisible, and "ff" and "fi" stay two letters that a search finds.
  f.setLetterSpacing(QFont::AbsoluteSpacing, 1.0 / 64);
  FMaler.setFont(f);
  FMaler.setPen(Farbe(schrift.farbe));
  FMetrik = QFontMetrics(f, &FGeraet);
}

int QtDruckgeraet::TextBreite(std::string_view text) { return FMetrik.horizontalAdvance(Q(text)); }
int QtDruckgeraet::TextHoehe(std::string_view) { return FMetrik.height(); }
int QtDruckgeraet::Zellenhoehe() { return FMetrik.height(); }

void QtDruckgeraet::Text(int x, int y, std::string_view text) { FMaler.drawText(x, y + FMetrik.ascent(), Q(text)); }

void QtDruckgeraet::TextGeschnitten(int links, int oben, int rechts, int unten, int x, int y, std::string_view text) {
  FMaler.save();
  FMaler.setClipRect(QRect(links, oben, rechts - links, unten - oben));
  FMaler.drawText(x, y + FMetrik.ascent(), Q(text));
  FMaler.restore();
}

void QtDruckgeraet::Rechteck(int links, int oben, int rechts, int unten, std::uint32_t farbe) {
  FMaler.fillRect(QRect(links, oben, rechts - links, unten - oben), Farbe(farbe));
}

void QtDruckgeraet::Linie(int x1, int y1, int x2, int y2, int stift) {
  FMaler.save();
  FMaler.setPen(QPen(Qt::black, std::max(1, stift), Qt::SolidLine, Qt::FlatCap));
  FMaler.drawLine(x1, y1, x2, y2);
  FMaler.restore();
}

TDruckerMasse PdfMasse(bool quer) {
  TDruckerMasse m;
  // A4: 210 × 297 mm.
  m.HS = quer ? 297 : 210;
  m.VS = quer ? 210 : 297;
  m.PW = m.HR = static_cast<int>(m.HS * kPdfDpi / 25.4 + 0.5);
  m.PH = m.VR = static_cast<int>(m.VS * kPdfDpi / 25.4 + 0.5);
  m.dpi = kPdfDpi;
  m.vorhanden = true;
  return m;
}

bool DruckeAlsPdf(TDruckauftrag& auftrag, const std::string& datei) {
  // Written in memory first, then replaced at once, readable by the owner
  // only: the pages hold members' data.
  QBuffer puffer;
  puffer.open(QIODevice::WriteOnly);
  bool gedruckt = false;
  {
    QPdfWriter pdf(&puffer);
    pdf.setResolution(kPdfDpi);
    pdf.setTitle(Q(auftrag.titel));
    pdf.setCreator(QStringLiteral("ZAQ Mitgliederverwaltung"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                  auftrag.quer ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()));
    QPainter maler;
    if (maler.begin(&pdf)) {
      QtDruckgeraet geraet(pdf, maler, PdfMasse(auftrag.quer));
      gedruckt = auftrag.drucken && auftrag.drucken(geraet);
      maler.end();
    }
  }
  if (!gedruckt) return false;
  const QByteArray& daten = puffer.data();
  if (plattform::SchreibeDateiSicher(plattform::Pfad(datei), reinterpret_cast<const std::uint8_t*>(daten.constData()),
                                     static_cast<std::size_t>(daten.size())))
    return true;
  Meldung("Fehler beim Schreiben von " + datei + "!", MeldungsArt::Fehler);
  return false;
}

}  // namespace zaq::qtdruck
