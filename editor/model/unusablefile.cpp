#include "unusablefile.h"

#include <QFileInfo>

QString UnusableFileReason(const QString& path) {
    const QFileInfo file(path);
    if (file.isFile()) {
        return {};
    }
    if (file.isDir()) {
        return QStringLiteral("%1 はフォルダです").arg(path);
    }
    if (file.exists()) {
        return QStringLiteral("%1 は普通のファイルではありません（パイプや装置など）").arg(path);
    }
    return QStringLiteral("%1 がありません").arg(path);
}
