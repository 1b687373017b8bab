// The changes of one edit session field by field, and a dated backup put back as one step:
// its generals, its bytes once saved, and the step undone.
#include <QCoreApplication>
#include <QDir>
#include <QTest>

#include "model/backupcopies.h"
#include "model/backuphistory.h"
#include "model/edithistory.h"
#include "model/existinggenerals.h"
#include "model/generalchanges.h"
#include "model/listcolumns.h"
#include "model/marks.h"
#include "model/personfiledocument.h"
#include "platform/messages.h"
#include "support/tempdatafolder.h"
#include "support/testregistry.h"

namespace {

struct Line {
    int index;
    QString caption;
    QString before;
    QString after;
    bool operator==(const Line&) const = default;
};

QList<Line> linesOf(const GeneralChanges& changes) {
    QList<Line> lines;
    for (const FieldChange& field : changes.fields()) {
        lines.append({field.index, field.caption, field.before, field.after});
    }
    return lines;
}

}  // namespace

class GeneralChangesTest : public QObject {
    Q_OBJECT

  private:
    TempDataFolder data_;
    MarkTable marks_;
    std::unique_ptr<PersonFileDocument> document_;
    ExistingGenerals existing_;
    QString path_;
    QByteArray original_;

  private slots:
    void init() {
        const QDir shipped(QCoreApplication::applicationDirPath());
        existing_ = LoadExistingGenerals(shipped.filePath(QStringLiteral("General.csv"))).generals;
        path_ = data_.copyShippedFile();
        QVERIFY(!path_.isEmpty());
        original_ = data_.read(QStringLiteral("TPERSON.VRX"));
        document_ = std::make_unique<PersonFileDocument>(marks_);
        QCOMPARE(document_->open(path_), PersonFileDocument::OpenStatus::Opened);
        QVERIFY(document_->generalCount() >= 8);
    }
    void cleanup() { document_.reset(); }

    // One of each kind of field: a mark, the birth year, fame, an ability, a hidden setting,
    // an affinity and a skill; grouped by general in file order, each general's in column order.
    void oneEditSessionListsEveryChangedField() {
        RecordedMessages messages;
        const OpenGenerals before = document_->generals();
        const PersonRecord& r3 = before.record(3);
        const PersonRecord& r5 = before.record(5);
        const PersonRecord& r7 = before.record(7);
        const auto text = [this](const PersonRecord& record, int column) {
            return ListCellText(record, nullptr, column, existing_);
        };
        document_->recordEdit(QStringLiteral("編集"), [&](OpenGenerals& g) {
            g.marks(3).marks[1] = QStringLiteral("伏");
            g.record(3).setBirthYear(static_cast<qint16>(r3.birthYear() + 2));
            g.record(5).setAbility(1, static_cast<qint16>(r5.ability(1) == 88 ? 87 : 88));
            g.record(5).setFame(static_cast<qint16>(r5.fame() + 10));
            g.record(5).setSetting(Setting::personality, r5.setting(Setting::personality) == 0);
            g.record(7).setSkillByte(0, r7.skillByte(0) ^ 1);
            g.record(7).setPersonalAffinity(
                static_cast<quint8>((r7.personalAffinity() + 75) % 150));
        });
        // An edit that changes only bytes the list does not show still changes the general.
        document_->recordEdit(QStringLiteral("連動"), [&](OpenGenerals& g) {
            g.record(8).setLinkedYear(static_cast<qint16>(g.record(8).linkedYear() + 1));
        });
        const OpenGenerals& after = document_->generals();
        const GeneralChanges changes(document_->savedGenerals(), after, existing_);
        const QList<Line> expected = {
            {3, QStringLiteral("M2"), QString(), QStringLiteral("伏")},
            {3, QStringLiteral("誕生"), text(r3, kBirthColumn),
             text(after.record(3), kBirthColumn)},
            {5, QStringLiteral("名声"), text(r5, kFameColumn), text(after.record(5), kFameColumn)},
            {5, QStringLiteral("武力"), text(r5, 10), text(after.record(5), 10)},
            {5, QStringLiteral("性格"), text(r5, 17), text(after.record(5), 17)},
            {7, QStringLiteral("個人相性"), text(r7, kPersonalAffinityColumn),
             text(after.record(7), kPersonalAffinityColumn)},
            {7, QStringLiteral("農業"), text(r7, kFirstSkillColumn),
             text(after.record(7), kFirstSkillColumn)},
            {8, QStringLiteral("その他"), QString(), QString()},
        };
        QCOMPARE(linesOf(changes), expected);
        QCOMPARE(changes.summary(), QStringLiteral("4人の8項目が変更されています"));
        QCOMPARE(changes.fields().front().name, GetPersonName(after.record(3)));

        document_->history()->undo();
        document_->history()->undo();
        QVERIFY(
            GeneralChanges(document_->savedGenerals(), document_->generals(), existing_).isEmpty());
    }

    // The first save keeps the file as it was as a dated copy; put back, its generals are the
    // copy's, one undo step takes them back, and saved the file holds the copy's bytes again.
    // Copies of another number of generals are listed and cannot be put back.
    void aBackupPutBackAndUndone() {
        RecordedMessages messages;
        document_->recordEdit(QStringLiteral("名声"), [](OpenGenerals& g) {
            g.record(1).setFame(static_cast<qint16>(g.record(1).fame() + 1));
            g.record(2).setAbility(0, static_cast<qint16>(g.record(2).ability(0) == 1 ? 2 : 1));
        });
        QCOMPARE(document_->save().status, PersonFileDocument::SaveStatus::Saved);
        const QString folder = DatedBackupFolder(path_);
        QVERIFY(QFile::exists(DatedBackups(path_).value(0)));
        QFile shortCopy(folder + QStringLiteral("20000101-000000.vrx"));
        QVERIFY(shortCopy.open(QIODevice::WriteOnly));
        shortCopy.write(original_.left(4 + 3 * kRecordSize));
        shortCopy.close();

        const OpenGenerals edited = document_->generals();
        const QList<BackupCopy> copies = BackupCopiesOf(path_, edited);
        QCOMPARE(copies.size(), 2);
        const auto usable = std::find_if(copies.cbegin(), copies.cend(),
                                         [](const BackupCopy& c) { return c.isUsable(); });
        QVERIFY(usable != copies.cend());
        QCOMPARE(usable->differingGenerals, 2);
        QCOMPARE(usable->size, original_.size());
        const auto other = std::find_if(copies.cbegin(), copies.cend(),
                                        [](const BackupCopy& c) { return !c.isUsable(); });
        QCOMPARE(other->kind, BackupCopy::Kind::OtherCount);
        QCOMPARE(other->records.size(), size_t{3});
        QVERIFY(!document_->putBackCopy(other->records));

        QVERIFY(document_->putBackCopy(usable->records));
        QCOMPARE(document_->history()->undoText(), QStringLiteral("バックアップから戻す"));
        for (int n = 1; n <= document_->generalCount(); ++n) {
            QVERIFY(document_->generals().record(n).bytes() == usable->records[n - 1]);
        }
        QVERIFY(data_.read(QStringLiteral("TPERSON.VRX")) != original_);  // nothing written yet
        document_->history()->undo();
        QVERIFY(document_->generals().sameRecords(edited));
        document_->history()->redo();
        QCOMPARE(document_->save().status, PersonFileDocument::SaveStatus::Saved);
        QCOMPARE(data_.read(QStringLiteral("TPERSON.VRX")), original_);
    }
};

DROVANTEL_TEST(GeneralChangesTest);

#include "test_generalchanges.moc"
