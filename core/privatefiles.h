#pragma once

#include <QFile>
#include <QString>

// Captures and kept results hold a user's measurements: the files and
// folders the program makes for them are the user's alone. A file or folder
// that is already there keeps its mode.
namespace PrivateFiles {

// Owner only: 0600 for a file, 0700 for a folder.
constexpr QFile::Permissions fileMode = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions folderMode = fileMode | QFile::ExeOwner;

// Makes path and each missing folder above it, as mkpath does, but each
// with folderMode. True when path is a folder at the end.
bool makeFolder(const QString &path);

// Whether path is a folder of this user's that no one else may enter, and no
// link to one: a folder in a shared place (the temporary folder) that another
// user made first, to read what goes in, is not.
bool isOwnFolder(const QString &path);

// A folder named name in the system's temporary folder, with the user's
// number in its name where other users share that folder.
QString temporaryFolder(const QString &name);

// Opens file for writing, made with fileMode or else emptied; a FIFO that
// no one reads yet is waited for only until the process is told to end
// (stopBlockedWrites()). Returns why it failed, or an empty string.
QString openForWriting(QFile &file);

} // namespace PrivateFiles
