// The fee dialogs write what was typed back to their logic and stay open
// when it refuses.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include "gui/Beitragsdialoge.h"
#include "support/SkriptOberflaeche.h"

namespace zaq::gui {
namespace {

class Beitragsdialoge : public ::testing::Test {
 protected:
  SkriptOberflaeche ui;
  OberflaecheSetzen FSetzen{ui};
  TBtrKlassenListe liste;
};

template <class W>
W* Kind(QWidget& w, const char* name, int nr = 0) {
  auto alle = w.findChildren<W*>(QString::fromLatin1(name));
  return alle.value(nr);
}

TEST_F(Beitragsdialoge, BeitragsklasseSpeichertErstNachPruefung) {
  TBtrKlasse klasse;
  TfrmBtrKlasse logik(klasse, liste);
  BtrKlasseDialog dialog(logik);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Beitragsklasse hinzufügen"));
  dialog.show();
  auto* ok = Kind<QPushButton>(dialog, "befOK");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), QStringLiteral("Hinzufügen"));
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Geben Sie bitte einen Schlüssel an."});

  QTest::keyClicks(Kind<QLineEdit>(dialog, "txtSchluessel"), "akt");
  EXPECT_EQ(Kind<QLineEdit>(dialog, "txtSchluessel")->text(), QStringLiteral("AKT"));
  Kind<QSpinBox>(dialog, "txtAnzahl")->setValue(2);
  Kind<QSpinBox>(dialog, "txtBis", 0)->setValue(17);
  EXPECT_EQ(Kind<QSpinBox>(dialog, "txtBis", 1)->minimum(), 18);
  Kind<QLineEdit>(dialog, "txtBetrag", 0)->setText(QStringLiteral("48,00"));
  Kind<QLineEdit>(dialog, "txtBetrag", 1)->setText(QStringLiteral("96,50"));
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(klasse.FSchluessel, "AKT");
  ASSERT_EQ(klasse.FAltKlassen.size(), 2u);
  EXPECT_EQ(klasse.FAltKlassen[0].FAlterBis, 17);
  EXPECT_EQ(klasse.FAltKlassen[1].FAlterBis, 150);
  EXPECT_EQ(klasse.FAltKlassen[1].FBetrag, 96.5f);
}

TEST_F(Beitragsdialoge, AuswahlLiefertDenGewaehltenEintrag) {
  TfrmAuswahl logik;
  logik.Titel = "Beitragsschlüssel wählen";
  logik.Eintraege = {"AKT;Aktive", "JUG;Jugend"};
  logik.Index = 1;
  AuswahlDialog dialog(logik);
  auto* eintraege = Kind<QTreeWidget>(dialog, "lstAuswahl");
  ASSERT_NE(eintraege, nullptr);
  EXPECT_EQ(eintraege->currentItem()->text(1), QStringLiteral("Jugend"));
  eintraege->setCurrentItem(eintraege->topLevelItem(0));
  dialog.accept();
  EXPECT_EQ(logik.Index, 0);
}

}  // namespace
}  // namespace zaq::gui
