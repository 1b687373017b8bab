// The sheet of a full person file (110 generals): its export and import inside the editor,
// and the command line's --export as a whole process against a bare QCoreApplication process
// that reads the same file.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/datapaths.h"
#include "model/existinggenerals.h"
#include "model/marks.h"
#include "model/roster.h"
#include "model/rostersheet.h"
#include "platform/appinfo.h"
#include "platform/codepage.h"
#include "platform/messages.h"

extern char** environ;

namespace {

// The generals of the open file the benchmarks work on.
OpenGenerals openGenerals;

PersonRecord General(int i) {
    PersonRecord record;
    QByteArray name;
    EncodeCp932(QStringLiteral("武将"), &name);
    std::copy(name.begin(), name.end(), record.bytes().begin() + kFamilyNameOffset);
    record.bytes()[kGivenNameOffset] = static_cast<std::uint8_t>('0' + i % 10);
    record.bytes()[kGivenNameOffset + 1] = static_cast<std::uint8_t>('0' + i / 10 % 10);
    record.bytes()[kGivenNameOffset + 2] = static_cast<std::uint8_t>('0' + i / 100);
    record.setBirthYear(static_cast<qint16>(150 + i % 80));
    record.setFame(static_cast<qint16>(1 + i * 4));
    for (int k = 0; k < kAbilityCount; ++k) {
        record.setAbility(k, static_cast<qint16>(1 + (i * (k + 3)) % 100));
    }
    for (int k = 0; k < kSettingCount; ++k) {
        const auto field = static_cast<Setting>(k);
        record.setSetting(field, static_cast<quint8>(i % SettingCodeCount(field)));
    }
    record.setPersonalAffinity(static_cast<quint8>(1 + i % 149));
    record.setFactionAffinity(static_cast<quint8>(1 + (i * 7) % 149));
    for (int skill = i % 3; skill < kSkillCount; skill += 3) {
        SetSkill(record, skill, true);
    }
    return record;
}

// A full roster with marks, and the shipped existing generals naming the affinities.
ExistingGenerals FillRoster() {
    SetDataFolder(QCoreApplication::applicationDirPath());
    ExistingGenerals generals = LoadExistingGenerals(GeneralFilePath()).generals;
    SetDataFolder(QString());
    openGenerals.setCount(kRosterCapacity);
    for (int i = 1; i <= openGenerals.count(); ++i) {
        openGenerals.record(i) = General(i);
        openGenerals.marks(i) = {GetPersonName(openGenerals.record(i)),
                                 {QStringLiteral("将"), {}, {}, {}, {}}};
    }
    return generals;
}

void BM_SheetExport(benchmark::State& state) {
    const ExistingGenerals generals = FillRoster();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ExportRosterSheet(openGenerals, generals));
    }
}
BENCHMARK(BM_SheetExport)->Unit(benchmark::kMillisecond);

// A sheet that changes the fame of every general: read, checked, applied.
void BM_SheetImport(benchmark::State& state) {
    const ExistingGenerals generals = FillRoster();
    const Roster original = openGenerals.records();
    for (int i = 1; i <= openGenerals.count(); ++i) {
        openGenerals.record(i).setFame(
            static_cast<qint16>(openGenerals.record(i).fame() % 500 + 1));
    }
    const QByteArray sheet = ExportRosterSheet(openGenerals, generals);
    openGenerals.records() = original;
    qsizetype changes = 0;
    for (auto _ : state) {
        const RosterSheetImport import(sheet, openGenerals, generals);
        import.apply(openGenerals);
        changes = import.changes().size();
        openGenerals.records() = original;
    }
    if (changes < openGenerals.count()) {
        state.SkipWithError("the sheet changed fewer generals than it should");
    }
}
BENCHMARK(BM_SheetImport)->Unit(benchmark::kMillisecond);

// Hostile sheets just under the size limit are refused in bounded time: a million line ends,
// a million commas.
void BM_HostileSheet(benchmark::State& state) {
    const QByteArray sheet(1000 * 1000, state.range(0) == 0 ? '\n' : ',');
    qsizetype problems = 0;
    for (auto _ : state) {
        const RosterSheetImport import(sheet, openGenerals, ExistingGenerals());
        problems = import.problems().size();
    }
    if (problems != 1) {
        state.SkipWithError("a hostile sheet did not get one message");
    }
}
BENCHMARK(BM_HostileSheet)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

double Milliseconds(const timeval& t) {
    return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
}

// Runs a program to its end and returns its own CPU time (user and system) from wait4.
double RunChild(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        qFatal("cannot start %s", argv[0]);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        qFatal("%s did not end cleanly", argv[0]);
    }
    return Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string BesideBenchmark(const char* program) {
    return (QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(program))
        .toStdString();
}

// Each iteration runs both processes once, in turn; the counters are medians of their CPU
// milliseconds and "ratio" is the command line's over the bare process's.
void BM_CommandLineExportAgainstFloor(benchmark::State& state) {
    QTemporaryDir folder;
    const QString person = folder.filePath(QStringLiteral("TPERSON.VRX"));
    QByteArray file(4, '\0');
    for (int i = 1; i <= kRosterCapacity; ++i) {
        const RecordBytes& bytes = General(i).bytes();
        file.append(reinterpret_cast<const char*>(bytes.data()), kRecordSize);
    }
    QFile out(person);
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size()) {
        qFatal("cannot write the benchmark's person file");
    }
    out.close();
    const std::vector<std::string> command = {
        BesideBenchmark("Drovantel"), "--export", person.toStdString(),
        folder.filePath(QStringLiteral("sheet.csv")).toStdString()};
    const std::vector<std::string> floor = {BesideBenchmark("drovantel_startup_corefloor"),
                                            person.toStdString()};
    std::vector<double> commandMs;
    std::vector<double> floorMs;
    for (auto _ : state) {
        floorMs.push_back(RunChild(floor));
        commandMs.push_back(RunChild(command));
    }
    state.counters["command_ms"] = Median(commandMs);
    state.counters["floor_ms"] = Median(floorMs);
    state.counters["ratio"] = Median(commandMs) / Median(floorMs);
}
BENCHMARK(BM_CommandLineExportAgainstFloor)->Unit(benchmark::kMillisecond)->Iterations(31);

}  // namespace
