#include "popup/clipboard_restore.h"

#include <vector>

#include "cliphistory/clipboard_capture.h"
#include "res/resource.h"
#include "shell/app_state.h"

namespace tv {

namespace {

struct savedFormat {
    UINT format;
    std::vector<char> bytes;
};

// What of ours the clipboard holds; WM_DESTROYCLIPBOARD makes it nothing.
enum class ourContent {
    nothing,
    phraseOffered,  // the phrase by delayed rendering, not yet handed to anyone
    phrase,         // the phrase itself
    restoredCopy,   // the copy of the user's clipboard we gave back
};

struct clipboardLoan {
    bool holding = false;  // a copy of the user's clipboard waits to go back
    std::vector<savedFormat> saved;
    ourContent onClipboard = ourContent::nothing;
    std::string phrase;
    std::u16string widePhrase;  // empty unless code page 932 lacks one of its characters
    bool pasteSent = false;
    int openRetries = 0;
};

clipboardLoan loan;

constexpr UINT fallbackDelay = 1500;  // ms after Ctrl+V for a target that never asks
// While the target still holds the clipboard open: soon at first, then at a
// slower pace. A target takes in a large text for seconds (Notepad holds the
// clipboard for several seconds over a megabyte of short lines), and the copy
// is never dropped for that: the user's clipboard waits until it can go back.
constexpr UINT retryDelay = 50;        // ms
constexpr UINT slowRetryDelay = 500;   // ms, after quickRetries tries
constexpr int quickRetries = 40;

// GDI handles and owner-drawn formats are not memory we could copy; the bitmap
// comes back through its CF_DIB form.
bool copyableFormat(UINT format) {
    switch (format) {
    case CF_BITMAP:
    case CF_METAFILEPICT:
    case CF_PALETTE:
    case CF_ENHMETAFILE:
    case CF_OWNERDISPLAY:
    case CF_DSPBITMAP:
    case CF_DSPMETAFILEPICT:
    case CF_DSPENHMETAFILE: return false;
    default: return format < CF_PRIVATEFIRST || format > CF_GDIOBJLAST;
    }
}

// Called with the clipboard open.
std::vector<savedFormat> copyClipboard() {
    std::vector<savedFormat> formats;
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        if (!copyableFormat(format)) continue;
        HANDLE data = GetClipboardData(format);
        const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
        if (!bytes) continue;
        formats.push_back({format, std::vector<char>(bytes, bytes + GlobalSize(data))});
        GlobalUnlock(data);
    }
    return formats;
}

HGLOBAL globalCopy(const void* bytes, size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    void* locked = memory ? GlobalLock(memory) : nullptr;
    if (!locked) {
        if (memory) GlobalFree(memory);
        return nullptr;
    }
    if (size) CopyMemory(locked, bytes, size);
    GlobalUnlock(memory);
    return memory;
}

// Called with the clipboard open; the clipboard owns the memory once it is set.
void setClipboardBytes(UINT format, const void* bytes, size_t size) {
    HGLOBAL memory = globalCopy(bytes, size);
    if (memory && !SetClipboardData(format, memory)) GlobalFree(memory);
}

void renderPhrase() {
    setClipboardBytes(CF_TEXT, loan.phrase.c_str(), loan.phrase.size() + 1);
    if (!loan.widePhrase.empty())
        setClipboardBytes(CF_UNICODETEXT, loan.widePhrase.c_str(), (loan.widePhrase.size() + 1) * sizeof(char16_t));
    if (loan.onClipboard == ourContent::phraseOffered) loan.onClipboard = ourContent::phrase;
}

// Windows' own clipboard history and other tools leave a paste marked like this
// alone; our own history still decides by NoPastFromQS.
void markAsPrivatePaste() {
    static const UINT exclude = RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing");
    static const UINT history = RegisterClipboardFormatA("CanIncludeInClipboardHistory");
    static const UINT cloud = RegisterClipboardFormatA("CanUploadToCloudClipboard");
    const DWORD no = 0;
    for (UINT format : {exclude, history, cloud}) setClipboardBytes(format, &no, sizeof no);
}

bool phraseOnClipboard() {
    return loan.onClipboard == ourContent::phrase || loan.onClipboard == ourContent::phraseOffered;
}

void startTimer(UINT delay) { SetTimer(app().mainWindow, IDT_CLIPBOARD_BACK, delay, nullptr); }

void endLoan() {
    loan.holding = false;
    loan.saved.clear();
    loan.pasteSent = false;
    loan.openRetries = 0;
}

}  // namespace

void lendUserClipboard() {
    if (!app().config.RestoreClipboard || loan.holding) return;
    loan.saved = copyClipboard();
    loan.holding = true;
    loan.pasteSent = false;
    loan.openRetries = 0;
}

void lendUserClipboardNow() {
    if (!app().config.RestoreClipboard || loan.holding || !openClipboardWhenFree(app().mainWindow)) return;
    lendUserClipboard();
    CloseClipboard();
}

void putPhraseOnClipboard(const std::string& text, const std::u16string& wide) {
    // A copy still waiting to go back after an earlier paste goes back after this
    // one's: its timer must not give it back before this phrase is pasted.
    KillTimer(app().mainWindow, IDT_CLIPBOARD_BACK);
    loan.pasteSent = false;
    loan.openRetries = 0;
    loan.phrase = text;
    loan.widePhrase = wide;
    loan.onClipboard = loan.holding ? ourContent::phraseOffered : ourContent::phrase;
    if (loan.holding) {
        SetClipboardData(CF_TEXT, nullptr);
        if (!wide.empty()) SetClipboardData(CF_UNICODETEXT, nullptr);
    } else
        renderPhrase();
    markAsPrivatePaste();
}

bool clipboardHoldsOurPhrase(std::string& text, std::u16string& wide) {
    if (!phraseOnClipboard() || GetClipboardOwner() != app().mainWindow) return false;
    text = loan.phrase;
    wide = loan.widePhrase;
    return true;
}

bool clipboardHoldsRestoredCopy() {
    return loan.onClipboard == ourContent::restoredCopy && GetClipboardOwner() == app().mainWindow;
}

void onRenderFormat(UINT format) {
    if ((format != CF_TEXT && format != CF_UNICODETEXT) || loan.onClipboard != ourContent::phraseOffered) return;
    renderPhrase();
    // The target is reading it now, with the clipboard open: give the user's
    // clipboard back as soon as the target lets go.
    if (loan.pasteSent) startTimer(retryDelay);
}

void onRenderAllFormats() {
    if (loan.onClipboard != ourContent::phraseOffered || !OpenClipboard(app().mainWindow)) return;
    if (GetClipboardOwner() == app().mainWindow) renderPhrase();
    CloseClipboard();
}

void onPasteSent() {
    if (!loan.holding) return;
    loan.pasteSent = true;
    startTimer(fallbackDelay);
}

void onGiveClipboardBack() {
    KillTimer(app().mainWindow, IDT_CLIPBOARD_BACK);
    if (!loan.holding) return;
    if (!OpenClipboard(app().mainWindow)) {
        startTimer(++loan.openRetries < quickRetries ? retryDelay : slowRetryDelay);
        return;
    }
    // Someone copied something new meanwhile: that is the clipboard now.
    if (phraseOnClipboard() && GetClipboardOwner() == app().mainWindow) {
        if (loan.onClipboard == ourContent::phraseOffered) renderPhrase();  // a target that never asked
        EmptyClipboard();
        for (const savedFormat& saved : loan.saved) setClipboardBytes(saved.format, saved.bytes.data(), saved.bytes.size());
        loan.onClipboard = ourContent::restoredCopy;
    }
    CloseClipboard();
    endLoan();
}

void forgetUserClipboard() {
    // A copy lent to an earlier paste still waits to go back: it stays.
    if (!loan.pasteSent) endLoan();
}

void onDestroyClipboard() { loan.onClipboard = ourContent::nothing; }

}  // namespace tv
