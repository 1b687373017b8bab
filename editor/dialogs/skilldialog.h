// The skill editor: every target gets a random number of the candidate skills the user picks;
// the other candidates are turned off. With named candidate sets.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

#include <array>

#include "model/templates.h"
#include "templatedialog.h"
#include "togglebutton.h"

class RandomSource;

class SkillDialog : public TemplateDialog {
    Q_OBJECT
  public:
    // Builds the controls and runs the opening: template list, entry 0, remembered settings.
    // Shows and keeps the templates of templates and draws from random; both outlive the
    // dialog.
    SkillDialog(SkillTemplates& templates, RandomSource& random, QWidget* parent = nullptr);
    ~SkillDialog() override;

    // The candidates and counts shown when the dialog last closed; they last for the program run.
    static SkillTemplate& rememberedSettings();

    std::array<ToggleButton*, kSkillCount> chkTokugi;
    QPushButton* cmdReverse;
    QPushButton* cmdClear;
    QGroupBox* fraCount;
    QComboBox* cmbCount1;
    QComboBox* cmbCount2;

    // The dialog's controls as settings (the name is left alone), and back.
    void StoreSettings(SkillTemplate& settings) const;
    void LoadSettings(const SkillTemplate& settings);

  private slots:
    void skillBoxToggled(int index);
    void reverseSkillChoices();
    void clearSettings();

  private:
    void rememberSettings() override;
    void applySettings() override;
    void buildLayout();
    int candidateCount() const;
    RandomSource& random_;
};
