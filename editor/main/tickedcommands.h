// The commands on the ticked generals of the main window's list: 元に戻す, 特技クリア and the
// seven edit dialogs. Each asks what it needs, then has the document make its edit as one undo
// step; the list shows the result through the document's generalsChanged.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

#include "model/templates.h"

class BulkEditDialog;
class GeneralChooser;
class MainWindowControls;
class PersonFileDocument;
class ProgramData;
class QPushButton;
class QWidget;

class TickedGeneralCommands : public QObject {
    Q_OBJECT
  public:
    // The commands of the buttons of controls, whose dialogs open over window. chooser gives
    // the program's general chooser, made on its first use. All outlive the commands.
    TickedGeneralCommands(QWidget* window, MainWindowControls& controls,
                          PersonFileDocument& document, ProgramData& data,
                          std::function<GeneralChooser*()> chooser);

    // Hands the ticked generals, in list order, to a dialog's target list.
    void fillTargets(BulkEditDialog& dialog) const;

  public slots:
    void restoreTicked();
    void clearSkills();
    void shiftBirthYears();
    void drawFame();
    void drawAbilities();
    void drawHiddenSettings();
    void drawAffinities();
    void drawSkills();
    void editMarks();

  private:
    // Asks question about the ticked generals (%1: how many), which it puts in ticked; true
    // when there are some and the answer is yes.
    bool askAboutTicked(const QString& question, QList<int>* ticked) const;
    // Shows a fresh Dialog over the ticked generals; accepted, the document makes the draw of
    // its settings as one undo step named after command.
    template <typename Dialog, typename... Args>
    void openDialog(const QPushButton* command, Args&&... args);

    QWidget* window_;
    MainWindowControls& controls_;
    PersonFileDocument& document_;
    ProgramData& data_;
    std::function<GeneralChooser*()> chooser_;
    // What the ability and skill dialogs showed when they last closed, for the next opening.
    AbilityTemplate rememberedAbilities_;
    SkillTemplate rememberedSkills_;
};
