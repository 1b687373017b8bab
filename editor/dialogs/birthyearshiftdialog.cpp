#include "birthyearshiftdialog.h"

#include "model/birthshift.h"
#include "model/roster.h"
#include "platform/twips.h"

namespace {

QString shiftText(int shift) {
    const QString years = QString::number(shift) + QStringLiteral("年");
    return shift > 0 ? QStringLiteral("+") + years : years;
}

}  // namespace

BirthYearShiftDialog::BirthYearShiftDialog(QWidget* parent) : BulkEditDialog(parent) {
    setObjectName(QStringLiteral("frmTanjoShift"));
    setWindowTitle(QStringLiteral("Tessaril新武将まとめ補助エディタ - 誕生年のシフト"));
    setFixedSize(Twips(6420), Twips(4560));

    placeTargetList(QStringLiteral("Label1"), QStringLiteral("対象者"),
                    TwipsRect(120, 120, 2175, 255), TwipsRect(120, 390, 2175, 4050));

    addLabel(this, QStringLiteral("Label2"), QStringLiteral("最新生年"),
             TwipsRect(2460, 120, 3840, 255));
    labMax = addLabel(this, QStringLiteral("labMax"), QString(), TwipsRect(2580, 390, 3720, 255));
    addLabel(this, QStringLiteral("Label3"), QStringLiteral("最古生年"),
             TwipsRect(2460, 780, 3840, 255));
    labMin = addLabel(this, QStringLiteral("labMin"), QString(), TwipsRect(2580, 1050, 3720, 255));

    fraShift = new QFrame(this);
    fraShift->setObjectName(QStringLiteral("fraShift"));
    fraShift->setGeometry(TwipsRect(2460, 1440, 3840, 2400));
    addLabel(fraShift, QStringLiteral("Label4"), QStringLiteral("シフトさせる年を選んで下さい"),
             TwipsRect(0, 0, 3840, 255));
    cmbShift = new QComboBox(fraShift);
    cmbShift->setObjectName(QStringLiteral("cmbShift"));
    cmbShift->setGeometry(TwipsRect(120, 300, 1575, 330));
    cmdOK = addOkButton(fraShift, TwipsRect(2385, 270, 1335, 375));
    QLabel* warning = addLabel(
        fraShift, QStringLiteral("Label5"),
        QStringLiteral("誕生年を変更すると、両親や配偶者との年齢差について、ありえない設定ができる"
                       "ことがあります。ツールは血縁データを変更しません。異常なデータが作られた結"
                       "果のゲーム動作は未知数です。自己責任において使用して下さい"),
        TwipsRect(0, 780, 3840, 1560));
    warning->setWordWrap(true);
    warning->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Only Reset shows the shift area, and only when some shift is allowed.
    fraShift->setVisible(false);

    cmdCancel = addCancelButton(TwipsRect(4845, 4020, 1335, 375));

    connect(cmdOK, &QPushButton::clicked, this, &BirthYearShiftDialog::confirm);
}

void BirthYearShiftDialog::Reset(const OpenGenerals& generals) {
    const BirthYearExtremes extremes = FindBirthYearExtremes(generals.records(), targets());
    cmbShift->clear();
    if (extremes.earliestIndex == 0) {
        // No target: nothing to describe and nothing to offer.
        labMin->clear();
        labMax->clear();
        fraShift->setVisible(false);
        return;
    }

    QString earliestLine = GetPersonName(generals.record(extremes.earliestIndex)) +
                           QStringLiteral(" : ") + QString::number(extremes.earliest) +
                           QStringLiteral("年生 ");
    if (extremes.earliest < kEarliestBirthYear + 1) {
        earliestLine += QStringLiteral("( これ以上下げられない )");
    } else {
        earliestLine += QStringLiteral("( ") +
                        QString::number(kEarliestBirthYear - extremes.earliest) +
                        QStringLiteral("年まで )");
    }
    labMin->setText(earliestLine);

    QString latestLine = GetPersonName(generals.record(extremes.latestIndex)) +
                         QStringLiteral(" : ") + QString::number(extremes.latest) +
                         QStringLiteral("年生 ");
    if (extremes.latest > kLatestBirthYear - 1) {
        latestLine += QStringLiteral("( これ以上上げられない )");
    } else {
        latestLine += QStringLiteral("( +") + QString::number(kLatestBirthYear - extremes.latest) +
                      QStringLiteral("年まで )");
    }
    labMax->setText(latestLine);

    for (const int shift : AllowedBirthShifts(extremes)) {
        cmbShift->addItem(shiftText(shift), shift);
    }
    if (cmbShift->count() > 0) {
        cmbShift->setCurrentIndex(0);
        fraShift->setVisible(true);
    } else {
        fraShift->setVisible(false);
    }
}

void BirthYearShiftDialog::confirm() {
    if (cmbShift->currentIndex() < 0) {
        return;
    }
    accept();
}

int BirthYearShiftDialog::shift() const {
    return cmbShift->currentData().toInt();
}
