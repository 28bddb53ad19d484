#include "fees/Beitrag.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "base/Datum.h"
#include "fees/Platzhalter.h"
#include "interaction/Oberflaeche.h"
#include "interaction/Warten.h"
#include "platform/Kodierung.h"
#include "store/ZAQ.h"

namespace zaq {
namespace {

struct Befund {
  std::uint32_t flag;
  const char* text;
};

constexpr std::array<Befund, 13> kBeitragsbefunde = {{
    {bbKeineBeitragsklasse, "keine Beitragsklasse angegeben"},
    {bbFalscheBeitragsklasse, "Falsche Beitragsklasse"},
    {bbFehlerInBeitragsklasse, "Fehler in Beitragsklasse"},
    {bbFalscheZahlart, "Falsche oder keine Zahlart"},
    {bbVerweisFehlt, "Verweis auf Zahler fehlt"},
    {bbZahlerFehlt, "Zahler existiert nicht"},
    {bbZahlerNichtSelbstzahlend, "Zahler nicht selbstzahlend"},
    {bbKeinKonto, "Mitglied hat kein Konto."},
    {bbKeineIBAN, "Fehlende Bankverbindung (d.h. IBAN)"},
    {bbKeineMandatsreferenz, "Fehlende Mandatsreferenz"},
    {bbKeinMandatsdatum, "Fehlendes Mandatsdatum"},
    {bbKeinEmpfaengerkonto, "Kein Empfängerkontoschlüssel"},
    {bbFalschesEmpfaengerkonto, "Ungültiger Empfängerkontoschlüssel"},
}};

constexpr std::array<Befund, 3> kFamilienbefunde = {{
    {fbFehlerhafteZahlung, "Beinhaltet fehlerhafte Zahlung"},
    {fbFalscheErwachsenenzahl, "Falsche Erwachsenenzahl im Familienbeitrag"},
    {fbZuVieleErwachsene, "Zu viele Erwachsene im Familienbeitrag"},
}};

// The findings that make a payer's own fee unusable.  Its account and payer
// findings keep it out of the payer list but its fee still counts.
constexpr std::uint32_t kBeitragFehlt = bbKeineBeitragsklasse | bbFalscheBeitragsklasse | bbFehlerInBeitragsklasse;

bool Blank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Whether a text is empty once blanks are removed at both ends.
bool Leer(std::string_view text) { return std::all_of(text.begin(), text.end(), Blank); }

// The append rule of purpose texts, in place: text trimmed, then separator
// and entry unless the trimmed text is empty.  A run appends to thousands of
// texts, so no temporary strings.
void Anhaengen(std::string& text, std::string_view eintrag, std::string_view trenner) {
  std::size_t ende = text.size();
  while (ende > 0 && Blank(text[ende - 1])) --ende;
  std::size_t anfang = 0;
  while (anfang < ende && Blank(text[anfang])) ++anfang;
  text.resize(ende);
  text.erase(0, anfang);
  if (!text.empty()) text += trenner;
  text += eintrag;
}

template <std::size_t N>
std::string Texte(const std::array<Befund, N>& befunde, std::uint32_t flags) {
  std::string text;
  for (const auto& b : befunde)
    if (flags & b.flag) Anhaengen(text, b.text, "; ");
  return text;
}

const TStammdaten* Stamm(const TMitglied& m) { return m.Liste() ? &m.Liste()->FStammdaten : nullptr; }


// The charged part of a year as zaehler ÷ nenner; none when the member has
// paid beyond the calculation date.
struct Faktor {
  std::int64_t zaehler = 1, nenner = 1;
  bool bezahlt = false;
};

// Day numbers of 01.01.0001 and 31.12.9999: a date from a file outside them
// counts as the nearest of the two.
constexpr Tag kErsterTag = -693593;
constexpr Tag kLetzterTag = 2958465;

Faktor Teilzeitraum(int modus, Tag bezahltBis, Tag rechendatum) {
  Faktor f;
  bezahltBis = std::clamp(bezahltBis, kErsterTag, kLetzterTag - 1);
  rechendatum = std::clamp(rechendatum, kErsterTag, kLetzterTag - 1);
  const int monate = Monate(bezahltBis + 1, rechendatum + 1);
  if (monate < 0) {
    f.bezahlt = true;
    return f;
  }
  auto block = [&](int laenge, bool auf) {
    int bloecke = auf ? (monate + laenge - 1) / laenge : monate / laenge;
    return std::int64_t{bloecke} * laenge;
  };
  switch (modus) {
    case 1: f = {TageOhneSchalttag(bezahltBis + 1, rechendatum + 1), 365}; break;
    case 2: case 3: f = {monate, 12}; break;
    case 4: case 5: f = {block(2, modus == 5), 12}; break;
    case 6: case 7: f = {block(3, modus == 7), 12}; break;
    case 8: case 9: f = {block(4, modus == 9), 12}; break;
    case 10: case 11: f = {block(6, modus == 11), 12}; break;
    case 12: case 13: f = {block(12, modus == 13) / 12, 1}; break;
    default: break;  // unknown modes charge the annual amount
  }
  return f;
}

std::int64_t RundeHalbGerade(std::int64_t zaehler, std::int64_t nenner) {
  std::int64_t q = zaehler / nenner, r = zaehler % nenner;
  if (r > nenner - r || (r == nenner - r && (q & 1))) ++q;
  return q;
}

// "6/12x" or "2x" in front of the purpose part.
std::string FaktorText(int modus, const Faktor& f) {
  if (modus >= 12) return std::to_string(f.zaehler / f.nenner) + "x";
  return std::to_string(RundeHalbGerade(f.zaehler * 12, f.nenner)) + "/12x";
}

// Appends the name of a purpose text, trimmed, without a temporary.
void NameAnhaengen(std::string& text, const TMitglied& m, int k) {
  if (k != 0) {
    text += m.KurzName(k);
    return;
  }
  const std::size_t anfang = text.size();
  text += m.FName;
  text += ", ";
  text += m.FVorname;
  text += ' ';
  text += m.FZusatz;
  std::size_t ende = text.size();
  while (ende > anfang && Blank(text[ende - 1])) --ende;
  text.resize(ende);
  std::size_t erstes = anfang;
  while (erstes < ende && Blank(text[erstes])) ++erstes;
  text.erase(anfang, erstes - anfang);
}

// Appends "number name (part)" by the append rule.
void Eintrag(std::string& text, const TMitglied& m, int k, std::string_view teil, std::string_view trenner) {
  Anhaengen(text, m.MitgliedsnummerText(), trenner);
  text += ' ';
  NameAnhaengen(text, m, k);
  text += " (";
  text += teil;
  text += ')';
}

int Kuerzung(std::size_t laenge, int maxLaenge, std::size_t anzahl) {
  if (maxLaenge <= 0 || anzahl == 0 || static_cast<std::size_t>(maxLaenge) >= laenge) return 0;
  const std::size_t zuviel = laenge - static_cast<std::size_t>(maxLaenge);
  return static_cast<int>((zuviel + anzahl - 1) / anzahl);
}

// Verwendungszweck with the fees of the members given; geaendert reports
// preliminary dates set, so that a run can mark the list once.
TVerwendungszweck Zweck(const std::vector<TMitglied*>& zahltFuer, const std::vector<TBeitrag>& beitraege,
                        Tag rechendatum, const std::string& vorlage, const std::string& trenner, int maxLaenge,
                        bool zaehlen, bool vorlDatumSetzen, bool vollesJahr, bool& geaendert) {
  TVerwendungszweck z;
  std::string text;
  Tag von = rechendatum;
  for (std::size_t i = 0; i < zahltFuer.size(); ++i) {
    const TMitglied& x = *zahltFuer[i];
    z.cent += std::max<std::int64_t>(0, beitraege[i].cent);
    // The full-length listing only matters when it may be too long.
    if (maxLaenge > 0) Eintrag(text, x, 0, beitraege[i].teil, trenner);
    if (!vollesJahr && x.FBezahltBis + 1 < von) von = x.FBezahltBis + 1;
  }
  std::size_t laenge = Cp1252Laenge(text);
  text.clear();
  if (!vorlage.empty()) {
    text = ErsetzePlatzhalter(vorlage, von, rechendatum);
    laenge += Cp1252Laenge(text) + 2;
  }
  const int k = Kuerzung(laenge, maxLaenge, zahltFuer.size());
  for (std::size_t i = 0; i < zahltFuer.size(); ++i) {
    TMitglied& x = *zahltFuer[i];
    const TBeitrag& b = beitraege[i];
    if (zaehlen && b.Berechnet() && b.altKlasse) b.altKlasse->Zaehle(b.cent);
    Eintrag(text, x, k, b.Berechnet() ? std::string_view(b.teil) : "Fehler", trenner);
    if (vorlDatumSetzen) {
      x.FVorlaeufigBezahltBis = rechendatum;
      geaendert = true;
    }
  }
  z.text = std::move(text);
  return z;
}

template <class Befunde>
std::uint32_t Familie(const TMitglied& zahler, const std::vector<TMitglied*>& zahltFuer, Befunde befunde) {
  std::uint32_t g = 0;
  std::vector<std::pair<const TBtrKlasse*, int>> erwachsene;
  for (TMitglied* x : zahltFuer) {
    TBtrKlasse* klasse = nullptr;
    std::uint32_t f = befunde(*x, klasse);
    if (x == &zahler) f &= kBeitragFehlt;
    if (f) {
      g |= fbFehlerhafteZahlung;
      continue;
    }
    if (!klasse || !klasse->FFamilienbeitrag) continue;
    auto it = std::find_if(erwachsene.begin(), erwachsene.end(), [&](const auto& e) { return e.first == klasse; });
    if (it == erwachsene.end()) it = erwachsene.insert(erwachsene.end(), {klasse, 0});
    if (x->AlterBeitrag() >= klasse->FFamilienAlter) ++it->second;
  }
  if (g) return g;
  for (const auto& [klasse, anzahl] : erwachsene) {
    if (klasse->FFamilienIst != 0 && klasse->FFamilienIst != anzahl) g |= fbFalscheErwachsenenzahl;
    if (klasse->FFamilienMax != 0 && klasse->FFamilienMax < anzahl) g |= fbZuVieleErwachsene;
  }
  return g;
}

}  // namespace

TBtrKlasse* KlasseVon(const TMitglied& m) {
  TZAQ* liste = m.Liste();
  return liste ? liste->FStammdaten.SucheBtrKlasse(m.FBeitragsschluessel.wert) : nullptr;
}

std::string BeitragsbefundText(std::uint32_t befund) { return Texte(kBeitragsbefunde, befund); }
std::string FamilienbefundText(std::uint32_t befund) { return Texte(kFamilienbefunde, befund); }

std::int64_t RundeCent(float betrag, std::int64_t zaehler, std::int64_t nenner) {
  // Beyond these bounds no club fee lies; within them the products below fit 64 bits.
  if (!std::isfinite(betrag) || betrag < 0 || betrag > 1e9f) return -1;
  if (zaehler < 0 || nenner <= 0 || nenner > 1000 || zaehler > 20000 * nenner) return -1;
  if (betrag == 0 || zaehler == 0) return 0;
  // The float is exactly mantisse × 2^exponent.
  int exponent = 0;
  auto mantisse = static_cast<std::int64_t>(std::ldexp(std::frexp(static_cast<double>(betrag), &exponent), 24));
  exponent -= 24;
  while (exponent < 0 && (mantisse & 1) == 0) {
    mantisse >>= 1;
    ++exponent;
  }
  if (exponent >= 0) return RundeHalbGerade((mantisse << exponent) * 100 * zaehler, nenner);
  // Below 2^-29 euro even 20,000 years stay under half a cent.
  if (exponent < -52) return 0;
  return RundeHalbGerade(mantisse * 100 * zaehler, nenner << -exponent);
}

std::string BetragText(std::int64_t cent, bool tausender) {
  const bool negativ = cent < 0;
  const std::uint64_t betrag = negativ ? 0 - static_cast<std::uint64_t>(cent) : static_cast<std::uint64_t>(cent);
  std::string euro = std::to_string(betrag / 100);
  if (tausender)
    for (int i = static_cast<int>(euro.size()) - 3; i > 0; i -= 3) euro.insert(static_cast<std::size_t>(i), ".");
  const std::uint64_t rest = betrag % 100;
  return (negativ ? "-" : "") + euro + "," + (rest < 10 ? "0" : "") + std::to_string(rest);
}

TBeitrag Beitrag(TBtrKlasse* klasse, TMitglied& m, Tag rechendatum, bool zaehlen, bool vollesJahr) {
  TBeitrag b;
  if (!klasse) return b;
  TAltKlasse* c = nullptr;
  float betrag = 0;
  if (klasse->FFamilienbeitrag) {
    if (klasse->FAltKlassen.empty()) return b;
    c = &klasse->FAltKlassen.front();
    if (HatZahlerVerweis(m)) {
      if (!ZahlerVon(m)) return b;
      b.teil = (klasse->FFaktorText ? "0x" : "") + c->FVerwendungszweck;
    } else {
      betrag = c->FBetrag;
      b.teil = c->FVerwendungszweck;
    }
  } else {
    c = klasse->AltKlasseFuerAlter(m.AlterBeitrag());
    if (!c) return b;
    betrag = c->FBetrag;
    b.teil = c->FVerwendungszweck;
  }
  b.altKlasse = c;
  Faktor f;
  if (!vollesJahr && rechendatum > 0 && betrag >= 0 && klasse->FTeilberechnung != 0)
    f = Teilzeitraum(klasse->FTeilberechnung, m.FBezahltBis, rechendatum);
  b.cent = f.bezahlt ? 0 : RundeCent(betrag, f.zaehler, f.nenner);
  if (!f.bezahlt && f.zaehler != f.nenner && betrag != 0 && klasse->FFaktorText)
    b.teil = FaktorText(klasse->FTeilberechnung, f) + b.teil;
  if (zaehlen && b.Berechnet()) c->Zaehle(b.cent);
  return b;
}

std::int64_t BeitragBetrag(TMitglied& m, Tag rechendatum, bool vollesJahr) {
  TBtrKlasse* klasse = KlasseVon(m);
  if (!klasse) return -1;
  if (klasse->FFamilienbeitrag && HatZahlerVerweis(m)) return 0;
  return std::max<std::int64_t>(-1, Beitrag(klasse, m, rechendatum, false, vollesJahr).cent);
}

std::string BeitragText(TMitglied& m, Tag rechendatum, bool vollesJahr) {
  const std::int64_t cent = BeitragBetrag(m, rechendatum, vollesJahr);
  if (cent < 0) return "Fehler!";
  TBtrKlasse* klasse = KlasseVon(m);
  if (klasse && klasse->FFamilienbeitrag && HatZahlerVerweis(m)) return BetragText(0) + " € F";
  return BetragText(cent) + " €";
}

std::string BeitragsklasseText(const TMitglied& m) {
  const TBtrKlasse* klasse = KlasseVon(m);
  return klasse ? klasse->FBezeichnung : "Keine Beitragsklasse gefunden";
}

std::uint32_t PruefeBeitragsdaten(TMitglied& m, Tag rechendatum, TBtrKlasse** klasseAus, bool ohneBeitrag) {
  std::uint32_t f = 0;
  TBtrKlasse* klasse = KlasseVon(m);
  if (klasseAus) *klasseAus = klasse;
  if (!ohneBeitrag) {
    if (Leer(m.FBeitragsschluessel.wert)) f |= bbKeineBeitragsklasse;
    else if (!klasse) f |= bbFalscheBeitragsklasse;
    else if (!Beitrag(klasse, m, rechendatum, false, true).Berechnet()) f |= bbFehlerInBeitragsklasse;
  }
  if (m.FZahlart > zaMitfinanziert) f |= bbFalscheZahlart;
  if (m.FZahlart == zaMitfinanziert) {
    if (!m.Zahler()) f |= bbVerweisFehlt;
    else if (TMitglied* zahler = m.Zahler()->GetZiel(); !zahler) f |= bbZahlerFehlt;
    else if (zahler->FZahlart == zaMitfinanziert) f |= bbZahlerNichtSelbstzahlend;
  }
  if (m.FZahlart == zaLastschrift) {
    const TMitgliedskonto* konto = m.Konto();
    if (!konto) {
      f |= bbKeinKonto;
    } else {
      if (Leer(konto->FIBAN)) f |= bbKeineIBAN;
      if (Leer(konto->FMandatsreferenz)) f |= bbKeineMandatsreferenz;
      if (konto->FMandatsdatum == 0) f |= bbKeinMandatsdatum;
      const std::string& schluessel = konto->FEmpfaengerKonto.wert;
      if (Leer(schluessel)) f |= bbKeinEmpfaengerkonto;
      else if (const TStammdaten* s = Stamm(m); !s || !s->SucheVereinskonto(schluessel))
        f |= bbFalschesEmpfaengerkonto;
    }
  }
  return f;
}

std::uint32_t PruefeFamilie(const TMitglied& zahler, const std::vector<TMitglied*>& zahltFuer, Tag rechendatum) {
  return Familie(zahler, zahltFuer, [&](TMitglied& x, TBtrKlasse*& klasse) {
    return PruefeBeitragsdaten(x, rechendatum, &klasse, false);
  });
}

std::string ZweckName(const TMitglied& m, int k) {
  std::string text;
  NameAnhaengen(text, m, k);
  return text;
}

TVerwendungszweck Verwendungszweck(TZAQ& liste, const std::vector<TMitglied*>& zahltFuer, Tag rechendatum,
                                   const std::string& vorlage, const std::string& trenner, int maxLaenge,
                                   bool zaehlen, bool vorlDatumSetzen, bool vollesJahr) {
  std::vector<TBeitrag> beitraege;
  beitraege.reserve(zahltFuer.size());
  for (TMitglied* x : zahltFuer) beitraege.push_back(Beitrag(KlasseVon(*x), *x, rechendatum, false, vollesJahr));
  bool geaendert = false;
  auto z = Zweck(zahltFuer, beitraege, rechendatum, vorlage, trenner, maxLaenge, zaehlen, vorlDatumSetzen,
                 vollesJahr, geaendert);
  if (geaendert) liste.Geaendert();
  return z;
}

std::string SonderVerwendungszweck(const std::vector<TMitglied*>& zahltFuer, int maxLaenge,
                                   const std::string& vorlage, const std::string& trenner) {
  auto bilde = [&](int k) {
    std::string text = vorlage + trenner;
    for (const TMitglied* x : zahltFuer)
      Anhaengen(text, x->MitgliedsnummerText() + " " + ZweckName(*x, k), trenner);
    return text;
  };
  std::string text = bilde(0);
  const int k = Kuerzung(Cp1252Laenge(text), maxLaenge, zahltFuer.size());
  return k == 0 ? text : bilde(k);
}

void Beitragslauf(TZAQ& liste, Tag rechendatum, bool vollesJahr, TBeitragslaufOptionen& o) {
  const Tag datum = rechendatum != 0 ? rechendatum : liste.FStammdaten.FBeitragStichtag;
  const bool nullMelden = liste.FNullbetragMelden;
  o.Summe = 0;
  o.Zahlerliste.clear();
  o.Hinweisliste.clear();
  liste.FStammdaten.StatistikZuruecksetzen();

  auto& mitglieder = liste.FMitglieder;
  const auto n = static_cast<std::size_t>(mitglieder.Anzahl());

  // Who pays for whom, in one pass: the members of payer p are
  // kinder[beginn[p] .. beginn[p + 1]), in list order.
  std::vector<std::int32_t> zahlerVon(n, -1);
  std::vector<std::uint32_t> beginn(n + 1, 0);
  for (std::size_t i = 0; i < n; ++i) {
    TMitglied* p = ZahlerVon(mitglieder[static_cast<int>(i)]);
    if (!p || p->FZahlart == zaMitfinanziert) continue;
    zahlerVon[i] = p->Index();
    ++beginn[static_cast<std::size_t>(p->Index()) + 1];
  }
  for (std::size_t i = 0; i < n; ++i) beginn[i + 1] += beginn[i];
  std::vector<TMitglied*> kinder(beginn[n]);
  {
    std::vector<std::uint32_t> frei(beginn.begin(), beginn.end() - 1);
    for (std::size_t i = 0; i < n; ++i)
      if (zahlerVon[i] >= 0) kinder[frei[static_cast<std::size_t>(zahlerVon[i])]++] = &mitglieder[static_cast<int>(i)];
  }
  auto teilnehmer = [&](const TMitglied& m) { return !o.NurSelektierte || m.FSelektiert; };
  auto zahltFuer = [&](TMitglied& p, std::vector<TMitglied*>& fuer) {
    fuer.clear();
    if (p.FZahlart == zaMitfinanziert) return;
    const auto i = static_cast<std::size_t>(p.Index());
    bool selbst = false;
    for (std::uint32_t k = beginn[i]; k < beginn[i + 1]; ++k) {
      TMitglied* x = kinder[k];
      if (!selbst && x->Index() > p.Index()) {
        if (teilnehmer(p)) fuer.push_back(&p);
        selbst = true;
      }
      if (teilnehmer(*x)) fuer.push_back(x);
    }
    if (!selbst && teilnehmer(p)) fuer.push_back(&p);
  };

  // Each member's findings once; a payer's family check asks again.
  std::vector<std::uint32_t> befunde(n);
  std::vector<TBtrKlasse*> klassen(n);
  std::vector<bool> geprueft(n, false);
  auto befund = [&](TMitglied& m, TBtrKlasse*& klasse) {
    const auto i = static_cast<std::size_t>(m.Index());
    if (!geprueft[i]) {
      befunde[i] = PruefeBeitragsdaten(m, datum, &klassen[i], o.OhneBerechnung);
      geprueft[i] = true;
    }
    klasse = klassen[i];
    return befunde[i];
  };

  bool geaendert = false;
  std::vector<TBeitrag> beitraege;
  std::vector<TMitglied*> fuer;
  for (std::size_t i = 0; i < n; ++i) {
    Warten().Fortschritt(static_cast<double>(i) / static_cast<double>(n));
    TMitglied& m = mitglieder[static_cast<int>(i)];
    m.FHinweise.clear();
    auto melde = [&](std::string_view text) { Anhaengen(m.FHinweise, text, "; "); };
    std::uint32_t f = 0, g = 0;
    std::int64_t q = 0;
    const bool nimmtTeil = teilnehmer(m);
    if (nimmtTeil) {
      TBtrKlasse* klasse = nullptr;
      f = befund(m, klasse);
      if (f) melde(BeitragsbefundText(f));
    }
    const bool zahler = o.IstZahlart(m.FZahlart);
    bool bezahltFuerAndere = false;
    if (zahler) {
      zahltFuer(m, fuer);
      bezahltFuerAndere = !fuer.empty();
      if (!fuer.empty()) {
        TVerwendungszweck z;
        if (!o.OhneBerechnung) {
          g = Familie(m, fuer, befund);
          if (g) melde(FamilienbefundText(g));
          if (g == 0) {
            beitraege.clear();
            for (TMitglied* x : fuer) {
              TBtrKlasse* klasse = nullptr;
              befund(*x, klasse);
              beitraege.push_back(Beitrag(klasse, *x, datum, false, vollesJahr));
            }
            z = Zweck(fuer, beitraege, datum, "", "; ", 0, true, o.VorlDatumSetzen, vollesJahr, geaendert);
            q = z.cent;
            o.Summe += q;
            if (q == 0 && nullMelden) melde("Zahler-Nullbetrag");
            if (q > 0) melde(z.text);
          }
        }
        if (f == 0 && g == 0 && o.MitZahlerliste && (o.MitNullbetrag || q > 0))
          o.Zahlerliste.push_back({&m, fuer, q, std::move(z.text)});
      } else if (nullMelden && nimmtTeil) {
        melde("Nullbetrag trotz Zahler");
      }
    }
    // A member outside the selection that pays for nobody selected is no part of the run.
    if (f || g || (q == 0 && nullMelden && zahler && !o.OhneBerechnung && (nimmtTeil || bezahltFuerAndere)))
      o.Hinweisliste.push_back(&m);
  }
  if (geaendert) liste.Geaendert();
}

int UebernehmeVorlDaten(TZAQ& liste) {
  int anzahl = 0;
  for (const auto& m : liste.FMitglieder) {
    if (m->FVorlaeufigBezahltBis <= 0) continue;
    m->FBezahltBis = m->FVorlaeufigBezahltBis;
    m->FVorlaeufigBezahltBis = 0;
    ++anzahl;
  }
  if (anzahl > 0) liste.Geaendert();
  return anzahl;
}

}  // namespace zaq
