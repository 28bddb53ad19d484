#include "gui/Bilder.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "store/Benutzer.h"
#include "store/Bild.h"

namespace zaq::gui {

namespace {

QPixmap Leer(int groesse) {
  QPixmap p(groesse, groesse);
  p.fill(Qt::transparent);
  return p;
}

// Head and shoulders, filling a square of size g.
void Person(QPainter& p, double g, const QColor& farbe, bool rock) {
  p.setPen(QPen(farbe.darker(150), g / 16));
  p.setBrush(farbe);
  p.drawEllipse(QRectF(g * 0.32, g * 0.06, g * 0.36, g * 0.36));
  QPainterPath koerper;
  if (rock) {
    koerper.moveTo(g * 0.5, g * 0.44);
    koerper.lineTo(g * 0.9, g * 0.96);
    koerper.lineTo(g * 0.1, g * 0.96);
  } else {
    koerper.addRoundedRect(QRectF(g * 0.18, g * 0.46, g * 0.64, g * 0.52), g * 0.2, g * 0.2);
  }
  koerper.closeSubpath();
  p.drawPath(koerper);
}

}  // namespace

QPixmap LeeresBild(int groesse) { return Leer(groesse); }

QPixmap Statusbild(Statussymbol symbol) {
  QPixmap bild = Leer(16);
  QPainter p(&bild);
  p.setRenderHint(QPainter::Antialiasing);
  switch (symbol) {
    case Statussymbol::Maennlich:
      Person(p, 16, QColor(40, 90, 200), false);
      break;
    case Statussymbol::Weiblich:
      Person(p, 16, QColor(210, 60, 120), true);
      break;
    case Statussymbol::Ehrenmitglied: {
      QPolygonF stern;
      for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? 3.2 : 7.5, w = 3.14159265 / 5 * i - 3.14159265 / 2;
        stern << QPointF(8 + r * std::cos(w), 8.5 + r * std::sin(w));
      }
      p.setPen(QPen(QColor(160, 110, 0), 1));
      p.setBrush(QColor(250, 200, 30));
      p.drawPolygon(stern);
      break;
    }
    case Statussymbol::Selektiert:
      p.setPen(QPen(QColor(20, 140, 40), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)}));
      break;
    case Statussymbol::Austritt:
      p.setPen(QPen(QColor(200, 30, 30), 2.5, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
      p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
      break;
  }
  return bild;
}

QPixmap Werkzeugbild(Bef befehl) {
  QPixmap bild = Leer(20);
  QPainter p(&bild);
  p.setRenderHint(QPainter::Antialiasing);
  if (befehl == Bef::befGesSel) {
    // A funnel: members filtered by criteria.
    p.setPen(QPen(QColor(30, 90, 160), 1.2));
    p.setBrush(QColor(120, 170, 230));
    p.drawPolygon(QPolygonF({QPointF(2, 3), QPointF(18, 3), QPointF(11.5, 10.5), QPointF(11.5, 17), QPointF(8.5, 15),
                             QPointF(8.5, 10.5)}));
  } else if (befehl == Bef::befTabelle) {
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 3.5, 15, 13));
    p.fillRect(QRectF(3, 4, 14, 3), QColor(150, 180, 220));
    for (double y : {7.5, 10.5, 13.5}) p.drawLine(QPointF(2.5, y), QPointF(17.5, y));
    p.drawLine(QPointF(8.5, 3.5), QPointF(8.5, 16.5));
  } else if (befehl == Bef::befMitfin) {
    p.translate(0, 3);
    Person(p, 13, QColor(40, 90, 200), false);
    p.translate(8, 3);
    Person(p, 11, QColor(80, 160, 90), false);
  }
  return bild;
}

QPixmap Notizbild(int groesse) {
  QPixmap bild = Leer(groesse);
  QPainter p(&bild);
  p.setRenderHint(QPainter::Antialiasing);
  const double g = groesse;
  QPainterPath blatt;
  blatt.moveTo(g * 0.15, g * 0.08);
  blatt.lineTo(g * 0.68, g * 0.08);
  blatt.lineTo(g * 0.85, g * 0.26);
  blatt.lineTo(g * 0.85, g * 0.92);
  blatt.lineTo(g * 0.15, g * 0.92);
  blatt.closeSubpath();
  p.setPen(QPen(QColor(150, 120, 20), 1));
  p.setBrush(QColor(255, 235, 120));
  p.drawPath(blatt);
  p.setPen(QPen(QColor(120, 100, 40), std::max(1.0, g / 24)));
  for (int i = 0; i < 4; ++i) {
    const double y = g * (0.36 + 0.14 * i);
    p.drawLine(QPointF(g * 0.25, y), QPointF(g * 0.75, y));
  }
  return bild;
}

QPixmap Benutzerbild(const TBenutzerbild& b, int groesse, bool weissTransparent) {
  std::optional<Bild> bild;
  if (b.nummer == kEigenesBild && !b.jpeg.empty()) bild = AusJpeg(b.jpeg);
  if (!bild) bild = EingebautesBild(b.nummer);
  const QImage rgb(bild->rgb.data(), bild->breite, bild->hoehe, bild->breite * 3, QImage::Format_RGB888);
  QPixmap p = QPixmap::fromImage(rgb.scaled(groesse, groesse, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  if (weissTransparent) p.setMask(p.createMaskFromColor(Qt::white));
  return p;
}

}  // namespace zaq::gui
