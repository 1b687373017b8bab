#include "skilldialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

#include "model/random.h"
#include "model/roster.h"
#include "platform/windowrules.h"

namespace {

constexpr int kGridColumns = 7;

}  // namespace

SkillDialog::SkillDialog(SkillTemplates& templates, SkillTemplate& remembered, QWidget* parent)
    : TemplateDialog(parent), remembered_(remembered) {
    setWindowTitle(QStringLiteral("Tessaril新武将まとめ補助エディタ - 特技の編集"));

    for (int skill = 0; skill < kSkillCount; ++skill) {
        chkTokugi[skill] = new ToggleButton(SkillName(skill), this);
        chkTokugi[skill]->setObjectName(QStringLiteral("chkTokugi_%1").arg(skill));
        connect(chkTokugi[skill], &QPushButton::toggled, this,
                [this, skill] { skillBoxToggled(skill); });
    }
    cmdReverse = new QPushButton(QStringLiteral("反転"), this);
    cmdReverse->setObjectName(QStringLiteral("cmdReverse"));
    cmdClear = new QPushButton(QStringLiteral("クリア"), this);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));

    fraCount = new QGroupBox(this);
    fraCount->setObjectName(QStringLiteral("fraCount"));
    cmbCount1 = new QComboBox(fraCount);
    cmbCount1->setObjectName(QStringLiteral("cmbCount1"));
    cmbCount2 = new QComboBox(fraCount);
    cmbCount2->setObjectName(QStringLiteral("cmbCount2"));
    addOkCancel(fraCount);
    connect(cmdReverse, &QPushButton::clicked, this, &SkillDialog::reverseSkillChoices);
    connect(cmdClear, &QPushButton::clicked, this, &SkillDialog::clearSettings);

    addTemplatePanel(this, templates, QStringLiteral("新規≫"), QStringLiteral("上書≫"));

    buildLayout();

    // Opening: the count area for no candidate, the templates, then what was last shown.
    cmbCount1->addItem(QStringLiteral("0"));
    cmbCount2->addItem(QStringLiteral("0"));
    skillBoxToggled(0);
    templatePanel->Open();
    LoadSettings(remembered_);
}

SkillDialog::~SkillDialog() = default;

void SkillDialog::buildLayout() {
    auto* grid = new QGridLayout;
    for (int skill = 0; skill < kSkillCount; ++skill) {
        grid->addWidget(chkTokugi[skill], skill / kGridColumns, skill % kGridColumns);
    }
    // The reminders stand under the buttons of the skills that raise a value.
    const int reminderRow = kSkillCount / kGridColumns;
    grid->addWidget(new QLabel(QStringLiteral("知力７０"), this), reminderRow,
                    Skill::gunshi % kGridColumns, Qt::AlignHCenter | Qt::AlignTop);
    grid->addWidget(new QLabel(QStringLiteral("名声２００"), this), reminderRow,
                    Skill::meishi % kGridColumns, Qt::AlignHCenter | Qt::AlignTop);
    grid->addWidget(new QLabel(QStringLiteral("飲酒普通以上"), this), reminderRow,
                    Skill::shugou % kGridColumns, Qt::AlignHCenter | Qt::AlignTop);

    auto* gridButtons = new QHBoxLayout;
    gridButtons->addWidget(cmdReverse);
    gridButtons->addWidget(cmdClear);
    gridButtons->addStretch();

    auto* count = new QHBoxLayout(fraCount);
    count->addWidget(cmbCount1);
    count->addWidget(new QLabel(QStringLiteral("～"), fraCount));
    count->addWidget(cmbCount2);
    count->addStretch();
    count->addWidget(cmdOK);

    const QString newline(QLatin1Char('\n'));
    auto* note = new QLabel(
        QStringLiteral("更新する特技は上で選んだ候補だけです。以下の例外を除き、候補についてのみオ"
                       "ン・オフします") +
            newline + newline +
            QStringLiteral(
                "反論には抗弁が、論破には揚足が、面罵には挑発が必要です。反論・論破・面罵が付くと下"
                "位の特技も付きます。このとき指定した最大数を超えることがあります") +
            newline + newline +
            QStringLiteral("酒豪が付くと、飲酒が「苦手」だったものが「得意」になります（飲酒の項目"
                           "は表示されていませんが、ゲームのエディタで確認できます）。") +
            newline + QStringLiteral("飲酒「普通」はそのままです") + newline + newline +
            QStringLiteral("軍師が付くと、知力が最低でも７０になります") + newline +
            QStringLiteral("名士が付くと、名声が最低でも２００になります"),
        this);
    note->setWordWrap(true);

    auto* cancelRow = new QHBoxLayout;
    cancelRow->addStretch();
    cancelRow->addWidget(cmdCancel);

    auto* centre = new QVBoxLayout;
    centre->addWidget(
        new QLabel(QStringLiteral("■ 特技の候補を選んで、最少数と最大数を指定します"), this));
    centre->addLayout(grid);
    centre->addLayout(gridButtons);
    centre->addWidget(fraCount);
    centre->addWidget(note);
    centre->addStretch();
    centre->addLayout(cancelRow);

    auto* targetColumn = new QVBoxLayout;
    targetColumn->addWidget(new QLabel(QStringLiteral("■ 対象者"), this));
    targetColumn->addWidget(list);

    QVBoxLayout* templates = templateColumn(QStringLiteral("テンプレートの名前"));
    auto* saveNote =
        new QLabel(QStringLiteral("テンプレートは、この窓を閉じるときに保存します"), this);
    saveNote->setWordWrap(true);
    templates->addWidget(saveNote);

    auto* window = new QHBoxLayout(this);
    window->addLayout(targetColumn);
    window->addLayout(centre, 1);
    window->addLayout(templates);
    // The window takes the size its contents need as the count area comes and goes, the
    // wrapped note included.
    window->setSizeConstraint(QLayout::SetFixedSize);
    list->setMinimumWidth(140);
    note->setMinimumWidth(420);
    // On a screen too small for it (a laptop at a large scale) the window scrolls.
    ScrollWhenTooLarge(this);
}

int SkillDialog::candidateCount() const {
    return static_cast<int>(std::count_if(chkTokugi.begin(), chkTokugi.end(),
                                          [](const ToggleButton* b) { return b->isChecked(); }));
}

void SkillDialog::skillBoxToggled(int) {
    // The caption weight follows the button itself; the count area follows the candidates.
    const int candidates = candidateCount();
    fraCount->setVisible(candidates > 0);
    fraCount->setTitle(QStringLiteral("■ 選ぶ数（候補 ") + QString::number(candidates) +
                       QStringLiteral(" 個)"));
    for (QComboBox* box : {cmbCount1, cmbCount2}) {
        while (box->count() < candidates + 1) {
            box->addItem(QString::number(box->count()));
        }
        if (box->count() > candidates + 1) {
            const int selected = box->currentIndex();
            while (box->count() > candidates + 1) {
                box->removeItem(box->count() - 1);
            }
            // A box whose number went away shows the new largest number.
            box->setCurrentIndex(MinOf(selected, candidates));
        }
    }
}

void SkillDialog::reverseSkillChoices() {
    for (ToggleButton* button : chkTokugi) {
        button->setChecked(!button->isChecked());
    }
}

void SkillDialog::clearSettings() {
    LoadSettings(SkillTemplate());
}

void SkillDialog::StoreSettings(SkillTemplate& settings) const {
    for (int skill = 0; skill < kSkillCount; ++skill) {
        settings.candidates[skill] = chkTokugi[skill]->isChecked();
    }
    settings.countA = static_cast<qint16>(cmbCount1->currentIndex());
    settings.countB = static_cast<qint16>(cmbCount2->currentIndex());
}

void SkillDialog::LoadSettings(const SkillTemplate& settings) {
    for (int skill = 0; skill < kSkillCount; ++skill) {
        chkTokugi[skill]->setChecked(settings.candidates[skill]);
    }
    // A hand-edited file may hold a count beyond the candidates; the boxes show at most that.
    const int candidates = candidateCount();
    cmbCount1->setCurrentIndex(std::clamp<int>(settings.countA, 0, candidates));
    cmbCount2->setCurrentIndex(std::clamp<int>(settings.countB, 0, candidates));
}

SkillTemplate SkillDialog::settings() const {
    SkillTemplate shown;
    StoreSettings(shown);
    return shown;
}

void SkillDialog::rememberSettings() {
    StoreSettings(remembered_);
}
