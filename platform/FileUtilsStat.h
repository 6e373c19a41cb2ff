#pragma once
// What the units of the file routines share about a file's status.

#include <sys/stat.h>

// Whether this user may not write the file: the owner's, the group's or the others' write bit,
// whichever applies to the user.
bool ModeIsReadOnly(const struct stat& info);
