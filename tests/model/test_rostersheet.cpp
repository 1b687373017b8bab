#include <QStringDecoder>
#include <QTest>

#include <random>

#include "model/existinggenerals.h"
#include "model/listcolumns.h"
#include "model/marks.h"
#include "model/rostersheet.h"
#include "platform/codepage.h"
#include "support/testregistry.h"

namespace {

// The generals the tests edit, as a document holds them.
OpenGenerals openGenerals;

void nameGeneral(int index, const QString& family, const QString& given) {
    QByteArray bytes;
    EncodeCp932(family, &bytes);
    std::copy(bytes.begin(), bytes.end(),
              openGenerals.record(index).bytes().begin() + kFamilyNameOffset);
    EncodeCp932(given, &bytes);
    std::copy(bytes.begin(), bytes.end(),
              openGenerals.record(index).bytes().begin() + kGivenNameOffset);
}

QList<QStringList> plainRows(const QByteArray& sheet) {
    QList<QStringList> rows;
    const QString text = QString::fromUtf8(sheet.mid(3));
    for (const QString& line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        rows.append(line.split(u','));
    }
    return rows;
}

// One existing general names affinity 7.
const ExistingGenerals& existing() {
    static const ExistingGenerals table = [] {
        GeneralRecord general;
        general.familyName = QStringLiteral("関");
        general.givenName = QStringLiteral("羽");
        general.values.setAbility(0, 90);
        general.values.setPersonalAffinity(7);
        general.values.setFactionAffinity(9);
        return ExistingGenerals(QList<GeneralRecord>{general});
    }();
    return table;
}

QByteArray joinRows(const QList<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        text += row.join(u',') + QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

// The exported sheet with cells of a general's row replaced.
QByteArray withCells(int index, const QList<std::pair<QString, QString>>& cells) {
    QList<QStringList> rows = plainRows(ExportRosterSheet(openGenerals, existing()));
    for (const auto& [caption, cell] : cells) {
        rows[index][rows[0].indexOf(caption)] = cell;
    }
    return joinRows(rows);
}

QByteArray withCell(int index, const QString& caption, const QString& cell) {
    return withCells(index, {{caption, cell}});
}

QStringList describe(const QList<SheetChange>& changes) {
    QStringList result;
    for (const SheetChange& change : changes) {
        result.append(change.column + u':' + change.before + QStringLiteral("→") + change.after);
    }
    return result;
}

}  // namespace

class RosterSheetTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        openGenerals.records() = Roster{};
        openGenerals.allMarks() = {};
        openGenerals.setCount(3);
        nameGeneral(1, QStringLiteral("朝霧"), QStringLiteral("景虎"));
        nameGeneral(2, QStringLiteral("葉山"), QStringLiteral("隼"));
        nameGeneral(3, QStringLiteral("湊"), QStringLiteral("篤"));
        for (int index = 1; index <= openGenerals.count(); ++index) {
            openGenerals.marks(index).name = GetPersonName(openGenerals.record(index));
            openGenerals.record(index).setBirthYear(190);
            openGenerals.record(index).setLinkedYear(200);
            openGenerals.record(index).setFame(250);
            for (int k = 0; k < kAbilityCount; ++k) {
                openGenerals.record(index).setAbility(k, 80);
            }
        }
        SetSkill(openGenerals.record(1), Skill::gunshi, true);
        SetSkill(openGenerals.record(1), Skill::meishi, true);
        openGenerals.record(1).setPersonalAffinity(7);
        openGenerals.marks(1).marks[0] = QStringLiteral("甲");
    }
    void cleanup() { openGenerals.setCount(0); }

    void exportShowsTheListAndReadsBackUnchanged_data() {
        QTest::addColumn<QString>("form");
        QTest::newRow("as written") << QString();
        QTest::newRow("LF, no byte-order mark") << QStringLiteral("lf");
        QTest::newRow("code page 932") << QStringLiteral("cp932");
        QTest::newRow("empty rows below") << QStringLiteral("empty rows");
        QTest::newRow("labels trimmed, numbers reformatted") << QStringLiteral("reformatted");
    }
    void exportShowsTheListAndReadsBackUnchanged() {
        QFETCH(QString, form);
        openGenerals.marks(1).marks[0] = QStringLiteral("甲,乙");
        const QByteArray sheet = ExportRosterSheet(openGenerals, existing());
        QVERIFY(sheet.startsWith("\xEF\xBB\xBF"));
        const QString text = QString::fromUtf8(sheet.mid(3));
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), openGenerals.count() + 2);
        QVERIFY(lines.last().isEmpty());
        QVERIFY(lines[0].startsWith(QStringLiteral("番号,名前,M1,M2,M3,M4,M5,誕生,名声,統率,")));
        QVERIFY(lines[0].endsWith(QStringLiteral(",個人相性,勢力相性,農業,商業,技術,") +
                                  QStringList(SheetCaptions().mid(30)).join(u',')));
        QCOMPARE(lines[0].split(u',').size(), 69);
        QVERIFY(lines[1].startsWith(QStringLiteral("1,朝霧景虎,\"甲,乙\",,,,,190,250,80,")));
        QVERIFY(lines[1].contains(QStringLiteral(",小心,")));
        QVERIFY(lines[1].contains(QStringLiteral(",関羽,\"  -\",")));

        QByteArray read = sheet;
        if (form == QStringLiteral("lf")) {
            read = text.toUtf8().replace("\r\n", "\n");
        } else if (form == QStringLiteral("cp932")) {
            QVERIFY(EncodeCp932(text, &read));
        } else if (form == QStringLiteral("empty rows")) {
            read += QByteArray(67, ',') + "\r\n\r\n";
        } else if (form == QStringLiteral("reformatted")) {
            read = text.toUtf8()
                       .replace("\"  -\"", "-")
                       .replace(",190,250,", ",190.0,２５０,")
                       .replace(",80,", ", 80 ,");
        }
        const RosterSheetImport import(read, openGenerals, existing());
        QCOMPARE(import.problems().size(), 0);
        QVERIFY(import.changes().isEmpty());
        QVERIFY(import.indexes().isEmpty());
    }

    void oneChangedCellOfEachKind_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<int>("linkedYear");
        const auto row = [](const char* name, const QString& caption, const QString& cell,
                            const QStringList& changes, int linkedYear = 200) {
            QTest::newRow(name) << caption << cell << changes << linkedYear;
        };
        row("mark", QStringLiteral("M2"), QStringLiteral("将"), {QStringLiteral("M2:→将")});
        row("mark typed as JIS", QStringLiteral("M3"), QStringLiteral("〜"),
            {QStringLiteral("M3:→～")});
        row("birth year moves the linked year", QStringLiteral("誕生"), QStringLiteral("135"),
            {QStringLiteral("誕生:190→135")}, 145);
        row("ability", QStringLiteral("魅力"), QStringLiteral("100"),
            {QStringLiteral("魅力:80→100")});
        row("number with a zero fraction", QStringLiteral("名声"), QStringLiteral("146.0"),
            {QStringLiteral("名声:250→146")});
        row("full-width digits", QStringLiteral("統率"), QStringLiteral("１００"),
            {QStringLiteral("統率:80→100")});
        row("hidden setting", QStringLiteral("戦略"), QStringLiteral("現状維持"),
            {QStringLiteral("戦略:中華統一→現状維持")});
        row("skill cleared", QStringLiteral("軍師"), QString(), {QStringLiteral("軍師:○→")});
    }
    void oneChangedCellOfEachKind() {
        QFETCH(QString, caption);
        QFETCH(QString, cell);
        QFETCH(QStringList, changes);
        QFETCH(int, linkedYear);
        // General 2 has no 名士, so its fame may go below 200.
        const int index = caption == QStringLiteral("名声") ? 2 : 1;
        const RosterSheetImport import(withCell(index, caption, cell), openGenerals, existing());
        QCOMPARE(import.problems().size(), 0);
        QCOMPARE(describe(import.changes()), changes);
        QCOMPARE(import.indexes(), QList<int>{index});
        QCOMPARE(openGenerals.record(index).linkedYear(), 200);  // nothing changes before apply

        import.apply(openGenerals);
        QCOMPARE(openGenerals.record(index).linkedYear(), linkedYear);
        for (const SheetChange& change : import.changes()) {
            const int column = SheetCaptions().indexOf(change.column);
            QCOMPARE(
                plainRows(ExportRosterSheet(openGenerals, existing()))[index].value(column).remove(
                    u'"'),
                change.after);
        }
    }

    // A row must keep the skills' rules as it stands: the import never mends it.
    void rowThatBreaksARuleIsAProblem_data() {
        QTest::addColumn<QStringList>("cells");  // caption, cell, caption, cell, ...
        QTest::addColumn<QString>("problem");    // the column named, empty for none
        const auto row = [](const char* name, const QStringList& cells, const QString& problem) {
            QTest::newRow(name) << cells << problem;
        };
        row("名士 with fame below 200", {QStringLiteral("名声"), QStringLiteral("150")},
            QStringLiteral("名士"));
        row("名士 dropped with the fame",
            {QStringLiteral("名声"), QStringLiteral("150"), QStringLiteral("名士"), QString()},
            QString());
        row("軍師 with 知力 below 70", {QStringLiteral("知力"), QStringLiteral("60")},
            QStringLiteral("軍師"));
        row("反論 without 抗弁", {QStringLiteral("反論"), QStringLiteral("○")},
            QStringLiteral("反論"));
        row("反論 with 抗弁",
            {QStringLiteral("反論"), QStringLiteral("○"), QStringLiteral("抗弁"),
             QStringLiteral("○")},
            QString());
        row("酒豪 with 飲酒 苦手", {QStringLiteral("酒豪"), QStringLiteral("○")},
            QStringLiteral("酒豪"));
        row("a broken rule the file already had, unchanged", {}, QString());
    }
    void rowThatBreaksARuleIsAProblem() {
        QFETCH(QStringList, cells);
        QFETCH(QString, problem);
        // As the file has it: 名士 with fame 120. A sheet that leaves the row alone is fine.
        openGenerals.record(3).setFame(120);
        openGenerals.record(3).setSkillByte(
            Skill::meishi / 8,
            openGenerals.record(3).skillByte(Skill::meishi / 8) | (1 << (Skill::meishi % 8)));
        QList<std::pair<QString, QString>> edits;
        for (qsizetype i = 0; i + 1 < cells.size(); i += 2) {
            edits.append({cells[i], cells[i + 1]});
        }
        const QByteArray sheet = withCells(1, edits);
        const RosterSheetImport import(sheet, openGenerals, existing());
        if (!problem.isEmpty()) {
            QCOMPARE(import.problems().size(), 1);
            QCOMPARE(import.problems()[0].column, problem);
            QVERIFY(import.changes().isEmpty());
            return;
        }
        QCOMPARE(import.problems().size(), 0);
        import.apply(openGenerals);
        QVERIFY(RosterSheetImport(sheet, openGenerals, existing())
                    .changes()
                    .isEmpty());  // the second import
    }

    void everyProblemIsListedAndNothingChanges() {
        QList<QStringList> rows = plainRows(ExportRosterSheet(openGenerals, existing()));
        rows[0][rows[0].indexOf(QStringLiteral("M5"))] = QStringLiteral("謎");
        QStringList& first = rows[1];
        first[0] = QStringLiteral("1");
        first[1] = QStringLiteral("朝霧景虎");
        first[2] = QStringLiteral("\"a\"\"b\"");  // no double quote in Mark.csv
        const auto set = [&](QStringList& row, const char* caption, const QString& cell) {
            row[rows[0].indexOf(QString::fromUtf8(caption))] = cell;
        };
        set(first, "誕生", QStringLiteral("236"));
        set(first, "名声", QStringLiteral("abc"));
        set(first, "統率", QStringLiteral("0"));
        set(first, "性格", QStringLiteral("勇敢"));
        set(first, "個人相性", QStringLiteral("  -"));
        set(first, "農業", QStringLiteral("×"));
        set(rows[2], "名前", QStringLiteral("別人"));
        set(rows[2], "名声", QStringLiteral("300"));  // fine, but the sheet has problems
        rows.append(rows[1]);                         // 番号 1 again
        rows.append(rows[3]);
        rows.last()[0] = QStringLiteral("4");  // not in the file
        rows.append({QStringLiteral("3")});    // too few cells
        const Roster before = openGenerals.records();
        const RosterSheetImport import(joinRows(rows), openGenerals, existing());
        QStringList found;
        for (const SheetProblem& problem : import.problems()) {
            found.append(QStringLiteral("%1 %2").arg(problem.row).arg(problem.column));
        }
        QCOMPARE(found, QStringList({
                            QStringLiteral("1 謎"),
                            QStringLiteral("1 M5"),
                            QStringLiteral("2 M1"),
                            QStringLiteral("2 誕生"),
                            QStringLiteral("2 名声"),
                            QStringLiteral("2 統率"),
                            QStringLiteral("2 性格"),
                            QStringLiteral("2 個人相性"),
                            QStringLiteral("2 農業"),
                            QStringLiteral("3 名前"),
                            QStringLiteral("5 番号"),
                            QStringLiteral("6 番号"),
                            QStringLiteral("7 "),
                        }));
        QCOMPARE(import.problems()[2].cell, QStringLiteral("a\"b"));
        QVERIFY(import.changes().isEmpty());
        import.apply(openGenerals);
        for (int index = 1; index <= openGenerals.count(); ++index) {
            QVERIFY(openGenerals.record(index).bytes() == before[index].bytes());
        }

        const QStringList lines = DescribeSheetProblems(import.problems(), 3).split(u'\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[2], QStringLiteral("2行目 「M1」 \"a\"b\": 印に使えない文字があります"));
        QCOMPARE(lines[3], QStringLiteral("ほか10件"));
    }

    // Sheets of random edits over random generals (whose files may break the rules already):
    // a sheet either has problems and changes nothing, or its import gives back its own cells
    // on export, and importing it again changes nothing.
    void importThenExportGivesBackTheSheet() {
        std::mt19937 random(26);
        const auto pick = [&random](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        openGenerals.setCount(20);
        int imported = 0;
        for (int round = 0; round < 200; ++round) {
            for (int index = 1; index <= openGenerals.count(); ++index) {
                PersonRecord& record = openGenerals.record(index);
                record = PersonRecord();
                nameGeneral(index, QStringLiteral("武将"), QString::number(index));
                openGenerals.marks(index) = {GetPersonName(openGenerals.record(index)), {}};
                record.setBirthYear(static_cast<qint16>(pick(135, 235)));
                record.setFame(static_cast<qint16>(pick(1, 500)));
                for (int k = 0; k < kAbilityCount; ++k) {
                    record.setAbility(k, static_cast<qint16>(pick(1, 100)));
                }
                for (int k = 0; k < kSettingCount; ++k) {
                    const auto field = static_cast<Setting>(k);
                    record.setSetting(field,
                                      static_cast<quint8>(pick(0, SettingCodeCount(field) - 1)));
                }
                for (int byte = 0; byte < 6; ++byte) {
                    record.setSkillByte(byte, static_cast<quint8>(pick(0, 255) & pick(0, 255)));
                }
                // Most generals keep the rules, as the editors leave them.
                for (int skill = 0; skill < kSkillCount && pick(0, 9) > 0; ++skill) {
                    if (GetSkill(record, skill)) {
                        SetSkill(record, skill, true);
                    }
                }
            }
            QList<QStringList> rows = plainRows(ExportRosterSheet(openGenerals, existing()));
            for (int edit = pick(1, 6); edit > 0; --edit) {
                QStringList& row = rows[pick(1, openGenerals.count())];
                // From M1 on, the sheet's columns are the list's.
                const int column = pick(kFirstMarkColumn, kListColumnCount - 1);
                const int listColumn = column;
                if (listColumn < kBirthColumn) {
                    row[column] =
                        QStringList{{}, QStringLiteral("甲"), QStringLiteral("01")}[pick(0, 2)];
                } else if (listColumn == kBirthColumn) {
                    row[column] = QString::number(pick(135, 235));
                } else if (listColumn == kFameColumn) {
                    row[column] = QString::number(pick(1, 500));
                } else if (listColumn < kFirstSettingColumn) {
                    row[column] = QString::number(pick(1, 100));
                } else if (listColumn <= kLastSettingColumn) {
                    const Setting field = SettingOfColumn(listColumn);
                    row[column] = SettingLabel(field, pick(0, SettingCodeCount(field) - 1));
                } else if (listColumn >= kFirstSkillColumn) {
                    row[column] = pick(0, 1) == 1 ? QStringLiteral("○") : QString();
                }
            }
            const QByteArray sheet = joinRows(rows);
            const Roster before = openGenerals.records();
            const RosterSheetImport import(sheet, openGenerals, existing());
            import.apply(openGenerals);
            if (!import.problems().isEmpty()) {
                for (int index = 1; index <= openGenerals.count(); ++index) {
                    QVERIFY(openGenerals.record(index).bytes() == before[index].bytes());
                }
                continue;
            }
            ++imported;
            QCOMPARE(ExportRosterSheet(openGenerals, existing()).mid(3), sheet);
            const RosterSheetImport again(sheet, openGenerals, existing());
            QVERIFY(again.problems().isEmpty());
            QVERIFY(again.changes().isEmpty());
        }
        QVERIFY2(imported > 40, qPrintable(QString::number(imported)));
    }

    // Sheets that are no sheet of ours get one problem that says why, quickly.
    void hostileSheetsGetOneMessage_data() {
        QTest::addColumn<QByteArray>("sheet");
        QTest::addColumn<QString>("reason");
        const QByteArray exported = ExportRosterSheet(openGenerals, existing());
        QTest::newRow("over 1 MiB")
            << QByteArray(1024 * 1024 + 1, 'a') << QStringLiteral("大きすぎ");
        QTest::newRow("a million commas")
            << QByteArray(1000 * 1000, ',') << QStringLiteral("列が多すぎ");
        QTest::newRow("a million line ends")
            << QByteArray(1000 * 1000, '\n') << QStringLiteral("見出し");
        QTest::newRow("too many rows")
            << exported + QByteArray("1\n").repeated(200) << QStringLiteral("行が多すぎ");
        QTest::newRow("separated by semicolons")
            << QByteArray(exported).replace(',', ';') << QStringLiteral("コンマ");
        QTest::newRow("separated by tabs")
            << QByteArray(exported).replace(',', '\t') << QStringLiteral("コンマ");
        const QString text = QString::fromUtf8(exported);
        QTest::newRow("UTF-16") << QByteArray(reinterpret_cast<const char*>(text.utf16()),
                                              text.size() * 2)
                                << QStringLiteral("UTF-16");
        QTest::newRow("a huge caption") << QByteArray(1000 * 1000, 'x') + "\r\n"
                                        << QStringLiteral("見出し");
    }
    void hostileSheetsGetOneMessage() {
        QFETCH(QByteArray, sheet);
        QFETCH(QString, reason);
        const RosterSheetImport import(sheet, openGenerals, existing());
        QCOMPARE(import.problems().size(), 1);
        const QString message = DescribeSheetProblems(import.problems());
        QVERIFY2(message.contains(reason), qPrintable(message));
        QVERIFY(message.size() < 300);
    }
};

DROVANTEL_TEST(RosterSheetTest);
#include "test_rostersheet.moc"
