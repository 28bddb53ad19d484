#include "interaction/Oberflaeche.h"

#include "interaction/Warten.h"

namespace zaq {

std::vector<Antwort> KnoepfeVon(Knoepfe knoepfe) {
  switch (knoepfe) {
    case Knoepfe::OK: return {Antwort::OK};
    case Knoepfe::OKAbbrechen: return {Antwort::OK, Antwort::Abbrechen};
    case Knoepfe::JaNein: return {Antwort::Ja, Antwort::Nein};
    case Knoepfe::JaNeinAbbrechen: return {Antwort::Ja, Antwort::Nein, Antwort::Abbrechen};
    case Knoepfe::WiederholenAbbrechen: return {Antwort::Wiederholen, Antwort::Abbrechen};
    case Knoepfe::AbbrechenWiederholenIgnorieren:
      return {Antwort::Abbruch, Antwort::Wiederholen, Antwort::Ignorieren};
    case Knoepfe::OKIgnorieren: return {Antwort::OK, Antwort::Ignorieren};
  }
  return {Antwort::OK};
}

std::string_view ArtText(MeldungsArt art) {
  switch (art) {
    case MeldungsArt::Warnung: return "Warnung";
    case MeldungsArt::Fehler: return "Fehler";
    case MeldungsArt::Information: return "Information";
    case MeldungsArt::Frage: return "Frage";
  }
  return "Information";
}

std::string_view AntwortText(Antwort antwort) {
  switch (antwort) {
    case Antwort::OK: return "OK";
    case Antwort::Abbrechen: return "Abbrechen";
    case Antwort::Abbruch: return "Abbruch";
    case Antwort::Wiederholen: return "Wiederholen";
    case Antwort::Ignorieren: return "Ignorieren";
    case Antwort::Ja: return "Ja";
    case Antwort::Nein: return "Nein";
  }
  return "OK";
}

Antwort MeldungsDaten::VorgabeAntwort() const {
  auto knoepfe_ = KnoepfeVon(knoepfe);
  std::size_t i = vorgabe >= 1 && static_cast<std::size_t>(vorgabe) <= knoepfe_.size()
                      ? static_cast<std::size_t>(vorgabe - 1)
                      : 0;
  return knoepfe_[i];
}

namespace {

// Used until a program installs its front end: never blocks, never asks.
class StilleOberflaeche final : public Oberflaeche {
 public:
  Antwort Meldung(const MeldungsDaten& m) override { return m.VorgabeAntwort(); }
  void WartenZeigen(const WarteZustand&) override {}
  void WartenVerbergen() override {}
  void Verarbeiten() override {}
  std::optional<std::string> DateiOeffnen(DateiDialog&) override { return std::nullopt; }
  std::optional<std::string> DateiSpeichern(DateiDialog&) override { return std::nullopt; }
  std::optional<std::string> Eingabe(const std::string&, const std::string&,
                                     const std::string&) override {
    return std::nullopt;
  }
  bool Dialog(DialogDaten&) override { return false; }
  void MeldungsListe(const std::vector<std::string>&) override {}
  void Zwischenablage(const std::string&) override {}
};

Oberflaeche*& Aktuell() {
  static StilleOberflaeche still;
  static Oberflaeche* aktuell = &still;
  return aktuell;
}

}  // namespace

Oberflaeche& UI() { return *Aktuell(); }

OberflaecheSetzen::OberflaecheSetzen(Oberflaeche& neu) : FAlt(Aktuell()) { Aktuell() = &neu; }
OberflaecheSetzen::~OberflaecheSetzen() { Aktuell() = FAlt; }

Antwort Meldung(const std::string& text, MeldungsArt art, Knoepfe knoepfe, int vorgabe) {
  return Warten().WarteMeldung(text, art, knoepfe, vorgabe);
}

}  // namespace zaq
