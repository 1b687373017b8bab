#include "commandline.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>

#include "model/filebackup.h"
#include "model/generals.h"
#include "model/marks.h"
#include "model/roster.h"
#include "model/rostersheet.h"
#include "platform/appinfo.h"
#include "platform/messages.h"
#include "platform/personfilelibrary.h"

namespace {

const char* const kOptions[] = {"--export", "--import", "--dry-run", "--help", "--version"};

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
        } else if (argument.startsWith(u'-') && argument.size() > 1) {
            return std::nullopt;
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

// Reads the person file into the roster with every general's marks, as the window's open does.
bool openPersonFile(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        print(stderr, QStringLiteral("%1 がありません").arg(path));
        return false;
    }
    const std::optional<int> count = PersonFileLibrary::readPersonFile(path);
    if (!count) {
        return false;  // the library is missing: the message said so
    }
    if (*count < 0) {
        print(stderr, QStringLiteral("%1 を読み込めませんでした。").arg(path));
        return false;
    }
    rosterCount = *count;
    for (int n = 1; n <= rosterCount; ++n) {
        RecordBytes bytes{};
        if (!PersonFileLibrary::readPerson(&bytes, n - 1)) {
            return false;
        }
        roster[n] = PersonRecord(bytes);
        AttachMarks(n);
    }
    return true;
}

// The window's save: a .bak of the file as it was, every general to the library, the file
// written, then the marks.
bool savePersonFile(const QString& path, ConsoleMessages* messages) {
    if (!BackUpFile(path)) {
        print(stderr, QStringLiteral("バックアップ（%1.bak）を作成できないため、保存しませんでした")
                          .arg(QFileInfo(path).fileName()));
        return false;
    }
    for (int n = 1; n <= rosterCount; ++n) {
        if (!PersonFileLibrary::writePerson(roster[n].bytes(), n - 1)) {
            return false;
        }
    }
    const std::optional<int> result = PersonFileLibrary::writePersonFile(path);
    if (!result) {
        return false;
    }
    if (*result != 0) {
        print(stderr, *result == -2
                          ? QStringLiteral("オープンに失敗しました（書き込み禁止かもしれません）")
                          : QStringLiteral("保存に失敗しました(%1)").arg(*result));
        return false;
    }
    messages->takeFailure();
    SaveMarks(rosterCount);
    return !messages->takeFailure();
}

int exportSheet(const Request& request) {
    if (!openPersonFile(request.personFile)) {
        return kExitFileFailed;
    }
    if (!SaveRosterSheet(request.sheet)) {
        print(stderr, QStringLiteral("%1 に書き出せませんでした").arg(request.sheet));
        return kExitFileFailed;
    }
    return kExitOk;
}

int importSheet(const Request& request, ConsoleMessages* messages) {
    QByteArray content;
    if (!ReadSheetFile(request.sheet, &content)) {
        print(stderr, QStringLiteral("%1 を読み込めませんでした").arg(request.sheet));
        return kExitFileFailed;
    }
    if (!openPersonFile(request.personFile)) {
        return kExitFileFailed;
    }
    const RosterSheetImport import(content);
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
    import.apply();
    return savePersonFile(request.personFile, messages) ? kExitOk : kExitFileFailed;
}

}  // namespace

bool WantsCommandLine(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        for (const char* option : kOptions) {
            if (std::strcmp(argv[i], option) == 0) {
                return true;
            }
        }
    }
    return false;
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
    // The affinity columns name existing generals; the marks come from Mark.csv.
    LoadGenerals();
    LoadMarks();
    messages.takeFailure();  // a data file that failed to load has been reported; go on
    return request->kind == Request::Kind::exportSheet ? exportSheet(*request)
                                                       : importSheet(*request, &messages);
}
