#include "toolkit/CurrentDirectory.h"

#include "toolkit/InOutError.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <unistd.h>

QString EnterDirectory(const QString& dir) {
    // chdir rather than QDir::setCurrent: the error code is the message.
    if (::chdir(QFile::encodeName(dir).constData()) != 0)
        throw EInOutError(errno);
    return QDir::currentPath();
}
