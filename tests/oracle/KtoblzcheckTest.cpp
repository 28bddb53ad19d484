// Draws many account numbers per implemented method and compares the verdict
// with Debian's libktoblzcheck.  Left out are exactly the cases where that
// library is known to disagree with the Bundesbank's own definition.
#include <gtest/gtest.h>
#include <ktoblzcheck.h>

#include <map>
#include <random>
#include <sstream>
#include <string>

#include "bank/Bank.h"
#include "bank/Pruefung.h"

namespace zaq {
namespace {

// Method 76, first reading: account type d1, stem d2..d7, check digit d8.
bool Erste76(const std::string& k) {
  int d[11];
  for (int i = 0; i < 10; ++i) d[i + 1] = k[static_cast<std::size_t>(i)] - '0';
  if (!(d[1] == 0 || d[1] == 4 || d[1] >= 6)) return false;
  int r = (d[2] * 7 + d[3] * 6 + d[4] * 5 + d[5] * 4 + d[6] * 3 + d[7] * 2) % 11;
  return r == d[8];
}

// Where ktoblzcheck 1.53 and the Bundesbank part ways.
bool BekannteAbweichung(int verfahren, const std::string& k, int unser) {
  switch (verfahren) {
    case 24:  // d1 = 9 turns d1..d3 into zeros; ktoblzcheck does not skip a following d4 = 0
      return k[0] == '9' && k[3] == '0';
    case 76:
      // Remainder 10: the Bundesbank cannot check the number, ktoblzcheck
      // calls it invalid.  And ktoblzcheck reads a number as one without
      // sub-account (two places to the right) only when it starts with 00;
      // the method itself sets no such condition.
      return unser == kKontoNichtPruefbar || (unser == kKontoGueltig && !k.starts_with("00") && !Erste76(k));
    case 81:  // ktoblzcheck's 81 is not method 32 for d3 <> 9
      return k[2] != '9';
    default:
      return false;
  }
}

// Random digits with a bias towards the positions the methods treat apart:
// leading zeros, d3 = 9, d3d4 = 99, d4 = 5, d4d5 = 69, d1 = 3..6 or 9, and
// the number ranges without check digit.
std::string Ziehe(std::mt19937& zufall) {
  std::uniform_int_distribution<int> ziffer(0, 9), wahl(0, 19);
  std::string k(10, '0');
  for (char& c : k) c = static_cast<char>('0' + ziffer(zufall));
  switch (wahl(zufall)) {
    case 0: case 1: case 2: {  // shorter numbers
      int nullen = std::uniform_int_distribution<int>(1, 8)(zufall);
      for (int i = 0; i < nullen; ++i) k[static_cast<std::size_t>(i)] = '0';
      break;
    }
    case 3: case 4: k[2] = '9'; break;
    case 5: k[2] = '9'; k[3] = '9'; break;
    case 6: k[3] = '5'; break;
    case 7: k[3] = '6'; k[4] = '9'; break;
    case 8: k[0] = '9'; break;
    case 9: k[0] = '0'; k[1] = '0'; k[2] = '0'; break;
    case 10: k[0] = '0'; k[1] = '0'; break;
    case 11: k[0] = '0'; k[1] = static_cast<char>('3' + ziffer(zufall) % 2); k[2] = '9'; break;
    default: break;
  }
  return k;
}

TEST(Ktoblzcheck, ZufaelligeKontonummernJeVerfahren) {
  AccountNumberCheck orakel;
  std::mt19937 zufall(20200420);
  constexpr int kJeVerfahren = 3000;  // bases; each is tried with every check digit
  std::ostringstream abweichungen;
  int anzahlAbweichungen = 0, verglichen = 0, gueltig = 0;
  std::map<int, int> jeVerfahren;
  for (int verfahren = 0; verfahren < 100; ++verfahren) {
    if (!TBank::VerfahrenImplementiert(verfahren)) continue;
    const std::string kennzeichen = KennzeichenVonVerfahren(verfahren);
    for (int n = 0; n < kJeVerfahren; ++n) {
      std::string basis = Ziehe(zufall);
      // Vary the check digit (d10, and d8 for the methods that check there)
      // so that about every tenth number is valid.
      for (int p10 = 0; p10 < 10; ++p10) {
        for (int p8 = 0; p8 < 10; p8 += (n % 10 == 0 ? 1 : 10)) {
          std::string k = basis;
          k[9] = static_cast<char>('0' + p10);
          if (n % 10 == 0) k[7] = static_cast<char>('0' + p8);
          int unser = PruefeKonto(verfahren, k);
          if (BekannteAbweichung(verfahren, k, unser)) continue;
          auto r = orakel.check("00000000", k, kennzeichen);
          int ihres = r == AccountNumberCheck::OK ? kKontoGueltig
                      : r == AccountNumberCheck::ERROR ? kKontoUngueltig : -1;
          ++verglichen;
          if (unser == kKontoGueltig) ++gueltig;
          if (unser != ihres && ++jeVerfahren[verfahren] <= 5)
            abweichungen << kennzeichen << ' ' << k << ": unser " << unser << ", ktoblzcheck " << ihres << '\n';
          if (unser != ihres) ++anzahlAbweichungen;
        }
      }
    }
  }
  EXPECT_EQ(anzahlAbweichungen, 0) << abweichungen.str();
  EXPECT_GT(verglichen, 18 * kJeVerfahren * 9);
  EXPECT_GT(gueltig, verglichen / 20);  // the drawing reaches valid numbers, not only invalid ones
}

}  // namespace
}  // namespace zaq
