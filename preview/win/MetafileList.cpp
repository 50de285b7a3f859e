#include "preview/win/MetafileList.h"

#include <windows.h>

#include "classlib/Exceptions.h"
#include "classlib/FileStream.h"
#include "classlib/StrUtils.h"
#include "classlib/win/WideText.h"

using namespace cl;

namespace {

// A new empty file in the temporary folder, named by the system with the
// prefix "PP".
std::string MakeTempFileName() {
    wchar_t folder[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, folder);
    wchar_t name[MAX_PATH];
    if (n == 0 || n > MAX_PATH || GetTempFileNameW(folder, L"PP", 0, name) == 0)
        throw EFCreateError("Cannot create a temporary file for the preview's pages");
    return FromWide(name);
}

}  // namespace

CL_CLASS_INFO(TMetafileList)

TMetafileList::TMetafileList() : cached_(std::make_unique<TMetafile>()) {}

TMetafileList::~TMetafileList() {
    Clear();
}

void TMetafileList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
}

std::unique_ptr<TStream> TMetafileList::NewStream(bool tempFile) {
    if (!tempFile) return std::make_unique<TMemoryStream>();
    const std::string name = MakeTempFileName();
    try {
        auto stream = std::make_unique<TFileStream>(name, fmCreate);
        tempFileName_ = name;
        return stream;
    } catch (...) {
        DeleteFileW(ToWide(name).c_str());
        throw;
    }
}

void TMetafileList::DeleteTempFile() noexcept {
    if (tempFileName_.empty()) return;
    // A file that cannot be deleted stays behind in the temporary folder;
    // nothing else depends on it.
    DeleteFileW(ToWide(tempFileName_).c_str());
    tempFileName_.clear();
}

void TMetafileList::DropCache() noexcept {
    cached_->OnChange = nullptr;
    cachedIndex_ = -1;
}

void TMetafileList::Add(TMetafile* metafile) {
    if (!metafile || metafile->Empty()) throw EInvalidGraphic("A page must be a metafile with an image");
    if (!stream_) stream_ = NewStream(useTempFile_);
    const int64_t at = stream_->Seek(0, soEnd);
    try {
        metafile->SaveToStream(*stream_);
    } catch (...) {
        // A half-written image would join the previous page.
        try {
            stream_->SetSize(at);
        } catch (...) {
            // Then the debris only trails the last page, whose image is read
            // by its own length; the first failure is the one to report.
        }
        throw;
    }
    offsets_.push_back(at);
    if (OnChange) OnChange(this);
}

int64_t TMetafileList::PageEnd(int index) const {
    return index + 1 < Count() ? offsets_[index + 1] : stream_->Size();
}

int64_t TMetafileList::PageOffset(int index) const {
    CheckIndex(index);
    return offsets_[index];
}

int64_t TMetafileList::StreamSize() const {
    return stream_ ? stream_->Size() : 0;
}

std::vector<uint8_t> TMetafileList::PageImage(int index) {
    CheckIndex(index);
    std::vector<uint8_t> bytes(static_cast<size_t>(PageEnd(index) - offsets_[index]));
    stream_->SetPosition(offsets_[index]);
    if (!bytes.empty()) stream_->ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    return bytes;
}

TMetafile* TMetafileList::LoadPage(int index) {
    CheckIndex(index);
    if (index == cachedIndex_) return cached_.get();
    DropCache();
    stream_->SetPosition(offsets_[index]);
    cached_->LoadFromStream(*stream_);
    cachedIndex_ = index;
    cached_->OnChange = [this](TObject*) { PageModified(); };
    return cached_.get();
}

void TMetafileList::PageModified() {
    const int i = cachedIndex_;
    if (i < 0) return;
    TMemoryStream page;
    cached_->SaveToStream(page);
    // A page emptied of its image keeps the stored one: every page must load.
    if (page.Size() == 0) return;
    const int64_t oldSize = PageEnd(i) - offsets_[i];
    const int64_t delta = page.Size() - oldSize;
    const bool last = i + 1 == Count();
    TMemoryStream tail;
    if (delta != 0 && !last) {
        stream_->SetPosition(offsets_[i + 1]);
        tail.CopyFrom(*stream_, stream_->Size() - offsets_[i + 1]);
    }
    const int64_t oldEnd = stream_->Size();
    stream_->SetPosition(offsets_[i]);
    page.SetPosition(0);
    stream_->CopyFrom(page, page.Size());
    if (tail.Size() > 0) {
        for (size_t k = static_cast<size_t>(i) + 1; k < offsets_.size(); ++k) offsets_[k] += delta;
        tail.SetPosition(0);
        stream_->CopyFrom(tail, tail.Size());
    }
    if (delta < 0) stream_->SetSize(oldEnd + delta);
    if (OnPageModified) OnPageModified(this, i);
}

void TMetafileList::Clear() {
    DropCache();
    cached_->Clear();
    offsets_.clear();
    stream_.reset();
    DeleteTempFile();
}

void TMetafileList::ClearAll() {
    Clear();
    if (OnChange) OnChange(this);
}

void TMetafileList::SetUseTempFile(bool value) {
    if (value == useTempFile_) return;
    if (stream_) {
        const std::string oldFile = tempFileName_;
        std::unique_ptr<TStream> moved = NewStream(value);
        try {
            stream_->SetPosition(0);
            if (stream_->Size() > 0) moved->CopyFrom(*stream_, stream_->Size());
        } catch (...) {
            moved.reset();
            if (value) DeleteTempFile();
            tempFileName_ = oldFile;
            throw;
        }
        stream_ = std::move(moved);
        if (!value) DeleteTempFile();
    } else if (!value) {
        DeleteTempFile();
    }
    useTempFile_ = value;
}
