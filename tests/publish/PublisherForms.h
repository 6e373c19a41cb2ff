#pragma once
// The publisher window as start-up makes it, for tests whose unit cannot name its class: the
// publishing steps and the file list each declare their own text cases.

namespace PublisherForms {
// Makes the publisher window and the progress window; Free releases both.
void Make();
void Free();
bool MessagesOff();
} // namespace PublisherForms
