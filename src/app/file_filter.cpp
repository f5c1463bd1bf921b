#include "app/file_filter.h"

#include <QStringList>

namespace qarto {

QString qtFileFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString label = parts[i].trimmed();
    const QString patterns = parts[i + 1].trimmed();
    if (label.isEmpty() && patterns.isEmpty()) break;  // the closing "||"
    // Qt reads the patterns from the last parentheses: drop the label's own.
    if (label.endsWith(u')')) {
      const qsizetype open = label.lastIndexOf(u'(');
      if (open >= 0) label = label.left(open).trimmed();
    }
    QStringList globs = patterns.split(u';', Qt::SkipEmptyParts);
    for (QString& glob : globs) glob = glob.trimmed();
    filters << QStringLiteral("%1 (%2)").arg(label, globs.join(u' '));
  }
  return filters.join(QStringLiteral(";;"));
}

QString qtDefaultSuffix(const std::string& extension) {
  QString suffix = QString::fromStdString(extension);
  while (suffix.startsWith(u'.')) suffix.remove(0, 1);
  return suffix;
}

}  // namespace qarto
