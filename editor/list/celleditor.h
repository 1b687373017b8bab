// Edits one cell of the main list in place: a double click on a cell, or F2 on the current row
// (in the column last pressed), opens an editor over it: a spin box for a number, a drop-down of
// the labels, a tick for a skill, a text box for a mark. Return applies the value, Escape or
// leaving the editor cancels it. Names, keys and affinities are not edited.
#pragma once

#include <QObject>
#include <QPointer>
#include <QVariant>

#include <functional>

class GeneralList;
class OpenGenerals;
class QWidget;

class CellEditor : public QObject {
    Q_OBJECT
  public:
    // apply(general index, column, value) makes the edit.
    using Apply = std::function<void(int index, int column, const QVariant& value)>;
    CellEditor(GeneralList* list, const OpenGenerals& generals, Apply apply);

    // Opens the editor over the cell of row position and column; false when it is not
    // editable.
    bool edit(int position, int column);
    // The open editor, or none.
    QWidget* editor() const { return editor_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void finish(bool apply);
    QVariant editorValue() const;

    GeneralList* list_;
    QWidget* viewport_;
    const OpenGenerals& generals_;
    Apply apply_;
    QPointer<QWidget> editor_;
    int index_ = 0;
    int column_ = 0;
    int lastColumn_ = -1;  // of the last press on the list
};
