#pragma once
// The member list operations that ask the user: adding, duplicating and
// editing through the member editor, deleting through the deletion dialog.
// The list itself (TZAQ) carries out what they decide.
#include <cstdint>

namespace zaq {

class TZAQ;
class TMitglied;

// The new member, or none when the editor was cancelled.
TMitglied* HinzufuegenMitglied(TZAQ& liste, std::uint16_t nummer);
TMitglied* DupliziereMitglied(TZAQ& liste, const TMitglied& quelle);
// archiv: a former member from the archive; it keeps no bank data.
bool BearbeiteMitglied(TZAQ& liste, TMitglied& mitglied, bool archiv = false);
// True when the member is to be deleted now; an exit date or its withdrawal
// is stored at once.
bool LoeschDialog(TZAQ& liste, TMitglied& mitglied, bool alleSelektierten);
// Deletes through the dialog; the reference moves to the neighbour when deleted.
bool LoescheMitglied(TZAQ& liste, TMitglied*& mitglied);
// The number of members deleted now.
int LoescheSelektierte(TZAQ& liste);

}  // namespace zaq
