#pragma once
// zaq-cli table, select and select-save: tables from templates, exported as
// the table window exports them, and the selection marks of a member file.
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "base/Datum.h"
#include "lists/Selektion.h"
#include "lists/Tabelle.h"

namespace zaq::cli {

struct Tabellenaufruf {
  std::string datei, vorlage;
  Exportform form = Exportform::Tabulator;
  Tag datum = 0;
};
// Writes the table's bytes (Windows-1252, CR LF) to aus.
int Tabelle(const Tabellenaufruf& a, std::ostream& aus);
// The table of a template name as zaq-cli table builds it, with its rights
// and dates; none after the message (unknown template, no rows, no
// columns, no right).
std::unique_ptr<TTabelle> BaueTabelle(TZAQ& liste, const std::string& vorlage, Tag datum);

struct Selektionsaufruf {
  std::string datei, ziel;
  bool zuruecksetzen = false;
  std::string liste;  // .zas to load
  std::optional<TSelektionskriterien> kriterien;
  bool umkehren = false;
};
int Selektiere(const Selektionsaufruf& a);
int SelektionSpeichern(const std::string& datei, const std::string& liste);

// "NAME=VALUE;..." into criteria; false for an unknown name or a value its
// field cannot hold.
bool LeseKriterien(const std::string& text, TSelektionskriterien& k);

}  // namespace zaq::cli
