#pragma once

// Makes one chosen file system call under a folder fail, as a full or broken
// disk would (see faultinject.c). Linked into a process, its definitions stand
// in for the C library's everywhere, Qt's calls included; these functions
// steer it there. Preloaded into another process, the environment does.

#ifdef __cplusplus
extern "C" {
#endif

// Counts the calls on files under folder (an absolute path) from now on; the
// at-th fails with errnum. With shortWrite, an at-th call that writes writes
// half and returns that count, and the next write fails instead.
void faultinject_arm(const char *folder, long at, int errnum, int shortWrite);
void faultinject_disarm(void);
// The failures made since the last arm, such as "write #7 short; write #8"
// (empty when none was). A call on a descriptor of the folder itself, or on
// a file nothing was written to, is named so: "fsync #9 (folder)",
// "close #3 (unwritten)".
const char *faultinject_injected(void);
// How many calls were counted since the last arm.
long faultinject_counted(void);

#ifdef __cplusplus
}
#endif
