#include "platform/Processes.h"
#include "platform/FileUtils.h"
#include "platform/TestHooks.h"
#include "platform/WinHelp.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>

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

namespace {

const UINT ExecStarted = 33;
const UINT ExecFileNotFound = 2;

// The help program's name as a command line gives it: "winhelp", with or without ".exe", in any
// case.
bool IsHelpProgram(const String& program) {
    String name = LowerCase(ExtractFileName(program));
    return name == "winhelp" || name == "winhelp.exe";
}

} // namespace

UINT WinExec(const String& commandLine, UINT /*cmdShow*/) {
    std::vector<String> arguments = SplitCommandLine(commandLine);
    if (arguments.empty())
        return ExecFileNotFound;
    String program = arguments.front();
    if (IsHelpProgram(program)) {
        String line = Trim(commandLine);
        String file = Trim(line.substr(std::min(line.size(), line.find_first_of(" \t"))));
        return OpenHelpViewer(file) ? ExecStarted : ExecFileNotFound;
    }
    arguments.erase(arguments.begin());
    return StartProgram(program, arguments) ? ExecStarted : ExecFileNotFound;
}
