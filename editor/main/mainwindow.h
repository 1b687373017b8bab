// The main window: start-up, the open file's list of generals and its controls, opening and
// saving the file (the questions are filequestions'), the undo and redo of the list's menu and
// the sheet. The commands on the ticked generals are TickedGeneralCommands'.
#pragma once

#include <QVector>
#include <QWidget>

#include "list/generalchooser.h"
#include "list/generallist.h"
#include "mainwindowcontrols.h"

class PersonFileDocument;
class ProgramData;
class EditHistory;
class TickedGeneralCommands;
class ChangeCommands;
class QDragEnterEvent;
class QDropEvent;

class MainWindow : public QWidget, public MainWindowControls {
    Q_OBJECT
  public:
    // Runs the whole start-up: splash, data files, the general chooser, the marks. The window
    // keeps using data, which outlives it.
    explicit MainWindow(ProgramData& data, QWidget* parent = nullptr);
    ~MainWindow() override;

    void updateCountLabel();
    // What a confirmed open dialog leads to: reads the person file at path into the roster
    // and the list, all ticked. The path becomes the target of the next save.
    void openPersonFile(const QString& path);
    // A person file given to the program (named on its command line, dropped on the window),
    // opened as ファイルを開く opens the chosen one.
    void openGivenFile(const QString& path);
    // The commands on the ticked generals.
    TickedGeneralCommands* commands() const { return commands_; }
    // The list's entries about what changed: the changes window and the backups.
    ChangeCommands* changeCommands() const { return changeCommands_; }

    // The path of the open person file; the target of the next save.
    const QString& personFilePath() const;
    // The open file's life: its generals, their history, saving and backups.
    PersonFileDocument* document() const { return document_; }
    // The one general chooser, made and filled on its first use: the first window does not
    // need it, and the existing generals never change after start-up.
    GeneralChooser* chooser();
    // The undo history of the open file's generals; emptied by each open.
    EditHistory* history() const;
    // True when a general differs from the file as last read or saved.
    bool hasUnsavedChanges() const;

    // The smallest window whose list still follows its size.
    QSize minimumSizeHint() const override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private slots:
    void chooseFileToOpen();
    void saveFile();
    void toggleAllTicks();
    void sortBy(int column);
    void exportSheet();
    void importSheet();

  private:
    void prepare();
    // The frozen name column's header and the ticks the list reports.
    void connectList();
    void connectControls();

    void updateMenuEnabled();

    // Undo history
    void createHistory();
    // The one way rows take their texts again after an edit, its undo or its redo.
    void refreshGenerals(const QList<int>& indexes);
    void updateHistoryActions();

    ProgramData& data_;
    PersonFileDocument* document_ = nullptr;
    TickedGeneralCommands* commands_ = nullptr;
    ChangeCommands* changeCommands_ = nullptr;
    qint16 lastSortColumn_ = 0;
    GeneralChooser* chooser_ = nullptr;
    bool closed_ = false;
};
