// The common shape of the bulk edit dialogs: a modal dialog with the target list `list`, one
// row per ticked general (text = display name, Qt::UserRole = index among the generals),
// filled by the main window before it is shown. A dialog only collects settings: OK accepts
// them when they are valid, and the caller makes the edit.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QList>
#include <QListWidget>
#include <QPushButton>
#include <QRect>

class BulkEditDialog : public QDialog {
    Q_OBJECT
  public:
    explicit BulkEditDialog(QWidget* parent = nullptr);

    QListWidget* list;

    // The indexes of the rows of list, first to last.
    QList<int> targets() const;
    // Adds one target row.
    void addTarget(const QString& name, int index);

  protected:
    // Opens with the keyboard focus on the targets, so that an early Enter presses nothing.
    void showEvent(QShowEvent* event) override;

    // Child controls placed by their control name, caption and geometry.
    static QLabel* addLabel(QWidget* parent, const QString& name, const QString& caption,
                            const QRect& geometry);
    static QCheckBox* addCheckBox(QWidget* parent, const QString& name, const QString& caption,
                                  const QRect& geometry);
    static QPushButton* addButton(QWidget* parent, const QString& name, const QString& caption,
                                  const QRect& geometry);

    // The caption over the target list and the list below it; returns the caption.
    QLabel* placeTargetList(const QString& labelName, const QString& caption,
                            const QRect& labelGeometry, const QRect& listGeometry);
    // "OK", named cmdOK; the dialog connects what it does.
    static QPushButton* addOkButton(QWidget* parent, const QRect& geometry);
    // "ｷｬﾝｾﾙ", named cmdCancel; it closes the dialog without changing anything.
    QPushButton* addCancelButton(const QRect& geometry);
};
