// The recovery file written after every step must cost a step under 5 ms. A whole-file write of
// a full person file (110 generals with marks) waits for the disk's flush, so it is made on a
// thread of its own: timed here alone, and as what a step costs the window (an edit of every
// general taken back and made again through the document), with and without waiting for it.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "model/edithistory.h"
#include "model/marks.h"
#include "model/personfiledocument.h"
#include "model/recoveryfile.h"
#include "model/roster.h"
#include "platform/appinfo.h"
#include "platform/messages.h"

namespace {

// A person file of 110 generals, each with its fame and abilities set.
QByteArray FullPersonFile() {
    OpenGenerals generals;
    generals.setCount(kRosterCapacity);
    for (int i = 1; i <= generals.count(); ++i) {
        PersonRecord& record = generals.record(i);
        record.bytes()[kFamilyNameOffset] = static_cast<std::uint8_t>('A' + i % 26);
        record.bytes()[kGivenNameOffset] = static_cast<std::uint8_t>('0' + i % 10);
        record.setFame(static_cast<qint16>(1 + i * 4));
        for (int k = 0; k < kAbilityCount; ++k) {
            record.setAbility(k, static_cast<qint16>(1 + (i * (k + 3)) % 100));
        }
    }
    return SavedImage(QByteArray("HDR!", 4), generals);
}

void BM_RecoveryWrite(benchmark::State& state) {
    QTemporaryDir folder;
    SetDataFolder(folder.path());
    const QByteArray disk = FullPersonFile();
    OpenGenerals generals;
    generals.setCount(kRosterCapacity);
    for (int i = 1; i <= generals.count(); ++i) {
        generals.marks(i) = {QStringLiteral("武将%1").arg(i),
                             {QStringLiteral("先鋒"), QStringLiteral("騎馬"), {}, {}, {}}};
    }
    const QString path = folder.filePath(QStringLiteral("TPERSON.VRX"));
    const QByteArray digest = DiskDigest(disk);
    bool written = true;
    for (auto _ : state) {
        written = WriteRecoveryFile(path, disk, digest, generals) && written;
    }
    if (!written || !ReadRecoveryFile(path)) {
        state.SkipWithError("the recovery file was not written whole");
    }
    SetDataFolder(QString());
}
BENCHMARK(BM_RecoveryWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// One undo or redo of an edit of all 110 generals after another, each with its recovery file;
// with the argument 1, each step also waits until its file is written.
void BM_RecoveryStep(benchmark::State& state) {
    const bool waitForTheFile = state.range(0) == 1;
    QTemporaryDir folder;
    SetDataFolder(folder.path());
    RecordedMessages messages;
    const QString path = folder.filePath(QStringLiteral("TPERSON.VRX"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(FullPersonFile()) < 0) {
        state.SkipWithError("the person file could not be made");
        return;
    }
    file.close();
    MarkTable marks;
    PersonFileDocument document(marks);
    document.setKeepsRecovery(true);
    document.open(path);
    document.recordEdit(QStringLiteral("名声"), [](OpenGenerals& generals) {
        for (int i = 1; i <= generals.count(); ++i) {
            generals.record(i).setFame(static_cast<qint16>(generals.record(i).fame() % 500 + 1));
        }
    });
    document.recordEdit(QStringLiteral("能力値"), [](OpenGenerals& generals) {
        for (int i = 1; i <= generals.count(); ++i) {
            generals.record(i).setAbility(0, static_cast<qint16>(i % 100 + 1));
        }
    });
    for (auto _ : state) {
        if (document.history()->canRedo()) {
            document.history()->redo();
        } else {
            document.history()->undo();
        }
        if (waitForTheFile) {
            document.finishRecoveryFile();
        }
    }
    document.finishRecoveryFile();
    if (document.generalCount() != kRosterCapacity || !ReadRecoveryFile(path)) {
        state.SkipWithError("the steps left no recovery file of 110 generals");
    }
    SetDataFolder(QString());
}
BENCHMARK(BM_RecoveryStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
