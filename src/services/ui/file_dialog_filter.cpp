#include "services/ui/file_dialog_filter.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

#include "platform/qt/qt_text.h"

namespace tav {

namespace {

class ScratchFileFilter : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    const QString name = sourceModel()->index(row, 0, parent).data().toString();
    return !name.startsWith(QLatin1String("$$$")) && !name.contains(QLatin1String(".$$$"));
  }
};

}  // namespace

QStringList FileDialogFilters(const std::string& pairs) {
  const QStringList parts = toQ(pairs).split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    const int open = description.lastIndexOf(QLatin1Char('('));
    if (open > 0) description = description.left(open);
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << description.trimmed() + QStringLiteral(" (") + patterns.trimmed() + QLatin1Char(')');
  }
  return filters;
}

void HideScratchFiles(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setProxyModel(new ScratchFileFilter(&dialog));
}

}  // namespace tav
