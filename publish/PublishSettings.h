#pragma once
// Where the publishing settings live, and the clean-up options that both the publisher window and
// the multi-publish dialog store there the moment they change.

#include "services/ProgramSettings.h"

inline const String PublishKey = ProductSubKey("Publish");
inline const String PublishTagsKey = PublishKey + "\\Tags";

void StorePublishOption(const String& name, bool value);
// The tag-case choice, as its three buttons stand.
void StoreTagCase(bool upperCase, bool lowerCase, bool noChange);
