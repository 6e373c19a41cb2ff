#include "platform/Processes.h"
#include "platform/TestHooks.h"

#include <QProcess>
#include <QString>
#include <QStringList>

std::vector<String> SplitCommandLine(const String& commandLine) {
    std::vector<String> arguments;
    String current;
    bool inArgument = false;
    bool quoted = false;
    for (char c : commandLine) {
        if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument)
                arguments.push_back(current);
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments.push_back(current);
    return arguments;
}

bool StartProgram(const String& program, const std::vector<String>& arguments) {
    if (TestHooks::RecordLaunch({program, arguments}))
        return true;
    if (program.empty())
        return false;
    QStringList list;
    for (const String& argument : arguments)
        list << QString::fromStdString(argument);
    return QProcess::startDetached(QString::fromStdString(program), list);
}

bool OpenWithDesktop(const String& address) {
    return StartProgram("xdg-open", {address});
}
