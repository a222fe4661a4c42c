#pragma once
// The user's copies of the installed data. A copy the user never changed follows its installed
// file when an update changes it; a copy the user changed (a word added to a dictionary, an
// edited theme) or put there is never touched. What was copied, with its checksum, is listed in
// a hidden file of the user's folder.
#include <QString>

namespace platform {

// The list's name in the user's folder: one line per copy, the checksum of what was copied, the
// size and time of the installed file at the last look, and the copy's path in that folder.
inline constexpr char UserCopiesListName[] = ".installed-copies";

// Copies each file under Source into Target, at the same relative path, when it is missing there
// or when Target's copy is still the one last copied and Source's file has changed since; makes
// the folders it needs. Copies keep their installed file's last-write time, so an index stays as
// current as the dictionary it was installed with. A dictionary's index (".ndx" beside it) goes
// with the dictionary: it is copied only beside the installed dictionary, and again whenever the
// dictionary is; the index of a dictionary the user changed stays the user's. A link, a folder or
// a FIFO in a copy's place, and a folder or a FIFO in the list's, is the user's too: never opened,
// never replaced (with no list to go by, a copy that differs from its installed file is the
// user's). Only plain files are read, installed or not, and none is waited on. A copy or the list that cannot be written whole (a full disk) leaves the old
// one as it was. False when a file could not be copied or the list not written (the others are
// still copied).
bool UpdateUserCopies(const QString& source, const QString& target);

} // namespace platform
