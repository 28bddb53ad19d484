#pragma once
// The program's small pictures, drawn in code: the five member status
// pictures, the note picture and the users' pictures.
#include <QIcon>
#include <QPixmap>

#include "store/Mitglied.h"
#include "views/Hauptfenster.h"

namespace zaq::gui {

// 16 x 16: male, female, honorary member, selected, leaving.
QPixmap Statusbild(Statussymbol symbol);
// The plain note picture of the notes button.
QPixmap Notizbild(int groesse = 32);
// A user's own picture, or the built-in picture of its number.
QPixmap Benutzerbild(const TBenutzerbild& bild, int groesse = 32, bool weissTransparent = false);
// Tool bar pictures without a standard icon: "befGesSel", "befTabelle", "befMitfin".
QPixmap Werkzeugbild(Bef befehl);
// An empty picture of that size (an unknown author).
QPixmap LeeresBild(int groesse = 32);

}  // namespace zaq::gui
