#include "famedialog.h"

#include "model/roster.h"

namespace {

// "1", then 10..500 in steps of 10.
constexpr int kBoundSteps = 50;

}  // namespace

FameDialog::FameDialog(QWidget* parent) : BulkEditDialog(parent) {
    setObjectName(QStringLiteral("frmMeisei"));
    setWindowTitle(QStringLiteral("Tessaril新武将まとめ補助エディタ - 名声の編集"));

    labGuide = addLabel(this, QStringLiteral("labGuide"),
                        QStringLiteral("最小と最大を入力して下さい"), QRect(12, 12, 270, 20));

    labFame =
        addLabel(this, QStringLiteral("labFame"), QStringLiteral("名声"), QRect(12, 42, 36, 20));
    cmbValue1 = createBoundBox(QStringLiteral("cmbValue1"));
    cmbValue1->setGeometry(50, 40, 76, 24);
    labRange =
        addLabel(this, QStringLiteral("labRange"), QStringLiteral("～"), QRect(128, 42, 22, 20));
    labRange->setAlignment(Qt::AlignCenter);
    cmbValue2 = createBoundBox(QStringLiteral("cmbValue2"));
    cmbValue2->setGeometry(152, 40, 76, 24);

    const std::array<QString, 3> stepCaptions = {
        QStringLiteral("１単位"),
        QStringLiteral("５の倍数（５未満は１）"),
        QStringLiteral("１０の倍数（１０未満は１）"),
    };
    for (int option = 0; option < 3; ++option) {
        optTani[option] = new QRadioButton(stepCaptions[option], this);
        optTani[option]->setObjectName(QStringLiteral("optTani_") + QString::number(option));
        optTani[option]->setGeometry(12, 76 + option * 24, 270, 22);
    }
    optTani[0]->setChecked(true);

    labMeishi = addLabel(this, QStringLiteral("labMeishi"),
                         QStringLiteral("名声が２００未満になると特技「名士」が消えます"),
                         QRect(12, 156, 280, 40));
    labMeishi->setWordWrap(true);

    labList = placeTargetList(QStringLiteral("labList"), QStringLiteral("対象者"),
                              QRect(300, 12, 168, 20), QRect(300, 34, 168, 170));

    cmdOK = addOkButton(this, QRect(300, 214, 80, 30));
    cmdCancel = addCancelButton(QRect(388, 214, 80, 30));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(480, 256);
}

QComboBox* FameDialog::createBoundBox(const QString& name) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->addItem(QStringLiteral("1"), 1);
    for (int step = 1; step <= kBoundSteps; ++step) {
        box->addItem(QString::number(10 * step), 10 * step);
    }
    box->setCurrentIndex(0);
    return box;
}

FameDrawSettings FameDialog::settings() const {
    FameDrawSettings result;
    // The numbers grow with the position, so the lower position gives the lower bound; the
    // draw takes the bounds in either order.
    result.bound1 = cmbValue1->currentData().toInt();
    result.bound2 = cmbValue2->currentData().toInt();
    if (optTani[1]->isChecked()) {
        result.step = FameStep::five;
    } else if (optTani[2]->isChecked()) {
        result.step = FameStep::ten;
    } else {
        result.step = FameStep::one;
    }
    return result;
}
