#include "app/file_filters.h"

#include <QFileInfo>

namespace tw::app {

QStringList qtNameFilters(const QString& filter) {
    QStringList parts = filter.split('|');
    while (!parts.isEmpty() && parts.last().isEmpty()) parts.removeLast();
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (auto& p : patterns) {
            p = p.trimmed();
            if (p == "*.*") p = "*";
        }
        out << QString("%1 (%2)").arg(parts[i], patterns.join(' '));
    }
    return out;
}

QString withDefaultExtension(const QString& path, const QString& extension) {
    QString ext = extension;
    if (ext.startsWith('.')) ext.remove(0, 1);
    if (ext.isEmpty() || path.isEmpty()) return path;
    if (QFileInfo(path).fileName().contains('.')) return path;
    return path + '.' + ext;
}

}  // namespace tw::app
