// The open of a full person file, and undo and redo of an edit of all its generals with the
// redraws they cause, against a plain list of the same texts.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QWindow>

#include <ctime>
#include <memory>

#include "main/mainwindow.h"
#include "model/edithistory.h"
#include "model/listcolumns.h"
#include "model/personfiledocument.h"
#include "model/programdata.h"
#include "model/roster.h"
#include "platform/appinfo.h"
#include "platform/messages.h"
#include "platform/personfilelibrary.h"

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write the benchmark's files");
    }
}

QByteArray FullPersonFile() {
    QByteArray file(4, '\0');
    for (int i = 0; i < kRosterCapacity; ++i) {
        QByteArray record(kRecordSize, '\0');
        record[81] = char(0x95);  // 武
        record[82] = char(0x90);
        record[86] = char('0' + i % 10);
        record[22] = char(1 + i % 100);
        file += record;
    }
    return file;
}

// Shows a window and lets it reach the screen: before that a repaint draws nothing.
bool ShowExposed(QWidget* window) {
    window->show();
    QElapsedTimer waited;
    waited.start();
    while (!window->windowHandle()->isExposed() && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QCoreApplication::processEvents();
    return window->windowHandle()->isExposed();
}

// A main window shown on the screen, over a data folder that holds a full person file.
struct ShownWindow {
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("TPERSON.VRX"));
    RecordedMessages messages;
    ProgramData data;
    std::unique_ptr<MainWindow> window;
    bool shown = false;

    ShownWindow() {
        SetDataFolder(folder.path());
        WriteFile(path, FullPersonFile());
        window = std::make_unique<MainWindow>(data);
        shown = ShowExposed(window.get());
    }
    ~ShownWindow() {
        window->close();
        window.reset();
        SetDataFolder(QString());
    }
};

// The open of a 110-record file up to the filled, ticked list (0), and with the redraw of the
// list that follows it (1).
void BM_OpenFullPersonFile(benchmark::State& state) {
    ShownWindow shown;
    MainWindow& window = *shown.window;
    if (!shown.shown) {
        state.SkipWithError("the window did not reach the screen");
        return;
    }
    for (auto _ : state) {
        window.openPersonFile(shown.path);
        if (state.range(0) != 0) {
            window.list->viewport()->repaint();
        }
        benchmark::DoNotOptimize(window.list->rowCount());
    }
    if (window.document()->generals().count() != kRosterCapacity) {
        state.SkipWithError("the file did not open with 110 records");
    }
}
BENCHMARK(BM_OpenFullPersonFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The floor of the open: the same file read by a document alone, its generals' texts put into
// a plain list of the same columns, all ticked and drawn bold in the ticked colour, as a list
// of items filled cell by cell would show them.
void BM_OpenFullPersonFilePlain(benchmark::State& state) {
    ShownWindow shown;  // for the size its list takes on the screen
    const MainWindow& window = *shown.window;
    if (!shown.shown) {
        state.SkipWithError("the window did not reach the screen");
        return;
    }
    shown.window->hide();
    const QString& path = shown.path;
    PersonFileDocument document(shown.data.markTable());
    QTreeWidget plain;
    plain.setColumnCount(kListColumnCount);
    plain.setRootIsDecorated(false);
    plain.setUniformRowHeights(true);
    plain.setFont(window.list->font());
    for (int column = 0; column < kListColumnCount; ++column) {
        plain.setColumnHidden(column, window.list->isColumnHidden(column));
        plain.setColumnWidth(column, window.list->columnWidth(column));
    }
    plain.resize(window.list->size());
    if (!ShowExposed(&plain)) {
        state.SkipWithError("the plain list did not reach the screen");
        return;
    }
    QFont bold = plain.font();
    bold.setBold(true);
    const QBrush ticked(QColor(208, 64, 64));
    const ExistingGenerals& existing = shown.data.existingGenerals();
    for (auto _ : state) {
        document.open(path);
        plain.clear();
        const OpenGenerals& generals = document.generals();
        QList<QTreeWidgetItem*> rows;
        for (int index = 1; index <= generals.count(); ++index) {
            auto* row = new QTreeWidgetItem;
            row->setText(0, GetPersonName(generals.record(index)));
            row->setText(kKeyColumn, QString::number(index).rightJustified(3, u'0'));
            for (int column = kFirstMarkColumn; column < kListColumnCount; ++column) {
                row->setText(column, ListCellText(generals.record(index), &generals.marks(index),
                                                  column, existing));
            }
            row->setCheckState(0, Qt::Checked);
            for (int column = 0; column < kListColumnCount; ++column) {
                row->setFont(column, bold);
                row->setForeground(column, ticked);
            }
            rows.append(row);
        }
        plain.addTopLevelItems(rows);
        if (state.range(0) != 0) {
            plain.viewport()->repaint();
        }
        benchmark::DoNotOptimize(plain.topLevelItemCount());
    }
    if (plain.topLevelItemCount() != kRosterCapacity) {
        state.SkipWithError("the file did not open with 110 records");
    }
}
BENCHMARK(BM_OpenFullPersonFilePlain)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A plain list holding what the general list shows: its captions, column widths, texts and
// ticks, at the size of the general list. What one redraw of it takes is the floor.
std::unique_ptr<QTreeWidget> PlainCopyOf(const GeneralList* list) {
    auto plain = std::make_unique<QTreeWidget>();
    const QAbstractItemModel* model = list->model();
    plain->setColumnCount(model->columnCount());
    auto* captions = new QTreeWidgetItem;
    for (int column = 0; column < model->columnCount(); ++column) {
        captions->setText(column, model->headerData(column, Qt::Horizontal).toString());
        captions->setTextAlignment(column, GeneralList::columnAlignment(column));
    }
    plain->setHeaderItem(captions);
    plain->setRootIsDecorated(false);
    plain->setUniformRowHeights(true);
    plain->setFont(list->font());
    QList<QTreeWidgetItem*> rows;
    for (int position = 1; position <= list->rowCount(); ++position) {
        auto* row = new QTreeWidgetItem;
        for (int column = 0; column < model->columnCount(); ++column) {
            row->setText(column, list->cellText(position, column));
        }
        row->setCheckState(0, list->isTicked(position) ? Qt::Checked : Qt::Unchecked);
        rows.append(row);
    }
    plain->addTopLevelItems(rows);
    for (int column = 0; column < model->columnCount(); ++column) {
        plain->setColumnHidden(column, list->isColumnHidden(column));
        plain->setColumnWidth(column, list->columnWidth(column));
    }
    plain->resize(list->size());
    return plain;
}

// CPU milliseconds per redraw of a view's rows, over a fixed number of redraws: processor
// time, since the machines that run this are often shared.
[[gnu::noinline]] double RedrawMs(QAbstractScrollArea* view) {
    constexpr int kRedraws = 30;
    const std::clock_t start = std::clock();
    for (int i = 0; i < kRedraws; ++i) {
        view->viewport()->repaint();
    }
    return 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC / kRedraws;
}

// Undo and then redo of one step that changed all 110 generals (a restore), each with the
// refresh of the changed rows and the redraw of the list; at the window's own size (0) and at
// 1600x1000 with every column group shown (1). "list_ms" is one redraw of the list alone,
// "floor_ms" one of a plain list with the same texts, "ratio" the one over the other.
void BM_UndoRedoOfAllGenerals(benchmark::State& state) {
    ShownWindow shown;
    MainWindow& window = *shown.window;
    if (!shown.shown) {
        state.SkipWithError("the window did not reach the screen");
        return;
    }
    if (state.range(0) == 1) {
        // After it is shown: a window is fitted to the screen when it opens.
        window.resize(1600, 1000);
        for (QCheckBox* box :
             {window.chkMark, window.chkSyussei, window.chkPers, window.chkAisyo}) {
            box->click();
        }
        for (QCheckBox* box : window.chkTokugi) {
            box->click();
        }
    }
    window.openPersonFile(shown.path);
    for (int n = 1; n <= window.document()->generals().count(); ++n) {
        window.document()->generals().record(n).setFame(static_cast<qint16>(300 + n));
        window.document()->generals().record(n).setAbility(1, static_cast<qint16>(n % 100));
    }
    shown.messages.queueAnswer(MessageAnswer::Yes);
    window.cmdBack->click();
    EditHistory* history = window.history();
    if (window.document()->generals().count() != kRosterCapacity || history->count() != 1) {
        state.SkipWithError("the restore of 110 generals made no step");
    }
    QCoreApplication::processEvents();
    for (auto _ : state) {
        history->undo();
        window.list->viewport()->repaint();
        history->redo();
        window.list->viewport()->repaint();
    }
    const double listMs = RedrawMs(window.list);
    std::unique_ptr<QTreeWidget> plain = PlainCopyOf(window.list);
    if (!ShowExposed(plain.get())) {
        state.SkipWithError("the plain list did not reach the screen");
    }
    const double floorMs = RedrawMs(plain.get());
    state.counters["list_ms"] = listMs;
    state.counters["floor_ms"] = floorMs;
    state.counters["ratio"] = listMs / floorMs;
}
BENCHMARK(BM_UndoRedoOfAllGenerals)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
