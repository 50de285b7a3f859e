#pragma once
// Writing a whole file so that no failure harms the file it replaces: the
// bytes go into a new temporary file beside it (its name and ".~" and a
// number), reach the disk, and only then take the old file's place in one
// step.

#include <string>
#include <string_view>

// The steps that touch the disk.  These are the system's; a test overrides
// one to make it fail.  Names are Windows-1250 text.
class TFileReplaceSteps {
public:
    virtual ~TFileReplaceSteps() = default;
    // Creates Name, which must not exist yet, writes Bytes into it, flushes
    // them to the disk and closes it.  kNameTaken when a file or folder of
    // that name exists, 1 when the file could not be created otherwise, 2
    // when writing, flushing or closing failed (the file may then stay: the
    // caller removes it); 0 done.
    virtual int WriteNewFile(const std::string& Name, std::string_view Bytes);
    // Puts Source in Target's place in one step, replacing Target when it
    // exists, and returns once the move is on the disk.  False when it could
    // not be moved; both files are then as they were.
    virtual bool MoveOver(const std::string& Source, const std::string& Target);

    static constexpr int kNameTaken = 3;
};

TFileReplaceSteps& SystemFileSteps();

// Writes Bytes as the file FileName: 0 written; 1 the file could not be
// created (its folder is missing or refuses new files, or the name is a
// read-only file or a folder); 2 writing or replacing failed.  Temporary
// files of FileName that an earlier save left behind (a save killed before
// its move) are removed first, and a temporary name still taken is passed
// over for the next.  On a failure a file that was there is left byte for
// byte as it was, and no temporary file stays behind.
int WriteFileReplacing(const std::string& FileName, std::string_view Bytes,
                       TFileReplaceSteps& Steps = SystemFileSteps());
