#pragma once
// The log of multi-publishing: "Published.txt" in the program folder, one block appended per run
// that asks for it.

#include "platform/DateTime.h"

#include <vector>

// The log file's full path.
String PublishLogFile();

// One block: a line of 31 "=", the date and time, each file (six blanks before it), "Published
// to:" and each folder's last path component (six blanks before it; empty for a folder written
// with a trailing separator). Every line ends with CR LF.
String PublishLogBlock(TDateTime when, const std::vector<String>& files,
                       const std::vector<String>& folders);

// Appends the block to the log file, creating it when missing.
void AppendToPublishLog(const String& block);
