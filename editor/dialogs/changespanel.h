// The changes of the open file's generals as the player reads them: a count at the top
// ("N人のM項目が変更されています") and one line per changed field, grouped by general in file
// order. The changes window and the backup chooser both show it.
#pragma once

#include <QWidget>

#include "model/generalchanges.h"

class QLabel;
class QTreeView;
class ChangesModel;

class ChangesPanel : public QWidget {
    Q_OBJECT
  public:
    explicit ChangesPanel(QWidget* parent = nullptr);

    void setChanges(GeneralChanges changes);
    const GeneralChanges& changes() const;

    QLabel* labChanges;
    QTreeView* listChanges;

  signals:
    // A line was double-clicked: the general (its slot) it belongs to.
    void generalActivated(int index);

  private:
    ChangesModel* model_;
};
