#include "filequestions.h"

#include <QStringList>

#include "model/personfiledocument.h"
#include "model/programdata.h"
#include "platform/messages.h"

namespace {

// Asks question; true when the answer is yes (Return says no).
bool askNoFirst(const QString& question, MessageIcon icon) {
    return ShowMessage(question, icon, MessageButtons::YesNo, MessageAnswer::No) ==
           MessageAnswer::Yes;
}

// Saves until the save ends, asking before each thing it stops for.
void saveWithAnswers(PersonFileDocument& document) {
    using Status = PersonFileDocument::SaveStatus;
    PersonFileDocument::SaveAnswers answers;
    for (;;) {
        const PersonFileDocument::SaveResult result = document.save(answers);
        switch (result.status) {
            case Status::BackupFailed:
                if (!askNoFirst(QStringLiteral("バックアップ（%1）を作成できませんでした。\n"
                                               "このまま保存しますか？")
                                    .arg(result.failedBackup),
                                MessageIcon::Question)) {
                    return;
                }
                answers |= PersonFileDocument::SaveWithoutBackup;
                continue;
            case Status::ChangedOnDisk:
                if (!askNoFirst(QStringLiteral("このファイルは開いた後で他のプログラムによって変更"
                                               "されています。\n上書きして保存しますか？"),
                                MessageIcon::Exclamation)) {
                    return;
                }
                answers |= PersonFileDocument::OverwriteChangedFile;
                continue;
            case Status::OpenFailed:
                ShowMessage(QStringLiteral("オープンに失敗しました（書き込み禁止かもしれません）"),
                            MessageIcon::Exclamation);
                return;
            case Status::WriteFailed:
                ShowMessage(QStringLiteral("保存に失敗しました(%1)").arg(result.code),
                            MessageIcon::Exclamation);
                return;
            case Status::Saved:
                ShowMessage(QStringLiteral("保存しました"), MessageIcon::Information);
                return;
            case Status::NothingToSave:
            case Status::LibraryMissing:
                return;
        }
    }
}

bool mayDropUnsavedChanges(const PersonFileDocument& document, const QString& question) {
    return !document.isModified() || askNoFirst(question, MessageIcon::Question);
}

}  // namespace

void AskAndSave(PersonFileDocument& document, const std::function<void()>& showChanges) {
    const QString question = QStringLiteral(
        "書き込んでよろしいですか？\r\n"
        "（あらかじめ武将ファイルのバックアップを取ることをお勧めします）");
    MessageAnswer answer = MessageAnswer::Other;
    while (answer == MessageAnswer::Other) {
        answer = showChanges ? ShowQuestion(question, MessageIcon::Question, MessageAnswer::Yes,
                                            QStringLiteral("変更点を表示..."))
                             : ShowMessage(question, MessageIcon::Question, MessageButtons::YesNo);
        if (answer == MessageAnswer::Other) {
            showChanges();
        }
    }
    if (answer == MessageAnswer::Yes) {
        saveWithAnswers(document);
    }
}

bool MayDropForAnotherFile(const PersonFileDocument& document) {
    return mayDropUnsavedChanges(
        document,
        QStringLiteral("保存していない変更があります。\n保存せずに別のファイルを開きますか？"));
}

bool MayDropOnClose(const PersonFileDocument& document) {
    return mayDropUnsavedChanges(
        document, QStringLiteral("保存していない変更があります。\n保存せずに終了しますか？"));
}

void OfferRecovery(PersonFileDocument& document) {
    if (!document.hasRecovery()) {
        return;
    }
    if (ShowMessage(QStringLiteral("前回保存されなかった変更があります。復元しますか？"),
                    MessageIcon::Question, MessageButtons::YesNo,
                    MessageAnswer::Yes) == MessageAnswer::Yes) {
        document.applyRecovery(QStringLiteral("復元"));
    } else {
        document.declineRecovery();
    }
}

bool MayDropUnwrittenDataFiles(ProgramData& data) {
    QStringList failed;
    for (const DataFileError& error : data.savePendingTemplates()) {
        ShowMessage(error.message(), MessageIcon::Critical);
        failed.append(error.fileName);
    }
    if (data.markTable().writePending()) {
        failed.prepend(QStringLiteral("Mark.csv"));
    }
    return failed.isEmpty() ||
           askNoFirst(QStringLiteral("%1を保存できませんでした。\n保存せずに終了しますか？")
                          .arg(failed.join(QStringLiteral("、"))),
                      MessageIcon::Question);
}
