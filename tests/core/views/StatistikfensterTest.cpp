// The count dialog's logic: the reference dates offered, "from" copied into
// "to", the selection filter only with selected members, the lines and the
// clipboard; the free numbers in display form.
#include <gtest/gtest.h>

#include "Hilfen.h"
#include "base/Datum.h"
#include "interaction/Einstellungen.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"
#include "views/Statistikfenster.h"

namespace zaq {
namespace {

class Statistikfenster : public test::MitOberflaeche {
 protected:
  Statistikfenster() : liste(TZAQ::CreateNeu(false, true)) {
    plattform::SetzeFesteZeit(KodiereDatum(2026, 12, 11) + 0.5);
    liste->FStammdaten.FBeitragStichtag = KodiereDatum(2026, 12, 31);
    for (std::uint16_t nr : {1, 4}) {
      auto& m = liste->FMitglieder.Anhaengen(std::make_unique<TMitglied>(liste.get(), nr));
      m.FGeburtsdatum = KodiereDatum(1990, 5, 5);
      m.FMaennlich = nr == 1;
    }
  }
  ~Statistikfenster() override { plattform::SetzeFesteZeit(0); }
  std::unique_ptr<TZAQ> liste;
};

TEST_F(Statistikfenster, BestandszaehlungDialog) {
  TfrmBestandszaehlung d(*liste);
  const auto tage = d.Stichtage();
  ASSERT_EQ(tage.size(), 36u);
  EXPECT_EQ(DatumText(tage.front()), "31.01.2025");
  EXPECT_EQ(DatumText(tage[1]), "28.02.2025");
  EXPECT_EQ(DatumText(tage[13]), "28.02.2026");
  EXPECT_EQ(DatumText(tage.back()), "31.12.2027");
  EXPECT_EQ(d.FStichtag, KodiereDatum(2026, 12, 31));
  EXPECT_FALSE(d.SelektionMoeglich());
  d.FAlterVon = "36";
  d.VonGeaendert();
  EXPECT_EQ(d.FAlterBis, "36");
  EXPECT_FALSE(d.Kopieren());
  ASSERT_TRUE(d.Auflisten());
  d.FArt = Bestandsart::Geburtsjahr;
  ASSERT_TRUE(d.Auflisten());
  ASSERT_EQ(d.Zeilen().size(), 2u);
  EXPECT_EQ(d.Zeilen()[0].gesamt, 2);
  EXPECT_EQ(d.Zeilen()[1].von, "1900");
  ASSERT_TRUE(d.Kopieren());
  EXPECT_EQ(ui.ZwischenablageText,
            "ZAQ Bestandszählung\r\n\r\nvon\tbis\tMänner\tFrauen\tgesamt\r\n36\t36\t1\t1\t2\r\n1900\t2100\t1\t1\t2");
  d.Neu();
  EXPECT_TRUE(d.Zeilen().empty());
  // With a member selected the filter is offered, ticked by the settings.
  liste->FMitglieder[0].FSelektiert = true;
  SchreibeEinstellung(esJubiListenSelektiert, "1");
  TfrmBestandszaehlung s(*liste);
  EXPECT_TRUE(s.SelektionMoeglich());
  EXPECT_TRUE(s.FSelektion);
  ASSERT_TRUE(s.Auflisten());
  EXPECT_EQ(s.Zeilen()[0].gesamt, 1);  // both are in 0 to 99, one is selected
}

TEST_F(Statistikfenster, FreieNummernInAnzeigeform) {
  TfrmFreieNummern f(*liste);
  EXPECT_EQ(f.Kleinste, "001");
  EXPECT_EQ(f.Hoechste, "004");
  EXPECT_EQ(f.Frei, (std::vector<std::string>{"002", "003"}));
}

}  // namespace
}  // namespace zaq
