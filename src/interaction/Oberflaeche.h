#pragma once
// Everything the core needs from a person goes through Oberflaeche: message
// boxes, the wait window, file, directory and input dialogs, and dialogs
// described as data.  The Qt front end, zaq-cli and the scripted test
// front end implement it; the core never talks to a window system itself.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zaq {

// Icon kinds, numbered as the message convention numbers them.
enum class MeldungsArt { Warnung = 0, Fehler = 1, Information = 2, Frage = 3 };

enum class Knoepfe {
  OK,
  OKAbbrechen,
  JaNein,
  JaNeinAbbrechen,
  WiederholenAbbrechen,
  AbbrechenWiederholenIgnorieren,
  OKIgnorieren,
};

enum class Antwort { OK, Abbrechen, Abbruch, Wiederholen, Ignorieren, Ja, Nein };

// The buttons of a set, in the order they are shown.
std::vector<Antwort> KnoepfeVon(Knoepfe knoepfe);
std::string_view ArtText(MeldungsArt art);       // "Fehler", "Warnung", ...
std::string_view AntwortText(Antwort antwort);   // "Ja", "Nein", ...

struct MeldungsDaten {
  std::string text;
  MeldungsArt art = MeldungsArt::Information;
  Knoepfe knoepfe = Knoepfe::OK;
  int vorgabe = 1;  // 1-based position of the preselected button
  Antwort VorgabeAntwort() const;
};

struct DateiFilter {
  std::string beschreibung;  // "ZAQ-Mitgliederdateien"
  std::string muster;        // "*.zaq"
};

struct DateiDialog {
  std::string titel;
  std::vector<DateiFilter> filter;
  std::string vorschlag;    // proposed file name (may include a directory)
  std::string verzeichnis;  // start directory
  int filterIndex = 0;      // chosen filter on return (0-based)
  std::string endung;       // added to a name typed without one ("txt")
  bool ueberschreibenFragen = false;  // the save dialog asks before replacing a file
};

// A dialog described as data.  Each concrete dialog (login, deletion, ...)
// derives from it, carries its fields and validates itself; a front end
// renders it by its Art() and writes the user's input back into it.
class DialogDaten {
 public:
  virtual ~DialogDaten() = default;
  virtual std::string_view Art() const = 0;
};

// A window that stays open beside the main window (a table): its data and
// logic live in the core; a front end renders it by its Art() and keeps it
// alive as long as the window is open.
class FensterDaten {
 public:
  virtual ~FensterDaten() = default;
  virtual std::string_view Art() const = 0;
};

// A font: name, size in points, style (bit 0 bold, 1 italic, 2 underline,
// 3 strike-out) and colour 0x00BBGGRR.
struct TSchrift {
  std::string name = "Tahoma";
  std::int32_t groesse = 11;
  std::uint8_t stil = 0;
  std::uint32_t farbe = 0;
  bool operator==(const TSchrift&) const = default;
};

// The platform's font chooser on a font; a front end that has none declines.
class TSchriftDialog : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Schriftart";
  std::string_view Art() const override { return kArt; }
  explicit TSchriftDialog(TSchrift schrift) : FSchrift(std::move(schrift)) {}
  TSchrift FSchrift;
};

// The wait window's visible state, as the core computes it.
struct WarteZustand {
  std::string text;
  int schritt = 0;  // progress bar position 0..20
  bool abbruchMoeglich = true;
};

struct TDruckauftrag;

class Oberflaeche {
 public:
  virtual ~Oberflaeche() = default;

  virtual Antwort Meldung(const MeldungsDaten& meldung) = 0;

  // Wait window: show or update, hide.  The core owns its logic (TfrmWarten).
  virtual void WartenZeigen(const WarteZustand& zustand) = 0;
  virtual void WartenVerbergen() = 0;
  // Lets pending window events run; the cancel button is pressed in here.
  virtual void Verarbeiten() = 0;

  virtual std::optional<std::string> DateiOeffnen(DateiDialog& dialog) = 0;
  virtual std::optional<std::string> DateiSpeichern(DateiDialog& dialog) = 0;
  virtual std::optional<std::string> Eingabe(const std::string& titel, const std::string& frage,
                                             const std::string& vorgabe) = 0;
  // True when the user confirmed the dialog; the data then hold the input.
  virtual bool Dialog(DialogDaten& dialog) = 0;

  // Non-modal message list window.
  virtual void MeldungsListe(const std::vector<std::string>& zeilen) = 0;
  virtual void Zwischenablage(const std::string& text) = 0;
  // Plain text and the same as Rich Text Format, put on the clipboard at once.
  virtual void ZwischenablageRtf(const std::string& text, const std::string& rtf) {
    (void)rtf;
    Zwischenablage(text);
  }
  // Shows a window beside the main window; a front end without windows
  // lets it go.
  virtual void Fenster(std::shared_ptr<FensterDaten> fenster) { (void)fenster; }

  // Printing: whether a default printer (or another way to print) is
  // there, the printers to choose from and the default's place among them
  // (-1 none), the printer setup, and a job.  Drucken begins the document,
  // runs the printout and ends it, or aborts it when the printout was
  // cancelled; true when it was printed.  A front end that cannot print
  // has no printer.
  virtual bool DruckerVorhanden() { return false; }
  virtual std::vector<std::string> Druckerliste() { return {}; }
  virtual int Standarddrucker() { return -1; }
  virtual void DruckerEinrichten() {}
  virtual bool Drucken(TDruckauftrag& auftrag) {
    (void)auftrag;
    return false;
  }
};

// The front end in use.  Each program installs its own at start; without one
// a silent front end answers every question with its preselected button.
Oberflaeche& UI();
class OberflaecheSetzen {
 public:
  explicit OberflaecheSetzen(Oberflaeche& neu);
  ~OberflaecheSetzen();
  OberflaecheSetzen(const OberflaecheSetzen&) = delete;
  OberflaecheSetzen& operator=(const OberflaecheSetzen&) = delete;

 private:
  Oberflaeche* FAlt;
};

// The message box convention.  vorgabe: 1, 2 or 3 = preselected button.
Antwort Meldung(const std::string& text, MeldungsArt art, Knoepfe knoepfe = Knoepfe::OK,
                int vorgabe = 1);

}  // namespace zaq
