// The ability editor: new values for any of the five abilities of every target, drawn from a
// range per ability, optionally within a limit on their total; with named settings.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <array>

#include "model/templates.h"
#include "templatedialog.h"

class AbilityDialog : public TemplateDialog {
    Q_OBJECT
  public:
    // Builds the controls and runs the opening: template list, entry 0, remembered settings.
    // Shows and keeps the templates of templates; remembered holds the settings shown when an
    // ability dialog last closed, and takes this one's when it closes. Both outlive the dialog.
    AbilityDialog(AbilityTemplates& templates, AbilityTemplate& remembered,
                  QWidget* parent = nullptr);
    ~AbilityDialog() override;

    // The settings as the controls stand, for the draw an accepted dialog asks for.
    AbilityTemplate settings() const;

    std::array<QCheckBox*, kAbilityCount> chkCapa;
    std::array<QFrame*, kAbilityCount> fraCapa;
    std::array<QComboBox*, kAbilityCount> cmbValue1;
    std::array<QComboBox*, kAbilityCount> cmbValue2;
    QCheckBox* chkTotal;
    QFrame* fraTotal;
    QLabel* labMin;
    QLabel* labMax;
    QComboBox* cmbTotal1;
    QComboBox* cmbTotal2;
    QPushButton* cmdClear;

    // The dialog's controls as settings (the name is left alone), and back.
    void StoreSettings(AbilityTemplate& settings) const;
    void LoadSettings(const AbilityTemplate& settings);

  private slots:
    void abilityBoxToggled(int index);
    void totalLimitToggled(bool on);
    void clearSettings();

  private:
    void rememberSettings() override;
    void buildLayout();
    static int selectedValue(const QComboBox* box);
    static void selectValue(QComboBox* box, int value);
    void setAbilitiesEnabled(bool enabled);
    AbilityTemplate& remembered_;
};
