// Start-up reads General.csv before the window shows: a full table must load quickly.
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "model/datapaths.h"
#include "model/existinggenerals.h"
#include "platform/appinfo.h"
#include "platform/codepage.h"

namespace {

// A General.csv of rows like the shipped one, with names and readings of every length.
QByteArray generalFile(int rows) {
    const QString family = QStringLiteral("長谷川");
    const QString reading = QStringLiteral("ハセガワシゲノブ");
    QByteArray content;
    for (int i = 0; i < rows; ++i) {
        QByteArray name;
        EncodeCp932(family.left(1 + i % 3) + QString::number(i % 10), &name);
        QByteArray kana;
        EncodeCp932(reading.left(3 + i % 6), &kana);
        content += "\"" + name + "\",\"" + kana + "\",1550,1600";
        for (int a = 0; a < 5; ++a) {
            content += ',' + QByteArray::number((i * 7 + a * 13) % 100 + 1);
        }
        content += ",0," + QByteArray::number(i % 149 + 1) + ',' +
                   QByteArray::number((i * 31) % 149 + 1) + "\r\n";
    }
    return content;
}

void BM_LoadGenerals1000(benchmark::State& state) {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("General.csv")));
    if (!file.open(QIODevice::WriteOnly) || file.write(generalFile(1000)) < 0) {
        state.SkipWithError("cannot write General.csv");
        return;
    }
    file.close();
    SetDataFolder(dir.path());
    int count = 0;
    for (auto _ : state) {
        const ExistingGeneralsLoad load = LoadExistingGenerals(GeneralFilePath());
        count = load.generals.count();
        benchmark::DoNotOptimize(count);
    }
    if (count != 1000) {
        state.SkipWithError("not every row loaded");
    }
    SetDataFolder(QString());
}
BENCHMARK(BM_LoadGenerals1000)->Unit(benchmark::kMillisecond);

// The table made from its rows, which works out the representatives.
void BM_AffinityRepresentatives1000(benchmark::State& state) {
    QList<GeneralRecord> rows(1000);
    for (int row = 1; row <= 1000; ++row) {
        GeneralRecord& general = rows[row - 1];
        general.familyName = QStringLiteral("林    ");
        general.values.setAbility(row % 5, static_cast<qint16>(row % 100));
        general.values.setFactionAffinity(static_cast<quint8>(row % 149 + 1));
        general.values.setPersonalAffinity(static_cast<quint8>(row % 97 + 1));
    }
    for (auto _ : state) {
        const ExistingGenerals generals(rows);
        benchmark::DoNotOptimize(generals.affinityRepresentative(5, 0));
    }
}
BENCHMARK(BM_AffinityRepresentatives1000)->Unit(benchmark::kMicrosecond);

}  // namespace
