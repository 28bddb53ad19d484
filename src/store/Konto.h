#pragma once
// Bank accounts: the club's receiving accounts and the members' debit accounts.
#include <cstdint>
#include <string>

#include "store/Blockpool.h"
#include "store/DateiEA.h"

namespace zaq {

class TKonto : public TDateiEA {
 public:
  std::string FIBAN;
  std::string FBLZ;
  std::string FKontonummer;
  std::string FInhaber;
};

class TMitgliedskonto : public TFeldDatensatz<TMitgliedskonto, TKonto>, public AusBlockpool<TMitgliedskonto> {
 public:
  const char* KlassenName() const override { return "TMitgliedskonto"; }
  static std::span<const Feldbeschreibung<TMitgliedskonto>> Felder();

  std::string FMandatsreferenz;
  std::int32_t FMandatsdatum = 0;
  std::int32_t FErstlastschrift = 0;
  KurzText<5> FEmpfaengerKonto;
};

class TVereinskonto : public TFeldDatensatz<TVereinskonto, TKonto> {
 public:
  const char* KlassenName() const override { return "TVereinskonto"; }
  static std::span<const Feldbeschreibung<TVereinskonto>> Felder();

  std::string FKontoSchluessel;
  std::string FBezeichnung = "Vorgabe";
  std::string FBankname;
  std::string FGlaeubigerID;
};

class TVereinskontenListe : public TListe<TVereinskonto> {
 public:
  const char* KlassenName() const override { return "TVereinskontenListe"; }
};

}  // namespace zaq
