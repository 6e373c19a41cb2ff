#include "publish/PublishSettings.h"

#include "platform/Registry.h"

void StorePublishOption(const String& name, bool value) {
    TRegistry reg;
    if (reg.OpenKey(PublishKey, true))
        reg.WriteBool(name, value);
}

void StoreTagCase(bool upperCase, bool lowerCase, bool noChange) {
    TRegistry reg;
    if (!reg.OpenKey(PublishTagsKey, true))
        return;
    reg.WriteBool("UpperCase", upperCase);
    reg.WriteBool("LowerCase", lowerCase);
    reg.WriteBool("NoChange", noChange);
}
