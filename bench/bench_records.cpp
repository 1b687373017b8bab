// A full roster: decoding names and fields, editing and handing the bytes back; and a
// 110-record person file read and written through the library.
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "model/personrecord.h"
#include "model/roster.h"
#include "platform/personfilelibrary.h"

namespace {

// The generals of the open file the benchmarks work on.
OpenGenerals openGenerals;

constexpr int kRecords = 110;

// Records with real-looking names: two-byte family and given names, a half-width reading.
std::vector<RecordBytes> sampleRecords() {
    std::vector<RecordBytes> records(kRecords);
    QRandomGenerator random(1);
    for (RecordBytes& record : records) {
        random.fillRange(reinterpret_cast<quint32*>(record.data()), kRecordSize / 4);
        record[0] = 0;  // never an end marker
        std::memcpy(record.data() + 81, "\x92\xA3\0\0\0", 5);
        std::memcpy(record.data() + 86, "\x94\xF2\x89\x5F\0", 5);
        std::memcpy(record.data() + 96, "\xC1\xAE\xB3\xCB\xDE\0\0\0\0\0\0", 11);
    }
    return records;
}

void RosterDecodeAndEncode(benchmark::State& state) {
    const std::vector<RecordBytes> records = sampleRecords();
    std::vector<RecordBytes> handedBack(kRecords);
    for (auto _ : state) {
        for (int i = 0; i < kRecords; ++i) {
            openGenerals.record(i + 1) = PersonRecord(records[i]);
        }
        openGenerals.setCount(kRecords);
        int total = 0;
        for (int i = 1; i <= openGenerals.count(); ++i) {
            PersonRecord& record = openGenerals.record(i);
            benchmark::DoNotOptimize(GetPersonName(openGenerals.record(i)));
            benchmark::DoNotOptimize(record.reading());
            total += record.birthYear() + record.fame();
            for (int a = 0; a < kAbilityCount; ++a) {
                total += record.ability(a);
                record.setAbility(a, static_cast<qint16>(record.ability(a) / 2 + 10));
            }
            for (int f = 0; f < kSettingCount; ++f) {
                total += record.setting(static_cast<Setting>(f));
            }
            for (int s = 0; s < kSkillCount; ++s) {
                total += GetSkill(record, s);
            }
            record.setFame(static_cast<qint16>(total & 0x3FF));
            handedBack[i - 1] = record.bytes();
        }
        benchmark::DoNotOptimize(total);
        benchmark::DoNotOptimize(handedBack.data());
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(RosterDecodeAndEncode);

class PersonFileFixture {
  public:
    PersonFileFixture() : path_(dir_.filePath(QStringLiteral("TPERSON.VRX"))) {
        QByteArray bytes("HDR!");
        for (const RecordBytes& record : sampleRecords()) {
            bytes.append(reinterpret_cast<const char*>(record.data()), kRecordSize);
        }
        QFile file(path_);
        ok_ = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    bool ok() const { return ok_; }
    const QString& path() const { return path_; }

  private:
    QTemporaryDir dir_;
    QString path_;
    bool ok_ = false;
};

void ReadPersonFile110(benchmark::State& state) {
    PersonFileFixture file;
    if (!file.ok() || PersonFileLibrary::readPersonFile(file.path()) != kRecords) {
        state.SkipWithError("the person file library could not read the sample file");
        return;
    }
    for (auto _ : state) {
        const int count = PersonFileLibrary::readPersonFile(file.path()).value_or(-1);
        for (int slot = 0; slot < count; ++slot) {
            RecordBytes bytes;
            PersonFileLibrary::readPerson(&bytes, slot);
            openGenerals.record(slot + 1) = PersonRecord(bytes);
        }
        benchmark::DoNotOptimize(count);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(ReadPersonFile110);

void WritePersonFile110(benchmark::State& state) {
    PersonFileFixture file;
    if (!file.ok() || PersonFileLibrary::readPersonFile(file.path()) != kRecords) {
        state.SkipWithError("the person file library could not read the sample file");
        return;
    }
    for (int slot = 0; slot < kRecords; ++slot) {
        RecordBytes bytes;
        PersonFileLibrary::readPerson(&bytes, slot);
        openGenerals.record(slot + 1) = PersonRecord(bytes);
    }
    for (auto _ : state) {
        for (int slot = 0; slot < kRecords; ++slot) {
            PersonFileLibrary::writePerson(openGenerals.record(slot + 1).bytes(), slot);
        }
        if (PersonFileLibrary::writePersonFile(file.path()) != 0) {
            state.SkipWithError("the save failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(WritePersonFile110);

}  // namespace
