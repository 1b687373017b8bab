#include "datafileerror.h"

QString DataFileError::message() const {
    switch (kind) {
        case Kind::ReadFailed:
            return fileName + QStringLiteral("の読み込みに失敗しました");
        case Kind::CreateFailed:
            return QStringLiteral("%1を作成できませんでした（%2の内容を使います）")
                .arg(fileName, originalName);
        case Kind::SaveFailed:
            return fileName + QStringLiteral("の保存に失敗しました");
    }
    return QString();
}
