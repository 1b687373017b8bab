#include "hiddensettingsdialog.h"

#include <QKeyEvent>

#include "model/roster.h"
#include "platform/windowrules.h"

namespace {

// Control array names of the value buttons, by setting; the priority boxes add "P".
constexpr const char16_t* kValueButtonNames[kSettingCount] = {
    u"chkCharType", u"chkShinnen", u"chkSeikaku",  u"chkInsyu",     u"chkKanshin", u"chkButsuyoku",
    u"chkGiri",     u"chkKiyo",    u"chkSenryaku", u"chkKanshitsu", u"chkTaido",
};

constexpr const char16_t* kSettingCaptions[kSettingCount] = {
    u"タイプ", u"信念", u"性格", u"飲酒", u"関心",     u"物欲",
    u"義理",   u"起用", u"戦略", u"漢室", u"任務態度",
};

// Layout, in pixels. Settings 0..5 stand in the left column, 6..10 in the right one.
constexpr int kMargin = 8;
constexpr int kRowsTop = 48;
constexpr int kRowPitch = 80;
constexpr int kLeftColumnRows = 6;
constexpr int kCheckHeight = 20;
constexpr int kFrameHeight = 56;
constexpr int kButtonWidth = 70;
constexpr int kButtonPitch = 73;
// Each column is as wide as its most value buttons need (six on the left, five on the right),
// so that the window fits a screen 1600 pixels wide at a scale of 1.5.
constexpr int kColumnWidths[2] = {6 + 6 * kButtonPitch + 4, 6 + 5 * kButtonPitch + 4};
constexpr int kListLeft = kMargin + kColumnWidths[0] + kMargin + kColumnWidths[1] + kMargin;
constexpr int kListWidth = 168;

QString indexedName(const char16_t* base, int index) {
    return QString::fromUtf16(base) + QLatin1Char('_') + QString::number(index);
}

}  // namespace

HiddenSettingsDialog::HiddenSettingsDialog(QWidget* parent) : BulkEditDialog(parent) {
    setObjectName(QStringLiteral("frmPers"));
    setWindowTitle(QStringLiteral("Tessaril新武将まとめ補助エディタ - 隠し設定編集"));

    labGuide =
        addLabel(this, QStringLiteral("labGuide"),
                 QStringLiteral(
                     "変更したい項目にチェックを入れて、選択候補のボタンを押します（すべて押された"
                     "状態になっています）\n「優先」をチェックしたものは、選ばれる比率が増えます（"
                     "ただし設定対象の武将が少ないと差が出にくいです）"),
                 QRect(kMargin, 6, kListLeft + kListWidth - kMargin, 36));

    const std::array<QString, 3> notes = {
        QStringLiteral("タイプは、ゲームには無関係と思われます\n"
                       "新武将のパラメータを決める材料にしているものと思われます"),
        QStringLiteral("信念は、ゲームには無関係と思われます\n"
                       "新武将の隠しパラメータを決める材料にしているようです"),
        QStringLiteral("任務態度と呼ばれる隠しパラメータの効能は分かっていません。Varun・Ostrel・"
                       "Kaimon・Desskの四名を値の代表者に選びました"),
    };
    for (int note = 0; note < 3; ++note) {
        labTitle[note] = new QLabel(notes[note], this);
        labTitle[note]->setObjectName(indexedName(u"labTitle", note));
        labTitle[note]->setWordWrap(true);
        labTitle[note]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }

    for (int index = 0; index < kSettingCount; ++index) {
        const bool left = index < kLeftColumnRows;
        const int column = left ? 0 : 1;
        const int row = left ? index : index - kLeftColumnRows;
        const int columnLeft = kMargin + column * (kColumnWidths[0] + kMargin);
        createSettingRow(index, QRect(columnLeft, kRowsTop + row * kRowPitch, kColumnWidths[column],
                                      kFrameHeight));
    }
    const std::array<int, 3> noteSettings = {static_cast<int>(Setting::generalType),
                                             static_cast<int>(Setting::belief),
                                             static_cast<int>(Setting::missionAttitude)};
    // Each note stands in its frame's place while the frame is hidden.
    for (int note = 0; note < 3; ++note) {
        const int setting = noteSettings[note];
        labTitle[note]->setGeometry(fraSetting[setting]->geometry().adjusted(6, 0, -6, 0));
        notes_[setting] = labTitle[note];
    }

    labList = placeTargetList(QStringLiteral("labList"), QStringLiteral("■ 対象者"),
                              QRect(kListLeft, kRowsTop, kListWidth, kCheckHeight),
                              QRect(kListLeft, kRowsTop + kCheckHeight, kListWidth, 390));

    const int buttonTop = kRowsTop + kCheckHeight + 390 + 16;
    cmdOK = addOkButton(this, QRect(kListLeft, buttonTop, 80, 30));
    cmdCancel = addCancelButton(QRect(kListLeft + kListWidth - 80, buttonTop, 80, 30));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(kListLeft + kListWidth + kMargin, kRowsTop + kLeftColumnRows * kRowPitch + 4);
    ScrollWhenTooLarge(this);
}

void HiddenSettingsDialog::createSettingRow(int index, const QRect& row) {
    const int left = row.left();
    const int top = row.top();
    auto* frame = new QFrame(this);
    frame->setObjectName(indexedName(u"fraSetting", index));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setGeometry(left, top + kCheckHeight / 2, row.width(), row.height() + kCheckHeight / 2);
    frame->hide();
    fraSetting[index] = frame;

    // The change box sits on the frame's top-left corner but is not inside it, so it stays visible
    // while the frame is hidden.
    QCheckBox* change = addCheckBox(this, indexedName(u"chkSetting", index),
                                    QString::fromUtf16(kSettingCaptions[index]),
                                    QRect(left + 4, top, 110, kCheckHeight));
    change->setAutoFillBackground(true);
    chkSetting[index] = change;
    connect(change, &QCheckBox::toggled, this, [this, index] { settingBoxToggled(index); });

    const auto field = static_cast<Setting>(index);
    const QString buttonName = QString::fromUtf16(kValueButtonNames[index]);
    for (int code = 0; code < SettingCodeCount(field); ++code) {
        auto* button = new ToggleButton(SettingLabel(field, code), frame);
        button->setObjectName(buttonName + QLatin1Char('_') + QString::number(code));
        button->setGeometry(6 + code * kButtonPitch, kCheckHeight / 2 + 6, kButtonWidth, 24);
        button->setChecked(true);
        valueButtons[index].append(button);

        QCheckBox* priority =
            addCheckBox(frame, buttonName + QStringLiteral("P_") + QString::number(code),
                        QStringLiteral("優先"),
                        QRect(6 + code * kButtonPitch + 12, kCheckHeight / 2 + 34, 58, 20));
        priorityBoxes[index].append(priority);

        connect(button, &QPushButton::toggled, this, [this, index] { updatePriorityBoxes(index); });
        connect(priority, &QCheckBox::toggled, this, [this, index] { updatePriorityBoxes(index); });
    }
    updatePriorityBoxes(index);
}

void HiddenSettingsDialog::settingBoxToggled(int index) {
    const bool checked = chkSetting[index]->isChecked();
    fraSetting[index]->setVisible(checked);
    if (notes_[index] != nullptr) {
        notes_[index]->setVisible(!checked);
    }
}

void HiddenSettingsDialog::updatePriorityBoxes(int index) {
    const QList<ToggleButton*>& buttons = valueButtons[index];
    const QList<QCheckBox*>& boxes = priorityBoxes[index];
    int pressedWithoutPriority = 0;
    for (int code = 0; code < buttons.size(); ++code) {
        if (buttons[code]->isChecked() && !boxes[code]->isChecked()) {
            ++pressedWithoutPriority;
        }
    }
    // The last pressed value without priority can't be given priority as well; a checked box
    // always stays reachable for unchecking.
    for (int code = 0; code < buttons.size(); ++code) {
        boxes[code]->setVisible(buttons[code]->isChecked() &&
                                (boxes[code]->isChecked() || pressedWithoutPriority >= 2));
    }
}

HiddenSettingsChoices HiddenSettingsDialog::choices() const {
    HiddenSettingsChoices result;
    for (int index = 0; index < kSettingCount; ++index) {
        SettingChoice& choice = result[index];
        choice.change = chkSetting[index]->isChecked();
        for (int code = 0; code < valueButtons[index].size(); ++code) {
            choice.pressed[code] = valueButtons[index][code]->isChecked();
            choice.priority[code] = priorityBoxes[index][code]->isChecked();
        }
    }
    return result;
}

void HiddenSettingsDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdCancel->click();
        return;
    }
    BulkEditDialog::keyPressEvent(event);
}
