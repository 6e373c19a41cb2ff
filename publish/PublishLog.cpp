#include "publish/PublishLog.h"

#include "platform/FileUtils.h"

String PublishLogFile() {
    return ProgramFolder() + "Published.txt";
}

String PublishLogBlock(TDateTime when, const std::vector<String>& files,
                       const std::vector<String>& folders) {
    String block =
        String(31, '=') + "\r\n" + FormatDateTime("ddd d mmmm yyyy   hh:nn:ss", when) + "\r\n";
    for (const String& file : files)
        block += "      " + file + "\r\n";
    block += "Published to:\r\n";
    for (const String& folder : folders)
        block += "      " + ExtractFileName(folder) + "\r\n";
    return block;
}

// The log is written whole through a temporary file, so a failed write leaves the old log.
void AppendToPublishLog(const String& block) {
    const String file = PublishLogFile();
    String log = FileExists(file) ? ReadFileBytes(file) : String();
    if (!log.empty() && log.back() != '\n')
        log += "\r\n";
    WriteFileAtomic(file, log + block);
}
