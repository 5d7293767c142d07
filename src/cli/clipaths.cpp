#include "cli/clipaths.h"

#include "model/fileaccess.h"

#include <QFile>

namespace telmora::cli {

std::string PathMessage(const char* verb, const char* what, const char* arg,
                        const QString& reason) {
    std::string message = std::string(verb) + ' ' + what + " '" + arg + '\'';
    if (!reason.isEmpty()) {
        message += ": " + reason.toStdString();
    }
    return message;
}

bool OpenInputFile(QFile& file, const char* arg, const char* what, std::string& message) {
    QString reason;
    if (OpenRegularFile(file, QByteArray(arg), &reason)) {
        return true;
    }
    message = PathMessage("cannot open", what, arg, reason);
    return false;
}

std::optional<QString> OutputPath(const char* arg, const char* what, std::string& message) {
    const QByteArray native(arg);
    if (!PathTextIsExact(native)) {
        message =
            PathMessage("cannot write", what, arg, QStringLiteral("the name is not valid UTF-8"));
        return std::nullopt;
    }
    const QString path = PathText(native);
    if (const QString problem = ReplaceTargetProblem(path); !problem.isEmpty()) {
        message = PathMessage("cannot write", what, arg, problem);
        return std::nullopt;
    }
    return path;
}

} // namespace telmora::cli
