#include "media/picture.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "app/resource_bytes.h"
#include "media/picture_fit.h"

namespace {

// COM for the length of one decode; balanced only when it was set up.
class ComScope {
public:
    ComScope() : result_(CoInitialize(nullptr)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT result_;
};

template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (ptr_) ptr_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    Interface** out() { return &ptr_; }
    Interface* get() const { return ptr_; }
    Interface* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }

private:
    Interface* ptr_ = nullptr;
};

class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDc() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() {
        if (previous_) SelectObject(dc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    bool ok() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Only the formats the OLE picture loader turns into a bitmap; anything else
// (random bytes, metafiles, icons) is refused before it reaches the loader.
bool looksLikeBitmapPicture(const uint8_t* bytes, DWORD length) {
    static const uint8_t Jpeg[] = {0xFF, 0xD8, 0xFF};
    static const uint8_t Gif[] = {'G', 'I', 'F', '8'};
    static const uint8_t Bmp[] = {'B', 'M'};
    auto startsWith = [&](const uint8_t* magic, DWORD size) {
        return length >= size && std::memcmp(bytes, magic, size) == 0;
    };
    return startsWith(Jpeg, sizeof Jpeg) || startsWith(Gif, sizeof Gif) || startsWith(Bmp, sizeof Bmp);
}

bool bitmapSize(HBITMAP bitmap, int& width, int& height) {
    BITMAP info{};
    if (!bitmap || GetObjectA(bitmap, sizeof info, &info) != sizeof info) return false;
    width = info.bmWidth;
    height = info.bmHeight;
    return width > 0 && height > 0;
}

// The stream takes the block and frees it when released.
bool streamOverCopy(const void* bytes, DWORD length, ComRef<IStream>& stream) {
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, length);
    if (!block) return false;
    std::memcpy(reinterpret_cast<void*>(block), bytes, length);
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, stream.out())) || !stream) {
        GlobalFree(block);
        return false;
    }
    return true;
}

}  // namespace

HBITMAP loadPicture(HMODULE module, int id, const char* type, int boxWidth, int boxHeight) {
    HBITMAP full = nullptr;
    {
        ResourceBytes resource(module, type, id);
        if (resource.empty() || resource.size() > MAXDWORD) return nullptr;
        full = decodePicture(resource.data(), static_cast<DWORD>(resource.size()));
    }
    if (!full) return nullptr;
    HBITMAP scaled = scaleToFit(full, boxWidth, boxHeight);
    DeleteObject(full);  // the full-size copy is only a step on the way
    return scaled;
}

HBITMAP decodePicture(const void* bytes, DWORD length) {
    if (!bytes || length > static_cast<DWORD>(MAXLONG) ||
        !looksLikeBitmapPicture(static_cast<const uint8_t*>(bytes), length))
        return nullptr;
    ComScope com;
    ComRef<IStream> stream;
    if (!streamOverCopy(bytes, length, stream)) return nullptr;
    ComRef<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(length), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(picture.out()))) ||
        !picture)
        return nullptr;
    SHORT pictureType = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&pictureType)) || pictureType != PICTYPE_BITMAP ||
        FAILED(picture->get_Handle(&handle)) || !handle)
        return nullptr;
    // The picture object owns its bitmap; keep a copy that outlives it.
    HBITMAP decoded = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    HBITMAP copy = static_cast<HBITMAP>(CopyImage(decoded, IMAGE_BITMAP, 0, 0, 0));
    int width = 0, height = 0;
    if (copy && !bitmapSize(copy, width, height)) {
        DeleteObject(copy);
        copy = nullptr;
    }
    return copy;
}

HBITMAP scaleToFit(HBITMAP source, int boxWidth, int boxHeight) {
    int width = 0, height = 0;
    if (!bitmapSize(source, width, height)) return nullptr;
    const PictureSize fitted = fitPictureSize(width, height, boxWidth, boxHeight);
    if (fitted.width <= 0 || fitted.height <= 0) return nullptr;

    ScreenDc screen;
    if (!screen.get()) return nullptr;
    HBITMAP target = CreateCompatibleBitmap(screen.get(), fitted.width, fitted.height);
    if (!target) return nullptr;
    bool drawn = false;
    {
        MemoryDc from(screen.get());
        MemoryDc to(screen.get());
        if (from.get() && to.get()) {
            Selection fromSelection(from.get(), source);
            Selection toSelection(to.get(), target);
            if (fromSelection.ok() && toSelection.ok()) {
                SetStretchBltMode(to.get(), HALFTONE);
                SetBrushOrgEx(to.get(), 0, 0, nullptr);  // required after choosing HALFTONE
                drawn = StretchBlt(to.get(), 0, 0, fitted.width, fitted.height, from.get(), 0, 0, width,
                                   height, SRCCOPY) != FALSE;
            }
        }
    }
    if (!drawn) {
        DeleteObject(target);
        return nullptr;
    }
    return target;
}
