#include "csv.h"

#include <QFile>

#include <charconv>
#include <limits>

#include "../platform/codepage.h"
#include "wholefile.h"

namespace {

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

CsvReader::CsvReader(QByteArray content) : content_(std::move(content)) {}

bool CsvReader::fromFile(const QString& path, CsvReader* reader) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize) {
        return false;
    }
    // Read in pieces: asking for the whole limit at once would reserve it for every file.
    QByteArray content;
    for (;;) {
        const QByteArray piece = file.read(64 * 1024);
        if (piece.isEmpty()) {
            break;
        }
        content += piece;
        if (content.size() > kMaxFileSize) {
            return false;
        }
    }
    *reader = CsvReader(std::move(content));
    return true;
}

bool CsvReader::atEnd() const {
    for (qsizetype i = pos_; i < content_.size(); ++i) {
        const char c = content_.at(i);
        if (!isBlank(c) && !isLineEnd(c)) {
            return false;
        }
    }
    return true;
}

bool CsvReader::fail() {
    failed_ = true;
    return false;
}

void CsvReader::skipSpaces() {
    while (pos_ < content_.size() && isBlank(content_.at(pos_))) {
        ++pos_;
    }
}

// Eats the comma or the line end that closes a field; a CR LF pair counts as one line end.
void CsvReader::skipDelimiter() {
    if (pos_ >= content_.size()) {
        return;
    }
    const char c = content_.at(pos_++);
    if (c == '\r' && pos_ < content_.size() && content_.at(pos_) == '\n') {
        ++pos_;
    }
}

bool CsvReader::nextField(QByteArrayView* field, bool* quoted) {
    if (failed_) {
        return false;
    }
    skipSpaces();
    if (pos_ >= content_.size()) {
        return fail();  // past the end of the file
    }
    *quoted = content_.at(pos_) == '"';
    if (*quoted) {
        // Two quotes in a row stand for one inside the text. No byte of a two-byte character
        // is a quote, so the bytes can be searched as they are.
        qsizetype close = pos_ + 1;
        for (;;) {
            close = content_.indexOf('"', close);
            if (close < 0) {
                return fail();
            }
            if (close + 1 >= content_.size() || content_.at(close + 1) != '"') {
                break;
            }
            close += 2;
        }
        *field = QByteArrayView(content_).sliced(pos_ + 1, close - pos_ - 1);
        pos_ = close + 1;
        // Whatever stands between the closing quote and the delimiter is dropped.
        while (pos_ < content_.size() && content_.at(pos_) != ',' &&
               !isLineEnd(content_.at(pos_))) {
            ++pos_;
        }
    } else {
        const qsizetype start = pos_;
        while (pos_ < content_.size() && content_.at(pos_) != ',' &&
               !isLineEnd(content_.at(pos_))) {
            ++pos_;
        }
        qsizetype end = pos_;
        while (end > start && isBlank(content_.at(end - 1))) {
            --end;
        }
        *field = QByteArrayView(content_).sliced(start, end - start);
    }
    skipDelimiter();
    return true;
}

bool CsvReader::readText(QString* text) {
    QByteArrayView field;
    bool quoted = false;
    if (!nextField(&field, &quoted)) {
        return false;
    }
    if (quoted && field.contains('"')) {
        *text = DecodeCp932(field.toByteArray().replace("\"\"", "\""));
    } else {
        *text = DecodeCp932(field);
    }
    return true;
}

bool CsvReader::readInt(qint64 min, qint64 max, qint64* value) {
    QByteArrayView field;
    bool quoted = false;
    if (!nextField(&field, &quoted) || quoted || field.isEmpty()) {
        return fail();
    }
    const char* begin = field.constData();
    const char* end = begin + field.size();
    if (*begin == '+') {
        ++begin;
    }
    qint64 parsed = 0;
    const auto [rest, error] = std::from_chars(begin, end, parsed);
    if (error != std::errc() || rest != end || parsed < min || parsed > max) {
        return fail();
    }
    *value = parsed;
    return true;
}

bool CsvReader::readInt16(qint16* value) {
    qint64 parsed = 0;
    if (!readInt(-32768, 32767, &parsed)) {
        return false;
    }
    *value = static_cast<qint16>(parsed);
    return true;
}

bool CsvReader::readBool(bool* value) {
    QByteArrayView field;
    bool quoted = false;
    if (!nextField(&field, &quoted) || quoted) {
        return fail();
    }
    if (field == QByteArrayView("#TRUE#")) {
        *value = true;
    } else if (field == QByteArrayView("#FALSE#")) {
        *value = false;
    } else {
        return fail();
    }
    return true;
}

bool CsvReader::skipField() {
    QByteArrayView field;
    bool quoted = false;
    return nextField(&field, &quoted);
}

bool CsvReader::readCount(int minimum, int fieldsPerEntry, int* count) {
    qint64 parsed = 0;
    if (!readInt(minimum, std::numeric_limits<int>::max(), &parsed)) {
        return false;
    }
    // Every field takes at least its delimiter, but the file's last field may go without.
    if (parsed > (remainingBytes() + 1) / fieldsPerEntry) {
        return fail();
    }
    *count = static_cast<int>(parsed);
    return true;
}

bool IsStorableText(const QString& text) {
    return !text.contains(QLatin1Char('"')) && FitsCp932(text);
}

void CsvWriter::separate() {
    if (lineOpen_) {
        bytes_.append(',');
    }
    lineOpen_ = true;
}

void CsvWriter::text(const QString& text) {
    QByteArray encoded;
    if (!EncodeCp932(text, &encoded)) {
        ok_ = false;
    }
    separate();
    bytes_.append('"').append(encoded.replace('"', "\"\"")).append('"');
}

void CsvWriter::integer(qint64 value) {
    separate();
    bytes_.append(QByteArray::number(value));
}

void CsvWriter::boolean(bool value) {
    separate();
    bytes_.append(value ? "#TRUE#" : "#FALSE#");
}

void CsvWriter::endLine() {
    bytes_.append("\r\n");
    lineOpen_ = false;
}

bool CsvWriter::saveTo(const QString& path) const {
    if (!ok_) {
        return false;
    }
    return WriteWholeFile(path, bytes_);
}
