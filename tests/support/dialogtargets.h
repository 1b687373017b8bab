// Fills the target list of a bulk edit dialog the way the main window does.
#pragma once

#include "dialogs/bulkeditdialog.h"
#include "model/roster.h"

// Generals 1..count, under their display names; the dialog changes generals.
inline void AddRosterTargets(BulkEditDialog& dialog, OpenGenerals& generals, int count) {
    dialog.setGenerals(&generals);
    for (int index = 1; index <= count; ++index) {
        dialog.addTarget(GetPersonName(generals.record(index)), index);
    }
}
