#include "commandline.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <climits>
#include <cstdio>
#include <optional>
#include <utility>

#include "model/marks.h"
#include "model/personfiledocument.h"
#include "model/programdata.h"
#include "model/rostersheet.h"
#include "model/sheettarget.h"
#include "model/unusablefile.h"
#include "platform/appinfo.h"
#include "platform/messages.h"

namespace {

void print(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

QString usage() {
    return QStringLiteral(
        "使い方:\n"
        "  Drovantel --export <武将ファイル> <表.csv>\n"
        "      武将ファイルの全武将を表（UTF-8 の CSV）に書き出します。\n"
        "  Drovantel --import <表.csv> <武将ファイル> [--dry-run]\n"
        "      表の内容を武将ファイルに読み込んで保存し、変更を一つずつ表示します。\n"
        "      --dry-run: 変更を表示するだけで、何も書き込みません。\n"
        "  Drovantel --help | --version\n"
        "終了コード: 0 成功、1 使い方の誤り、2 ファイルの読み書きの失敗、3 表に問題がある");
}

// Messages that the window would show in a box go to standard error; a question is answered
// No, since nobody is there to answer it. Remembers whether a failure was reported.
class ConsoleMessages {
  public:
    ConsoleMessages() {
        SetMessagePresenter([this](const ShownMessage& message) {
            print(stderr, message.text);
            if (message.icon == MessageIcon::Critical || message.icon == MessageIcon::Exclamation) {
                failed_ = true;
            }
            return message.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
        });
    }
    ~ConsoleMessages() { SetMessagePresenter({}); }
    ConsoleMessages(const ConsoleMessages&) = delete;
    ConsoleMessages& operator=(const ConsoleMessages&) = delete;

    bool takeFailure() { return std::exchange(failed_, false); }

  private:
    bool failed_ = false;
};

struct Request {
    enum class Kind { help, version, exportSheet, importSheet } kind;
    QString personFile;
    QString sheet;
    bool dryRun = false;
};

std::optional<Request> parse(const QStringList& arguments) {
    QStringList positional;
    std::optional<Request::Kind> kind;
    bool dryRun = false;
    for (const QString& argument : arguments.mid(1)) {
        std::optional<Request::Kind> named;
        if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
            named = Request::Kind::help;
        } else if (argument == QStringLiteral("--version")) {
            named = Request::Kind::version;
        } else if (argument == QStringLiteral("--export")) {
            named = Request::Kind::exportSheet;
        } else if (argument == QStringLiteral("--import")) {
            named = Request::Kind::importSheet;
        } else if (argument == QStringLiteral("--dry-run")) {
            dryRun = true;
            continue;
        } else if (argument.startsWith(u'-')) {
            return std::nullopt;  // a mistyped option is never taken for a file name
        } else {
            positional.append(argument);
            continue;
        }
        if (kind) {
            return std::nullopt;  // one command at a time
        }
        kind = named;
    }
    if (!kind) {
        return std::nullopt;
    }
    Request request{*kind, {}, {}, dryRun};
    switch (*kind) {
        case Request::Kind::help:
        case Request::Kind::version:
            return positional.isEmpty() && !dryRun ? std::optional(request) : std::nullopt;
        case Request::Kind::exportSheet:
            if (positional.size() != 2 || dryRun) {
                return std::nullopt;
            }
            request.personFile = positional[0];
            request.sheet = positional[1];
            return request;
        case Request::Kind::importSheet:
            if (positional.size() != 2) {
                return std::nullopt;
            }
            request.sheet = positional[0];
            request.personFile = positional[1];
            return request;
    }
    return std::nullopt;
}

// Opens the person file as the window's open does: the generals and every general's marks.
bool openPersonFile(PersonFileDocument* document, const QString& path) {
    const QString unusable = UnusableFileReason(path);
    if (!unusable.isEmpty()) {
        print(stderr, unusable);
        return false;
    }
    switch (document->open(path)) {
        case PersonFileDocument::OpenStatus::Opened:
            return true;
        case PersonFileDocument::OpenStatus::Unreadable:
            print(stderr, QStringLiteral("%1 を読み込めませんでした。").arg(path));
            return false;
        case PersonFileDocument::OpenStatus::LibraryMissing:
            return false;  // the message said so
    }
    return false;
}

// The window's save, with nobody to ask: a file that another program changed, or whose
// backup cannot be made, is left as it is.
bool savePersonFile(PersonFileDocument* document) {
    const PersonFileDocument::SaveResult result = document->save();
    const QString path = document->filePath();
    switch (result.status) {
        case PersonFileDocument::SaveStatus::Saved:
        case PersonFileDocument::SaveStatus::NothingToSave:
            return true;
        case PersonFileDocument::SaveStatus::ChangedOnDisk:
            print(stderr, QStringLiteral("%1 は読み込んだ後に他のプログラムが変更したため、"
                                         "保存しませんでした")
                              .arg(path));
            return false;
        case PersonFileDocument::SaveStatus::BackupFailed:
            print(stderr, QStringLiteral("バックアップ（%1）を作成できないため、保存しませんでした")
                              .arg(result.failedBackup));
            return false;
        case PersonFileDocument::SaveStatus::OpenFailed:
            print(stderr, QStringLiteral("オープンに失敗しました（書き込み禁止かもしれません）"));
            return false;
        case PersonFileDocument::SaveStatus::WriteFailed:
            print(stderr, QStringLiteral("保存に失敗しました(%1)").arg(result.code));
            return false;
        case PersonFileDocument::SaveStatus::LibraryMissing:
            return false;
    }
    return false;
}

int exportSheet(const Request& request, ProgramData& data) {
    PersonFileDocument document(data.markTable());
    if (!openPersonFile(&document, request.personFile)) {
        return kExitFileFailed;
    }
    const SheetTargetProblem problem = CheckSheetTarget(request.sheet, request.personFile);
    if (problem != SheetTargetProblem::None) {
        print(stderr, DescribeSheetTargetProblem(problem, request.sheet));
        return kExitFileFailed;
    }
    if (!SaveRosterSheet(request.sheet, document.generals(), data.existingGenerals())) {
        print(stderr, QStringLiteral("%1 に書き出せませんでした").arg(request.sheet));
        return kExitFileFailed;
    }
    return kExitOk;
}

int importSheet(const Request& request, ProgramData& data, ConsoleMessages* messages) {
    QByteArray content;
    QString error;
    if (!ReadSheetFile(request.sheet, &content, &error)) {
        print(stderr, error);
        return kExitFileFailed;
    }
    PersonFileDocument document(data.markTable());
    bool marksFailed = false;
    QObject::connect(&document, &PersonFileDocument::markFileFailed,
                     [&marksFailed](const MarkFileError& error) {
                         print(stderr, error.message());
                         marksFailed = true;
                     });
    if (!openPersonFile(&document, request.personFile)) {
        return kExitFileFailed;
    }
    const RosterSheetImport import(content, document.generals(), data.existingGenerals());
    if (!import.problems().isEmpty()) {
        print(stderr, QStringLiteral("表に%1件の問題があるため、何も変更しませんでした。")
                          .arg(import.problems().size()));
        print(stderr, DescribeSheetProblems(import.problems(), INT_MAX));
        return kExitSheetProblems;
    }
    for (const SheetChange& change : import.changes()) {
        print(stdout, DescribeSheetChange(change));
    }
    if (request.dryRun || import.changes().isEmpty()) {
        return kExitOk;
    }
    messages->takeFailure();
    // The sheet's marks are written only with the person file.
    document.holdMarksUntilSaved();
    document.recordEdit(QStringLiteral("表から読み込み"),
                        [&import](OpenGenerals& generals) { import.apply(generals); });
    const bool saved = savePersonFile(&document);
    return saved && !marksFailed && !messages->takeFailure() ? kExitOk : kExitFileFailed;
}

}  // namespace

bool WantsCommandLine(int argc, char* argv[]) {
    // The window takes at most one argument, the person file to open; an option, even a
    // mistyped one, or more files are the command line's (which shows the usage).
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-') {
            return true;
        }
    }
    return argc > 2;
}

void ReportNoDisplay() {
    print(stderr,
          QStringLiteral("Drovantel: ウィンドウを表示する画面（ディスプレイ）に接続できません。"
                         "コマンドラインでの使い方は Drovantel --help で表示します"));
}

int RunCommandLine(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const std::optional<Request> request = parse(QCoreApplication::arguments());
    if (!request) {
        print(stderr, usage());
        return kExitBadUsage;
    }
    switch (request->kind) {
        case Request::Kind::help:
            print(stdout, usage());
            return kExitOk;
        case Request::Kind::version:
            print(stdout, QStringLiteral("Drovantel %1.%2.%3")
                              .arg(kVersionMajor)
                              .arg(kVersionMinor)
                              .arg(kVersionRevision));
            return kExitOk;
        default:
            break;
    }
    ConsoleMessages messages;
    // The affinity columns name existing generals (their readings are never shown here); the
    // marks come from Mark.csv.
    ProgramData data;
    if (const std::optional<DataFileError> error =
            data.loadExistingGenerals(GeneralReadings::notNeeded)) {
        print(stderr, error->message());
    }
    if (const std::optional<MarkFileError> error = data.markTable().load()) {
        print(stderr, error->message());
    }
    messages.takeFailure();  // a data file that failed to load has been reported; go on
    return request->kind == Request::Kind::exportSheet ? exportSheet(*request, data)
                                                       : importSheet(*request, data, &messages);
}
