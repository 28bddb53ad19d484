#include "views/Bankdaten.h"

#include <cstdio>

#include "bank/Bank.h"
#include "base/Text.h"
#include "interaction/Oberflaeche.h"

namespace zaq {
namespace {

std::string Implementiert(bool ja) { return ja ? " (implementiert)" : " (nicht implementiert)"; }

std::string Nullen(int zahl, int stellen) {
  char puffer[16];
  std::snprintf(puffer, sizeof puffer, "%0*d", stellen, zahl);
  return puffer;
}

}  // namespace

TfrmBankdaten::TfrmBankdaten(const std::string& blz) : txtBLZ(blz == "00000000" ? std::string() : blz) {}

void TfrmBankdaten::FormShow() {
  if (!txtBLZ.empty()) befSuchenClick();
}

void TfrmBankdaten::Leeren() {
  txtBezeichnung.clear();
  txtSitz.clear();
  txtKurzbezeichnung.clear();
  txtBIC.clear();
  txtVerfahren.clear();
  txtIBANRegel.clear();
}

void TfrmBankdaten::befSuchenClick() {
  TBank* bank = Bankverzeichnis();
  if (bank && bank->Lade(OhneLeerzeichen(txtBLZ))) {
    txtBezeichnung = bank->Bezeichnung();
    txtSitz = bank->PLZ() + " " + bank->Ort();
    txtKurzbezeichnung = bank->Kurzbezeichnung();
    txtBIC = bank->BIC();
    txtVerfahren = Nullen(bank->Pruefverfahren(), 3) + Implementiert(TBank::VerfahrenImplementiert(bank->Pruefverfahren()));
    txtIBANRegel = Nullen(bank->IBANRegel(), 4) + "." + Nullen(bank->IBANRegelVersion(), 2) +
                   Implementiert(TBank::IBANRegelImplementiert(bank->IBANRegel(), bank->IBANRegelVersion()));
  } else {
    Leeren();
    Meldung("Die angegebene Bankleitzahl wurde im BLZ-Verzeichnis nicht gefunden.", MeldungsArt::Fehler);
  }
  FBLZAuswaehlen = true;
}

}  // namespace zaq
