#pragma once
// The login dialog "Benutzeranmeldung" and the password dialog, as data and logic.
#include <string>
#include <vector>

#include "interaction/Oberflaeche.h"

namespace zaq {

class TZAQ;
class TBenutzer;

// "Die Datei vvv" / "ist durch ein Kennwort geschützt." ...
class TKennwortDialog : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Kennwort";
  std::string_view Art() const override { return kArt; }

  std::string FTitel;
  std::string FZeile1 = "Die Datei vvv";
  std::string FZeile2 = "ist durch ein Kennwort geschützt.";
  std::string FBitte = "Geben Sie bitte das Kennwort ein und bestätigen Sie, um fortfahren zu können!";
  std::string FKennwort;  // the entry, on OK
};

// Whether the typed password is the user's; else the message: the character
// the file cannot hold when there is one, otherwise falsch with its kind.
bool KennwortStimmt(const TBenutzer& benutzer, const std::string& kennwort, const std::string& falsch,
                    MeldungsArt art);

// Shows the password dialog; nullopt when cancelled.
std::optional<std::string> FrageKennwort(const std::string& titel, const std::string& zeile1,
                                         const std::string& zeile2 = "ist durch ein Kennwort geschützt.");

class TAnmeldeDialog : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Benutzeranmeldung";
  std::string_view Art() const override { return kArt; }

  explicit TAnmeldeDialog(TZAQ& liste);

  struct Zeile {
    const TBenutzer* benutzer;
    std::string login;  // "(angemeldet)" appended for the logged-in user
    std::string name;
    std::string funktion;
  };
  std::string Titel() const;
  const std::vector<Zeile>& Zeilen() const { return FZeilen; }
  // Rows to show: all, but 7 when there are more than 10 users.
  int SichtbareZeilen() const;

  // The user chose row i: greeting, expiry check, password question.  True when
  // the dialog ends with OK and this user.
  bool Waehle(int i);
  TBenutzer* Gewaehlt() const { return FGewaehlt; }

  // The greeting by the time of day.
  static std::string Gruss(double zeit);

 private:
  TZAQ& FListe;
  std::vector<Zeile> FZeilen;
  TBenutzer* FGewaehlt = nullptr;
};

}  // namespace zaq
