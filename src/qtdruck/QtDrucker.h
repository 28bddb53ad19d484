#pragma once
// The printer of the page engine on Qt: a QPainter on a QPrinter or a
// QPdfWriter.  The program prints, previews and writes PDF with it, and
// zaq-cli writes PDF.
#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <optional>
#include <string>

#include "interaction/Drucker.h"

namespace zaq::qtdruck {

class QtDruckgeraet : public TDruckgeraet {
 public:
  // maler paints on geraet; the page metrics come from it.
  QtDruckgeraet(QPagedPaintDevice& geraet, QPainter& maler, TDruckerMasse masse);
  TDruckerMasse Masse() const override { return FMasse; }
  void NeueSeite() override;
  int Seitennummer() const override { return FSeite; }
  void SetzeSchrift(const TSchrift& schrift) override;
  int TextBreite(std::string_view text) override;
  int TextHoehe(std::string_view text) override;
  int Zellenhoehe() override;
  void Text(int x, int y, std::string_view text) override;
  void TextGeschnitten(int links, int oben, int rechts, int unten, int x, int y, std::string_view text) override;
  void Rechteck(int links, int oben, int rechts, int unten, std::uint32_t farbe) override;
  void Linie(int x1, int y1, int x2, int y2, int stift) override;

 private:
  QPagedPaintDevice& FGeraet;
  QPainter& FMaler;
  TDruckerMasse FMasse;
  int FSeite = 1;
  QFontMetrics FMetrik;
};

// The page metrics of a PDF page: A4 at 600 pixels per inch, the whole
// page printable.
TDruckerMasse PdfMasse(bool quer);

// Runs the job into a PDF file, which is replaced at once and only when the
// printout ended; false when it was cancelled or the file could not be
// written (after the message).  Needs a QGuiApplication.
bool DruckeAlsPdf(TDruckauftrag& auftrag, const std::string& datei);

}  // namespace zaq::qtdruck
