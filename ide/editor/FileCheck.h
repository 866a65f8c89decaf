// The check every loader of the IDE makes before it opens a file by name:
// the name must lead to a regular file (a link to one will do).
//
//     QString why;
//     if (!CheckRegularFile(path, why)) ...  // why: "File not found", "It is a folder", ...
//
// A pipe without a writer would hold open() for ever and a device like
// /dev/zero never ends, so they are refused by their type without being opened.
#pragma once

#include <QString>

namespace quorvel {

// False with the reason in `error` when `path` names nothing, a folder, or
// something other than a regular file (a pipe, a socket, a device).
bool CheckRegularFile(const QString& path, QString& error);

} // namespace quorvel
