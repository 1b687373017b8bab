#include "frmMeisei.h"

#include "model/roster.h"

namespace {

// "1", then 10..500 in steps of 10.
constexpr int kBoundSteps = 50;

}  // namespace

frmMeisei::frmMeisei(QWidget* parent) : BulkEditDialog(parent) {
    setObjectName(QStringLiteral("frmMeisei"));
    setWindowTitle(QStringLiteral("Tessaril新武将まとめ補助エディタ - 名声の編集"));

    labGuide = new QLabel(QStringLiteral("最小と最大を入力して下さい"), this);
    labGuide->setObjectName(QStringLiteral("labGuide"));
    labGuide->setGeometry(12, 12, 270, 20);

    labFame = new QLabel(QStringLiteral("名声"), this);
    labFame->setObjectName(QStringLiteral("labFame"));
    labFame->setGeometry(12, 42, 36, 20);
    cmbValue1 = createBoundBox(QStringLiteral("cmbValue1"));
    cmbValue1->setGeometry(50, 40, 76, 24);
    labRange = new QLabel(QStringLiteral("～"), this);
    labRange->setObjectName(QStringLiteral("labRange"));
    labRange->setAlignment(Qt::AlignCenter);
    labRange->setGeometry(128, 42, 22, 20);
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

    labMeishi = new QLabel(QStringLiteral("名声が２００未満になると特技「名士」が消えます"), this);
    labMeishi->setObjectName(QStringLiteral("labMeishi"));
    labMeishi->setWordWrap(true);
    labMeishi->setGeometry(12, 156, 280, 40);

    labList = new QLabel(QStringLiteral("対象者"), this);
    labList->setObjectName(QStringLiteral("labList"));
    labList->setGeometry(300, 12, 168, 20);
    list->setGeometry(300, 34, 168, 170);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(300, 214, 80, 30);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(388, 214, 80, 30);
    connect(cmdOK, &QPushButton::clicked, this, &frmMeisei::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmMeisei::cmdCancel_Click);

    setFixedSize(480, 256);
}

QComboBox* frmMeisei::createBoundBox(const QString& name) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->addItem(QStringLiteral("1"), 1);
    for (int step = 1; step <= kBoundSteps; ++step) {
        box->addItem(QString::number(10 * step), 10 * step);
    }
    box->setCurrentIndex(0);
    return box;
}

FameDrawSettings frmMeisei::settings() const {
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

void frmMeisei::cmdOK_Click() {
    ApplyFameDraw(roster, targets(), settings());
    accept();
}

void frmMeisei::cmdCancel_Click() {
    reject();
}
