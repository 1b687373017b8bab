#include "sheetcommands.h"

#include <QFileDialog>
#include <QFileInfo>

#include "model/rostersheet.h"
#include "model/sheettarget.h"
#include "platform/messages.h"

namespace {

QString sheetFilter() {
    return QStringLiteral("表計算用ファイル(*.csv)");
}

// The sheet's usual place: beside the person file, under its name.
QString suggestedSheetPath(const QString& personFilePath) {
    const QFileInfo file(personFilePath);
    return file.absolutePath() + u'/' + file.completeBaseName() + QStringLiteral(".csv");
}

}  // namespace

void ExportSheetFromWindow(QWidget* parent, const QString& personFilePath,
                           const OpenGenerals& generals, const ExistingGenerals& existing) {
    const QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("表に書き出す"), suggestedSheetPath(personFilePath), sheetFilter());
    if (path.isEmpty()) {
        return;
    }
    const SheetTargetProblem problem = CheckSheetTarget(path, personFilePath);
    if (problem != SheetTargetProblem::None) {
        ShowMessage(DescribeSheetTargetProblem(problem, path), MessageIcon::Exclamation);
        return;
    }
    if (!SaveRosterSheet(path, generals, existing)) {
        ShowMessage(QStringLiteral("%1 に書き出せませんでした").arg(path),
                    MessageIcon::Exclamation);
        return;
    }
    ShowMessage(QStringLiteral("書き出しました"), MessageIcon::Information);
}

void ImportSheetFromWindow(QWidget* parent, const QString& personFilePath,
                           const OpenGenerals& generals, const ExistingGenerals& existing,
                           const std::function<void(const RosterSheetImport&)>& apply) {
    const QString path =
        QFileDialog::getOpenFileName(parent, QStringLiteral("表から読み込む"),
                                     QFileInfo(personFilePath).absolutePath(), sheetFilter());
    if (path.isEmpty()) {
        return;
    }
    QByteArray content;
    QString error;
    if (!ReadSheetFile(path, &content, &error)) {
        ShowMessage(error, MessageIcon::Exclamation);
        return;
    }
    const RosterSheetImport import(content, generals, existing);
    if (!import.problems().isEmpty()) {
        ShowMessage(QStringLiteral("表に%1件の問題があるため、何も変更しませんでした。\n")
                            .arg(import.problems().size()) +
                        DescribeSheetProblems(import.problems()),
                    MessageIcon::Exclamation);
        return;
    }
    if (import.changes().isEmpty()) {
        ShowMessage(QStringLiteral("変更する項目はありません"), MessageIcon::Information);
        return;
    }
    if (ShowMessage(SheetImportQuestion(import), MessageIcon::Question, MessageButtons::YesNo) ==
        MessageAnswer::Yes) {
        apply(import);
    }
}
