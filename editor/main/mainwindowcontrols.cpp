#include "mainwindowcontrols.h"

#include <QAction>

#include "platform/twips.h"
#include "platform/windowrules.h"

namespace {

QFrame* addLine(QWidget* parent, const QString& name, const QRect& geometry, bool visible) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(geometry.height() <= 1 ? QFrame::HLine : QFrame::VLine);
    // Drawn in the text colour, one pixel wide: a sunken frame that thin shows only its
    // light edge.
    line->setFrameShadow(QFrame::Plain);
    line->setGeometry(geometry);
    line->setVisible(visible);
    return line;
}

QPushButton* addButton(QWidget* parent, const QString& name, const QString& caption,
                       const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

}  // namespace

void MainWindowControls::createControls(QWidget* window, const OpenGenerals* generals,
                                        const ExistingGenerals& existing) {
    window->resize(Twips(14730), Twips(10410));
    cmdOpen = addButton(window, QStringLiteral("cmdOpen"), QStringLiteral("ファイルを開く"),
                        TwipsRect(240, 120, 2055, 615));
    labPath = new QLabel(QStringLiteral("パス"), window);
    labPath->setObjectName(QStringLiteral("labPath"));
    labPath->setGeometry(TwipsRect(2400, 120, 9135, 615));
    labPath->setWordWrap(true);
    cmdSave = addButton(window, QStringLiteral("cmdSave"), QStringLiteral("ファイルに保存"),
                        TwipsRect(240, 885, 2055, 615));
    cmdSave->hide();
    cmdAll = addButton(window, QStringLiteral("cmdAll"), QStringLiteral("一括/解除"),
                       TwipsRect(2400, 840, 1095, 325));

    chkMark = AddColumnGroupBox(window, QStringLiteral("chkMark"), QStringLiteral("印"),
                                TwipsRect(3720, 885, 615, 270), false);
    chkSyussei = AddColumnGroupBox(window, QStringLiteral("chkSyussei"), QStringLiteral("誕生名声"),
                                   TwipsRect(4440, 885, 1335, 270), true);
    chkCapa = AddColumnGroupBox(window, QStringLiteral("chkCapa"), QStringLiteral("能力値"),
                                TwipsRect(5880, 885, 1095, 270), true);
    chkPers = AddColumnGroupBox(window, QStringLiteral("chkPers"), QStringLiteral("隠し"),
                                TwipsRect(7080, 885, 855, 270), false);
    chkAisyo = AddColumnGroupBox(window, QStringLiteral("chkAisyo"), QStringLiteral("相性"),
                                 TwipsRect(7920, 885, 855, 270), false);
    for (int k = 0; k < kSkillGroupCount; ++k) {
        chkTokugi[k] =
            AddColumnGroupBox(window, QStringLiteral("chkTokugi_%1").arg(k), SkillGroupCaption(k),
                              TwipsRect(8880 + 960 * k, 885, 855, 270), false);
    }

    list = new GeneralList(std::make_unique<OpenFileGenerals>(existing, generals),
                           GeneralList::Kind::Ticking, window);
    list->setObjectName(QStringLiteral("list"));
    list->setGeometry(TwipsRect(2400, 1245, 12135, 6735));

    createMenuPanel(window);
    createListActions();

    Label2 = new QLabel(QStringLiteral("数"), window);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(TwipsRect(240, 7605, 375, 255));
    labCount = new QLabel(QStringLiteral("0/0"), window);
    labCount->setObjectName(QStringLiteral("labCount"));
    labCount->setGeometry(TwipsRect(720, 7605, 1575, 255));
    Line1 = addLine(window, QStringLiteral("Line1"), QRect(Twips(240), Twips(7920), Twips(2040), 1),
                    true);
    lineWidth = addLine(window, QStringLiteral("lineWidth"),
                        QRect(Twips(2400), Twips(10320), Twips(kMinListWidth), 1), false);
    lineHeight = addLine(window, QStringLiteral("lineHeight"),
                         QRect(Twips(120), Twips(1320), 1, Twips(kMinListHeight)), false);
    // A screen smaller than the window's minimum (a laptop at a large scale) gets scroll bars.
    ScrollBelowMinimumSize(window);
}

void MainWindowControls::createMenuPanel(QWidget* window) {
    fraMenu = new QFrame(window);
    fraMenu->setObjectName(QStringLiteral("fraMenu"));
    fraMenu->setGeometry(TwipsRect(240, 1560, 2055, 5895));
    fraMenu->hide();
    Label1 = new QLabel(QStringLiteral("リストから選んで以下のボタンを押します"), fraMenu);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(TwipsRect(0, 0, 2055, 540));
    Label1->setWordWrap(true);

    const auto menuButton = [this](const QString& name, const QString& caption, int top) {
        return addButton(fraMenu, name, caption, TwipsRect(0, top, 2055, 495));
    };
    cmdTanjo = menuButton(QStringLiteral("cmdTanjo"), QStringLiteral("誕生年をシフト"), 600);
    cmdMeisei = menuButton(QStringLiteral("cmdMeisei"), QStringLiteral("名声"), 1200);
    cmdCapaAll = menuButton(QStringLiteral("cmdCapaAll"), QStringLiteral("能力値"), 1800);
    cmdSeikaku = menuButton(QStringLiteral("cmdSeikaku"), QStringLiteral("隠し設定"), 2400);
    cmdAisyo = menuButton(QStringLiteral("cmdAisyo"), QStringLiteral("相性"), 3000);
    cmdTokugi = menuButton(QStringLiteral("cmdTokugi"), QStringLiteral("特技"), 3600);
    cmdTokugiClear =
        menuButton(QStringLiteral("cmdTokugiClear"), QStringLiteral("特技クリア"), 4200);
    cmdMark = menuButton(QStringLiteral("cmdMark"), QStringLiteral("印"), 4800);
    cmdBack = menuButton(QStringLiteral("cmdBack"), QStringLiteral("元に戻す"), 5400);
}

void MainWindowControls::createListActions() {
    undoAction = new QAction(list);
    undoAction->setObjectName(QStringLiteral("undoAction"));
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction = new QAction(list);
    redoAction->setObjectName(QStringLiteral("redoAction"));
    redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    auto* separator = new QAction(list);
    separator->setSeparator(true);
    exportSheetAction = new QAction(QStringLiteral("表に書き出す..."), list);
    exportSheetAction->setObjectName(QStringLiteral("exportSheetAction"));
    importSheetAction = new QAction(QStringLiteral("表から読み込む..."), list);
    importSheetAction->setObjectName(QStringLiteral("importSheetAction"));
    exportSheetAction->setEnabled(false);
    importSheetAction->setEnabled(false);
    list->addActions({undoAction, redoAction, separator, exportSheetAction, importSheetAction});
    list->setContextMenuPolicy(Qt::ActionsContextMenu);
}
