#include "tickedcommands.h"

#include <type_traits>

#include "dialogs/abilitydialog.h"
#include "dialogs/affinitydialog.h"
#include "dialogs/birthyearshiftdialog.h"
#include "dialogs/famedialog.h"
#include "dialogs/hiddensettingsdialog.h"
#include "dialogs/markdialog.h"
#include "dialogs/skilldialog.h"
#include "mainwindowcontrols.h"
#include "model/abilitydraw.h"
#include "model/affinitydraw.h"
#include "model/birthshift.h"
#include "model/famedraw.h"
#include "model/markedit.h"
#include "model/personfiledocument.h"
#include "model/programdata.h"
#include "model/roster.h"
#include "model/settingsdraw.h"
#include "model/skilldraw.h"
#include "platform/messages.h"

namespace {

// The edit an accepted dialog asks for, made on the targets of generals in their order.
void applyDialog(const FameDialog& dialog, OpenGenerals& generals, const QList<int>& targets,
                 RandomSource& random) {
    ApplyFameDraw(generals.records(), targets, dialog.settings(), random);
}
void applyDialog(const AbilityDialog& dialog, OpenGenerals& generals, const QList<int>& targets,
                 RandomSource& random) {
    ApplyAbilityDraw(generals.records(), targets, dialog.settings(), random);
}
void applyDialog(const HiddenSettingsDialog& dialog, OpenGenerals& generals,
                 const QList<int>& targets, RandomSource& random) {
    ApplyHiddenSettingsDraw(generals.records(), targets, dialog.choices(), random);
}
void applyDialog(const AffinityDialog& dialog, OpenGenerals& generals, const QList<int>& targets,
                 RandomSource& random) {
    ApplyAffinityDraw(generals.records(), targets, dialog.settings(), random);
}
void applyDialog(const SkillDialog& dialog, OpenGenerals& generals, const QList<int>& targets,
                 RandomSource& random) {
    ApplySkillDraw(generals.records(), targets, dialog.settings(), random);
}
void applyDialog(const BirthYearShiftDialog& dialog, OpenGenerals& generals,
                 const QList<int>& targets, RandomSource&) {
    ApplyBirthShift(generals.records(), targets, dialog.shift());
}
void applyDialog(const MarkDialog& dialog, OpenGenerals& generals, const QList<int>& targets,
                 RandomSource&) {
    ApplyMarkEdit(generals.allMarks(), targets, dialog.settings());
}

}  // namespace

TickedGeneralCommands::TickedGeneralCommands(QWidget* window, MainWindowControls& controls,
                                             PersonFileDocument& document, ProgramData& data,
                                             std::function<GeneralChooser*()> chooser)
    : QObject(window),
      window_(window),
      controls_(controls),
      document_(document),
      data_(data),
      chooser_(std::move(chooser)) {
    using Commands = TickedGeneralCommands;
    const auto bind = [this](QPushButton* button, void (Commands::*command)()) {
        connect(button, &QPushButton::clicked, this, command);
    };
    bind(controls_.cmdBack, &Commands::restoreTicked);
    bind(controls_.cmdTokugiClear, &Commands::clearSkills);
    bind(controls_.cmdTanjo, &Commands::shiftBirthYears);
    bind(controls_.cmdMeisei, &Commands::drawFame);
    bind(controls_.cmdCapaAll, &Commands::drawAbilities);
    bind(controls_.cmdSeikaku, &Commands::drawHiddenSettings);
    bind(controls_.cmdAisyo, &Commands::drawAffinities);
    bind(controls_.cmdTokugi, &Commands::drawSkills);
    bind(controls_.cmdMark, &Commands::editMarks);
}

void TickedGeneralCommands::fillTargets(BulkEditDialog& dialog) const {
    for (const int index : TickedIndexes(controls_.list)) {
        dialog.addTarget(GetPersonName(document_.generals().record(index)), index);
    }
}

bool TickedGeneralCommands::askAboutTicked(const QString& question, QList<int>* ticked) const {
    *ticked = TickedIndexes(controls_.list);
    return !ticked->isEmpty() && ShowMessage(question.arg(ticked->size()), MessageIcon::Question,
                                             MessageButtons::YesNo) == MessageAnswer::Yes;
}

void TickedGeneralCommands::restoreTicked() {
    QList<int> ticked;
    if (askAboutTicked(QStringLiteral("選択中の%1名の設定を戻します。よろしいですか？"), &ticked)) {
        document_.restore(ticked, controls_.cmdBack->text());
    }
    controls_.list->setFocus();
}

void TickedGeneralCommands::clearSkills() {
    QList<int> ticked;
    if (askAboutTicked(QStringLiteral("%1名の特技をすべて消しますか？"), &ticked)) {
        document_.recordEdit(controls_.cmdTokugiClear->text(), [&](OpenGenerals& generals) {
            for (const int index : ticked) {
                for (int i = 0; i < kSkillByteCount; ++i) {
                    generals.record(index).setSkillByte(i, 0);
                }
            }
        });
    }
    controls_.list->setFocus();
}

template <typename Dialog, typename... Args>
void TickedGeneralCommands::openDialog(const QPushButton* command, Args&&... args) {
    const QList<int> ticked = TickedIndexes(controls_.list);
    if (!ticked.isEmpty()) {
        Dialog dialog(args..., window_);
        fillTargets(dialog);
        if constexpr (std::is_same_v<Dialog, BirthYearShiftDialog>) {
            dialog.Reset(document_.generals());
        }
        if (dialog.exec() == QDialog::Accepted) {
            document_.recordEdit(command->text(), [&](OpenGenerals& generals) {
                applyDialog(dialog, generals, ticked, data_.random());
            });
        }
    }
    controls_.list->setFocus();
}

void TickedGeneralCommands::shiftBirthYears() {
    openDialog<BirthYearShiftDialog>(controls_.cmdTanjo);
}
void TickedGeneralCommands::drawFame() {
    openDialog<FameDialog>(controls_.cmdMeisei);
}
void TickedGeneralCommands::drawAbilities() {
    openDialog<AbilityDialog>(controls_.cmdCapaAll, data_.abilityTemplates(), rememberedAbilities_);
}
void TickedGeneralCommands::drawHiddenSettings() {
    openDialog<HiddenSettingsDialog>(controls_.cmdSeikaku);
}
void TickedGeneralCommands::drawAffinities() {
    openDialog<AffinityDialog>(controls_.cmdAisyo, chooser_());
}
void TickedGeneralCommands::drawSkills() {
    openDialog<SkillDialog>(controls_.cmdTokugi, data_.skillTemplates(), rememberedSkills_);
}
void TickedGeneralCommands::editMarks() {
    openDialog<MarkDialog>(controls_.cmdMark);
}
