// The questions the main window asks about the open file's life and their messages: before it
// writes the file, before its changes are dropped, and about data files left unwritten when
// the window closes. The document does the work; these only ask and tell.
#pragma once

#include <functional>

class PersonFileDocument;
class ProgramData;

// Asks whether to write the generals; when yes, saves, asking again when a backup cannot be
// made or another program changed the file, and tells how the save ended. With showChanges,
// the question has a button that runs it (showing the changes) and then asks again.
void AskAndSave(PersonFileDocument& document, const std::function<void()>& showChanges = {});

// Asks, when there are unsaved changes, whether to drop them to open another file, or to
// close; true when they may be dropped (Return keeps them).
bool MayDropForAnotherFile(const PersonFileDocument& document);
bool MayDropOnClose(const PersonFileDocument& document);

// When the opened file has a recovery file of changes that were never saved, asks whether to
// put them back (Return says yes: no would leave them unused) and does as answered.
void OfferRecovery(PersonFileDocument& document);

// Writes again the data files whose last write failed; when one still fails, asks whether to
// close without it (Return says no). True when the window may close.
bool MayDropUnwrittenDataFiles(ProgramData& data);
