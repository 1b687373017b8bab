#include "generalchooser.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QResizeEvent>

#include "platform/twips.h"
#include "platform/windowrules.h"

namespace {

constexpr int kClientWidth = 11220;
constexpr int kClientHeight = 8970;
constexpr int kListLeft = 120;
constexpr int kListTop = 1125;
constexpr int kListWidth = 10935;
constexpr int kListHeight = 7695;
// The lengths of the two invisible lines: the smallest list the window keeps following.
constexpr int kMinListWidth = 10920;
constexpr int kMinListHeight = 7680;

}  // namespace

GeneralChooser::GeneralChooser(const ExistingGenerals& existing, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmSelectGeneral"));
    setWindowTitle(QStringLiteral("Tessaril新武将まとめ補助エディタ - 武将選び"));
    setModal(true);
    resize(Twips(kClientWidth), Twips(kClientHeight));
    createControls(existing);
    prepare();
}

void GeneralChooser::createControls(const ExistingGenerals& existing) {
    Label1 = new QLabel(QStringLiteral("■ 武将を選んで下さい"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(TwipsRect(120, 240, 2535, 255));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(TwipsRect(3000, 120, 1335, 495));
    cmdOK->setEnabled(false);

    cmdCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(TwipsRect(4560, 120, 1335, 495));

    chkMark = AddColumnGroupBox(this, QStringLiteral("chkMark"), QStringLiteral("印"),
                                TwipsRect(120, 765, 615, 270), false);
    chkSyussei = AddColumnGroupBox(this, QStringLiteral("chkSyussei"), QStringLiteral("誕生名声"),
                                   TwipsRect(840, 765, 1335, 270), false);
    chkCapa = AddColumnGroupBox(this, QStringLiteral("chkCapa"), QStringLiteral("能力値"),
                                TwipsRect(2280, 765, 1095, 270), true);
    chkPers = AddColumnGroupBox(this, QStringLiteral("chkPers"), QStringLiteral("性格"),
                                TwipsRect(3480, 765, 855, 270), false);
    chkAisyo = AddColumnGroupBox(this, QStringLiteral("chkAisyo"), QStringLiteral("相性"),
                                 TwipsRect(4440, 765, 855, 270), true);
    for (int group = 0; group < kSkillGroupCount; ++group) {
        chkTokugi[group] = AddColumnGroupBox(this, QStringLiteral("chkTokugi_%1").arg(group),
                                             SkillGroupCaption(group),
                                             TwipsRect(5400 + 960 * group, 765, 855, 270), false);
    }

    list = new GeneralList(std::make_unique<ExistingGeneralsSource>(existing),
                           GeneralList::Kind::Choosing, this);
    list->setObjectName(QStringLiteral("list"));
    list->setGeometry(TwipsRect(kListLeft, kListTop, kListWidth, kListHeight));
    list->viewport()->installEventFilter(this);

    lineWidth = new QFrame(this);
    lineWidth->setObjectName(QStringLiteral("lineWidth"));
    lineWidth->setFrameShape(QFrame::HLine);
    lineWidth->setGeometry(TwipsRect(120, 8880, kMinListWidth, 15));
    lineWidth->hide();
    lineHeight = new QFrame(this);
    lineHeight->setObjectName(QStringLiteral("lineHeight"));
    lineHeight->setFrameShape(QFrame::VLine);
    lineHeight->setGeometry(TwipsRect(11160, 1080, 15, kMinListHeight));
    lineHeight->hide();

    connect(cmdOK, &QPushButton::clicked, this, &GeneralChooser::confirm);
    connect(cmdCancel, &QPushButton::clicked, this, &GeneralChooser::cancel);
    // Read once the list has handled the click: a click below the rows clears the selection
    // only then.
    connect(list, &GeneralList::leftButtonReleased, this, &GeneralChooser::chooseClickedRow);
    // The keyboard moves and removes the highlight too; OK follows what is shown.
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &GeneralChooser::chooseClickedRow);
    connect(list->header(), &QHeaderView::sectionClicked, this, &GeneralChooser::sortBy);
    ConnectColumnGroupBoxes(list, {chkMark, chkSyussei, chkCapa, chkPers, chkAisyo, chkTokugi});
    // A screen smaller than the window's minimum (a laptop at a large scale) gets scroll bars.
    ScrollBelowMinimumSize(this);
}

void GeneralChooser::prepare() {
    list->showAllGenerals();
}

void GeneralChooser::Reset() {
    cancelled = true;
    cmdOK->setEnabled(false);
}

void GeneralChooser::allowClose() {
    closeAllowed_ = true;
}

void GeneralChooser::finish(bool confirmed) {
    setResult(confirmed ? QDialog::Accepted : QDialog::Rejected);
    hide();
}

void GeneralChooser::confirm() {
    cancelled = false;
    finish(true);
}

void GeneralChooser::cancel() {
    finish(false);
}

void GeneralChooser::reject() {
    cancel();
}

void GeneralChooser::chooseClickedRow() {
    for (int position = 1; position <= list->rowCount(); ++position) {
        if (list->isRowSelected(position)) {
            cmdOK->setEnabled(true);
            g_nSelected = static_cast<qint16>(list->rowTag(position));
            return;
        }
    }
    cmdOK->setEnabled(false);
    g_nSelected = 0;
}

void GeneralChooser::chooseAndClose() {
    chooseClickedRow();
    // Without a selected row there is no general to confirm.
    if (cmdOK->isEnabled()) {
        confirm();
    }
}

void GeneralChooser::sortBy(int column) {
    SortByColumn(list, column, lastSortColumn_);
}

bool GeneralChooser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list->viewport()) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                chooseAndClose();
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool GeneralChooser::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        list->setFocus();
    }
    return QDialog::event(event);
}

void GeneralChooser::closeEvent(QCloseEvent* event) {
    if (closeAllowed_) {
        event->accept();
        return;
    }
    // The close box only hides the chooser: it is kept, filled and sorted, for the next use.
    event->ignore();
    cancel();
}

QSize GeneralChooser::minimumSizeHint() const {
    return {Twips(kClientWidth), Twips(kClientHeight)};
}

void GeneralChooser::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FitListToWindow(list, this, kMinListWidth, kMinListHeight);
    ScrollOverControls(this);
}
