// Code page 932 (Windows Shift-JIS): the text of person records and data files. This module is
// the only place where text crosses between bytes and characters.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Decodes every byte, NULs included (a NUL byte becomes a NUL character). A byte that does not
// form a character becomes a replacement character; decoding never fails.
QString DecodeCp932(QByteArrayView bytes);

// Encodes text. Returns false (and leaves *out empty) when a character has no code page 932 form.
bool EncodeCp932(const QString& text, QByteArray* out);

// True when every character of text has a code page 932 form.
bool FitsCp932(const QString& text);

// Decodes bytes that must be well-formed: false (and *out empty) when a byte sequence is
// invalid or has no character in the code page.
bool DecodeCp932Strict(QByteArrayView bytes, QString* out);
