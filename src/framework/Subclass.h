#pragma once
// Taking over a window that something else created: an object puts itself in front of the
// window's procedure and sees its messages first. This is the program's one way of doing it
// (control wrappers attached to dialog controls, the flat look's decorations and its dialog
// watch); only the tray icon's functions keep their own, as they must.
//
// A window may carry several subclasses, put on and taken off in any order. Each passes what it
// does not answer itself to the one put on before it (PassOn), the first to the window's own
// procedure. One procedure of ours stands in the window's place for all of them; taking the
// last one off gives the window its own procedure back, unless another procedure has been put
// on top of ours meanwhile: then ours stays in the chain and passes everything on.
//
// The chains are kept in a table of the process, by window handle: a window property would do
// the same, but under Wine each read of one is a round trip to the window server, and the table
// is read at every message. A subclass belongs to the window's thread: install, remove and
// destroy it there.

#include "framework/Win32.h"

namespace vk::ui {

class Subclass {
public:
    Subclass() = default;
    // Takes the subclass off its window.
    virtual ~Subclass();
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

    // Puts the subclass in front of the window's procedure (and of the subclasses already
    // there). False for no window or a subclass that is installed already.
    bool Install(HWND window);
    // Takes it off again; nothing when it is not installed. May be called while the subclass is
    // handling one of the window's messages: it still passes that message on as before.
    void Remove();

    // The window while the subclass is on it; null before and after.
    [[nodiscard]] HWND SubclassedWindow() const { return installed_ ? window_ : nullptr; }

protected:
    // Every message of the window, before the procedures under it. The default passes it on.
    virtual LRESULT OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The window has had its final message (WM_NCDESTROY), which went through the whole chain:
    // the subclass is off the window. Called for the subclasses still on it then.
    virtual void OnSubclassEnd() {}

    // Hands the message to the procedure under this subclass.
    LRESULT PassOn(UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    friend LRESULT CALLBACK ChainProcedure(HWND, UINT, WPARAM, LPARAM);
    friend class SubclassChains;

    // The window, and what this subclass passes on to: the subclass put on before it or, when
    // that is null, the window's own procedure. Kept when the subclass is taken off, for the
    // message it may still be handling.
    HWND window_ = nullptr;
    Subclass* below_ = nullptr;
    WNDPROC own_ = nullptr;
    bool installed_ = false;
};

LRESULT CALLBACK ChainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace vk::ui
