// The affinity editor: spreads the personal and the faction affinity of every target around
// the affinity of an existing general picked in the general chooser.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "bulkeditdialog.h"
#include "model/affinitydraw.h"
#include "model/personrecord.h"

class GeneralChooser;

class AffinityDialog : public BulkEditDialog {
    Q_OBJECT
  public:
    // chooser: the one general chooser of the program, used to pick the centres.
    explicit AffinityDialog(GeneralChooser* chooser, QWidget* parent = nullptr);

    // The settings as the controls stand, for the draw an accepted dialog asks for.
    AffinityDrawSettings settings() const;

    QCheckBox* chkKojin;
    QFrame* fraKojin;
    QPushButton* cmdKojin;
    QLabel* labKojin;
    QComboBox* cmbKojin;
    QCheckBox* chkSeiryoku;
    QFrame* fraSeiryoku;
    QPushButton* cmdSeiryoku;
    QLabel* labSeiryoku;
    QComboBox* cmbSeiryoku;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

  private slots:
    void personalBoxToggled(bool ticked);
    void factionBoxToggled(bool ticked);
    void choosePersonalCentre();
    void chooseFactionCentre();

  private:
    // The tick box of one affinity, its frame and the three controls inside the frame.
    struct AffinityControls {
        QCheckBox* tick;
        QFrame* frame;
        QPushButton* choose;
        QLabel* centreLabel;
        QComboBox* spread;
    };
    // suffix completes the control names (chkKojin, fraKojin, ...); top is the tick box's.
    AffinityControls addAffinity(const QString& suffix, const QString& caption, int top);

    // Asks the chooser for a general; returns its row of the chooser's existing generals, or 0
    // when the user cancelled.
    int chooseGeneral();
    // Lets the user pick the centre of one affinity: shows the general's name and keeps the
    // general's value of that affinity.
    void chooseCentre(QLabel* centreLabel, int& centre, quint8 (PersonRecord::*affinity)() const);

    GeneralChooser* chooser_;
    // Affinity values of the chosen centres; 0 while none is chosen.
    int kojinCentre_ = 0;
    int seiryokuCentre_ = 0;
};
