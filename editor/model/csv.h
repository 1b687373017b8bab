// The comma-separated form shared by every data file: code page 932 text between double
// quotes (a quote inside written as two), decimal integers, #TRUE#/#FALSE#, lines ended by
// CR LF.
#pragma once

#include <QByteArray>
#include <QString>

// Reads fields one at a time from the whole content of a file. A field ends at a comma or at
// a line end (CR LF, LF or CR alike). Any read that fails leaves the reader failed for good,
// so a caller can read a run of fields and check once.
class CsvReader {
  public:
    // Files larger than this are not data files of ours; reading them is refused.
    static constexpr qsizetype kMaxFileSize = 64 * 1024 * 1024;

    explicit CsvReader(QByteArray content);

    // Reads a whole file; false when it cannot be opened or is too large.
    static bool fromFile(const QString& path, CsvReader* reader);

    bool failed() const { return failed_; }
    // True when nothing but spaces and line ends is left.
    bool atEnd() const;
    // Bytes not yet read: no count can announce more fields than this plus one.
    qsizetype remainingBytes() const { return content_.size() - pos_; }

    bool readText(QString* text);
    // A decimal integer within [min, max]; anything else is a failure.
    bool readInt(qint64 min, qint64 max, qint64* value);
    bool readInt16(qint16* value);
    bool readBool(bool* value);
    // Reads a field of any kind and drops it.
    bool skipField();

    // Reads a count line: at least minimum, and small enough that count entries of
    // fieldsPerEntry fields could fit in what is left of the file.
    bool readCount(int minimum, int fieldsPerEntry, int* count);

  private:
    // The raw bytes of the next field: quoted fields without their quotes. The view points
    // into the content, which no read changes.
    bool nextField(QByteArrayView* field, bool* quoted);
    void skipSpaces();
    void skipDelimiter();
    bool fail();

    QByteArray content_;
    qsizetype pos_ = 0;
    bool failed_ = false;
};

// True when text can be typed into a data file: it is code page 932 and holds no double
// quote. A quote is written doubled and read back by this program, but readers that take the
// first quote for the end of the text would not; names from person files may hold one anyway.
bool IsStorableText(const QString& text);

// Builds the bytes of a file item by item. Items on one line are separated by commas.
class CsvWriter {
  public:
    void text(const QString& text);
    void integer(qint64 value);
    void boolean(bool value);
    void endLine();

    // False when a text had no code page 932 form; nothing written is then fit to save.
    bool ok() const { return ok_; }
    const QByteArray& bytes() const { return bytes_; }

    // Replaces the file whole with what was written, or leaves it as it was.
    bool saveTo(const QString& path) const;

  private:
    void separate();

    QByteArray bytes_;
    bool lineOpen_ = false;
    bool ok_ = true;
};
