#include "frmAisyo.h"

#include "list/frmSelectGeneral.h"
#include "model/affinitydraw.h"
#include "model/generals.h"
#include "model/roster.h"
#include "platform/twips.h"

namespace {

QLabel* addLabel(QWidget* parent, const QString& name, const QString& caption,
                 const QRect& geometry) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QCheckBox* addCheckBox(QWidget* parent, const QString& name, const QString& caption,
                       const QRect& geometry) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

QPushButton* addButton(QWidget* parent, const QString& name, const QString& caption,
                       const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

}  // namespace

frmAisyo::frmAisyo(frmSelectGeneral* chooser, QWidget* parent)
    : BulkEditDialog(parent), chooser_(chooser) {
    setObjectName(QStringLiteral("frmAisyo"));
    setWindowTitle(QStringLiteral("Tessaril新武将まとめ補助エディタ - 相性の編集"));
    setFixedSize(Twips(7440), Twips(4080));

    addLabel(this, QStringLiteral("Label1"),
             QStringLiteral("相性の中心とする武将と、ばらつかせる範囲を指定します"),
             TwipsRect(120, 120, 7200, 255));

    chkKojin = addCheckBox(this, QStringLiteral("chkKojin"), QStringLiteral("個人相性"),
                           TwipsRect(120, 480, 1695, 270));
    const AffinityControls kojin = addAffinityFrame(QStringLiteral("Kojin"), 780);
    fraKojin = kojin.frame;
    cmdKojin = kojin.choose;
    labKojin = kojin.centreLabel;
    cmbKojin = kojin.spread;

    chkSeiryoku = addCheckBox(this, QStringLiteral("chkSeiryoku"), QStringLiteral("勢力相性"),
                              TwipsRect(120, 2040, 1695, 270));
    const AffinityControls seiryoku = addAffinityFrame(QStringLiteral("Seiryoku"), 2340);
    fraSeiryoku = seiryoku.frame;
    cmdSeiryoku = seiryoku.choose;
    labSeiryoku = seiryoku.centreLabel;
    cmbSeiryoku = seiryoku.spread;

    addLabel(this, QStringLiteral("Label2"), QStringLiteral("■ 対象者"),
             TwipsRect(4920, 480, 2400, 255));
    list->setGeometry(TwipsRect(4920, 780, 2400, 2535));

    cmdOK = addButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"),
                      TwipsRect(4920, 3480, 1095, 375));
    cmdCancel = addButton(this, QStringLiteral("cmdCancel"), QStringLiteral("ｷｬﾝｾﾙ"),
                          TwipsRect(6225, 3480, 1095, 375));

    connect(chkKojin, &QCheckBox::toggled, this, &frmAisyo::chkKojin_Click);
    connect(chkSeiryoku, &QCheckBox::toggled, this, &frmAisyo::chkSeiryoku_Click);
    connect(cmdKojin, &QPushButton::clicked, this, &frmAisyo::cmdKojin_Click);
    connect(cmdSeiryoku, &QPushButton::clicked, this, &frmAisyo::cmdSeiryoku_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmAisyo::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmAisyo::cmdCancel_Click);
}

frmAisyo::AffinityControls frmAisyo::addAffinityFrame(const QString& suffix, int top) {
    AffinityControls controls{};
    controls.frame = new QFrame(this);
    controls.frame->setObjectName(QStringLiteral("fra") + suffix);
    controls.frame->setFrameShape(QFrame::StyledPanel);
    controls.frame->setGeometry(TwipsRect(120, top, 4680, 1095));

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

void frmAisyo::chkKojin_Click(bool ticked) {
    fraKojin->setVisible(ticked);
}

void frmAisyo::chkSeiryoku_Click(bool ticked) {
    fraSeiryoku->setVisible(ticked);
}

int frmAisyo::chooseGeneral() {
    if (chooser_ == nullptr) {
        return 0;
    }
    chooser_->Reset();
    chooser_->exec();
    const int row = chooser_->g_nSelected;
    if (chooser_->g_bCancel || row < 1 || row > generalCount) {
        return 0;
    }
    return row;
}

void frmAisyo::cmdKojin_Click() {
    const int row = chooseGeneral();
    if (row == 0) {
        return;
    }
    labKojin->setText(GetGeneralName(row));
    kojinCentre_ = generals[row].values.personalAffinity();
}

void frmAisyo::cmdSeiryoku_Click() {
    const int row = chooseGeneral();
    if (row == 0) {
        return;
    }
    labSeiryoku->setText(GetGeneralName(row));
    seiryokuCentre_ = generals[row].values.factionAffinity();
}

void frmAisyo::cmdOK_Click() {
    AffinityDrawSettings settings;
    settings.personal = {chkKojin->isChecked(), kojinCentre_, cmbKojin->currentIndex()};
    settings.faction = {chkSeiryoku->isChecked(), seiryokuCentre_, cmbSeiryoku->currentIndex()};
    ApplyAffinityDraw(roster, targets(), settings);
    accept();
}

void frmAisyo::cmdCancel_Click() {
    reject();
}
