// Find: the rows of a ticking general list narrowed to the generals whose name or marks
// contain a text. Rows that do not match are hidden in the list and in its frozen name column;
// their ticks stay, so the commands on ticked generals and the count still take them in.
#pragma once

#include <QObject>
#include <QString>

class GeneralList;
class GeneralTableModel;

// The text a row is searched in, with half-width and full-width kana alike: its name and its
// five marks, one per line.
QString FindableText(const GeneralTableModel& rows, int row);
// What a typed text is looked for as, in the same form.
QString FindKey(const QString& typed);

class GeneralFilter : public QObject {
    Q_OBJECT
  public:
    explicit GeneralFilter(GeneralList* list);

    // An empty text shows every row.
    void setText(const QString& text);
    const QString& text() const { return key_; }
    bool isActive() const { return !key_.isEmpty(); }
    // Whether a row (0-based) passes the current text.
    bool matches(int row) const;
    int shownRowCount() const;

  private:
    // Hides the rows that do not match in every view of the list; the keyboard leaves a
    // hidden row for the first shown one.
    void apply();

    GeneralList* list_;
    QString key_;
};
