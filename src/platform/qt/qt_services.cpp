#include "platform/qt/qt_services.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <unistd.h>

#include <cerrno>

#include "platform/qt/qt_text.h"

namespace tav {

int QtMessageBoxes::Show(const std::string& text, const std::string& title, int flags) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(toQ(title));
  box.setText(toQ(text));
  switch (flags & 0xF0) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  switch (flags & 0xF) {
    case MB_OKCANCEL: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MB_YESNOCANCEL:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case MB_YESNO: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    default: box.setStandardButtons(QMessageBox::Ok);
  }
  switch (box.exec()) {
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    case QMessageBox::Cancel: return IDCANCEL;
    default: return (flags & 0xF) == MB_YESNO ? IDNO : IDOK;
  }
}

bool QtShell::Open(const std::string& target) {
  const QString t = toQ(target);
  QUrl url = t.contains(QStringLiteral("://")) || t.startsWith(QStringLiteral("mailto:"))
                 ? QUrl(t)
                 : QUrl::fromLocalFile(t);
  if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) return false;
  return QDesktopServices::openUrl(url);
}

std::string QtClipboard::Text() { return fromQ(QApplication::clipboard()->text()); }
void QtClipboard::SetText(const std::string& text) {
  QApplication::clipboard()->setText(toQ(text));
}

bool QtLauncher::Start(const std::string& program, const std::string& arguments,
                       const std::string& workDir, int& error) {
  // The system's reason is found out first: the detached start itself tells none.
  const QString name = toQ(program);
  const QString path = name.contains(QLatin1Char('/')) ? name : QStandardPaths::findExecutable(name);
  if (path.isEmpty() || !QFileInfo::exists(path)) {
    error = ENOENT;
    return false;
  }
  if (::access(QFile::encodeName(path).constData(), X_OK) != 0) {
    error = errno;
    return false;
  }
  if (!workDir.empty() && !QFileInfo(toQ(workDir)).isDir()) {
    error = ENOTDIR;
    return false;
  }
  const QStringList args = QProcess::splitCommand(toQ(arguments));
  qint64 pid = 0;
  if (QProcess::startDetached(path, args, toQ(workDir), &pid)) return true;
  error = ENOEXEC;
  return false;
}

void QtLauncher::Restart() {
  QProcess::startDetached(QApplication::applicationFilePath(),
                          QApplication::arguments().mid(1));
  if (exitProcess_) exitProcess_(0);
}

}  // namespace tav
