// The general chooser: picks one existing general of General.csv. Created once at start-up,
// then only shown and hidden, so its list, sort order and column groups persist between uses.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <array>

#include "generallist.h"

class GeneralChooser : public QDialog {
    Q_OBJECT
  public:
    // Fills the list from the existing generals, which outlive the chooser.
    explicit GeneralChooser(const ExistingGenerals& existing, QWidget* parent = nullptr);

    // Before every use: cancelled until the user confirms, OK disabled until a row is clicked.
    void Reset();
    // The generals the rows stand for; a row's tag is its number there.
    const ExistingGenerals& existingGenerals() const {
        return list->generals()->source().existingGenerals();
    }
    // Lets the next close go ahead (the program is ending); otherwise the close box only hides.
    void allowClose();

    bool cancelled = true;
    qint16 g_nSelected = 0;

    GeneralList* list;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QCheckBox* chkMark;
    QCheckBox* chkSyussei;
    QCheckBox* chkCapa;
    QCheckBox* chkPers;
    QCheckBox* chkAisyo;
    std::array<QCheckBox*, 6> chkTokugi;
    QLabel* Label1;
    // Never shown: their lengths are the smallest size the list takes when the window grows
    // and shrinks.
    QFrame* lineWidth;
    QFrame* lineHeight;

    qint16 lastSortColumn() const { return lastSortColumn_; }
    // The window's own size: smaller, the list no longer follows it.
    QSize minimumSizeHint() const override;

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Esc presses cmdCancel.
    void reject() override;

  private slots:
    void confirm();
    void cancel();
    void chooseClickedRow();
    void chooseAndClose();
    void sortBy(int column);

  private:
    void prepare();
    void createControls(const ExistingGenerals& existing);
    // Hides the chooser; control returns to whoever showed it.
    void finish(bool confirmed);

    qint16 lastSortColumn_ = 0;
    bool closeAllowed_ = false;
};
