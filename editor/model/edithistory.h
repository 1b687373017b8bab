// The undo history of the open file's edits: steps that make an edit and take it back. Qt's own
// undo stack lives in Qt Gui, which the command line runs without; this one works the same way.
#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class EditStep {
  public:
    explicit EditStep(QString text) : text_(std::move(text)) {}
    virtual ~EditStep() = default;
    virtual void undo() = 0;
    virtual void redo() = 0;
    const QString& text() const { return text_; }

  private:
    QString text_;
};

class EditHistory : public QObject {
    Q_OBJECT
  public:
    explicit EditHistory(QObject* parent = nullptr) : QObject(parent) {}

    // Makes the step's edit (its redo) and keeps the step; the steps that were undone are
    // dropped, and the oldest step when more than the limit are kept.
    void push(std::unique_ptr<EditStep> step);
    void clear();
    void setUndoLimit(int limit) { limit_ = limit; }

    int count() const { return static_cast<int>(steps_.size()); }
    // The number of steps made (the next undo takes back step index() - 1).
    int index() const { return index_; }
    bool canUndo() const { return index_ > 0; }
    bool canRedo() const { return index_ < count(); }
    QString undoText() const;
    QString redoText() const;

  public slots:
    void undo();
    void redo();

  signals:
    // After every push, undo, redo and clear.
    void indexChanged(int index);

  private:
    std::vector<std::unique_ptr<EditStep>> steps_;
    int index_ = 0;
    int limit_ = 0;  // 0: no limit
};
