#pragma once

#include <QString>

// A seam for tests, in the file operations of the safe writer only: it makes the n-th rename,
// write or flush to disk of this process fail as the disk would ("Input/output error"), or
// ends the process at once (as a kill would) just before its n-th rename. Off unless a test
// sets it, through SetFault() or, for a whole process, the QUILTRA_FAULT environment variable
// ("rename:5", "write:2", "fsync:1", "stop-rename:3"). The program never sets it.

enum class FaultPoint { Rename, Write, Fsync };

// Sets the fault from a text as above, counting from now; an empty text turns it off. False for
// a text that is none of those.
bool SetFault(const QString &text);

// Called by the safe writer before each operation of `point`: true when this one must fail. At
// a "stop-rename" fault it ends the process instead of returning.
bool FaultAt(FaultPoint point);
