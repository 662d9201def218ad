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

// Opens file for writing, made with fileMode or else emptied; a FIFO that
// no one reads yet is waited for only until the process is told to end
// (stopBlockedWrites()). Returns why it failed, or an empty string.
QString openForWriting(QFile &file);

} // namespace PrivateFiles
