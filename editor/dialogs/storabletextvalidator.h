// The input boxes whose text goes to a data file (mark boxes, template names).
#pragma once

#include <QValidator>

// Refuses any edit that would leave a text the data files cannot hold, so that what is typed
// is what comes back from the file. What input methods outside Windows type for a code page
// character ("〜" for "～") is turned into that character as it is typed.
class StorableTextValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};
