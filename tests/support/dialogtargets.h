// Fills the target list of a bulk edit dialog the way the main window does.
#pragma once

#include "dialogs/bulkeditdialog.h"
#include "model/roster.h"

// Generals 1..count, under their display names.
inline void AddRosterTargets(BulkEditDialog& dialog, const OpenGenerals& generals, int count) {
    for (int index = 1; index <= count; ++index) {
        dialog.addTarget(GetPersonName(generals.record(index)), index);
    }
}
