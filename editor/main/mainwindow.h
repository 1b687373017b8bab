// The main window: start-up, open and save of the person file, the list of its generals, the
// selection of generals by ticking and dragging, the commands on the ticked generals and the
// undo history of what they changed.
#pragma once

#include <QVector>
#include <QWidget>

#include "list/generalchooser.h"
#include "list/generallist.h"
#include "mainwindowcontrols.h"

class BulkEditDialog;
class PersonFileDocument;
class ProgramData;
class EditHistory;
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
    // Hands the ticked generals, in list order, to a dialog's target list.
    void fillTargets(BulkEditDialog* dialog) const;

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
    void restoreTicked();
    void clearSkills();
    void shiftBirthYears();
    void drawFame();
    void drawAbilities();
    void drawHiddenSettings();
    void drawAffinities();
    void drawSkills();
    void editMarks();
    void sortBy(int column);
    void exportSheet();
    void importSheet();

  private:
    void prepare();
    // The frozen name column's header and the ticks the list reports.
    void connectList();
    void connectControls();

    void savePersonFile();
    void updateMenuEnabled();
    template <typename Dialog, typename... Args>
    void openDialog(const QPushButton* command, Args&&... args);

    // Undo history
    void createHistory();
    void refreshGenerals(const QList<int>& indexes);
    void updateHistoryActions();
    // Asks question when there are unsaved changes; true when they may be dropped.
    bool mayDropUnsavedChanges(const QString& question);
    // Writes again the data files whose last write failed; when one still fails, asks whether to
    // close without it (Return says no).
    bool mayDropUnwrittenDataFiles();

    ProgramData& data_;
    PersonFileDocument* document_ = nullptr;
    qint16 lastSortColumn_ = 0;
    GeneralChooser* chooser_ = nullptr;
    bool closed_ = false;
};
