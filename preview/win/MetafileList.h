#pragma once
// TMetafileList: the preview's page store.  Every page is kept as the whole
// EMF file image its metafile saves, back to back in one stream (memory,
// or a temporary file named "PP....tmp"), with one offset per page.  One
// page at a time is decoded: the cached page; a change to the cached page's
// metafile is written back in place.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Component.h"
#include "classlib/Streams.h"
#include "classlib/win/Graphics.h"

using TPageModifiedEvent = std::function<void(cl::TObject* Sender, int PageIndex)>;

class TMetafileList : public cl::TObject {
    CL_CLASS(TMetafileList, cl::TObject)
public:
    TMetafileList();
    // Deletes the temporary file.
    ~TMetafileList() override;

    // Appends the metafile's image as the last page; an empty metafile
    // raises EInvalidGraphic.  A stream that cannot be written keeps the
    // pages it had.
    void Add(cl::TMetafile* metafile);
    // Makes page index (0-based) the cached page and returns it; the same
    // index again costs nothing.  An index out of range raises EListError.
    // No window messages are handled meanwhile.
    cl::TMetafile* LoadPage(int index);
    cl::TMetafile* Metafile(int index) { return LoadPage(index); }
    int Count() const { return static_cast<int>(offsets_.size()); }
    // The cached page's index, -1 when none.
    int CachedIndex() const { return cachedIndex_; }

    // Drops every page and the stream (deleting the temporary file).
    void Clear();
    // Clear, then OnChange.
    void ClearAll();

    bool UseTempFile() const { return useTempFile_; }
    // Moves the pages into a new stream of the other kind.
    void SetUseTempFile(bool value);
    // The temporary file's full name (Windows-1250), empty when there is none.
    const std::string& TempFileName() const { return tempFileName_; }
    // The stream's bytes between page offsets, for inspection: page index's
    // stored image.
    std::vector<uint8_t> PageImage(int index);
    int64_t PageOffset(int index) const;
    int64_t StreamSize() const;

    // After every Add and ClearAll.
    cl::TNotifyEvent OnChange;
    // After the cached page was rewritten.
    TPageModifiedEvent OnPageModified;

private:
    void CheckIndex(int index) const;
    std::unique_ptr<cl::TStream> NewStream(bool tempFile);
    void DropCache() noexcept;
    void DeleteTempFile() noexcept;
    int64_t PageEnd(int index) const;
    void PageModified();

    std::vector<int64_t> offsets_;
    std::unique_ptr<cl::TStream> stream_;
    std::unique_ptr<cl::TMetafile> cached_;
    int cachedIndex_ = -1;
    bool useTempFile_ = false;
    std::string tempFileName_;
};
