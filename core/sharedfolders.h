#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

struct stat;

// The kernel's rules for folders that everyone may write to and only owners
// may delete from (/tmp, /var/tmp), applied whatever this machine's
// protected_symlinks and protected_regular settings: there, another user can
// plant a link or a file under a name before this user writes to it.
class SharedFolders
{
    Q_DECLARE_TR_FUNCTIONS(SharedFolders)

public:
    // Whether folder is such a shared one.
    static bool isShared(const struct stat &folder);
    // Whether a link in folder may be followed: its owner is the user or the
    // folder's owner, or the folder is not shared.
    static bool mayFollow(const struct stat &link, const struct stat &folder);
    // Whether a file in folder is one the user may write to or replace: in a
    // shared folder only one of the user's or of the folder's owner.
    static bool mayReplace(const struct stat &file, const struct stat &folder);

    // Opens the folder path for reading (O_DIRECTORY), resolving it one part
    // at a time from the root or the working folder without following a link
    // that mayFollow() refuses, so that no other user's link as a folder of
    // the path redirects what is written there. -1 with errno set, or with
    // refusal set for a link refused.
    static int openFolder(const QByteArray &path, QString *refusal);

    static QString refusedLinkText();
    static QString othersFileText();
};
