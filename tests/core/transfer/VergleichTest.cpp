// Comparing two member lists: identity by number, birth and entry date,
// changes by the last-change stamp, the three lists, the fields that differ
// and the summary.
#include <gtest/gtest.h>

#include "Hilfen.h"
#include "base/Datum.h"
#include "store/Konto.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"
#include "transfer/Vergleich.h"

namespace zaq {
namespace {

class Vergleich : public test::MitOberflaeche {
 protected:
  Vergleich() : a(TZAQ::CreateNeu(false, true)), b(TZAQ::CreateNeu(false, true)) {
    for (TZAQ* l : {a.get(), b.get()})
      for (std::uint16_t nr = 1; nr <= 5; ++nr) Neu(*l, nr);
  }
  static TMitglied& Neu(TZAQ& l, std::uint16_t nr) {
    auto& m = l.FMitglieder.Anhaengen(std::make_unique<TMitglied>(&l, nr));
    m.FName = "Name " + std::to_string(nr);
    m.FGeburtsdatum = KodiereDatum(1980, 1, nr);
    m.FEintrittsdatum = KodiereDatum(2000, 1, 1);
    m.FGeaendertVon.FZeit = 1000;
    m.FErstelltVon.Setze(nullptr, false);  // the two lists have different administrators
    return m;
  }
  std::unique_ptr<TZAQ> a, b;
};

TEST_F(Vergleich, ZustaendeListenUndFelder) {
  Neu(*a, 6);                                        // only in A
  b->FMitglieder[1].FEintrittsdatum = KodiereDatum(2001, 1, 1);  // number 2 is another member in B
  a->FMitglieder[2].FName = "Geändert";             // number 3 changed, with its stamp
  a->FMitglieder[2].FGeaendertVon.FZeit = 2000;
  a->FMitglieder[2].KontoAnlegen().FIBAN = "DE89370400440532013000";
  a->FMitglieder[3].FOrt = "Ulm";                    // number 4: a field differs, the stamp does not
  const TVergleich v = VergleicheMitglieder(*a, *b);
  EXPECT_FALSE(v.abgebrochen);
  std::vector<int> zustaende;
  for (const auto& m : a->FMitglieder) zustaende.push_back(m->FVergleich);
  EXPECT_EQ(zustaende, (std::vector<int>{1, 0, 2, 1, 1, 0}));
  EXPECT_EQ(b->FMitglieder[1].FVergleich, 0);
  EXPECT_EQ(b->FMitglieder[2].FVergleich, 2);
  EXPECT_EQ(v.identisch, 3);
  ASSERT_EQ(v.zusaetzlich.size(), 2u);
  EXPECT_EQ(v.zusaetzlich[0]->FMitgliedsnummer, 2);
  EXPECT_EQ(v.zusaetzlich[1]->FMitgliedsnummer, 6);
  ASSERT_EQ(v.geaendert.size(), 1u);
  EXPECT_EQ(v.geaendert[0], &a->FMitglieder[2]);  // the open list's version
  ASSERT_EQ(v.fehlend.size(), 1u);
  EXPECT_EQ(v.fehlend[0], &b->FMitglieder[1]);
  EXPECT_EQ(Feldunterschiede(a->FMitglieder[2], b->FMitglieder[2]),
            (std::vector<std::string>{"FGeaendertVon", "FName", "FKonto"}));
  EXPECT_EQ(Feldunterschiede(a->FMitglieder[3], b->FMitglieder[3]), std::vector<std::string>{"FOrt"});
  EXPECT_EQ(Vergleichsmeldung(v),
            "Der Dateivergleich ergab, daß bei der geöffneten Datei im Vergleich zur gewählten Datei \r\n\r\n"
            "     2 Mitglieder zusätzlich existieren,\r\n     1 Datensätze verändert wurden und\r\n"
            "     1 Mitglieder nicht vorhanden sind.\r\n\r\n3 Datensätze sind identisch.\r\n\r\n"
            "Die Identität wird mit Mitgliedsnummer, Geburts- und Eintrittsdatum bestimmt,\r\n"
            "Eine Änderung über das Änderungsdatum erkannt.");
}

TEST_F(Vergleich, ErsterPartnerInListenfolge) {
  // Two members of B with the same identity: the first in list order is the partner.
  auto& doppelt = Neu(*b, 3);
  doppelt.FGeaendertVon.FZeit = 5;
  const TVergleich v = VergleicheMitglieder(*a, *b);
  EXPECT_EQ(a->FMitglieder[2].FVergleich, 1);
  EXPECT_EQ(v.partner[2], &b->FMitglieder[2]);
  EXPECT_EQ(doppelt.FVergleich, 0);
  EXPECT_EQ(v.fehlend, std::vector<TMitglied*>{&doppelt});
}

}  // namespace
}  // namespace zaq
