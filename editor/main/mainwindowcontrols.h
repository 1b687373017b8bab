// The controls of the main window, made at their designed places (in twips) with their
// objectNames. The window inherits them, so that its code and the tests name them directly.
#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <array>

#include "list/generallist.h"

class QAction;

class MainWindowControls {
  public:
    // The smallest list, in twips, the window keeps following when it is resized (the lengths
    // of the two invisible lines).
    static constexpr int kMinListWidth = 12120;
    static constexpr int kMinListHeight = 6600;

    QPushButton* cmdOpen;
    QLabel* labPath;
    QPushButton* cmdSave;
    QPushButton* cmdAll;
    QCheckBox* chkMark;
    QCheckBox* chkSyussei;
    QCheckBox* chkCapa;
    QCheckBox* chkPers;
    QCheckBox* chkAisyo;
    std::array<QCheckBox*, 6> chkTokugi;
    GeneralList* list;
    QFrame* fraMenu;
    QLabel* Label1;
    QPushButton* cmdTanjo;
    QPushButton* cmdMeisei;
    QPushButton* cmdCapaAll;
    QPushButton* cmdSeikaku;
    QPushButton* cmdAisyo;
    QPushButton* cmdTokugi;
    QPushButton* cmdTokugiClear;
    QPushButton* cmdMark;
    QPushButton* cmdBack;
    QLabel* Label2;
    QLabel* labCount;
    QFrame* Line1;
    QFrame* lineWidth;
    QFrame* lineHeight;
    // On the list's context menu, with Ctrl+Z and Ctrl+Y / Ctrl+Shift+Z.
    QAction* undoAction;
    QAction* redoAction;
    // On the list's context menu below them: every general to a spreadsheet and back.
    QAction* exportSheetAction;
    QAction* importSheetAction;

  protected:
    // The list shows generals; existing names its affinity columns.
    void createControls(QWidget* window, const OpenGenerals* generals,
                        const ExistingGenerals& existing);

  private:
    void createMenuPanel(QWidget* window);
    // The list's context menu.
    void createListActions();
};
