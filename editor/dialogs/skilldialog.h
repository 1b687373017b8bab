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

class SkillDialog : public TemplateDialog {
    Q_OBJECT
  public:
    // Builds the controls and runs the opening: template list, entry 0, remembered settings.
    // Shows and keeps the templates of templates; remembered holds the candidates and counts
    // shown when a skill dialog last closed, and takes this one's when it closes. Both outlive
    // the dialog.
    SkillDialog(SkillTemplates& templates, SkillTemplate& remembered, QWidget* parent = nullptr);
    ~SkillDialog() override;

    // The candidates and counts as the controls stand, for the draw an accepted dialog asks for.
    SkillTemplate settings() const;

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
    void buildLayout();
    int candidateCount() const;
    SkillTemplate& remembered_;
};
