#pragma once
// TDateiEA, the base of every persistent record, with kept unknown fields,
// the list record TListe, and Feldtabelle: a record describes its fields once
// (ID, name, member) and gets writing, reading and the JSON dump from it.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "interaction/Warten.h"
#include "store/Stream.h"

namespace zaq {

using Json = nlohmann::ordered_json;

// Write flags, handed down the whole record tree.
enum SchreibFlag : std::uint32_t {
  sfLokal = 1,             // a file on this computer
  sfLokaleDaten = 2,       // data that must not leave this computer
  sfVerschluesseln = 4,    // encipher the body with the shared key
  sfArchivFrist = 8,       // archived members only within the retention period
  sfUnbekannte = 16,       // write the kept unknown fields
};

// A field this program does not know, kept to be written back.
struct TOhneID {
  std::uint16_t FID = 0;
  bool FIstBool = false;
  bool FWert = false;
  Bytes FDaten;
  bool operator==(const TOhneID&) const = default;
};

class TDateiEA {
 public:
  TDateiEA() = default;
  TDateiEA(const TDateiEA&) = default;
  TDateiEA& operator=(const TDateiEA&) = default;
  TDateiEA(TDateiEA&&) = default;
  TDateiEA& operator=(TDateiEA&&) = default;
  virtual ~TDateiEA() = default;

  virtual const char* KlassenName() const = 0;
  // Writes the record's fields; the base writes the kept unknown fields (flag 16).
  virtual void StreamSchreiben(TZAQStream& s, std::uint32_t flags, bool& ok) const;
  // Reads fields until groesse bytes are consumed.
  virtual void StreamLesen(TZAQStream& s, std::int64_t groesse, bool& ok);
  virtual void FeldLesen(std::uint16_t id, TZAQStream& s, bool& ok, bool& unbekannt,
                         std::int32_t groesse) = 0;
  // The record as JSON; the base adds "FUnbekannt" when fields are kept.
  virtual void ZuJson(Json& j) const;

  std::vector<TOhneID> FUnbekannt;

 protected:
  // The open list reports its reading progress to the wait window.
  virtual bool MeldetFortschritt() const { return false; }
  virtual void LeseFortschritt(double) {}
  void UnbekannteZuJson(Json& j) const;
  // Reads field after field until groesse bytes are consumed;
  // lese(id, s, ok, unbekannt, groesse) reads one field or marks it unknown.
  template <class Lese>
  void LeseFelder(TZAQStream& s, std::int64_t groesse, bool& ok, Lese&& lese);

 private:
  void BehalteUnbekannt(TZAQStream& s, std::uint16_t id, std::int32_t groesse);
  void MeldeLesefehler(std::uint16_t id, std::int32_t groesse) const;
};

template <class Lese>
void TDateiEA::LeseFelder(TZAQStream& s, std::int64_t groesse, bool& ok, Lese&& lese) {
  const bool fortschritt = MeldetFortschritt() && groesse > 0;
  const std::size_t start = s.Position();
  auto verbraucht = [&] { return static_cast<std::int64_t>(s.Position() - start); };
  while (ok && verbraucht() < groesse) {
    if (fortschritt) LeseFortschritt(static_cast<double>(verbraucht()) / static_cast<double>(groesse));
    std::uint16_t id = 0;
    std::int32_t feldGroesse = 0;
    LeseKopf(s, id, feldGroesse);
    bool unbekannt = false;
    if (!s.FFehler) lese(id, s, ok, unbekannt, feldGroesse);
    if (unbekannt && !s.FFehler) BehalteUnbekannt(s, id, feldGroesse);
    if (s.FFehler) ok = false;
    if (!ok) {
      MeldeLesefehler(id, feldGroesse);
      break;
    }
    Warten().Verarbeiten();
  }
  if (verbraucht() != groesse) ok = false;
}

// A sub-record: tag with code 4, 4-byte length patched after writing.
void SchreibeUnterblock(TZAQStream& s, const TDateiEA& r, std::uint16_t id, std::uint32_t flags,
                        bool& ok);
void LeseUnterblock(TZAQStream& s, TDateiEA& r, std::int32_t groesse, bool& ok);

// A fixed-capacity short text stored with its length byte (fee class keys).
template <std::size_t N>
struct KurzText {
  std::string wert;  // UTF-8, at most N Windows-1252 characters
  bool operator==(const KurzText&) const = default;
};

// --- Field tables ---------------------------------------------------------

template <class R>
struct Sonderfeld {
  void (*schreiben)(const R& r, TZAQStream& s, std::uint16_t id, std::uint32_t flags, bool& ok);
  void (*lesen)(R& r, TZAQStream& s, std::int32_t groesse, bool& ok);
  void (*json)(const R& r, Json& j, const char* name);
};

template <class R>
struct Unterfeld {
  const TDateiEA& (*zugriff)(const R& r);
};

template <class R>
using FeldZeiger =
    std::variant<bool R::*, std::uint8_t R::*, std::uint16_t R::*, std::int16_t R::*,
                 std::int32_t R::*, std::uint32_t R::*, float R::*, double R::*, std::string R::*,
                 Bytes R::*, std::vector<std::int32_t> R::*, KurzText<5> R::*, Unterfeld<R>,
                 Sonderfeld<R>>;

template <class R>
struct Feldbeschreibung {
  std::uint16_t id;
  const char* name;
  FeldZeiger<R> zeiger;
  // Optional: the field is written only when this returns true.
  bool (*schreiben)(const R& r, std::uint32_t flags) = nullptr;
};

namespace feld_detail {
template <class R>
void Schreibe(const R& r, const Feldbeschreibung<R>& f, TZAQStream& s, std::uint32_t flags, bool& ok);
template <class R>
void Lese(R& r, const Feldbeschreibung<R>& f, TZAQStream& s, std::int32_t groesse, bool& ok);
template <class R>
void ZuJson(const R& r, const Feldbeschreibung<R>& f, Json& j);
void SchreibeKurzText(TZAQStream& s, const std::string& wert, std::size_t n, std::uint16_t id);
void LeseKurzText(TZAQStream& s, std::string& wert, std::size_t n, std::int32_t groesse);
}  // namespace feld_detail

// Base for records that describe their fields in a table.  R provides
//   static std::span<const Feldbeschreibung<R>> Felder();
// B is the record's base class when it shares fields with siblings.
template <class R, class B = TDateiEA>
class TFeldDatensatz : public B {
 public:
  void StreamSchreiben(TZAQStream& s, std::uint32_t flags, bool& ok) const override {
    const R& r = static_cast<const R&>(*this);
    for (const auto& f : R::Felder()) {
      if (!ok) return;
      if (f.schreiben && !f.schreiben(r, flags)) continue;
      feld_detail::Schreibe(r, f, s, flags, ok);
    }
    TDateiEA::StreamSchreiben(s, flags, ok);
  }

  // The fields are read without a virtual call each: a member file has millions.
  void StreamLesen(TZAQStream& s, std::int64_t groesse, bool& ok) override {
    R& r = static_cast<R&>(*this);
    this->LeseFelder(s, groesse, ok,
                     [&r](std::uint16_t id, TZAQStream& st, bool& o, bool& unbekannt, std::int32_t g) {
                       r.R::FeldLesen(id, st, o, unbekannt, g);
                     });
  }

  void FeldLesen(std::uint16_t id, TZAQStream& s, bool& ok, bool& unbekannt,
                 std::int32_t groesse) override {
    const Feldbeschreibung<R>* f = Suche(id);
    if (!f) {
      unbekannt = true;
      return;
    }
    feld_detail::Lese(static_cast<R&>(*this), *f, s, groesse, ok);
  }

  void ZuJson(Json& j) const override {
    const R& r = static_cast<const R&>(*this);
    j = Json::object();
    for (const auto& f : R::Felder()) feld_detail::ZuJson(r, f, j);
    this->UnbekannteZuJson(j);
  }

 private:
  static const Feldbeschreibung<R>* Suche(std::uint16_t id) {
    // Index by ID, built once per class: reading a large file meets every field often.
    static const auto index = [] {
      std::array<std::int16_t, 4096> i;
      i.fill(-1);
      auto felder = R::Felder();
      for (std::size_t k = 0; k < felder.size(); ++k)
        i[felder[k].id] = static_cast<std::int16_t>(k);
      return i;
    }();
    std::int16_t k = index[id & 4095];
    return k < 0 ? nullptr : &R::Felder()[static_cast<std::size_t>(k)];
  }
};

namespace feld_detail {

template <class R>
void Schreibe(const R& r, const Feldbeschreibung<R>& f, TZAQStream& s, std::uint32_t flags, bool& ok) {
  std::visit(
      [&](auto&& z) {
        using Z = std::decay_t<decltype(z)>;
        if constexpr (std::is_same_v<Z, bool R::*>) SchreibeBool(s, r.*z, f.id);
        else if constexpr (std::is_same_v<Z, std::uint8_t R::*>) SchreibeByte(s, r.*z, f.id);
        else if constexpr (std::is_same_v<Z, std::uint16_t R::*>) SchreibeInt16(s, r.*z, f.id);
        else if constexpr (std::is_same_v<Z, std::int16_t R::*>)
          SchreibeInt16(s, static_cast<std::uint16_t>(r.*z), f.id);
        else if constexpr (std::is_same_v<Z, std::int32_t R::*>) SchreibeInt32(s, r.*z, f.id);
        else if constexpr (std::is_same_v<Z, std::uint32_t R::*>)
          SchreibeInt32(s, static_cast<std::int32_t>(r.*z), f.id);
        else if constexpr (std::is_same_v<Z, float R::*>) SchreibeBlock(s, &(r.*z), sizeof(float), f.id);
        else if constexpr (std::is_same_v<Z, double R::*>) SchreibeDouble(s, r.*z, f.id);
        else if constexpr (std::is_same_v<Z, std::string R::*>) SchreibeText(s, r.*z, f.id);
        else if constexpr (std::is_same_v<Z, Bytes R::*>) SchreibeBytes(s, r.*z, f.id);
        else if constexpr (std::is_same_v<Z, std::vector<std::int32_t> R::*>)
          SchreibeIntegers(s, r.*z, f.id);
        else if constexpr (std::is_same_v<Z, KurzText<5> R::*>)
          SchreibeKurzText(s, (r.*z).wert, 5, f.id);
        else if constexpr (std::is_same_v<Z, Unterfeld<R>>)
          SchreibeUnterblock(s, z.zugriff(r), f.id, flags, ok);
        else z.schreiben(r, s, f.id, flags, ok);
      },
      f.zeiger);
}

template <class R>
void Lese(R& r, const Feldbeschreibung<R>& f, TZAQStream& s, std::int32_t g, bool& ok) {
  std::visit(
      [&](auto&& z) {
        using Z = std::decay_t<decltype(z)>;
        if constexpr (std::is_same_v<Z, bool R::*>) LeseBool(s, r.*z, g);
        else if constexpr (std::is_same_v<Z, std::uint8_t R::*>) LeseByte(s, r.*z, g);
        else if constexpr (std::is_same_v<Z, std::uint16_t R::*>) LeseInt16(s, r.*z, g);
        else if constexpr (std::is_same_v<Z, std::int16_t R::*>) LeseInt16(s, r.*z, g);
        else if constexpr (std::is_same_v<Z, std::int32_t R::*>) LeseInt32(s, r.*z, g);
        else if constexpr (std::is_same_v<Z, std::uint32_t R::*>) LeseInt32(s, r.*z, g);
        else if constexpr (std::is_same_v<Z, float R::*>) LeseBlock(s, &(r.*z), sizeof(float), g);
        else if constexpr (std::is_same_v<Z, double R::*>) LeseDouble(s, r.*z, g);
        else if constexpr (std::is_same_v<Z, std::string R::*>) LeseText(s, r.*z, g);
        else if constexpr (std::is_same_v<Z, Bytes R::*>) LeseBytes(s, r.*z, g);
        else if constexpr (std::is_same_v<Z, std::vector<std::int32_t> R::*>) LeseIntegers(s, r.*z, g);
        else if constexpr (std::is_same_v<Z, KurzText<5> R::*>) LeseKurzText(s, (r.*z).wert, 5, g);
        else if constexpr (std::is_same_v<Z, Unterfeld<R>>)
          LeseUnterblock(s, const_cast<TDateiEA&>(z.zugriff(r)), g, ok);
        else z.lesen(r, s, g, ok);
      },
      f.zeiger);
}

std::string HexBytes(const Bytes& b);

template <class R>
void ZuJson(const R& r, const Feldbeschreibung<R>& f, Json& j) {
  if (!f.name || !*f.name) return;
  std::visit(
      [&](auto&& z) {
        using Z = std::decay_t<decltype(z)>;
        if constexpr (std::is_same_v<Z, Bytes R::*>) j[f.name] = HexBytes(r.*z);
        else if constexpr (std::is_same_v<Z, float R::*>) j[f.name] = static_cast<double>(r.*z);
        else if constexpr (std::is_same_v<Z, KurzText<5> R::*>) j[f.name] = (r.*z).wert;
        else if constexpr (std::is_same_v<Z, Unterfeld<R>>) z.zugriff(r).ZuJson(j[f.name]);
        else if constexpr (std::is_same_v<Z, Sonderfeld<R>>) {
          if (z.json) z.json(r, j, f.name);
        } else j[f.name] = r.*z;
      },
      f.zeiger);
}

}  // namespace feld_detail

// --- Lists ------------------------------------------------------------------

// A list of owned records: field 10 = count, field 20 = one item each.
template <class T>
class TListe : public TDateiEA {
 public:
  using Erzeuger = std::function<std::unique_ptr<T>()>;

  TListe() = default;
  TListe(const TListe& q) : TDateiEA(q), FErzeuger(q.FErzeuger) { KopiereElemente(q); }
  TListe& operator=(const TListe& q) {
    if (this != &q) {
      TDateiEA::operator=(q);
      KopiereElemente(q);
    }
    return *this;
  }
  TListe(TListe&&) noexcept = default;
  TListe& operator=(TListe&&) noexcept = default;

  int Anzahl() const { return static_cast<int>(FListe.size()); }
  T& Element(int i) { return *FListe.at(static_cast<std::size_t>(i)); }
  const T& Element(int i) const { return *FListe.at(static_cast<std::size_t>(i)); }
  T& Hinzufuegen(std::unique_ptr<T> e) {
    FListe.push_back(std::move(e));
    return *FListe.back();
  }
  T& Hinzufuegen() { return Hinzufuegen(Neu()); }
  void Loeschen(int i) { FListe.erase(FListe.begin() + i); }
  void Entfernen(const T* e) {
    for (std::size_t i = 0; i < FListe.size(); ++i)
      if (FListe[i].get() == e) {
        FListe.erase(FListe.begin() + static_cast<long>(i));
        return;
      }
  }
  void Leeren() { FListe.clear(); }
  auto begin() { return FListe.begin(); }
  auto end() { return FListe.end(); }
  auto begin() const { return FListe.begin(); }
  auto end() const { return FListe.end(); }

  void SetzeErzeuger(Erzeuger e) { FErzeuger = std::move(e); }

  void StreamSchreiben(TZAQStream& s, std::uint32_t flags, bool& ok) const override {
    SchreibeInt32(s, Anzahl(), 10);
    for (const auto& e : FListe) {
      if (!ok) return;
      SchreibeUnterblock(s, *e, 20, flags, ok);
    }
    TDateiEA::StreamSchreiben(s, flags, ok);
  }

  void StreamLesen(TZAQStream& s, std::int64_t groesse, bool& ok) override {
    Leeren();
    TDateiEA::StreamLesen(s, groesse, ok);
  }

  void FeldLesen(std::uint16_t id, TZAQStream& s, bool& ok, bool& unbekannt,
                 std::int32_t groesse) override {
    if (id == 10) {
      std::int32_t anzahl = 0;
      LeseInt32(s, anzahl, groesse);
      // Only room: the list holds exactly what arrives, whatever was announced.
      if (anzahl > 0 && anzahl < 1'000'000) FListe.reserve(static_cast<std::size_t>(anzahl));
    } else if (id == 20) {
      auto e = Neu();
      LeseUnterblock(s, *e, groesse, ok);
      FListe.push_back(std::move(e));
    } else {
      unbekannt = true;
    }
  }

  // A list is an array; kept unknown fields of the list itself turn it into
  // {"FListe": [...], "FUnbekannt": [...]}.
  void ZuJson(Json& j) const override {
    Json elemente = Json::array();
    for (const auto& e : FListe) {
      Json ej;
      e->ZuJson(ej);
      elemente.push_back(std::move(ej));
    }
    if (FUnbekannt.empty()) {
      j = std::move(elemente);
    } else {
      j = Json::object();
      j["FListe"] = std::move(elemente);
      UnbekannteZuJson(j);
    }
  }

 protected:
  std::unique_ptr<T> Neu() const { return FErzeuger ? FErzeuger() : std::make_unique<T>(); }

 private:
  void KopiereElemente(const TListe& q) {
    FListe.clear();
    for (const auto& e : q.FListe) {
      auto neu = Neu();
      *neu = *e;
      FListe.push_back(std::move(neu));
    }
  }
  std::vector<std::unique_ptr<T>> FListe;
  Erzeuger FErzeuger;
};

}  // namespace zaq
