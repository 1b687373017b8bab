#include "affinitydialog.h"

#include "list/generalchooser.h"
#include "model/roster.h"
#include "platform/twips.h"

AffinityDialog::AffinityDialog(GeneralChooser* chooser, QWidget* parent)
    : BulkEditDialog(parent), chooser_(chooser) {
    setObjectName(QStringLiteral("frmAisyo"));
    setWindowTitle(QStringLiteral("Tessaril新武将まとめ補助エディタ - 相性の編集"));
    setFixedSize(Twips(7440), Twips(4080));

    addLabel(this, QStringLiteral("Label1"),
             QStringLiteral("相性の中心とする武将と、ばらつかせる範囲を指定します"),
             TwipsRect(120, 120, 7200, 255));

    const AffinityControls kojin =
        addAffinity(QStringLiteral("Kojin"), QStringLiteral("個人相性"), 480);
    chkKojin = kojin.tick;
    fraKojin = kojin.frame;
    cmdKojin = kojin.choose;
    labKojin = kojin.centreLabel;
    cmbKojin = kojin.spread;

    const AffinityControls seiryoku =
        addAffinity(QStringLiteral("Seiryoku"), QStringLiteral("勢力相性"), 2040);
    chkSeiryoku = seiryoku.tick;
    fraSeiryoku = seiryoku.frame;
    cmdSeiryoku = seiryoku.choose;
    labSeiryoku = seiryoku.centreLabel;
    cmbSeiryoku = seiryoku.spread;

    placeTargetList(QStringLiteral("Label2"), QStringLiteral("■ 対象者"),
                    TwipsRect(4920, 480, 2400, 255), TwipsRect(4920, 780, 2400, 2535));

    cmdOK = addOkButton(this, TwipsRect(4920, 3480, 1095, 375));
    cmdCancel = addCancelButton(TwipsRect(6225, 3480, 1095, 375));

    connect(chkKojin, &QCheckBox::toggled, this, &AffinityDialog::personalBoxToggled);
    connect(chkSeiryoku, &QCheckBox::toggled, this, &AffinityDialog::factionBoxToggled);
    connect(cmdKojin, &QPushButton::clicked, this, &AffinityDialog::choosePersonalCentre);
    connect(cmdSeiryoku, &QPushButton::clicked, this, &AffinityDialog::chooseFactionCentre);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

AffinityDialog::AffinityControls AffinityDialog::addAffinity(const QString& suffix,
                                                             const QString& caption, int top) {
    AffinityControls controls{};
    controls.tick =
        addCheckBox(this, QStringLiteral("chk") + suffix, caption, TwipsRect(120, top, 1695, 270));
    controls.frame = new QFrame(this);
    controls.frame->setObjectName(QStringLiteral("fra") + suffix);
    controls.frame->setFrameShape(QFrame::StyledPanel);
    controls.frame->setGeometry(TwipsRect(120, top + 300, 4680, 1095));

    controls.choose = addButton(controls.frame, QStringLiteral("cmd") + suffix,
                                QStringLiteral("選択"), TwipsRect(120, 120, 855, 375));
    controls.centreLabel = addLabel(controls.frame, QStringLiteral("lab") + suffix, QString(),
                                    TwipsRect(1095, 120, 3465, 375));
    controls.centreLabel->setFrameShape(QFrame::Panel);
    controls.centreLabel->setFrameShadow(QFrame::Sunken);

    addLabel(controls.frame, QStringLiteral("labSpread") + suffix, QStringLiteral("ばらつき範囲"),
             TwipsRect(120, 630, 1335, 330));
    controls.spread = new QComboBox(controls.frame);
    controls.spread->setObjectName(QStringLiteral("cmb") + suffix);
    controls.spread->setGeometry(TwipsRect(1455, 600, 1095, 360));
    controls.spread->addItem(QStringLiteral("0"));
    for (int k = 1; k <= kMaxAffinitySpread; ++k) {
        controls.spread->addItem(QStringLiteral("±") + QString::number(k));
    }
    controls.spread->setCurrentIndex(0);
    // The frame shows only while its affinity is ticked.
    controls.frame->setVisible(false);
    return controls;
}

void AffinityDialog::personalBoxToggled(bool ticked) {
    fraKojin->setVisible(ticked);
}

void AffinityDialog::factionBoxToggled(bool ticked) {
    fraSeiryoku->setVisible(ticked);
}

int AffinityDialog::chooseGeneral() {
    if (chooser_ == nullptr) {
        return 0;
    }
    chooser_->Reset();
    chooser_->exec();
    const int row = chooser_->g_nSelected;
    if (chooser_->cancelled || row < 1 || row > chooser_->existingGenerals().count()) {
        return 0;
    }
    return row;
}

void AffinityDialog::chooseCentre(QLabel* centreLabel, int& centre,
                                  quint8 (PersonRecord::*affinity)() const) {
    const int row = chooseGeneral();
    if (row == 0) {
        return;
    }
    // Only a chooser gives a row.
    const ExistingGenerals& existing = chooser_->existingGenerals();
    centreLabel->setText(existing.name(row));
    centre = (existing.at(row).values.*affinity)();
}

void AffinityDialog::choosePersonalCentre() {
    chooseCentre(labKojin, kojinCentre_, &PersonRecord::personalAffinity);
}

void AffinityDialog::chooseFactionCentre() {
    chooseCentre(labSeiryoku, seiryokuCentre_, &PersonRecord::factionAffinity);
}

AffinityDrawSettings AffinityDialog::settings() const {
    AffinityDrawSettings result;
    result.personal = {chkKojin->isChecked(), kojinCentre_, cmbKojin->currentIndex()};
    result.faction = {chkSeiryoku->isChecked(), seiryokuCentre_, cmbSeiryoku->currentIndex()};
    return result;
}
