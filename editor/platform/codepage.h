// Code page 932 (Windows Shift-JIS): the text of person records and data files, converted as
// the Windows system converts it. This module is the only place where text crosses between
// bytes and characters.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Decodes every byte, NULs included (a NUL byte becomes a NUL character); never fails. A
// double-byte code without a character, or a lead byte with no trail byte after it, becomes
// the system's default character "・" (U+30FB).
QString DecodeCp932(QByteArrayView bytes);

// Encodes text. Returns false (and leaves *out empty) when a character has no code page 932
// form that reads back as itself. Whatever DecodeCp932 gave encodes; the JIS-style characters
// that input methods outside Windows type are written as the code of their code page
// look-alike, and "ゔ" and "·" as "ヴ" and "・", as Windows' best fit writes them.
bool EncodeCp932(const QString& text, QByteArray* out);

// True when every character of text has a code page 932 form.
bool FitsCp932(const QString& text);

// Text with every character that is written as another one replaced by that one ("〜" becomes
// "～"), so that an input box shows what the file will hold.
QString WithCp932LookAlikes(QString text);
