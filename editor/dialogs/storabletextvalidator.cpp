#include "storabletextvalidator.h"

#include "model/csv.h"
#include "platform/codepage.h"

QValidator::State StorableTextValidator::validate(QString& input, int& /*position*/) const {
    // One character for one, so the cursor stays where it was.
    input = WithCp932LookAlikes(input);
    return IsStorableText(input) ? Acceptable : Invalid;
}
