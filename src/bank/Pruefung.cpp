#include "bank/Pruefung.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "bank/Bank.h"
#include "base/Text.h"
#include "interaction/Oberflaeche.h"

namespace zaq {
namespace {

// Digits d[1] .. d[10]; d[0] is unused so the indices read like the methods.
using Ziffern = std::array<int, 11>;

bool AlleZiffern(std::string_view t) {
  return std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Weights for the positions von, von+1, ...; with quersumme each product
// counts with the sum of its digits.
int Summe(const Ziffern& d, int von, std::initializer_list<int> gewichte, bool quersumme = false) {
  int summe = 0, i = von;
  for (int g : gewichte) {
    int p = d[static_cast<std::size_t>(i++)] * g;
    summe += quersumme ? p / 10 + p % 10 : p;
  }
  return summe;
}

int R10(int summe) { return (10 - summe % 10) % 10; }
int R11(int summe) {
  int r = summe % 11;
  return r <= 1 ? 0 : 11 - r;
}

int Ergebnis(bool gueltig) { return gueltig ? kKontoGueltig : kKontoUngueltig; }

int Methode06(const Ziffern& d) { return Ergebnis(R11(Summe(d, 1, {4, 3, 2, 7, 6, 5, 4, 3, 2})) == d[10]); }
int Methode10(const Ziffern& d) { return Ergebnis(R11(Summe(d, 1, {10, 9, 8, 7, 6, 5, 4, 3, 2})) == d[10]); }
int Methode32(const Ziffern& d) { return Ergebnis(R11(Summe(d, 4, {7, 6, 5, 4, 3, 2})) == d[10]); }

// Ledger accounts (d3 = 9) of methods 81 and 84: the exception of method 51.
// First d3..d9 with 8..2, then all of d1..d9 as in method 10.
int Sachkonto(const Ziffern& d) {
  if (R11(Summe(d, 3, {8, 7, 6, 5, 4, 3, 2})) == d[10]) return kKontoGueltig;
  return Methode10(d);
}

int Methode24(const Ziffern& d) {
  Ziffern z = d;
  if (z[1] >= 3 && z[1] <= 6) z[1] = 0;
  if (z[1] == 9) z[1] = z[2] = z[3] = 0;
  int erste = 1;
  while (erste <= 9 && z[static_cast<std::size_t>(erste)] == 0) ++erste;
  static constexpr int kGewichte[3] = {1, 2, 3};
  int summe = 0;
  for (int i = erste; i <= 9; ++i) {
    int g = kGewichte[(i - erste) % 3];
    summe += (z[static_cast<std::size_t>(i)] * g + g) % 11;
  }
  return Ergebnis(summe % 10 == d[10]);
}

int Methode63(const Ziffern& d) {
  if (d[1] != 0) return kKontoUngueltig;
  // Without the sub-account "00" the number stands two places to the right.
  if (d[2] == 0 && d[3] == 0) return Ergebnis(R10(Summe(d, 4, {1, 2, 1, 2, 1, 2}, true)) == d[10]);
  return Ergebnis(R10(Summe(d, 2, {1, 2, 1, 2, 1, 2}, true)) == d[8]);
}

int Methode70(const Ziffern& d) {
  Ziffern z = d;
  if (d[4] == 5 || (d[4] == 6 && d[5] == 9)) z[1] = z[2] = z[3] = 0;
  return Methode06(z);
}

// Account type, 6-digit stem, check digit, 2-digit sub-account; the
// sub-account may be left out, which moves everything two places right.
// Only the account types 0, 4, 6, 7, 8 and 9 exist.  A remainder of 10
// gives no check digit: a number that neither reading confirms cannot be
// checked then, rather than being called wrong.
int Methode76(const Ziffern& d) {
  auto kontoart = [](int k) { return k == 0 || k == 4 || k >= 6; };
  bool rest10 = false;
  for (int start : {1, 3}) {
    if (!kontoart(d[static_cast<std::size_t>(start)])) continue;
    int r = Summe(d, start + 1, {7, 6, 5, 4, 3, 2}) % 11;
    if (r == 10) rest10 = true;
    else if (r == d[static_cast<std::size_t>(start + 7)]) return kKontoGueltig;
  }
  return rest10 ? kKontoNichtPruefbar : kKontoUngueltig;
}

int Methode84(const Ziffern& d) {
  if (d[3] == 9) return Sachkonto(d);
  int summe = Summe(d, 5, {6, 5, 4, 3, 2});
  if (R11(summe) == d[10]) return kKontoGueltig;
  int r7 = summe % 7;
  if ((r7 == 0 ? 0 : 7 - r7) == d[10]) return kKontoGueltig;
  return Ergebnis(R10(Summe(d, 5, {2, 1, 2, 1, 2})) == d[10]);
}

int Methode95(const Ziffern& d, std::string_view konto) {
  // Number ranges without check digit.
  static constexpr std::string_view kFrei[][2] = {{"0000000001", "0001999999"},
                                                  {"0009000000", "0025999999"},
                                                  {"0396000000", "0499999999"},
                                                  {"0700000000", "0799999999"},
                                                  {"0910000000", "0989999999"}};
  for (const auto& b : kFrei)
    if (konto >= b[0] && konto <= b[1]) return kKontoGueltig;
  return Methode06(d);
}

}  // namespace

int PruefeKonto(int verfahren, std::string_view konto) {
  if (konto.size() != 10 || !AlleZiffern(konto)) return kKontoUngueltig;
  Ziffern d{};
  for (std::size_t i = 0; i < 10; ++i) d[i + 1] = konto[i] - '0';
  switch (verfahren) {
    case 0: return Ergebnis(R10(Summe(d, 1, {2, 1, 2, 1, 2, 1, 2, 1, 2}, true)) == d[10]);
    case 1: return Ergebnis(R10(Summe(d, 1, {1, 7, 3, 1, 7, 3, 1, 7, 3})) == d[10]);
    case 6: return Methode06(d);
    case 10: return Methode10(d);
    case 13:
      if (R10(Summe(d, 2, {1, 2, 1, 2, 1, 2}, true)) == d[8]) return kKontoGueltig;
      // The sub-account may be left out: then the number stands two places right.
      return Ergebnis(R10(Summe(d, 4, {1, 2, 1, 2, 1, 2}, true)) == d[10]);
    case 20: return Ergebnis(R11(Summe(d, 1, {3, 9, 8, 7, 6, 5, 4, 3, 2})) == d[10]);
    case 24: return Methode24(d);
    case 28: return Ergebnis(R11(Summe(d, 1, {8, 7, 6, 5, 4, 3, 2})) == d[8]);
    case 32: return Methode32(d);
    case 63: return Methode63(d);
    case 70: return Methode70(d);
    case 76: return Methode76(d);
    case 81: return d[3] == 9 ? Sachkonto(d) : Methode32(d);
    case 82:
      if (d[3] == 9 && d[4] == 9) return Methode10(d);
      return Ergebnis(R11(Summe(d, 5, {6, 5, 4, 3, 2})) == d[10]);
    case 84: return Methode84(d);
    case 88:
      if (d[3] == 9) return Ergebnis(R11(Summe(d, 3, {8, 7, 6, 5, 4, 3, 2})) == d[10]);
      return Ergebnis(R11(Summe(d, 4, {7, 6, 5, 4, 3, 2})) == d[10]);
    case 95: return Methode95(d, konto);
    case 99:
      if (konto >= "0396000000" && konto <= "0499999999") return kKontoGueltig;
      return Methode06(d);
    default: return kKontoNichtPruefbar;
  }
}

int IBANCode(std::string_view iban, bool mitPruefziffer) {
  if (iban.empty()) return bpIBANFehlt;
  if (iban.size() < 5 || iban.size() > 34) return bpIBANForm;
  for (std::size_t i = 0; i < iban.size(); ++i) {
    char c = iban[i];
    bool ok = i < 2 ? c >= 'A' && c <= 'Z' : c >= '0' && c <= '9';
    if (!ok) return bpIBANForm;
  }
  if (!mitPruefziffer) return bpGueltig;
  int rest = 0;
  for (std::size_t i = 0; i < iban.size(); ++i) {
    char c = iban[(i + 4) % iban.size()];
    if (c >= 'A' && c <= 'Z') rest = (rest * 100 + (c - 'A' + 10)) % 97;
    else rest = (rest * 10 + (c - '0')) % 97;
  }
  return rest == 1 ? bpGueltig : bpIBANPruefziffer;
}

namespace {

int Pruefe(std::string_view blzText, std::string_view kontoText, std::string_view ibanText, bool mitIBAN) {
  std::string blz = OhneLeerzeichen(blzText);
  std::string konto = OhneLeerzeichen(kontoText);
  std::string iban = OhneLeerzeichen(ibanText);
  if (blz.empty() && konto.empty() && iban.empty()) return bpLeer;
  if (!blz.empty() && blz.size() != 8) return bpBLZLaenge;
  if (konto.size() > 10) return bpKontoLaenge;
  if (!iban.empty() && (iban.size() <= 4 || iban.size() >= 35)) return bpIBANForm;
  blz = NullenAuffuellen(blz, 8);
  konto = NullenAuffuellen(konto, 10);
  if (konto != "0000000000" && blz == "00000000") return bpKontoOhneBLZ;
  if (blz != "00000000" && konto == "0000000000") return bpBLZOhneKonto;
  if (mitIBAN && iban.empty()) return bpIBANFehlt;
  if (blz == "00000000" && iban.starts_with("DE")) blz = iban.substr(4, 8);
  if (!AlleZiffern(blz)) return bpBLZZeichen;
  if (!AlleZiffern(konto)) return bpKontoZeichen;
  if (blz != "00000000") {
    TBank* bank = Bankverzeichnis();
    if (!bank || !bank->Lade(blz)) return bpBLZUnbekannt;
    if (konto != "0000000000") {
      switch (PruefeKonto(bank->Pruefverfahren(), konto)) {
        case kKontoGueltig: break;
        case kKontoUngueltig: return bpKontoFalsch;
        default: return bpKeinVerfahren;
      }
    }
  }
  return mitIBAN ? IBANCode(iban, true) : bpGueltig;
}

bool MitMeldung(int code, bool leerErlaubt, std::string_view konto, std::string_view iban) {
  if (code == bpGueltig || (code == bpLeer && leerErlaubt)) return true;
  const std::string text = Pruefungstext(code, konto, iban);
  if (IstPruefungsfrage(code)) return Meldung(text, MeldungsArt::Frage, Knoepfe::JaNein) == Antwort::Ja;
  Meldung(text, MeldungsArt::Fehler);
  return false;
}

}  // namespace

int PruefeBankverbindung(std::string_view blz, std::string_view konto, std::string_view iban) {
  return Pruefe(blz, konto, iban, true);
}

std::string Pruefungstext(int code, std::string_view konto, std::string_view iban) {
  switch (code) {
    case bpLeer: return "Bitte geben Sie eine vollständige Bankverbindung an!";
    case bpKontoOhneBLZ:
      return "Bitte geben Sie eine vollständige Bankleitzahl an oder lassen Sie die Kontonummer gleich ganz weg!";
    case bpBLZLaenge: return "Eine Bankleitzahl ist immer achtstellig. Prüfen Sie bitte Ihre Eingabe!";
    case bpBLZZeichen: return "Eine Bankleitzahl darf nur aus Ziffern bestehen. Prüfen Sie bitte Ihre Eingabe!";
    case bpBLZUnbekannt:
      return "Die angegebende Bankleitzahl ist nicht in der Bankleitzahlendatei vorhanden und höchstwahrscheinlich "
             "falsch. Deshalb kann auch die Kontonummer nicht geprüft werden. Wollen Sie diese Bankleitzahl trotzdem "
             "verwenden?";
    case bpBLZOhneKonto: return "Bitte geben Sie eine vollständige Kontonummer an oder lassen Sie die Bankleitzahl weg!";
    case bpKontoLaenge:
      return "Eine Kontonummer darf nicht mehr als zehn Stellen aufweisen. Prüfen Sie bitte Ihre Eingabe!";
    case bpKontoZeichen: return "Eine Kontonummer darf nur aus Ziffern bestehen. Prüfen Sie bitte Ihre Eingabe!";
    case bpKeinVerfahren:
      return "Für diese Bankleitzahl besteht kein Prüfziffernberechnungsverfahren. Soll die eingegebene Kontonummer " +
             std::string(konto) + " verwendet werden?";
    case bpKontoFalsch:
      return "Die angegebende Kontonummer " + std::string(konto) +
             " wurde geprüft und ist wahrscheinlich falsch. Wollen Sie sie trotzdem verwenden?";
    case bpIBANFehlt: return "Bitte geben Sie eine vollständige IBAN an!";
    case bpIBANForm:
      return "Eine IBAN darf nicht mehr als 34 Stellen und nicht weniger als fünf Stellen aufweisen. Außerdem sind nur "
             "die Zeichen A...Z sowie Ziffern erlaubt. Prüfen Sie bitte Ihre Eingabe!";
    case bpIBANPruefziffer:
      return "Die angegebende IBAN " + std::string(iban) +
             " wurde geprüft und ist wahrscheinlich falsch. Wollen Sie sie trotzdem verwenden?";
    default: return "Unbekannter Fehler bei Prüfung der Bankverbindung. Bitte überprüfen Sie Ihre Eingabe!";
  }
}

bool IstPruefungsfrage(int code) {
  return code == bpBLZUnbekannt || code == bpKeinVerfahren || code == bpKontoFalsch || code == bpIBANPruefziffer;
}

bool PruefeMitMeldung(std::string_view blz, std::string_view konto, bool leerErlaubt, std::string_view iban) {
  return MitMeldung(PruefeBankverbindung(blz, konto, iban), leerErlaubt, konto, iban);
}

bool PruefeKontoMitMeldung(std::string_view blz, std::string_view konto, bool leerErlaubt) {
  return MitMeldung(Pruefe(blz, konto, "", false), leerErlaubt, konto, "");
}

bool PruefeIBANMitMeldung(std::string_view iban, bool leerErlaubt) { return PruefeMitMeldung("", "", leerErlaubt, iban); }

bool BerechneIBAN(std::string_view blz, std::string_view konto, std::string& iban) {
  if (blz.size() != 8 || konto.size() != 10 || !AlleZiffern(blz) || !AlleZiffern(konto)) return false;
  // The rule of an unknown bank is unknown too: no IBAN rather than a guess.
  TBank* bank = Bankverzeichnis();
  if (!bank || !bank->Lade(blz)) return false;
  if (!TBank::IBANRegelImplementiert(bank->IBANRegel(), bank->IBANRegelVersion())) return false;
  std::string n = std::string(blz) + std::string(konto) + "131400";
  int rest = 0;
  for (char c : n) rest = (rest * 10 + (c - '0')) % 97;
  int pruef = 98 - rest;
  iban = "DE";
  iban += static_cast<char>('0' + pruef / 10);
  iban += static_cast<char>('0' + pruef % 10);
  iban += blz;
  iban += konto;
  return true;
}

}  // namespace zaq
