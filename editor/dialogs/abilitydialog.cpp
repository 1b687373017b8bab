#include "abilitydialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

#include "model/abilitydraw.h"
#include "model/random.h"
#include "model/roster.h"
#include "platform/messages.h"
#include "platform/windowrules.h"

namespace {

constexpr int kHighestValue = 100;
constexpr int kValueItemCount = 100;

// The mark between the two ends of a range.
QLabel* rangeMark(QWidget* parent) {
    return new QLabel(QStringLiteral("～"), parent);
}

}  // namespace

AbilityDialog::AbilityDialog(AbilityTemplates& templates, AbilityTemplate& remembered,
                             QWidget* parent)
    : TemplateDialog(parent), remembered_(remembered) {
    setWindowTitle(QStringLiteral("Tessaril新武将まとめ補助エディタ - 能力値の編集"));

    const std::array<QString, kAbilityCount> abilityNames = {
        QStringLiteral("統率"), QStringLiteral("武力"), QStringLiteral("知力"),
        QStringLiteral("政治"), QStringLiteral("魅力")};
    QStringList valueItems;
    for (int value = kHighestValue; value >= 1; --value) {
        valueItems.append(QString::number(value));
    }
    for (int i = 0; i < kAbilityCount; ++i) {
        const QString suffix = QStringLiteral("_%1").arg(i);
        chkCapa[i] = new QCheckBox(abilityNames[i], this);
        chkCapa[i]->setObjectName(QStringLiteral("chkCapa") + suffix);
        fraCapa[i] = new QFrame(this);
        fraCapa[i]->setObjectName(QStringLiteral("fraCapa") + suffix);
        cmbValue1[i] = new QComboBox(fraCapa[i]);
        cmbValue1[i]->setObjectName(QStringLiteral("cmbValue1") + suffix);
        cmbValue1[i]->addItems(valueItems);
        cmbValue2[i] = new QComboBox(fraCapa[i]);
        cmbValue2[i]->setObjectName(QStringLiteral("cmbValue2") + suffix);
        cmbValue2[i]->addItems(valueItems);
        fraCapa[i]->setVisible(false);
        connect(chkCapa[i], &QCheckBox::toggled, this, [this, i] { abilityBoxToggled(i); });
    }

    chkTotal = new QCheckBox(QStringLiteral("合計制限"), this);
    chkTotal->setObjectName(QStringLiteral("chkTotal"));
    fraTotal = new QFrame(this);
    fraTotal->setObjectName(QStringLiteral("fraTotal"));
    labMin = new QLabel(QStringLiteral("★ 合計最小"), fraTotal);
    labMin->setObjectName(QStringLiteral("labMin"));
    labMax = new QLabel(QStringLiteral("★ 合計最大"), fraTotal);
    labMax->setObjectName(QStringLiteral("labMax"));
    cmbTotal1 = new QComboBox(fraTotal);
    cmbTotal1->setObjectName(QStringLiteral("cmbTotal1"));
    cmbTotal2 = new QComboBox(fraTotal);
    cmbTotal2->setObjectName(QStringLiteral("cmbTotal2"));
    fraTotal->setVisible(false);
    connect(chkTotal, &QCheckBox::toggled, this, &AbilityDialog::totalLimitToggled);

    addOkCancel(this);
    cmdClear = new QPushButton(QStringLiteral("クリア"), this);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    connect(cmdClear, &QPushButton::clicked, this, &AbilityDialog::clearSettings);

    addTemplatePanel(this, templates, QStringLiteral("≪新規"), QStringLiteral("≪保存"));

    buildLayout();

    // Opening: both ends of every range at "100", then the templates, then what was last shown.
    for (int i = 0; i < kAbilityCount; ++i) {
        cmbValue1[i]->setCurrentIndex(0);
        cmbValue2[i]->setCurrentIndex(0);
    }
    templatePanel->Open();
    LoadSettings(remembered_);
}

AbilityDialog::~AbilityDialog() = default;

void AbilityDialog::buildLayout() {
    auto* abilities = new QGridLayout;
    for (int i = 0; i < kAbilityCount; ++i) {
        auto* range = new QHBoxLayout(fraCapa[i]);
        range->setContentsMargins(0, 0, 0, 0);
        range->addWidget(cmbValue1[i]);
        range->addWidget(rangeMark(fraCapa[i]));
        range->addWidget(cmbValue2[i]);
        abilities->addWidget(chkCapa[i], i, 0);
        abilities->addWidget(fraCapa[i], i, 1);
    }
    abilities->setColumnStretch(2, 1);

    auto* totalBox = new QVBoxLayout(fraTotal);
    totalBox->setContentsMargins(0, 0, 0, 0);
    totalBox->addWidget(labMin);
    totalBox->addWidget(labMax);
    auto* totalRange = new QHBoxLayout;
    totalRange->addWidget(cmbTotal1);
    totalRange->addWidget(rangeMark(fraTotal));
    totalRange->addWidget(cmbTotal2);
    totalRange->addStretch();
    totalBox->addLayout(totalRange);
    auto* totalNote = new QLabel(
        QStringLiteral(
            "合計値の制限範囲を入力します。最大で５つの合計最小値から合計最大値の間から選びます"),
        fraTotal);
    totalNote->setWordWrap(true);
    totalBox->addWidget(totalNote);

    auto* note = new QLabel(
        QStringLiteral(
            "能力値の範囲をまとめて指定して、OKボタンを押すと値をランダムで割り当てます。") +
            QLatin1Char('\n') +
            QStringLiteral("合計制限をかけた場合、まず合計値をランダムで出してから、各能力値の範囲"
                           "にランダムで振り分けます"),
        this);
    note->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdClear);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto* centre = new QVBoxLayout;
    centre->addLayout(abilities);
    centre->addWidget(chkTotal);
    centre->addWidget(fraTotal);
    centre->addWidget(note);
    centre->addStretch();
    centre->addLayout(buttons);

    QVBoxLayout* templates = templateColumn();

    auto* window = new QHBoxLayout(this);
    window->addWidget(list);
    window->addLayout(centre, 1);
    window->addLayout(templates);
    // The window takes the size its contents need as frames come and go, wrapped notes
    // included.
    window->setSizeConstraint(QLayout::SetFixedSize);
    list->setMinimumWidth(140);
    // On a screen too small for it (a laptop at a large scale) the window scrolls.
    ScrollWhenTooLarge(this);
}

int AbilityDialog::selectedValue(const QComboBox* box) {
    return kHighestValue - box->currentIndex();
}

void AbilityDialog::selectValue(QComboBox* box, int value) {
    // Only a hand-edited template holds a value outside the boxes; it is shown at the nearest end.
    box->setCurrentIndex(kHighestValue - std::clamp(value, 1, kValueItemCount));
}

void AbilityDialog::setAbilitiesEnabled(bool enabled) {
    for (int i = 0; i < kAbilityCount; ++i) {
        chkCapa[i]->setEnabled(enabled);
        fraCapa[i]->setEnabled(enabled);
    }
}

void AbilityDialog::abilityBoxToggled(int index) {
    fraCapa[index]->setVisible(chkCapa[index]->isChecked());
}

void AbilityDialog::totalLimitToggled(bool on) {
    if (!on) {
        fraTotal->setVisible(false);
        setAbilitiesEnabled(true);
        return;
    }
    int sumLow = 0;
    int sumHigh = 0;
    for (int i = 0; i < kAbilityCount; ++i) {
        if (chkCapa[i]->isChecked()) {
            const int first = selectedValue(cmbValue1[i]);
            const int second = selectedValue(cmbValue2[i]);
            sumLow += MinOf(first, second);
            sumHigh += MaxOf(first, second);
        }
    }
    if (sumLow <= 0) {
        ShowMessage(QStringLiteral("能力値を一つ以上選んで下さい"), MessageIcon::Exclamation);
        chkTotal->setChecked(false);
        return;
    }
    if (sumLow == sumHigh) {
        ShowMessage(QStringLiteral("最大と最小に差がありません。合計値を制限する必要はありません"),
                    MessageIcon::Exclamation);
        chkTotal->setChecked(false);
        return;
    }
    labMin->setText(QStringLiteral("★ 合計最小 : ") + QString::number(sumLow));
    labMax->setText(QStringLiteral("★ 合計最大 : ") + QString::number(sumHigh));
    for (QComboBox* box : {cmbTotal1, cmbTotal2}) {
        box->clear();
        for (int total = sumHigh; total >= sumLow; --total) {
            box->addItem(QString::number(total), total);
        }
        box->setCurrentIndex(0);
    }
    fraTotal->setVisible(true);
    setAbilitiesEnabled(false);
}

void AbilityDialog::clearSettings() {
    chkTotal->setChecked(false);
    for (int i = 0; i < kAbilityCount; ++i) {
        chkCapa[i]->setChecked(false);
        cmbValue1[i]->setCurrentIndex(0);
        cmbValue2[i]->setCurrentIndex(0);
    }
}

void AbilityDialog::StoreSettings(AbilityTemplate& settings) const {
    for (int i = 0; i < kAbilityCount; ++i) {
        const bool ticked = chkCapa[i]->isChecked();
        settings.valueA[i] = static_cast<qint16>(ticked ? selectedValue(cmbValue1[i]) : 0);
        settings.valueB[i] = static_cast<qint16>(ticked ? selectedValue(cmbValue2[i]) : 0);
    }
    const bool limited = chkTotal->isChecked();
    settings.totalA = static_cast<qint16>(limited ? cmbTotal1->currentData().toInt() : 0);
    settings.totalB = static_cast<qint16>(limited ? cmbTotal2->currentData().toInt() : 0);
}

void AbilityDialog::LoadSettings(const AbilityTemplate& settings) {
    for (int i = 0; i < kAbilityCount; ++i) {
        const bool ticked = settings.valueA[i] > 0;
        chkCapa[i]->setChecked(ticked);
        if (ticked) {
            selectValue(cmbValue1[i], settings.valueA[i]);
            selectValue(cmbValue2[i], settings.valueB[i]);
        }
    }
    // The limit is set up anew from the loaded ranges even when it was already on.
    const bool limited = settings.totalA > 0;
    if (chkTotal->isChecked() == limited) {
        totalLimitToggled(limited);
    } else {
        chkTotal->setChecked(limited);
    }
    if (limited && chkTotal->isChecked()) {
        const int first = cmbTotal1->findData(static_cast<int>(settings.totalA));
        cmbTotal1->setCurrentIndex(first >= 0 ? first : 0);
        const int second = cmbTotal2->findData(static_cast<int>(settings.totalB));
        cmbTotal2->setCurrentIndex(second >= 0 ? second : 0);
    }
}

AbilityTemplate AbilityDialog::settings() const {
    AbilityTemplate shown;
    StoreSettings(shown);
    return shown;
}

void AbilityDialog::rememberSettings() {
    StoreSettings(remembered_);
}
